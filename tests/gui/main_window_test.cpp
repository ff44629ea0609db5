// The first main window: Panel1 with the viewer and its caption, StatusBar1 with
// its six panels, and what opening a model, a scene or a bad file shows.

#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/page_location.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

// Runs the event loop until the viewer reports a load (or the time is up).
bool WaitForLoad(MainWindow& window, int timeoutMs = kLoadTimeoutMs) {
  QEventLoop loop;
  bool loaded = false;
  QObject::connect(&window.Viewer(), &VrmlViewer::sceneLoaded, &loop, [&] {
    loaded = true;
    loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return loaded;
}

void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The whole screen, as a person in front of it would see the window.
void KeepScreen(const QString& name) {
  if (QScreen* screen = QGuiApplication::primaryScreen())
    KeepPicture(screen->grabWindow(0).toImage(), name);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->move(0, 0);
    window_->show();
  }
  void TearDown() override { window_.reset(); }

  QString PanelText(int index) const { return window_->StatusPanel(index)->text(); }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, StartsWithTheCaptionAndTheStatusPanels) {
  auto* bar = window_->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(window_->findChild<QWidget*>(QStringLiteral("Panel1")), nullptr);
  EXPECT_EQ(window_->Panel1Caption()->text(),
            QStringLiteral("no model rendered- try another renderer (R98/OpenGl/DirectX)"));
  EXPECT_TRUE(window_->Panel1Caption()->isVisible());

  const QStringList texts{QStringLiteral("Point Group ="), QStringLiteral("Faces"),
                          QStringLiteral("Corners"),       QStringLiteral("Surface="),
                          QStringLiteral("Volume= "),      QString()};
  const QList<int> widths{120, 70, 70, 110, 110, 200};
  for (int i = 0; i < kStatusPanelCount; ++i) {
    EXPECT_EQ(PanelText(i), texts[i]) << "panel " << i;
    EXPECT_EQ(window_->StatusPanel(i)->width(), widths[i]) << "panel " << i;
    EXPECT_EQ(window_->StatusPanel(i)->parentWidget(), bar);
  }
  Pause(300);
  KeepScreen(QStringLiteral("window_start"));
}

TEST_F(MainWindowTest, ShowsTheExampleModelBuiltWithItsFiguresAndDropsTheCaption) {
  window_->Form().FormActivate({ExampleModelPath().toStdString()});
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Habitopia: Quartz.mor"));
  // The scene was written to the working directory.
  EXPECT_TRUE(QFile::exists(work_.path() + QStringLiteral("/Habitopia.wrl")));
  EXPECT_TRUE(
      QRegularExpression(QStringLiteral("^point group = 32$")).match(PanelText(0)).hasMatch())
      << PanelText(0).toStdString();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ Faces$")).match(PanelText(1)).hasMatch());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ Corners$")).match(PanelText(2)).hasMatch());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Surface= \\d+(\\.\\d{1,3})?$"))
                  .match(PanelText(3))
                  .hasMatch());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Volume= \\d+(\\.\\d{1,3})?$"))
                  .match(PanelText(4))
                  .hasMatch());

  ASSERT_TRUE(WaitForLoad(*window_));
  EXPECT_TRUE(window_->Form().State().sceneShown) << window_->Form().State().error;
  EXPECT_FALSE(window_->Panel1Caption()->isVisible());
  EXPECT_EQ(PanelText(kMessagePanel), QString());
  const QImage picture = window_->Viewer().GrabImage(kGrabTimeoutMs);
  EXPECT_GT(picture.width() * picture.height() - CountPixels(picture, QColor(255, 255, 255), 3),
            picture.width() * picture.height() / 20);
  Pause(300);
  KeepScreen(QStringLiteral("window_example"));
}

TEST_F(MainWindowTest, ABadSceneBringsTheCaptionBackAndAGoodOneTakesItAway) {
  QTemporaryDir files;
  const QString garbage = files.path() + QStringLiteral("/broken scène.wrl");
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#VRML V2.0 utf8\nShape { geometry IndexedFaceSet { coord Coordinate { point [ 0 0 ");
  file.close();

  window_->Form().Load1Click(garbage.toStdString());
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Habitopia: broken scène.wrl"));
  // A scene without a model has no figures to show.
  EXPECT_FALSE(window_->statusBar()->isVisible());
  ASSERT_TRUE(WaitForLoad(*window_));
  EXPECT_FALSE(window_->Form().State().sceneShown);
  EXPECT_TRUE(window_->Panel1Caption()->isVisible());
  EXPECT_FALSE(window_->Form().State().error.empty());
  Pause(1000);
  KeepScreen(QStringLiteral("window_bad_scene"));
  // On the screen the caption's panel is drawn (an empty, see-through page once
  // left the whole window black).
  const QImage screen =
      QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(window_->geometry());
  const QColor panel = window_->Panel1Caption()->palette().color(QPalette::Window);
  EXPECT_GT(CountPixels(screen, panel, 2), screen.width() * screen.height() / 2);

  window_->Form().Load1Click(ExampleModel().toStdString());
  EXPECT_TRUE(window_->statusBar()->isVisible());
  ASSERT_TRUE(WaitForLoad(*window_));
  EXPECT_TRUE(window_->Form().State().sceneShown);
  EXPECT_FALSE(window_->Panel1Caption()->isVisible());
}

}  // namespace
}  // namespace habitopia::gui::test
