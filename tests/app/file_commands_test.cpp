// Opening, saving, start-up and closing as the user meets them.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app/settings_file.h"
#include "app_test_support.h"
#include "files/model_reader.h"
#include "scene/scene_files.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::CubeDocument;
using test::ScratchFolder;
using test::ScriptedPorts;
using test::WriteModel;

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    ProgramFiles files;
    files.programDirectory = "/opt/habitopia";
    files.documentsDirectory = (scratch_.Path() / "Documents").string();
    files.exampleModel = WriteModel(scratch_.Path() / "Quartz.mor", CubeDocument());
    files.emptyScene = "/opt/habitopia/examples/habitopiaempty.wrl";
    form_.SetProgramFiles(files);
  }
  std::string Settings() const {
    std::string text;
    ReadSettingsFile((fs::path(work_) / "otibaH.ini").string(), text);
    return text;
  }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
};

TEST_F(FileCommandsTest, SavedModelReadsBackAndBecomesTheFirstRecentFile) {
  form_.FormActivate({});
  const std::string target = (scratch_.Path() / "saved.mor").string();
  ports_.dialogs.files.push_back(target);
  form_.Run(CommandId::SaveData);
  ASSERT_EQ(ports_.dialogs.fileRequests.size(), 1u);
  const FileDialogRequest& request = ports_.dialogs.fileRequests[0];
  EXPECT_EQ(request.defaultExtension, "mor");
  EXPECT_EQ(request.filter, "Habitopia data file (*.mor)|*.mor|VRML data file (*.wrl)|*.wrl");
  EXPECT_EQ(request.fileName, (scratch_.Path() / "Documents" / "untitled.mor").string())
      << "never the program's own file";

  const ModelReadResult read = ReadModelFile(target);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.document.pointGroup, 2);
  EXPECT_EQ(read.document.LastFace(), 7);
  EXPECT_EQ(form_.State().caption, "Habitopia: saved.mor");
  EXPECT_EQ(form_.State().Command(CommandId::Recent1).caption, target);
  EXPECT_TRUE(form_.State().Command(CommandId::Recent1).visible);
  EXPECT_FALSE(form_.State().Command(CommandId::Recent2).visible);
  EXPECT_EQ(RecentFiles(Settings())[0], target);

  // The next save proposes the document's own name.
  ports_.dialogs.files.push_back(std::nullopt);
  form_.Run(CommandId::SaveData);
  EXPECT_EQ(ports_.dialogs.fileRequests.back().fileName, target);
  EXPECT_TRUE(form_.State().saveCancelled);
}

TEST_F(FileCommandsTest, AFailedSaveIsReportedAndChangesNoName) {
  form_.FormActivate({});
  const std::string blocked = (scratch_.Path() / "nofolder" / "x.mor").string();
  ports_.dialogs.files.push_back(blocked);
  form_.Run(CommandId::SaveData);
  ASSERT_FALSE(ports_.dialogs.messages.empty());
  EXPECT_NE(ports_.dialogs.messages.back().text.find(blocked), std::string::npos);
  EXPECT_EQ(form_.State().caption, "Habitopia Vers. 1.56");
  EXPECT_TRUE(form_.Model().modelFileName.empty());
  EXPECT_EQ(RecentFiles(Settings())[0], "");
}

TEST_F(FileCommandsTest, OpeningByExtensionIgnoresCaseAndRefusesOtherKinds) {
  form_.FormActivate({});
  const std::string upper = WriteModel(scratch_.Path() / "CUBE.MOR", CubeDocument());
  ports_.dialogs.answers.push_back(Answer::No);  // save changes?
  ports_.dialogs.files.push_back(upper);
  form_.Run(CommandId::LoadData);
  EXPECT_EQ(ports_.dialogs.questions.at(0).text, "save changes?");
  EXPECT_EQ(form_.State().caption, "Habitopia: CUBE.MOR");
  EXPECT_EQ(form_.Model().lastFace, 5);
  EXPECT_EQ(form_.State().tables.stringGrid1.RowCount(), 7);
  EXPECT_EQ(RecentFiles(Settings())[0], upper);

  std::ofstream(scratch_.Path() / "notes.txt") << "x";
  EXPECT_FALSE(form_.Load1Click((scratch_.Path() / "notes.txt").string()));
  EXPECT_EQ(ports_.dialogs.messages.back().text,
            "This is not a valid Habitopia - file (*.mor): .txt");
  EXPECT_FALSE(form_.Load1Click((scratch_.Path() / "none.mor").string()));
  EXPECT_EQ(ports_.dialogs.messages.back().text,
            "File not Found: " + (scratch_.Path() / "none.mor").string());
  EXPECT_EQ(form_.Model().lastFace, 5);
}

