// Scene writer pieces outside the whole-text cases: label texts, number and text
// escaping, lights, textures, cleavage selections and scenes of built models.

#include "scene/scene_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/cell.h"
#include "scene/scene_files.h"
#include "scene_test_support.h"

namespace habitopia {
namespace {

using test::CopyFaceMarks;
using test::KeepScene;
using test::MakeHandCube;

bool HasLine(const std::string& text, const std::string& line) {
  for (const std::string& l : SplitLines(text))
    if (l == line) return true;
  return false;
}

class SceneWriter : public ::testing::Test {
 protected:
  void SetUp() override { MakeHandCube(model, polyhedron); }
  std::string Write() {
    CopyFaceMarks(model, polyhedron);
    return WriteScene(model, polyhedron, model.display, switches).text;
  }
  CrystalModel model;
  Polyhedron polyhedron;
  SceneSwitches switches;
};

TEST_F(SceneWriter, ThreeIndexLabelsBarsAndDecimals) {
  // The writer reads the indices of the present faces; give two faces other ones.
  switches.indiceson = true;
  const std::string plain = Write();
  polyhedron.presentFaces[0].h = 1;
  polyhedron.presentFaces[0].k = -1;
  polyhedron.presentFaces[0].l = 0;
  polyhedron.presentFaces[1].h = -1;
  polyhedron.presentFaces[1].k = 0.5L;
  polyhedron.presentFaces[1].l = 0;
  const std::string text = WriteScene(model, polyhedron, model.display, switches).text;
  EXPECT_TRUE(HasLine(
      text,
      "Shape { geometry Text { string [ \"(1 1 0)\" ] fontStyle USE fo } appearance USE ap }"));
  EXPECT_TRUE(HasLine(text,
                      "Transform{ translation 0.00 +0.18 0 children [ Shape { geometry Text { "
                      "string [ \"    _    \" ] fontStyle USE fo } appearance USE ap }]}"));
  EXPECT_TRUE(HasLine(
      text,
      "Shape { geometry Text { string [ \"(-1 0.5 0)\" ] fontStyle USE fo } appearance USE ap }"));
  // (-1 0.5 0) is not whole: no bar line follows its label.
  const auto lines = SplitLines(text);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].find("(-1 0.5 0)") != std::string::npos) {
      EXPECT_EQ(lines[i + 1], "]}]}]}");
    }
  }
  EXPECT_NE(plain, text);
  // A decimal comma shows in the label, never in the font size.
  switches.decimalComma = true;
  model.display.fontSizeText = "0,2";
  const std::string comma = WriteScene(model, polyhedron, model.display, switches).text;
  EXPECT_NE(comma.find("\"(-1 0,5 0)\""), std::string::npos);
  EXPECT_TRUE(HasLine(comma, "size 0.2"));
}

TEST_F(SceneWriter, ItalicLabelsShiftTheBar) {
  switches.indiceson = true;
  model.display.fontStyle = "BOLDITALIC";
  model.display.labelFontPoints = 24;
  const std::string text = Write();
  EXPECT_TRUE(HasLine(text, "style \"BOLDITALIC\""));
  EXPECT_NE(text.find("Transform{ translation 0.07 +0.36 0 children [ Shape"), std::string::npos);
}

TEST_F(SceneWriter, FontFamilyAndTexturePathsAreEscaped) {
  switches.indiceson = true;
  model.display.fontFamily = "Sans\" } Shape { \\";
  const std::string text = Write();
  EXPECT_TRUE(HasLine(text, "DEF fo FontStyle { family \"Sans\\\" } Shape { \\\\\""));
  KeepScene("escaped_font.wrl", text);
}

TEST_F(SceneWriter, TextureFoundBesideTheModelFile) {
  const auto folder = std::filesystem::temp_directory_path() / "habitopia_texture_test";
  std::filesystem::create_directories(folder);
  std::ofstream((folder / "stone.png").string()) << "png";
  const std::string model = (folder / "quartz.mor").string();
  EXPECT_EQ(TexturePath("C:\\pictures\\  stone.png", model), (folder / "stone.png").string());
  EXPECT_EQ(TexturePath("elsewhere/missing.png", model), "elsewhere/missing.png");
  std::filesystem::remove_all(folder);
}

