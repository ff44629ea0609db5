// The tool boxes as the user meets them: prediction, clean-up and randomising,
// the cleavage plane and its slider, twins, the calculations box, the scene
// commands, and CIF and STL written from the window.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_form.h"
#include "app_test_support.h"
#include "files/model_reader.h"
#include "scene/scene_files.h"
#include "scripted_ports.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::ScriptedPorts;

constexpr int kGroupM3m = 32;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ToolBoxesTest : public ::testing::Test {
 protected:
  ToolBoxesTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    fs::create_directories(work_);
    form_.SetRandomSource(std::make_unique<SeededRandom>(7));
  }

  // Opens a cube (faces {100} at distance 1) in point group `group`.
  void OpenCube(int group = 1) {
    ModelDocument cube = test::CubeDocument();
    cube.pointGroup = group;
    if (group != 1) cube.uniqueFaces.resize(1);
    cubePath_ = test::WriteModel(scratch_.Path() / "cube.mor", cube);
    ASSERT_TRUE(form_.Load1Click(cubePath_));
    ASSERT_EQ(form_.Model().pointGroup, group);
  }
  int Present() const { return form_.Model().polyhedron.PresentFaceCount(); }
  std::vector<std::string> UniqueTexts() const {
    std::vector<std::string> texts;
    const FaceGrid& grid = form_.State().tables.stringGrid2;
    for (int r = 1; r <= form_.Model().lastUniqueFace + 1 && r < grid.RowCount(); ++r)
      texts.push_back(grid.rows[r][0]);
    return texts;
  }
  // Runs the habitopia-cli and fails the test when it cannot run.
  void Cli(const std::string& arguments) {
    const std::string command = std::string(HABITOPIA_CLI) + " " + arguments + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1) << command;
  }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
  std::string cubePath_;
};

TEST_F(ToolBoxesTest, CubicPredictionByCentring) {
  OpenCube(kGroupM3m);
  form_.Run(CommandId::MorphologyPrediction);
  ASSERT_EQ(form_.State().regions.toolBox, ToolBox::ShapePrediction);
  EXPECT_EQ(form_.State().tools.prediction.hklMaxMaximum, 6);
  form_.maxhklChange(1);
  form_.automaticcleanup1Click();  // off: the predicted list stays as predicted
  EXPECT_FALSE(form_.State().Command(CommandId::AutomaticCleanup).checked);

  form_.N1dmodel1Click();
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"-1 -1 -1", "-1 -1 0", "-1 0 0"}));
  EXPECT_EQ(form_.Model().FaceCount(), 26);
  EXPECT_EQ(form_.State().statusPanels[kCornersPanel].text, "32 Corners")
      << "the cube with its edges bevelled by {110} at 1.414, inside the square root of 2";

  form_.TranslationClick(TranslationSlot::Centring, static_cast<int>(Centring::I));
  form_.N1dmodel1Click();
  const FaceGrid& unique = form_.State().tables.stringGrid2;
  ASSERT_EQ(UniqueTexts().size(), 3u);
  EXPECT_EQ(unique.rows[3][1], "2") << "{100} ranked by 2 0 0";
  EXPECT_EQ(Present(), 12) << "the rhombic dodecahedron of {110}";

  form_.TranslationClick(TranslationSlot::Centring, static_cast<int>(Centring::F));
  form_.N1dmodel1Click();
  EXPECT_EQ(Present(), 14) << "{111} truncated by {100} ranked by 2 0 0";
  form_.maxhklChange(2);
  form_.N1dmodel1Click();
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"-1 -1 -1", "-1 -1 0", "-1 0 0"}));

  // Without higher orders the last pass leaves {100} with its extinct mark at
  // 1000; that form is no face of the habit, which is the octahedron.
  form_.maxhklChange(1);
  form_.highorderfacesClick(false);
  form_.N1dmodel1Click();
  EXPECT_TRUE(ports_.dialogs.messages.empty());
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"-1 -1 -1"}));
  EXPECT_EQ(Present(), 8) << "the octahedron";
  EXPECT_TRUE(ports_.dialogs.questions.empty());
  EXPECT_TRUE(form_.State().hullClosed);
}

