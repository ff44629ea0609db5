#include "core/open_direction.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace habitopia {

std::string LatticeDirectionText(const CellMatrices& cell, const Vec3& direction) {
  // u a + v b + w c = x gives u = a* . x (the columns of the reciprocal matrix).
  Vec3 uvw = MultiplyMatVec(Transpose(cell.reciprocal), direction);
  const Real largest = std::max({std::fabs(uvw[0]), std::fabs(uvw[1]), std::fabs(uvw[2])});
  if (!(largest > 0) || !std::isfinite(largest)) return "[0 0 0]";
  for (Real& v : uvw) v /= largest;
  for (int m = 1; m <= 12; ++m) {
    bool whole = true;
    for (Real v : uvw) whole = whole && std::fabs(v * m - std::nearbyint(v * m)) <= 1e-6L * m;
    if (!whole) continue;
    std::string text = "[";
    for (int i = 0; i < 3; ++i) {
      const long long n = std::llrint(uvw[i] * m);
      text += (i ? " " : "") + std::to_string(n == 0 ? 0 : n);
    }
    return text + "]";
  }
  std::string text = "[";
  for (int i = 0; i < 3; ++i) {
    Real v = std::nearbyint(uvw[i] * 1000) / 1000;
    if (v == 0) v = 0;
    text += (i ? " " : "") + FormatGeneral(v);
  }
  return text + "]";
}

std::string OpenDirectionMessage(const Polyhedron& polyhedron, const CellMatrices& cell) {
  if (!polyhedron.exact || polyhedron.bounded) return {};
  return "no face bounds the crystal along " + LatticeDirectionText(cell, polyhedron.openDirection);
}

}  // namespace habitopia
