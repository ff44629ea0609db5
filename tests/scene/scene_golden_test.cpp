// Whole scene texts of small cases, checked against expected files worked out by hand.

#include <gtest/gtest.h>

#include "scene/scene_writer.h"
#include "scene_test_support.h"

namespace habitopia {
namespace {

using test::CopyFaceMarks;
using test::KeepScene;
using test::MakeHandCube;
using test::ReadGolden;
using test::SameLines;

class SceneGolden : public ::testing::Test {
 protected:
  void SetUp() override { MakeHandCube(model, polyhedron); }
  std::string Write(const std::string& name) {
    CopyFaceMarks(model, polyhedron);
    const std::string text = WriteScene(model, polyhedron, model.display, switches).text;
    KeepScene(name, text);
    return text;
  }
  CrystalModel model;
  Polyhedron polyhedron;
  SceneSwitches switches;  // fill, grid, spotlights and solid on
};

TEST_F(SceneGolden, DefaultSettings) {
  EXPECT_TRUE(SameLines(Write("default.wrl"), ReadGolden("default.wrl")));
}

TEST_F(SceneGolden, TumbleWithoutAnimationWritesNothingOfIt) {
  switches.tumble = true;
  EXPECT_TRUE(SameLines(Write("tumble_only.wrl"), ReadGolden("default.wrl")));
}

TEST_F(SceneGolden, FillOffEdgesDefineCornersAndSpecialShapesUseThem) {
  switches.fill = false;
  model.faces[0].faceColour = {255, 0, 0};
  model.faces[0].colourShown = 1;
  model.faces[1].textureFile = "my \"best\" \\ image.png";
  EXPECT_TRUE(SameLines(Write("fill_off.wrl"), ReadGolden("fill_off.wrl")));
}

TEST_F(SceneGolden, NegativeCycleIntervalTurnsBackwardsWithAxes) {
  switches.animation = true;
  switches.Caxes = true;
  model.display.cycleInterval = -10;
  EXPECT_TRUE(SameLines(Write("negative_cycle.wrl"), ReadGolden("negative_cycle.wrl")));
}

TEST_F(SceneGolden, FourIndexLabelsWithBarsAnimatedAndTumbling) {
  switches.indiceson = true;
  switches.hkil = true;
  switches.animation = true;
  switches.tumble = true;
  EXPECT_TRUE(SameLines(Write("labels_hkil.wrl"), ReadGolden("labels_hkil.wrl")));
}

TEST_F(SceneGolden, OneSelectedFaceGetsTheOnlyLabel) {
  switches.indiceson = true;
  model.faces[3].labelSelected = true;
  EXPECT_TRUE(SameLines(Write("one_label.wrl"), ReadGolden("one_label.wrl")));
}

TEST_F(SceneGolden, GrowthSectorFan) {
  model.faces[4].faceColour = {255, 0, 0};
  model.faces[4].colourShown = 1;
  model.faces[4].growthSector = true;
  EXPECT_TRUE(SameLines(Write("growth_sector.wrl"), ReadGolden("growth_sector.wrl")));
}

TEST_F(SceneGolden, ContactTwin) {
  switches.twin = TwinChoice::Contact;
  switches.twinFace = "1 0 0";
  EXPECT_TRUE(SameLines(Write("contact_twin.wrl"), ReadGolden("contact_twin.wrl")));
}

}  // namespace
}  // namespace habitopia
