#include "support/clipped_polyhedron.h"

#include <algorithm>
#include <cmath>

namespace habitopia::test {

namespace {

constexpr Real kSquare = 1e7L;  // half-width of the starting square, scaled units

struct Polygon {
  std::vector<Vec3> points;
};

void Clip(Polygon& polygon, const Vec3& n, Real b) {
  Polygon out;
  const std::size_t count = polygon.points.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Vec3& p = polygon.points[i];
    const Vec3& q = polygon.points[(i + 1) % count];
    const Real sp = Dot(n, p) - b, sq = Dot(n, q) - b;
    if (sp <= 0) out.points.push_back(p);
    if ((sp < 0 && sq > 0) || (sp > 0 && sq < 0)) {
      const Real t = sp / (sp - sq);
      out.points.push_back(AddVec(p, ScaleVec(SubVec(q, p), t)));
    }
  }
  polygon = std::move(out);
}

Polygon ClipSquare(const std::vector<FacePlane>& planes, int f, const Vec3& u, const Vec3& e1,
                   const Vec3& e2, const Vec3& centre, Real half) {
  Polygon polygon;
  const Real corners[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (const auto& c : corners)
    polygon.points.push_back(
        AddVec(centre, AddVec(ScaleVec(e1, c[0] * half), ScaleVec(e2, c[1] * half))));
  (void)u;
  const int n = static_cast<int>(planes.size());
  for (int g = 0; g < n && !polygon.points.empty(); ++g) {
    if (g == f) continue;
    const Real gn = Norm(planes[g].normal);
    if (!(gn > 0)) continue;
    Clip(polygon, planes[g].normal, planes[g].offset * gn);
  }
  return polygon;
}

}  // namespace

ClippedPolyhedron ClipHalfSpaces(const PolyhedronInput& input) {
  const Real scale = ComputeDistanceScale(input);
  const std::vector<FacePlane> planes = ComputeFacePlanes(input, scale);
  const int n = static_cast<int>(planes.size());
  ClippedPolyhedron result;
  result.faceArea.assign(n, 0);
  for (int f = 0; f < n; ++f) {
    const Real norm = Norm(planes[f].normal);
    if (!(norm > 0)) continue;
    const Vec3 u = ScaleVec(planes[f].normal, 1 / norm);
    const Vec3 helper = std::fabs(u[0]) < 0.6L ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    Vec3 e1 = Cross(u, helper);
    e1 = ScaleVec(e1, 1 / Norm(e1));
    const Vec3 e2 = Cross(u, e1);
    const Vec3 centre = ScaleVec(u, planes[f].offset);
    // A first pass from a huge square finds the face's extent; the second starts
    // from a square just around it, so that rounding scales with the crystal.
    Polygon polygon = ClipSquare(planes, f, u, e1, e2, centre, kSquare);
    Real reach = 0;
    for (const Vec3& x : polygon.points) reach = std::max(reach, Norm(SubVec(x, centre)));
    const bool open = !(reach < kSquare / 10);
    if (!open && polygon.points.size() >= 3)
      polygon = ClipSquare(planes, f, u, e1, e2, centre, 2 * reach + 1e-30L);
    if (polygon.points.size() < 3) continue;
    result.bounded = result.bounded && !open;
    Vec3 twice{0, 0, 0};
    const Vec3& origin = polygon.points[0];
    for (std::size_t i = 1; i + 1 < polygon.points.size(); ++i)
      twice = AddVec(
          twice, Cross(SubVec(polygon.points[i], origin), SubVec(polygon.points[i + 1], origin)));
    const Real area = std::fabs(Dot(twice, u)) / 2 * scale * scale;
    result.faceArea[f] = area;
    result.surface += area;
    result.volume += area * input.faces[f].distance / 3;
  }
  return result;
}

}  // namespace habitopia::test
