// Where the calculation meets the face editor: the single-face properties
// reopened after their accept, a removed face that opened the hull, an
// unfinished add ended by a calculation or by opening another model.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app_test_support.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

using test::CubeDocument;
using test::ScratchFolder;
using test::ScriptedPorts;
using test::WriteModel;

class CalculationHooksTest : public ::testing::Test {
 protected:
  CalculationHooksTest() : form_(ports_.Ports(), (scratch_.Path() / "work").string()) {
    std::filesystem::create_directories(scratch_.Path() / "work");
  }

  const TablesState& Tables() const { return form_.State().tables; }
  const CrystalModel& Model() const { return form_.Model(); }
  bool Said(const std::string& text) const {
    return std::any_of(ports_.dialogs.messages.begin(), ports_.dialogs.messages.end(),
                       [&](const auto& shown) { return shown.text == text; });
  }
  int Rows(const std::string& indices) const {
    int count = 0;
    for (const FaceRow& row : FaceRowsOf(Tables().stringGrid1)) count += row.indices == indices;
    return count;
  }

  // The cube {100} built in the unique list; the empty table on the way is open.
  void Cube() {
    ports_.dialogs.answers.push_back(Answer::Yes);
    form_.Run(CommandId::SelectPointGroup);
    form_.PointGroupRadioClick(32);
    form_.Edit1DblClick();
    ports_.timers.Fire(form_, TimerId::Timer3);  // the automatic clean-up's redraw
    form_.Button2Click();
    const int row = Model().selectedRow;
    form_.StringGrid2SetEditText(row, 0, "1 0 0");
    form_.StringGrid2SetEditText(row, 1, "1");
    form_.Edit1DblClick();
    ASSERT_EQ(Model().FaceCount(), 6);
    ports_.dialogs.answers.clear();
  }

  ScratchFolder scratch_;
  ScriptedPorts ports_;
  MainForm form_;
};

TEST_F(CalculationHooksTest, RemovingAFaceThatOpensTheHullAndAnsweringNoForgetsTheRemovedFace) {
  Cube();
  form_.Run(CommandId::EditFace);
  form_.StringGrid1SelectCell(3, 0);
  const std::string removed = RowAt(Tables().stringGrid1, 3).indices;
  ports_.dialogs.answers.push_back(Answer::No);
  form_.Button4Click();
  ASSERT_EQ(ports_.dialogs.questions.back().text, "Hull is not closed, proceed?");

  EXPECT_EQ(Model().FaceCount(), 6) << "the closed cube of the last snapshot";
  EXPECT_EQ(Rows(removed), 1);

  // CANCEL and the next add do not bring the removed face in a second time.
  form_.CANCELEDITClick();
  EXPECT_EQ(Model().FaceCount(), 6);
  EXPECT_EQ(Rows(removed), 1);
  form_.Button2Click();
  EXPECT_EQ(Rows(removed), 1);
  const FaceGrid& shown = Tables().applySymmetry ? Tables().stringGrid2 : Tables().stringGrid1;
  EXPECT_EQ(RowAt(shown, Model().selectedRow).indices, "0 0 0") << "a plain add";
}

TEST_F(CalculationHooksTest, ShowIndicesBringsTheSingleFacePropertiesBackAfterTheirAccept) {
  Cube();
  form_.Run(CommandId::SingleFaceProperties);
  ASSERT_EQ(form_.State().regions.toolBox, ToolBox::SpecialFaceFeatures);
  form_.ShowIndicesClick(true);
  ports_.dialogs.answers.push_back(Answer::Yes);  // apply symmetry to indices
  form_.Edit1DblClick();
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::SpecialFaceFeatures)
      << "reopened by the calculation";
  EXPECT_TRUE(Model().faces[Model().selectedRow - 1].labelSelected);

  // Asked once: the next accept closes the box.
  form_.Edit1DblClick();
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None);
}

TEST_F(CalculationHooksTest, AnUnfinishedAddEndsWhenAnotherModelIsOpened) {
  Cube();
  form_.Button2Click();
  ASSERT_FALSE(Tables().addFace.enabled);
  const std::string other = WriteModel(scratch_.Path() / "other.mor", CubeDocument());
  ASSERT_TRUE(form_.Load1Click(other));
  EXPECT_TRUE(Tables().addFace.enabled);
  for (const FaceRow& row : FaceRowsOf(Tables().stringGrid2)) EXPECT_NE(row.indices, "0 0 0");

  // Nothing is refused as "edit added face first".
  form_.Run(CommandId::SelectPointGroup);
  EXPECT_FALSE(Said("edit added face first"));
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::PointGroups);
}

TEST_F(CalculationHooksTest, ACalculationEndsAnUnfinishedAddAndDropsItsRow) {
  Cube();
  form_.Run(CommandId::EditFace);
  form_.Button2Click();
  ASSERT_EQ(Rows("0 0 0"), 1);
  form_.EditableModel().calculateAfterStep = true;
  form_.CAClick();
  EXPECT_EQ(Rows("0 0 0"), 0);
  EXPECT_EQ(Model().FaceCount(), 6);
  EXPECT_TRUE(Tables().addFace.enabled);
  form_.Run(CommandId::SelectPointGroup);
  EXPECT_FALSE(Said("edit added face first"));
}

}  // namespace
}  // namespace habitopia
