// The window's File and Edit menus and toolbar built from the command table, a
// file dropped on the window, and the status bar's progress during a build.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <set>

#include "app/main_form.h"
#include "gui/command_actions.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
#include "support/random_faces.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text();
  return texts;
}

class CommandWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->show();
    // A box that would wait for a person is a failure here: it is noted and closed.
    watchdog_.setInterval(50);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modalsSeen_ << modal->windowTitle();
        modal->close();
      }
    });
    watchdog_.start();
  }
  void TearDown() override {
    watchdog_.stop();
    window_.reset();
  }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
  QTimer watchdog_;
  QStringList modalsSeen_;
};

TEST_F(CommandWindowTest, FileAndEditMenusCarryTheirCaptionsAndStates) {
  CommandActions& actions = window_->Actions();
  EXPECT_EQ(Texts(actions.MenuFor(Menu::File)),
            (QStringList{"&New Model", "&Load Data", "Load &Recent", "Exam&ples", "&Save Data",
                         "save wr&z - file (compressed)", "E&xport ", "&Exit"}));
  EXPECT_EQ(Texts(actions.MenuFor(Menu::Edit)),
            (QStringList{"Undo", "Redu", "Copy Bitmap to  Clipboard"}));
  EXPECT_EQ(actions.MenuFor(Menu::File)->menuAction()->text(), QStringLiteral("&File"));
  EXPECT_FALSE(actions.Action(CommandId::Undo)->isEnabled());
  EXPECT_FALSE(actions.Action(CommandId::Redo)->isEnabled());
  EXPECT_FALSE(actions.Action(CommandId::Recent1)->isVisible()) << "recent items hide until filled";

  QWidget* load = actions.ToolBar()->widgetForAction(actions.Action(CommandId::LoadData));
  ASSERT_NE(load, nullptr);
  EXPECT_EQ(load->accessibleName(), QStringLiteral("Load *.mor *.wrl  *.wrz *.cif File"));

  window_->Form().FormActivate({});
  CrystalModel& model = window_->Form().EditableModel();
  model.faces[0].distance = 2;
  window_->Form().ShowModelInTables();
  model.calculateAfterStep = model.geometryStale = true;
  window_->Form().Run(CommandId::Redo);  // disabled: nothing happens
  window_->Form().CAClick();
  EXPECT_TRUE(actions.Action(CommandId::Undo)->isEnabled());
  actions.Action(CommandId::Undo)->trigger();
  EXPECT_TRUE(actions.Action(CommandId::Redo)->isEnabled());
  EXPECT_FALSE(actions.Action(CommandId::Undo)->isEnabled());
  EXPECT_TRUE(modalsSeen_.isEmpty()) << modalsSeen_.join(", ").toStdString();
}

TEST_F(CommandWindowTest, NoControlTakesTheAccessKeyOfAMenu) {
  // Alt with a menu's key opens that menu; a button or label with the same key
  // would take the keystroke instead.
  QMap<QKeySequence, QString> menus;
  for (const QAction* menu : window_->menuBar()->actions())
    if (!QKeySequence::mnemonic(menu->text()).isEmpty())
      menus.insert(QKeySequence::mnemonic(menu->text()), menu->text());
  ASSERT_TRUE(menus.contains(QKeySequence(Qt::ALT | Qt::Key_F)));
  QStringList clashes;
  const auto check = [&](const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty() && menus.contains(key)) clashes << text + " / " + menus.value(key);
  };
  for (const QAbstractButton* button : window_->findChildren<QAbstractButton*>())
    check(button->text());
  for (const QLabel* label : window_->findChildren<QLabel*>())
    if (label->buddy()) check(label->text());
  EXPECT_TRUE(clashes.isEmpty()) << clashes.join(", ").toStdString();
}

TEST_F(CommandWindowTest, ADroppedModelOpensAfterTheDeferredTimer) {
  QTemporaryDir files;
  // A scene alone is shown first, so that no save question comes.
  const QString scene = files.path() + QStringLiteral("/plain.wrl");
  QFile sceneFile(scene);
  ASSERT_TRUE(sceneFile.open(QIODevice::WriteOnly));
  sceneFile.write("#VRML V2.0 utf8\n");
  sceneFile.close();
  window_->Form().FormActivate({scene.toStdString()});
  ASSERT_TRUE(window_->Form().State().sceneOnly);

  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile(ExampleModelPath()), QUrl::fromLocalFile(files.path() + "/other.mor")});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &drop);
  EXPECT_NE(window_->windowTitle(), QStringLiteral("Habitopia: Quartz.mor"))
      << "opened only by Timer12";
  Wait(400);
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Habitopia: Quartz.mor"));
  EXPECT_FALSE(window_->Form().State().sceneOnly);
  EXPECT_TRUE(modalsSeen_.isEmpty()) << modalsSeen_.join(", ").toStdString();
}

TEST_F(CommandWindowTest, TheProgressBarMovesOverPanelZeroDuringASlowBuild) {
  window_->Form().FormActivate({});
  habitopia::test::RandomFaceOptions options;
  options.faceCount = 250;
  options.maxIndex = 6;
  options.randomCell = false;
  const auto faces = habitopia::test::MakeRandomFaceSet(7, options).faces;
  CrystalModel& model = window_->Form().EditableModel();
  for (std::size_t i = 0; i < faces.size(); ++i) model.faces[i] = faces[i];
  model.lastFace = model.lastUniqueFace = static_cast<int>(faces.size()) - 1;
  window_->Form().ShowModelInTables();
  model.calculateAfterStep = model.geometryStale = true;

  std::set<int> values;
  bool shownOverPanel = false;
  bool cancelLive = false;
  QObject::connect(window_->Progress(), &QProgressBar::valueChanged, [&](int value) {
    values.insert(value);
    shownOverPanel = shownOverPanel || (window_->Progress()->isVisible() &&
                                        window_->Progress()->parentWidget() ==
                                            static_cast<QWidget*>(window_->StatusPanel(0)));
    cancelLive = cancelLive ||
                 (window_->CancelButton()->isVisible() && window_->CancelButton()->isEnabled());
  });
  window_->Form().CAClick();
  // The construction reports its start and its end.
  EXPECT_GE(values.size(), 2u);
  EXPECT_TRUE(shownOverPanel);
  EXPECT_TRUE(cancelLive);
  EXPECT_FALSE(window_->Progress()->isVisible()) << "hidden again after the build";
  EXPECT_EQ(window_->StatusPanel(1)->text().endsWith(QStringLiteral(" Faces")), true);
  EXPECT_TRUE(modalsSeen_.isEmpty()) << modalsSeen_.join(", ").toStdString();
}

}  // namespace
}  // namespace habitopia::gui::test
