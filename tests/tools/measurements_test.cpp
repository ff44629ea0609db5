#include "tools/measurements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/sample_faces.h"

namespace habitopia {
namespace {

using test::CubeFaces;
using test::Face;

struct Built : test::BuiltFaces {
  BuiltCrystal View() const { return {&polyhedron, &corners, &lists}; }
};

Built Build(const std::vector<FaceRecord>& faces, const UnitCell& cell = {}) {
  return {test::BuildFaces(faces, {.cell = cell})};
}

const CellMatrices kCubic = BuildCellMatrices(UnitCell{});
const CellMatrices kHexagonal = BuildCellMatrices(UnitCell{1, 1, 1, 90, 90, 120});

std::string AngleCaption(const CellMatrices& cell, const FaceRecord& a, const FaceRecord& b,
                         const std::string& ta = "a", const std::string& tb = "b") {
  return InterfacialAngle(cell, a, b, ta, tb).caption;
}

TEST(InterfacialAngle, CaptionsRoundToThreeDecimals) {
  EXPECT_EQ(AngleCaption(kCubic, Face(1, 0, 0), Face(0, 1, 0)), "90 Degrees");
  EXPECT_EQ(AngleCaption(kCubic, Face(1, 0, 0), Face(-1, 0, 0)), "180 Degrees");
  EXPECT_EQ(AngleCaption(kCubic, Face(1, 1, 1), Face(1, 1, -1)), "70.529 Degrees");
  EXPECT_EQ(AngleCaption(kCubic, Face(1, 1, 1), Face(-1, -1, 1)), "109.471 Degrees");
  EXPECT_EQ(AngleCaption(kCubic, Face(1, 0, 0), Face(1, 1, 0)), "45 Degrees");
  const AngleResult r = InterfacialAngle(kCubic, Face(1, 1, 1), Face(1, 1, -1), "1 1 1", "1 1 -1");
  EXPECT_NEAR(static_cast<double>(r.degrees), 70.5287793655, 1e-9);
  // Hexagonal axes: a* and b* enclose 60 degrees, a* and (1 1 0) 30 degrees.
  EXPECT_EQ(AngleCaption(kHexagonal, Face(1, 0, 0), Face(0, 1, 0)), "60 Degrees");
  EXPECT_EQ(AngleCaption(kHexagonal, Face(1, 0, 0), Face(1, 1, 0)), "30 Degrees");
}

TEST(InterfacialAngle, NotANumberFallsBackOnTheIndexTexts) {
  // A zero normal makes the cosine 0/0.
  AngleResult r = InterfacialAngle(kCubic, Face(0, 0, 0), Face(1, 0, 0), "0 0 0.0001", "1 0 0");
  EXPECT_TRUE(std::isnan(r.degrees));
  EXPECT_EQ(r.caption, "180 Degrees");
  r = InterfacialAngle(kCubic, Face(0, 0, 0), Face(0, 0, 0), "0 0 0.0001", "0 0 0.0001");
  EXPECT_EQ(r.caption, "0 Degrees");
  // The same face twice: 0 whether or not rounding pushes the cosine past 1.
  for (const FaceRecord& f : {Face(1, 1, 1), Face(1, 2, 3), Face(3, -7, 11)}) {
    EXPECT_EQ(AngleCaption(kHexagonal, f, f, "x", "x"), "0 Degrees");
    EXPECT_EQ(AngleCaption(kCubic, f, f, "x", "x"), "0 Degrees");
  }
}

TEST(CommonEdge, CubeEdgesAndOppositeFaces) {
  const Built cube = Build(CubeFaces());
  CommonEdgeResult edge = CommonEdge(cube.View(), 0, 2);
  ASSERT_TRUE(edge.length.has_value());
  EXPECT_NEAR(static_cast<double>(*edge.length), 2.0, 1e-5);
  EXPECT_EQ(edge.caption, "Common Edge length = 2");
  edge = CommonEdge(cube.View(), 0, 1);
  EXPECT_FALSE(edge.length.has_value());
  EXPECT_EQ(edge.caption, "No Common Edge");
  for (int a = 0; a < 6; ++a)
    for (int b = 0; b < 6; ++b) {
      if (a == b) continue;
      const bool opposite = a / 2 == b / 2;
      EXPECT_EQ(CommonEdge(cube.View(), a, b).caption,
                opposite ? "No Common Edge" : "Common Edge length = 2")
          << a << " " << b;
    }
}

TEST(CommonEdge, TruncatedCubeInScaledUnits) {
  // {100} at 1 and {111} at 1.5: each octahedron face cuts a cube corner.
  std::vector<FaceRecord> faces = CubeFaces();
  for (int sx : {1, -1})
    for (int sy : {1, -1})
      for (int sz : {1, -1}) faces.push_back(Face(sx, sy, sz, 1.5));
  const Built crystal = Build(faces);
  const Real scale = (6 * 1 + 8 * 1.5L) / 14;
  const Real expected = (3 - 1.5L * std::sqrt(3.0L)) * std::sqrt(2.0L) / scale;
  const CommonEdgeResult edge = CommonEdge(crystal.View(), 0, 6);  // (1 0 0) and (1 1 1)
  ASSERT_TRUE(edge.length.has_value());
  EXPECT_NEAR(static_cast<double>(*edge.length), static_cast<double>(expected), 1e-5);
  EXPECT_EQ(edge.caption, "Common Edge length = 0.442");
  // (1 0 0) and (-1 1 1) are apart.
  EXPECT_EQ(CommonEdge(crystal.View(), 0, 10).caption, "No Common Edge");
}

TEST(CommonEdge, AbsentFaceHasNoEdge) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(1, 1, 1, 5));  // beyond the cube corner
  const Built crystal = Build(faces);
  ASSERT_EQ(crystal.polyhedron.presentIndex[6], kAbsentFace);
  EXPECT_EQ(CommonEdge(crystal.View(), 0, 6).caption, "No Common Edge");
  EXPECT_EQ(CommonEdge(crystal.View(), 6, 0).caption, "No Common Edge");
}

