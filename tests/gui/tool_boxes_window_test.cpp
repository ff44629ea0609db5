// The tool boxes as a user meets them: each opens from its menu item inside its
// captioned group box, and its main button does its job once.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/calculations_box.h"
#include "gui/cleavage_face_box.h"
#include "gui/command_actions.h"
#include "gui/group_wizard_box.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
#include "gui/shape_prediction_box.h"
#include "gui/surface_energies_dialog.h"
#include "gui/tool_box_contents.h"
#include "gui/tool_box_host.h"
#include "gui/twin_tool_box.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

class ToolBoxesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->resize(1000, 800);
    window_->show();
    watchdog_.setInterval(50);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modalsSeen_ << modal->windowTitle();
        modal->close();
      }
    });
    watchdog_.start();
    window_->Form().FormActivate({});
  }
  void TearDown() override {
    watchdog_.stop();
    window_.reset();
  }

  // Opens the box from its menu item; it must show under its caption.
  QGroupBox* Open(CommandId command, ToolBox box) {
    window_->Actions().Action(command)->trigger();
    QGroupBox* group = window_->ToolBoxes().Box(box);
    EXPECT_TRUE(group && group->isVisible()) << ToolBoxCaption(box).toStdString();
    if (group) EXPECT_EQ(group->accessibleName(), ToolBoxCaption(box));
    return group;
  }
  const FormState& State() const { return window_->Form().State(); }
  ToolBoxContents& Contents() const { return window_->ToolContents(); }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
  QTimer watchdog_;
  QStringList modalsSeen_;
};

TEST_F(ToolBoxesWindowTest, PredictWithCentringFGivesTheFacesOfTheOctahedronFirst) {
  window_->Form().SpeedButton15Click();
  window_->Form().PointGroupRadioClick(32);
  window_->Form().SpeedButton16Click();
  Open(CommandId::MorphologyPrediction, ToolBox::ShapePrediction);
  QRadioButton* centringF = nullptr;
  for (auto* button :
       window_->ToolBoxes().Box(ToolBox::ShapePrediction)->findChildren<QRadioButton*>())
    if (button->text() == QStringLiteral("F") &&
        button->parent()->objectName() == QStringLiteral("Bravais"))
      centringF = button;
  ASSERT_NE(centringF, nullptr);
  EXPECT_TRUE(centringF->isEnabled());
  // The tables region widened for the box: every choice can be seen without scrolling.
  auto* scroll = window_->ToolBoxes().findChild<QScrollArea*>(QStringLiteral("ToolBoxScroll"));
  ASSERT_NE(scroll, nullptr);
  QTest::qWait(100);  // the layouts settle
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible())
      << scroll->viewport()->width() << " of " << scroll->widget()->sizeHint().width();
  // A width the user drags to afterwards stays while the box shows.
  auto* splitter = window_->findChild<QSplitter*>(QStringLiteral("RegionSplitter"));
  ASSERT_NE(splitter, nullptr);
  const QList<int> sizes = splitter->sizes();
  splitter->setSizes({250, sizes[0] + sizes[1] - 250});
  const int dragged = splitter->sizes()[0];
  window_->Actions().Action(CommandId::ViewUtilities)->trigger();
  window_->Actions().Action(CommandId::ViewUtilities)->trigger();
  EXPECT_EQ(splitter->sizes()[0], dragged);
  QTest::mouseClick(centringF, Qt::LeftButton);
  EXPECT_EQ(State().tools.prediction.symmetry.centring, Centring::F);
  QTest::mouseClick(Contents().Prediction().PredictButton(), Qt::LeftButton);
  const FaceGrid& unique = State().tables.stringGrid2;
  // {1 1 1} is ranked first; with "with high-" {1 0 0} comes by 2 0 0 and truncates it.
  ASSERT_EQ(unique.RowCount(), 1 + 2) << "the header and two forms";
  EXPECT_EQ(unique.rows[1][0], "-1 -1 -1");
  EXPECT_EQ(unique.rows[2][0], "-1 0 0");
  EXPECT_TRUE(modalsSeen_.isEmpty()) << modalsSeen_.join(", ").toStdString();
}

