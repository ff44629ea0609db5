// The window's regions as a user meets them: View toggles and the toolbar's
// right click keep the checks equal to what is shown, a style recolours the
// viewer, a resize keeps the picture, and every control of the utility panel
// and the viewer controls has a name.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/main_window.h"
#include "gui/page_location.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

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

class RegionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->move(0, 0);
    window_->show();
  }
  void TearDown() override { window_.reset(); }

  void OpenExample() {
    window_->Form().FormActivate({ExampleModelPath().toStdString()});
    ASSERT_TRUE(WaitForLoad(*window_));
    ASSERT_TRUE(window_->Form().State().sceneShown) << window_->Form().State().error;
  }
  QWidget* Region(const char* name) const {
    return window_->findChild<QWidget*>(QString::fromLatin1(name));
  }
  bool Checked(CommandId id) const { return window_->Form().State().Command(id).checked; }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(RegionsTest, TablesFromTheMenuAndTheToolbarsRightClickKeepTheCheckEqualToTheRegion) {
  QWidget* tables = Region("Panel3");
  ASSERT_NE(tables, nullptr);
  EXPECT_TRUE(tables->isVisible());
  EXPECT_TRUE(Checked(CommandId::ViewTables));
  window_->Form().Run(CommandId::ViewTables);
  EXPECT_FALSE(tables->isVisible());
  EXPECT_FALSE(Checked(CommandId::ViewTables));
  window_->Form().RunRightClick(CommandId::ShowHideToolbar);
  EXPECT_TRUE(tables->isVisible());
  EXPECT_TRUE(Checked(CommandId::ViewTables));
  window_->Form().RunRightClick(CommandId::ShowHideToolbar);
  EXPECT_FALSE(tables->isVisible());
  EXPECT_FALSE(Checked(CommandId::ViewTables));

  QWidget* utilities = Region("panel2");
  QWidget* controls = Region("Panel11");
  ASSERT_TRUE(utilities && controls);
  window_->Form().Run(CommandId::ShowHideToolbar);
  EXPECT_FALSE(utilities->isVisible());
  EXPECT_FALSE(Checked(CommandId::ViewUtilities));
  window_->Form().Run(CommandId::ViewVrmlControls);
  EXPECT_FALSE(controls->isVisible());
  window_->Form().Cortona1DblClick();
  EXPECT_TRUE(controls->isVisible());
  EXPECT_TRUE(Checked(CommandId::ViewVrmlControls));
}

TEST_F(RegionsTest, OneToolBoxLiesOverTheTablesAtATime) {
  window_->Form().ShowToolBox(ToolBox::PointGroups);
  QWidget* pointGroups = window_->findChild<QWidget*>(QStringLiteral("GroupBox1"));
  ASSERT_NE(pointGroups, nullptr);
  EXPECT_TRUE(pointGroups->isVisible());
  window_->Form().ShowToolBox(ToolBox::Calculations);
  EXPECT_FALSE(pointGroups->isVisible());
  EXPECT_TRUE(window_->findChild<QWidget*>(QStringLiteral("GroupBox6"))->isVisible());
  window_->Form().ShowToolBox(ToolBox::None);
  EXPECT_FALSE(window_->findChild<QWidget*>(QStringLiteral("GroupBox6"))->isVisible());
}

