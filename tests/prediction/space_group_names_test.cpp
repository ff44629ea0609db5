#include "prediction/space_group_names.h"

#include <gtest/gtest.h>

#include "prediction/space_groups.h"

namespace habitopia {
namespace {

// Every spelling the lookup accepts beyond gemmi's own, with the group it names.
TEST(SpaceGroupNames, LegacySpellingsNameTheirGroup) {
  const std::pair<const char*, const char*> spellings[] = {
      {"P2~1~/n", "P 1 21/n 1"},
      {"P2~1~2~1~2~1~", "P 21 21 21"},
      {"P2(1)/n", "P 1 21/n 1"},
      {"P2(1)2(1)2(1)", "P 21 21 21"},
      {"Pmn2(1)", "P m n 21"},
      {"P2_1/c", "P 1 21/c 1"},
      {"P 21 /m", "P 1 21/m 1"},
      {"P 21/ c", "P 1 21/c 1"},
      {"Fm3m", "F m -3 m"},
      {"F m 3 m", "F m -3 m"},
      {"F d 3 m", "F d -3 m:1"},
      {"FD3M", "F d -3 m:1"},
      {"Ia3d", "I a -3 d"},
      {"I m 3 m", "I m -3 m"},
      {"Pm3", "P m -3"},
      {"Pa3", "P a -3"},
      {"Pn3n", "P n -3 n:1"},
      {"F 4/m 3 2/m", "F m -3 m"},
      {"P 21/n 21/m 21/a", "P n m a"},
      {"P 21/b 21/c 21/a", "P b c a"},
      {"I 2/b 2/a 2/m", "I b a m"},
      {"F 4/m -3 2/m", "F m -3 m"},
      {"F 41/d -3 2/m", "F d -3 m:1"},
      {"P 63/m 2/m 2/c", "P 63/m m c"},
      {"I 41/a 2/m 2/d", "I 41/a m d:1"},
      {"R -3 2/m", "R -3 m:H"},
      {"P 4/m 2/m 2/m", "P 4/m m m"},
      {"R -3 m H", "R -3 m:H"},
      {"R 3 R", "R 3:R"},
      {"P 21 21 21 (No. 19)", "P 21 21 21"},
      // gemmi reads these as they are.
      {"P21/n", "P 1 21/n 1"},
      {"CMCM", "C m c m"},
      {"I2/c", "I 1 2/c 1"},
      {"R -3 m :H", "R -3 m:H"},
      {"Cmce", "C m c a"},
  };
  for (const auto& [spelling, symbol] : spellings) {
    std::string error;
    const auto group = FindSpaceGroup(spelling, &error);
    ASSERT_TRUE(group) << spelling << ": " << error;
    EXPECT_EQ(group->symbol, symbol) << spelling;
  }
}

TEST(SpaceGroupNames, OtherTextIsLeftAlone) {
  EXPECT_EQ(NormaliseHermannMauguin(" 'P 1 21/c 1' "), "P 1 21/c 1");  // monoclinic full symbol
  EXPECT_EQ(NormaliseHermannMauguin("P 4 3 2"), "P 4 3 2");            // no bar after a rotation
  EXPECT_EQ(NormaliseHermannMauguin("P 2 3"), "P 2 3");
  EXPECT_EQ(NormaliseHermannMauguin("P 31 2 1"), "P 31 2 1");
  EXPECT_EQ(NormaliseHermannMauguin("P 2ac 2ab (1 2 3)"), "P 2ac 2ab (1 2 3)");
  for (const char* bad : {"P 7", "Q 2", "P 2 (0 0", "nonsense", "P2~1~/q"}) {
    std::string error;
    EXPECT_FALSE(FindSpaceGroup(bad, &error)) << bad;
  }
}

}  // namespace
}  // namespace habitopia
