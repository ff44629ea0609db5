// The calculation driver and the history as the user meets them: start-up with
// the default crystal, snapshots, undo and redo, the hull question, the face
// limit and a cancelled build.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/display_switches.h"
#include "app/main_form.h"
#include "app_test_support.h"
#include "files/model_reader.h"
#include "scripted_ports.h"
#include "support/random_faces.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::ScriptedPorts;

class CalculationTest : public ::testing::Test {
 protected:
  CalculationTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {}

  // Replaces the face table as an editing command would and draws.
  void SetFaces(const std::vector<FaceRecord>& faces) {
    CrystalModel& model = form_.EditableModel();
    for (std::size_t i = 0; i < faces.size(); ++i) model.faces[i] = faces[i];
    model.lastFace = model.lastUniqueFace = static_cast<int>(faces.size()) - 1;
    form_.ShowModelInTables();
    model.calculateAfterStep = true;
    model.geometryStale = true;
    form_.CAClick();
  }
  bool Enabled(CommandId id) const { return form_.State().Command(id).enabled; }
  int FaceRows() const { return form_.State().tables.stringGrid1.RowCount() - 1; }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
};

TEST_F(CalculationTest, StartBuildsTheDefaultCrystalTakesSnapshotOneAndLoadsItLater) {
  form_.FormActivate({});
  const FormState& state = form_.State();
  EXPECT_EQ(state.caption, "Habitopia Vers. 1.56");
  EXPECT_EQ(form_.Model().pointGroup, 2);
  EXPECT_EQ(form_.Model().lastUniqueFace, 3);
  EXPECT_EQ(form_.Model().lastFace, 7) << "four faces and their inverses";
  EXPECT_EQ(state.tables.stringGrid2.rows[1][0], "1 2 3");
  EXPECT_EQ(state.tables.stringGrid2.rows[4][0], "0 1 0");
  EXPECT_EQ(state.tables.cellEdits[0].text, "1");
  EXPECT_EQ(state.tables.cellEdits[5].text, "90");
  EXPECT_EQ(state.statusPanels[kFacesPanel].text, "8 Faces");
  EXPECT_TRUE(ports_.dialogs.questions.empty()) << "the default crystal is closed";

  EXPECT_EQ(form_.History().Position(), 1);
  EXPECT_TRUE(fs::exists(fs::path(work_) / "Habitopia.tmp.1"));
  EXPECT_FALSE(Enabled(CommandId::Undo));
  EXPECT_FALSE(Enabled(CommandId::Redo));
  EXPECT_FALSE(state.regions.locked);

  // The default model file: U = 3, group 2.
  const ModelReadResult snapshot = ReadModelFile((fs::path(work_) / "Habitopia.tmp.1").string());
  ASSERT_TRUE(snapshot.ok) << snapshot.error;
  EXPECT_EQ(snapshot.document.LastUniqueFace(), 3);
  EXPECT_EQ(snapshot.document.pointGroup, 2);

  EXPECT_TRUE(ports_.viewer.loads.empty()) << "the viewer loads when Timer5 fires";
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer5));
  ASSERT_EQ(ports_.viewer.loads.size(), 1u);
  EXPECT_EQ(ports_.viewer.loads[0], (fs::path(work_) / "Habitopia.wrl").string());
  EXPECT_TRUE(fs::exists(ports_.viewer.loads[0]));
}

TEST_F(CalculationTest, TheCameraIsKeptAcrossRecalculationsButResetAtTheFirstLoad) {
  form_.FormActivate({});
  ports_.viewer.camera = ViewerCamera{{1, 2, 3}, {0, 1, 0, 0.5}, 0.7};
  ports_.timers.Fire(form_, TimerId::Timer5);
  ports_.viewer.FinishOk();
  EXPECT_TRUE(ports_.viewer.camerasSet.empty())
      << "first load: the scene's own camera is remembered";

  ports_.viewer.camera = ViewerCamera{{4, 5, 6}, {1, 0, 0, 1}, 0.7};  // the user turned the crystal
  SetFaces(test::CubeFaces());
  ports_.timers.Fire(form_, TimerId::Timer5);
  ports_.viewer.camera = ViewerCamera{};  // the new scene starts at its own viewpoint
  ports_.viewer.FinishOk();
  ASSERT_EQ(ports_.viewer.camerasSet.size(), 1u);
  EXPECT_EQ(ports_.viewer.camerasSet[0].position, (std::array<double, 3>{4, 5, 6}));
}

