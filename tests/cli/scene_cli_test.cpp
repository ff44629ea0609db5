// habitopia-cli scene, stl and extract.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/cli_test.h"
#include "files/model_reader.h"
#include "files/model_writer.h"
#include "scene/scene_files.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

using test::CliRun;

class SceneCli : public test::CliTest {
 protected:
  SceneCli() : CliTest("habitopia_scene_cli") {}

  const std::string example = std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor";
};

TEST_F(SceneCli, SceneEmbedExtractGivesTheSameModel) {
  CliRun run = Run({"scene", example, "-o", Path("quartz.wrl"), "--embed"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string scene = ReadFileText(Path("quartz.wrl")).value_or("");
  EXPECT_EQ(scene.rfind("#VRML V2.0 utf8\n", 0), 0u);
  EXPECT_NE(scene.find("\n#Habitopia data Release 1.5\n"), std::string::npos);
  run = Run({"extract", Path("quartz.wrl"), "-o", Path("back.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  const ModelReadResult original = ReadModelFile(example);
  const ModelReadResult back = ReadModelFile(Path("back.mor"));
  ASSERT_TRUE(original.ok && back.ok);
  EXPECT_EQ(FormatModelText(back.document), FormatModelText(original.document));
}

TEST_F(SceneCli, CompressedSceneIsTheSameScene) {
  CliRun run = Run({"scene", example, "-o", Path("plain.wrl")});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Run({"scene", example, "-o", Path("packed.wrz"), "--wrz"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(std::system(("gzip -t '" + Path("packed.wrz") + "'").c_str()), 0);
  const auto packed = ReadFileText(Path("packed.wrz"));
  ASSERT_TRUE(packed);
  EXPECT_EQ(GzipDecompress(*packed).value_or("?"), ReadFileText(Path("plain.wrl")).value_or(""));
  // A plain scene carries no model.
  run = Run({"extract", Path("plain.wrl"), "-o", Path("none.mor")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("no model embedded in"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("none.mor")));
}

TEST_F(SceneCli, StlOfTheExample) {
  const CliRun run = Run({"stl", example, "-o", Path("quartz.stl")});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = SplitLines(ReadFileText(Path("quartz.stl")).value_or(""));
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines.front(), "solid quartz STL");
  EXPECT_EQ(lines.back(), "endsolid quartz STL");
}

TEST_F(SceneCli, FailuresGiveExitTwoAndAMessage) {
  CliRun run = Run({"scene", example, "-o", Path("missing/dir/x.wrl")});
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(run.err.empty());
  run = Run({"stl", example, "-o", Path("missing/dir/x.stl")});
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(run.err.empty());
  run = Run({"scene", Path("absent.mor"), "-o", Path("x.wrl")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("File not Found"), std::string::npos);
  EXPECT_EQ(Run({"scene", example}).status, 2);  // no output named
  EXPECT_EQ(Run({"scene", example, "-o", "x.wrl", "--bogus"}).status, 2);
  EXPECT_EQ(Run({"extract", Path("absent.wrl"), "-o", Path("x.mor")}).status, 2);
  // An output that is a folder is refused and left as it was, with nothing beside it.
  fs::create_directories(Path("out.stl"));
  EXPECT_EQ(Run({"stl", example, "-o", Path("out.stl")}).status, 2);
  EXPECT_TRUE(fs::is_directory(Path("out.stl")));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(Folder()))
    if (entry.path().filename().string().find(".part") != std::string::npos) ++files;
  EXPECT_EQ(files, 0);
}

}  // namespace
}  // namespace habitopia