TEST(SelectedFaceSurface, PresentAndAbsentFaces) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(1, 1, 1, 5));
  faces[0].distance = 0.5;  // the (1 0 0) face moves in: still 2 x 2
  const Built crystal = Build(faces);
  // Distances are scaled by their mean, areas come back in model units.
  EXPECT_EQ(SelectedFaceSurfaceText(crystal.View(), 2), "Selected face surface = 3");
  EXPECT_EQ(SelectedFaceSurfaceText(crystal.View(), 0), "Selected face surface = 4");
  EXPECT_EQ(SelectedFaceSurfaceText(crystal.View(), 6), "Selected face surface = 0");
  EXPECT_EQ(SelectedFaceSurfaceText(crystal.View(), 99), "Selected face surface = 0");
}

TEST(PhysicalNormal, UnitNormalRoundedToThreeDecimals) {
  const std::vector<FaceRecord> faces = {Face(1, 1, 0), Face(0, 0, 0), Face(1, 0, 0),
                                         Face(0, 0, -2)};
  EXPECT_EQ(PhysicalNormalText(kCubic, faces, 0), "0.707 0.707 0");
  EXPECT_EQ(PhysicalNormalText(kCubic, faces, 1), "0 0 0");
  EXPECT_EQ(PhysicalNormalText(kCubic, faces, 3), "0 0 -1");
  // Hexagonal: (1 0 0) is normal to b and c, so not along x.
  EXPECT_EQ(PhysicalNormalText(kHexagonal, faces, 2), "0.866 0.5 0");
  EXPECT_EQ(PhysicalNormalText(kCubic, faces, 4), kCalculationFailed);
  EXPECT_EQ(PhysicalNormalText(kCubic, faces, -1), kCalculationFailed);
  // Monoclinic beta = 100: (0 0 1) is normal to a and b.
  const CellMatrices mono = BuildCellMatrices(UnitCell{1, 1, 1, 90, 100, 90});
  const std::vector<FaceRecord> c = {Face(0, 0, 1)};
  EXPECT_EQ(PhysicalNormalText(mono, c, 0), "0.174 0 0.985");
}

TEST(IndicesFromDirection, DivisorRule) {
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "2 4 0"), "1 2 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0 0 0"), "0 0 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0 3 6"), "0 1 2");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "4 2 0"), "2 1 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "6 0 3"), "2 0 1");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "2 3 1"), "2 3 1");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0 0 -5"), "0 0 -1");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "1 2 3.5"), "1 2 3.5");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "3 2 0"), "1.5 1 0");
  // Components are rounded to 0.01 before the division.
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "1 1.004 0"), "1 1 0");
  // Hexagonal: the plane normal to x is (2 -1 0).
  EXPECT_EQ(IndicesFromDirectionText(kHexagonal, "1 0 0"), "2 -1 0");
  EXPECT_EQ(IndicesFromDirectionText(kHexagonal, "0 0 1"), "0 0 1");
}

TEST(IndicesFromDirection, ReadingTheText) {
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "  2   4  0"), "1 2 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "3"), "1 0 0");  // missing ones are 0
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0 5"), "0 1 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, ""), "0 0 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "1 1 1 x"), "1 1 1");  // stops after three
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "1 x 0"), kWrongInputOfIndices);
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "1-2 0"), kWrongInputOfIndices);
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0.5 1 0"), "1 2 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0,5 1 0"), kWrongInputOfIndices);
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0,5 1 0", true), "1 2 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "0.5 1 0", true), kWrongInputOfIndices);
  // The caption is written with the same separator: 3 2 0 divided by 2.
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "3 2 0", true), "1,5 1 0");
  EXPECT_EQ(IndicesFromDirectionText(kCubic, "3,5 0 0", true), "1 0 0");
}

}  // namespace
}  // namespace habitopia
