// Commands whose effects reach beyond their own box: the model file's panel
// code, the cleavage box's guard and return, and a CIF replacing the model.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/main_form.h"
#include "app_test_support.h"
#include "files/model_codes.h"
#include "files/model_reader.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::ScriptedPorts;

class CommandMapTest : public ::testing::Test {
 protected:
  CommandMapTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    ProgramFiles files;
    files.documentsDirectory = (scratch_.Path() / "Documents").string();
    form_.SetProgramFiles(files);
  }
  long long SavedPanelCode(const std::string& name) {
    const std::string path = (scratch_.Path() / name).string();
    EXPECT_TRUE(form_.Save1Click(path));
    const ModelReadResult read = ReadModelFile(path);
    EXPECT_TRUE(read.ok) << read.error;
    return read.document.switches[kSwitchPanel];
  }
  std::string WriteCif(const std::string& name, const std::string& body) {
    const fs::path path = scratch_.Path() / name;
    std::ofstream(path) << body;
    return path.string();
  }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
};

constexpr const char* kCubicCell =
    "_cell_length_a 4\n_cell_length_b 4\n_cell_length_c 4\n"
    "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n";
constexpr const char* kCubeFaces =
    "loop_\n"
    " _exptl_crystal_face_index_h\n _exptl_crystal_face_index_k\n"
    " _exptl_crystal_face_index_l\n _exptl_crystal_face_perp_dist\n"
    "   1 0 0   1.0\n";

TEST_F(CommandMapTest, TheSavedPanelCodeCountsTheOpenCellBox) {
  form_.FormActivate({});
  ASSERT_TRUE(form_.State().tables.stringGrid2.visible);
  EXPECT_EQ(SavedPanelCode("lists.mor"), -2) << "tumble off, unique list shown";
  form_.Run(CommandId::EditMetric);
  ASSERT_TRUE(form_.State().tables.metricBox);
  ASSERT_FALSE(form_.State().tables.stringGrid2.visible);
  EXPECT_EQ(SavedPanelCode("metric.mor"), -4) << "the factor 4 of the open Metric box";
  form_.CANCELEDITClick();
  EXPECT_EQ(SavedPanelCode("closed.mor"), -2);
}

TEST_F(CommandMapTest, TheCleavageBoxWaitsForAnAddedFaceAndItsCancelReturnsToTheModelBefore) {
  form_.FormActivate({});
  form_.Run(CommandId::EditFace);
  const int faces = form_.Model().FaceCount();
  const int snapshots = form_.History().Top();
  ASSERT_GE(snapshots, 1);

  form_.Button2Click();  // "Add Face": the cleavage box must wait for it
  form_.Run(CommandId::IndicateCleavageFace);
  EXPECT_NE(form_.State().regions.toolBox, ToolBox::CleavageFace);
  EXPECT_TRUE(form_.State().switches.display.solid) << "the box changed nothing";
  form_.CANCELEDITClick();
  ASSERT_EQ(form_.Model().FaceCount(), faces);

  form_.Run(CommandId::IndicateCleavageFace);
  ASSERT_EQ(form_.State().regions.toolBox, ToolBox::CleavageFace);
  EXPECT_FALSE(form_.State().switches.display.solid);
  form_.EditCutfaceChange("1 1 1");
  form_.editcutdistanceChange("0.1");
  ASSERT_TRUE(form_.AcceptCleavagePlane());
  ASSERT_EQ(form_.Model().cleavageFace, faces);
  form_.TrackBar1Change(80);
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer4));
  ASSERT_GT(form_.History().Top(), snapshots);

  // CANCEL goes back to the snapshot shown when the box opened: no plane, and
  // "solid" as it was.
  form_.CANCELEDITClick();
  EXPECT_EQ(form_.Model().cleavageFace, -1);
  EXPECT_EQ(form_.Model().FaceCount(), faces);
  EXPECT_EQ(form_.History().Position(), snapshots);
  EXPECT_TRUE(form_.State().switches.display.solid);
  EXPECT_NE(form_.State().regions.toolBox, ToolBox::CleavageFace);
}

TEST_F(CommandMapTest, ACifReplacingTheModelAsksToSaveAndNamesItsSpaceGroup) {
  form_.FormActivate({});
  const std::string path = WriteCif("cube.cif", std::string(kCubicCell) +
                                                    "_symmetry_space_group_name_H-M 'F m -3 m'\n"
                                                    "_symmetry_point_group_name_H-M '4/m-32/m'\n" +
                                                    kCubeFaces);
  ports_.dialogs.answers.push_back(Answer::No);
  ASSERT_TRUE(form_.Load1Click(path));
  ASSERT_EQ(ports_.dialogs.questions.size(), 1u);
  EXPECT_EQ(ports_.dialogs.questions[0].text, "save changes?");
  EXPECT_EQ(form_.Model().pointGroup, 32);
  EXPECT_EQ(form_.State().tools.prediction.caption, "Shape Prediction (SG:  F m -3 m )");
  EXPECT_EQ(form_.State().caption, "Habitopia: cube.cif");
  EXPECT_EQ(form_.Model().polyhedron.PresentFaceCount(), 6) << "complete: drawn";
}

