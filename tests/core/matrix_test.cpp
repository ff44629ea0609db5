#include "core/matrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace habitopia {
namespace {

TEST(MatrixTest, DotAndNorm) {
  const Vec3 v{3, 4, 12};
  EXPECT_EQ(Norm(v), 13);
  EXPECT_NEAR(Dot(v, v), Norm(v) * Norm(v), 1e-15L);
  EXPECT_EQ(Norm(Vec3{0, 0, 0}), 0);
  EXPECT_EQ(AddVec(v, Vec3{1, 1, 1}), (Vec3{4, 5, 13}));
  EXPECT_EQ(SubVec(v, Vec3{1, 1, 1}), (Vec3{2, 3, 11}));
  EXPECT_EQ(ScaleVec(v, -2), (Vec3{-6, -8, -24}));
  EXPECT_EQ(Cross(Vec3{1, 0, 0}, Vec3{0, 1, 0}), (Vec3{0, 0, 1}));
}

TEST(MatrixTest, InvertIdentity) {
  Matrix3 inverse{};
  EXPECT_EQ(InvertMatrix(Identity3(), inverse), 1);
  EXPECT_EQ(MatErr, kMatOk);
  EXPECT_EQ(inverse, Identity3());
}

TEST(MatrixTest, SingularLeavesResultUntouched) {
  const Matrix3 equalRows{{{1, 2, 3}, {1, 2, 3}, {0, 1, 5}}};
  Matrix3 inverse{{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}}};
  const Matrix3 before = inverse;
  EXPECT_EQ(InvertMatrix(equalRows, inverse), 0);
  EXPECT_EQ(MatErr, kMatSingular);
  EXPECT_EQ(inverse, before);

  Vec3 x{9, 9, 9};
  EXPECT_EQ(SolveSystem(equalRows, x, Vec3{1, 1, 1}), 0);
  EXPECT_EQ(x, (Vec3{9, 9, 9}));
  EXPECT_EQ(SolveSystem(Matrix3{}, x, Vec3{1, 1, 1}), 0);
}

TEST(MatrixTest, OffDiagonalPivotGivesNegativeDeterminant) {
  // The permutation swapping the first two axes: one column swap.
  const Matrix3 swap{{{0, 1, 0}, {1, 0, 0}, {0, 0, 1}}};
  Matrix3 inverse{};
  EXPECT_EQ(InvertMatrix(swap, inverse), -1);
  EXPECT_EQ(inverse, swap);
}

TEST(MatrixTest, PivotIsFirstLargestInRowMajorOrder) {
  Matrix3 unused{};
  InvertMatrix(Matrix3{}, unused);  // a singular matrix before must not matter
  ASSERT_EQ(MatErr, kMatSingular);
  // Largest magnitude 5 occurs at (0,2) and (2,0); (0,2) comes first: a column swap.
  const Matrix3 a{{{1, 2, 5}, {0, 1, 1}, {-5, 1, 2}}};
  const LUFactors lu = LUDecompose(a);
  EXPECT_EQ(lu.colPerm[0], 2);
  EXPECT_EQ(lu.rowPerm[0], 0);
  EXPECT_EQ(lu.w[0][0], 5);
  EXPECT_NEAR(lu.det, 16, 1e-15L);

  // The stored multipliers are the row operations themselves: M (P A Q) = U.
  Matrix3 permuted{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) permuted[i][j] = a[lu.rowPerm[i]][lu.colPerm[j]];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      Real sum = permuted[i][j];
      for (int m = 0; m < i; ++m) sum += lu.w[i][m] * permuted[m][j];
      const Real upper = j >= i ? lu.w[i][j] : 0;
      EXPECT_NEAR(sum, upper, 1e-17L) << i << "," << j;
    }
}

TEST(MatrixTest, DeterminantAndSolutionOfGeneralSystem) {
  const Matrix3 a{{{2, -1, 0.5L}, {1, 3, -2}, {-4, 0.25L, 1}}};
  const Real expectedDet =
      2 * (3 * 1 - (-2) * 0.25L) - (-1) * (1 * 1 - (-2) * (-4)) + 0.5L * (1 * 0.25L - 3 * (-4));
  const Vec3 truth{0.5L, -1.25L, 2};
  const Vec3 b = MultiplyMatVec(a, truth);
  Vec3 x{};
  EXPECT_NEAR(SolveSystem(a, x, b), expectedDet, 1e-16L);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(x[i], truth[i], 1e-17L);

  Matrix3 inverse{};
  InvertMatrix(a, inverse);
  const Vec3 viaInverse = MultiplyMatVec(inverse, b);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(viaInverse[i], truth[i], 1e-16L);
}

TEST(MatrixTest, SolveInPlaceMatchesSeparateArrays) {
  const Matrix3 a{{{0.3L, 1, -2}, {4, 0.1L, 1}, {1, 1, 1}}};
  Vec3 separate{};
  const Vec3 b{1, 2, 3};
  SolveSystem(a, separate, b);
  Vec3 same = b;
  SolveSystem(a, same, same);
  EXPECT_EQ(same, separate);
}

TEST(MatrixTest, TransposeSwapsIndices) {
  const Matrix3 a{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
  const Matrix3 t = Transpose(a);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(t[i][j], a[j][i]);
}

}  // namespace
}  // namespace habitopia
