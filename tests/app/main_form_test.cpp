#include "app/main_form.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app_test_support.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::CubeDocument;
using test::ScratchFolder;
using test::WriteModel;
using test::ScriptedPorts;

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    form_.SetStateChanged([this](const FormChanges&) { ++changes_; });
  }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  test::FakeViewer& viewer_ = ports_.viewer;
  MainForm form_;
  int changes_ = 0;
};

TEST_F(MainFormTest, StartsWithNothingRendered) {
  const FormState& state = form_.State();
  EXPECT_EQ(state.panel1Caption, "no model rendered- try another renderer (R98/OpenGl/DirectX)");
  EXPECT_FALSE(state.sceneShown);
  EXPECT_EQ(state.statusPanels, InitialStatusPanels());
  EXPECT_TRUE(state.regions.statusBar);
}

TEST_F(MainFormTest, WithoutArgumentTheExampleIsBuiltShownAndCounted) {
  const std::string example = WriteModel(scratch_.Path() / "Example.mor", CubeDocument());
  form_.FormActivate({}, example);
  const FormState& state = form_.State();
  EXPECT_EQ(state.caption, "Habitopia: Example.mor");
  ASSERT_EQ(viewer_.loads.size(), 1u);
  EXPECT_EQ(viewer_.loads[0], (fs::path(work_) / "Habitopia.wrl").string());
  EXPECT_TRUE(fs::exists(viewer_.loads[0]));
  struct stat info {};
  ::stat(work_.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(state.statusPanels[kFacesPanel].text, "6 Faces");
  EXPECT_EQ(state.statusPanels[kCornersPanel].text, "8 Corners");
  EXPECT_EQ(state.statusPanels[kSurfacePanel].text, "Surface= 24");
  EXPECT_EQ(state.statusPanels[kVolumePanel].text, "Volume= 8");
  EXPECT_FALSE(state.sceneShown) << "shown before the viewer said so";
  EXPECT_GT(changes_, 0);

  const int before = changes_;
  viewer_.Finish({true, "", {"X_ITE: 1 warning"}});
  EXPECT_TRUE(state.sceneShown);
  EXPECT_EQ(state.viewerMessages, std::vector<std::string>{"X_ITE: 1 warning"});
  EXPECT_GT(changes_, before);
}

TEST_F(MainFormTest, TheNamedFileIsOpenedAndAFailedLoadSaysWhy) {
  const std::string model = WriteModel(scratch_.Path() / "cube.mor", CubeDocument());
  form_.FormActivate({model}, "/no/example.mor");
  ASSERT_EQ(viewer_.loads.size(), 1u);
  viewer_.Finish({true, "", {}});
  EXPECT_TRUE(form_.State().sceneShown);

  form_.OpenFile(model);
  viewer_.Finish({false, "cube.wrl: file not found", {}});
  EXPECT_FALSE(form_.State().sceneShown);
  EXPECT_EQ(form_.State().statusPanels[kMessagePanel].text, "cube.wrl: file not found");
  EXPECT_EQ(form_.State().error, "cube.wrl: file not found");

  // The next good load clears the message.
  form_.OpenFile(model);
  viewer_.Finish({true, "", {}});
  EXPECT_EQ(form_.State().statusPanels[kMessagePanel].text, "");
}

TEST_F(MainFormTest, ASceneAloneHidesTheStatusBarAndAModelBringsItBack) {
  form_.FormActivate({"/scenes/group.wrl"}, "");
  const FormState& state = form_.State();
  ASSERT_EQ(viewer_.loads, std::vector<std::string>{"/scenes/group.wrl"});
  EXPECT_TRUE(state.sceneOnly);
  EXPECT_FALSE(state.regions.statusBar);
  EXPECT_EQ(state.caption, "Habitopia: group.wrl");

  form_.OpenFile(WriteModel(scratch_.Path() / "cube.mor", CubeDocument()));
  EXPECT_FALSE(state.sceneOnly);
  EXPECT_TRUE(state.regions.statusBar);
}

TEST_F(MainFormTest, BadFilesLeaveTheViewerAlone) {
  form_.FormActivate({"/data/crystal.xyz"}, "");
  EXPECT_TRUE(viewer_.loads.empty());
  EXPECT_EQ(form_.State().statusPanels[kMessagePanel].text,
            "This is not a valid Habitopia - file (*.mor): .xyz");
  EXPECT_EQ(form_.State().caption, "Habitopia Vers. 1.56");

  std::ofstream(scratch_.Path() / "broken.mor") << "nonsense\n";
  form_.OpenFile((scratch_.Path() / "broken.mor").string());
  EXPECT_TRUE(viewer_.loads.empty());
  EXPECT_FALSE(form_.State().error.empty());
}

TEST_F(MainFormTest, SeveralArgumentsOpenNothing) {
  form_.FormActivate({"/a.mor", "/b.mor"}, "/example.mor");
  EXPECT_TRUE(viewer_.loads.empty());
  EXPECT_EQ(form_.State().caption, "Habitopia Vers. 1.56");
}

TEST(MainFormStart, AWorkingDirectoryThatCannotBeMadeStopsTheStart) {
  ScratchFolder scratch;
  std::ofstream(scratch.Path() / "file") << "x";
  ScriptedPorts ports;
  MainForm form(ports.Ports(), (scratch.Path() / "file" / "tmp").string());
  form.FormActivate({}, "/example.mor");
  EXPECT_TRUE(ports.viewer.loads.empty());
  EXPECT_EQ(form.State().error.rfind("Cannot create undo directory", 0), 0u) << form.State().error;
}

}  // namespace
}  // namespace habitopia
