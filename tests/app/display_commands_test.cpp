// Stories of the display settings, the View menu and the viewer controls, told
// through MainForm with scripted ports.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_form.h"
#include "app_test_support.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

using test::ScratchFolder;
using test::ScriptedPorts;

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DisplayCommandsTest : public ::testing::Test {
 protected:
  DisplayCommandsTest() : form_(ports_.Ports(), (scratch_.Path() / "work").string()) {
    form_.FormActivate({});
    Settle();
  }

  // Lets the deferred work run and the viewer finish every load.
  void Settle() {
    for (int round = 0; round < 20; ++round) {
      const std::size_t loads = ports_.viewer.loads.size();
      if (ports_.timers.FireAll(form_) == 0 && loads == ports_.viewer.loads.size()) break;
      if (ports_.viewer.loads.size() > loads) ports_.viewer.FinishOk();
    }
  }

  const FormState& State() const { return form_.State(); }
  const DisplaySwitches& Checks() const { return form_.State().switches.display; }
  bool Checked(CommandId id) const { return State().Command(id).checked; }
  std::string Scene() const { return ReadText(form_.Model().scenePath); }
  int Snapshots() const { return form_.History().Top(); }

  ScratchFolder scratch_;
  ScriptedPorts ports_;
  MainForm form_;
};

TEST_F(DisplayCommandsTest, FillOffTurnsGridOnAndTheMenuAndSceneFollow) {
  EXPECT_TRUE(Checked(CommandId::Fill));
  EXPECT_TRUE(Checked(CommandId::Grid));
  form_.Run(CommandId::Grid);  // grid off
  Settle();
  EXPECT_FALSE(Checks().grid);
  EXPECT_FALSE(Checked(CommandId::Grid));

  const std::size_t loads = ports_.viewer.loads.size();
  form_.SwitchClick(DisplaySwitch::Fill, false);
  Settle();
  EXPECT_FALSE(Checks().fill);
  EXPECT_TRUE(Checks().grid);
  EXPECT_FALSE(Checked(CommandId::Fill));
  EXPECT_TRUE(Checked(CommandId::Grid));
  EXPECT_FALSE(State().display.transparencyEnabled);
  EXPECT_GT(ports_.viewer.loads.size(), loads) << "the changed scene was shown";

  form_.Run(CommandId::Grid);  // grid off again: fill comes back
  Settle();
  EXPECT_TRUE(Checks().fill);
  EXPECT_FALSE(Checks().grid);
  EXPECT_TRUE(State().display.transparencyEnabled);
}

TEST_F(DisplayCommandsTest, LightsHeadlightAndTheirToolbarPairs) {
  EXPECT_TRUE(State().Command(CommandId::SpotlightsOffButton).visible);
  EXPECT_FALSE(State().Command(CommandId::SpotlightsOnButton).visible);
  EXPECT_FALSE(State().Command(CommandId::HeadlightOffButton).visible);
  EXPECT_TRUE(State().Command(CommandId::HeadlightOnButton).visible);

  form_.Run(CommandId::SpotlightsOffButton);
  Settle();
  EXPECT_FALSE(Checks().spotlights);
  EXPECT_TRUE(Checks().headlight);
  EXPECT_TRUE(form_.Model().display.headlight);
  EXPECT_NE(Scene().find("NavigationInfo {headlight TRUE"), std::string::npos);
  EXPECT_FALSE(State().display.brilliantEnabled);
  EXPECT_TRUE(State().Command(CommandId::SpotlightsOnButton).visible);
  EXPECT_FALSE(State().Command(CommandId::SpotlightsOffButton).visible);
  EXPECT_TRUE(State().Command(CommandId::HeadlightOffButton).visible);
  EXPECT_TRUE(Checked(CommandId::Headlight));

  form_.Run(CommandId::HeadlightOffButton);
  Settle();
  EXPECT_FALSE(Checks().headlight);
  EXPECT_TRUE(Checks().spotlights);
  EXPECT_NE(Scene().find("NavigationInfo {headlight FALSE"), std::string::npos);
}

