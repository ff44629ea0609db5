#include "prediction/space_group_symmetry.h"

#include <gtest/gtest.h>

#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

DerivedTranslationSymmetry Derive(std::string_view symbol, std::string_view group) {
  const int g = FindPointGroup(group);
  EXPECT_NE(g, 0) << group;
  return DeriveTranslationSymmetry(symbol, g);
}

TEST(SpaceGroupSymmetryTest, MonoclinicUniqueAxisB) {
  for (std::string_view symbol : {"P 21/c", "P 1 21/c 1", "P21/c"}) {
    const auto d = Derive(symbol, "2/m");
    EXPECT_TRUE(d.symmetry.screwB) << symbol;
    EXPECT_EQ(d.symmetry.glide2, Glide::C) << symbol;
    EXPECT_EQ(d.symmetry.centring, Centring::P);
    EXPECT_EQ(d.derived, (std::vector<std::string>{"2_1 screw along b", "c glide [010]"}));
    EXPECT_TRUE(d.ignored.empty());
  }
  const auto c2c = Derive("C 1 2/c 1", "2/m");
  EXPECT_EQ(c2c.symmetry.centring, Centring::C);
  EXPECT_EQ(c2c.symmetry.glide2, Glide::C);
  EXPECT_FALSE(c2c.symmetry.screwB);
  // "2" offers no glide in its [010] panel; I centring is not offered.
  const auto i2 = Derive("I 1 21 1", "2");
  EXPECT_TRUE(i2.symmetry.screwB);
  EXPECT_EQ(i2.symmetry.centring, Centring::P);
  ASSERT_EQ(i2.ignored.size(), 1u);
  EXPECT_EQ(i2.ignored[0], "centring I (not offered for point group 2)");
}

TEST(SpaceGroupSymmetryTest, Orthorhombic) {
  const auto pnma = Derive("P n m a", "2/mm");
  EXPECT_EQ(pnma.symmetry.glide1, Glide::N);
  EXPECT_EQ(pnma.symmetry.glide2, Glide::None);
  EXPECT_EQ(pnma.symmetry.glide3, Glide::A);
  EXPECT_EQ(Derive("Pnma", "2/mm").symmetry, pnma.symmetry);

  const auto p212121 = Derive("P 21 21 21", "22");
  EXPECT_TRUE(p212121.symmetry.screwA);
  EXPECT_TRUE(p212121.symmetry.screwB);
  EXPECT_EQ(p212121.symmetry.screwC, 2);
  EXPECT_EQ(Derive("P212121", "22").symmetry, p212121.symmetry);

  const auto fdd2 = Derive("F d d 2", "mm2");
  EXPECT_EQ(fdd2.symmetry.centring, Centring::F);
  EXPECT_EQ(fdd2.symmetry.glide1, Glide::D);
  EXPECT_EQ(fdd2.symmetry.glide2, Glide::D);

  const auto full = Derive("P 2/n 2/n 21/a", "2/mm");
  EXPECT_EQ(full.symmetry.glide1, Glide::N);
  EXPECT_EQ(full.symmetry.glide2, Glide::N);
  EXPECT_EQ(full.symmetry.glide3, Glide::A);
  EXPECT_EQ(full.symmetry.screwC, 2);
  // The e glide has no choice in the box.
  EXPECT_EQ(Derive("C m c e", "2/mm").ignored.size(), 2u);  // C centring and the e glide
}

TEST(SpaceGroupSymmetryTest, AxialFamilies) {
  const auto i41amd = Derive("I 41/a m d", "4/mm");
  EXPECT_EQ(i41amd.symmetry.centring, Centring::I);
  EXPECT_EQ(i41amd.symmetry.screwC, 4);
  EXPECT_EQ(i41amd.symmetry.glide3, Glide::A);
  EXPECT_EQ(i41amd.symmetry.glide2, Glide::D);
  EXPECT_EQ(i41amd.symmetry.glide1, Glide::None);

  const auto p4212 = Derive("P 4 21 2", "42");
  EXPECT_TRUE(p4212.symmetry.screwA);
  EXPECT_EQ(Derive("P 42/n", "4/m").symmetry.screwC, 2);  // 4_2 as 2_1
  EXPECT_EQ(Derive("P 42/n", "4/m").symmetry.glide3, Glide::N);

  const auto p63mmc = Derive("P 63/m m c", "6/mm");
  EXPECT_EQ(p63mmc.symmetry.screwC, 2);
  EXPECT_EQ(p63mmc.symmetry.glide2, Glide::C);
  EXPECT_EQ(p63mmc.derived,
            (std::vector<std::string>{"6_3 screw along c (as 2_1)", "c glide [110]"}));
  EXPECT_EQ(Derive("P 61 2 2", "62").symmetry.screwC, 6);
  EXPECT_EQ(Derive("P 64 2 2", "62").symmetry.screwC, 3);
  EXPECT_EQ(Derive("P 31 2 1", "32").symmetry.screwC, 3);

  const auto r3c = Derive("R -3 c :H", "-3m");
  EXPECT_EQ(r3c.symmetry.centring, Centring::R);
  EXPECT_EQ(r3c.symmetry.glide1, Glide::C);
  EXPECT_TRUE(r3c.ignored.empty());
}

TEST(SpaceGroupSymmetryTest, Cubic) {
  const auto fd3m = Derive("F d -3 m", "4/m3");
  EXPECT_EQ(fd3m.symmetry.centring, Centring::F);
  EXPECT_EQ(fd3m.symmetry.glide3, Glide::D);
  EXPECT_EQ(fd3m.symmetry.glide2, Glide::None);
  EXPECT_EQ(Derive("Fd-3m", "4/m3").symmetry, fd3m.symmetry);

  const auto ia3d = Derive("I a -3 d", "4/m3");
  EXPECT_EQ(ia3d.symmetry.glide3, Glide::A);
  EXPECT_EQ(ia3d.symmetry.glide2, Glide::D);
  EXPECT_EQ(Derive("P m -3 n", "4/m3").symmetry.glide2, Glide::N);
  EXPECT_EQ(Derive("P 21 3", "23").symmetry.screwC, 2);
  // 4_1 along the axes: cubic groups offer only 2_1.
  const auto p4132 = Derive("P 41 3 2", "43");
  EXPECT_EQ(p4132.symmetry.screwC, 0);
  EXPECT_EQ(p4132.ignored.size(), 1u);
}

TEST(SpaceGroupSymmetryTest, NothingToDerive) {
  EXPECT_EQ(Derive("P -1", "-1").symmetry, TranslationSymmetry{});
  EXPECT_TRUE(Derive("P -1", "-1").derived.empty());
  EXPECT_EQ(Derive("", "4/m3").symmetry, TranslationSymmetry{});
  EXPECT_EQ(Derive("P m -3 m", "4/m3").symmetry, TranslationSymmetry{});
  EXPECT_TRUE(Derive("P m -3 m", "4/m3").ignored.empty());
}

}  // namespace
}  // namespace habitopia