TEST_F(ToolBoxesTest, CleanupKeepsThePresentFormsAfterTheTimer) {
  OpenCube(kGroupM3m);
  form_.Run(CommandId::MorphologyPrediction);
  form_.maxhklChange(2);
  form_.N1dmodel1Click();
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer3)) << "automatic clean-up is on at start";
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer3));
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"-1 -1 0", "-1 0 0"}))
      << "the forms on the crystal: the cube, {110} touching its edges";
  EXPECT_EQ(Present(), 18);
  EXPECT_EQ(form_.Model().FaceCount(), 18);
}

// The cube {100} with the octahedron {111} far outside it, all faces typed
// one by one in group 1.
ModelDocument CubeWithHiddenOctahedron() {
  ModelDocument document = test::CubeDocument();
  for (Real h : {1, -1})
    for (Real k : {1, -1})
      for (Real l : {1, -1}) {
        FaceRecord face;
        face.h = h;
        face.k = k;
        face.l = l;
        face.distance = 5;
        document.faces.push_back(face);
        document.uniqueFaces.push_back({h, k, l, face.distance});
      }
  return document;
}

TEST_F(ToolBoxesTest, AcceptingANewGroupCleansHiddenFormsAway) {
  for (const bool automatic : {true, false}) {
    SCOPED_TRACE(automatic ? "automatic clean-up" : "no clean-up");
    ScriptedPorts ports;
    MainForm form(ports.Ports(), work_);
    if (!automatic) form.automaticcleanup1Click();
    ASSERT_TRUE(form.Load1Click(
        test::WriteModel(scratch_.Path() / "hidden.mor", CubeWithHiddenOctahedron())));
    ASSERT_EQ(form.Model().FaceCount(), 14);
    ASSERT_EQ(form.Model().polyhedron.PresentFaceCount(), 6);

    form.Run(CommandId::SelectPointGroup);
    form.PointGroupRadioClick(kGroupM3m);
    form.Edit1DblClick();
    EXPECT_EQ(form.Model().pointGroup, kGroupM3m);
    EXPECT_EQ(ports.timers.Fire(form, TimerId::Timer3), automatic);
    if (automatic) {
      EXPECT_EQ(form.Model().lastUniqueFace, 0) << "one row: the cube's form";
      EXPECT_EQ(form.State().tables.stringGrid2.RowCount(), 2);
      EXPECT_EQ(form.Model().FaceCount(), 6);
    } else {
      EXPECT_EQ(form.Model().FaceCount(), 14);
    }
    EXPECT_EQ(form.Model().polyhedron.PresentFaceCount(), 6);
    EXPECT_TRUE(ports.dialogs.questions.empty());
  }
}

TEST_F(ToolBoxesTest, AModelSavedWithThePointGroupsOpenKeepsItsTwinAndItsFaces) {
  ModelDocument document = CubeWithHiddenOctahedron();
  document.switches[kSwitchPanel] = 3;  // saved while "Point Groups" showed
  document.twinType = static_cast<int>(TwinType::Inversion);
  ASSERT_TRUE(form_.Load1Click(test::WriteModel(scratch_.Path() / "open.mor", document)));
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::PointGroups);
  EXPECT_EQ(form_.Model().twin.type, TwinType::Inversion);
  EXPECT_EQ(form_.State().switches.twin, TwinChoice::Inversion);
  EXPECT_FALSE(ports_.timers.Pending(TimerId::Timer3)) << "no clean-up of a model just read";
  EXPECT_EQ(form_.Model().FaceCount(), 14);
}

TEST_F(ToolBoxesTest, APointGroupBoxThatChangesNothingLeavesTheNextEditAlone) {
  OpenCube(kGroupM3m);
  for (const bool cancelled : {true, false}) {
    form_.Run(CommandId::SelectPointGroup);
    if (cancelled)
      form_.CANCELEDITClick();
    else
      form_.Edit1DblClick();  // the same group and cell: nothing is rebuilt
    ASSERT_EQ(form_.State().regions.toolBox, ToolBox::None);
  }
  // A face typed beyond the crystal stays in the list the user typed it in,
  // also when the box was refused while the face was being added.
  form_.Button2Click();
  form_.Run(CommandId::SelectPointGroup);
  EXPECT_NE(form_.State().regions.toolBox, ToolBox::PointGroups);
  const int row = form_.Model().selectedRow;
  form_.StringGrid2SetEditText(row, 0, "1 1 1");
  form_.StringGrid2SetEditText(row, 1, "5");
  form_.Edit1DblClick();
  EXPECT_FALSE(ports_.timers.Pending(TimerId::Timer3));
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"1 0 0", "1 1 1"}));
  EXPECT_EQ(form_.Model().FaceCount(), 14);
}

