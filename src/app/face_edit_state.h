#pragma once
// The face editor's own state: the row being edited, its texts when it was
// selected, an unfinished add, the last removed face, and the accepted cell.

#include <string>
#include <vector>

#include "app/cell_commit.h"
#include "app/state/face_preview.h"
#include "core/face.h"
#include "symmetry/face_rows.h"

namespace habitopia {

inline constexpr const char* kEditAddedFaceFirst = "edit added face first";

struct RemovedFace {
  bool present = false;
  FaceRow texts;
  FaceRecord record;
};

// What an add in the unique list overwrites: the new unique face takes the slot
// of a generated face of the full list until the add is accepted.
struct AddBackup {
  std::vector<FaceRecord> faces;
  int lastFace = -1;
  int lastUniqueFace = -1;
};

enum class LabelAnswer : int { Unasked = 0, Yes = 1, No = 2 };

struct FaceEditState {
  bool addingFace = false;
  std::string savedIndexText;
  std::string savedDistanceText;
  // The list (1 full, 2 unique) and row the saved texts were taken from; 0
  // when they belong to no row of the tables shown.
  int savedGrid = 0;
  int savedRow = 0;
  bool rowTyped = false;  // a key was typed in the current row of a list
  RemovedFace removedFace;
  AddBackup addBackup;
  bool labelsLimited = false;    // index labels only on faces with labelSelected
  bool resetAllPending = false;  // "Reset All Faces" clears every special attribute at accept
  AcceptedCell acceptedCell;
  FacePreview preview;
};

}  // namespace habitopia
