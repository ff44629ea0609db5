#include "core/cell.h"

#include <cmath>

namespace habitopia {

CellMatrices BuildCellMatrices(const UnitCell& cell) {
  const Real sinBeta = std::sin(cell.beta * kDegreesToRadians);
  const Real cosAlpha = std::cos(cell.alpha * kDegreesToRadians);
  const Real cosBeta = std::cos(cell.beta * kDegreesToRadians);
  const Real cosGamma = std::cos(cell.gamma * kDegreesToRadians);

  const Real volumeFactor = std::sqrt(((1 - cosAlpha * cosAlpha) - cosBeta * cosBeta) -
                                      cosGamma * cosGamma + 2 * cosAlpha * cosBeta * cosGamma);
  const Real x = -(volumeFactor * sinBeta);

  CellMatrices m;
  Matrix3& b = m.reciprocal;
  b[0] = {(1 / cell.a) / sinBeta, 0, (-cosBeta / cell.c) / sinBeta};
  b[1] = {((cosGamma - cosAlpha * cosBeta) / cell.a) / x, ((cosBeta * cosBeta - 1) / cell.b) / x,
          ((cosAlpha - cosBeta * cosGamma) / cell.c) / x};
  b[2] = {0, 0, 1 / cell.c};

  Matrix3 inverse{};
  InvertMatrix(b, inverse);
  m.inverseReciprocal = inverse;
  m.direct = Transpose(inverse);
  return m;
}

Vec3 HklToCartesian(const CellMatrices& m, const Vec3& hkl) {
  return MultiplyMatVec(m.reciprocal, hkl);
}

Vec3 CartesianToHkl(const CellMatrices& m, const Vec3& x) {
  return MultiplyMatVec(m.inverseReciprocal, x);
}

Vec3 UvwToCartesian(const CellMatrices& m, const Vec3& uvw) {
  return MultiplyMatVec(m.direct, uvw);
}

Real d_value(const CellMatrices& m, const Vec3& hkl) { return Norm(HklToCartesian(m, hkl)); }

std::array<Real, 4> DirectionToOrientation(const Vec3& d) {
  const Real r = std::sqrt((d[0] * d[0] + d[1] * d[1]) + d[2] * d[2]);
  const Real t = d[2] / r;
  return {d[0] / r, 0, -d[1] / r, -std::atan2(std::sqrt(1 - t * t), t)};
}

Vec3 ToSceneAxes(const Vec3& p) { return {-p[1], p[2], -p[0]}; }

}  // namespace habitopia