TEST_F(ToolBoxesTest, OpeningAnotherEditorEndsTheCleavageEdit) {
  const auto cut = [this] {
    form_.Run(CommandId::IndicateCleavageFace);
    form_.EditCutfaceChange("1 1 1");
    form_.editcutdistanceChange("0.5");
    form_.AcceptCleavagePlane();
    ASSERT_EQ(form_.Model().cleavageFace, 6);
  };
  OpenCube();
  for (const CommandId editor : {CommandId::SelectPointGroup, CommandId::EditMetric,
                                 CommandId::EditUniqueFaces, CommandId::EditFace}) {
    SCOPED_TRACE(CommandFor(editor).caption);
    cut();
    form_.Run(editor);
    EXPECT_EQ(form_.Model().cleavageFace, -1);
    EXPECT_EQ(form_.Model().FaceCount(), 6);
    EXPECT_EQ(Present(), 6);
    EXPECT_NE(form_.State().regions.toolBox, ToolBox::CleavageFace);
    form_.CANCELEDITClick();
  }
  cut();
  form_.CANCELEDITClick();
  EXPECT_EQ(form_.Model().cleavageFace, -1);
  EXPECT_EQ(form_.Model().FaceCount(), 6);
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None);
  EXPECT_TRUE(ports_.dialogs.messages.empty());

  // A plane that came with the file has no snapshot before it: it is removed.
  ModelDocument withPlane = test::CubeDocument();
  FaceRecord plane;
  plane.h = plane.k = plane.l = 1;
  plane.distance = 0.5;
  withPlane.faces.push_back(plane);
  withPlane.cleavageFace = 6;
  ASSERT_TRUE(form_.Load1Click(test::WriteModel(scratch_.Path() / "cut.mor", withPlane)));
  ASSERT_EQ(form_.Model().cleavageFace, 6);
  form_.Run(CommandId::EditFace);
  EXPECT_EQ(form_.Model().cleavageFace, -1);
  EXPECT_EQ(form_.Model().FaceCount(), 6);
  EXPECT_EQ(Present(), 6);
}

TEST_F(ToolBoxesTest, ThePointGroupsAndTheCellBoxDropTheTwin) {
  OpenCube();
  for (const CommandId editor : {CommandId::SelectPointGroup, CommandId::EditMetric}) {
    form_.Run(CommandId::TwinningTool);
    ASSERT_TRUE(form_.StringGrid1SelectCell(1, 0));
    form_.TwinChoiceClick(TwinChoice::Contact);
    form_.CreateTwinClick();
    ASSERT_EQ(form_.Model().twin.type, TwinType::Contact);
    form_.Run(editor);
    EXPECT_EQ(form_.State().switches.twin, TwinChoice::None);
    EXPECT_EQ(form_.Model().twin.type, TwinType::None);
    EXPECT_NE(form_.State().regions.toolBox, ToolBox::Twintool);
    form_.CANCELEDITClick();
  }
}

TEST_F(ToolBoxesTest, IcosahedralGroupIsRefusedButRandomizeWorks) {
  OpenCube(33);
  const int faces = form_.Model().FaceCount();
  form_.Run(CommandId::MorphologyPrediction);
  form_.N1dmodel1Click();
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, kPredictionRefused);
  EXPECT_EQ(form_.Model().FaceCount(), faces);

  form_.Run(CommandId::Randomize10);
  for (int f = 0; f < form_.Model().FaceCount(); ++f) {
    EXPECT_GE(form_.Model().faces[f].distance, 0.9L);
    EXPECT_LE(form_.Model().faces[f].distance, 1.1L);
  }
  EXPECT_FALSE(form_.State().tables.applySymmetry);
}

TEST_F(ToolBoxesTest, RandomizeStaysWithinItsRange) {
  OpenCube();
  form_.Run(CommandId::Randomize50);
  bool changed = false;
  for (int f = 0; f < 6; ++f) {
    const Real d = form_.Model().faces[f].distance;
    EXPECT_GE(d, 0.5L);
    EXPECT_LT(d, 1.5L);
    changed = changed || d != 1;
  }
  EXPECT_TRUE(changed);
}

