// The logo at the viewer's corner, the splash window and the information panels
// as the user sees them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/program_texts.h"
#include "gui/history_panel.h"
#include "gui/information_panels.h"
#include "gui/logo_widget.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
#include "gui/splash_window.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class InformationWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->move(0, 0);
    window_->show();
    Pause(400);  // a tick of Timer14
  }
  void TearDown() override { window_.reset(); }

  QWidget& ViewerPanel() const { return *window_->findChild<QWidget*>(QStringLiteral("Panel1")); }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(InformationWindowsTest, TheLogoSitsInTheViewersLowerRightCornerAndFollowsAResize) {
  const auto expectInCorner = [this] {
    const LogoWidget& logo = window_->Logo();
    ASSERT_TRUE(logo.isVisible());
    const QRect viewer(ViewerPanel().mapTo(window_.get(), QPoint(0, 0)), ViewerPanel().size());
    EXPECT_EQ(logo.geometry().right() + 1, viewer.right() + 1 - 4);
    EXPECT_EQ(logo.geometry().bottom() + 1, viewer.bottom() + 1 - 6);
  };
  expectInCorner();
  window_->resize(900, 700);
  Pause(700);
  expectInCorner();
}

TEST_F(InformationWindowsTest, HistoryShowsItsMemoOverTheViewerAndCloseHidesIt) {
  InformationPanels& panels = window_->Information();
  EXPECT_FALSE(panels.isVisible());
  window_->Form().Run(CommandId::History);
  ASSERT_TRUE(panels.isVisible());
  EXPECT_TRUE(panels.History().isVisible());
  EXPECT_EQ(panels.History().Memo()->toPlainText().toStdString(), HistoryText());
  EXPECT_EQ(panels.geometry().size(), ViewerPanel().size());
  panels.CloseButton()->click();
  EXPECT_FALSE(panels.isVisible());
  EXPECT_EQ(window_->size(), QSize(640, 480)) << "the panels never widen the window";
}

TEST_F(InformationWindowsTest, LogoShowsTheSplashUntilItIsClicked) {
  SplashWindow& splash = window_->Splash();
  EXPECT_FALSE(splash.isVisible());
  window_->Form().Run(CommandId::Logo);
  ASSERT_TRUE(splash.isVisible());
  EXPECT_FALSE(splash.ClosingTimerActive());
  QMouseEvent click(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                    Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&splash, &click);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_FALSE(window_->Form().State().splashShown);

  window_->Form().ShowSplash();
  EXPECT_TRUE(splash.isVisible());
  EXPECT_TRUE(splash.ClosingTimerActive()) << "at start the splash closes itself";
}

}  // namespace
}  // namespace habitopia::gui::test
