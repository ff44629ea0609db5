#include "symmetry/point_groups.h"

#include <stdexcept>

namespace habitopia {
namespace {

struct GroupEntry {
  std::string_view symbol;
  std::string_view hint;
  LatticeClass lattice;
  std::string_view operations;  // images of (h,k,l) in table order
};

using L = LatticeClass;

// Groups 1..32: the image (h', k', l') of (h, k, l) under each operation, in the
// order in which expansion appends new faces.
const GroupEntry kGroups[32] = {
    {"1", "", L::Triclinic, "(h,k,l)"},
    {"-1", "", L::Triclinic, "(h,k,l) (-h,-k,-l)"},
    {"2", "", L::Monoclinic, "(h,k,l) (-h,k,-l)"},
    {"m", "", L::Monoclinic, "(h,k,l) (h,-k,l)"},
    {"2/m", "", L::Monoclinic, "(h,k,l) (h,-k,l) (-h,k,-l) (-h,-k,-l)"},
    {"22", "", L::Orthorhombic, "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l)"},
    {"mm2", "", L::Orthorhombic, "(h,k,l) (-h,k,l) (h,-k,l) (-h,-k,l)"},
    {"2/mm", "complete symbol: 2/m 2/m 2/m", L::Orthorhombic,
     "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l) (-h,k,l) (h,-k,l) (h,k,-l) (-h,-k,-l)"},
    {"3", "", L::Trigonal, "(h,k,l) (k,-h-k,l) (-h-k,h,l)"},
    {"32", "", L::Trigonal, "(h,k,l) (k,-h-k,l) (-h-k,h,l) (h,-h-k,-l) (-h-k,k,-l) (k,h,-l)"},
    {"-3", "", L::Trigonal, "(h,k,l) (-k,h+k,-l) (h+k,-h,-l) (-h,-k,-l) (k,-h-k,l) (-h-k,h,l)"},
    {"3m", "", L::Trigonal, "(h,k,l) (k,-h-k,l) (-h-k,h,l) (-h,h+k,l) (h+k,-k,l) (-k,-h,l)"},
    {"-3m", "complete symbol: -3 2/m", L::Trigonal,
     "(h,k,l) (k,-h-k,l) (-h-k,h,l) (-h,-k,-l) (-k,h+k,-l) (h+k,-h,-l) (-h,h+k,l) "
     "(-k,-h,l) (h+k,-k,l) (h,-h-k,-l) (k,h,-l) (-h-k,k,-l)"},
    {"4", "", L::Tetragonal, "(h,k,l) (-k,h,l) (-h,-k,l) (k,-h,l)"},
    {"42", "", L::Tetragonal,
     "(h,k,l) (-k,h,l) (-h,-k,l) (k,-h,l) (k,h,-l) (h,-k,-l) (-k,-h,-l) (-h,k,-l)"},
    {"-4", "", L::Tetragonal, "(h,k,l) (k,-h,-l) (-h,-k,l) (-k,h,-l)"},
    {"4m", "", L::Tetragonal,
     "(h,k,l) (-k,h,l) (-h,-k,l) (k,-h,l) (-h,k,l) (k,h,l) (h,-k,l) (-k,-h,l)"},
    {"-42", "complete symbol: -42m", L::Tetragonal,
     "(h,k,l) (k,-h,-l) (-h,-k,l) (-k,h,-l) (h,-k,-l) (k,h,l) (-h,k,-l) (-k,-h,l)"},
    {"4/m", "", L::Tetragonal,
     "(h,k,l) (-k,h,l) (-h,-k,l) (k,-h,l) (h,k,-l) (-k,h,-l) (-h,-k,-l) (k,-h,-l)"},
    {"4/mm", "complete symbol: 4/m 2/m 2/m", L::Tetragonal,
     "(h,k,l) (-k,h,l) (-h,-k,l) (k,-h,l) (-h,k,l) (k,h,l) (h,-k,l) (-k,-h,l) (h,k,-l) "
     "(-k,h,-l) (-h,-k,-l) (k,-h,-l) (-h,k,-l) (k,h,-l) (h,-k,-l) (-k,-h,-l)"},
    {"6", "", L::Hexagonal, "(h,k,l) (h+k,-h,l) (k,-h-k,l) (-h,-k,l) (-h-k,h,l) (-k,h+k,l)"},
    {"62", "", L::Hexagonal,
     "(h,k,l) (h+k,-h,l) (k,-h-k,l) (-h,-k,l) (-h-k,h,l) (-k,h+k,l) (h,-h-k,-l) "
     "(h+k,-k,-l) (k,h,-l) (-h,h+k,-l) (-h-k,k,-l) (-k,-h,-l)"},
    {"-6", "", L::Hexagonal, "(h,k,l) (k,-h-k,l) (-h-k,h,l) (h,k,-l) (k,-h-k,-l) (-h-k,h,-l)"},
    {"6m", "", L::Hexagonal,
     "(h,k,l) (h+k,-h,l) (k,-h-k,l) (-h,-k,l) (-h-k,h,l) (-k,h+k,l) (-h,h+k,l) (-h-k,k,l) "
     "(-k,-h,l) (h,-h-k,l) (h+k,-k,l) (k,h,l)"},
    {"-62", "", L::Hexagonal,
     "(h,k,l) (k,-h-k,l) (-h-k,h,l) (h,k,-l) (k,-h-k,-l) (-h-k,h,-l) (h,-h-k,-l) "
     "(-h-k,k,-l) (k,h,-l) (h,-h-k,l) (-h-k,k,l) (k,h,l)"},
    {"6/m", "", L::Hexagonal,
     "(h,k,l) (h+k,-h,l) (k,-h-k,l) (-h,-k,l) (-h-k,h,l) (-k,h+k,l) (h,k,-l) (h+k,-h,-l) "
     "(k,-h-k,-l) (-h,-k,-l) (-h-k,h,-l) (-k,h+k,-l)"},
    {"6/mm", "complete symbol: 6/m 2/m 2/m", L::Hexagonal,
     "(h,k,l) (h+k,-h,l) (k,-h-k,l) (-h,-k,l) (-h-k,h,l) (-k,h+k,l) (-h,h+k,l) (-h-k,k,l) "
     "(-k,-h,l) (h,-h-k,l) (h+k,-k,l) (k,h,l) (h,k,-l) (h+k,-h,-l) (k,-h-k,-l) (-h,-k,-l) "
     "(-h-k,h,-l) (-k,h+k,-l) (-h,h+k,-l) (-h-k,k,-l) (-k,-h,-l) (h,-h-k,-l) (h+k,-k,-l) "
     "(k,h,-l)"},
    {"23", "", L::Cubic,
     "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l) (k,l,h) (-k,-l,h) (k,-l,-h) (-k,l,-h) (l,h,k) "
     "(-l,h,-k) (-l,-h,k) (l,-h,-k)"},
    {"m3", "complete symbol: 2/m -3", L::Cubic,
     "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l) (k,l,h) (-k,-l,h) (k,-l,-h) (-k,l,-h) (l,h,k) "
     "(-l,h,-k) (-l,-h,k) (l,-h,-k) (-h,-k,-l) (-h,k,l) (h,-k,l) (h,k,-l) (-k,-l,-h) "
     "(k,l,-h) (-k,l,h) (k,-l,h) (-l,-h,-k) (l,-h,k) (l,h,-k) (-l,h,k)"},
    {"43", "complete symbol: 432", L::Cubic,
     "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l) (k,l,h) (-k,-l,h) (k,-l,-h) (-k,l,-h) (l,h,k) "
     "(-l,h,-k) (-l,-h,k) (l,-h,-k) (k,h,-l) (-k,h,l) (k,-h,l) (-k,-h,-l) (l,k,-h) "
     "(-l,k,h) (-l,-k,-h) (l,-k,h) (h,l,-k) (h,-l,k) (-h,-l,-k) (-h,l,k)"},
    {"-43", "complete symbol: -43m", L::Cubic,
     "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l) (k,l,h) (-k,-l,h) (k,-l,-h) (-k,l,-h) (l,h,k) "
     "(-l,h,-k) (-l,-h,k) (l,-h,-k) (k,h,l) (-k,h,-l) (k,-h,-l) (-k,-h,l) (l,k,h) "
     "(-l,-k,h) (-l,k,-h) (l,-k,-h) (h,l,k) (h,-l,-k) (-h,-l,k) (-h,l,-k)"},
    {"4/m3", "complete symbol 4/m -3 2/m", L::Cubic,
     "(h,k,l) (h,-k,-l) (-h,k,-l) (-h,-k,l) (k,l,h) (-k,-l,h) (k,-l,-h) (-k,l,-h) (l,h,k) "
     "(-l,h,-k) (-l,-h,k) (l,-h,-k) (k,h,l) (-k,h,-l) (k,-h,-l) (-k,-h,l) (l,k,h) "
     "(-l,-k,h) (-l,k,-h) (l,-k,-h) (h,l,k) (h,-l,-k) (-h,-l,k) (-h,l,-k) (-h,-k,-l) "
     "(-h,k,l) (h,-k,l) (h,k,-l) (-k,-l,-h) (k,l,-h) (-k,l,h) (k,-l,h) (-l,-h,-k) (l,-h,k) "
     "(l,h,-k) (-l,h,k) (-k,-h,-l) (k,-h,l) (-k,h,l) (k,h,-l) (-l,-k,-h) (l,k,-h) (l,-k,h) "
     "(-l,k,h) (-h,-l,-k) (-h,l,k) (h,l,-k) (h,-l,k)"},
};

// Group 33: the 60 rotations of the icosahedron (two-fold axes along x, y and z,
// a three-fold axis along [1 1 1], a five-fold axis along (0, -1, 0.618)), in
// Cartesian axes. The irrational entries are kept as stored to three decimals:
// 0.309 for (sqrt 5 - 1) / 4 and 0.809 for (sqrt 5 + 1) / 4.
const Real kIcosahedralOperations[60][3][3] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},                                               // 1
    {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}},                                             // 2
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},                                               // 3
    {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},                                             // 4
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},                                             // 5
    {{-0.309L, -0.5L, 0.809L}, {-0.5L, 0.809L, 0.309L}, {-0.809L, -0.309L, -0.5L}},  // 6
    {{-0.309L, 0.5L, -0.809L}, {0.5L, 0.809L, 0.309L}, {0.809L, -0.309L, -0.5L}},    // 7
    {{-0.309L, 0.5L, 0.809L}, {-0.5L, -0.809L, 0.309L}, {0.809L, -0.309L, 0.5L}},    // 8
    {{0.309L, -0.5L, 0.809L}, {-0.5L, -0.809L, -0.309L}, {0.809L, -0.309L, -0.5L}},  // 9
    {{0.309L, 0.5L, 0.809L}, {-0.5L, 0.809L, -0.309L}, {-0.809L, -0.309L, 0.5L}},    // 10
    {{-0.309L, -0.5L, -0.809L}, {0.5L, -0.809L, 0.309L}, {-0.809L, -0.309L, 0.5L}},  // 11
    {{0.309L, -0.5L, -0.809L}, {0.5L, 0.809L, -0.309L}, {0.809L, -0.309L, 0.5L}},    // 12
    {{0.309L, 0.5L, -0.809L}, {0.5L, -0.809L, -0.309L}, {-0.809L, -0.309L, -0.5L}},  // 13
    {{-0.5L, -0.809L, 0.309L}, {0.809L, -0.309L, 0.5L}, {-0.309L, 0.5L, 0.809L}},    // 14
    {{0.5L, -0.809L, -0.309L}, {-0.809L, -0.309L, -0.5L}, {0.309L, 0.5L, -0.809L}},  // 15
    {{0.5L, 0.809L, -0.309L}, {-0.809L, 0.309L, -0.5L}, {-0.309L, 0.5L, 0.809L}},    // 16
    {{-0.5L, 0.809L, 0.309L}, {-0.809L, -0.309L, -0.5L}, {-0.309L, -0.5L, 0.809L}},  // 17
    {{-0.5L, -0.809L, -0.309L}, {0.809L, -0.309L, -0.5L}, {0.309L, -0.5L, 0.809L}},  // 18
    {{-0.5L, 0.809L, -0.309L}, {-0.809L, -0.309L, 0.5L}, {0.309L, 0.5L, 0.809L}},    // 19
    {{0.5L, -0.809L, 0.309L}, {0.809L, 0.309L, -0.5L}, {0.309L, 0.5L, 0.809L}},      // 20
    {{0.5L, -0.809L, -0.309L}, {0.809L, 0.309L, 0.5L}, {-0.309L, -0.5L, 0.809L}},    // 21
    {{0.809L, 0.309L, -0.5L}, {0.309L, 0.5L, 0.809L}, {0.5L, -0.809L, 0.309L}},      // 22
    {{0.809L, -0.309L, -0.5L}, {-0.309L, 0.5L, -0.809L}, {0.5L, 0.809L, 0.309L}},    // 23
    {{-0.809L, -0.309L, 0.5L}, {-0.309L, -0.5L, -0.809L}, {0.5L, -0.809L, 0.309L}},  // 24
    {{0.809L, 0.309L, 0.5L}, {0.309L, 0.5L, -0.809L}, {-0.5L, 0.809L, 0.309L}},      // 25
    {{-0.809L, 0.309L, 0.5L}, {-0.309L, 0.5L, -0.809L}, {-0.5L, -0.809L, -0.309L}},  // 26
    {{-0.809L, 0.309L, -0.5L}, {0.309L, -0.5L, -0.809L}, {-0.5L, -0.809L, 0.309L}},  // 27
    {{0.809L, -0.309L, 0.5L}, {-0.309L, 0.5L, 0.809L}, {-0.5L, -0.809L, 0.309L}},    // 28
    {{-0.809L, -0.309L, -0.5L}, {0.309L, 0.5L, -0.809L}, {0.5L, -0.809L, -0.309L}},  // 29
    {{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}},                                             // 30
    {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}},                                             // 31
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},                                               // 32
    {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},                                             // 33
    {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},                                             // 34
    {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},                                             // 35
    {{0.309L, 0.5L, 0.809L}, {0.5L, -0.809L, 0.309L}, {0.809L, 0.309L, -0.5L}},      // 36
    {{-0.309L, -0.5L, 0.809L}, {0.5L, -0.809L, -0.309L}, {0.809L, 0.309L, 0.5L}},    // 37
    {{0.309L, 0.5L, -0.809L}, {-0.5L, 0.809L, 0.309L}, {0.809L, 0.309L, 0.5L}},      // 38
    {{-0.309L, 0.5L, -0.809L}, {-0.5L, -0.809L, -0.309L}, {-0.809L, 0.309L, 0.5L}},  // 39
    {{-0.309L, -0.5L, -0.809L}, {-0.5L, 0.809L, -0.309L}, {0.809L, 0.309L, -0.5L}},  // 40
    {{-0.309L, 0.5L, 0.809L}, {0.5L, 0.809L, -0.309L}, {-0.809L, 0.309L, -0.5L}},    // 41
    {{0.309L, -0.5L, 0.809L}, {0.5L, 0.809L, 0.309L}, {-0.809L, 0.309L, 0.5L}},      // 42
    {{0.309L, -0.5L, -0.809L}, {-0.5L, -0.809L, 0.309L}, {-0.809L, 0.309L, -0.5L}},  // 43
    {{0.5L, 0.809L, 0.309L}, {-0.809L, 0.309L, 0.5L}, {0.309L, -0.5L, 0.809L}},      // 44
    {{-0.5L, 0.809L, 0.309L}, {0.809L, 0.309L, 0.5L}, {0.309L, 0.5L, -0.809L}},      // 45
    {{0.5L, 0.809L, -0.309L}, {0.809L, -0.309L, 0.5L}, {0.309L, -0.5L, -0.809L}},    // 46
    {{-0.5L, -0.809L, -0.309L}, {-0.809L, 0.309L, 0.5L}, {-0.309L, 0.5L, -0.809L}},  // 47
    {{-0.5L, 0.809L, -0.309L}, {0.809L, 0.309L, -0.5L}, {-0.309L, -0.5L, -0.809L}},  // 48
    {{0.5L, -0.809L, 0.309L}, {-0.809L, -0.309L, 0.5L}, {-0.309L, -0.5L, -0.809L}},  // 49
    {{0.5L, 0.809L, 0.309L}, {0.809L, -0.309L, -0.5L}, {-0.309L, 0.5L, -0.809L}},    // 50
    {{-0.5L, -0.809L, 0.309L}, {-0.809L, 0.309L, -0.5L}, {0.309L, -0.5L, -0.809L}},  // 51
    {{0.809L, -0.309L, 0.5L}, {0.309L, -0.5L, -0.809L}, {0.5L, 0.809L, -0.309L}},    // 52
    {{0.809L, 0.309L, -0.5L}, {-0.309L, -0.5L, -0.809L}, {-0.5L, 0.809L, -0.309L}},  // 53
    {{0.809L, 0.309L, 0.5L}, {-0.309L, -0.5L, 0.809L}, {0.5L, -0.809L, -0.309L}},    // 54
    {{0.809L, -0.309L, -0.5L}, {0.309L, -0.5L, 0.809L}, {-0.5L, -0.809L, -0.309L}},  // 55
    {{-0.809L, -0.309L, 0.5L}, {0.309L, 0.5L, 0.809L}, {-0.5L, 0.809L, -0.309L}},    // 56
    {{-0.809L, 0.309L, 0.5L}, {0.309L, -0.5L, 0.809L}, {0.5L, 0.809L, 0.309L}},      // 57
    {{-0.809L, 0.309L, -0.5L}, {-0.309L, 0.5L, 0.809L}, {0.5L, 0.809L, -0.309L}},    // 58
    {{-0.809L, -0.309L, -0.5L}, {-0.309L, -0.5L, 0.809L}, {-0.5L, 0.809L, 0.309L}},  // 59
    {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}},                                             // 60
};

