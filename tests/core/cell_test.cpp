#include "core/cell.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/model.h"

namespace habitopia {
namespace {

void ExpectMatrixNear(const Matrix3& a, const Matrix3& b, Real tolerance) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(a[i][j], b[i][j], tolerance) << i << "," << j;
}

TEST(CellTest, CubicCellGivesIdentityFrames) {
  const CellMatrices m = BuildCellMatrices(UnitCell{});
  ExpectMatrixNear(m.reciprocal, Identity3(), 1e-18L);
  ExpectMatrixNear(m.inverseReciprocal, Identity3(), 1e-18L);
  ExpectMatrixNear(m.direct, Identity3(), 1e-18L);
  EXPECT_NEAR(d_value(m, {1, 0, 0}), 1, 1e-18L);
  EXPECT_NEAR(d_value(m, {1, 1, 0}), std::sqrt(2.0L), 1e-18L);
}

TEST(CellTest, HexagonalAxes) {
  const CellMatrices m = BuildCellMatrices({1, 1, 2, 90, 90, 120});
  const Vec3 a = UvwToCartesian(m, {1, 0, 0});
  const Vec3 b = UvwToCartesian(m, {0, 1, 0});
  const Vec3 c = UvwToCartesian(m, {0, 0, 1});
  EXPECT_NEAR(a[0], 1, 1e-17L);
  EXPECT_NEAR(a[1], 0, 1e-17L);
  EXPECT_NEAR(a[2], 0, 1e-17L);
  EXPECT_NEAR(b[0], -0.5L, 1e-17L);
  EXPECT_NEAR(b[1], std::sqrt(3.0L) / 2, 1e-17L);
  EXPECT_NEAR(b[2], 0, 1e-17L);
  EXPECT_NEAR(c[0], 0, 1e-17L);
  EXPECT_NEAR(c[2], 2, 1e-17L);
  EXPECT_NEAR(d_value(m, {0, 0, 1}), 0.5L, 1e-18L);
  // Reciprocal and direct axes are dual: a* . a = 1, a* . b = 0.
  const Vec3 aStar = HklToCartesian(m, {1, 0, 0});
  EXPECT_NEAR(Dot(aStar, a), 1, 1e-17L);
  EXPECT_NEAR(Dot(aStar, b), 0, 1e-17L);
  EXPECT_NEAR(Dot(aStar, c), 0, 1e-17L);
}

TEST(CellTest, MonoclinicAxisAHasNegativeZ) {
  const CellMatrices m = BuildCellMatrices({1, 1.2L, 0.8L, 90, 100, 90});
  const Vec3 a = UvwToCartesian(m, {1, 0, 0});
  const Vec3 c = UvwToCartesian(m, {0, 0, 1});
  EXPECT_LT(a[2], 0);
  EXPECT_NEAR(a[2], std::cos(100 * kDegreesToRadians), 1e-17L);
  EXPECT_NEAR(c[0], 0, 1e-17L);
  EXPECT_NEAR(c[1], 0, 1e-17L);
  EXPECT_NEAR(c[2], 0.8L, 1e-17L);
}

TEST(CellTest, TriclinicRoundTripsAndRightHandedness) {
  const CellMatrices m = BuildCellMatrices({0.9L, 1.0L, 1.1L, 82, 97, 104});
  const Vec3 hkl{1, -2, 3};
  const Vec3 back = CartesianToHkl(m, HklToCartesian(m, hkl));
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(back[i], hkl[i], 1e-17L);
  const Vec3 a = UvwToCartesian(m, {1, 0, 0});
  const Vec3 b = UvwToCartesian(m, {0, 1, 0});
  const Vec3 c = UvwToCartesian(m, {0, 0, 1});
  EXPECT_GT(Dot(Cross(a, b), c), 0);
  EXPECT_GT(b[1], 0);
  EXPECT_NEAR(Norm(a), 0.9L, 1e-17L);
  EXPECT_NEAR(std::acos(Dot(b, c) / Norm(b) / Norm(c)), 82 * kDegreesToRadians, 1e-15L);
  EXPECT_NEAR(std::acos(Dot(a, c) / Norm(a) / Norm(c)), 97 * kDegreesToRadians, 1e-15L);
  EXPECT_NEAR(std::acos(Dot(a, b) / Norm(a) / Norm(b)), 104 * kDegreesToRadians, 1e-15L);
}

TEST(CellTest, DirectionToOrientation) {
  const auto up = DirectionToOrientation({0, 0, 1});
  EXPECT_EQ(up[0], 0);
  EXPECT_EQ(up[2], 0);
  EXPECT_EQ(up[3], 0);
  // +x turns the scene's +Y onto the scene image of +x, which is -Z.
  const auto x = DirectionToOrientation({1, 0, 0});
  EXPECT_EQ(x[0], 1);
  EXPECT_EQ(x[1], 0);
  EXPECT_NEAR(x[3], -std::acos(-1.0L) / 2, 1e-18L);
  EXPECT_EQ(ToSceneAxes({1, 2, 3}), (Vec3{-2, 3, -1}));
}

TEST(CellTest, ModelKeepsLengthsRelativeToTheirMean) {
  CrystalModel model;
  SetCell(model, {10, 20, 30, 90, 90, 90});
  EXPECT_EQ(model.cellLengthMean, 20);
  EXPECT_EQ(model.cell.a, 0.5L);
  EXPECT_EQ(model.cell.b, 1);
  EXPECT_EQ(model.cell.c, 1.5L);
  const UnitCell given = CellAsGiven(model);
  EXPECT_EQ(given.a, 10);
  EXPECT_EQ(given.b, 20);
  EXPECT_EQ(given.c, 30);
  EXPECT_NEAR(d_value(model.matrices, {0, 0, 1}), 1 / 1.5L, 1e-18L);
}

}  // namespace
}  // namespace habitopia
