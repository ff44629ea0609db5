#pragma once
// What "habitopia-cli info" reports about a model: the polyhedron the calculation
// builds from its face table, face by face.

#include <string>
#include <vector>

#include "core/model.h"

namespace habitopia::cli {

struct FaceSummary {
  int index = 0;  // face-table index after the clean-up
  Real h = 0, k = 0, l = 0, distance = 0;
  bool present = false;
  int corners = 0;  // distinct scene corners of the face's polygon
  Real area = 0;    // model units squared
  std::vector<int> cornerIndices;  // the polygon's scene corners in order
};

struct ModelSummary {
  int pointGroup = 0;
  std::string pointGroupSymbol;
  int presentFaces = 0;
  int sceneCorners = 0;
  Real surface = 0;
  Real volume = 0;
  Real distanceScale = 1;
  bool closed = false;
  std::string openDirection;  // where an open face set is open, or empty
  std::vector<FaceSummary> faces;
  std::vector<Vec3> cornerPositions;  // Cartesian, model units
};

// Builds the polyhedron of the model's full face table (which the caller has
// cleaned) and numbers its corners as the scene does.
ModelSummary SummariseModel(const CrystalModel& model);

}  // namespace habitopia::cli
