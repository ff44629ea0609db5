#include "support/sample_faces.h"

namespace habitopia::test {

FaceRecord Face(Real h, Real k, Real l, Real d) {
  FaceRecord f;
  f.h = h;
  f.k = k;
  f.l = l;
  f.distance = d;
  return f;
}

std::vector<FaceRecord> CubeFaces(Real d) {
  return {Face(1, 0, 0, d),  Face(-1, 0, 0, d), Face(0, 1, 0, d),
          Face(0, -1, 0, d), Face(0, 0, 1, d),  Face(0, 0, -1, d)};
}

void SetCubeFaces(CrystalModel& model) {
  const std::vector<FaceRecord> cube = CubeFaces();
  model.lastFace = static_cast<int>(cube.size()) - 1;
  for (std::size_t f = 0; f < cube.size(); ++f) {
    model.faces[f].h = cube[f].h;
    model.faces[f].k = cube[f].k;
    model.faces[f].l = cube[f].l;
    model.faces[f].distance = cube[f].distance;
  }
  SetCell(model, UnitCell{});
}

BuiltFaces BuildFaces(const std::vector<FaceRecord>& faces, const BuildFacesOptions& options) {
  PolyhedronInput input;
  input.faces = faces;
  input.cell = BuildCellMatrices(options.cell);
  input.cleavageFace = options.cleavageFace;
  input.previousDistanceScale = options.previousDistanceScale;
  BuiltFaces built;
  built.polyhedron = BuildPolyhedron(input);
  built.corners = NumberSceneCorners(built.polyhedron);
  built.lists = BuildFaceIndexLists(built.polyhedron, built.corners, options.withLabelAnchors,
                                    options.cleavageFace);
  return built;
}

}  // namespace habitopia::test
