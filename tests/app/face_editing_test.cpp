// Stories of the face editor: the point-group box, the cell boxes, both face
// lists, adding, removing, cancelling and the special face features.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app_test_support.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

using test::ScratchFolder;
using test::ScriptedPorts;

std::vector<std::string> IndexTexts(const FaceGrid& grid) {
  std::vector<std::string> texts;
  for (const FaceRow& row : FaceRowsOf(grid)) texts.push_back(row.indices);
  return texts;
}

class FaceEditingTest : public ::testing::Test {
 protected:
  FaceEditingTest() : form_(ports_.Ports(), (scratch_.Path() / "work").string()) {
    // Building up a crystal face by face passes through open hulls.
    for (int i = 0; i < 50; ++i) ports_.dialogs.answers.push_back(Answer::Yes);
  }

  const TablesState& Tables() const { return form_.State().tables; }
  const CrystalModel& Model() const { return form_.Model(); }
  int Calculations() const {
    return static_cast<int>(
        std::count(ports_.timers.started.begin(), ports_.timers.started.end(), TimerId::Timer5));
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : ports_.dialogs.messages) texts.push_back(shown.text);
    return texts;
  }
  bool Said(const std::string& text) const {
    const auto all = Messages();
    return std::find(all.begin(), all.end(), text) != all.end();
  }

  void ChooseGroup(int group) {
    form_.Run(CommandId::SelectPointGroup);
    form_.PointGroupRadioClick(group);
    form_.Edit1DblClick();
    // A second later the automatic clean-up rebuilds from the cleaned list.
    ports_.timers.Fire(form_, TimerId::Timer3);
  }
  // "Add Face" in the shown list, the two cells typed, then ACCEPT.
  void AddFace(const std::string& indices, const std::string& distance) {
    form_.Button2Click();
    const int row = Model().selectedRow;
    if (Tables().applySymmetry) {
      form_.StringGrid2SetEditText(row, 0, indices);
      form_.StringGrid2SetEditText(row, 1, distance);
    } else {
      form_.StringGrid1SetEditText(row, 0, indices);
      form_.StringGrid1SetEditText(row, 1, distance);
    }
    form_.Edit1DblClick();
  }
  void Cube() {
    ChooseGroup(32);
    AddFace("1 0 0", "1");
  }

  ScratchFolder scratch_;
  ScriptedPorts ports_;
  MainForm form_;
};

TEST_F(FaceEditingTest, AcceptingACubicGroupConstrainsTheCellAndSaysSo) {
  ChooseGroup(32);
  EXPECT_EQ(form_.State().statusPanels[kPointGroupPanel].text, "point group = 4/m3");
  EXPECT_EQ(Model().pointGroup, 32);
  EXPECT_EQ(Model().operationCount, 48);
  const auto& boxes = Tables().cellEdits;
  EXPECT_TRUE(boxes[kBoxA].enabled);
  for (int box : {kBoxB, kBoxC, kBoxAlpha, kBoxBeta, kBoxGamma})
    EXPECT_FALSE(boxes[box].enabled) << box;
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None);
  EXPECT_TRUE(Tables().stringGrid2.visible);
}

TEST_F(FaceEditingTest, AUniqueFaceIsExpandedByTheGroupWithOneCalculation) {
  ChooseGroup(32);
  form_.Button2Click();
  const int row = Model().selectedRow;
  form_.StringGrid2SetEditText(row, 1, "1");
  form_.StringGrid2SetEditText(row, 0, "1 1 1");  // drawn as it is typed
  const int before = Calculations();
  form_.Edit1DblClick();
  EXPECT_EQ(Calculations(), before + 1);
  EXPECT_EQ(Model().FaceCount(), 8);
  EXPECT_EQ(FaceRowCount(Tables().stringGrid1), 8);
  EXPECT_EQ(IndexTexts(Tables().stringGrid2), std::vector<std::string>{"1 1 1"});
  AddFace("1 0 0", "1.2");
  EXPECT_EQ(Model().FaceCount(), 14);
  EXPECT_FALSE(Tables().acceptStrip);
}

