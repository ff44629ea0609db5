// The builder against an independent half-space intersection (each face's
// square clipped by every other half-space) on thousands of random face tables;
// with a cleavage plane, which the exhaustive method handles, against that.

#include <gtest/gtest.h>

#include "core/polyhedron.h"
#include "support/exact_agreement.h"
#include "support/polyhedron_compare.h"
#include "support/random_faces.h"
#include "support/reference_polyhedron.h"

namespace habitopia {
namespace {

using test::BuildReferencePolyhedron;
using test::ExpectExactAgreement;
using test::IdenticalPolyhedra;
using test::MakeRandomFaceSet;
using test::RandomFaceOptions;
using test::RandomFaceSet;

PolyhedronInput InputOf(const RandomFaceSet& set) {
  PolyhedronInput input;
  input.faces = set.faces;
  input.cell = BuildCellMatrices(set.cell);
  input.cleavageFace = set.cleavageFace;
  input.previousDistanceScale = 1.1L;
  return input;
}

void CheckRandomSets(std::uint64_t firstSeed, int count, const RandomFaceOptions& options) {
  int nonEmpty = 0;
  for (std::uint64_t seed = firstSeed; seed < firstSeed + count; ++seed) {
    const RandomFaceSet set = MakeRandomFaceSet(seed, options);
    const PolyhedronInput input = InputOf(set);
    const Polyhedron fast = BuildPolyhedron(input);
    if (input.cleavageFace >= 0) {
      ASSERT_TRUE(IdenticalPolyhedra(fast, BuildReferencePolyhedron(input))) << "seed " << seed;
    } else {
      ExpectExactAgreement(input, "seed " + std::to_string(seed));
      if (::testing::Test::HasFailure()) return;
    }
    if (!fast.corners.empty()) ++nonEmpty;
  }
  EXPECT_GT(nonEmpty, count / 2);  // the sets really produce crystals
}

TEST(PolyhedronDifferentialTest, SmallRandomTables) {
  RandomFaceOptions options;
  options.faceCount = 12;
  options.maxIndex = 2;
  CheckRandomSets(1000, 1500, options);
}

TEST(PolyhedronDifferentialTest, LargerRandomTables) {
  RandomFaceOptions options;
  options.faceCount = 40;
  options.maxIndex = 4;
  CheckRandomSets(5000, 300, options);
}

TEST(PolyhedronDifferentialTest, DuplicatedFarAndZeroFaces) {
  RandomFaceOptions options;
  options.faceCount = 25;
  options.maxIndex = 2;
  options.duplicateChance = 0.15L;
  options.farChance = 0.1L;
  options.zeroChance = 0.05L;
  CheckRandomSets(20000, 600, options);
}

TEST(PolyhedronDifferentialTest, CleavagePlanes) {
  RandomFaceOptions options;
  options.faceCount = 20;
  options.maxIndex = 2;
  options.cleavage = true;
  CheckRandomSets(40000, 600, options);
}

TEST(PolyhedronDifferentialTest, CubicCellsWithManyConcurrentPlanes) {
  // Integer indices on a cubic cell with equal distances meet in many common points.
  RandomFaceOptions options;
  options.faceCount = 26;
  options.maxIndex = 1;
  options.randomCell = false;
  options.minDistance = options.maxDistance = 1;
  CheckRandomSets(60000, 300, options);
}

// Sphere-like habits where every face is present: the corner search skips the
// most here, and on the cubic cell many planes meet four or more in one point.
void CheckDenseSets(std::uint64_t firstSeed, int count, bool cubic) {
  for (std::uint64_t seed = firstSeed; seed < firstSeed + count; ++seed) {
    const int faces = 20 + static_cast<int>(seed % 41);
    const RandomFaceSet set = test::MakeDenseFaceSet(faces, seed, cubic);
    const PolyhedronInput input = InputOf(set);
    ExpectExactAgreement(input, "seed " + std::to_string(seed));
    if (::testing::Test::HasFailure()) return;
    if (!cubic) {
      ASSERT_EQ(BuildPolyhedron(input).absentCount, 0) << "seed " << seed;
    }
  }
}

TEST(PolyhedronDifferentialTest, DenseHabitsEveryFacePresent) { CheckDenseSets(70000, 100, false); }

TEST(PolyhedronDifferentialTest, DenseCubicHabitsWithConcurrentPlanes) {
  CheckDenseSets(80000, 80, true);
}

TEST(PolyhedronDifferentialTest, DenseHabitOf301Faces) {
  const RandomFaceSet whole = test::MakeDenseFaceSet(301);
  const Polyhedron fast = BuildPolyhedron(InputOf(whole));
  EXPECT_EQ(fast.PresentFaceCount(), 301);
  EXPECT_EQ(fast.corners.size(), 598u);  // 2 F - 4 for a simple polyhedron
  ExpectExactAgreement(InputOf(whole), "301 faces");
}

TEST(PolyhedronDifferentialTest, UnboundedTables) {
  RandomFaceOptions options;
  options.faceCount = 0;
  for (std::uint64_t seed = 0; seed < 200; ++seed) {
    RandomFaceSet set = MakeRandomFaceSet(seed, options);
    set.faces.resize(3 + seed % 4);  // a few axis faces only: open towards one side
    const PolyhedronInput input = InputOf(set);
    const Polyhedron built = BuildPolyhedron(input);
    // The open direction is one no face bounds.
    for (const FacePlane& plane : built.bounded ? std::vector<FacePlane>{} : built.planes)
      ASSERT_LE(Dot(plane.normal, built.openDirection), 1e-12L * Norm(plane.normal) *
                                                             Norm(built.openDirection))
          << "seed " << seed;
    ExpectExactAgreement(input, "seed " + std::to_string(seed));
  }
}

}  // namespace
}  // namespace habitopia
