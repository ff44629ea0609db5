#include "support/exact_volume.h"

#include <algorithm>
#include <cmath>

namespace habitopia::test {

Real ExactHalfSpaceVolume(const std::vector<FaceRecord>& faces, const UnitCell& cell) {
  const CellMatrices matrices = BuildCellMatrices(cell);
  const int n = static_cast<int>(faces.size());
  std::vector<Vec3> unit(n);
  Real size = 0;
  for (int f = 0; f < n; ++f) {
    const Vec3 normal = HklToCartesian(matrices, faces[f].Indices());
    unit[f] = ScaleVec(normal, 1 / Norm(normal));
    size = std::max(size, std::fabs(faces[f].distance));
  }
  const Real tolerance = 1e-12L * size;
  std::vector<Vec3> corners;
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      for (int k = j + 1; k < n; ++k) {
        const Real det = Dot(unit[i], Cross(unit[j], unit[k]));
        if (std::fabs(det) < 1e-12L) continue;
        // Cramer: x = (di (uj x uk) + dj (uk x ui) + dk (ui x uj)) / det.
        Vec3 x = AddVec(ScaleVec(Cross(unit[j], unit[k]), faces[i].distance),
                        AddVec(ScaleVec(Cross(unit[k], unit[i]), faces[j].distance),
                               ScaleVec(Cross(unit[i], unit[j]), faces[k].distance)));
        x = ScaleVec(x, 1 / det);
        bool inside = true;
        for (int g = 0; g < n && inside; ++g)
          inside = Dot(unit[g], x) - faces[g].distance <= tolerance;
        if (inside) corners.push_back(x);
      }
  Real volume = 0;
  for (int f = 0; f < n; ++f) {
    std::vector<Vec3> polygon;
    for (const Vec3& x : corners) {
      if (std::fabs(Dot(unit[f], x) - faces[f].distance) > tolerance) continue;
      bool known = false;
      for (const Vec3& p : polygon) known = known || Norm(SubVec(p, x)) <= tolerance;
      if (!known) polygon.push_back(x);
    }
    if (polygon.size() < 3) continue;
    Vec3 centre{0, 0, 0};
    for (const Vec3& p : polygon) centre = AddVec(centre, p);
    centre = ScaleVec(centre, 1.0L / polygon.size());
    const Vec3 e1 = ScaleVec(SubVec(polygon[0], centre), 1 / Norm(SubVec(polygon[0], centre)));
    const Vec3 e2 = Cross(unit[f], e1);
    std::sort(polygon.begin(), polygon.end(), [&](const Vec3& a, const Vec3& b) {
      const Vec3 ra = SubVec(a, centre), rb = SubVec(b, centre);
      return std::atan2(Dot(ra, e2), Dot(ra, e1)) < std::atan2(Dot(rb, e2), Dot(rb, e1));
    });
    Real twiceArea = 0;
    for (std::size_t m = 0; m < polygon.size(); ++m)
      twiceArea += Dot(Cross(polygon[m], polygon[(m + 1) % polygon.size()]), unit[f]);
    volume += std::fabs(twiceArea) / 2 * faces[f].distance / 3;
  }
  return volume;
}

}  // namespace habitopia::test