TEST_F(FaceEditingTest, TypedIndicesAreReducedRoundedAndDistancesMadePositive) {
  ChooseGroup(1);
  AddFace("2 4 6", "-2");
  EXPECT_EQ(Tables().stringGrid2.rows[1][0], "1 2 3");
  EXPECT_EQ(Tables().stringGrid2.rows[1][1], "2");
  EXPECT_EQ(Model().faces[0].distance, 2);
  AddFace("4 6 0", "1");
  EXPECT_EQ(Tables().stringGrid2.rows[2][0], "4 6 0");
  AddFace("1.5 3 0", "1");
  EXPECT_EQ(Tables().stringGrid2.rows[3][0], "1 2 0");
  EXPECT_EQ(IndexTexts(Tables().stringGrid1),
            (std::vector<std::string>{"1 2 3", "4 6 0", "1 2 0"}));
}

TEST_F(FaceEditingTest, TheSixFacesOfTheHexagonalPrismComeInTableOrder) {
  ChooseGroup(21);
  AddFace("1 0 0", "1");
  EXPECT_EQ(IndexTexts(Tables().stringGrid1),
            (std::vector<std::string>{"1 0 0", "1 -1 0", "0 -1 0", "-1 0 0", "-1 1 0", "0 1 0"}));
}

TEST_F(FaceEditingTest, ADistanceReEditMovesTheWholeForm) {
  Cube();
  form_.StringGrid2SelectCell(1, 1);
  form_.StringGrid2SetEditText(1, 1, "2.5");
  form_.Edit1DblClick();
  for (int f = 0; f < 6; ++f) EXPECT_EQ(Model().faces[f].distance, 2.5L) << f;
  for (const FaceRow& row : FaceRowsOf(Tables().stringGrid1)) EXPECT_EQ(row.distance, "2.5");
}

TEST_F(FaceEditingTest, AcceptingAnUntypedRowDoesNothing) {
  Cube();
  const FaceRecord generated = Model().faces[1];
  form_.Button2Click();
  const int before = Calculations();
  EXPECT_EQ(Tables().edit1.text, "0 0 0");
  form_.Edit1DblClick();
  EXPECT_EQ(Calculations(), before);
  // The untyped row may not be left for an edited one.
  EXPECT_FALSE(form_.StringGrid2SelectCell(1, 0));
  // Every opening command is refused meanwhile.
  form_.Run(CommandId::EditMetric);
  EXPECT_TRUE(Said("edit added face first"));
  EXPECT_FALSE(Tables().metricBox);
  form_.CANCELEDITClick();
  EXPECT_EQ(FaceRowCount(Tables().stringGrid2), 1);
  EXPECT_EQ(Model().FaceCount(), 6);
  EXPECT_EQ(Model().faces[1], generated) << "the generated face under the added row is back";
  EXPECT_TRUE(Tables().addFace.enabled);
}

TEST_F(FaceEditingTest, AnAddedUniqueFaceThatIsAlreadyGeneratedStaysInAdding) {
  Cube();
  AddFace("0 -1 0", "1");
  EXPECT_TRUE(Said("There might exist one or more symmetry equivalent faces"));
  EXPECT_EQ(Tables().stringGrid2.rows[2][0], "0 0 0");
  form_.CANCELEDITClick();
  EXPECT_EQ(FaceRowCount(Tables().stringGrid2), 1);
  EXPECT_EQ(Model().FaceCount(), 6);
}

TEST_F(FaceEditingTest, AnEditedUniqueFaceEqualToAnotherFaceIsRestored) {
  Cube();
  AddFace("1 1 1", "1.5");
  const int faces = Model().FaceCount();
  form_.StringGrid2SelectCell(2, 0);
  form_.StringGrid2SetEditText(2, 0, "-1 0 0");
  form_.Edit1DblClick();
  EXPECT_TRUE(Said("There might exist one or more symmetry equivalent faces, old value restored"));
  EXPECT_EQ(Tables().stringGrid2.rows[2][0], "1 1 1");
  EXPECT_EQ(Model().FaceCount(), faces);
  EXPECT_EQ(Model().faces[1].h, 1);
  EXPECT_EQ(Model().faces[1].k, 1);
}

TEST_F(FaceEditingTest, BadDistancesAreRefusedAndTheOldValueComesBack) {
  Cube();
  form_.StringGrid2SelectCell(1, 1);
  form_.StringGrid2SetEditText(1, 1, "1..2");
  form_.Edit1DblClick();
  EXPECT_TRUE(Said("wrong numerical input, old value restored"));
  EXPECT_EQ(Tables().stringGrid2.rows[1][1], "1");
  form_.StringGrid2SetEditText(1, 1, "0");
  form_.Edit1DblClick();
  EXPECT_TRUE(Said("Distance has to be >0, old value restored"));
  EXPECT_EQ(Tables().stringGrid2.rows[1][1], "1");
  EXPECT_EQ(Model().faces[0].distance, 1);
}