TEST_F(ToolBoxesWindowTest, EachToolBoxHasAccessKeysOfItsOwn) {
  // Alt with a key must reach one control: none of the menus and no other
  // control on screen with the box.
  QMap<QKeySequence, QString> menus;
  for (const QAction* menu : window_->menuBar()->actions())
    menus.insert(QKeySequence::mnemonic(menu->text()), menu->text());
  const struct {
    CommandId command;
    ToolBox box;
  } tools[] = {{CommandId::MorphologyPrediction, ToolBox::ShapePrediction},
               {CommandId::Calculations, ToolBox::Calculations},
               {CommandId::TwinningTool, ToolBox::Twintool},
               {CommandId::IndicateCleavageFace, ToolBox::CleavageFace}};
  for (const auto& tool : tools) {
    Open(tool.command, tool.box);
    QMap<QKeySequence, QString> taken = menus;
    QStringList clashes;
    const auto check = [&](const QWidget* widget, const QString& text) {
      const QKeySequence key = QKeySequence::mnemonic(text);
      if (key.isEmpty() || !widget->isVisibleTo(window_.get())) return;
      if (taken.contains(key)) clashes << text + " / " + taken.value(key);
      taken.insert(key, text);
    };
    for (const QAbstractButton* button : window_->findChildren<QAbstractButton*>())
      check(button, button->text());
    for (const QLabel* label : window_->findChildren<QLabel*>())
      if (label->buddy()) check(label, label->text());
    EXPECT_TRUE(clashes.isEmpty())
        << ToolBoxCaption(tool.box).toStdString() << ": " << clashes.join(", ").toStdString();
    window_->Form().CANCELEDITClick();
  }
}

TEST_F(ToolBoxesWindowTest, CalculationsMeasureTheAngleOfTwoPickedFaces) {
  Open(CommandId::Calculations, ToolBox::Calculations);
  QTest::mouseClick(
      window_->ToolBoxes().Box(ToolBox::Calculations)->findChild<QPushButton*>("firstfacebutton"),
      Qt::LeftButton);
  window_->Form().StringGrid1SelectCell(1, 0);
  QTest::mouseClick(
      window_->ToolBoxes().Box(ToolBox::Calculations)->findChild<QPushButton*>("secondfacebutton"),
      Qt::LeftButton);
  window_->Form().StringGrid1SelectCell(2, 0);
  QTest::mouseClick(Contents().Calculations().AngleButton(), Qt::LeftButton);
  EXPECT_TRUE(Contents().Calculations().AngleButton()->text().endsWith(QStringLiteral(" Degrees")))
      << Contents().Calculations().AngleButton()->text().toStdString();
}

TEST_F(ToolBoxesWindowTest, CalculationsShowTheShapeDescriptors) {
  QGroupBox* box = Open(CommandId::Calculations, ToolBox::Calculations);
  const auto* descriptors = box->findChild<QLabel*>(QStringLiteral("ShapeDescriptors"));
  ASSERT_TRUE(descriptors);
  EXPECT_TRUE(descriptors->isVisible());
  EXPECT_EQ(descriptors->accessibleName(), QStringLiteral("Shape descriptors"));
  EXPECT_TRUE(
      descriptors->text().startsWith(QStringLiteral("Shape descriptors (lengths in model units)")))
      << descriptors->text().toStdString();
  KeepPicture(window_->grab().toImage(), QStringLiteral("calculations-descriptors"));
}

