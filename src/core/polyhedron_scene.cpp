#include <algorithm>
#include <cmath>
#include <unordered_map>

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

// Distinct corners by grid cells a little wider than the merge distance (so that
// the rounding of a division cannot matter): corners closer than it, summed over
// the coordinates, lie in neighbouring cells.
class CornerGrid {
 public:
  explicit CornerGrid(Real distance) : cell_(distance * (1 + 1e-9L)) {}

  // Positions beyond the grid's range (or not finite) are searched in full;
  // such corners are also kept out of the grid, so they are never found here.
  bool Covers(const Vec3& p) const {
    for (Real v : p)
      if (!(std::fabs(v / cell_) < 1e6L)) return false;
    return cell_ > 0;
  }

  void Add(const Vec3& p, int number) {
    if (Covers(p))
      cells_[Key(Cell(p[0]), Cell(p[1]), Cell(p[2]))].push_back(number);
    else
      outside_.push_back(number);
  }

  template <typename Visit>
  void ForNeighbours(const Vec3& p, Visit visit) const {
    const long x = Cell(p[0]), y = Cell(p[1]), z = Cell(p[2]);
    for (long dx = -1; dx <= 1; ++dx)
      for (long dy = -1; dy <= 1; ++dy)
        for (long dz = -1; dz <= 1; ++dz) {
          const auto found = cells_.find(Key(x + dx, y + dy, z + dz));
          if (found == cells_.end()) continue;
          for (int j : found->second) visit(j);
        }
    for (int j : outside_) visit(j);
  }

 private:
  long Cell(Real v) const { return static_cast<long>(std::floor(v / cell_)); }
  // Unsigned arithmetic wraps, so the mixing is defined for every cell number.
  static unsigned long Key(long x, long y, long z) {
    const auto ux = static_cast<unsigned long>(x), uy = static_cast<unsigned long>(y),
               uz = static_cast<unsigned long>(z);
    return (ux * 4000003UL + uy) * 4000037UL + uz;
  }

  Real cell_;
  std::unordered_map<unsigned long, std::vector<int>> cells_;
  std::vector<int> outside_;
};

}  // namespace

FlatCorners FlattenPolygons(const Polyhedron& polyhedron) {
  FlatCorners flat;
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p)
    for (const PolygonEntry& e : polyhedron.presentFaces[p].polygon) {
      flat.positions.push_back(e.position);
      flat.presentFace.push_back(p);
      flat.corner.push_back(e.corner);
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
  CornerGrid grid(mergeDistance);
  std::vector<int> numberOfCorner;
  for (std::size_t q = 0; q < flat.positions.size(); ++q) {
    const Vec3& position = flat.positions[q];
    // Entries that name their corner are numbered by it, in the order first met.
    const int corner = q < flat.corner.size() ? flat.corner[q] : -1;
    if (corner >= 0) {
      if (numberOfCorner.size() <= static_cast<std::size_t>(corner))
        numberOfCorner.resize(corner + 1, -1);
      int& known = numberOfCorner[corner];
      if (known < 0) {
        known = scene.Count();
        scene.positions.push_back(position);
      }
      scene.entryCorner[flat.presentFace[q]].push_back(known);
      continue;
    }
    // The first distinct corner within the merge distance: all of them lie in the
    // grid cells next to the position's own.
    int number = -1;
    if (grid.Covers(position)) {
      grid.ForNeighbours(position, [&](int j) {
        if ((number < 0 || j < number) &&
            CoordinateDistance(scene.positions[j], position) < mergeDistance)
          number = j;
      });
    } else {
      for (int j = 0; j < scene.Count(); ++j)
        if (CoordinateDistance(scene.positions[j], position) < mergeDistance) {
          number = j;
          break;
        }
    }
    if (number < 0) {
      number = scene.Count();
      scene.positions.push_back(position);
      grid.Add(position, number);
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
    const PresentFace& face = polyhedron.presentFaces[p];
    const Real d = face.distance;
    auto add = [&](const Vec3& a, const Vec3& b, const Vec3& c) {
      const Real area = TriangleArea(a, b, c) * (scale * scale);
      out.faceArea[p] += area;
      out.surfaceTotal += area;
      out.volumeTotal += area * d / 3;
    };
    if (polyhedron.exact) {
      // Measured on the face's own exact corners, in the order of the index list
      // (a scene corner may show several corners that lie close together).
      const bool own = !face.outline.empty();
      const std::size_t m = own ? face.outline.size() : face.polygon.size();
      const bool reversed = NeedsReversal(face);
      auto at = [&](std::size_t l) -> const Vec3& {
        const std::size_t i = reversed ? m - 1 - l : l;
        return own ? face.outline[i] : face.polygon[i].position;
      };
      for (std::size_t l = 2; l < m; ++l) add(at(0), at(l - 1), at(l));
      continue;
    }
    for (std::size_t l = 2; l + 1 < list.size() && list[l + 1] != -1; ++l)
      add(corners.positions[list[0]], corners.positions[list[l - 1]], corners.positions[list[l]]);
  }
  return out;
}

}  // namespace habitopia
