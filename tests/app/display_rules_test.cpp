#include <gtest/gtest.h>

#include "app/display_sliders.h"
#include "app/display_switches.h"
#include "app/style_table.h"

namespace habitopia {
namespace {

TEST(DisplaySwitchRules, TheCrystalAlwaysShowsFacesOrEdges) {
  DisplaySwitches checks;
  DisplayState display;
  checks.grid = false;
  SetDisplaySwitch(checks, display, DisplaySwitch::Fill, false);
  EXPECT_FALSE(checks.fill);
  EXPECT_TRUE(checks.grid);
  EXPECT_FALSE(display.transparencyEnabled);

  SetDisplaySwitch(checks, display, DisplaySwitch::Grid, false);
  EXPECT_FALSE(checks.grid);
  EXPECT_TRUE(checks.fill);
  EXPECT_TRUE(display.transparencyEnabled);

  // Turning fill on leaves the grid as it is.
  SetDisplaySwitch(checks, display, DisplaySwitch::Grid, true);
  SetDisplaySwitch(checks, display, DisplaySwitch::Fill, true);
  EXPECT_TRUE(checks.grid);
  EXPECT_TRUE(checks.fill);
}

TEST(DisplaySwitchRules, TheCrystalAlwaysHasALightAndBrilliantNeedsTheSpotlights) {
  DisplaySwitches checks;
  DisplayState display;
  SetDisplaySwitch(checks, display, DisplaySwitch::Lights, false);
  EXPECT_TRUE(checks.headlight);
  EXPECT_FALSE(display.brilliantEnabled);

  SetDisplaySwitch(checks, display, DisplaySwitch::Headlight, false);
  EXPECT_TRUE(checks.spotlights);
  EXPECT_TRUE(display.brilliantEnabled);
  EXPECT_FALSE(checks.headlight);

  // Both on is fine.
  SetDisplaySwitch(checks, display, DisplaySwitch::Headlight, true);
  EXPECT_TRUE(checks.spotlights && checks.headlight);
}

TEST(DisplaySwitchRules, AnimationEnablesSpeedAndTumble) {
  DisplaySwitches checks;
  DisplayState display;
  EXPECT_FALSE(display.tumbleEnabled);
  EXPECT_FALSE(display.speedEnabled);
  SetDisplaySwitch(checks, display, DisplaySwitch::Animation, true);
  EXPECT_TRUE(display.tumbleEnabled && display.speedEnabled);
  SetDisplaySwitch(checks, display, DisplaySwitch::Animation, false);
  EXPECT_FALSE(display.tumbleEnabled || display.speedEnabled);
}

TEST(DisplaySwitchRules, SwitchesReadFromAFileAreMadeToKeepTheRules) {
  DisplaySwitches checks;
  DisplayState display;
  checks.fill = checks.grid = false;
  checks.spotlights = checks.headlight = false;
  checks.animation = true;
  KeepSwitchRules(checks, display);
  EXPECT_TRUE(checks.grid);
  EXPECT_TRUE(checks.headlight);
  EXPECT_FALSE(display.transparencyEnabled);
  EXPECT_FALSE(display.brilliantEnabled);
  EXPECT_TRUE(display.tumbleEnabled);
}

TEST(DisplaySliders, CameraTransparencyAndAxes) {
  DisplaySettings settings;
  SetCamera(settings, 9, 50);
  EXPECT_EQ(settings.viewDistance, 81);
  EXPECT_NEAR(static_cast<double>(settings.fieldOfView), 0.0617, 5e-5);
  SetCamera(settings, 2, 50);
  EXPECT_EQ(settings.viewDistance, 4);
  EXPECT_EQ(settings.fieldOfView, 1.25L);

  EXPECT_EQ(TransparencyFromPosition(4), 0.2L);
  EXPECT_EQ(TransparencyPosition(0.2L), 4);
  EXPECT_EQ(TransparencyPosition(TransparencyFromPosition(13)), 13);
  EXPECT_EQ(AxesLengthFromPosition(18), 6);
  EXPECT_EQ(AxesLengthPosition(6), 18);
}

TEST(StylePresets, StandardIsSolidTheOthersAreNot) {
  for (StyleId id : {StyleId::Standard, StyleId::SparklingBlack, StyleId::SparklingBlue,
                     StyleId::Crystal, StyleId::Brillant, StyleId::BrilliantWhite}) {
    DisplaySwitches checks;
    DisplayState display;
    checks.solid = id != StyleId::Standard;  // the opposite, to see it change
    checks.spotlights = false;
    checks.headlight = true;
    ApplyStyleSwitches(checks, display, StylePresetFor(id));
    EXPECT_EQ(checks.solid, id == StyleId::Standard);
    EXPECT_TRUE(checks.spotlights);
    const bool brilliant = id == StyleId::Brillant || id == StyleId::BrilliantWhite;
    EXPECT_EQ(checks.headlight, brilliant);
    EXPECT_EQ(checks.brilliant, brilliant);
    EXPECT_TRUE(display.brilliantEnabled);
  }
}

TEST(StylePresets, ColoursAndTransparencies) {
  DisplaySettings settings;
  ApplyStyleSettings(settings, StylePresetFor(StyleId::SparklingBlack));
  EXPECT_EQ(settings.backgroundColour, (Rgb{0, 0, 0}));
  EXPECT_EQ(settings.edgeColour, (Rgb{255, 255, 255}));
  EXPECT_EQ(settings.axesColour, (Rgb{0, 0, 240}));
  EXPECT_EQ(settings.light2Colour, (Rgb{255, 255, 128}));
  EXPECT_EQ(settings.specialTransparency, 0);
  EXPECT_EQ(settings.transparency, 0.2L);

  ApplyStyleSettings(settings, StylePresetFor(StyleId::Crystal));
  EXPECT_EQ(settings.transparency, 0.5L);
  EXPECT_EQ(settings.fillColour, (Rgb{176, 176, 176}));

  ApplyStyleSettings(settings, StylePresetFor(StyleId::BrilliantWhite));
  EXPECT_EQ(settings.fillColour, (Rgb{37, 37, 37}));
  EXPECT_TRUE(settings.brilliant && settings.headlight);
  EXPECT_EQ(settings.transparency, 0.4L);

  // Standard is the start of a new model.
  ApplyStyleSettings(settings, StylePresetFor(StyleId::Standard));
  const DisplaySettings start;
  EXPECT_EQ(settings.backgroundColour, start.backgroundColour);
  EXPECT_EQ(settings.edgeColour, start.edgeColour);
  EXPECT_EQ(settings.fillColour, start.fillColour);
  EXPECT_EQ(settings.light1Colour, start.light1Colour);
  EXPECT_EQ(settings.axesColour, start.axesColour);
  EXPECT_EQ(settings.transparency, start.transparency);
  EXPECT_EQ(settings.specialTransparency, start.specialTransparency);
  EXPECT_FALSE(settings.headlight || settings.brilliant);
}

}  // namespace
}  // namespace habitopia
