#pragma once
// The 230 space groups: lookup by number, Hermann-Mauguin or Hall symbol, the
// point group they imply, and their systematic absences from the operations.
//
// The point-group table fixes its axes (monoclinic unique axis b, "32" with the
// two-fold along a, "-42m" and "-62m" with the two-fold along a, trigonal groups
// on hexagonal axes). A setting whose operations do not fit those axes is taken
// on other axes of the same lattice (a cyclic exchange of a, b, c; the tetragonal
// cell turned by 45 degrees; the hexagonal cell turned by 30 degrees; hexagonal
// axes for rhombohedral ones), and cell and indices are given on those axes.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell.h"
#include "prediction/hall_symbol.h"
#include "prediction/reflection_conditions.h"

namespace habitopia {

inline constexpr int kSpaceGroupSettings = 530;

struct SpaceGroupEntry {
  int number = 0;            // 1..230
  std::string_view symbol;   // full Hermann-Mauguin symbol, "P 1 21/c 1"
  std::string_view setting;  // "", "1", "2", "H" or "R"
  std::string_view hall;     // "-P 2ybc"
  std::string Name() const;  // the symbol with its setting: "F d -3 m:1"
};

extern const std::array<SpaceGroupEntry, kSpaceGroupSettings> kSpaceGroupTable;

struct SpaceGroupSymmetry {
  int number = 0;      // 0 for a Hall symbol outside the table
  std::string symbol;  // Hermann-Mauguin symbol with setting, or the Hall symbol given
  std::string hall;
  SpaceGroupOperations operations;  // on the setting's own axes
  int pointGroup = 0;               // 1..32, on the axes below
  // Columns: the axes the prediction uses, in units of the setting's axes
  // (identity when the setting fits the point-group table).
  IntMatrix3 axes{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

  bool AxesChanged() const;
  // The new axes in words: "a' = a - b, b' = a + b, c' = c".
  std::string AxesText() const;
  // The cell on the prediction's axes from the cell on the setting's axes.
  UnitCell CellOnAxes(const UnitCell& settingCell) const;
  // (h k l) on the prediction's axes: absent by the lattice (not a reflection of
  // the setting's lattice) or by the operations.
  bool Absent(const Vec3& hkl) const;
};

// A number 1..230 (the reference setting), a Hermann-Mauguin symbol in full or
// short form, with or without blanks and setting suffix ("P 42/m n m",
// "P21/c", "R -3 c :R", "Fd-3m:2"), or a Hall symbol ("-P 4n 2n"). `error`
// says why nothing was found.
std::optional<SpaceGroupSymmetry> FindSpaceGroup(std::string_view text,
                                                 std::string* error = nullptr);

// The symmetry of a table entry.
SpaceGroupSymmetry SpaceGroupOf(const SpaceGroupEntry& entry);

// The options of the "Shape Prediction" box that the group implies, where the box
// can express them; `derived` and `ignored` name what was taken and what not.
struct ImpliedBoxOptions {
  TranslationSymmetry symmetry;
  std::vector<std::string> derived;
  std::vector<std::string> ignored;
};
ImpliedBoxOptions BoxOptionsOf(const SpaceGroupSymmetry& group);

}  // namespace habitopia