TEST_F(DisplayCommandsTest, HkilTogglesItselfAndSwitchesIndicesOn) {
  form_.Run(CommandId::Hkil);
  Settle();
  EXPECT_TRUE(Checked(CommandId::Hkil));
  EXPECT_TRUE(Checks().indexLabels);
  EXPECT_TRUE(Checked(CommandId::Indices));
  form_.Run(CommandId::Hkil);
  EXPECT_FALSE(Checked(CommandId::Hkil));
  EXPECT_TRUE(Checks().indexLabels);
}

TEST_F(DisplayCommandsTest, AnimationEnablesSpeedAndTumble) {
  EXPECT_FALSE(State().display.tumbleEnabled);
  form_.Run(CommandId::Animation);
  Settle();
  EXPECT_TRUE(State().display.tumbleEnabled);
  EXPECT_TRUE(State().display.speedEnabled);
  form_.tumbleClick(true);
  Settle();
  EXPECT_NE(Scene().find("DEF tr0 Transform"), std::string::npos);
}

TEST_F(DisplayCommandsTest, SolidFromTheMenuSaysSoInPanelThree) {
  form_.Run(CommandId::Solid);
  EXPECT_EQ(State().statusPanels[kSurfacePanel].text, "solid=false");
  EXPECT_FALSE(Checks().solid);
  form_.Run(CommandId::Solid);
  EXPECT_EQ(State().statusPanels[kSurfacePanel].text, "solid=true");
}

TEST_F(DisplayCommandsTest, StandardLeavesSolidOnEveryOtherStyleOff) {
  form_.Run(CommandId::StyleSparklingBlack);
  Settle();
  EXPECT_EQ(form_.Model().display.backgroundColour, (Rgb{0, 0, 0}));
  EXPECT_EQ(State().display.settings.backgroundColour, (Rgb{0, 0, 0}));
  EXPECT_FALSE(Checks().solid);
  EXPECT_FALSE(Checked(CommandId::Solid));
  EXPECT_NE(Scene().find("Background {skyColor [\n 0.000  0.000  0.000]}"), std::string::npos);

  form_.Run(CommandId::StyleBrillant);
  Settle();
  EXPECT_TRUE(Checks().brilliant && Checks().headlight && Checks().spotlights);
  EXPECT_FALSE(Checks().solid);
  EXPECT_EQ(State().display.transparencyPosition, 6);

  const int before = Snapshots();
  form_.Run(CommandId::StyleStandard);
  Settle();
  EXPECT_TRUE(Checks().solid);
  EXPECT_FALSE(Checks().brilliant || Checks().headlight);
  EXPECT_EQ(form_.Model().display.backgroundColour, (Rgb{255, 255, 255}));
  EXPECT_EQ(State().display.transparencyPosition, 4);
  EXPECT_EQ(Snapshots(), before + 1) << "one style, one snapshot";
}

TEST_F(DisplayCommandsTest, ASliderDragRedrawsOnceWhenItRestsAndSnapshotsAtItsEnd) {
  const int snapshots = Snapshots();
  const std::size_t loads = ports_.viewer.loads.size();
  form_.TransparencyChange(3);
  form_.TransparencyChange(5);
  form_.TransparencyChange(7);
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer10));
  EXPECT_TRUE(form_.Model().sliderMoving);
  EXPECT_EQ(Snapshots(), snapshots);
  EXPECT_EQ(form_.Model().display.transparency, 0.35L);

  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer10));
  Settle();
  EXPECT_EQ(ports_.viewer.loads.size(), loads + 1) << "one redraw for the whole drag";
  EXPECT_EQ(Snapshots(), snapshots) << "no snapshot while the slider moves";

  form_.TransparencyChange(7);  // the end of the drag
  EXPECT_FALSE(form_.Model().sliderMoving);
  EXPECT_EQ(Snapshots(), snapshots + 1);
}

