// Scene files: the embedded model, gzip compression, the group scene and
// reporting of files that cannot be written.

#include "scene/scene_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/model_reader.h"
#include "files/model_writer.h"
#include "scene/embedded_model.h"
#include "scene/scene_writer.h"
#include "scene_test_support.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

class SceneFiles : public test::TempFolderTest {
 protected:
  SceneFiles() : TempFolderTest("habitopia_scene_files") {}
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TempFolderTest::SetUp());
    const ModelReadResult read =
        ReadModelFile(std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor");
    ASSERT_TRUE(read.ok) << read.error;
    document = read.document;
  }

  ModelDocument document;
  const std::string scene = "#VRML V2.0 utf8\n\nShape { geometry Box {} }\n";
};

TEST_F(SceneFiles, EmbeddedBlockIsTheModelFileAsComments) {
  const std::string embedded = SceneWithModel(scene, document);
  const auto lines = SplitLines(embedded);
  const auto modelLines = SplitLines(FormatModelText(document));
  ASSERT_EQ(lines.size(), 3 + modelLines.size());
  EXPECT_EQ(lines[3], "#Habitopia data Release 1.5");
  for (std::size_t i = 0; i < modelLines.size(); ++i) EXPECT_EQ(lines[3 + i], "#" + modelLines[i]);
}

TEST_F(SceneFiles, SceneWithModelExtractsToTheSameModel) {
  const std::string path = Path("crystal.wrl");
  ASSERT_TRUE(WriteFileAtomic(path, scene));
  ASSERT_TRUE(AddModelToScene(path, document));
  const ModelReadResult back = ReadEmbeddedModel(path, Folder());
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(FormatModelText(back.document), FormatModelText(document));
  EXPECT_TRUE(fs::exists(Path("tmp.mor")));
  // The scene itself is still there in front of the model.
  EXPECT_EQ(ReadFileText(path)->substr(0, scene.size()), scene);
}

TEST_F(SceneFiles, EmbeddingAgainReplacesTheEarlierModel) {
  const std::string once = SceneWithModel(scene, document);
  ModelDocument changed = document;
  changed.pointGroup = 32;
  const std::string twice = SceneWithModel(once, changed);
  EXPECT_EQ(twice, SceneWithModel(scene, changed));
  const auto model = ExtractEmbeddedModel(twice);
  ASSERT_TRUE(model);
  EXPECT_EQ(ParseModelText(*model).document.pointGroup, 32);
}

TEST_F(SceneFiles, Release12BlockIsReEmbeddedAsRelease15) {
  std::string old = scene + "#Habitopia data Release 1.2\n#3\n#2\n";
  const std::string again = SceneWithModel(old, document);
  EXPECT_EQ(again.find("Release 1.2"), std::string::npos);
  const auto model = ExtractEmbeddedModel(again);
  ASSERT_TRUE(model);
  const ModelReadResult read = ParseModelText(*model);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(FormatModelText(read.document), FormatModelText(document));
}

TEST_F(SceneFiles, SceneWithoutModel) {
  EXPECT_FALSE(ExtractEmbeddedModel(scene));
  // A marker with a trailing blank is no marker.
  EXPECT_FALSE(ExtractEmbeddedModel(scene + "#Habitopia data Release 1.5 \n#3\n"));
  const std::string path = Path("plain.wrl");
  ASSERT_TRUE(WriteFileAtomic(path, scene));
  const ModelReadResult read = ReadEmbeddedModel(path, Folder());
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.error, "no model embedded in " + path);
}

TEST_F(SceneFiles, ExtractedLinesLoseTheirFirstCharacter) {
  const auto model =
      ExtractEmbeddedModel("x\r\n#Habitopia data Release 1.2\r\n#3\r\n\r\n# 1.000\r\n");
  ASSERT_TRUE(model);
  EXPECT_EQ(*model, "Habitopia data Release 1.2\r\n3\r\n\r\n 1.000\r\n");
}

TEST_F(SceneFiles, GzipRoundTripWithZlibAndTheSystemGzip) {
  CrystalModel model;
  Polyhedron polyhedron;
  test::MakeHandCube(model, polyhedron);
  const std::string text = WriteScene(model, polyhedron, model.display, SceneSwitches{}).text;
  const std::string preview = Path("Habitopia.wrl");
  const std::string target = Path("saved.wrz");
  ASSERT_TRUE(WriteFileAtomic(preview, text));
  ASSERT_TRUE(SaveCompressedScene(preview, target));
  EXPECT_FALSE(fs::exists(preview));  // compressed away, as gzip -f does
  EXPECT_FALSE(fs::exists(preview + ".gz"));
  const auto packed = ReadFileText(target);
  ASSERT_TRUE(packed);
  EXPECT_TRUE(LooksGzipped(*packed));
  EXPECT_EQ(GzipDecompress(*packed).value_or(""), text);
  EXPECT_EQ(std::system(("gzip -t '" + target + "'").c_str()), 0);
  ASSERT_EQ(std::system(("gzip -dc '" + target + "' > '" + Path("unpacked.wrl") + "'").c_str()), 0);
  EXPECT_EQ(ReadFileText(Path("unpacked.wrl")).value_or(""), text);
  // A scene that is gone cannot be compressed.
  const FileResult again = SaveCompressedScene(preview, Path("again.wrz"));
  EXPECT_FALSE(again);
  EXPECT_EQ(again.message.rfind("compression failed", 0), 0u);
  EXPECT_FALSE(GzipDecompress("not gzip at all"));
}

