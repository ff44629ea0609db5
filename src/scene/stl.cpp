#include "scene/stl.h"

#include <algorithm>

#include "core/numbers.h"

namespace habitopia {

namespace {

constexpr Real kDegenerateNormal = 0.001L;

bool Skipped(int p, const SceneGeometry& g, TwinChoice twin) {
  if (p == g.cleavagePresent) return true;
  return twin == TwinChoice::Contact && p == g.contactFace;
}

std::string Triple(const Vec3& v, int width, int decimals) {
  return FormatFixed(v[0], width, decimals) + " " + FormatFixed(v[1], width, decimals) + " " +
         FormatFixed(v[2], width, decimals);
}

void Facets(std::string& out, const Polyhedron& polyhedron, const SceneGeometry& g,
            const std::vector<Vec3>& corners, Real scale, TwinChoice twin, bool reversed) {
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p) {
    if (Skipped(p, g, twin)) continue;
    std::vector<int> list;
    for (int n : g.lists.lists[p]) {
      if (n == -1) break;
      list.push_back(n);
    }
    if (!list.empty()) list.pop_back();  // the repeated first corner
    const int n = static_cast<int>(list.size());
    for (int j = 2; j <= n - 1; ++j) {
      const Vec3 a = ScaleVec(corners[list[0]], scale);
      Vec3 b = ScaleVec(corners[list[j]], scale);
      Vec3 c = ScaleVec(corners[list[j - 1]], scale);
      if (reversed) std::swap(b, c);
      const Vec3 normal = Cross(SubVec(b, a), SubVec(c, a));
      const Real length = Norm(normal);
      if (!(length > kDegenerateNormal)) continue;
      out += "  facet normal " + Triple(ScaleVec(normal, 1 / length), 5, 3) + "\n";
      out += "    outer loop\n";
      for (const Vec3* v : {&a, static_cast<const Vec3*>(&b), static_cast<const Vec3*>(&c)})
        out += "      vertex " + Triple(*v, 5, 2) + "\n";
      out += "    endloop\n";
      out += "  endfacet\n";
    }
  }
}

}  // namespace

Real StlScale(const Polyhedron& polyhedron, const SceneGeometry& g) {
  Real largest = 0;
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p) {
    if (p == g.cleavagePresent) continue;
    for (int n : g.lists.lists[p])
      if (n >= 0 && n < g.corners.Count())
        largest = std::max(largest, Norm(g.corners.positions[n]));
  }
  return largest > 0 ? kStlRadius / largest : 0;
}

std::string StlName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

std::string StlText(const std::string& name, const Polyhedron& polyhedron,
                    const SceneGeometry& geometry, TwinChoice twin) {
  const Real scale = StlScale(polyhedron, geometry);
  std::string out = "solid " + name + " STL\n";
  Facets(out, polyhedron, geometry, geometry.corners.positions, scale, twin, false);
  if (twin != TwinChoice::None && geometry.twinCorners) {
    const bool mirrored = twin == TwinChoice::Contact || twin == TwinChoice::Inversion;
    Facets(out, polyhedron, geometry, *geometry.twinCorners, scale, twin, mirrored);
  }
  out += "endsolid " + name + " STL\n";
  return out;
}

}  // namespace habitopia