TEST_F(RegionsTest, EveryControlOfThePanelsHasANameAndStartsAsTheWindowSays) {
  for (const char* panel : {"panel2", "Panel11"}) {
    QWidget* region = Region(panel);
    ASSERT_NE(region, nullptr) << panel;
    for (QWidget* control : region->findChildren<QWidget*>()) {
      if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QAbstractSlider*>(control) &&
          !qobject_cast<QAbstractSpinBox*>(control))
        continue;
      if (control->objectName().startsWith(QLatin1String("qt_")))
        continue;  // a scroll bar's inner parts
      if (control->parent() && control->parent()->objectName().startsWith(QLatin1String("qt_")))
        continue;
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    }
  }
  EXPECT_TRUE(window_->findChild<QRadioButton*>(QStringLiteral("OpenGL"))->isChecked());
  EXPECT_TRUE(window_->findChild<QRadioButton*>(QStringLiteral("cad"))->isChecked());
  EXPECT_EQ(window_->findChild<QAbstractSlider*>(QStringLiteral("zoommodel"))->value(), 50);
  EXPECT_EQ(window_->findChild<QAbstractSlider*>(QStringLiteral("Transparency"))->value(), 2);
  EXPECT_EQ(window_->findChild<QAbstractSlider*>(QStringLiteral("perspective"))->value(), 9);
  EXPECT_EQ(window_->findChild<QAbstractSlider*>(QStringLiteral("Speed1"))->value(), 60);
  EXPECT_FALSE(window_->findChild<QAbstractButton*>(QStringLiteral("tumble"))->isEnabled());
  EXPECT_EQ(window_->size(), QSize(640, 480));
}

TEST_F(RegionsTest, AtTheStartSizeEveryControlOfTheTablesIsWhole) {
  OpenExample();
  ASSERT_EQ(window_->size(), QSize(640, 480));
  QWidget* area = Region("TablesArea");
  ASSERT_NE(area, nullptr);
  const QRect shown = area->rect();
  for (QWidget* control : Region("Panel3")->findChildren<QWidget*>()) {
    if (!control->isVisible()) continue;
    if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLineEdit*>(control) &&
        !qobject_cast<QLabel*>(control) && !qobject_cast<QTableView*>(control))
      continue;
    const QRect rect(control->mapTo(area, QPoint(0, 0)), control->size());
    EXPECT_TRUE(shown.contains(rect))
        << control->objectName().toStdString() << " " << control->accessibleName().toStdString()
        << " ends at x " << rect.right() << " of " << shown.right();
    // Captions are not cut.
    int needed = control->sizeHint().width();
    if (auto* button = qobject_cast<QPushButton*>(control))
      needed = button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&'))) + 8;
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control))
      EXPECT_GE(control->width(), needed) << control->accessibleName().toStdString();
  }
  for (const char* name : {"StringGrid1", "StringGrid2"}) {
    auto* grid = window_->findChild<QTableView*>(QString::fromLatin1(name));
    ASSERT_NE(grid, nullptr);
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << name << ": both columns fit";
  }
  EXPECT_GE(window_->findChild<QTableView*>(QStringLiteral("StringGrid2"))->height(), 100)
      << "a few faces show";
  EXPECT_GE(Region("Panel1")->width(), 200) << "the viewer keeps room";
}

TEST_F(RegionsTest, SparklingBlackTurnsTheViewerBlackAndAResizeKeepsThePicture) {
  OpenExample();
  window_->Form().Run(CommandId::StyleSparklingBlack);
  ASSERT_TRUE(WaitForLoad(*window_));
  QImage picture = window_->Viewer().GrabImage(kGrabTimeoutMs);
  ASSERT_FALSE(picture.isNull());
  const int pixels = picture.width() * picture.height();
  EXPECT_GT(CountPixels(picture, QColor(0, 0, 0), 3), pixels / 2);
  KeepPicture(picture, QStringLiteral("regions_sparkling_black"));

  window_->resize(900, 640);
  ASSERT_TRUE(WaitForLoad(*window_)) << "a resize reloads the scene";
  EXPECT_TRUE(window_->Form().State().sceneShown);
  EXPECT_FALSE(window_->Panel1Caption()->isVisible());
  picture = window_->Viewer().GrabImage(kGrabTimeoutMs);
  ASSERT_FALSE(picture.isNull());
  EXPECT_GT(picture.width(), 400);
  EXPECT_GT(CountPixels(picture, QColor(0, 0, 0), 3), picture.width() * picture.height() / 2);
  EXPECT_LT(CountPixels(picture, QColor(0, 0, 0), 3), picture.width() * picture.height())
      << "the crystal is there";
  Pause(300);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    KeepPicture(screen->grabWindow(0).toImage(), QStringLiteral("regions_resized"));
}

}  // namespace
}  // namespace habitopia::gui::test