TEST_F(FaceEditingTest, FullListEditsAreCheckedAgainstTheOtherRows) {
  Cube();
  form_.Run(CommandId::EditFace);
  ASSERT_TRUE(Tables().stringGrid1.visible);
  const std::string second = Tables().stringGrid1.rows[2][0];
  const std::string third = Tables().stringGrid1.rows[3][0];
  form_.StringGrid1SelectCell(2, 0);
  form_.StringGrid1SetEditText(2, 0, "1 0 0");
  form_.Edit1DblClick();
  EXPECT_TRUE(Said("There exists a symmetry equivalent face to this one, old value restored"));
  EXPECT_EQ(Tables().stringGrid1.rows[2][0], second);
  EXPECT_EQ(Model().FaceCount(), 6);

  // Leaving a typed row that duplicates another.
  form_.StringGrid1SetEditText(2, 0, third);
  form_.StringGrid1SelectCell(4, 0);
  EXPECT_TRUE(Said("The face already exists, old value restored"));
  EXPECT_EQ(Tables().stringGrid1.rows[2][0], second);

  form_.StringGrid1SetEditText(4, 1, "x");
  form_.StringGrid1SelectCell(5, 0);
  EXPECT_TRUE(Said("Wrong numerical input, old value restored"));
  EXPECT_EQ(Tables().stringGrid1.rows[4][1], "1");

  // An added face that duplicates another row is dropped again.
  AddFace("0 0 1", "2");
  EXPECT_EQ(Model().FaceCount(), 6);
  EXPECT_EQ(FaceRowCount(Tables().stringGrid1), 6);
}

TEST_F(FaceEditingTest, RemovingAFaceAndCancellingBringsItBack) {
  Cube();
  form_.Run(CommandId::EditFace);
  form_.StringGrid1SelectCell(3, 0);
  const FaceRow removed = RowAt(Tables().stringGrid1, 3);
  form_.Button4Click();
  EXPECT_EQ(Model().FaceCount(), 5);
  const auto left = IndexTexts(Tables().stringGrid1);
  EXPECT_EQ(std::count(left.begin(), left.end(), removed.indices), 0);
  form_.CANCELEDITClick();
  EXPECT_EQ(Model().FaceCount(), 6);
  const auto texts = IndexTexts(Tables().stringGrid1);
  EXPECT_NE(std::find(texts.begin(), texts.end(), removed.indices), texts.end());
  EXPECT_FALSE(Said("There exists a symmetry equivalent face to this one, old value restored"));
}

TEST_F(FaceEditingTest, RemovingAUniqueFaceRebuildsTheFullList) {
  Cube();
  AddFace("1 1 1", "1.5");
  ASSERT_EQ(Model().FaceCount(), 14);
  form_.StringGrid2SelectCell(2, 0);
  form_.Button4Click();
  EXPECT_EQ(IndexTexts(Tables().stringGrid2), std::vector<std::string>{"1 0 0"});
  EXPECT_EQ(Model().FaceCount(), 6);
}

TEST_F(FaceEditingTest, TheGroupIsRebuiltOnlyWhenItOrTheCellChanged) {
  Cube();
  const int before = Calculations();
  ChooseGroup(32);
  EXPECT_EQ(Calculations(), before) << "same group, same cell";
  ChooseGroup(29);
  EXPECT_EQ(Calculations(), before + 2) << "the rebuild, then the clean-up's redraw";
  EXPECT_EQ(Model().FaceCount(), 6);
}

TEST_F(FaceEditingTest, ATrigonalGroupMakesGammaOneHundredTwentyAndCopiesA) {
  form_.Run(CommandId::EditMetric);
  ASSERT_TRUE(Tables().metricBox);
  form_.Edit4Change(kBoxA, "2");
  form_.Edit4Change(kBoxB, "3");
  form_.Edit4Change(kBoxC, "4");
  form_.SpeedButton17Click();
  ChooseGroup(10);
  const auto& boxes = Tables().cellEdits;
  EXPECT_EQ(boxes[kBoxGamma].text, "120");
  EXPECT_EQ(boxes[kBoxB].text, "2");
  EXPECT_EQ(Model().cell.gamma, 120);
  EXPECT_EQ(Model().cell.a, Model().cell.b);
  EXPECT_EQ(Model().cellLengthMean * 3, 8);
}

