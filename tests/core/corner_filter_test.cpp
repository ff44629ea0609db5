// The corner search's filter: it skips most of a sketched crystal's pairs, and
// never a pair or an inside-test face that a corner of the exhaustive method needs.

#include "core/corner_filter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/polyhedron.h"
#include "support/random_faces.h"
#include "support/reference_polyhedron.h"

namespace habitopia {
namespace {

using test::RandomFaceSet;

PolyhedronInput InputOf(const RandomFaceSet& set) {
  PolyhedronInput input;
  input.faces = set.faces;
  input.cell = BuildCellMatrices(set.cell);
  input.cleavageFace = set.cleavageFace;
  input.previousDistanceScale = 1;
  return input;
}

bool Listed(const std::vector<int>& list, int g) {
  return std::binary_search(list.begin(), list.end(), g);
}

int PartnerPairs(const CornerFilter& filter) {
  int pairs = 0;
  for (const auto& partners : filter.partners) pairs += static_cast<int>(partners.size());
  return pairs / 2;
}

TEST(CornerFilterTest, DenseHabitKeepsAboutTheEdges) {
  const RandomFaceSet set = test::MakeDenseFaceSet(301);
  const PolyhedronInput input = InputOf(set);
  const CornerFilter filter =
      MakeCornerFilter(ComputeFacePlanes(input, ComputeDistanceScale(input)), -1);
  ASSERT_TRUE(filter.active);
  // 897 edges on 598 corners; a few near misses may stay.
  EXPECT_GE(PartnerPairs(filter), 897);
  EXPECT_LT(PartnerPairs(filter), 1200);
  for (const auto& tests : filter.testFaces) EXPECT_LT(tests.size(), 60u);
}

TEST(CornerFilterTest, RandomCrystalDropsAbsentFaces) {
  const RandomFaceSet set = test::MakeBenchmarkFaceSet(301, 4, 20261208);
  const PolyhedronInput input = InputOf(set);
  const CornerFilter filter =
      MakeCornerFilter(ComputeFacePlanes(input, ComputeDistanceScale(input)), -1);
  ASSERT_TRUE(filter.active);
  int planesWithPartners = 0;
  for (const auto& partners : filter.partners) planesWithPartners += !partners.empty();
  EXPECT_LT(planesWithPartners, 100);  // 63 faces are present
}

TEST(CornerFilterTest, InactiveForNonFiniteOrOpenTables) {
  RandomFaceSet set = test::MakeDenseFaceSet(30);
  set.faces.resize(4);  // open on one side
  PolyhedronInput input = InputOf(set);
  EXPECT_FALSE(MakeCornerFilter(ComputeFacePlanes(input, ComputeDistanceScale(input)), -1).active);
  std::vector<FacePlane> planes = ComputeFacePlanes(input, 1);
  planes[1].offset = std::numeric_limits<Real>::quiet_NaN();
  EXPECT_FALSE(MakeCornerFilter(planes, -1).active);
}

// Every corner the exhaustive method finds has its three pairs admitted, and the
// faces left out of its inside test add nothing there.
TEST(CornerFilterTest, NeverDropsWhatACornerNeeds) {
  test::RandomFaceOptions options;
  options.faceCount = 30;
  options.duplicateChance = 0.1L;
  options.farChance = 0.1L;
  int active = 0;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    options.cleavage = seed % 3 == 0;
    const RandomFaceSet set = test::MakeRandomFaceSet(seed, options);
    const PolyhedronInput input = InputOf(set);
    const Polyhedron reference = test::BuildReferencePolyhedron(input);
    const CornerFilter filter = MakeCornerFilter(reference.planes, set.cleavageFace);
    if (!filter.active) continue;
    ++active;
    for (const CornerRecord& corner : reference.corners) {
      const auto [i, j, k] = corner.faces;
      ASSERT_TRUE(filter.Admitted(i, j) && filter.Admitted(i, k) && filter.Admitted(j, k)) << seed;
      ASSERT_TRUE(Listed(filter.partners[i], j) && Listed(filter.partners[j], k)) << seed;
      // (Building the polygons pushes corners on a cleavage face outward.)
      if (set.cleavageFace >= 0) continue;
      for (int p : corner.faces) {
        if (filter.testFaces[p].empty()) continue;
        for (int g = 0; g < static_cast<int>(reference.planes.size()); ++g) {
          if (Listed(filter.testFaces[p], g)) continue;
          const FacePlane& plane = reference.planes[g];
          EXPECT_LE(Dot(plane.normal, corner.position) / Norm(plane.normal) - plane.offset, 0)
              << "seed " << seed << " face " << g;
        }
      }
    }
  }
  EXPECT_GT(active, 200);
}

}  // namespace
}  // namespace habitopia
