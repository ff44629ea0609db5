#pragma once
// Small face tables built by hand: single faces and the unit cube.

#include <vector>

#include "core/face.h"
#include "core/model.h"
#include "core/polyhedron.h"

namespace habitopia::test {

// A face with only its indices and central distance set.
FaceRecord Face(Real h, Real k, Real l, Real d = 1);

// The cube faces (1 0 0), (-1 0 0), (0 1 0), (0 -1 0), (0 0 1), (0 0 -1) at distance d.
std::vector<FaceRecord> CubeFaces(Real d = 1);

// Gives the model the cube faces at distance 1 in face slots 0..5 (indices and
// distance only) and the default cell.
void SetCubeFaces(CrystalModel& model);

// A face table built by the polyhedron builder, with its scene corners and face
// index lists.
struct BuiltFaces {
  Polyhedron polyhedron;
  SceneCorners corners;
  FaceIndexLists lists;
};

struct BuildFacesOptions {
  UnitCell cell;          // the default cell unless given
  int cleavageFace = -1;  // passed to the builder and to the index lists
  Real previousDistanceScale = 1;
  bool withLabelAnchors = false;
};

BuiltFaces BuildFaces(const std::vector<FaceRecord>& faces, const BuildFacesOptions& options = {});

}  // namespace habitopia::test
