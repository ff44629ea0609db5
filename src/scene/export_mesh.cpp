#include "scene/export_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "scene/stl.h"

namespace habitopia {

namespace {

// Twin corners on the contact plane coincide with crystal corners up to rounding.
constexpr Real kWeldDistance = 1e-6L;  // millimetres

std::array<int, 3> FaceRgb(const PresentFace& face, const DisplaySettings& display) {
  if (face.colourShown == 1) {
    std::array<int, 3> rgb{};
    for (int c = 0; c < 3; ++c)
      rgb[c] = static_cast<int>(std::clamp<long long>(std::llround(face.faceColour[c]), 0, 255));
    return rgb;
  }
  return {display.fillColour.red, display.fillColour.green, display.fillColour.blue};
}

int MaterialFor(ExportMesh& mesh, const std::array<int, 3>& rgb, bool fill) {
  for (std::size_t m = 0; m < mesh.materials.size(); ++m)
    if (mesh.materials[m].rgb == rgb) return static_cast<int>(m);
  std::string name = fill ? "fill" : "face_" + HexColour(rgb).substr(1);
  mesh.materials.push_back({std::move(name), rgb});
  return static_cast<int>(mesh.materials.size()) - 1;
}

// Newell's normal of a ring of positions, unit length (zero when degenerate).
Vec3 RingNormal(const std::vector<int>& ring, const std::vector<Vec3>& vertices) {
  Vec3 n{0, 0, 0};
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vec3& a = vertices[ring[i]];
    const Vec3& b = vertices[ring[(i + 1) % ring.size()]];
    n[0] += (a[1] - b[1]) * (a[2] + b[2]);
    n[1] += (a[2] - b[2]) * (a[0] + b[0]);
    n[2] += (a[0] - b[0]) * (a[1] + b[1]);
  }
  const Real length = Norm(n);
  return length > 0 ? ScaleVec(n, 1 / length) : n;
}

// Adds the polygons of one copy of the crystal to `body`, its corners numbered
// from `base`. The stored lists run clockwise seen from outside; a mirrored copy
// (contact or inversion twin) turns them counter-clockwise.
void AddCopy(ExportMesh& mesh, MeshBody& body, const Polyhedron& polyhedron,
             const SceneGeometry& geometry, const DisplaySettings& display,
             const std::vector<Vec3>& corners, bool mirrored, bool skipContact) {
  const int base = static_cast<int>(body.vertices.size());
  for (const Vec3& c : corners) body.vertices.push_back(ScaleVec(c, mesh.scale));
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p) {
    if (p == geometry.cleavagePresent) continue;
    if (skipContact && p == geometry.contactFace) continue;
    std::vector<int> ring = FaceRing(geometry.lists.lists[p]);
    if (ring.size() < 3) continue;
    if (!mirrored) std::reverse(ring.begin(), ring.end());
    for (int& n : ring) n += base;
    const PresentFace& face = polyhedron.presentFaces[p];
    MeshPolygon polygon;
    polygon.normal = RingNormal(ring, body.vertices);
    polygon.corners = std::move(ring);
    polygon.material = MaterialFor(mesh, FaceRgb(face, display), face.colourShown != 1);
    polygon.presentFace = p;
    body.polygons.push_back(std::move(polygon));
  }
}

// Merges vertices closer than the weld distance and drops the unused ones.
void WeldAndCompact(MeshBody& body) {
  const int count = static_cast<int>(body.vertices.size());
  std::vector<int> target(count);
  std::vector<Vec3> kept;
  std::vector<int> used(count, 0);
  for (const MeshPolygon& polygon : body.polygons)
    for (int n : polygon.corners) used[n] = 1;
  for (int i = 0; i < count; ++i) {
    target[i] = -1;
    if (!used[i]) continue;
    for (std::size_t j = 0; j < kept.size(); ++j)
      if (Norm(SubVec(kept[j], body.vertices[i])) < kWeldDistance) {
        target[i] = static_cast<int>(j);
        break;
      }
    if (target[i] < 0) {
      target[i] = static_cast<int>(kept.size());
      kept.push_back(body.vertices[i]);
    }
  }
  body.vertices = std::move(kept);
  for (MeshPolygon& polygon : body.polygons) {
    std::vector<int> ring;
    for (int n : polygon.corners)
      if (ring.empty() || ring.back() != target[n]) ring.push_back(target[n]);
    while (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
    polygon.corners = std::move(ring);
  }
  std::erase_if(body.polygons, [](const MeshPolygon& p) { return p.corners.size() < 3; });
}

}  // namespace

std::vector<int> FaceRing(const std::vector<int>& list) {
  std::vector<int> ring;
  for (int n : list) {
    if (n < 0) break;
    if (ring.empty() || ring.back() != n) ring.push_back(n);
  }
  while (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
  return ring;
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HexColour(const std::array<int, 3>& rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb[0] & 255, rgb[1] & 255, rgb[2] & 255);
  return text;
}

ExportMesh BuildExportMesh(const Polyhedron& polyhedron, const SceneGeometry& geometry,
                           const DisplaySettings& display, TwinChoice twin) {
  ExportMesh mesh;
  mesh.scale = StlScale(polyhedron, geometry);
  const bool withTwin = twin != TwinChoice::None && geometry.twinCorners.has_value();
  const bool contact = withTwin && twin == TwinChoice::Contact;
  const bool mirrored = twin == TwinChoice::Contact || twin == TwinChoice::Inversion;

  MeshBody crystal;
  crystal.name = contact ? "crystal_and_twin" : "crystal";
  AddCopy(mesh, crystal, polyhedron, geometry, display, geometry.corners.positions, false,
          twin == TwinChoice::Contact);
  if (contact)
    AddCopy(mesh, crystal, polyhedron, geometry, display, *geometry.twinCorners, true, true);
  WeldAndCompact(crystal);
  mesh.bodies.push_back(std::move(crystal));
  if (withTwin && !contact) {
    MeshBody copy;
    copy.name = "twin";
    AddCopy(mesh, copy, polyhedron, geometry, display, *geometry.twinCorners, mirrored, false);
    WeldAndCompact(copy);
    mesh.bodies.push_back(std::move(copy));
  }
  return mesh;
}

std::vector<std::array<int, 3>> TriangulatePolygon(const MeshPolygon& polygon) {
  std::vector<std::array<int, 3>> triangles;
  const auto& c = polygon.corners;
  for (std::size_t j = 2; j < c.size(); ++j) {
    const std::array<int, 3> t{c[0], c[j - 1], c[j]};
    if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) continue;
    triangles.push_back(t);
  }
  return triangles;
}

Real MeshVolume(const MeshBody& body) {
  Real volume = 0;
  for (const MeshPolygon& polygon : body.polygons)
    for (const auto& t : TriangulatePolygon(polygon))
      volume += Dot(body.vertices[t[0]], Cross(body.vertices[t[1]], body.vertices[t[2]]));
  return volume / 6;
}

bool MeshIsClosed(const MeshBody& body) {
  std::map<std::pair<int, int>, int> directed;
  for (const MeshPolygon& polygon : body.polygons)
    for (const auto& t : TriangulatePolygon(polygon))
      for (int e = 0; e < 3; ++e) ++directed[{t[e], t[(e + 1) % 3]}];
  for (const auto& [edge, count] : directed) {
    if (count != 1) return false;
    const auto back = directed.find({edge.second, edge.first});
    if (back == directed.end() || back->second != 1) return false;
  }
  return !directed.empty();
}

}  // namespace habitopia