TEST_F(FileCommandsTest, AFileThatIsNoModelLeavesEverythingAsItWas) {
  form_.FormActivate({});
  const FormState before = form_.State();
  const int top = form_.History().Top();
  std::ofstream(scratch_.Path() / "trailing.mor") << "Habitopia data Release 1.5 \r\n3\r\n";
  EXPECT_FALSE(form_.Load1Click((scratch_.Path() / "trailing.mor").string()));
  ASSERT_FALSE(ports_.dialogs.messages.empty());
  EXPECT_NE(ports_.dialogs.messages.back().text.find("trailing.mor"), std::string::npos);
  EXPECT_EQ(form_.State().caption, before.caption);
  EXPECT_EQ(form_.State().tables.stringGrid1.rows, before.tables.stringGrid1.rows);
  EXPECT_EQ(form_.State().tables.stringGrid2.rows, before.tables.stringGrid2.rows);
  EXPECT_EQ(form_.State().switches.display, before.switches.display);
  EXPECT_EQ(form_.Model().lastFace, 7);
  EXPECT_EQ(form_.History().Top(), top);
  EXPECT_FALSE(form_.State().regions.locked);
}

TEST_F(FileCommandsTest, ASceneWithItsModelOpensWithoutTouchingTheScenesFolder) {
  form_.FormActivate({});
  const fs::path folder = scratch_.Path() / "scenes";
  fs::create_directories(folder);
  ports_.dialogs.files.push_back((folder / "crystal.wrl").string());
  form_.Run(CommandId::SaveData);
  std::ofstream(folder / "tmp.mor") << "the user's own file";
  const int top = form_.History().Top();

  EXPECT_TRUE(form_.Load1Click((folder / "crystal.wrl").string()));
  EXPECT_EQ(form_.State().caption, "Habitopia: crystal.wrl");
  EXPECT_FALSE(form_.State().sceneOnly);
  EXPECT_EQ(form_.Model().lastFace, 7);
  std::string text;
  std::string error;
  std::ifstream user(folder / "tmp.mor");
  std::getline(user, text);
  EXPECT_EQ(text, "the user's own file");
  EXPECT_EQ(fs::path(form_.Model().modelFileName).parent_path(), folder)
      << "textures are looked up beside the scene";
  EXPECT_EQ(form_.History().Top(), top + 2) << "one snapshot before, one of the model read";
}

TEST_F(FileCommandsTest, ASceneWithoutModelIsShownAlone) {
  form_.FormActivate({});
  const std::string scene = (scratch_.Path() / "plain.WRZ").string();
  std::ofstream(scene) << "#VRML V2.0 utf8\n";
  EXPECT_TRUE(form_.Load1Click(scene));
  EXPECT_TRUE(form_.State().sceneOnly);
  EXPECT_FALSE(form_.State().regions.statusBar);
  EXPECT_FALSE(form_.State().Command(CommandId::SaveData).enabled);
  EXPECT_EQ(ports_.viewer.loads.back(), scene);

  // Closing a scene asks its own question.
  ports_.dialogs.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(form_.FormClose(640, 480));
  EXPECT_EQ(ports_.dialogs.questions.back().text, "Closing Application?");
  EXPECT_EQ(ports_.dialogs.questionButtons.back(), QuestionButtons::YesCancel);
}

TEST_F(FileCommandsTest, ACommandLineFileThatIsMissingKeepsTheDefaultCrystal) {
  form_.FormActivate({(scratch_.Path() / "gone.mor").string()});
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text,
            "File not Found: " + (scratch_.Path() / "gone.mor").string());
  EXPECT_EQ(form_.Model().lastFace, 7);
  EXPECT_EQ(form_.History().Top(), 1);
}

TEST_F(FileCommandsTest, ACommandLineModelIsReadSnapshotAndRecorded) {
  const std::string model = WriteModel(scratch_.Path() / "cube.mor", CubeDocument());
  form_.FormActivate({model});
  EXPECT_EQ(form_.State().caption, "Habitopia: cube.mor");
  EXPECT_EQ(form_.Model().lastFace, 5);
  EXPECT_EQ(form_.History().Top(), 1);
  EXPECT_EQ(RecentFiles(Settings())[0], model);
  EXPECT_TRUE(ports_.dialogs.messages.empty());
}