TEST_F(ToolBoxesTest, CleavagePlaneFromTheSliderCutsTheCube) {
  OpenCube();
  form_.Run(CommandId::IndicateCleavageFace);
  ASSERT_EQ(form_.State().regions.toolBox, ToolBox::CleavageFace);
  form_.EditCutfaceChange("1 1 1");
  form_.TrackBar1Change(90);
  EXPECT_EQ(form_.State().tools.cleavage.editCutDistance, "0.5");
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer4));
  const CrystalModel& model = form_.Model();
  ASSERT_EQ(model.cleavageFace, 6);
  EXPECT_EQ(model.FaceCount(), 7);
  const int plane = model.polyhedron.presentIndex[6];
  ASSERT_NE(plane, kAbsentFace);
  std::size_t entries = model.polyhedron.presentFaces[plane].polygon.size();
  EXPECT_EQ(entries, 6u) << "a hexagon";
  EXPECT_TRUE(form_.State().tools.cleavage.removeEnabled);

  // The slider's bottom reverses the plane.
  form_.TrackBar1Change(110);
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer4));
  EXPECT_TRUE(form_.Model().cleavageReversed);
  EXPECT_EQ(form_.Model().faces[6].h, -1);

  form_.removecutface1Click();
  EXPECT_EQ(form_.Model().cleavageFace, -1);
  EXPECT_EQ(form_.Model().FaceCount(), 6);
  EXPECT_EQ(Present(), 6);
}

TEST_F(ToolBoxesTest, CleavageFailuresLeaveTheModelAlone) {
  OpenCube();
  form_.Run(CommandId::IndicateCleavageFace);
  form_.AcceptCleavagePlane();  // indices "0 0 0"
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "cut face indices are not typed in correctly");
  EXPECT_EQ(form_.Model().FaceCount(), 6);

  form_.EditCutfaceChange("1 0 0");
  form_.TrackBar1Change(0);  // 5: far beyond the cube
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer4));
  ASSERT_EQ(ports_.dialogs.messages.size(), 2u);
  EXPECT_NE(ports_.dialogs.messages[1].text.find("does not cut the crystal"), std::string::npos);
  EXPECT_EQ(form_.Model().cleavageFace, -1);
  EXPECT_EQ(form_.Model().FaceCount(), 6);

  form_.editcutdistanceChange("x");
  form_.AcceptCleavagePlane();
  ASSERT_GE(ports_.dialogs.messages.size(), 3u);
  EXPECT_EQ(ports_.dialogs.messages[2].text, "wrong numerical input");
  EXPECT_EQ(form_.State().tools.cleavage.editCutDistance, "5") << "the last accepted distance";
  EXPECT_EQ(form_.Model().FaceCount(), 6);
}

TEST_F(ToolBoxesTest, TwinsAndTheirFailures) {
  OpenCube();
  form_.Run(CommandId::TwinningTool);
  ASSERT_EQ(form_.State().regions.toolBox, ToolBox::Twintool);
  form_.TwinChoiceClick(TwinChoice::Contact);
  form_.CreateTwinClick();  // no contact face picked
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(form_.Model().twin.type, TwinType::None);
  EXPECT_EQ(form_.State().switches.twin, TwinChoice::None);

  ASSERT_TRUE(form_.StringGrid1SelectCell(1, 0));  // face "1 0 0"
  EXPECT_EQ(form_.State().switches.twinTexts[0], "1 0 0");
  form_.TwinChoiceClick(TwinChoice::Contact);
  form_.CreateTwinClick();
  EXPECT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(form_.Model().twin.type, TwinType::Contact);
  const std::string scene = ReadAll(fs::path(work_) / "Habitopia.wrl");
  const fs::path stl = scratch_.Path() / "twin.stl";
  ports_.dialogs.files.push_back(stl.string());
  form_.Run(CommandId::ExportStl);
  const std::string text = ReadAll(stl);
  std::size_t facets = 0;
  for (std::size_t at = text.find("facet normal"); at != std::string::npos;
       at = text.find("facet normal", at + 1))
    ++facets;
  EXPECT_EQ(facets, 20u) << "both cubes without their contact faces";

  form_.TwinChoiceClick(TwinChoice::Rotation);
  form_.TwinTextChange(1, "0 0 2");
  form_.TwinTextChange(3, "540");
  form_.CreateTwinClick();
  EXPECT_EQ(form_.State().switches.twinTexts[1], "0 0 1");
  EXPECT_EQ(form_.State().switches.twinTexts[3], "180");
  EXPECT_EQ(form_.Model().twin.type, TwinType::RotationReal);
  EXPECT_EQ(form_.Model().twin.twinAngle, 180);
}

