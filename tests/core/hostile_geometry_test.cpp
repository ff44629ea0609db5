// Cells that are no real cell, points that are not finite, and the builder's
// preconditions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/cell_check.h"
#include "core/polyhedron.h"
#include "core/precondition.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

using test::CubeFaces;
using test::Face;

TEST(CellCheck, RealCellsPassAndEveryKindOfFaultIsNamed) {
  EXPECT_FALSE(FindCellFault({1, 1, 1, 90, 90, 90}));
  EXPECT_FALSE(FindCellFault({4.913L, 4.913L, 5.405L, 90, 90, 120}));
  EXPECT_FALSE(FindCellFault({5.4321L, 6.5L, 7.25L, 90, 101.5L, 90}));
  EXPECT_FALSE(FindCellFault({1, 1, 1, 60, 60, 60}));

  const Real inf = std::numeric_limits<Real>::infinity();
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  for (const UnitCell& c : {UnitCell{0, 5, 5, 90, 90, 90}, UnitCell{-5, 5, 5, 90, 90, 90},
                            UnitCell{5, inf, 5, 90, 90, 90}, UnitCell{5, 5, nan, 90, 90, 90}})
    EXPECT_EQ(FindCellFault(c), CellFault::Lengths) << c.a << " " << c.b << " " << c.c;
  for (const UnitCell& c : {UnitCell{1, 1, 1, 180, 90, 90}, UnitCell{1, 1, 1, 90, 0, 90},
                            UnitCell{1, 1, 1, 90, 90, -90}, UnitCell{1, 1, 1, nan, 90, 90}})
    EXPECT_EQ(FindCellFault(c), CellFault::Angles) << c.alpha << " " << c.beta << " " << c.gamma;
  // Each angle is fine, but together they lie flat (120 + 120 + 120 = 360) or
  // cannot close (one angle larger than the sum of the other two).
  EXPECT_EQ(FindCellFault({1e4000L, 1, 1, 90, 90, 90}), CellFault::LengthRatio);
  EXPECT_EQ(FindCellFault({1, 2e6L, 1, 90, 90, 90}), CellFault::LengthRatio);
  EXPECT_FALSE(FindCellFault({1, 1e6L, 1, 90, 90, 90}));
  EXPECT_EQ(FindCellFault({1, 1, 1, 120, 120, 120}), CellFault::Volume);
  EXPECT_EQ(FindCellFault({1, 1, 1, 30, 30, 90}), CellFault::Volume);
  EXPECT_EQ(CellFaultText(CellFault::Lengths),
            "the cell lengths must be finite and greater than 0");
}

// The matrices of a cell with a zero length are infinite and NaN: no triple point
// is finite, and none may count as a corner.
TEST(HostileGeometry, PointsThatAreNotFiniteAreNoCorners) {
  PolyhedronInput input;
  const std::vector<FaceRecord> faces = CubeFaces();
  input.faces = faces;
  for (const UnitCell& cell : {UnitCell{0, 1, 1, 90, 90, 90}, UnitCell{1e-4000L, 1, 1, 90, 90, 90},
                               UnitCell{1, 1, 1, 180, 90, 90}}) {
    input.cell = BuildCellMatrices(cell);
    const Polyhedron p = BuildPolyhedron(input);
    EXPECT_TRUE(p.corners.empty()) << cell.a << " " << cell.alpha;
    EXPECT_EQ(p.PresentFaceCount(), 0);
  }
}

TEST(HostileGeometry, AFaceWithAHugeIndexDoesNotLetNanPointsIn) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(1e3000L, 1, 0, 1));
  const test::BuiltFaces built = test::BuildFaces(faces);
  for (const CornerRecord& c : built.polyhedron.corners)
    for (Real x : c.position) EXPECT_TRUE(std::isfinite(x));
  EXPECT_EQ(built.corners.Count(), 8);
  EXPECT_NEAR(built.lists.volumeTotal, 8, 1e-3);
}

TEST(HostileGeometry, AFaceWithoutAPlaneStillDoesNotCut) {
  // Indices that round to 0 0 0 give a zero normal; that face's NaN term has no say.
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(0, 0, 0.0001L, 1));
  const test::BuiltFaces built = test::BuildFaces(faces);
  EXPECT_EQ(built.corners.Count(), 8);
  EXPECT_NEAR(built.lists.volumeTotal, 8, 1e-3);
}

#if HABITOPIA_PRECONDITIONS_CHECKED
TEST(PreconditionDeathTest, TheBuilderRefusesInputOutsideItsContract) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::vector<FaceRecord> cube = CubeFaces();
  PolyhedronInput input;
  input.faces = cube;
  input.cleavageFace = 6;
  EXPECT_DEATH(BuildPolyhedron(input), "precondition failed: .*cleavageFace");
  input.cleavageFace = -1;
  std::vector<FaceRecord> infinite = cube;
  infinite[2].distance = std::numeric_limits<Real>::infinity();
  input.faces = infinite;
  EXPECT_DEATH(BuildPolyhedron(input), "precondition failed: .*isfinite");
}
#endif

}  // namespace
}  // namespace habitopia

namespace habitopia {
namespace {

// A plate so thin that its merge cells are a few millionths: the corners lie
// close to a million cells from the origin, where the spatial hash of the
// position-based numbering once overflowed (caught by the sanitizer build).
TEST(HostileGeometry, PositionNumberingOfFarCellsIsDefined) {
  for (Real thickness : {3e-6L, 4e-6L, 2.6e-6L}) {
    std::vector<FaceRecord> faces = {Face(1, 0, 0, 1),         Face(-1, 0, 0, 1),
                                     Face(0, 1, 0, 1),         Face(0, -1, 0, 1),
                                     Face(0, 0, 1, thickness), Face(0, 0, -1, thickness)};
    PolyhedronInput input;
    input.faces = faces;
    input.cell = BuildCellMatrices({});
    const Polyhedron p = BuildPolyhedron(input);
    FlatCorners flat = FlattenPolygons(p);
    const SceneCorners byCorner = NumberSceneCorners(p, flat);
    std::fill(flat.corner.begin(), flat.corner.end(), -1);
    const SceneCorners byPosition = NumberSceneCorners(p, flat);
    EXPECT_EQ(byCorner.Count(), 8) << thickness;
    EXPECT_EQ(byPosition.entryCorner, byCorner.entryCorner) << thickness;
  }
}

// Distances as large as the model file holds build and number without fault.
TEST(HostileGeometry, HugeDistancesBuild) {
  for (Real d : {1414216.391L, 9.99999e9L, 1e15L}) {
    std::vector<FaceRecord> faces = CubeFaces();
    for (FaceRecord& f : faces) f.distance = d;
    faces.push_back(Face(1, 1, 1, d * 1.7L));
    PolyhedronInput input;
    input.faces = faces;
    input.cell = BuildCellMatrices({});
    const Polyhedron p = BuildPolyhedron(input);
    const FaceIndexLists lists = BuildFaceIndexLists(p, NumberSceneCorners(p), false);
    EXPECT_EQ(NumberSceneCorners(p).Count(), 10) << d;
    // The (1 1 1) plane cuts a corner tetrahedron with legs 3 - 1.7 sqrt 3; the
    // index offsets widen the faces by a few millionths.
    const Real leg = 3 - 1.7L * std::sqrt(3.0L);
    EXPECT_NEAR(static_cast<double>(lists.volumeTotal / (d * d * d)),
                static_cast<double>(8 - leg * leg * leg / 6), 5e-5)
        << d;
  }
}

}  // namespace
}  // namespace habitopia
