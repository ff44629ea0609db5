#pragma once
// The 33 point groups: symbols, orders, cell constraints and operations.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/matrix.h"

namespace habitopia {

inline constexpr int kPointGroupCount = 33;
inline constexpr int kIcosahedralGroup = 33;

enum class LatticeClass {
  Triclinic,
  Monoclinic,
  Orthorhombic,
  Trigonal,
  Tetragonal,
  Hexagonal,
  Cubic,
  Icosahedral,
};

struct PointGroup {
  int number = 0;           // 1..33
  std::string_view symbol;  // also the caption of the group's radio button
  std::string_view hint;    // full symbol hint, empty for most groups
  int order = 0;
  LatticeClass lattice = LatticeClass::Triclinic;
  std::vector<Matrix3> operations;  // in table order; (h k l)' = M (h k l)
};

// Group by number 1..33; any other number is a programming error (throws std::out_of_range).
const PointGroup& GetPointGroup(int number);
// Number of the group with exactly this symbol, or 0 when there is none.
int FindPointGroup(std::string_view symbol);

// The six cell boxes in order: a, b, c (lengths), alpha, beta, gamma (degrees).
enum CellBox : int { kBoxA = 0, kBoxB, kBoxC, kBoxAlpha, kBoxBeta, kBoxGamma, kCellBoxCount };
using CellTexts = std::array<std::string, kCellBoxCount>;
using CellBoxFlags = std::array<bool, kCellBoxCount>;

// What a lattice class does to the cell boxes: forced texts ("90", "120"),
// lengths that take the text of a, and the boxes that end up disabled. The box
// for a is never forced, copied or disabled.
struct CellConstraint {
  std::array<std::string_view, kCellBoxCount> forcedText{};  // empty: not forced
  CellBoxFlags copiesA{};
  CellBoxFlags disabled{};
};

const CellConstraint& GetCellConstraint(LatticeClass lattice);

// Applies a class to the six box texts: first every box is enabled, then the
// forced texts and copies of a are written and the class's boxes disabled.
void ApplyCellConstraint(LatticeClass lattice, CellTexts& texts, CellBoxFlags& enabled);

}  // namespace habitopia
