#include "prediction/reflection_conditions.h"

#include <gtest/gtest.h>

#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

bool Absent(const TranslationSymmetry& s, Real h, Real k, Real l, int group = 8) {
  return extinct(s, group, h, k, l);
}

TranslationSymmetry With(Centring c) {
  TranslationSymmetry s;
  s.centring = c;
  return s;
}

TEST(ReflectionConditionTest, NothingIsAbsentWithoutAChoice) {
  const TranslationSymmetry none;
  for (int g : {1, 8, 13, 20, 27, 32, 33})
    for (int h = -4; h <= 4; ++h)
      for (int k = -4; k <= 4; ++k)
        for (int l = -4; l <= 4; ++l) EXPECT_FALSE(extinct(none, g, h, k, l));
}

TEST(ReflectionConditionTest, Centrings) {
  EXPECT_TRUE(Absent(With(Centring::I), 1, 0, 0));
  EXPECT_FALSE(Absent(With(Centring::I), 2, 0, 0));
  EXPECT_FALSE(Absent(With(Centring::I), 1, 1, 0));
  EXPECT_TRUE(Absent(With(Centring::I), -1, -1, -1));
  EXPECT_TRUE(Absent(With(Centring::F), 1, 1, 0));
  EXPECT_TRUE(Absent(With(Centring::F), 1, 0, 0));
  EXPECT_FALSE(Absent(With(Centring::F), 1, 1, 1));
  EXPECT_FALSE(Absent(With(Centring::F), -2, 0, 0));
  EXPECT_TRUE(Absent(With(Centring::A), 5, 1, 0));
  EXPECT_FALSE(Absent(With(Centring::A), 5, 1, 1));
  EXPECT_TRUE(Absent(With(Centring::B), 1, 4, 0));
  EXPECT_FALSE(Absent(With(Centring::B), 1, 4, 1));
  EXPECT_TRUE(Absent(With(Centring::C), 0, 1, 2));
  EXPECT_FALSE(Absent(With(Centring::C), 1, 1, 2));
  EXPECT_FALSE(Absent(With(Centring::P), 1, 2, 3));
}

TEST(ReflectionConditionTest, RhombohedralCentringPassesEveryMultipleOfThree) {
  const TranslationSymmetry r = With(Centring::R);
  EXPECT_FALSE(Absent(r, 0, 0, 3, 13));
  EXPECT_FALSE(Absent(r, 1, 0, 1, 13));  // -h + k + l = 0
  EXPECT_TRUE(Absent(r, 1, 0, 0, 13));
  EXPECT_TRUE(Absent(r, 0, 0, 1, 13));
  EXPECT_FALSE(Absent(r, -1, 1, 1, 13));  // 3
  EXPECT_FALSE(Absent(r, 0, 0, -3, 13));  // the absolute value counts
  EXPECT_FALSE(Absent(r, 0, 7, 8, 13));   // 15 is a multiple of 3 and present
  EXPECT_FALSE(Absent(r, -6, 6, 6, 13));  // 18
  EXPECT_TRUE(Absent(r, -6, 6, 5, 13));   // 17
}

TEST(ReflectionConditionTest, ScrewAxes) {
  TranslationSymmetry s;
  s.screwC = 4;
  EXPECT_FALSE(Absent(s, 0, 0, 4, 14));
  EXPECT_FALSE(Absent(s, 0, 0, 8, 14));
  EXPECT_FALSE(Absent(s, 0, 0, 12, 14));
  EXPECT_FALSE(Absent(s, 0, 0, 16, 14));  // any multiple of 4
  EXPECT_TRUE(Absent(s, 0, 0, 2, 14));
  EXPECT_TRUE(Absent(s, 0, 0, 6, 14));
  EXPECT_TRUE(Absent(s, 0, 0, -1, 14));
  EXPECT_FALSE(Absent(s, 1, 0, 1, 14));  // not on the axis
  s.screwC = 3;
  EXPECT_FALSE(Absent(s, 0, 0, 3, 9));
  EXPECT_FALSE(Absent(s, 0, 0, 6, 9));
  EXPECT_FALSE(Absent(s, 0, 0, 12, 9));  // any multiple of 3
  EXPECT_FALSE(Absent(s, 0, 0, -9, 9));
  EXPECT_TRUE(Absent(s, 0, 0, 4, 9));
  s.screwC = 6;
  EXPECT_FALSE(Absent(s, 0, 0, 6, 21));
  EXPECT_FALSE(Absent(s, 0, 0, 24, 21));
  EXPECT_TRUE(Absent(s, 0, 0, 3, 21));
  EXPECT_TRUE(Absent(s, 0, 0, 20, 21));
  s.screwC = 2;
  EXPECT_TRUE(Absent(s, 0, 0, 1, 6));
  EXPECT_FALSE(Absent(s, 0, 0, 2, 6));
  EXPECT_FALSE(Absent(s, 0, 0, 0, 6));

  TranslationSymmetry a;
  a.screwA = true;
  EXPECT_TRUE(Absent(a, 1, 0, 0));
  EXPECT_FALSE(Absent(a, 2, 0, 0));
  EXPECT_FALSE(Absent(a, 1, 1, 0));
  TranslationSymmetry b;
  b.screwB = true;
  EXPECT_TRUE(Absent(b, 0, -3, 0));
  EXPECT_FALSE(Absent(b, 0, 2, 0));
  EXPECT_FALSE(Absent(b, 0, 3, 1));
}