TEST_F(CommandMapTest, AnIncompleteCifWithFacesWaitsInTheWindowUndrawn) {
  form_.FormActivate({});
  const int snapshots = form_.History().Top();
  // No angles and no symmetry: the faces and lengths are read, nothing drawn.
  const std::string path =
      WriteCif("part.cif", "_cell_length_a 4\n_cell_length_b 5\n_cell_length_c 6\n" +
                               std::string(kCubeFaces) + "   0 1 0   1.2\n");
  ports_.dialogs.answers.push_back(Answer::No);
  ASSERT_TRUE(form_.Load1Click(path));
  EXPECT_EQ(ports_.dialogs.questions.size(), 1u) << "save changes? once";
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  const std::string& missing = ports_.dialogs.messages[0].text;
  EXPECT_EQ(missing.rfind("Information incomplete, please edit manually:", 0), 0u);
  EXPECT_NE(missing.find("Metric angle alpha"), std::string::npos);
  EXPECT_NE(missing.find("Point Group"), std::string::npos);

  const FaceGrid& unique = form_.State().tables.stringGrid2;
  ASSERT_GE(unique.RowCount(), 3);
  EXPECT_EQ(unique.rows[1][0], "1 0 0");
  EXPECT_EQ(unique.rows[2][0], "0 1 0");
  EXPECT_EQ(form_.State().tables.cellEdits[0].text, "4");
  EXPECT_TRUE(form_.Model().geometryStale) << "not built";
  EXPECT_NE(form_.State().caption, "Habitopia: part.cif");
  EXPECT_GT(form_.History().Top(), snapshots) << "the values read are a snapshot";
}

TEST_F(CommandMapTest, AFaceTypedWithApplySymmetryIsExpandedAndDrawnAsItIsTyped) {
  form_.FormActivate({});
  ports_.dialogs.answers.assign(20, Answer::Yes);  // open hulls on the way
  form_.Run(CommandId::SelectPointGroup);
  form_.PointGroupRadioClick(32);
  form_.Edit1DblClick();
  ports_.timers.FireAll(form_);
  form_.Run(CommandId::EditUniqueFaces);
  ASSERT_TRUE(form_.State().tables.applySymmetry);
  const auto full = form_.State().tables.stringGrid1.rows;
  const int faces = form_.Model().FaceCount();
  const int snapshots = form_.History().Top();
  const std::string first = form_.State().tables.stringGrid2.rows[1][0];

  ASSERT_TRUE(form_.StringGrid2SelectCell(1, 0));
  form_.StringGrid2SetEditText(1, 0, "1 1 0");
  const FaceGrid& shown = form_.State().tables.stringGrid1;
  const auto has = [&](const std::string& text) {
    for (const auto& row : shown.rows)
      if (row[0] == text) return true;
    return false;
  };
  EXPECT_TRUE(has("-1 -1 0") && has("0 1 -1")) << "the form {110} is in the full list";
  EXPECT_GT(form_.History().Top(), snapshots) << "and drawn before any accept";
  EXPECT_EQ(form_.State().tables.edit1.text, "1 1 0");

  // CANCEL: the list and the picture are those before the edit.
  form_.CANCELEDITClick();
  EXPECT_EQ(form_.State().tables.stringGrid1.rows, full);
  EXPECT_EQ(form_.Model().FaceCount(), faces);
  EXPECT_EQ(form_.State().tables.stringGrid2.rows[1][0], first);
  EXPECT_EQ(form_.Model().polyhedron.PresentFaceCount(), faces);

  // Typed again and accepted: the list is rebuilt from the unique faces alone.
  ASSERT_TRUE(form_.StringGrid2SelectCell(1, 0));
  ASSERT_EQ(first, "1 2 3") << "48 faces in 4/m3";
  form_.Edit1Change("2");  // reads 2 2 3: l and k stay until typed
  EXPECT_TRUE(has("3 2 2")) << "drawn on the way";
  form_.Edit1Change("2 1");
  form_.Edit1Change("2 1 0");
  EXPECT_FALSE(has("3 2 2")) << "the picture shows the face as it reads now";
  EXPECT_EQ(form_.Model().FaceCount(), faces - 1 + 24)
      << "the list before the edit, its row 1 now one of the 24 faces of {210}";
  form_.Edit1DblClick();
  EXPECT_TRUE(ports_.dialogs.messages.empty()) << ports_.dialogs.messages[0].text;
  EXPECT_EQ(form_.State().tables.stringGrid2.rows[1][0], "2 1 0");
  EXPECT_FALSE(has("2 1 3")) << "the old form is gone with the rebuild";
  EXPECT_TRUE(has("-2 -1 0"));
  EXPECT_EQ(form_.Model().FaceCount(), faces - 48 + 24);
}

}  // namespace
}  // namespace habitopia
