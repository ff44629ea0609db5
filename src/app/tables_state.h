#pragma once
// The tables region Panel3: the cell boxes, the two face grids, the face edit
// boxes and their buttons, and the symmetry strip.

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

// A face grid: row 0 is the header ("indices", "Distance"), face f is row f + 1.
struct FaceGrid {
  std::vector<std::array<std::string, 2>> rows{{"indices", "Distance"}, {"", ""}};
  int selectedRow = 1;
  bool visible = true;

  int RowCount() const { return static_cast<int>(rows.size()); }
};

struct TablesState {
  FaceGrid stringGrid1;  // all faces
  FaceGrid stringGrid2;  // unique faces
  EditBox edit1;         // indices of the face being edited
  EditBox edit2;         // its distance
  std::array<EditBox, 6> cellEdits;  // Edit4..Edit9: a, b, c, alpha, beta, gamma
  ButtonState addFace;
  ButtonState removeFace;  // remove1
  ButtonState cancelEdit;  // CANCELEDIT
  ButtonState acceptFace;  // ACCEPTFACE
  bool applySymmetry = true;  // ApplyPointgroup, "Apply Symmetry"
  int centralDistance = 10;   // slider Centraldistance, 0..20
};

}  // namespace habitopia
