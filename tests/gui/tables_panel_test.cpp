// The tables region as a user meets it: choosing a point group, typing faces
// into the unique list and a cell length into the cell boxes.

#include "gui/tables_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/cell_boxes.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
#include "gui/point_groups_box.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

// Answers every message box and question that opens within the next moments with
// its default button, and remembers their texts.
class BoxCloser : public QObject {
 public:
  BoxCloser() {
    timer_.setInterval(50);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.append(box->text());
        box->done(box->buttons().isEmpty() ? 0 : box->standardButton(box->buttons().first()));
      }
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

class TablesPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->move(0, 0);
    window_->show();
    QVERIFY_WAIT_EXPOSED();
  }
  void QVERIFY_WAIT_EXPOSED() { ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get())); }
  void TearDown() override { window_.reset(); }

  TablesPanel& Tables() { return window_->Tables(); }
  QPushButton* Named(const char* name) {
    return window_->findChild<QPushButton*>(QString::fromLatin1(name));
  }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(TablesPanelTest, ControlsCarryTheirCaptionsAsAccessibleNames) {
  for (const char* name : {"Add Face", "Remove", "CANCEL", "ACCEPT", "Symmetry", "to All"}) {
    bool found = false;
    for (QPushButton* button : Tables().findChildren<QPushButton*>())
      found = found || button->accessibleName() == QString::fromLatin1(name);
    EXPECT_TRUE(found) << name;
  }
  const QStringList boxes{"a", "b", "c", "alpha", "beta", "gamma"};
  for (int box = 0; box < 6; ++box)
    EXPECT_EQ(Tables().Cell()->Box(box)->accessibleName(), boxes[box]);
  EXPECT_EQ(window_->findChild<QLineEdit*>("Edit1")->accessibleName(), "indices");
  EXPECT_EQ(window_->findChild<QLineEdit*>("Edit2")->accessibleName(), "distance");
  EXPECT_EQ(Tables().PointGroups()->Button(32)->text(), "4/m3");
  EXPECT_EQ(Tables().PointGroups()->Button(32)->toolTip(), "complete symbol 4/m -3 2/m");
  EXPECT_EQ(Tables().Grid(2)->model()->headerData(0, Qt::Horizontal).toString(), "indices");
  EXPECT_EQ(Tables().Grid(2)->model()->headerData(1, Qt::Horizontal).toString(), "Distance");
}

TEST_F(TablesPanelTest, ACubeTypedIntoTheUniqueList) {
  BoxCloser closer;
  window_->Form().Run(CommandId::SelectPointGroup);
  ASSERT_TRUE(Tables().PointGroups()->isVisible());
  QTest::qWait(50);
  Tables().PointGroups()->Button(32)->click();
  QTest::mouseClick(Named("ACCEPTFACE"), Qt::LeftButton);
  EXPECT_EQ(window_->StatusPanel(0)->text(), "point group = 4/m3");
  EXPECT_FALSE(Tables().Cell()->Box(1)->isEnabled());
  EXPECT_TRUE(Tables().Cell()->Box(0)->isEnabled());

  QTest::mouseClick(Named("Button2"), Qt::LeftButton);
  QTableView* unique = Tables().Grid(2);
  ASSERT_TRUE(unique->isVisible());
  ASSERT_EQ(unique->model()->rowCount(), 1);
  unique->setFocus();
  unique->setCurrentIndex(unique->model()->index(0, 0));
  unique->edit(unique->currentIndex());
  auto* editor = unique->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "1 a1 1");
  EXPECT_EQ(editor->text(), "1 1 1");
  EXPECT_TRUE(closer.texts.contains("wrong input of indices"));
  // Expanded and drawn while typed, the editor still open for more keys.
  EXPECT_EQ(window_->Form().Model().FaceCount(), 8);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(unique->isEnabled());
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::qWait(100);
  EXPECT_EQ(window_->Form().Model().FaceCount(), 8);
  EXPECT_EQ(Tables().Grid(1)->model()->rowCount(), 8);
  EXPECT_EQ(unique->model()->data(unique->model()->index(0, 0)).toString(), "1 1 1");
  KeepPicture(window_->grab().toImage(), "tables_cube");
}

TEST_F(TablesPanelTest, TypingACellLengthGoesThroughTheBoxes) {
  window_->Form().Run(CommandId::EditMetric);
  QLineEdit* a = Tables().Cell()->Box(0);
  a->setFocus();
  a->selectAll();
  QTest::keyClicks(a, "2,5");
  EXPECT_EQ(a->text(), "2.5") << "the comma becomes the point";
  QTest::mouseClick(window_->findChild<QPushButton*>("MetricClose"), Qt::LeftButton);
  EXPECT_EQ(window_->Form().Model().cellLengthMean * 3, 4.5L);
}

}  // namespace
}  // namespace habitopia::gui::test
