#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "files/cif.h"

namespace habitopia {
namespace {

// The point group a CIF's space-group symbol gives the model.
int PointGroupOfSymbol(const std::string& symbol) {
  return ImportCifText("data_x\n_symmetry_space_group_name_H-M " + symbol + "\n").pointGroup;
}

int PointGroupOfNumber(int number) {
  const auto group = FindSpaceGroup(std::to_string(number));
  return group ? group->pointGroup : 0;
}

TEST(SpaceGroups, ClassesOfTheNumbers) {
  // Each class holds the known count of space groups.
  std::map<int, int> perClass;
  for (int n = 1; n <= 230; ++n) ++perClass[PointGroupOfNumber(n)];
  EXPECT_EQ(perClass.size(), 32u);
  // Space groups per crystal system: 2, 13, 59, 68, 25, 27, 36.
  int system[7] = {};
  for (const auto& [group, count] : perClass) {
    const int s = group <= 2    ? 0
                  : group <= 5  ? 1
                  : group <= 8  ? 2
                  : group <= 13 ? 4
                  : group <= 20 ? 3
                  : group <= 27 ? 5
                                : 6;
    system[s] += count;
  }
  EXPECT_EQ(system[0], 2);
  EXPECT_EQ(system[1], 13);
  EXPECT_EQ(system[2], 59);
  EXPECT_EQ(system[3], 68);
  EXPECT_EQ(system[4], 25);
  EXPECT_EQ(system[5], 27);
  EXPECT_EQ(system[6], 36);
  // Sohncke groups (no inversion, no mirror) are exactly the 65 of the proper classes.
  int proper = 0;
  for (int n = 1; n <= 230; ++n) {
    const int g = PointGroupOfNumber(n);
    if (g == 1 || g == 3 || g == 6 || g == 9 || g == 10 || g == 14 || g == 15 || g == 21 ||
        g == 22 || g == 28 || g == 30)
      ++proper;
  }
  EXPECT_EQ(proper, 65);
  EXPECT_EQ(PointGroupOfNumber(0), 0);
  EXPECT_EQ(PointGroupOfNumber(231), 0);
  // Each standard short symbol, with and without blanks, names its number.
  for (int n = 1; n <= 230; ++n) {
    const gemmi::SpaceGroup& sg = gemmi::get_spacegroup_reference_setting(n);
    std::string compact = sg.short_name();
    if (sg.ext == 'H') compact[0] = 'R';
    EXPECT_EQ(PointGroupOfSymbol("'" + compact + "'"), PointGroupOfNumber(n)) << compact;
    EXPECT_EQ(PointGroupOfSymbol("'" + sg.xhm() + "'"), PointGroupOfNumber(n)) << sg.xhm();
  }
}

TEST(SpaceGroups, SymbolsAsFilesWriteThem) {
  const std::pair<const char*, int> cases[] = {
      {"P 63/m m c", 27},
      {"R -3 m :H", 13},
      {"P n m a", 8},
      {"F d -3 m:1", 32},
      {"P 4/n m m :2", 20},
      {"P 21/c", 5},
      {"P2~1~/c", 5},
      {"Pmn2(1)", 7},
      {"P 1 21/c 1", 5},
      {"C 1 2/c 1", 5},
      {"P 21/b 21/c 21/a", 8},
      {"F 4/m -3 2/m", 32},
      {"P 63/m 2/m 2/c", 27},
      {"I 41/a 2/m 2/d", 20},
      {"R -3 2/m", 13},
      {"P 1 1 21/b", 5},
      {"P b n m", 8},
      {"P 21 c n", 7},
      {"P m 2 m", 7},
      {"C m c a", 8},
      {"A b m 2", 7},
      {"F m 3 m", 32},
      {"P a 3", 29},
      {"P21/c", 5},
      {"P6322", 22},
      {"Fm-3m", 32},
      {"P212121", 6},
      {"P-43n", 31},
      {"P3121", 10},
      {"P 31 1 2", 10},
      {"P -6 2 c", 25},
      {"P -4 b 2", 18},
      {"R 3 m H", 12},
      {"P 21 21 21 (No. 19)", 6},
      {"P 1", 1},
      {"P -1", 2},
      {"I a -3 d", 32},
      {"P 3 1 c", 12},
  };
  for (const auto& [symbol, group] : cases)
    EXPECT_EQ(PointGroupOfSymbol("'" + std::string(symbol) + "'"), group) << symbol;
  for (const char* bad : {"''", "xyz", "'P 7'", "?", "'.'", "'P 4 4'"})
    EXPECT_EQ(PointGroupOfSymbol(bad), 0) << bad;
}

}  // namespace
}  // namespace habitopia
