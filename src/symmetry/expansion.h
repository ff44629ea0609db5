#pragma once
// Completing the face table by point-group symmetry: expanding one edited face
// into the full list, and rebuilding the full list from the unique list.

#include <functional>
#include <string>

#include "core/model.h"
#include "symmetry/face_rows.h"

namespace habitopia {

struct ExpansionSource {
  int face = -1;          // face index of the current row (grid row - 1)
  std::string indexText;  // the face edit box texts
  std::string distanceText;
};

struct ExpansionOptions {
  char separator = '.';
  // Asked each time a new face is appended; false clears the new face's
  // labelSelected instead of copying the source's (the "apply symmetry to
  // indices" question and the open "Special Face Features" box are the
  // caller's). Unset: copy.
  std::function<bool()> copyLabelSelected;
};

struct ExpansionResult {
  bool expanded = false;         // false: busy, no operations, bad source or distance text
  int appended = 0;              // new faces at the end of the table
  bool tableFull = false;        // an image found no free face slot and was left out
  bool calculationDue = false;   // the last operation appended (and parsed) a face
  int currentFace = -1;          // the row made current last
  std::string currentIndexText;  // the index edit box afterwards
};

// Expands the source face by the operations of model.pointGroup, in table order
// (model.operationCount of them). Each image M (h k l) of the source's indices
// is rounded to 0.001 through an integer and turned into an index text; rows of
// the full list with exactly that text take the source's distance (value and
// text); when there is none, a face is appended with the source's appearance
// attributes and the row parsed. At the end the source row's distance text is
// the source's. `fullRows` must describe faces 0..model.lastFace.
ExpansionResult ExpandFace(CrystalModel& model, FaceRows& fullRows, const ExpansionSource& source,
                           const ExpansionOptions& options = {});

struct RebuildResult {
  int expandedFaces = 0;  // unique faces expanded
  bool tableFull = false;
  bool stopped = false;  // `continueAfter` ended the run early
};

// "to All": the full list becomes a copy of the unique list (faces 0..U-1 of the
// table describe the unique faces), then each unique face in order is parsed and
// expanded. `continueAfter(i)` is asked after unique face i; returning false ends
// the run (the caller's face limit). The caller runs one calculation afterwards.
RebuildResult RebuildFullList(CrystalModel& model, const FaceRows& uniqueRows, FaceRows& fullRows,
                              const ExpansionOptions& options = {},
                              const std::function<bool(int uniqueFace)>& continueAfter = {});

}  // namespace habitopia