TEST_F(CalculationTest, UndoAndRedoWalkTheSnapshots) {
  form_.FormActivate({});        // snapshot 1: default, 8 faces
  SetFaces(test::CubeFaces());   // snapshot 2: cube
  SetFaces(test::CubeFaces(2));  // snapshot 3: larger cube
  EXPECT_EQ(form_.History().Top(), 3);
  EXPECT_TRUE(Enabled(CommandId::Undo));

  form_.Run(CommandId::Undo);
  form_.Run(CommandId::Undo);
  EXPECT_EQ(form_.History().Position(), 1);
  EXPECT_EQ(form_.Model().lastFace, 7) << "the default crystal again";
  EXPECT_EQ(FaceRows(), 8);
  EXPECT_FALSE(Enabled(CommandId::Undo));
  EXPECT_TRUE(Enabled(CommandId::Redo));
  EXPECT_EQ(form_.History().Top(), 3) << "undo writes no snapshot";

  // A new calculation appends after the top, not after the position.
  SetFaces(test::CubeFaces(3));
  EXPECT_EQ(form_.History().Position(), 4);
  EXPECT_TRUE(Enabled(CommandId::Redo)) << "a snapshot leaves Redu as it was";
  form_.Run(CommandId::Undo);
  EXPECT_EQ(form_.History().Position(), 3);
  EXPECT_EQ(form_.Model().faces[0].distance, 2);

  form_.Run(CommandId::Redo);
  EXPECT_EQ(form_.History().Position(), 4);
  EXPECT_EQ(form_.Model().faces[0].distance, 3);
  EXPECT_FALSE(Enabled(CommandId::Redo)) << "at the top";
}

TEST_F(CalculationTest, UndoBringsBackTheSnapshotsSwitchesColoursAndTheirMenuChecks) {
  form_.FormActivate({});
  form_.Run(CommandId::Indices);  // snapshot 2: with indices
  ports_.dialogs.colours.push_back(Rgb{0, 0, 64});
  form_.Run(CommandId::BackgroundColor);  // snapshot 3: dark background
  ASSERT_EQ(form_.History().Top(), 3);
  ASSERT_TRUE(form_.State().Command(CommandId::Indices).checked);

  form_.Run(CommandId::Undo);
  EXPECT_EQ(form_.State().display.settings.backgroundColour, (Rgb{255, 255, 255}))
      << "the colour buttons show the snapshot's colours";
  EXPECT_TRUE(form_.State().Command(CommandId::Indices).checked);
  form_.Run(CommandId::Undo);
  EXPECT_FALSE(SwitchChecked(form_.State().switches.display, DisplaySwitch::Indices));
  EXPECT_FALSE(form_.State().Command(CommandId::Indices).checked)
      << "menu and toolbar follow the snapshot";
  form_.Run(CommandId::Redo);
  form_.Run(CommandId::Redo);
  EXPECT_TRUE(form_.State().Command(CommandId::Indices).checked);
  EXPECT_EQ(form_.State().display.settings.backgroundColour, (Rgb{0, 0, 64}));
}

TEST_F(CalculationTest, AMissingOrEmptySnapshotIsNeverLoaded) {
  form_.FormActivate({});
  SetFaces(test::CubeFaces());
  SetFaces(test::CubeFaces(2));
  fs::remove(fs::path(work_) / "Habitopia.tmp.2");
  form_.Run(CommandId::Undo);
  EXPECT_EQ(form_.History().Position(), 3) << "the position stays";
  EXPECT_EQ(form_.Model().faces[0].distance, 2) << "the model stays";
  EXPECT_EQ(form_.Model().lastFace, 5);
  ASSERT_FALSE(ports_.dialogs.messages.empty());
  EXPECT_NE(ports_.dialogs.messages.back().text.find("Habitopia.tmp.2"), std::string::npos);
  EXPECT_FALSE(form_.State().regions.locked);

  std::ofstream(fs::path(work_) / "Habitopia.tmp.2", std::ios::trunc).flush();
  form_.Run(CommandId::Undo);
  EXPECT_EQ(form_.History().Position(), 3);
  EXPECT_EQ(form_.Model().lastFace, 5);
}

TEST_F(CalculationTest, AFailedSnapshotDoesNotEnterTheHistory) {
  form_.FormActivate({});
  SetFaces(test::CubeFaces());
  ASSERT_EQ(form_.History().Top(), 2);
  // Snapshot 3 cannot be written: a directory is in its place.
  fs::create_directory(fs::path(work_) / "Habitopia.tmp.3");
  ports_.dialogs.messages.clear();
  SetFaces(test::CubeFaces(2));
  EXPECT_EQ(form_.History().Top(), 2);
  EXPECT_EQ(form_.History().Position(), 2);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_NE(ports_.dialogs.messages[0].text.find("Habitopia.tmp.3"), std::string::npos);
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer5)) << "the viewer still shows the new crystal";
  EXPECT_FALSE(form_.State().regions.locked);
}

