#pragma once
// What a handler changed in FormState, so that the window updates only that:
// whole parts by flag, and single rows of the face grids.

#include <vector>

namespace habitopia {

enum FormPart : unsigned {
  kCaptionPart = 1u << 0,
  kStatusPart = 1u << 1,      // status panels and progress
  kCommandsPart = 1u << 2,    // menu and toolbar states
  kRegionsPart = 1u << 3,     // region and tool-box visibility, lock
  kTablesPart = 1u << 4,      // cell boxes, edit boxes, buttons of the tables region
  kGrid1ShapePart = 1u << 5,  // StringGrid1's row count, header or visibility
  kGrid2ShapePart = 1u << 6,
  kDisplayPart = 1u << 7,   // utility panel and viewer controls
  kToolsPart = 1u << 8,     // contents of the tool boxes
  kDocumentPart = 1u << 9,  // file names, scene, viewer result
  kAllParts = ~0u,
};

struct GridRows {
  int grid = 1;  // 1: StringGrid1, 2: StringGrid2
  int first = 0;
  int last = 0;  // inclusive
};

struct FormChanges {
  unsigned parts = 0;
  std::vector<GridRows> rows;  // rows whose texts changed, when the grid's shape did not

  bool Has(FormPart part) const { return (parts & part) != 0; }
  bool Empty() const { return parts == 0 && rows.empty(); }
};

}  // namespace habitopia
