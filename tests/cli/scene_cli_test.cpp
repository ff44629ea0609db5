// habitopia-cli scene, stl and extract.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/model_reader.h"
#include "files/model_writer.h"
#include "scene/scene_files.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

class SceneCli : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("habitopia_scene_cli_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Path(const std::string& name) const { return (folder / name).string(); }

  // Runs the program; returns its exit status and keeps its error output.
  int Run(const std::string& arguments) {
    const std::string errors = Path("stderr.txt");
    const int status = std::system((std::string("'") + HABITOPIA_CLI + "' " + arguments + " 2>'" +
                                    errors + "' >/dev/null").c_str());
    stderrText = ReadFileText(errors).value_or("");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path folder;
  std::string stderrText;
  const std::string example = std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor";
};

TEST_F(SceneCli, SceneEmbedExtractGivesTheSameModel) {
  ASSERT_EQ(Run("scene '" + example + "' -o '" + Path("quartz.wrl") + "' --embed"), 0) << stderrText;
  const std::string scene = ReadFileText(Path("quartz.wrl")).value_or("");
  EXPECT_EQ(scene.rfind("#VRML V2.0 utf8\n", 0), 0u);
  EXPECT_NE(scene.find("\n#Habitopia data Release 1.5\n"), std::string::npos);
  ASSERT_EQ(Run("extract '" + Path("quartz.wrl") + "' -o '" + Path("back.mor") + "'"), 0) << stderrText;
  const ModelReadResult original = ReadModelFile(example);
  const ModelReadResult back = ReadModelFile(Path("back.mor"));
  ASSERT_TRUE(original.ok && back.ok);
  EXPECT_EQ(FormatModelText(back.document), FormatModelText(original.document));
}

TEST_F(SceneCli, CompressedSceneIsTheSameScene) {
  ASSERT_EQ(Run("scene '" + example + "' -o '" + Path("plain.wrl") + "'"), 0) << stderrText;
  ASSERT_EQ(Run("scene '" + example + "' -o '" + Path("packed.wrz") + "' --wrz"), 0) << stderrText;
  EXPECT_EQ(std::system(("gzip -t '" + Path("packed.wrz") + "'").c_str()), 0);
  const auto packed = ReadFileText(Path("packed.wrz"));
  ASSERT_TRUE(packed);
  EXPECT_EQ(GzipDecompress(*packed).value_or("?"), ReadFileText(Path("plain.wrl")).value_or(""));
  // A plain scene carries no model.
  EXPECT_EQ(Run("extract '" + Path("plain.wrl") + "' -o '" + Path("none.mor") + "'"), 2);
  EXPECT_NE(stderrText.find("no model embedded in"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("none.mor")));
}

TEST_F(SceneCli, StlOfTheExample) {
  ASSERT_EQ(Run("stl '" + example + "' -o '" + Path("quartz.stl") + "'"), 0) << stderrText;
  const auto lines = SplitLines(ReadFileText(Path("quartz.stl")).value_or(""));
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines.front(), "solid quartz STL");
  EXPECT_EQ(lines.back(), "endsolid quartz STL");
}

TEST_F(SceneCli, FailuresGiveExitTwoAndAMessage) {
  EXPECT_EQ(Run("scene '" + example + "' -o '" + Path("missing/dir/x.wrl") + "'"), 2);
  EXPECT_FALSE(stderrText.empty());
  EXPECT_EQ(Run("stl '" + example + "' -o '" + Path("missing/dir/x.stl") + "'"), 2);
  EXPECT_FALSE(stderrText.empty());
  EXPECT_EQ(Run("scene '" + Path("absent.mor") + "' -o '" + Path("x.wrl") + "'"), 2);
  EXPECT_NE(stderrText.find("File not Found"), std::string::npos);
  EXPECT_EQ(Run("scene '" + example + "'"), 2);  // no output named
  EXPECT_EQ(Run("scene '" + example + "' -o x.wrl --bogus"), 2);
  EXPECT_EQ(Run("extract '" + Path("absent.wrl") + "' -o '" + Path("x.mor") + "'"), 2);
  // An output that is a folder is refused and left as it was, with nothing beside it.
  fs::create_directories(Path("out.stl"));
  EXPECT_EQ(Run("stl '" + example + "' -o '" + Path("out.stl") + "'"), 2);
  EXPECT_TRUE(fs::is_directory(Path("out.stl")));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().find(".part") != std::string::npos) ++files;
  EXPECT_EQ(files, 0);
}

}  // namespace
}  // namespace habitopia