TEST_F(FaceEditingTest, AZeroLengthIsRefusedAndCancelPutsTheAcceptedCellBack) {
  Cube();
  form_.Run(CommandId::EditMetric);
  form_.Edit4Change(kBoxA, "0");
  EXPECT_TRUE(Tables().acceptStrip);
  form_.Edit1DblClick();
  EXPECT_TRUE(Said("Incorrect Data, old value restored"));
  EXPECT_EQ(Tables().cellEdits[kBoxC].text, "1");
  EXPECT_EQ(Model().cell.c, 1);

  form_.Run(CommandId::EditMetric);
  form_.Edit4Change(kBoxA, "5");
  form_.SpeedButton17Click();  // "CLOSE"
  EXPECT_EQ(Model().cellLengthMean, 5);
  form_.Run(CommandId::EditMetric);
  form_.CANCELEDITClick();
  EXPECT_EQ(Model().cellLengthMean, 1);
  EXPECT_EQ(Tables().cellEdits[kBoxA].text, "1");
}

TEST_F(FaceEditingTest, KeysAreFilteredAndReturnAccepts) {
  Cube();
  EXPECT_EQ(form_.StringGrid2KeyPress(1, 0, "1 ", 'a'), '\0');
  EXPECT_TRUE(Said("wrong input of indices"));
  EXPECT_EQ(form_.StringGrid2KeyPress(1, 1, "", '-'), '\0');
  EXPECT_TRUE(Said("distance has to be>0"));
  EXPECT_EQ(form_.StringGrid2KeyPress(1, 0, "1", '.'), '.');
  EXPECT_EQ(form_.State().statusPanels[kMessagePanel].text, "? integer Millerindices");

  form_.StringGrid2SelectCell(1, 1);
  form_.StringGrid2SetEditText(1, 1, "3");
  const int before = Calculations();
  EXPECT_EQ(form_.StringGrid2KeyPress(1, 1, "3", '\r'), '\0');
  EXPECT_EQ(Calculations(), before + 1);
  EXPECT_EQ(Model().faces[5].distance, 3);
}

TEST_F(FaceEditingTest, TypingALetterChangesNothing) {
  Cube();
  const auto rows = Tables().stringGrid2.rows;
  const int before = Calculations();
  form_.StringGrid2SelectCell(1, 0);
  // (Digits would be expanded and drawn as they are typed.)
  for (char key : std::string("a")) {
    const std::string cell = Tables().stringGrid2.rows[1][0];
    const char typed = form_.StringGrid2KeyPress(1, 0, cell, key);
    if (typed != '\0') form_.StringGrid2SetEditText(1, 0, cell + typed);
  }
  EXPECT_TRUE(Said("wrong input of indices"));
  EXPECT_EQ(Tables().stringGrid2.rows[1][0].find('a'), std::string::npos);
  EXPECT_EQ(Calculations(), before);
  EXPECT_EQ(Model().FaceCount(), 6);
}

TEST_F(FaceEditingTest, TheDistanceSliderSetsTheCurrentFace) {
  Cube();
  form_.Run(CommandId::EditFace);
  form_.StringGrid1SelectCell(2, 0);
  form_.Run(CommandId::SingleFaceProperties);
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::SpecialFaceFeatures);
  EXPECT_EQ(Tables().special.label11, Tables().stringGrid1.rows[2][0]);
  EXPECT_EQ(Tables().centralDistance, 10);
  form_.CentraldistanceChange(0);
  EXPECT_EQ(Tables().stringGrid1.rows[2][1], "0.0001");
  EXPECT_EQ(Model().faces[1].distance, 0.0001L);
  form_.CentraldistanceChange(20);
  EXPECT_EQ(Tables().stringGrid1.rows[2][1], "2");
}