// Reads one component such as "-h-k" or "h+k" into a matrix row.
Vec3 ParseComponent(std::string_view text) {
  Vec3 row{0, 0, 0};
  Real sign = 1;
  for (char c : text) {
    switch (c) {
      case '+': sign = 1; break;
      case '-': sign = -1; break;
      case 'h':
        row[0] += sign;
        sign = 1;
        break;
      case 'k':
        row[1] += sign;
        sign = 1;
        break;
      case 'l':
        row[2] += sign;
        sign = 1;
        break;
      default: throw std::logic_error("bad operation text");
    }
  }
  return row;
}

std::vector<Matrix3> ParseOperations(std::string_view text) {
  std::vector<Matrix3> operations;
  std::size_t pos = 0;
  while ((pos = text.find('(', pos)) != std::string_view::npos) {
    const std::size_t close = text.find(')', pos);
    const std::string_view body = text.substr(pos + 1, close - pos - 1);
    Matrix3 m{};
    std::size_t start = 0;
    for (int row = 0; row < 3; ++row) {
      const std::size_t comma = row < 2 ? body.find(',', start) : body.size();
      m[row] = ParseComponent(body.substr(start, comma - start));
      start = comma + 1;
    }
    operations.push_back(m);
    pos = close + 1;
  }
  return operations;
}