TEST_F(FileCommandsTest, ACommandLineCifInCapitalsIsImported) {
  const fs::path cif = scratch_.Path() / "brick.CIF";
  std::ofstream(cif) << "data_brick\n"
                        "_exptl_crystal_colour 'light-red'\n"
                        "_exptl_crystal_colour_lustre dull\n"
                        "_cell_length_a 5\n_cell_length_b 6\n_cell_length_c 7\n"
                        "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n"
                        "_symmetry_space_group_name_H-M 'P m m m'\n"
                        "loop_\n"
                        " _exptl_crystal_face_index_h\n _exptl_crystal_face_index_k\n"
                        " _exptl_crystal_face_index_l\n _exptl_crystal_face_perp_dist\n"
                        "   1 0 0   1.0\n   0 1 0   1.2\n   0 0 1   1.4\n";
  form_.FormActivate({cif.string()});
  EXPECT_TRUE(ports_.dialogs.messages.empty());
  EXPECT_EQ(form_.State().caption, "Habitopia: brick.CIF");
  EXPECT_EQ(form_.Model().lastUniqueFace, 2);
  EXPECT_EQ(form_.Model().lastFace, 5) << "the three faces and their opposites";
  EXPECT_EQ(form_.State().tables.stringGrid2.rows[3][0], "0 0 1");
  EXPECT_EQ(form_.Model().polyhedron.PresentFaceCount(), 6);
  EXPECT_EQ(form_.History().Top(), 2)
      << "the new model the file's values went into, then the crystal";
  EXPECT_TRUE(ports_.dialogs.questions.empty()) << "nothing to save before the first crystal";
  EXPECT_EQ(form_.State().modelFileName, cif.string());
}

TEST_F(FileCommandsTest, ClosingAsksRemovesTheSnapshotsAndWritesTheSettings) {
  form_.FormActivate({});
  ASSERT_TRUE(fs::exists(fs::path(work_) / "Habitopia.tmp.1"));

  // Yes, then a cancelled save dialog: the window stays with its snapshots.
  ports_.dialogs.answers.push_back(Answer::Yes);
  ports_.dialogs.files.push_back(std::nullopt);
  EXPECT_FALSE(form_.FormClose(800, 600));
  EXPECT_EQ(ports_.dialogs.questions.back().text, "closing application!\n\nSAVE CHANGES ?");
  EXPECT_EQ(ports_.dialogs.questionButtons.back(), QuestionButtons::YesNoCancel);
  EXPECT_TRUE(fs::exists(fs::path(work_) / "Habitopia.tmp.1"));

  ports_.dialogs.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(form_.FormClose(800, 600));

  ports_.dialogs.answers.push_back(Answer::No);
  EXPECT_TRUE(form_.FormClose(800, 600));
  EXPECT_FALSE(fs::exists(fs::path(work_) / "Habitopia.tmp.1"));
  EXPECT_EQ(SplitLines(Settings()), DefaultSettingsLines()) << "a missing settings file is created";
}

TEST_F(FileCommandsTest, NewModelAsksKeepsOneFaceAndShowsTheEmptyScene) {
  form_.FormActivate({});
  ports_.dialogs.answers.push_back(Answer::No);
  form_.Run(CommandId::NewModel);
  EXPECT_EQ(form_.State().caption, "Habitopia: New Model");
  EXPECT_EQ(form_.State().tables.stringGrid1.RowCount(), 2);
  EXPECT_EQ(form_.State().tables.stringGrid1.rows[1][0], "1 2 3");
  EXPECT_EQ(form_.History().Top(), 2);
  EXPECT_EQ(ports_.viewer.loads.back(), "/opt/habitopia/examples/habitopiaempty.wrl");
}

TEST_F(FileCommandsTest, ADroppedFileOpensLikeAChosenOne) {
  form_.FormActivate({});
  const std::string first = WriteModel(scratch_.Path() / "first.mor", CubeDocument());
  form_.DropFiles({first, "/elsewhere/second.mor", "/elsewhere/third.mor"});
  ports_.dialogs.answers.push_back(Answer::No);
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer12));
  EXPECT_EQ(form_.State().caption, "Habitopia: first.mor");
  EXPECT_EQ(RecentFiles(Settings()), (std::array<std::string, 5>{first, "", "", "", ""}));
}

