// The splash and logo windows and the information panels.

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "app/program_texts.h"
#include "app_test_support.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

using test::ScratchFolder;
using test::ScriptedPorts;

class InformationWindowsTest : public ::testing::Test {
 protected:
  InformationWindowsTest() : form_(ports_.Ports(), (scratch_.Path() / "work").string()) {
    form_.SetStateChanged([this](const FormChanges& changes) { reported_.push_back(changes); });
  }

  // A 900 x 600 window, viewer panel 230..830 wide and 60..450 high.
  static WindowGeometry Window() {
    WindowGeometry window;
    window.left = 100;
    window.top = 50;
    window.height = 600;
    window.viewerRight = 830;
    window.viewerWidth = 600;
    window.viewerHeight = 390;
    window.statusBarHeight = 22;
    window.utilityHeight = 120;
    window.logoWidth = 64;
    window.logoHeight = 40;
    window.visible = true;
    return window;
  }

  void Tick() { ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer14)) << "Timer14 always runs"; }

  ScratchFolder scratch_;
  ScriptedPorts ports_;
  MainForm form_;
  std::vector<FormChanges> reported_;
};

TEST_F(InformationWindowsTest, TheLogoSitsAtTheViewersLowerRightCornerAndFollowsTheWindow) {
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer14)) << "running from the start";
  EXPECT_EQ(TimerInterval(TimerId::Timer14), 300);
  Tick();
  EXPECT_FALSE(form_.State().logo.visible) << "no window shown yet";

  form_.WindowGeometryChanged(Window());
  Tick();
  const LogoState& logo = form_.State().logo;
  EXPECT_TRUE(logo.visible);
  EXPECT_EQ(logo.left, 830 - 4 - 64);
  EXPECT_EQ(logo.top, 600 - 6 - 40 - 22 - 120);
  EXPECT_EQ(logo.background, (Rgb{255, 255, 255}));
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer14)) << "restarted after each tick";

  // Nothing moved: nothing reported.
  reported_.clear();
  Tick();
  EXPECT_TRUE(reported_.empty());

  // A wider viewer and a hidden utility panel.
  WindowGeometry wider = Window();
  wider.viewerRight = 1030;
  wider.height = 700;
  form_.WindowGeometryChanged(wider);
  form_.Run(CommandId::ViewUtilities);
  ASSERT_FALSE(form_.State().regions.utilities);
  Tick();
  EXPECT_EQ(form_.State().logo.left, 1030 - 4 - 64);
  EXPECT_EQ(form_.State().logo.top, 700 - 6 - 40 - 22) << "the hidden utility panel adds nothing";
  ASSERT_FALSE(reported_.empty());
  EXPECT_TRUE(reported_.back().Has(kRegionsPart));

  // Minimised: the logo goes with the window.
  wider.visible = false;
  form_.WindowGeometryChanged(wider);
  Tick();
  EXPECT_FALSE(form_.State().logo.visible);
}

TEST_F(InformationWindowsTest, TheLogoTakesTheBackgroundColour) {
  form_.FormActivate({});
  form_.WindowGeometryChanged(Window());
  Tick();
  ports_.dialogs.colours.push_back(Rgb{0, 0, 64});
  form_.Run(CommandId::BackgroundColor);
  ASSERT_EQ(form_.State().display.settings.backgroundColour, (Rgb{0, 0, 64}));
  Tick();
  EXPECT_EQ(form_.State().logo.background, (Rgb{0, 0, 64}));
}

TEST_F(InformationWindowsTest, TheSplashClosesItselfAtStartButStaysWhenShownThroughLogo) {
  EXPECT_FALSE(form_.State().splashShown);
  form_.ShowSplash();
  EXPECT_TRUE(form_.State().splashShown);
  EXPECT_FALSE(form_.State().splashStays) << "its closing timer runs";
  form_.SplashClosed();
  EXPECT_FALSE(form_.State().splashShown);

  form_.Run(CommandId::Logo);
  EXPECT_TRUE(form_.State().splashShown);
  EXPECT_TRUE(form_.State().splashStays) << "its closing timer is stopped";
  ASSERT_FALSE(reported_.empty());
  EXPECT_TRUE(reported_.back().Has(kRegionsPart));
  form_.SplashClosed();
  EXPECT_FALSE(form_.State().splashShown);
  EXPECT_FALSE(form_.State().splashStays);
}

TEST_F(InformationWindowsTest, OneInformationPanelAtATime) {
  const auto shown = [this] { return form_.State().regions.infoPanel; };
  EXPECT_EQ(shown(), InfoPanel::None);
  form_.Run(CommandId::History);
  EXPECT_EQ(shown(), InfoPanel::History);
  form_.Run(CommandId::HomePage);
  EXPECT_EQ(shown(), InfoPanel::HomePage) << "the history memo goes";
  form_.Donations1Click();
  EXPECT_EQ(shown(), InfoPanel::Donation);
  form_.Run(CommandId::History);
  EXPECT_EQ(shown(), InfoPanel::History) << "the donation box goes";
  form_.Run(CommandId::History);
  EXPECT_EQ(shown(), InfoPanel::None) << "H&istory toggles";
  form_.Run(CommandId::HomePage);
  form_.CloseInfoPanel();
  EXPECT_EQ(shown(), InfoPanel::None);
}

TEST_F(InformationWindowsTest, AboutShowsTheVersionAndCredits) {
  form_.Run(CommandId::About);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, AboutText());
  EXPECT_NE(ports_.dialogs.messages[0].text.find("Vers. 1.56"), std::string::npos);
  EXPECT_NE(DonationText().find("free"), std::string::npos);
}

}  // namespace
}  // namespace habitopia
