#include <cmath>

#include "core/numbers.h"
#include "core/polyhedron.h"

namespace habitopia {

namespace {

Real CoordinateDistance(const Vec3& a, const Vec3& b) {
  return std::fabs(a[0] - b[0]) + std::fabs(a[1] - b[1]) + std::fabs(a[2] - b[2]);
}

// P0, P1, P2 run counter-clockwise seen from outside when their normal points along
// the face's indices; the scene declares faces clockwise, so such a face is reversed.
bool NeedsReversal(const PresentFace& face) {
  const auto& polygon = face.polygon;
  if (polygon.size() < 3) return false;
  const Vec3& p0 = polygon[0].position;
  const Vec3& p1 = polygon[1].position;
  const Vec3& p2 = polygon[2].position;
  const Vec3 w = Cross(SubVec(p2, p1), SubVec(p0, p1));
  const Real o = Dot(w, Vec3{face.h, face.k, face.l});
  return o >= 0;
}

std::array<double, 3> LabelAnchor(const PresentFace& face) {
  double s[3] = {0, 0, 0};
  for (const PolygonEntry& e : face.polygon)
    for (int i = 0; i < 3; ++i) s[i] += static_cast<double>(e.position[i]);
  const double length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
  const double count = static_cast<double>(face.polygon.size());
  std::array<double, 3> anchor;
  for (int i = 0; i < 3; ++i) {
    const double v = s[i] / count + 0.3 * s[i] / length;
    anchor[i] = std::nearbyint(v * 1000) / 1000;
  }
  return anchor;
}

Real TriangleArea(const Vec3& a, const Vec3& b, const Vec3& c) {
  const Real ab = Norm(SubVec(b, a));
  const Real ac = Norm(SubVec(c, a));
  const Real bc = Norm(SubVec(c, b));
  const Real s = (ab + ac + bc) / 2;
  return std::sqrt((s - ab) * s * (s - ac) * (s - bc));
}

}  // namespace

FlatCorners FlattenPolygons(const Polyhedron& polyhedron) {
  FlatCorners flat;
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p)
    for (const PolygonEntry& e : polyhedron.presentFaces[p].polygon) {
      flat.positions.push_back(e.position);
      flat.presentFace.push_back(p);
    }
  return flat;
}

SceneCorners NumberSceneCorners(const Polyhedron& polyhedron) {
  return NumberSceneCorners(polyhedron, FlattenPolygons(polyhedron));
}

SceneCorners NumberSceneCorners(const Polyhedron& polyhedron, const FlatCorners& flat) {
  SceneCorners scene;
  scene.entryCorner.resize(polyhedron.PresentFaceCount());
  const Real mergeDistance = kSceneMergeDistance * polyhedron.mergeScale;
  for (std::size_t q = 0; q < flat.positions.size(); ++q) {
    const Vec3& position = flat.positions[q];
    int number = -1;
    for (int j = 0; j < scene.Count(); ++j)
      if (CoordinateDistance(scene.positions[j], position) < mergeDistance) {
        number = j;
        break;
      }
    if (number < 0) {
      number = scene.Count();
      scene.positions.push_back(position);
    }
    scene.entryCorner[flat.presentFace[q]].push_back(number);
  }
  return scene;
}

FaceIndexLists BuildFaceIndexLists(const Polyhedron& polyhedron, const SceneCorners& corners,
                                   bool withLabelAnchors, int cleavageFace) {
  const int presentCount = polyhedron.PresentFaceCount();
  FaceIndexLists out;
  out.lists.resize(presentCount);
  out.faceArea.assign(presentCount, 0);
  if (withLabelAnchors) out.labelAnchors.resize(presentCount);

  for (int p = 0; p < presentCount; ++p) {
    const PresentFace& face = polyhedron.presentFaces[p];
    const std::vector<int>& numbers = corners.entryCorner[p];
    std::vector<int>& list = out.lists[p];
    if (NeedsReversal(face))
      list.assign(numbers.rbegin(), numbers.rend());
    else
      list.assign(numbers.begin(), numbers.end());
    if (!list.empty()) list.push_back(list.front());
    list.push_back(-1);
    if (withLabelAnchors) out.labelAnchors[p] = LabelAnchor(face);
  }

  const int cleavagePresent =
      cleavageFace >= 0 && cleavageFace < static_cast<int>(polyhedron.presentIndex.size())
          ? polyhedron.presentIndex[cleavageFace]
          : -1;
  const Real scale = polyhedron.distanceScale;
  for (int p = 0; p < presentCount; ++p) {
    if (p == cleavagePresent) continue;
    const std::vector<int>& list = out.lists[p];
    const Real d = polyhedron.presentFaces[p].distance;
    for (std::size_t l = 2; l + 1 < list.size() && list[l + 1] != -1; ++l) {
      const Real area = TriangleArea(corners.positions[list[0]], corners.positions[list[l - 1]],
                                     corners.positions[list[l]]) *
                        (scale * scale);
      out.faceArea[p] += area;
      out.surfaceTotal += area;
      out.volumeTotal += area * d / 3;
    }
  }
  return out;
}

}  // namespace habitopia
