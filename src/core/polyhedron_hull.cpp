#include <cmath>

#include "core/polyhedron.h"

namespace habitopia {

namespace {

// Merging corners closer than 0.005 can move a polygon's outline by that much.
constexpr Real kClosureTolerance = 0.01L;  // relative to the total area

// Twice the area vector of a planar polygon (Newell's method).
Vec3 TwiceAreaVector(const std::vector<PolygonEntry>& polygon) {
  Vec3 sum{0, 0, 0};
  const std::size_t count = polygon.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Vec3& a = polygon[i].position;
    const Vec3& b = polygon[(i + 1) % count].position;
    sum = AddVec(sum, Cross(a, b));
  }
  return sum;
}

}  // namespace

bool VolumeIsPlausible(Real volumeTotal, Real distanceScale) {
  const Real limit = 10000 * (distanceScale * distanceScale * distanceScale);
  if (std::isnan(volumeTotal)) return false;
  return volumeTotal != 0 && !(volumeTotal > limit);
}

bool SurfaceIsClosed(const Polyhedron& polyhedron, int cleavageFace) {
  if (polyhedron.exact) return polyhedron.bounded && polyhedron.PresentFaceCount() > 0;
  Vec3 total{0, 0, 0};
  Real area = 0;
  for (const PresentFace& face : polyhedron.presentFaces) {
    if (face.face == cleavageFace) continue;
    const Vec3& normal = polyhedron.planes[face.face].normal;
    const Real length = Norm(normal);
    if (!(length > 0)) continue;
    const Real faceArea = Norm(TwiceAreaVector(face.polygon)) / 2;
    total = AddVec(total, ScaleVec(normal, faceArea / length));
    area += faceArea;
  }
  return area > 0 && Norm(total) <= kClosureTolerance * area;
}

bool IsHullClosed(const Polyhedron& polyhedron, const FaceIndexLists& lists, int cleavageFace) {
  return VolumeIsPlausible(lists.volumeTotal, polyhedron.distanceScale) &&
         SurfaceIsClosed(polyhedron, cleavageFace);
}

}  // namespace habitopia
