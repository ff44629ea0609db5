#include "app/shown_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app_test_support.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::CubeDocument;
using test::ScratchFolder;
using test::WriteModel;

std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

TEST(ShownFile, AModelIsBuiltAndItsSceneWrittenToTheWorkingDirectory) {
  ScratchFolder models, work;
  const std::string path = WriteModel(models.Path() / "cube.mor", CubeDocument());
  const ShownFile shown = PrepareShownFile(path, work.Path().string());
  ASSERT_TRUE(shown.ok) << shown.error;
  EXPECT_EQ(shown.scenePath, (work.Path() / "Habitopia.wrl").string());
  EXPECT_EQ(FirstLine(shown.scenePath), "#VRML V2.0 utf8");
  EXPECT_EQ(shown.modelFileName, path);
  EXPECT_FALSE(shown.sceneOnly);
  EXPECT_TRUE(shown.closed);
  ASSERT_TRUE(shown.figures.has_value());
  EXPECT_EQ(shown.figures->pointGroupCaption, std::string(GetPointGroup(1).symbol));
  EXPECT_EQ(shown.figures->presentFaces, 6);
  EXPECT_EQ(shown.figures->sceneCorners, 8);
  EXPECT_NEAR(static_cast<double>(shown.figures->surface), 24,
              1e-3);  // faces sit f * 5e-7 further out
  EXPECT_NEAR(static_cast<double>(shown.figures->volume), 8, 1e-3);
}

TEST(ShownFile, TheCalculationsCleanUpDropsEmptyAndNonPositiveFaces) {
  ScratchFolder models, work;
  ModelDocument document = CubeDocument();
  FaceRecord empty;  // indices 0 0 0
  empty.distance = 1;
  FaceRecord behind;
  behind.h = 1;
  behind.k = 1;
  behind.l = 1;
  behind.distance = -0.5;
  // Faces that would cut the cube if they were kept.
  FaceRecord zeroDistance = behind;
  zeroDistance.distance = 0;
  document.faces.insert(document.faces.begin() + 2, {empty, behind, zeroDistance});
  const std::string path = WriteModel(models.Path() / "CUBE.MOR", document);
  const ShownFile shown = PrepareShownFile(path, work.Path().string());
  ASSERT_TRUE(shown.ok) << shown.error;
  ASSERT_TRUE(shown.figures.has_value());
  EXPECT_EQ(shown.figures->presentFaces, 6);
  EXPECT_NEAR(static_cast<double>(shown.figures->volume), 8, 1e-3);
}

TEST(ShownFile, ScenesAreShownAsTheyAreAndOtherFilesRefused) {
  ScratchFolder work;
  for (const char* name : {"scene.wrl", "packed.WRZ"}) {
    const ShownFile scene = PrepareShownFile(std::string("/data/") + name, work.Path().string());
    ASSERT_TRUE(scene.ok) << scene.error;
    EXPECT_EQ(scene.scenePath, std::string("/data/") + name);
    EXPECT_TRUE(scene.sceneOnly);
    EXPECT_FALSE(scene.figures.has_value());
  }
  EXPECT_TRUE(fs::is_empty(work.Path()));

  const ShownFile text = PrepareShownFile("/data/notes.Txt", work.Path().string());
  EXPECT_FALSE(text.ok);
  EXPECT_EQ(text.error, "This is not a valid Habitopia - file (*.mor): .Txt");
  EXPECT_EQ(PrepareShownFile("/data/noextension", work.Path().string()).error,
            "This is not a valid Habitopia - file (*.mor): ");
}

TEST(ShownFile, AMissingOrBrokenModelIsAnError) {
  ScratchFolder models, work;
  const ShownFile missing =
      PrepareShownFile((models.Path() / "none.mor").string(), work.Path().string());
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(missing.error.empty());
  std::ofstream(models.Path() / "broken.mor") << "no release line\n";
  const ShownFile broken =
      PrepareShownFile((models.Path() / "broken.mor").string(), work.Path().string());
  EXPECT_FALSE(broken.ok);
  EXPECT_NE(broken.error.find("broken.mor"), std::string::npos) << broken.error;
  EXPECT_FALSE(fs::exists(work.Path() / "Habitopia.wrl"));
}

}  // namespace
}  // namespace habitopia