TEST_F(SceneFiles, EmbeddedModelReadFromACompressedScene) {
  const std::string path = Path("crystal.wrz");
  ASSERT_TRUE(WriteFileAtomic(path, *GzipCompress(SceneWithModel(scene, document))));
  const ModelReadResult back = ReadEmbeddedModel(path, Folder());
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(FormatModelText(back.document), FormatModelText(document));
}

TEST_F(SceneFiles, WriteFailuresAreReported) {
  const FileResult missingFolder = WriteFileAtomic(Path("no/such/folder/x.wrl"), scene);
  EXPECT_FALSE(missingFolder);
  EXPECT_FALSE(missingFolder.message.empty());
  EXPECT_FALSE(WriteFileAtomic(Folder(), scene));  // a folder is no file
  EXPECT_FALSE(AddModelToScene(Path("absent.wrl"), document));
}

TEST(GroupScene, LineForLine) {
  GroupScene group;
  group.background = {0, 0, 255};
  group.morphology = "crystal.wrl";
  group.structure = "my \"structure\".wrl";
  group.tensor = "tensor.wrl";
  group.animation = true;
  const std::string expected =
      "#VRML V2.0 utf8\n"
      "NavigationInfo {  headlight TRUE type \"EXAMINE\" }\n"
      "Background {skyColor [\n"
      " 0.000  0.000  1.000]}\n"
      "Viewpoint { fieldOfView 0.09  }\n"
      "DEF ps ProximitySensor { center 0 0 0 size 9000 9000 9000}\n"
      "DEF tr Transform {children\n"
      "Transform {translation 4 0 -100 children\n"
      "DEF tr2 Transform {children\n"
      "Inline {url [\"crystal.wrl\"]}}}}\n"
      "DEF tr3 Transform {children\n"
      "Transform {translation -13 0 -300 children\n"
      "DEF tr4 Transform {children\n"
      "Inline {url [\"my \\\"structure\\\".wrl\"]}}}}\n"
      "DEF tr5 Transform {children\n"
      "Transform {translation 0 0 -170 children\n"
      "DEF tr6 Transform {children\n"
      "Inline {url [\"tensor.wrl\"]}}}}\n"
      "DEF Clock TimeSensor {  cycleInterval 20 loop TRUE }\n"
      "DEF Spin OrientationInterpolator {key [0.0 0.5 1.0] keyValue [0.0 1.0 1.0 0.0, 0.0 1.0 1.0 "
      "-3.14, 0.0 1.0 1.0 -6.28]}\n"
      "ROUTE Clock.fraction_changed TO Spin.set_fraction\n"
      "ROUTE Spin.value_changed TO tr2.set_rotation\n"
      "ROUTE Spin.value_changed TO tr4.set_rotation\n"
      "ROUTE Spin.value_changed TO tr6.set_rotation\n"
      "ROUTE ps.orientation_changed TO tr.set_rotation\n"
      "ROUTE ps.position_changed    TO tr.set_translation\n"
      "ROUTE ps.orientation_changed TO tr2.set_rotation\n"
      "ROUTE ps.orientation_changed TO tr3.set_rotation\n"
      "ROUTE ps.position_changed    TO tr3.set_translation\n"
      "ROUTE ps.orientation_changed TO tr4.set_rotation\n"
      "ROUTE ps.orientation_changed TO tr5.set_rotation\n"
      "ROUTE ps.position_changed    TO tr5.set_translation\n"
      "ROUTE ps.orientation_changed TO tr6.set_rotation\n";
  const std::string text = GroupSceneText(group);
  EXPECT_TRUE(test::SameLines(text, expected));
  test::KeepScene("group.wrl", text);
  group.animation = false;
  const std::string still = GroupSceneText(group);
  EXPECT_EQ(still.find("Clock.fraction_changed"), std::string::npos);
  EXPECT_NE(still.find("ROUTE ps.position_changed    TO tr5.set_translation"), std::string::npos);
}

}  // namespace
}  // namespace habitopia
