// The window's drawings, 3D files and stereographic projection: the same files
// habitopia-cli writes for the same model, and a projection that follows each
// calculation.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/form_document.h"
#include "app/main_form.h"
#include "app_test_support.h"
#include "scripted_ports.h"
#include "support/cli_runner.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::ScriptedPorts;

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ExportCommandsTest : public ::testing::Test {
 protected:
  ExportCommandsTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    ProgramFiles files;
    files.documentsDirectory = scratch_.Path().string();
    form_.SetProgramFiles(files);
    model_ = (scratch_.Path() / "Quartz.mor").string();
    fs::copy_file(fs::path(HABITOPIA_SOURCE_DIR) / "examples" / "Quartz.mor", model_);
    form_.FormActivate({model_});
    EXPECT_TRUE(ports_.dialogs.messages.empty());
  }

  // What habitopia-cli writes for the model with the window's display switches.
  std::string CliFile(const std::string& command, const std::string& name, bool withSwitches) {
    std::vector<std::string> arguments{command, model_, "-o",
                                       (scratch_.Path() / "cli" / name).string()};
    const SceneSwitches switches = CollectSceneSwitches(form_.State());
    if (withSwitches && switches.indiceson) arguments.push_back("--labels");
    if (withSwitches && switches.Caxes) arguments.push_back("--axes");
    if (switches.hkil) arguments.push_back("--hkil");
    const test::CliRun run =
        test::RunProgram(HABITOPIA_CLI, arguments, (scratch_.Path() / "cli").string());
    EXPECT_EQ(run.status, 0) << run.err;
    return FileBytes(scratch_.Path() / "cli" / name);
  }
  std::string Window(const std::string& name) const {
    return (scratch_.Path() / "window" / name).string();
  }
  void Export(CommandId id, const std::string& name) {
    ports_.dialogs.files.push_back(Window(name));
    form_.Run(id);
  }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
  std::string model_;
};

TEST_F(ExportCommandsTest, ExportItemsWriteWhatTheCommandLineToolWrites) {
  fs::create_directories(scratch_.Path() / "window");
  fs::create_directories(scratch_.Path() / "cli");
  Export(CommandId::ExportSvgDrawing, "quartz.svg");
  EXPECT_EQ(ports_.dialogs.fileRequests.back().defaultExtension, "svg");
  EXPECT_EQ(ports_.dialogs.fileRequests.back().fileName, (scratch_.Path() / "Quartz.svg").string());
  Export(CommandId::ExportGltf, "quartz.glb");
  Export(CommandId::ExportObj, "quartz.obj");
  Export(CommandId::Export3mf, "quartz.3mf");
  Export(CommandId::ExportSvgDrawing, "quartz.pdf");
  Export(CommandId::ExportWebPage, "quartz.html");
  EXPECT_EQ(ports_.dialogs.fileRequests.back().defaultExtension, "html");
  EXPECT_TRUE(ports_.dialogs.messages.empty());

  const std::string svg = FileBytes(Window("quartz.svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_EQ(svg, CliFile("drawing", "quartz.svg", true));
  EXPECT_EQ(FileBytes(Window("quartz.glb")), CliFile("export", "quartz.glb", false));
  EXPECT_EQ(FileBytes(Window("quartz.obj")), CliFile("export", "quartz.obj", false));
  EXPECT_EQ(FileBytes(Window("quartz.mtl")), FileBytes(scratch_.Path() / "cli" / "quartz.mtl"));
  EXPECT_EQ(FileBytes(Window("quartz.3mf")), CliFile("export", "quartz.3mf", false));
  EXPECT_EQ(FileBytes(Window("quartz.html")), CliFile("export", "quartz.html", false));
  // The PDF carries its date of writing, so only its start is compared.
  EXPECT_EQ(FileBytes(Window("quartz.pdf")).substr(0, 5), "%PDF-");
  EXPECT_GT(FileBytes(Window("quartz.pdf")).size(), 1000u);
  EXPECT_EQ(form_.State().modelFileName, model_);
}

TEST_F(ExportCommandsTest, AFailedExportIsSaid) {
  Export(CommandId::ExportGltf, "missing folder/quartz.glb");
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text.rfind("Could not write ", 0), 0u);
}

TEST_F(ExportCommandsTest, StereographicProjectionFollowsEachCalculation) {
  fs::create_directories(scratch_.Path() / "cli");
  EXPECT_FALSE(form_.State().pictures.stereogramShown);
  form_.Run(CommandId::StereographicProjection);
  EXPECT_TRUE(form_.State().pictures.stereogramShown);
  EXPECT_TRUE(form_.State().Command(CommandId::StereographicProjection).checked);
  const std::string first = form_.State().pictures.stereogramSvg;
  EXPECT_EQ(first, CliFile("stereo", "quartz-stereo.svg", false));

  // A calculation of another shape: a face grows away and its pole goes.
  CrystalModel& model = form_.EditableModel();
  const int before = model.polyhedron.PresentFaceCount();
  for (int f = 0; f <= model.lastFace; ++f)
    if (model.faces[f].h == 1 && model.faces[f].k == 0 && model.faces[f].l == 0)
      model.faces[f].distance = 50;
  model.calculateAfterStep = model.geometryStale = true;
  form_.ShowModelInTables();
  form_.CAClick();
  ASSERT_LT(form_.Model().polyhedron.PresentFaceCount(), before);
  EXPECT_NE(form_.State().pictures.stereogramSvg, first);
  EXPECT_FALSE(form_.State().pictures.stereogramSvg.empty());

  form_.Run(CommandId::StereographicProjection);
  EXPECT_FALSE(form_.State().pictures.stereogramShown);
  EXPECT_FALSE(form_.State().Command(CommandId::StereographicProjection).checked);
}

}  // namespace
}  // namespace habitopia
