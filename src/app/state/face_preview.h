#pragma once
// A face typed into the unique list with "Apply Symmetry" checked is expanded
// and drawn while it is typed. What the full list was before that edit is kept
// here: the accept dispatcher checks the typed face against it and rebuilds
// the list, CANCEL brings it back.

#include <array>
#include <string>
#include <vector>

#include "core/face.h"

namespace habitopia {

struct FacePreview {
  bool active = false;
  bool drawn = false;  // a calculation showed the typed face
  std::vector<FaceRecord> faces;
  int lastFace = -1;
  int lastUniqueFace = -1;
  std::vector<std::array<std::string, 2>> fullRows;  // StringGrid1
};

}  // namespace habitopia