TEST_F(FileCommandsTest, AFileWithAnEmptyFaceKeepsItsUniqueListInStep) {
  ModelDocument document = CubeDocument();
  FaceRecord empty;
  empty.distance = 1;
  document.faces.insert(document.faces.begin(), empty);
  document.uniqueFaces.insert(document.uniqueFaces.begin(), {0, 0, 0, 1});
  form_.FormActivate({WriteModel(scratch_.Path() / "empty.mor", document)});
  ASSERT_EQ(form_.Model().lastFace, 5);
  EXPECT_EQ(form_.Model().lastUniqueFace, 5) << "the dropped face leaves the unique list too";
  EXPECT_EQ(FaceRowCount(form_.State().tables.stringGrid2), 6);

  const std::string target = (scratch_.Path() / "saved.mor").string();
  ports_.dialogs.files.push_back(target);
  form_.Run(CommandId::SaveData);
  const ModelReadResult read = ReadModelFile(target);
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(read.document.uniqueFaces.size(), 6u) << "no face twice, none left over";
  for (std::size_t i = 0; i < 6; ++i) {
    const FaceRecord& face = document.faces[i + 1];
    const UniqueFaceLine& line = read.document.uniqueFaces[i];
    EXPECT_EQ(Vec3({line.h, line.k, line.l}), face.Indices()) << i;
  }
}

TEST_F(FileCommandsTest, ARemovedFaceDoesNotComeBackThroughTheUniqueList) {
  // A cube with a face {111} too far out to show: removing it leaves the cube.
  ModelDocument document = CubeDocument();
  FaceRecord corner;
  corner.h = corner.k = corner.l = 1;
  corner.distance = 2;
  document.faces.push_back(corner);
  document.uniqueFaces.push_back({1, 1, 1, 2});
  form_.FormActivate({WriteModel(scratch_.Path() / "cube.mor", document)});
  form_.Run(CommandId::EditFace);
  ASSERT_TRUE(form_.StringGrid1SelectCell(7, 0));
  form_.Button4Click();
  ASSERT_EQ(form_.Model().lastFace, 5);
  EXPECT_EQ(form_.Model().lastUniqueFace, 5);

  const std::string target = (scratch_.Path() / "saved.mor").string();
  ports_.dialogs.files.push_back(target);
  form_.Run(CommandId::SaveData);
  const ModelReadResult read = ReadModelFile(target);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.document.LastUniqueFace(), 5);
  for (const UniqueFaceLine& line : read.document.uniqueFaces)
    EXPECT_FALSE(line.h == 1 && line.k == 1 && line.l == 1) << "the removed face";
}

TEST_F(FileCommandsTest, SwitchesReadFromAFileKeepTheDisplayRules) {
  ModelDocument document = CubeDocument();
  document.switches[kSwitchFill] = 0;
  document.switches[kSwitchGrid] = 1;
  document.switches[kSwitchSpotlights] = 0;
  document.switches[kSwitchHeadlight] = 1;
  document.switches[kSwitchAnimation] = 1;
  form_.FormActivate({});
  ASSERT_TRUE(form_.State().display.transparencyEnabled);
  ports_.dialogs.answers.push_back(Answer::No);
  ASSERT_TRUE(form_.Load1Click(WriteModel(scratch_.Path() / "edges.mor", document)));
  const FormState& state = form_.State();
  ASSERT_FALSE(state.switches.display.fill);
  EXPECT_FALSE(state.display.transparencyEnabled) << "no transparency without faces";
  EXPECT_FALSE(state.display.brilliantEnabled) << "brilliant needs the spotlights";
  EXPECT_TRUE(state.display.speedEnabled && state.display.tumbleEnabled);
  EXPECT_FALSE(state.Command(CommandId::Fill).checked);
  EXPECT_TRUE(state.Command(CommandId::HeadlightOffButton).visible);
  EXPECT_FALSE(state.Command(CommandId::SpotlightsOffButton).visible);

  // Both faces and edges off in a file: the edges come on.
  document.switches[kSwitchGrid] = 0;
  ports_.dialogs.answers.push_back(Answer::No);
  ASSERT_TRUE(form_.Load1Click(WriteModel(scratch_.Path() / "nothing.mor", document)));
  EXPECT_TRUE(form_.State().switches.display.grid);
}

TEST(FormStart, AWorkingDirectoryThatCannotBeMadeSaysSo) {
  ScratchFolder scratch;
  std::ofstream(scratch.Path() / "file") << "x";
  ScriptedPorts ports;
  MainForm form(ports.Ports(), (scratch.Path() / "file" / "tmp").string());
  form.FormActivate({});
  ASSERT_EQ(ports.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports.dialogs.messages[0].text, "Cannot create undo directory");
  EXPECT_EQ(form.Model().lastFace, -1);
}

}  // namespace
}  // namespace habitopia
