#include "tools/shape_descriptors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"
#include "tools/half_space_shape.h"

namespace habitopia {
namespace {

constexpr double kPi = std::numbers::pi;
const double kSqrt3 = std::sqrt(3.0);

int Group(const char* symbol) { return FindPointGroup(symbol); }

// The model of `unique` ("h k l", distance) completed by the point group.
CrystalModel Model(const UnitCell& cell, const char* group, const FaceRows& unique) {
  CrystalModel model;
  SetCell(model, cell);
  model.pointGroup = Group(group);
  model.operationCount = GetPointGroup(model.pointGroup).order;
  FaceRows full;
  RebuildFullList(model, unique, full);
  return model;
}

const UnitCell kCubic{};
const UnitCell kHexagonal{1, 1, 1.6, 90, 90, 120};

double D(Real v) { return static_cast<double>(v); }

TEST(ShapeDescriptors, CubeHasTheTextbookFigures) {
  const ShapeDescriptors d = DescribeShape(Model(kCubic, "4/m3", {{"1 0 0", "1"}}));
  ASSERT_TRUE(d.closed);
  EXPECT_NEAR(D(d.volume), 8, 1e-12);
  EXPECT_NEAR(D(d.surface), 24, 1e-12);
  EXPECT_EQ(d.corners, 8);
  EXPECT_EQ(d.edges, 12);
  EXPECT_NEAR(D(d.surfaceToVolume), 3, 1e-12);
  EXPECT_NEAR(D(d.shapeFactor), 6, 1e-12);
  EXPECT_NEAR(D(d.effectiveRadius), std::cbrt(6 / kPi), 1e-12);
  EXPECT_NEAR(D(d.sphericity), std::cbrt(kPi) * std::pow(48.0, 2.0 / 3) / 24, 1e-12);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(D(d.lengths[i]), 2, 1e-9);
    EXPECT_NEAR(D(d.boundingBox[i]), 2, 1e-9);
  }
  EXPECT_EQ(d.zinggClass, "equant");
  ASSERT_EQ(d.forms.size(), 1u);
  EXPECT_EQ(d.forms[0].indices, "1 0 0");
  EXPECT_EQ(d.forms[0].faces, 6);
  EXPECT_EQ(d.forms[0].presentFaces, 6);
  EXPECT_NEAR(D(d.forms[0].areaFraction), 1, 1e-15);
  EXPECT_FALSE(d.weightedSurfaceEnergy.has_value());
}

TEST(ShapeDescriptors, CornersCutByAHairAreStillCut) {
  // {1 1 1} at 1.730 cuts each corner of the cube by t = 3 - 1.730 sqrt 3.
  const ShapeDescriptors d =
      DescribeShape(Model(kCubic, "4/m3", {{"1 0 0", "1"}, {"1 1 1", "1.73"}}));
  ASSERT_TRUE(d.closed);
  const double t = 3 - 1.73 * kSqrt3;
  EXPECT_EQ(d.corners, 24);
  EXPECT_EQ(d.edges, 36);
  EXPECT_NEAR(D(d.volume), 8 - 8 * t * t * t / 6, 1e-12);
  ASSERT_EQ(d.forms.size(), 2u);
  EXPECT_EQ(d.forms[1].presentFaces, 8);
  EXPECT_NEAR(D(d.forms[1].area), 8 * kSqrt3 / 4 * 2 * t * t, 1e-12);
  EXPECT_NEAR(D(d.surface), 24 - 8 * 1.5 * t * t + 8 * kSqrt3 / 2 * t * t, 1e-12);
}

TEST(ShapeDescriptors, CubicShapesKeepTheCubeAxesAsPrincipalAxes) {
  // Every axis is principal for a cubic shape; the lengths are taken along a, b, c.
  const ShapeDescriptors d =
      DescribeShape(Model(kCubic, "4/m3", {{"1 0 0", "1"}, {"1 1 1", "1.2"}, {"1 1 0", "1.3"}}));
  ASSERT_TRUE(d.closed);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(D(d.lengths[i]), 2, 1e-12) << i;
  EXPECT_EQ(d.zinggClass, "equant");
}

TEST(ShapeDescriptors, PrincipalLengthsAndBoxFollowTheLongAxes) {
  const ShapeDescriptors d = DescribeShape(
      Model({1, 1, 1, 90, 90, 90}, "2/mm", {{"1 0 0", "0.5"}, {"0 1 0", "1"}, {"0 0 1", "3"}}));
  ASSERT_TRUE(d.closed);
  EXPECT_NEAR(D(d.lengths[0]), 6, 1e-9);
  EXPECT_NEAR(D(d.lengths[1]), 2, 1e-9);
  EXPECT_NEAR(D(d.lengths[2]), 1, 1e-9);
  EXPECT_NEAR(std::fabs(D(d.principalAxes[0][2])), 1, 1e-9);
  EXPECT_NEAR(D(d.boundingBox[0] * d.boundingBox[1] * d.boundingBox[2]), 12, 1e-9);
  EXPECT_NEAR(D(d.zinggSM), 0.5, 1e-9);
  EXPECT_NEAR(D(d.zinggML), 1.0 / 3, 1e-9);
  EXPECT_EQ(d.zinggClass, "blade");
}

TEST(ShapeDescriptors, TightBoxOfARotatedPrismLiesOnItsFaces) {
  // A square prism {1 1 0} in a cubic cell: the box along x, y is sqrt 2 too wide
  // each way; the tight box lies on the {1 1 0} faces.
  const ShapeDescriptors d = DescribeShape(Model(kCubic, "4/mm", {{"1 1 0", "1"}, {"0 0 1", "4"}}));
  ASSERT_TRUE(d.closed);
  EXPECT_NEAR(D(d.boundingBox[0]), 8, 1e-9);
  EXPECT_NEAR(D(d.boundingBox[1]), 2, 1e-9);
  EXPECT_NEAR(D(d.boundingBox[2]), 2, 1e-9);
  EXPECT_EQ(d.zinggClass, "rod");
}

TEST(ShapeDescriptors, PolarPairKeepsTwoFormsWithTheirEnergies) {
  // 6mm: the hexagonal prism {1 0 0} at 1 capped by (0 0 1) at 1 and (0 0 -1) at 2.
  const ShapeDescriptors d = DescribeShape(
      Model(kHexagonal, "6m", {{"1 0 0", "1"}, {"0 0 1", "1"}, {"0 0 -1", "2"}}), true);
  ASSERT_TRUE(d.closed);
  ASSERT_EQ(d.forms.size(), 3u);
  EXPECT_EQ(d.forms[0].faces, 6);
  EXPECT_EQ(d.forms[1].faces, 1);
  EXPECT_EQ(d.forms[2].faces, 1);
  // Hexagons of apothem 1 (area 2 sqrt 3) and six sides 2/sqrt 3 wide, 3 high.
  EXPECT_NEAR(D(d.surface), 16 * kSqrt3, 1e-9);
  EXPECT_NEAR(D(d.forms[0].areaFraction), 0.75, 1e-12);
  EXPECT_NEAR(D(d.forms[1].areaFraction), 0.125, 1e-12);
  EXPECT_NEAR(D(d.forms[2].areaFraction), 0.125, 1e-12);
  EXPECT_NEAR(D(d.volume), 2 * kSqrt3 * 3, 1e-9);
  ASSERT_TRUE(d.weightedSurfaceEnergy.has_value());
  EXPECT_NEAR(D(*d.weightedSurfaceEnergy), 1.125, 1e-12);
  EXPECT_NEAR(D(*d.totalSurfaceEnergy), 1.125 * 16 * kSqrt3, 1e-9);
  const double spread = 0.875 * 0.125 * 0.125 + 0.125 * 0.875 * 0.875;
  EXPECT_NEAR(D(*d.anisotropy), std::sqrt(spread) / 1.125, 1e-12);
}

TEST(ShapeDescriptors, TetrahedronOfMinus43m) {
  const ShapeDescriptors d = DescribeShape(Model(kCubic, "-43", {{"1 1 1", "1"}}));
  ASSERT_TRUE(d.closed);
  ASSERT_EQ(d.forms.size(), 1u);
  EXPECT_EQ(d.forms[0].faces, 4);
  EXPECT_EQ(d.corners, 4);
  EXPECT_EQ(d.edges, 6);
  // A regular tetrahedron of inradius 1.
  EXPECT_NEAR(D(d.volume), 8 * kSqrt3, 1e-9);
  EXPECT_NEAR(D(d.surface), 24 * kSqrt3, 1e-9);
}

TEST(ShapeDescriptors, OpenPrismNamesItsOpenDirection) {
  const ShapeDescriptors d = DescribeShape(Model({1, 1, 2, 90, 90, 90}, "4/mm", {{"1 0 0", "1"}}));
  EXPECT_FALSE(d.closed);
  EXPECT_TRUE(d.openAlong == "[0 0 1]" || d.openAlong == "[0 0 -1]") << d.openAlong;
  EXPECT_EQ(OpenShapeText(d), "no face bounds the crystal along " + d.openAlong);
}

TEST(ShapeDescriptors, ZinggClassesSplitAtTwoThirds) {
  EXPECT_EQ(ZinggClass(0.9L, 0.9L), "equant");
  EXPECT_EQ(ZinggClass(0.5L, 0.9L), "plate");
  EXPECT_EQ(ZinggClass(0.9L, 0.5L), "rod");
  EXPECT_EQ(ZinggClass(0.5L, 0.5L), "blade");
  EXPECT_EQ(ZinggClass(kZinggThreshold, 1), "plate");
}

}  // namespace
}  // namespace habitopia