TEST_F(DisplayCommandsTest, SpeedZoomAndFocusAngleSetTheCameraAndTheTurn) {
  form_.Speed1Change(70);
  EXPECT_EQ(form_.Model().display.cycleInterval, 2.5L);
  form_.zoommodelChange(100);
  EXPECT_NEAR(static_cast<double>(form_.Model().display.fieldOfView), 2 * 5.0 / 81, 1e-12);
  Settle();
  const int snapshots = Snapshots();
  form_.perspectiveChange(5);
  EXPECT_EQ(form_.Model().display.viewDistance, 25);
  EXPECT_NEAR(static_cast<double>(form_.Model().display.fieldOfView), 2 * 5.0 / 25, 1e-12);
  EXPECT_FALSE(form_.Model().sliderMoving);
  EXPECT_EQ(Snapshots(), snapshots + 1) << "the focus angle takes its snapshot at once";
  Settle();
  EXPECT_NE(Scene().find("Viewpoint { position 0 0 25.000 fieldOfView  0.400}"), std::string::npos)
      << Scene().substr(0, 200);

  form_.UpDown1Click(30);
  EXPECT_EQ(form_.Model().display.axesLength, 10);
  EXPECT_TRUE(Checks().crystalAxes);
}

TEST_F(DisplayCommandsTest, ColourButtonsTakeTheChosenColourAndSwitchTheirPartOn) {
  form_.SwitchClick(DisplaySwitch::Fill, false);
  ports_.dialogs.colours.push_back(Rgb{10, 20, 30});
  form_.Run(CommandId::FillColor);
  EXPECT_EQ(form_.Model().display.fillColour, (Rgb{10, 20, 30}));
  EXPECT_TRUE(Checks().fill);

  ports_.dialogs.colours.push_back(std::nullopt);  // Cancel
  form_.Run(CommandId::BackgroundColor);
  EXPECT_EQ(form_.Model().display.backgroundColour, (Rgb{255, 255, 255}));

  ports_.dialogs.colours.push_back(Rgb{0, 200, 0});
  form_.RunRightClick(CommandId::SelectIndicesStyle);
  EXPECT_EQ(form_.Model().display.labelColour, (Rgb{0, 200, 0}));
  EXPECT_TRUE(Checks().indexLabels);
}

TEST_F(DisplayCommandsTest, TheLabelFontAppliesAtOnceAndOnOkSwitchesItsLabelsOn) {
  ports_.dialogs.applied.push_back(FontChoice{"Sans", 24, false, true, Rgb{1, 2, 3}});
  ports_.dialogs.fonts.push_back(std::nullopt);  // then Cancel
  form_.Run(CommandId::SelectIndicesStyle);
  EXPECT_EQ(form_.Model().display.fontFamily, "Sans");
  EXPECT_EQ(form_.Model().display.fontStyle, "ITALIC");
  EXPECT_EQ(form_.Model().display.fontSizeText, "0.4");
  EXPECT_EQ(form_.Model().display.labelFontPoints, 24);
  EXPECT_FALSE(Checks().indexLabels) << "Apply switches nothing on";

  ports_.dialogs.fonts.push_back(FontChoice{"Serif", 12, true, true, Rgb{0, 0, 0}});
  form_.axescolor1Click();
  ASSERT_EQ(ports_.dialogs.fontStarts.size(), 2u);
  EXPECT_EQ(ports_.dialogs.fontStarts[1].family, "Sans");
  EXPECT_EQ(ports_.dialogs.fontStarts[1].colour, (Rgb{1, 2, 3}));
  EXPECT_EQ(form_.Model().display.fontStyle, "BOLDITALIC");
  EXPECT_EQ(form_.Model().display.fontSizeText, "0.2");
  EXPECT_TRUE(Checks().crystalAxes);
}

