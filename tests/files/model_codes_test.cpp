// The packed codes of the model file: cleavage codes, panel code, switches, renderer.

#include "files/model_codes.h"

#include <gtest/gtest.h>

namespace habitopia {
namespace {

TEST(ModelCodes, CleavageCodeTable) {
  struct Row {
    long long code;
    bool showModel, projectSectors, growthSector;
  };
  const Row table[] = {
      {-1, false, false, false}, {-2, true, false, false}, {-3, true, true, false},
      {-4, false, true, false},  {-5, false, false, true}, {-6, true, false, true},
      {-7, true, true, true},    {-8, false, true, true},
  };
  for (const Row& row : table) {
    const SectorMark mark = DecodeSectorMark(row.code);
    EXPECT_TRUE(mark.cleavageFace) << row.code;
    EXPECT_EQ(mark.showModel, row.showModel) << row.code;
    EXPECT_EQ(mark.projectSectors, row.projectSectors) << row.code;
    EXPECT_EQ(mark.growthSector, row.growthSector) << row.code;
    EXPECT_EQ(EncodeSectorMark(mark), row.code);
  }
}

TEST(ModelCodes, PlainGrowthSectorMarks) {
  EXPECT_EQ(DecodeSectorMark(1), (SectorMark{true, false, false, false}));
  for (long long other : {0LL, 2LL, -9LL, 100LL})
    EXPECT_EQ(DecodeSectorMark(other), SectorMark{}) << other;
  EXPECT_EQ(EncodeSectorMark(SectorMark{true, false, true, true}), 1);  // no cleavage: 1 or 0
  EXPECT_EQ(EncodeSectorMark(SectorMark{}), 0);
}

TEST(ModelCodes, PanelCode) {
  EXPECT_EQ(EncodePanelCode({true, true, true, true, true}, false), 24);
  EXPECT_EQ(EncodePanelCode({true, true, true, true, true}, true), 120);

  EXPECT_TRUE(PanelCodeTumble(2));
  EXPECT_FALSE(PanelCodeTumble(-2));
  EXPECT_FALSE(PanelCodeTumble(0));
  EXPECT_EQ(PanelCodeCommand(0), PanelCommand::EditFace);
  EXPECT_EQ(PanelCodeCommand(-1), PanelCommand::EditFace);
  EXPECT_EQ(PanelCodeCommand(-2), PanelCommand::EditUniqueFaces);
  EXPECT_EQ(PanelCodeCommand(3), PanelCommand::SelectPointGroup);
  EXPECT_EQ(PanelCodeCommand(-4), PanelCommand::EditMetric);
  EXPECT_EQ(PanelCodeCommand(5), PanelCommand::SingleFaceProperties);
  EXPECT_EQ(PanelCodeCommand(6), PanelCommand::None);
  EXPECT_EQ(PanelCodeCommand(-120), PanelCommand::None);
}

TEST(ModelCodes, SwitchesCountOnlyOneAsOn) {
  const SwitchValues values{1, 2, -1, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 1, 7, -6};
  const DisplaySwitches s = DecodeSwitches(values);
  EXPECT_TRUE(s.headlight);
  EXPECT_FALSE(s.spotlights);
  EXPECT_FALSE(s.selectedFaceLabels);
  EXPECT_TRUE(s.indexLabels);
  EXPECT_TRUE(s.showFaceColour);
  EXPECT_TRUE(s.drawGrowthSector);
  EXPECT_TRUE(s.grid);
  EXPECT_FALSE(s.fill);
  EXPECT_TRUE(s.glossAllFaces);
  EXPECT_TRUE(s.brilliant);
  EXPECT_TRUE(s.solid);
  EXPECT_EQ(s.rendererCode, 7);
  EXPECT_EQ(EncodeSwitches(s, -6), (SwitchValues{1, 0, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 1, 7, -6}));
}

TEST(ModelCodes, RendererNames) {
  EXPECT_EQ(RendererCode("DirectX Renderer"), 1);
  EXPECT_EQ(RendererCode("OpenGL Renderer"), 2);
  EXPECT_EQ(RendererCode("R98 Renderer"), 3);
  EXPECT_EQ(RendererCode("opengl renderer"), 1);
  EXPECT_EQ(RendererCode("WebGL"), 1);
}

}  // namespace
}  // namespace habitopia