TEST_F(CalculationTest, AnOpenHullAsksAndNoRestoresTheClosedCrystal) {
  form_.FormActivate({});
  SetFaces(test::CubeFaces());
  std::vector<FaceRecord> open = test::CubeFaces();
  open.pop_back();

  ports_.dialogs.answers.push_back(Answer::No);
  SetFaces(open);
  ASSERT_EQ(ports_.dialogs.questions.size(), 1u);
  EXPECT_EQ(ports_.dialogs.questions[0].text, "Hull is not closed, proceed?");
  EXPECT_EQ(ports_.dialogs.questions[0].caption, "Warning");
  EXPECT_EQ(form_.Model().lastFace, 5) << "the closed cube is back";
  EXPECT_EQ(FaceRows(), 6);
  EXPECT_EQ(form_.History().Top(), 2) << "no snapshot of the open hull";
  EXPECT_FALSE(form_.State().regions.locked);

  ports_.dialogs.answers.push_back(Answer::Yes);
  ports_.timers.pending.clear();
  SetFaces(open);
  EXPECT_EQ(form_.Model().lastFace, 4) << "Yes keeps the open table";
  EXPECT_EQ(form_.History().Top(), 2);
  EXPECT_FALSE(ports_.timers.Pending(TimerId::Timer5)) << "the viewer keeps the previous scene";
}

TEST_F(CalculationTest, AFullTableIsCutTo301FacesWithOneMessage) {
  form_.FormActivate({});
  test::RandomFaceOptions options;
  options.faceCount = kFaceSlots;
  options.maxIndex = 6;
  options.randomCell = false;
  SetFaces(test::MakeRandomFaceSet(7, options).faces);
  EXPECT_EQ(form_.Model().lastFace, 300);
  EXPECT_EQ(FaceRows(), 301);
  int shown = 0;
  for (const auto& message : ports_.dialogs.messages)
    shown += message.text == "More than a total of 300 faces. Command aborted";
  EXPECT_EQ(shown, 1);
}

TEST_F(CalculationTest, ARowLeftAt000AndNonPositiveDistancesDisappear) {
  form_.FormActivate({});
  std::vector<FaceRecord> faces = test::CubeFaces();
  faces.push_back(test::Face(0, 0, 0));
  faces.push_back(test::Face(1, 1, 1, 0));
  SetFaces(faces);
  EXPECT_EQ(form_.Model().lastFace, 5);
  EXPECT_EQ(FaceRows(), 6);
}

TEST_F(CalculationTest, WhileRestoringTheTableIsCleanedButNothingIsWritten) {
  form_.FormActivate({});
  const int top = form_.History().Top();
  const auto written = fs::last_write_time(fs::path(work_) / "Habitopia.wrl");
  CrystalModel& model = form_.EditableModel();
  model.modelRestoring = true;
  std::vector<FaceRecord> faces = test::CubeFaces();
  faces.push_back(test::Face(0, 0, 0));
  SetFaces(faces);
  EXPECT_EQ(form_.Model().lastFace, 5);
  EXPECT_EQ(form_.History().Top(), top);
  EXPECT_EQ(fs::last_write_time(fs::path(work_) / "Habitopia.wrl"), written);
  EXPECT_FALSE(form_.State().regions.locked);
}

TEST_F(CalculationTest, CancelDuringALongBuildRestoresThePreviousCrystal) {
  form_.FormActivate({});
  SetFaces(test::CubeFaces());
  const int top = form_.History().Top();

  bool lockedDuringBuild = false;
  int progressSeen = 0;
  ports_.timers.duringMessages = [&] {
    lockedDuringBuild = lockedDuringBuild || form_.State().regions.locked;
    if (form_.State().progress.visible)
      progressSeen = std::max(progressSeen, form_.State().progress.position + 1);
    if (form_.Calculating() && progressSeen >= 3) form_.CANCELEDITClick();
  };
  test::RandomFaceOptions options;
  options.faceCount = 200;
  options.maxIndex = 5;
  SetFaces(test::MakeRandomFaceSet(11, options).faces);
  ports_.timers.duringMessages = nullptr;

  EXPECT_TRUE(lockedDuringBuild);
  EXPECT_GE(progressSeen, 3);
  EXPECT_FALSE(form_.Model().stopRequested);
  EXPECT_EQ(form_.Model().lastFace, 5) << "the cube is back";
  EXPECT_EQ(form_.History().Top(), top) << "no snapshot of the cancelled build";
  EXPECT_FALSE(form_.State().progress.visible);
  EXPECT_FALSE(form_.State().regions.locked);
  EXPECT_TRUE(ports_.dialogs.questions.empty()) << "a cancelled build asks nothing";
}

}  // namespace
}  // namespace habitopia