TEST(ReflectionConditionTest, GlidesPerpendicularToA) {
  TranslationSymmetry s;
  s.glide1 = Glide::B;
  EXPECT_TRUE(Absent(s, 0, 1, 2));
  EXPECT_FALSE(Absent(s, 0, 2, 1));
  EXPECT_FALSE(Absent(s, 1, 1, 2));
  s.glide1 = Glide::C;
  EXPECT_TRUE(Absent(s, 0, 2, 1));
  EXPECT_FALSE(Absent(s, 0, 1, 2));
  s.glide1 = Glide::N;
  EXPECT_TRUE(Absent(s, 0, 1, 2));
  EXPECT_FALSE(Absent(s, 0, 1, 1));
  s.glide1 = Glide::D;
  EXPECT_FALSE(Absent(s, 0, 2, 2));
  EXPECT_FALSE(Absent(s, 0, 4, 4));   // k + l = 8: a multiple of 4 with even indices
  EXPECT_FALSE(Absent(s, 0, 2, -2));  // k + l = 0
  EXPECT_FALSE(Absent(s, 0, 4, 0));
  EXPECT_TRUE(Absent(s, 0, 1, -1));  // k + l = 0 but k, l odd
  EXPECT_TRUE(Absent(s, 0, 1, 3));
  EXPECT_TRUE(Absent(s, 0, 2, 0));
  EXPECT_TRUE(Absent(s, 0, 1, 1));
  EXPECT_FALSE(Absent(s, 1, 1, 1));
  // The zone test is exact; the parity test works on rounded values.
  EXPECT_FALSE(Absent(s, 0.0001L, 1, 1));
  EXPECT_FALSE(Absent(s, 0, 2.1L, 1.9L));
}

TEST(ReflectionConditionTest, GlidesOfTheSecondPanel) {
  TranslationSymmetry s;
  s.glide2 = Glide::A;
  EXPECT_TRUE(Absent(s, 1, 0, 2, 7));
  EXPECT_FALSE(Absent(s, 2, 0, 1, 7));
  s.glide2 = Glide::C;
  EXPECT_TRUE(Absent(s, 2, 0, 1, 7));  // [010]: h 0 l, l odd
  EXPECT_FALSE(Absent(s, 1, 1, 1, 7));
  EXPECT_TRUE(Absent(s, 1, 1, 1, 13));  // [110]: h h l, l odd
  EXPECT_FALSE(Absent(s, 1, 0, 1, 13));
  EXPECT_TRUE(Absent(s, 1, 1, 1, 31));  // cubic, the [110] plane too: h h l, l odd
  EXPECT_FALSE(Absent(s, 1, 0, 1, 31));
  EXPECT_FALSE(Absent(s, 1, 1, 2, 32));
  s.glide2 = Glide::N;
  EXPECT_TRUE(Absent(s, 1, 0, 2, 8));
  EXPECT_FALSE(Absent(s, 1, 0, 1, 8));
  EXPECT_TRUE(Absent(s, 2, 2, 1, 20));
  EXPECT_TRUE(Absent(s, 2, 2, 1, 32));
  EXPECT_FALSE(Absent(s, 2, 2, 2, 32));
  s.glide2 = Glide::D;
  EXPECT_FALSE(Absent(s, 2, 0, 2, 8));  // h 0 l: h + l = 4n, h and l even
  EXPECT_FALSE(Absent(s, 6, 0, 2, 8));
  EXPECT_TRUE(Absent(s, 1, 0, 3, 8));
  EXPECT_TRUE(Absent(s, 2, 0, 0, 8));
  EXPECT_FALSE(Absent(s, 1, 1, 2, 20));  // h h l: 2h + l = 4
  EXPECT_FALSE(Absent(s, 2, 2, 4, 20));  // 8
  EXPECT_FALSE(Absent(s, 2, 2, 0, 32));
  EXPECT_TRUE(Absent(s, 1, 1, 1, 32));
  EXPECT_TRUE(Absent(s, 1, 1, 0, 32));
  EXPECT_FALSE(Absent(s, 1, 2, 1, 32));
}