TEST_F(DisplayCommandsTest, ViewTogglesKeepTheirChecksEqualToTheRegions) {
  for (CommandId id : {CommandId::ViewSpeedbuttons, CommandId::ViewTables, CommandId::ViewUtilities,
                       CommandId::ViewVrmlControls})
    EXPECT_TRUE(Checked(id));
  form_.Run(CommandId::ViewTables);
  EXPECT_FALSE(State().regions.tables);
  EXPECT_FALSE(Checked(CommandId::ViewTables));
  form_.RunRightClick(CommandId::ShowHideToolbar);
  EXPECT_TRUE(State().regions.tables);
  EXPECT_TRUE(Checked(CommandId::ViewTables));

  form_.Run(CommandId::ShowHideToolbar);
  EXPECT_FALSE(State().regions.utilities);
  EXPECT_FALSE(Checked(CommandId::ViewUtilities));

  form_.Cortona1DblClick();
  EXPECT_FALSE(State().regions.viewerControls);
  EXPECT_FALSE(Checked(CommandId::ViewVrmlControls));
  form_.Run(CommandId::ShowHideControls);
  EXPECT_TRUE(State().regions.viewerControls);

  form_.Run(CommandId::ViewSpeedbuttons);
  EXPECT_FALSE(State().regions.toolbar);
  EXPECT_FALSE(Checked(CommandId::ViewSpeedbuttons));
}

TEST_F(DisplayCommandsTest, NavigationGoesToTheViewerThroughTimer8) {
  EXPECT_TRUE(Checked(CommandId::CadStyleViewer));
  form_.NavigationClick(NavigationMode::Pan);
  EXPECT_FALSE(Checked(CommandId::CadStyleViewer));
  form_.NavigationClick(NavigationMode::Plan);
  EXPECT_TRUE(ports_.viewer.commands.empty()) << "sent only when the timer fires";
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer8));
  EXPECT_EQ(ports_.viewer.commands, std::vector<ViewerCommand>{ViewerCommand::Plan});

  form_.Run(CommandId::CadStyleViewer);  // cad on
  EXPECT_EQ(State().display.navigation, NavigationMode::Cad);
  form_.Run(CommandId::CadStyleViewer);  // cad off selects turn
  EXPECT_EQ(State().display.navigation, NavigationMode::Turn);
  ports_.timers.Fire(form_, TimerId::Timer8);
  EXPECT_EQ(ports_.viewer.commands.back(), ViewerCommand::Turn);
  // Every choice of the group dresses the viewer: the CAD skin for cad alone.
  const std::string cad(kCadSkin), standard(kStandardSkin);
  EXPECT_EQ(ports_.viewer.skins, (std::vector<std::string>{standard, standard, cad, standard}));

  form_.zoommodelChange(80);
  form_.restoreClick();
  EXPECT_EQ(ports_.viewer.commands.back(), ViewerCommand::Restore);
  EXPECT_EQ(State().display.zoomModel, 50);
  form_.fitClick();
  EXPECT_EQ(ports_.viewer.commands.back(), ViewerCommand::Fit);
}

TEST_F(DisplayCommandsTest, AnotherRendererFallsBackToTheOneThereIs) {
  form_.RendererClick(RendererChoice::DirectX);
  EXPECT_EQ(State().display.renderer, RendererChoice::OpenGL);
  EXPECT_NE(State().statusPanels[kMessagePanel].text.find("DirectX Renderer"), std::string::npos);
}

TEST_F(DisplayCommandsTest, AResizeReloadsTheSceneOnceTheViewerShowedOne) {
  ports_.timers.pending.clear();
  form_.FormResize();
  form_.FormResize();
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer5));
  const std::size_t loads = ports_.viewer.loads.size();
  ports_.timers.FireAll(form_);
  EXPECT_EQ(ports_.viewer.loads.size(), loads + 1);
}

TEST_F(DisplayCommandsTest, OneToolBoxAtATime) {
  form_.ShowToolBox(ToolBox::PointGroups);
  EXPECT_EQ(State().regions.toolBox, ToolBox::PointGroups);
  form_.ShowToolBox(ToolBox::Twintool);
  EXPECT_EQ(State().regions.toolBox, ToolBox::Twintool);
  form_.ShowToolBox(ToolBox::None);
  EXPECT_EQ(State().regions.toolBox, ToolBox::None);
}

}  // namespace
}  // namespace habitopia
