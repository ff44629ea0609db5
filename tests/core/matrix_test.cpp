#include "core/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <utility>

namespace habitopia {
namespace {

// The elimination as first written, moving rows and columns; the factorisation
// must give its results bit for bit, since corner positions come from it.
LUFactors SwappingLUDecompose(const Matrix3& a, bool& singular) {
  constexpr int n = 3;
  LUFactors lu;
  lu.w = a;
  for (int i = 0; i < n; ++i) lu.rowPerm[i] = lu.colPerm[i] = i;
  int sign = 1;
  singular = false;
  Matrix3& w = lu.w;

  for (int k = 0; k <= n - 2 && !singular; ++k) {
    int pivotRow = k, pivotCol = k;
    Real largest = std::fabs(w[k][k]);
    for (int i = k; i < n; ++i)
      for (int j = k; j < n; ++j)
        if (std::fabs(w[i][j]) > largest) {
          largest = std::fabs(w[i][j]);
          pivotRow = i;
          pivotCol = j;
        }
    if (largest == 0) {
      singular = true;
      break;
    }
    if (pivotCol != k) {
      for (int i = 0; i < n; ++i) std::swap(w[i][k], w[i][pivotCol]);
      std::swap(lu.colPerm[k], lu.colPerm[pivotCol]);
      sign = -sign;
    }
    if (pivotRow != k) {
      std::swap(w[k], w[pivotRow]);
      std::swap(lu.rowPerm[k], lu.rowPerm[pivotRow]);
      sign = -sign;
    }
    const Real p = w[k][k];
    for (int j = k + 1; j < n; ++j) {
      const Real f = w[j][k] / p;
      for (int c = k + 1; c < n; ++c) w[j][c] = w[j][c] - f * w[k][c];
      for (int c = 0; c <= k; ++c) {
        if (c == k)
          w[j][c] = -f;
        else
          w[j][c] = w[j][c] - f * w[k][c];
      }
    }
  }

  Real det = static_cast<Real>(sign);
  for (int i = 0; i < n; ++i) det *= w[i][i];
  lu.det = det;
  if (det == 0) singular = true;
  return lu;
}

bool SameBits(Real a, Real b) { return std::memcmp(&a, &b, 10) == 0; }

bool SameFactors(const LUFactors& a, const LUFactors& b) {
  bool same = a.rowPerm == b.rowPerm && a.colPerm == b.colPerm && SameBits(a.det, b.det);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) same = same && SameBits(a.w[i][j], b.w[i][j]);
  return same;
}

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

TEST(MatrixTest, FactorsBitForBitAsTheSwappingElimination) {
  std::mt19937_64 random(3);
  std::uniform_int_distribution<int> small(-2, 2), kind(0, 2);
  std::uniform_real_distribution<long double> real(-1, 1);
  for (int trial = 0; trial < 200000; ++trial) {
    Matrix3 a{};
    const int k = kind(random);
    for (auto& r : a)
      for (auto& v : r)
        v = k == 0   ? small(random)
            : k == 1 ? real(random)
                     : small(random) * 0.5L + real(random) * 1e-3L;
    if (trial % 7 == 0) a[2] = a[trial % 2];  // singular
    bool singular = false;
    const LUFactors expected = SwappingLUDecompose(a, singular);
    const LUFactors found = LUDecompose(a);
    ASSERT_TRUE(SameFactors(found, expected)) << trial;
    EXPECT_EQ(MatErr == kMatSingular, singular) << trial;
    const Vec3 b{real(random), real(random), small(random)};
    Vec3 x{7, 7, 7};
    ASSERT_TRUE(SameBits(SolveSystem(a, x, b), expected.det)) << trial;
    EXPECT_EQ(MatErr == kMatSingular, singular) << trial;
    if (expected.det != 0) {
      const Vec3 y = LUSolve(expected, b);
      for (int i = 0; i < 3; ++i) ASSERT_TRUE(SameBits(x[i], y[i])) << trial;
    } else {
      EXPECT_EQ(x, (Vec3{7, 7, 7}));
    }
  }
}

}  // namespace
}  // namespace habitopia