std::vector<PointGroup> BuildTable() {
  std::vector<PointGroup> table;
  table.reserve(kPointGroupCount);
  for (int i = 0; i < 32; ++i) {
    PointGroup group;
    group.number = i + 1;
    group.symbol = kGroups[i].symbol;
    group.hint = kGroups[i].hint;
    group.lattice = kGroups[i].lattice;
    group.operations = ParseOperations(kGroups[i].operations);
    group.order = static_cast<int>(group.operations.size());
    table.push_back(std::move(group));
  }
  PointGroup icosahedral;
  icosahedral.number = kIcosahedralGroup;
  icosahedral.symbol = "-5-32";
  icosahedral.lattice = LatticeClass::Icosahedral;
  for (const auto& entries : kIcosahedralOperations) {
    Matrix3 m{};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) m[r][c] = entries[r][c];
    icosahedral.operations.push_back(m);
  }
  icosahedral.order = static_cast<int>(icosahedral.operations.size());
  table.push_back(std::move(icosahedral));
  return table;
}

const std::vector<PointGroup>& Table() {
  static const std::vector<PointGroup> table = BuildTable();
  return table;
}

CellConstraint MakeConstraint(std::initializer_list<std::pair<int, std::string_view>> forced,
                              std::initializer_list<int> copies,
                              std::initializer_list<int> disabled) {
  CellConstraint c;
  for (const auto& [box, text] : forced) c.forcedText[box] = text;
  for (int box : copies) c.copiesA[box] = true;
  for (int box : disabled) c.disabled[box] = true;
  return c;
}

}  // namespace