TEST_F(ToolBoxesWindowTest, SurfaceEnergiesDialogMakesTheTableTheUniqueFaces) {
  QGroupBox* box = Open(CommandId::MorphologyPrediction, ToolBox::ShapePrediction);
  auto* button = box->findChild<QPushButton*>(QStringLiteral("SurfaceEnergies"));
  ASSERT_TRUE(button);
  EXPECT_TRUE(button->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);  // the watchdog closes the dialog again
  EXPECT_TRUE(modalsSeen_.contains(QStringLiteral("Surface energies")))
      << modalsSeen_.join(", ").toStdString();

  SurfaceEnergiesDialog dialog(window_->Form(), window_.get());
  auto* table = dialog.findChild<QPlainTextEdit*>(QStringLiteral("SurfaceTable"));
  ASSERT_TRUE(table);
  EXPECT_TRUE(table->toPlainText().startsWith(QStringLiteral("# h k l value")));
  table->setPlainText(QStringLiteral("1 0 0 1\n0 1 0 1\n0 0 1 1\n1 1 1 1.4\n"));  // in -1
  dialog.show();
  KeepPicture(dialog.grab().toImage(), QStringLiteral("surface-energies"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted) << modalsSeen_.join(", ").toStdString();
  const FaceGrid& unique = State().tables.stringGrid2;
  ASSERT_GE(unique.RowCount(), 5);
  EXPECT_EQ(unique.rows[1][0], "1 0 0");
  EXPECT_EQ(unique.rows[4][0], "1 1 1");
  EXPECT_EQ(unique.rows[4][1], "1.4");
}

TEST_F(ToolBoxesWindowTest, AnInversionTwinIsBuiltByUpdate) {
  Open(CommandId::TwinningTool, ToolBox::Twintool);
  Contents().Twin().Choice(TwinChoice::Inversion)->click();
  ASSERT_EQ(State().switches.twin, TwinChoice::Inversion);
  QTest::mouseClick(Contents().Twin().UpdateButton(), Qt::LeftButton);
  EXPECT_EQ(State().switches.twin, TwinChoice::Inversion);
  EXPECT_TRUE(State().tools.twin.note.empty()) << State().tools.twin.note;
  EXPECT_TRUE(modalsSeen_.isEmpty()) << modalsSeen_.join(", ").toStdString();
}

TEST_F(ToolBoxesWindowTest, ACleavagePlaneTypedWithReturnIsAddedAndRemoved) {
  const int rowsBefore = State().tables.stringGrid1.RowCount();
  Open(CommandId::IndicateCleavageFace, ToolBox::CleavageFace);
  QLineEdit* indices = Contents().Cleavage().IndicesEdit();
  indices->setFocus();
  indices->selectAll();
  QTest::keyClicks(indices, QStringLiteral("1 1 1"));
  QTest::keyClick(indices, Qt::Key_X);  // refused with a message
  EXPECT_EQ(indices->text(), QStringLiteral("1 1 1"));
  EXPECT_EQ(modalsSeen_.size(), 1);
  QTest::keyClick(indices, Qt::Key_Return);
  EXPECT_EQ(State().tables.stringGrid1.RowCount(), rowsBefore + 1);
  auto* remove =
      window_->ToolBoxes().Box(ToolBox::CleavageFace)->findChild<QPushButton*>("removecutface1");
  ASSERT_NE(remove, nullptr);
  EXPECT_TRUE(remove->isEnabled());
  QTest::mouseClick(remove, Qt::LeftButton);
  EXPECT_EQ(State().tables.stringGrid1.RowCount(), rowsBefore);
}

TEST_F(ToolBoxesWindowTest, TheWizardRefusesAGroupWithoutAFolder) {
  Open(CommandId::CombinedObjectsWizard, ToolBox::CombinedObjects);
  QTest::mouseClick(Contents().Wizard().AcceptButton(), Qt::LeftButton);
  ASSERT_EQ(modalsSeen_.size(), 1);
  EXPECT_EQ(State().regions.toolBox, ToolBox::CombinedObjects)
      << "a refused group leaves the wizard open";
}

}  // namespace
}  // namespace habitopia::gui::test
