// The tool boxes' logic that needs no window: the prediction box's selectors and
// space-group entry, the cleavage slider and the twin tool's labels.

#include <gtest/gtest.h>

#include "app/cleavage_slider.h"
#include "app/prediction_panel.h"
#include "app/twin_labels.h"

namespace habitopia::test {
namespace {

constexpr int kGroupM3m = 32;  // "4/m3"
constexpr int kGroup2m = 5;    // "2/m"
constexpr int kGroup4m = 17;   // "4m"

TEST(PredictionPanel, PreparationResetsSelectorsAndLimitsSliders) {
  PredictionBoxState box;
  box.hklMax = 6;
  PrepareMorphologyPanel(box, kGroupM3m);
  EXPECT_EQ(box.hklMaxMaximum, 6);
  EXPECT_EQ(box.hklMaxLabel, "1     hkl - max    6");
  EXPECT_FALSE(box.polarityShown);
  ASSERT_TRUE(ChooseTranslation(box, TranslationSlot::Centring, static_cast<int>(Centring::F)));

  PrepareMorphologyPanel(box, kGroup2m);  // a new point group
  EXPECT_EQ(box.symmetry, TranslationSymmetry{});
  EXPECT_EQ(box.hklMaxMaximum, 3);
  EXPECT_EQ(box.hklMax, 3);  // the slider keeps within its new maximum
  EXPECT_TRUE(box.polarityShown);
  EXPECT_EQ(box.polarityLabel, "randomization");

  PrepareMorphologyPanel(box, kGroup4m);
  EXPECT_EQ(box.polarityLabel, "0    polarity    1");
  EXPECT_EQ(box.hklMaxMaximum, 4);
}

TEST(PredictionPanel, OnlyOfferedChoicesAreTakenAndDoubleClickClears) {
  PredictionBoxState box;
  PrepareMorphologyPanel(box, kGroup2m);
  EXPECT_FALSE(ChooseTranslation(box, TranslationSlot::Centring, static_cast<int>(Centring::F)));
  EXPECT_FALSE(
      ChooseTranslation(box, TranslationSlot::Glide1, static_cast<int>(Glide::B)));  // hidden
  EXPECT_FALSE(ChooseTranslation(box, TranslationSlot::ScrewC, 2));
  EXPECT_TRUE(ChooseTranslation(box, TranslationSlot::Glide2, static_cast<int>(Glide::C)));
  EXPECT_TRUE(ChooseTranslation(box, TranslationSlot::ScrewB, 1));
  EXPECT_EQ(box.symmetry.glide2, Glide::C);
  EXPECT_TRUE(box.symmetry.screwB);
  ClearTranslationSlot(box, TranslationSlot::Glide2);
  EXPECT_EQ(box.symmetry.glide2, Glide::None);
  EXPECT_TRUE(box.symmetry.screwB);

  PrepareMorphologyPanel(box, kGroupM3m);
  EXPECT_FALSE(ChooseTranslation(box, TranslationSlot::ScrewC, 4));
  EXPECT_TRUE(ChooseTranslation(box, TranslationSlot::ScrewC, 2));
}

TEST(PredictionPanel, SpaceGroupEntry) {
  PredictionBoxState box;
  PrepareMorphologyPanel(box, kGroupM3m);
  ASSERT_TRUE(EnterSpaceGroup(box, "F m -3 m", kGroupM3m)) << box.spaceGroupNote;
  EXPECT_EQ(box.symmetry.centring, Centring::F);
  EXPECT_NE(box.spaceGroupNote.find("No. 225"), std::string::npos) << box.spaceGroupNote;
  const PredictionSettings settings = PredictionSettingsOf(box);
  ASSERT_NE(settings.spaceGroup, nullptr);
  EXPECT_EQ(settings.spaceGroup->number, 225);

  // A group of another point group is refused and the typed text is kept.
  EXPECT_FALSE(EnterSpaceGroup(box, "P 21/c", kGroupM3m));
  EXPECT_EQ(box.spaceGroupText, "P 21/c");
  EXPECT_NE(box.spaceGroupNote.find("2/m"), std::string::npos) << box.spaceGroupNote;
  EXPECT_EQ(PredictionSettingsOf(box).spaceGroup, nullptr);

  EXPECT_FALSE(EnterSpaceGroup(box, "Q 99", kGroupM3m));
  EXPECT_FALSE(box.spaceGroupNote.empty());

  // A selector click takes over from the space group; preparing drops it.
  ASSERT_TRUE(EnterSpaceGroup(box, "225", kGroupM3m));
  ASSERT_TRUE(ChooseTranslation(box, TranslationSlot::Centring, static_cast<int>(Centring::I)));
  EXPECT_EQ(PredictionSettingsOf(box).spaceGroup, nullptr);
  ASSERT_TRUE(EnterSpaceGroup(box, "225", kGroupM3m));
  PrepareMorphologyPanel(box, kGroupM3m);
  EXPECT_FALSE(box.spaceGroupActive);
  EXPECT_EQ(box.spaceGroupText, "225");
}

TEST(PredictionPanel, SpaceGroupOnOtherAxesIsRefused) {
  PredictionBoxState box;
  PrepareMorphologyPanel(box, kGroup2m);
  EXPECT_FALSE(EnterSpaceGroup(box, "P 1 1 21/a", kGroup2m));
  EXPECT_NE(box.spaceGroupNote.find("axes"), std::string::npos) << box.spaceGroupNote;
  EXPECT_TRUE(EnterSpaceGroup(box, "P 1 21/c 1", kGroup2m)) << box.spaceGroupNote;
  EXPECT_TRUE(box.symmetry.screwB);
  EXPECT_EQ(box.symmetry.glide2, Glide::C);
}

TEST(CleavageSlider, PositionsAndDistances) {
  EXPECT_EQ(CleavageDistanceFromSlider(100), kCleavageZeroDistance);
  EXPECT_EQ(CleavageDistanceFromSlider(0), 5);
  EXPECT_EQ(CleavageDistanceFromSlider(200), -5);
  EXPECT_EQ(CleavageDistanceFromSlider(90), 0.5L);
  EXPECT_EQ(CleavageDistanceFromSlider(99), 0.05L);
  EXPECT_EQ(CleavageSliderFromDistance(0.5L), 90);
  EXPECT_EQ(CleavageSliderFromDistance(-5), 200);
  EXPECT_EQ(CleavageSliderFromDistance(40), 0);  // beyond the slider's top
  EXPECT_EQ(CleavageSliderFromDistance(kCleavageZeroDistance), 100);
}

TEST(TwinLabels, SpaceDecidesLabelsAndStoredType) {
  EXPECT_EQ(TwinAxisLabel(false), "axis [xyz]");
  EXPECT_EQ(TwinThroughLabel(true), "through (xyz)");
  EXPECT_EQ(TwinTypeOf(TwinChoice::Rotation, true), TwinType::RotationReciprocal);
  EXPECT_EQ(TwinTypeOf(TwinChoice::Rotation, false), TwinType::RotationReal);
  EXPECT_EQ(TwinTypeOf(TwinChoice::Contact, true), TwinType::Contact);
}

}  // namespace
}  // namespace habitopia::test
