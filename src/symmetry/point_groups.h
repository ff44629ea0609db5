#pragma once
// The 33 point groups: symbols, orders, cell constraints and operations.

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
  int number = 0;              // 1..33
  std::string_view symbol;     // also the caption of the group's radio button
  std::string_view hint;       // full symbol hint, empty for most groups
  int order = 0;
  LatticeClass lattice = LatticeClass::Triclinic;
  std::vector<Matrix3> operations;  // in table order; (h k l)' = M (h k l)
};

// Group by number 1..33; any other number is a programming error (throws std::out_of_range).
const PointGroup& GetPointGroup(int number);
// Number of the group with exactly this symbol, or 0 when there is none.
int FindPointGroup(std::string_view symbol);

}  // namespace habitopia
