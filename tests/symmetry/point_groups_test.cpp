#include "symmetry/point_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace habitopia {
namespace {

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

bool Contains(const std::vector<Matrix3>& ops, const Matrix3& m) {
  return std::find(ops.begin(), ops.end(), m) != ops.end();
}

TEST(PointGroupTableTest, SymbolsOrdersAndClasses) {
  const char* symbols[] = {"1",   "-1",   "2",  "m",   "2/m",  "22",   "mm2", "2/mm", "3",
                           "32",  "-3",   "3m", "-3m", "4",    "42",   "-4",  "4m",   "-42",
                           "4/m", "4/mm", "6",  "62",  "-6",   "6m",   "-62", "6/m",  "6/mm",
                           "23",  "m3",   "43", "-43", "4/m3", "-5-32"};
  const int orders[] = {1, 2, 2,  2, 4,  4, 4,  8,  3,  6,  6,  6,  12, 4,  8,  4, 8,
                        8, 8, 16, 6, 12, 6, 12, 12, 12, 24, 12, 24, 24, 24, 48, 60};
  for (int n = 1; n <= kPointGroupCount; ++n) {
    const PointGroup& g = GetPointGroup(n);
    EXPECT_EQ(g.number, n);
    EXPECT_EQ(g.symbol, symbols[n - 1]) << n;
    EXPECT_EQ(g.order, orders[n - 1]) << n;
    ASSERT_EQ(static_cast<int>(g.operations.size()), g.order) << n;
    EXPECT_EQ(g.operations[0], Identity3()) << n;
    EXPECT_EQ(FindPointGroup(symbols[n - 1]), n);
  }
  EXPECT_EQ(FindPointGroup("4/m 3 2/m"), 0);
  EXPECT_EQ(FindPointGroup(""), 0);
  EXPECT_THROW(GetPointGroup(0), std::out_of_range);
  EXPECT_THROW(GetPointGroup(34), std::out_of_range);

  EXPECT_EQ(GetPointGroup(8).hint, "complete symbol: 2/m 2/m 2/m");
  EXPECT_EQ(GetPointGroup(32).hint, "complete symbol 4/m -3 2/m");
  EXPECT_EQ(GetPointGroup(18).hint, "complete symbol: -42m");
  int withHint = 0;
  for (int n = 1; n <= kPointGroupCount; ++n) withHint += !GetPointGroup(n).hint.empty();
  EXPECT_EQ(withHint, 9);

  const std::pair<int, LatticeClass> classes[] = {
      {2, LatticeClass::Triclinic},    {5, LatticeClass::Monoclinic},
      {6, LatticeClass::Orthorhombic}, {13, LatticeClass::Trigonal},
      {14, LatticeClass::Tetragonal},  {20, LatticeClass::Tetragonal},
      {21, LatticeClass::Hexagonal},   {27, LatticeClass::Hexagonal},
      {28, LatticeClass::Cubic},       {32, LatticeClass::Cubic},
      {33, LatticeClass::Icosahedral}};
  for (const auto& [n, lattice] : classes) EXPECT_EQ(GetPointGroup(n).lattice, lattice) << n;
}

TEST(PointGroupTableTest, CrystallographicGroupsAreClosedAndDistinct) {
  for (int n = 1; n <= 32; ++n) {
    const auto& ops = GetPointGroup(n).operations;
    for (std::size_t i = 0; i < ops.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) EXPECT_NE(ops[i], ops[j]) << n << ": " << i << "," << j;
      for (const Matrix3& b : ops)
        EXPECT_TRUE(Contains(ops, Multiply(ops[i], b))) << "group " << n << " op " << i + 1;
    }
  }
}

TEST(PointGroupTableTest, IcosahedralOperationsAreNearlyRotations) {
  // The stored three-decimal entries make each matrix orthogonal to within the
  // rounding and every product close to another operation of the table.
  const auto& ops = GetPointGroup(33).operations;
  auto distance = [](const Matrix3& a, const Matrix3& b) {
    Real d = 0;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) d = std::max(d, std::fabs(a[i][j] - b[i][j]));
    return d;
  };
  for (const Matrix3& m : ops) {
    EXPECT_LT(distance(Multiply(m, Transpose(m)), Identity3()), 0.002L);
    const Real det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    EXPECT_NEAR(static_cast<double>(det), 1.0, 0.003);
  }
  for (const Matrix3& a : ops)
    for (const Matrix3& b : ops) {
      Real best = 10;
      for (const Matrix3& c : ops) best = std::min(best, distance(Multiply(a, b), c));
      EXPECT_LT(best, 0.003L);
    }
  EXPECT_EQ(ops[5][0][0], -0.309L);
  EXPECT_EQ(ops[5][2][0], -0.809L);
  EXPECT_EQ(ops[59], (Matrix3{{{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}}}));
}

TEST(CellConstraintTest, ClassesForceAndDisableBoxes) {
  CellTexts texts{"5", "6", "7", "80", "100", "95"};
  CellBoxFlags enabled{};
  ApplyCellConstraint(LatticeClass::Triclinic, texts, enabled);
  EXPECT_EQ(texts, (CellTexts{"5", "6", "7", "80", "100", "95"}));
  EXPECT_EQ(enabled, (CellBoxFlags{true, true, true, true, true, true}));

  ApplyCellConstraint(LatticeClass::Monoclinic, texts, enabled);
  EXPECT_EQ(texts, (CellTexts{"5", "6", "7", "90", "100", "90"}));
  EXPECT_EQ(enabled, (CellBoxFlags{true, true, true, false, true, false}));

  texts = {"5", "6", "7", "80", "100", "95"};
  ApplyCellConstraint(LatticeClass::Orthorhombic, texts, enabled);
  EXPECT_EQ(texts, (CellTexts{"5", "6", "7", "90", "90", "90"}));
  EXPECT_EQ(enabled, (CellBoxFlags{true, true, true, false, false, false}));

  // A trigonal group on a cell with gamma = 90 gets gamma "120" and b = a.
  texts = {"5", "6", "7", "90", "90", "90"};
  ApplyCellConstraint(LatticeClass::Trigonal, texts, enabled);
  EXPECT_EQ(texts, (CellTexts{"5", "5", "7", "90", "90", "120"}));
  EXPECT_EQ(enabled, (CellBoxFlags{true, false, true, false, false, false}));

  texts = {"5", "6", "7", "90", "90", "90"};
  ApplyCellConstraint(LatticeClass::Hexagonal, texts, enabled);
  EXPECT_EQ(texts, (CellTexts{"5", "5", "7", "90", "90", "120"}));

  texts = {"5", "6", "7", "90", "90", "120"};
  ApplyCellConstraint(LatticeClass::Tetragonal, texts, enabled);
  EXPECT_EQ(texts, (CellTexts{"5", "5", "7", "90", "90", "90"}));
  EXPECT_EQ(enabled, (CellBoxFlags{true, false, true, false, false, false}));

  for (LatticeClass lattice : {LatticeClass::Cubic, LatticeClass::Icosahedral}) {
    texts = {"5", "6", "7", "90", "90", "120"};
    ApplyCellConstraint(lattice, texts, enabled);
    EXPECT_EQ(texts, (CellTexts{"5", "5", "5", "90", "90", "90"}));
    EXPECT_EQ(enabled, (CellBoxFlags{true, false, false, false, false, false}));
  }
  // A later, less constrained class enables the boxes again.
  ApplyCellConstraint(LatticeClass::Triclinic, texts, enabled);
  EXPECT_EQ(enabled, (CellBoxFlags{true, true, true, true, true, true}));
}

}  // namespace
}  // namespace habitopia