TEST(ReflectionConditionTest, GlidesPerpendicularToC) {
  TranslationSymmetry s;
  s.glide3 = Glide::A;
  EXPECT_TRUE(Absent(s, 1, 2, 0));
  EXPECT_FALSE(Absent(s, 1, 2, 1));
  s.glide3 = Glide::B;
  EXPECT_TRUE(Absent(s, 2, 1, 0));
  EXPECT_FALSE(Absent(s, 1, 2, 0));
  s.glide3 = Glide::N;
  EXPECT_TRUE(Absent(s, 1, 2, 0));
  EXPECT_FALSE(Absent(s, 1, 1, 0));
  s.glide3 = Glide::D;
  EXPECT_FALSE(Absent(s, 2, 2, 0));
  EXPECT_FALSE(Absent(s, 4, 4, 0));
  EXPECT_FALSE(Absent(s, 4, 0, 0));
  EXPECT_TRUE(Absent(s, 3, 1, 0));
  EXPECT_TRUE(Absent(s, 2, 0, 0));
}

TEST(TranslationChoicesTest, AvailabilityPerGroup) {
  const TranslationChoices& triclinic = GetTranslationChoices(2);
  EXPECT_FALSE(triclinic.bravaisShown);
  EXPECT_FALSE(triclinic.glide1.shown || triclinic.glide2.shown || triclinic.glide3.shown);

  const TranslationChoices& two = GetTranslationChoices(3);
  EXPECT_TRUE(two.Offers(Centring::C));
  EXPECT_FALSE(two.Offers(Centring::I));
  EXPECT_TRUE(two.glide2.shown);
  EXPECT_FALSE(two.glide2.Offers(Glide::A));
  EXPECT_FALSE(two.glide1.shown);
  EXPECT_TRUE(two.screwB);
  EXPECT_FALSE(two.screwA);

  const TranslationChoices& mmm = GetTranslationChoices(8);
  EXPECT_TRUE(mmm.Offers(Centring::A));
  EXPECT_FALSE(mmm.Offers(Centring::C));
  EXPECT_TRUE(mmm.glide3.Offers(Glide::D));
  EXPECT_FALSE(mmm.glide3.Offers(Glide::B));
  EXPECT_TRUE(mmm.OffersScrewC(2));
  EXPECT_FALSE(mmm.OffersScrewC(4));

  const TranslationChoices& fourMm = GetTranslationChoices(FindPointGroup("4m"));
  EXPECT_TRUE(fourMm.glide1.Offers(Glide::N));
  EXPECT_FALSE(fourMm.glide1.Offers(Glide::D));
  EXPECT_TRUE(fourMm.glide2.Offers(Glide::D));
  EXPECT_TRUE(fourMm.OffersScrewC(4));
  EXPECT_EQ(GetTranslationChoices(18).OffersScrewC(2), false);
  EXPECT_FALSE(GetTranslationChoices(25).OffersScrewC(2));
  EXPECT_TRUE(GetTranslationChoices(25).OffersScrewC(6));
  EXPECT_TRUE(GetTranslationChoices(19).glide3.Offers(Glide::A));
  EXPECT_FALSE(GetTranslationChoices(14).glide3.Offers(Glide::A));

  const TranslationChoices& ico = GetTranslationChoices(33);
  for (Centring c :
       {Centring::P, Centring::A, Centring::B, Centring::C, Centring::F, Centring::I, Centring::R})
    EXPECT_TRUE(ico.Offers(c));
  for (int n : {2, 3, 4, 6}) EXPECT_TRUE(ico.OffersScrewC(n));

  // Each panel offers only its own glides, and the hexagonal family no centring.
  for (int g = 1; g <= kPointGroupCount; ++g) {
    const TranslationChoices& c = GetTranslationChoices(g);
    EXPECT_FALSE(c.glide1.Offers(Glide::A)) << g;
    EXPECT_FALSE(c.glide2.Offers(Glide::B)) << g;
    EXPECT_FALSE(c.glide3.Offers(Glide::C)) << g;
    if (g >= 21 && g <= 27) {
      EXPECT_FALSE(c.Offers(Centring::R) || c.Offers(Centring::I)) << g;
    }
    if (c.bravaisShown) {
      EXPECT_TRUE(c.Offers(Centring::P)) << g;
    }
  }
}

TEST(TranslationChoicesTest, RestrictToGroup) {
  TranslationSymmetry s;
  s.centring = Centring::F;
  s.glide1 = Glide::D;
  s.glide3 = Glide::N;
  s.screwA = true;
  s.screwC = 4;
  const TranslationSymmetry cubic = RestrictToGroup(s, 32);
  EXPECT_EQ(cubic.centring, Centring::F);
  EXPECT_EQ(cubic.glide1, Glide::None);
  EXPECT_EQ(cubic.glide3, Glide::N);
  EXPECT_FALSE(cubic.screwA);
  EXPECT_EQ(cubic.screwC, 0);
  const TranslationSymmetry tetragonal = RestrictToGroup(s, 20);
  EXPECT_EQ(tetragonal.centring, Centring::P);
  EXPECT_EQ(tetragonal.glide1, Glide::None);
  EXPECT_EQ(tetragonal.glide3, Glide::N);
  EXPECT_TRUE(tetragonal.screwA);
  EXPECT_EQ(tetragonal.screwC, 4);
  EXPECT_EQ(RestrictToGroup(s, 27), TranslationSymmetry{});
}

}  // namespace
}  // namespace habitopia
