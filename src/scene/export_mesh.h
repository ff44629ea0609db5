#pragma once
// The crystal as a polygon mesh for the modern 3D formats (glTF, OBJ, 3MF): the
// scene's corners scaled as the STL export scales them (the farthest corner 25
// millimetres from the centre), every present face one polygon with its colour,
// and the twin shown in the scene as a second body, or fused with the crystal for
// a contact twin (whose contact faces then lie inside and are left out, as in STL).

#include <array>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/polyhedron.h"
#include "scene/scene_writer.h"

namespace habitopia {

inline constexpr const char* kExportLengthUnit = "millimetre";

struct MeshMaterial {
  std::string name;          // "fill" or "face_RRGGBB"
  std::array<int, 3> rgb{};  // 0..255
};

struct MeshPolygon {
  std::vector<int> corners;  // vertex numbers, counter-clockwise seen from outside
  Vec3 normal{};             // unit outward normal
  int material = 0;
  int presentFace = 0;
};

struct MeshBody {
  std::string name;            // "crystal", "twin" or "crystal_and_twin"
  std::vector<Vec3> vertices;  // millimetres, Cartesian frame of the cell (c along +z)
  std::vector<MeshPolygon> polygons;
};

struct ExportMesh {
  Real scale = 0;  // millimetres per scaled unit (the STL scale)
  std::vector<MeshMaterial> materials;
  std::vector<MeshBody> bodies;
};

// The mesh of the built crystal as the scene lists it. Faces drawn in their own
// colour keep it; the others take the display settings' fill colour.
ExportMesh BuildExportMesh(const Polyhedron& polyhedron, const SceneGeometry& geometry,
                           const DisplaySettings& display, TwinChoice twin);

// A fan over the polygon's corners; triangles that repeat a vertex are left out.
std::vector<std::array<int, 3>> TriangulatePolygon(const MeshPolygon& polygon);

// Volume enclosed by a closed body (divergence theorem over its triangles).
Real MeshVolume(const MeshBody& body);

// Every edge of the body's triangles is used once in each direction: the surface
// is closed and consistently oriented.
bool MeshIsClosed(const MeshBody& body);

// The corner numbers of a stored face index list: the closing repeat, the -1
// and immediate repeats (corners the scene numbering merged) removed.
std::vector<int> FaceRing(const std::vector<int>& list);

// The text with &, <, > and " written as XML entities.
std::string XmlEscaped(const std::string& text);

// "#RRGGBB".
std::string HexColour(const std::array<int, 3>& rgb);

}  // namespace habitopia