const PointGroup& GetPointGroup(int number) {
  if (number < 1 || number > kPointGroupCount)
    throw std::out_of_range("point group number " + std::to_string(number));
  return Table()[number - 1];
}

int FindPointGroup(std::string_view symbol) {
  for (const PointGroup& group : Table())
    if (group.symbol == symbol) return group.number;
  return 0;
}

const CellConstraint& GetCellConstraint(LatticeClass lattice) {
  static const CellConstraint triclinic = MakeConstraint({}, {}, {});
  static const CellConstraint monoclinic =
      MakeConstraint({{kBoxAlpha, "90"}, {kBoxGamma, "90"}}, {}, {kBoxAlpha, kBoxGamma});
  static const CellConstraint orthorhombic =
      MakeConstraint({{kBoxAlpha, "90"}, {kBoxBeta, "90"}, {kBoxGamma, "90"}}, {},
                     {kBoxAlpha, kBoxBeta, kBoxGamma});
  static const CellConstraint hexagonal =
      MakeConstraint({{kBoxAlpha, "90"}, {kBoxBeta, "90"}, {kBoxGamma, "120"}}, {kBoxB},
                     {kBoxB, kBoxAlpha, kBoxBeta, kBoxGamma});
  static const CellConstraint tetragonal =
      MakeConstraint({{kBoxAlpha, "90"}, {kBoxBeta, "90"}, {kBoxGamma, "90"}}, {kBoxB},
                     {kBoxB, kBoxAlpha, kBoxBeta, kBoxGamma});
  static const CellConstraint cubic =
      MakeConstraint({{kBoxAlpha, "90"}, {kBoxBeta, "90"}, {kBoxGamma, "90"}}, {kBoxB, kBoxC},
                     {kBoxB, kBoxC, kBoxAlpha, kBoxBeta, kBoxGamma});
  switch (lattice) {
    case LatticeClass::Triclinic: return triclinic;
    case LatticeClass::Monoclinic: return monoclinic;
    case LatticeClass::Orthorhombic: return orthorhombic;
    case LatticeClass::Trigonal:
    case LatticeClass::Hexagonal: return hexagonal;
    case LatticeClass::Tetragonal: return tetragonal;
    case LatticeClass::Cubic:
    case LatticeClass::Icosahedral: return cubic;
  }
  return triclinic;
}

void ApplyCellConstraint(LatticeClass lattice, CellTexts& texts, CellBoxFlags& enabled) {
  const CellConstraint& c = GetCellConstraint(lattice);
  for (int box = 0; box < kCellBoxCount; ++box) {
    enabled[box] = true;
    if (!c.forcedText[box].empty()) texts[box] = std::string(c.forcedText[box]);
    if (c.copiesA[box]) texts[box] = texts[kBoxA];
    if (c.disabled[box]) enabled[box] = false;
  }
}

}  // namespace habitopia
