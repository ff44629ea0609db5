#include "core/matrix.h"

#include <cmath>
#include <utility>

namespace habitopia {

thread_local int MatErr = kMatOk;

Matrix3 Transpose(const Matrix3& a) {
  MatErr = kMatOk;
  Matrix3 t;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[i][j] = a[j][i];
  return t;
}

Matrix3 Identity3() {
  Matrix3 m{};
  for (int i = 0; i < 3; ++i) m[i][i] = 1;
  return m;
}

LUFactors LUDecompose(const Matrix3& a) {
  constexpr int n = 3;
  MatErr = kMatOk;
  LUFactors lu;
  lu.w = a;
  for (int i = 0; i < n; ++i) lu.rowPerm[i] = lu.colPerm[i] = i;
  int sign = 1;
  Matrix3& w = lu.w;

  for (int k = 0; k <= n - 2 && MatErr == kMatOk; ++k) {
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
      MatErr = kMatSingular;
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
  if (det == 0) MatErr = kMatSingular;
  return lu;
}

Vec3 LUSolve(const LUFactors& lu, const Vec3& b) {
  constexpr int n = 3;
  const Matrix3& w = lu.w;
  Vec3 t{};
  for (int i = n - 1; i >= 0; --i) {
    Real sum = b[lu.rowPerm[i]];
    for (int j = 0; j < i; ++j) sum += w[i][j] * b[lu.rowPerm[j]];
    for (int j = i + 1; j < n; ++j) sum -= w[i][j] * t[j];
    t[i] = sum / w[i][i];
  }
  Vec3 x;
  for (int j = 0; j < n; ++j) x[lu.colPerm[j]] = t[j];
  MatErr = kMatOk;
  return x;
}

Real SolveSystem(const Matrix3& a, Vec3& x, const Vec3& b) {
  const LUFactors lu = LUDecompose(a);
  if (lu.det != 0) x = LUSolve(lu, b);
  return lu.det;
}

Real InvertMatrix(const Matrix3& a, Matrix3& inverse) {
  const LUFactors lu = LUDecompose(a);
  if (MatErr == kMatOk) {
    for (int k = 0; k < 3; ++k) {
      Vec3 e{};
      e[k] = 1;
      e = LUSolve(lu, e);
      for (int i = 0; i < 3; ++i) inverse[i][k] = e[i];
    }
  }
  return lu.det;
}

}  // namespace habitopia
