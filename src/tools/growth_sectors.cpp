#include "tools/growth_sectors.h"

#include <cmath>

namespace habitopia {

namespace {
constexpr Real kSmallestPlaneDistance = 0.001L;
constexpr Real kBehindPlaneMargin = 0.005L;
}  // namespace

void ProjectGrowthSectors(FlatCorners& flat, const Polyhedron& polyhedron, int cleavageFace,
                          Real cleavageDistance) {
  if (cleavageFace < 0 || cleavageFace >= static_cast<int>(polyhedron.planes.size())) return;
  Vec3 u = polyhedron.planes[cleavageFace].normal;
  const Real length = Norm(u);
  if (length != 0) u = ScaleVec(u, 1 / length);

  std::vector<bool> reachedPlane(polyhedron.PresentFaceCount(), false);
  const std::size_t count = flat.positions.size();
  std::size_t faceStart = 0;
  for (std::size_t q = 0; q < count; ++q) {
    const int p = flat.presentFace[q];
    if (q == 0 || flat.presentFace[q - 1] != p) faceStart = q;
    if (polyhedron.presentFaces[p].colourShown != 1) continue;
    Vec3& position = flat.positions[q];
    Real w = Dot(u, position);
    if (std::fabs(w) < kSmallestPlaneDistance) w = kSmallestPlaneDistance;
    const Vec3 projected = ScaleVec(position, cleavageDistance / w);
    if (w <= cleavageDistance - kBehindPlaneMargin) {
      // On the centre's side of the plane: follow the entry before.
      if (q > 0)
        position = flat.positions[q - 1];
      else
        position = projected;
    } else {
      position = projected;
      if (!reachedPlane[p]) {
        reachedPlane[p] = true;
        for (std::size_t e = faceStart; e < q; ++e) flat.positions[e] = projected;
      }
    }
  }
}

}  // namespace habitopia