TEST_F(ToolBoxesTest, CalculationsBoxMeasuresPickedFaces) {
  OpenCube();
  form_.Run(CommandId::Calculations);
  ASSERT_EQ(form_.State().regions.toolBox, ToolBox::Calculations);
  EXPECT_FALSE(form_.State().regions.viewerControls);
  ASSERT_TRUE(form_.StringGrid1SelectCell(1, 0));  // 1 0 0
  form_.Edit16Enter();
  ASSERT_TRUE(form_.StringGrid1SelectCell(3, 0));  // 0 1 0
  const CalculationsBoxState& box = form_.State().tools.calculations;
  EXPECT_EQ(box.firstFaceButton, "1 0 0");
  EXPECT_EQ(box.secondFaceButton, "0 1 0");
  EXPECT_EQ(box.angleButton, "90 Degrees");
  EXPECT_EQ(box.label36, "Common Edge length = 2");
  EXPECT_EQ(box.label65, "Selected face surface = 4");
  ASSERT_TRUE(form_.StringGrid1SelectCell(2, 0));  // -1 0 0
  EXPECT_EQ(box.angleButton, "180 Degrees");
  EXPECT_EQ(box.label36, "No Common Edge");
  form_.coordinatesphysicalChange("2 4 0");
  EXPECT_EQ(box.faceFromXyz, "1 2 0");
  form_.CloseCalculationsClick();
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::None);
  EXPECT_TRUE(form_.State().regions.viewerControls);
}

TEST_F(ToolBoxesTest, CalculationsBoxShowsTheShapeDescriptors) {
  OpenCube(kGroupM3m);
  form_.Run(CommandId::Calculations);
  const std::string& text = form_.State().tools.calculations.shapeDescriptors;
  EXPECT_NE(text.find("Shape descriptors (lengths in model units)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("volume 8, surface 24\n  surface/volume 3, A/V^(2/3) 6\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("corners 8, edges 12\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Zingg S/M 1, M/L 1: equant\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  {1 0 0}           6        6      24.0000   1.00000\n"), std::string::npos)
      << text;
}

TEST_F(ToolBoxesTest, SurfaceEnergiesBecomeTheUniqueFaces) {
  OpenCube(kGroupM3m);
  EXPECT_EQ(form_.SurfaceTableText(), "# h k l value, one row per form\n1 0 0 1\n");
  ASSERT_TRUE(
      form_.SurfaceTableAccepted("# units: J/m^2\n1 0 0 1.2\n1 1 1 1.5\n", WulffKind::Energy));
  ports_.timers.FireAll(form_);
  EXPECT_TRUE(ports_.dialogs.messages.empty());
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"1 0 0", "1 1 1"}));
  EXPECT_EQ(form_.State().tables.stringGrid2.rows[1][1], "1.2");
  EXPECT_EQ(form_.Model().FaceCount(), 14);
  EXPECT_EQ(Present(), 14);

  // Refused tables and open shapes leave the model as it is.
  ASSERT_FALSE(form_.SurfaceTableAccepted("1 0 0 1\n1 1 0 -2\n", WulffKind::Energy));
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "line 2: the value must be positive, not -2");
  ASSERT_TRUE(form_.SurfaceTableAccepted("1 0 0 1\n", WulffKind::Growth));
  ports_.timers.FireAll(form_);
  EXPECT_EQ(form_.Model().FaceCount(), 6);
}

TEST_F(ToolBoxesTest, SurfaceTableThatLeavesTheCrystalOpenIsRefused) {
  OpenCube(20);  // 4/mmm: {1 0 0} alone is an open prism
  ASSERT_FALSE(form_.SurfaceTableAccepted("1 0 0 1\n", WulffKind::Energy));
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  const std::string& text = ports_.dialogs.messages[0].text;
  EXPECT_EQ(
      text.rfind("The table leaves the crystal open: no face bounds the crystal along [0 0 ", 0),
      0u)
      << text;
  EXPECT_EQ(form_.Model().FaceCount(), 6);
}

