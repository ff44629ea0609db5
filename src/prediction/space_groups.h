#pragma once
// The space groups of gemmi's table and any other group given by its operator
// list or Hall symbol: lookup, the point group they imply, and their systematic
// absences from the operations.
//
// The point-group table fixes its axes (monoclinic unique axis b, "32" with the
// two-fold along a, "-42m" and "-62m" with the two-fold along a, trigonal groups
// on hexagonal axes). A setting whose operations do not fit those axes is taken
// on other axes of the same lattice (a cyclic exchange of a, b, c; the tetragonal
// cell turned by 45 degrees; the hexagonal cell turned by 30 degrees; hexagonal
// axes for rhombohedral ones), and cell and indices are given on those axes.

#include <array>
#include <gemmi/symmetry.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell.h"
#include "prediction/reflection_conditions.h"

namespace habitopia {

using IntMatrix3 = std::array<std::array<int, 3>, 3>;  // by rows
using IntVec3 = std::array<int, 3>;

// What a file or the user stated, in the order of authority.
enum class SpaceGroupSource { OperatorList, HallSymbol, HermannMauguin, Number };

struct SpaceGroupSymmetry {
  int number = 0;      // 1..230; 0 when the operations match no group that could be named
  std::string symbol;  // gemmi's name with its setting ("F d -3 m:2"), else the Hall symbol given
  std::string hall;    // the Hall symbol of the table's setting, or the one given; may be empty
  bool tabulated = false;      // the operations are exactly those of a setting of the table
  gemmi::GroupOps operations;  // on the setting's own axes
  int pointGroup = 0;          // 1..32, on the axes below
  SpaceGroupSource source = SpaceGroupSource::HermannMauguin;
  // Columns: the axes the prediction uses, in units of the setting's axes
  // (identity when the setting fits the point-group table).
  IntMatrix3 axes{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

  std::size_t OperationCount() const { return static_cast<std::size_t>(operations.order()); }
  bool AxesChanged() const;
  // The new axes in words: "a' = a - b, b' = a + b, c' = c".
  std::string AxesText() const;
  // "F d -3 m:2 (No. 227)", with "from the operator list" and the like.
  std::string SettingText() const;
  // The cell on the prediction's axes from the cell on the setting's axes, and back.
  UnitCell CellOnAxes(const UnitCell& settingCell) const;
  UnitCell CellOnSettingAxes(const UnitCell& axesCell) const;
  // (h k l) on the prediction's axes written on the setting's axes, as the
  // smallest integers of the same direction.
  IntVec3 IndicesOnSettingAxes(const Vec3& hkl) const;
  // (h k l) on the prediction's axes: absent by the lattice (not a reflection of
  // the setting's lattice) or by the operations.
  bool Absent(const Vec3& hkl) const;
  // The same on the setting's own axes.
  bool AbsentOnSettingAxes(const IntVec3& hkl) const;
};

// A number 1..230 (the reference setting), a Hermann-Mauguin symbol in full or
// short form, with or without blanks and setting suffix ("P 42/m n m",
// "P21/c", "R -3 c :R", "Fd-3m:2", and the older spellings that
// NormaliseHermannMauguin knows), or a Hall symbol ("-P 4n 2n"). `error` says
// why nothing was found.
std::optional<SpaceGroupSymmetry> FindSpaceGroup(std::string_view text,
                                                 std::string* error = nullptr);

// Every statement of the symmetry a CIF block makes.
struct SpaceGroupStatements {
  std::vector<std::string> operations;  // "x, y+1/2, -z" triplets
  std::string hall;
  std::string hermannMauguin;
  int number = 0;
  // Cell angles, to tell rhombohedral from hexagonal axes when the symbol does not.
  Real alpha = 0, gamma = 0;
  bool Empty() const {
    return operations.empty() && hall.empty() && hermannMauguin.empty() && number == 0;
  }
};

struct ResolvedSpaceGroup {
  std::optional<SpaceGroupSymmetry> group;
  // Statements that were given but could not be used, or that name another group.
  std::vector<std::string> notes;
};

// The group the statements describe: the operator list when it makes a group,
// else the Hall symbol, else the Hermann-Mauguin symbol, else the number. The
// number of a group whose operations are in no setting of the table (an origin
// shift, an unusual centring) comes from the table after an origin shift, else
// from the lesser statements when they name a group of the same point group.
ResolvedSpaceGroup ResolveSpaceGroup(const SpaceGroupStatements& statements);

// The options of the "Shape Prediction" box that the group implies, where the box
// can express them; `derived` and `ignored` name what was taken and what not.
struct ImpliedBoxOptions {
  TranslationSymmetry symmetry;
  std::vector<std::string> derived;
  std::vector<std::string> ignored;
};
ImpliedBoxOptions BoxOptionsOf(const SpaceGroupSymmetry& group);

}  // namespace habitopia
