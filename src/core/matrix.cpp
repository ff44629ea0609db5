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

namespace {

// Gaussian elimination with complete pivoting on a working copy whose rows and
// columns are exchanged through index tables: entry (i, j) of the factors is
// m[row[i]][column[j]], which saves moving extended reals about.
class Elimination {
 public:
  explicit Elimination(const Matrix3& a) : m_(a) {
    int sign = 1;
    for (int k = 0; k <= kN - 2; ++k) {
      int pivotRow = k, pivotCol = k;
      Real largest = std::fabs(m_[row_[k]][column_[k]]);
      for (int i = k; i < kN; ++i)
        for (int j = k; j < kN; ++j) {
          const Real size = std::fabs(m_[row_[i]][column_[j]]);
          if (size > largest) {
            largest = size;
            pivotRow = i;
            pivotCol = j;
          }
        }
      if (largest == 0) {
        singular_ = true;
        break;
      }
      if (pivotCol != k) {
        std::swap(column_[k], column_[pivotCol]);
        sign = -sign;
      }
      if (pivotRow != k) {
        std::swap(row_[k], row_[pivotRow]);
        sign = -sign;
      }
      const Vec3& top = m_[row_[k]];
      const Real p = top[column_[k]];
      for (int j = k + 1; j < kN; ++j) {
        Vec3& below = m_[row_[j]];
        const Real f = below[column_[k]] / p;
        for (int c = 0; c < kN; ++c)
          if (c != k) below[column_[c]] = below[column_[c]] - f * top[column_[c]];
        below[column_[k]] = -f;
      }
    }
    det_ = static_cast<Real>(sign);
    for (int i = 0; i < kN; ++i) det_ *= At(i, i);
    if (det_ == 0) singular_ = true;
  }

  Real At(int i, int j) const { return m_[row_[i]][column_[j]]; }
  Real Determinant() const { return det_; }
  bool Singular() const { return singular_; }

  LUFactors Factors() const {
    LUFactors lu;
    for (int i = 0; i < kN; ++i) {
      lu.rowPerm[i] = row_[i];
      lu.colPerm[i] = column_[i];
      for (int j = 0; j < kN; ++j) lu.w[i][j] = At(i, j);
    }
    lu.det = det_;
    return lu;
  }

  // LUSolve on the factors in place.
  Vec3 Solve(const Vec3& b) const {
    Vec3 t{};
    for (int i = kN - 1; i >= 0; --i) {
      Real sum = b[row_[i]];
      for (int j = 0; j < i; ++j) sum += At(i, j) * b[row_[j]];
      for (int j = i + 1; j < kN; ++j) sum -= At(i, j) * t[j];
      t[i] = sum / At(i, i);
    }
    Vec3 x;
    for (int j = 0; j < kN; ++j) x[column_[j]] = t[j];
    return x;
  }

 private:
  static constexpr int kN = 3;
  Matrix3 m_;
  int row_[kN] = {0, 1, 2}, column_[kN] = {0, 1, 2};
  Real det_ = 0;
  bool singular_ = false;
};

}  // namespace

LUFactors LUDecompose(const Matrix3& a) {
  const Elimination elimination(a);
  MatErr = elimination.Singular() ? kMatSingular : kMatOk;
  return elimination.Factors();
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
  const Elimination elimination(a);
  if (elimination.Determinant() == 0) {
    MatErr = kMatSingular;
    return elimination.Determinant();
  }
  x = elimination.Solve(b);
  MatErr = kMatOk;
  return elimination.Determinant();
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