TEST_F(ToolBoxesTest, StlAndCifFromTheWindowEqualTheCommandLineTools) {
  OpenCube();
  const fs::path windowStl = scratch_.Path() / "cube.stl",
                 cliStl = scratch_.Path() / "cli" / "cube.stl";
  fs::create_directories(cliStl.parent_path());
  ports_.dialogs.files.push_back(windowStl.string());
  form_.Run(CommandId::ExportStl);
  Cli("stl " + cubePath_ + " -o " + cliStl.string());
  ASSERT_TRUE(fs::exists(windowStl));
  EXPECT_EQ(ReadAll(windowStl), ReadAll(cliStl));

  const fs::path windowCif = scratch_.Path() / "cube.cif",
                 cliCif = scratch_.Path() / "cli" / "cube.cif";
  ports_.dialogs.files.push_back(windowCif.string());
  form_.Run(CommandId::ExportCif);
  Cli("cif-export " + cubePath_ + " -o " + cliCif.string());
  ASSERT_TRUE(fs::exists(windowCif));
  EXPECT_EQ(ReadAll(windowCif), ReadAll(cliCif));
  // Both dialogs propose the model's name beside it.
  const auto& requests = ports_.dialogs.fileRequests;
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].fileName, (scratch_.Path() / "cube.stl").string());
  EXPECT_EQ(requests[1].fileName, (scratch_.Path() / "cube.cif").string());
  EXPECT_EQ(requests[1].defaultExtension, "cif");

  // The cleavage box must be closed first.
  form_.Run(CommandId::IndicateCleavageFace);
  form_.Run(CommandId::ExportStl);
  EXPECT_EQ(ports_.dialogs.messages.back().text,
            "Please close cut-face options before exporting *.stl files");
}

TEST_F(ToolBoxesTest, PredictionFromTheWindowEqualsTheCommandLineTool) {
  OpenCube(kGroupM3m);
  form_.Run(CommandId::MorphologyPrediction);
  form_.TranslationClick(TranslationSlot::Centring, static_cast<int>(Centring::F));
  form_.N1dmodel1Click();
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer3));
  const fs::path predicted = scratch_.Path() / "predicted.mor";
  Cli("predict --cell 1 1 1 90 90 90 --group-number 32 --centring F --hkl-max 3 -o " +
      predicted.string());
  const ModelReadResult cli = ReadModelFile(predicted.string());
  ASSERT_TRUE(cli.ok) << cli.error;
  ASSERT_EQ(static_cast<int>(cli.document.uniqueFaces.size()), form_.Model().lastUniqueFace + 1);
  for (std::size_t i = 0; i < cli.document.uniqueFaces.size(); ++i) {
    EXPECT_EQ(cli.document.uniqueFaces[i].h, form_.Model().faces[i].h);
    EXPECT_EQ(cli.document.uniqueFaces[i].distance, form_.Model().faces[i].distance);
  }
  EXPECT_EQ(static_cast<int>(cli.document.faces.size()), form_.Model().FaceCount());
}

TEST_F(ToolBoxesTest, CompressedSceneAndGroupScene) {
  OpenCube();
  const fs::path wrz = scratch_.Path() / "cube.wrz";
  ports_.dialogs.files.push_back(wrz.string());
  form_.Run(CommandId::SaveWrz);
  ASSERT_TRUE(fs::exists(wrz));
  const auto scene = GzipDecompress(ReadAll(wrz));
  ASSERT_TRUE(scene);
  EXPECT_EQ(scene->rfind("#VRML V2.0 utf8", 0), 0u);
  EXPECT_TRUE(fs::exists(fs::path(work_) / "Habitopia.wrl")) << "the viewer keeps its scene";
  ports_.dialogs.files.push_back(std::nullopt);
  form_.Run(CommandId::SaveWrz);  // cancelled: nothing
  EXPECT_TRUE(ports_.dialogs.messages.empty());

  form_.Run(CommandId::CombinedObjectsWizard);
  ports_.dialogs.folders.push_back(scratch_.Path().string());
  form_.GroupDirectoryClick();
  form_.GroupAcceptClick();
  const fs::path group = scratch_.Path() / "group.wrl";
  ASSERT_TRUE(fs::exists(group));
  EXPECT_NE(ReadAll(group).find("Inline {url [\"crystal.wrl\"]}}}}"), std::string::npos);
  EXPECT_EQ(ports_.viewer.loads.back(), group.string());

  // An existing group file is only replaced after a Yes.
  form_.Run(CommandId::CombinedObjectsWizard);
  form_.GroupWizardTextChange(10, "other.wrl");
  ports_.dialogs.answers.push_back(Answer::No);
  form_.GroupAcceptClick();
  EXPECT_EQ(ports_.dialogs.questions.back().text, "override group.wrl?");
  EXPECT_EQ(ReadAll(group).find("other.wrl"), std::string::npos);
  EXPECT_EQ(form_.State().regions.toolBox, ToolBox::CombinedObjects);
}