TEST_F(FaceEditingTest, SpecialFeaturesReachTheWholeFormAndResetAllClearsThem) {
  Cube();
  ports_.dialogs.colours.push_back(Rgb{255, 0, 0});
  form_.StringGrid2SelectCell(1, 0);
  form_.Run(CommandId::SingleFaceProperties);
  form_.FaceColorClick();
  EXPECT_TRUE(Tables().special.showFaceColor);
  form_.Edit1DblClick();
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None);
  for (int f = 0; f < 6; ++f) {
    EXPECT_EQ(Model().faces[f].colourShown, 1) << f;
    EXPECT_EQ(Model().faces[f].faceColour[0], 255) << f;
  }
  ports_.dialogs.files.push_back(std::nullopt);
  form_.Run(CommandId::SingleFaceProperties);
  form_.FaceImageClick(true);
  EXPECT_TRUE(Tables().special.imageButton);
  form_.ImageClick();
  EXPECT_FALSE(Tables().special.faceImage) << "cancelled image dialog";
  ASSERT_EQ(ports_.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(ports_.dialogs.fileRequests[0].defaultExtension, "jpg");
  form_.ResetAllFacesClick();
  form_.Edit1DblClick();
  for (int f = 0; f < 6; ++f) EXPECT_EQ(Model().faces[f].colourShown, 0) << f;
}

TEST_F(FaceEditingTest, TheLabelQuestionIsAskedOnceWhenLabelsAreLimited) {
  Cube();
  form_.StringGrid2SelectCell(1, 0);
  form_.Run(CommandId::SingleFaceProperties);
  form_.ShowIndicesClick(true);
  ports_.dialogs.questions.clear();
  ports_.dialogs.answers.push_front(Answer::No);
  form_.Edit1DblClick();
  AddFace("1 1 1", "1.5");
  const auto& questions = ports_.dialogs.questions;
  EXPECT_EQ(std::count_if(questions.begin(), questions.end(),
                          [](const auto& q) { return q.text == "apply symmetry to indices"; }),
            1);
  EXPECT_TRUE(Model().faces[0].labelSelected);
  EXPECT_FALSE(Model().faces[1].labelSelected) << "answered No";

  // The right button on "indices" asks once more, now answered Yes.
  ports_.dialogs.answers.push_front(Answer::Yes);
  form_.indicesonMouseDown();
  EXPECT_EQ(std::count_if(questions.begin(), questions.end(),
                          [](const auto& q) { return q.text == "apply symmetry to indices"; }),
            2);
  EXPECT_TRUE(Tables().applySymmetry);
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None) << "the box was accepted";
  EXPECT_EQ(Model().indexLabelAnswer, static_cast<int>(LabelAnswer::Yes));
}

TEST_F(FaceEditingTest, ApplyToAllOfManyFormsEndsInOneCalculation) {
  ChooseGroup(32);
  for (const char* face : {"1 0 0", "1 1 0", "1 1 1", "2 1 0", "2 1 1", "3 2 1"})
    AddFace(face, "1");
  ASSERT_EQ(Model().FaceCount(), 6 + 12 + 8 + 24 + 24 + 48);
  const int before = Calculations();
  form_.ApplyAllFacesClick();
  EXPECT_EQ(Calculations(), before + 1);
  EXPECT_EQ(Model().FaceCount(), 122);
  EXPECT_EQ(Model().applyAllCursor, -1);
}

TEST_F(FaceEditingTest, SwitchingListsAndTheRedrawQuestion) {
  Cube();
  form_.ApplyPointgroupClick(false);
  EXPECT_TRUE(Tables().stringGrid1.visible);
  EXPECT_FALSE(Tables().stringGrid2.visible);
  form_.ApplyPointgroupClick(true);
  EXPECT_TRUE(Tables().stringGrid2.visible);
  ports_.dialogs.answers.push_front(Answer::Yes);
  const int before = Calculations();
  form_.ApplyPointgroupMouseDown();
  EXPECT_EQ(ports_.dialogs.questions.back().text, "Redraw Model now?");
  EXPECT_EQ(ports_.dialogs.questions.back().caption, "Warning");
  EXPECT_EQ(Calculations(), before + 1);
}

TEST_F(FaceEditingTest, CancellingThePointGroupBoxKeepsTheAcceptedGroup) {
  Cube();
  form_.Run(CommandId::SelectPointGroup);
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::PointGroups);
  form_.PointGroupRadioClick(3);
  form_.CANCELEDITClick();
  EXPECT_EQ(Model().pointGroup, 32);
  EXPECT_EQ(Tables().pointGroupChoice, 32);
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None);
}

}  // namespace
}  // namespace habitopia
