// Stereographic projection: pole positions worked out by hand for the cube, the
// octahedron and a hexagonal prism, hemispheres, zones, the angle arc and the net.

#include "drawing/stereogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/cell.h"
#include "support/sample_faces.h"
#include "tools/measurements.h"

namespace habitopia {
namespace {

using test::Face;

constexpr Real kTolerance = 1e-15L;

// c at the centre, b to the right, a towards the bottom of the page.
const ViewFrame kStandard = *MakeViewFrame({0, 0, 1});

void ExpectAt(const CellMatrices& cell, const Vec3& hkl, Real x, Real y, bool upper) {
  const StereoPosition p = StereographicPosition(kStandard, HklToCartesian(cell, hkl));
  EXPECT_NEAR(p.point[0], x, kTolerance) << hkl[0] << " " << hkl[1] << " " << hkl[2];
  EXPECT_NEAR(p.point[1], y, kTolerance) << hkl[0] << " " << hkl[1] << " " << hkl[2];
  EXPECT_EQ(p.upper, upper) << hkl[0] << " " << hkl[1] << " " << hkl[2];
}

TEST(Stereogram, CubePoles) {
  const CellMatrices cell = BuildCellMatrices(UnitCell{});
  ExpectAt(cell, {1, 0, 0}, 0, -1, true);
  ExpectAt(cell, {-1, 0, 0}, 0, 1, true);
  ExpectAt(cell, {0, 1, 0}, 1, 0, true);
  ExpectAt(cell, {0, 0, 1}, 0, 0, true);
  ExpectAt(cell, {0, 0, -1}, 0, 0, false);
  // (1 1 0): on the primitive at 45 degrees.
  ExpectAt(cell, {1, 1, 0}, std::sqrt(0.5L), -std::sqrt(0.5L), true);
  // (1 0 1): 45 degrees from the centre, at tan(22.5) = sqrt(2) - 1.
  ExpectAt(cell, {1, 0, 1}, 0, -(std::sqrt(2.0L) - 1), true);
}

TEST(Stereogram, OctahedronPoles) {
  const CellMatrices cell = BuildCellMatrices(UnitCell{});
  // (1 1 1) lies 54.7356 degrees from c: r = tan(rho / 2) = (sqrt(3) - 1) / sqrt(2),
  // at 45 degrees between -a (down) and b (right).
  const Real r = (std::sqrt(3.0L) - 1) / std::sqrt(2.0L);
  const Real s = r / std::sqrt(2.0L);  // (sqrt(3) - 1) / 2
  EXPECT_NEAR(s, (std::sqrt(3.0L) - 1) / 2, kTolerance);
  ExpectAt(cell, {1, 1, 1}, s, -s, true);
  ExpectAt(cell, {-1, 1, 1}, s, s, true);
  // Lower hemisphere: projected from the upper pole onto the same places.
  ExpectAt(cell, {1, 1, -1}, s, -s, false);
  ExpectAt(cell, {-1, -1, -1}, -s, s, false);
}

TEST(Stereogram, HexagonalPrismAndPyramidPoles) {
  // a = b = 1, c = 1.5, gamma = 120: a* lies 30 degrees from a towards b.
  const CellMatrices cell = BuildCellMatrices({1, 1, 1.5L, 90, 90, 120});
  const Real half = 0.5L, root = std::sqrt(3.0L) / 2;
  ExpectAt(cell, {1, 0, 0}, half, -root, true);
  ExpectAt(cell, {0, 1, 0}, 1, 0, true);
  ExpectAt(cell, {1, -1, 0}, -half, -root, true);
  ExpectAt(cell, {-1, 1, 0}, half, root, true);
  // (1 0 1): n = a* + c* = (1, 1/sqrt(3), 2/3), |n| = 4/3, so the unit normal is
  // (3/4, sqrt(3)/4, 1/2) and the pole lies at (y, -x) / (1 + 1/2).
  ExpectAt(cell, {1, 0, 1}, std::sqrt(3.0L) / 4 / 1.5L, -0.75L / 1.5L, true);
}

TEST(Stereogram, PolesOfPresentAndAbsentFaces) {
  std::vector<FaceRecord> faces = test::CubeFaces();
  faces.push_back(Face(1, 1, 1, 5));  // far outside: absent
  const test::BuiltFaces built = test::BuildFaces(faces);
  const CellMatrices cell = BuildCellMatrices(UnitCell{});
  StereogramOptions options;
  options.frame = kStandard;
  Stereogram s = BuildStereogram(cell, faces, built.polyhedron, options);
  EXPECT_EQ(s.poles.size(), 6u);
  for (const StereoPole& p : s.poles) EXPECT_TRUE(p.present);
  options.allFaces = true;
  s = BuildStereogram(cell, faces, built.polyhedron, options);
  ASSERT_EQ(s.poles.size(), 7u);
  EXPECT_FALSE(s.poles[6].present);
  EXPECT_EQ(s.poles[6].face, 6);
  const std::string svg = StereogramSvg(s, "cube");
  EXPECT_NE(svg.find("class=\"pole upper\" cx=\"300.00\" cy=\"300.00\" r=\"4\" fill=\"#000000\""),
            std::string::npos);  // (0 0 1) at the centre, filled
  EXPECT_NE(svg.find("class=\"pole lower\" cx=\"300.00\" cy=\"300.00\" r=\"7.5\" fill=\"#a0a0a0\""),
            std::string::npos);  // (0 0 -1) under it, a ring
  EXPECT_NE(svg.find("fill=\"#ffffff\""), std::string::npos);
}

TEST(Stereogram, AngleMatchesTheAngleToolAndItsArcJoinsThePoles) {
  const std::vector<FaceRecord> faces = {Face(1, 0, 0), Face(1, 1, 1), Face(0, 0, -1),
                                         Face(0, 1, 0)};
  const CellMatrices cell = BuildCellMatrices(UnitCell{});
  Polyhedron none;
  StereogramOptions options;
  options.frame = kStandard;
  options.allFaces = true;
  options.angleFaces = std::pair{0, 1};
  Stereogram s = BuildStereogram(cell, faces, none, options);
  EXPECT_EQ(s.angleCaption, "54.736 Degrees");
  EXPECT_EQ(s.angleCaption, InterfacialAngle(cell, faces[0], faces[1], "1 0 0", "1 1 1").caption);
  EXPECT_EQ(s.angleFacesText, "(1 0 0) / (1 1 1)");
  ASSERT_EQ(s.angleArc.size(), 1u);
  const auto& arc = s.angleArc[0].points;
  EXPECT_NEAR(arc.front()[0], 0, 1e-12);
  EXPECT_NEAR(arc.front()[1], -1, 1e-12);
  EXPECT_NEAR(arc.back()[0], (std::sqrt(3.0L) - 1) / 2, 1e-12);
  // From an upper pole to a lower one the arc crosses the primitive once.
  options.angleFaces = std::pair{3, 2};
  s = BuildStereogram(cell, faces, none, options);
  EXPECT_EQ(s.angleCaption, "90 Degrees");
  ASSERT_EQ(s.angleArc.size(), 1u);  // (0 1 0) lies on the primitive: all of it lower
  options.angleFaces = std::pair{1, 2};
  s = BuildStereogram(cell, faces, none, options);
  ASSERT_EQ(s.angleArc.size(), 2u);
  EXPECT_TRUE(s.angleArc[0].upper);
  EXPECT_FALSE(s.angleArc[1].upper);
  const Point2 crossing = s.angleArc[0].points.back();
  EXPECT_NEAR(std::hypot(crossing[0], crossing[1]), 1, 1e-12);
}

TEST(Stereogram, ZoneCirclesPassThroughTheirPoles) {
  const std::vector<FaceRecord> faces = {Face(1, 0, 0), Face(0, 1, 1)};
  const CellMatrices cell = BuildCellMatrices(UnitCell{});
  Polyhedron none;
  StereogramOptions options;
  options.frame = kStandard;
  options.zones = {{0, 1}};
  const Stereogram s = BuildStereogram(cell, faces, none, options);
  ASSERT_EQ(s.zones.size(), 2u);  // upper half solid, lower half dashed
  // The zone [0 -1 1] (axis (1 0 0) x (0 1 1)) holds (1 0 0) at (0, -1) and
  // (0 1 1) at (tan(22.5), 0) on the upper half.
  const Point2 pole011{std::sqrt(2.0L) - 1, 0};
  bool throughA = false, throughB = false;
  for (const StereoCurve& c : s.zones) {
    if (!c.upper) continue;
    for (const Point2& p : c.points) {
      throughA = throughA || std::hypot(p[0], p[1] + 1) < 1e-9;
      throughB = throughB || std::hypot(p[0] - pole011[0], p[1] - pole011[1]) < 0.02;
    }
  }
  EXPECT_TRUE(throughA);
  EXPECT_TRUE(throughB);
}

TEST(Stereogram, WulffNetStaysInsideThePrimitive) {
  StereogramOptions options;
  options.frame = kStandard;
  options.wulffNet = true;
  Polyhedron none;
  const Stereogram s = BuildStereogram(BuildCellMatrices(UnitCell{}), {}, none, options);
  EXPECT_EQ(s.net.size(), 17u + 17u);
  for (const StereoCurve& c : s.net) {
    EXPECT_TRUE(c.upper);
    for (const Point2& p : c.points) EXPECT_LE(std::hypot(p[0], p[1]), 1 + 1e-12);
    // Every net line ends on the primitive.
    EXPECT_NEAR(std::hypot(c.points.front()[0], c.points.front()[1]), 1, 1e-12);
    EXPECT_NEAR(std::hypot(c.points.back()[0], c.points.back()[1]), 1, 1e-12);
  }
  // The middle meridian is the vertical diameter.
  bool vertical = false;
  for (const StereoCurve& c : s.net) {
    bool all = true;
    for (const Point2& p : c.points) all = all && std::fabs(p[0]) < 1e-12;
    vertical = vertical || all;
  }
  EXPECT_TRUE(vertical);
}

}  // namespace
}  // namespace habitopia