TEST_F(SceneWriter, HeadlightBrilliantAndSinglefaceGloss) {
  model.display.headlight = true;
  model.display.brilliant = true;
  switches.singlefacegloss = true;
  model.faces[2].colourShown = 1;
  model.faces[2].faceColour = {0, 128, 255};
  const std::string text = Write();
  EXPECT_TRUE(HasLine(text, "NavigationInfo {headlight TRUE type \"EXAMINE\"}"));
  EXPECT_TRUE(HasLine(text,
                      "PointLight {on TRUE intensity 1 ambientIntensity 0 color 1 0 0 location  "
                      "-10 -10   -100  radius 1000}"));
  EXPECT_TRUE(HasLine(
      text, "Shape {appearance Appearance {material Material { diffuseColor  0.000  0.502  1.000"));
  EXPECT_TRUE(HasLine(text, "shininess 1 specularColor 1.0 1.0 1.0"));
  KeepScene("brilliant.wrl", text);
}

TEST_F(SceneWriter, CleavageFaceAloneOrWithTheModel) {
  model.cleavageFace = 4;  // the writer only needs to know which face it is
  const std::string alone = Write();
  EXPECT_TRUE(HasLine(alone, "3 5 6 2 3 -1"));
  EXPECT_FALSE(HasLine(alone, "3 2 1 0 3 -1"));
  switches.showmodel = true;
  const std::string withModel = Write();
  EXPECT_TRUE(HasLine(withModel, "3 2 1 0 3 -1"));
  EXPECT_TRUE(HasLine(withModel, "3 5 6 2 3 -1"));
}

TEST_F(SceneWriter, GeometryKeepsEveryFaceListForLaterCommands) {
  model.faces[0].colourShown = 1;
  CopyFaceMarks(model, polyhedron);
  const SceneOutput out = WriteScene(model, polyhedron, model.display, switches);
  ASSERT_EQ(out.geometry.lists.lists.size(), 6u);
  EXPECT_EQ(out.geometry.lists.lists[0], (std::vector<int>{3, 2, 1, 0, 3, -1}));
  EXPECT_EQ(out.geometry.centreNumber, 8);
  EXPECT_NEAR(static_cast<double>(out.geometry.lists.volumeTotal), 8.0, 1e-12);
}

// Faces of a cube and an octahedron cutting its corners.
void CubeOctahedron(CrystalModel& model, const UnitCell& cell) {
  model.lastFace = -1;
  auto add = [&](Real h, Real k, Real l, Real d) {
    FaceRecord& f = model.faces[++model.lastFace];
    f = FaceRecord{};
    f.h = h, f.k = k, f.l = l, f.distance = d;
  };
  for (int s : {1, -1}) add(s, 0, 0, 1), add(0, s, 0, 1), add(0, 0, s, 1);
  for (int a : {1, -1})
    for (int b : {1, -1})
      for (int c : {1, -1}) add(a, b, c, 1.5L);
  SetCell(model, cell);
}

TEST(SceneWriterBuilt, EverySwitchOnForBuiltModels) {
  // Scenes of real builds with every block switched on, kept for the parser check.
  const UnitCell cells[] = {UnitCell{}, UnitCell{1, 1, 1.6L, 90, 90, 120},
                            UnitCell{1, 1.2L, 0.9L, 80, 100, 110}};
  int n = 0;
  for (const UnitCell& cell : cells) {
    for (TwinChoice twin : {TwinChoice::Contact, TwinChoice::Rotation, TwinChoice::Inversion}) {
      CrystalModel model;
      CubeOctahedron(model, cell);
      model.faces[3].colourShown = 1;
      model.faces[3].growthSector = true;
      model.faces[3].faceColour = {10, 200, 30};
      model.faces[7].textureFile = "face.png";
      model.twin.twinAxis = {0, 0, 1};
      model.twin.twinAngle = 60;
      model.twin.twinCentre = {1, 0, 0};
      model.display.brilliant = true;
      const Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
      SceneSwitches switches;
      switches.animation = switches.tumble = switches.indiceson = switches.Caxes = true;
      switches.hkil = n % 2 == 0;
      switches.fill = n % 3 != 0;
      switches.singlefacegloss = true;
      switches.twin = twin;
      switches.twinFace = "1 0 0";
      const SceneOutput out = WriteScene(model, polyhedron, model.display, switches);
      EXPECT_TRUE(out.geometry.twinCorners.has_value());
      EXPECT_EQ(out.geometry.twinCorners->size(), out.geometry.corners.positions.size());
      EXPECT_NE(out.text.find("DEF C_t Coordinate"), std::string::npos);
      EXPECT_NE(out.text.find("ROUTE oi2i.value_changed TO TTA1.set_rotation"), std::string::npos);
      KeepScene("built_" + std::to_string(n++) + ".wrl", out.text);
    }
  }
}

}  // namespace
}  // namespace habitopia