TEST_F(ToolBoxesTest, CifWithoutFacesShowsItsPredictedHabit) {
  const fs::path cif = scratch_.Path() / "nacl.cif";
  std::ofstream(cif) << "data_NaCl\n_cell_length_a 5.64\n_cell_length_b 5.64\n_cell_length_c 5.64\n"
                        "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n"
                        "_symmetry_space_group_name_H-M 'F m -3 m'\n";
  ASSERT_TRUE(form_.Load1Click(cif.string()));
  EXPECT_EQ(form_.Model().pointGroup, kGroupM3m);
  EXPECT_TRUE(form_.State().tools.prediction.spaceGroupActive)
      << form_.State().tools.prediction.spaceGroupNote;
  EXPECT_EQ(form_.State().tools.prediction.caption, "Shape Prediction (SG:  F m -3 m )");
  ports_.timers.FireAll(form_);
  EXPECT_EQ(UniqueTexts(), (std::vector<std::string>{"-1 -1 -1", "-1 0 0"}));
  EXPECT_EQ(form_.State().tables.stringGrid2.rows[2][1], "2") << "{100} ranked by 2 0 0";
  EXPECT_EQ(Present(), 14);

  // A cell value missing: the items are listed and nothing is predicted.
  const fs::path partial = scratch_.Path() / "partial.cif";
  std::ofstream(partial) << "data_x\n_cell_length_a 5.64\n_cell_length_b 5.64\n"
                            "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n"
                            "_symmetry_space_group_name_H-M 'F m -3 m'\n";
  ports_.dialogs.answers.push_back(Answer::No);  // "save changes?"
  EXPECT_FALSE(form_.Load1Click(partial.string()));
  ASSERT_FALSE(ports_.dialogs.messages.empty());
  EXPECT_NE(ports_.dialogs.messages.back().text.find("c-axis length"), std::string::npos);
  EXPECT_EQ(Present(), 14) << "the shown crystal stays";
}

TEST_F(ToolBoxesTest, CifSettingAndAxesAreShownInThePredictionBox) {
  // Unique axis c, stated only by the operators: the model takes b' = c.
  const fs::path cif = scratch_.Path() / "c_unique.cif";
  std::ofstream(cif) << "data_c\n_cell_length_a 5\n_cell_length_b 6\n_cell_length_c 7\n"
                        "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 100\n"
                        "loop_\n_symmetry_equiv_pos_as_xyz\nx,y,z\n-x,-y+1/2,z+1/2\n"
                        "-x,-y,-z\nx,y+1/2,-z+1/2\n";
  ASSERT_TRUE(form_.Load1Click(cif.string()));
  const PredictionBoxState& box = form_.State().tools.prediction;
  EXPECT_EQ(form_.Model().pointGroup, FindPointGroup("2/m"));
  EXPECT_TRUE(box.spaceGroupActive) << box.spaceGroupNote;
  EXPECT_EQ(box.spaceGroupNote,
            "Setting read: P 1 1 21/b (No. 14) from the operator list; absences from its 4 "
            "operations; axes of the point group: a' = b, b' = c, c' = a");
  EXPECT_EQ(form_.Model().cell.beta, 100);  // the file's gamma, now between c' and a'
  EXPECT_GT(form_.Model().lastUniqueFace, 0);
}

}  // namespace
}  // namespace habitopia
