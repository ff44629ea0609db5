#pragma once
// Vector and 3 x 3 matrix arithmetic in x87 extended precision.
// LU factorisation uses complete pivoting; only an exact zero counts as singular.

#include <array>
#include <cmath>

namespace habitopia {

using Real = long double;
using Vec3 = std::array<Real, 3>;
using Matrix3 = std::array<Vec3, 3>;  // stored by rows: m[row][column]
using Permutation3 = std::array<int, 3>;

enum MatrixError : int { kMatOk = 0, kMatNotInitialised = 2, kMatSingular = 3 };

// Error code of the last operation: 0, or 3 after a singular factorisation.
// One per thread, so tests and tools may use the arithmetic concurrently.
extern thread_local int MatErr;

// The vector operations reset MatErr, as every operation of this arithmetic does.
inline Real Dot(const Vec3& a, const Vec3& b) {
  MatErr = kMatOk;
  Real sum = 0;
  for (int i = 0; i < 3; ++i) sum += a[i] * b[i];
  return sum;
}

inline Real Norm(const Vec3& v) {
  MatErr = kMatOk;
  Real sum = 0;
  for (int i = 0; i < 3; ++i) sum += v[i] * v[i];
  return std::sqrt(sum);
}

inline Vec3 ScaleVec(const Vec3& v, Real x) {
  MatErr = kMatOk;
  return {x * v[0], x * v[1], x * v[2]};
}

inline Vec3 AddVec(const Vec3& a, const Vec3& b) {
  MatErr = kMatOk;
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

inline Vec3 SubVec(const Vec3& a, const Vec3& b) {
  MatErr = kMatOk;
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Matrix3 Transpose(const Matrix3& a);
Matrix3 Identity3();
// result[i] = sum over j of m[i][j] * v[j], accumulated from 0 in order.
inline Vec3 MultiplyMatVec(const Matrix3& m, const Vec3& v) {
  Vec3 r;
  for (int i = 0; i < 3; ++i) {
    Real sum = 0;
    for (int j = 0; j < 3; ++j) sum += m[i][j] * v[j];
    r[i] = sum;
  }
  return r;
}

struct LUFactors {
  Matrix3 w{};  // U on and above the diagonal, elimination multipliers below
  Permutation3 rowPerm{};
  Permutation3 colPerm{};
  Real det = 0;
};

// Gaussian elimination with complete pivoting; sets MatErr to 3 when singular.
LUFactors LUDecompose(const Matrix3& a);
// Solves A x = b for the A that produced the factors.
Vec3 LUSolve(const LUFactors& lu, const Vec3& b);
// Returns det A; x is written only when det is not exactly 0.
Real SolveSystem(const Matrix3& a, Vec3& x, const Vec3& b);
// Returns det A; inverse is written only when the factorisation succeeded.
Real InvertMatrix(const Matrix3& a, Matrix3& inverse);

}  // namespace habitopia
