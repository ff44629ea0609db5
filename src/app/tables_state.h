#pragma once
// The tables region Panel3: the cell boxes, the two face grids, the face edit
// boxes and their buttons, the symmetry strip, and the two boxes laid over the
// grids: "Point Groups" and "Special Face Features".

#include <array>
#include <string>
#include <vector>

namespace habitopia {

struct EditBox {
  std::string text;
  bool enabled = true;
  bool visible = true;
};

struct ButtonState {
  bool enabled = true;
  bool visible = true;
};

inline constexpr const char* kIndicesHeader = "indices";
inline constexpr const char* kDistanceHeader = "Distance";

// A face grid: row 0 is the header ("indices", "Distance"), face f is row f + 1.
struct FaceGrid {
  std::vector<std::array<std::string, 2>> rows{{kIndicesHeader, kDistanceHeader}, {"", ""}};
  int selectedRow = 1;
  bool visible = true;

  int RowCount() const { return static_cast<int>(rows.size()); }
};

// "Special Face Features" (GroupBox3): the face at UpDown2's position.
struct SpecialFacesState {
  int upDown2 = 1;  // "Scroll through faces", 1..upDown2Max
  int upDown2Max = 200;
  std::string label11;  // index text of the face shown
  bool showFaceColor = false;
  bool showIndices = false;
  bool drawGrowthsector = false;
  bool faceImage = false;
  bool imageButton = false;  // "Image" shown while "face image" is checked
  bool glossAllFaces = false;
  int sectorTransparency = 2;  // TransparenceySectorChange: 10 × the sector transparency
};

struct TablesState {
  // "Apply Symmetry" starts checked: the unique list is shown, the full list not.
  FaceGrid stringGrid1{{{kIndicesHeader, kDistanceHeader}, {"", ""}}, 1, false};  // all faces
  FaceGrid stringGrid2;                                                           // unique faces
  EditBox edit1;                     // indices of the face being edited
  EditBox edit2;                     // its distance
  std::array<EditBox, 6> cellEdits;  // Edit4..Edit9: a, b, c, alpha, beta, gamma
  bool metricBox = false;            // "Metric": the cell boxes with "CLOSE"
  ButtonState addFace;               // Button2, "Add Face"
  ButtonState removeFace;            // Button4 / remove1, "Remove"
  ButtonState cancelEdit;            // CANCELEDIT, "CANCEL"
  ButtonState acceptFace;            // ACCEPTFACE, "ACCEPT"
  bool acceptStrip = false;          // the "CANCEL"/"ACCEPT" pair
  bool faceButtonStrip = true;       // "Add Face", "Remove" and the face edit boxes
  bool symmetryStrip = true;         // "Symmetry", "to All", "Apply Symmetry"
  bool applySymmetry = true;         // ApplyPointgroup, "Apply Symmetry"
  int pointGroupChoice = 2;          // the checked radio button of "Point Groups" (1..33)
  int centralDistance = 10;          // slider Centraldistance "central distance", 0..20
  SpecialFacesState special;
};

}  // namespace habitopia
