// Release 1.5 text as the writer produces it; expected lines worked out by hand
// from the file layout.

#include "files/model_writer.h"

#include <gtest/gtest.h>

#include "files/model_samples.h"

namespace habitopia {
namespace {

using test::CrLfLines;
using test::DefaultModel;
using test::PlainForm;
using test::SplitCrLf;

std::vector<std::string> WrittenLines(const CrystalModel& model, const FormValues& form,
                                      SaveKind kind = SaveKind::ModelFile,
                                      ModelWriteOptions options = {}) {
  return SplitCrLf(FormatModelText(MakeDocument(model, form, kind), options));
}

TEST(ModelWriter, DefaultModelWholeFile) {
  const std::string expected = CrLfLines({
      "Habitopia data Release 1.5",
      "3",
      "2",
      "  1.00000   1.00000   1.00000",
      " 90.00000  90.00000  90.00000",
      "1.000 2.000 3.000 1.000",
      "-1.000 -1.000 1.000 1.000",
      "0.000 -1.000 -1.000 1.000",
      "0.000 1.000 0.000 1.000",
      " 0.20 16777215 8421504 12632256 0 12615808 16777215     9    60 8388608  6.0E+0000  0.20",
      "0 1 0 0 0 0 0 0 1 1 0 0 0 1 1 -1",
      "SERIF",
      "BOLD",
      "0.2",
      "0",
      "",
      "0 0 1",
      "0 0 0",
      "0",
      "0 0 0",
      "  0   0   0  0  0  0 1.000 2.000 3.000 1.000 ",
      "  0   0   0  0  0  0 -1.000 -1.000 1.000 1.000 ",
      "  0   0   0  0  0  0 0.000 -1.000 -1.000 1.000 ",
      "  0   0   0  0  0  0 0.000 1.000 0.000 1.000 ",
  });
  EXPECT_EQ(FormatModelText(MakeDocument(DefaultModel(), PlainForm())), expected);
}

TEST(ModelWriter, CellLengthsAreWrittenAsGiven) {
  CrystalModel model = DefaultModel();
  SetCell(model, UnitCell{2, 4, 6, 90, 100.5, 120});
  EXPECT_EQ(model.cellLengthMean, 4);
  EXPECT_EQ(model.cell.a, 0.5L);
  EXPECT_EQ(model.cell.c, 1.5L);
  const auto lines = WrittenLines(model, PlainForm());
  EXPECT_EQ(lines[3], "  2.00000   4.00000   6.00000");
  EXPECT_EQ(lines[4], " 90.00000 100.50000 120.00000");
}

TEST(ModelWriter, FaceLineFields) {
  CrystalModel model = DefaultModel();
  model.lastFace = 5;
  FaceRecord& red = model.faces[0];
  red = FaceRecord{};
  red.faceColour = {255, 0, 0};
  red.colourShown = 1;
  red.growthSector = true;
  red.h = 1;
  red.distance = 1;

  FaceRecord& labelled = model.faces[4];
  labelled = FaceRecord{};
  labelled.faceColour = {12, 128, 7};
  labelled.labelSelected = true;
  labelled.h = -1;
  labelled.k = 10.25;
  labelled.l = -0.0004;  // rounds to zero and keeps its sign
  labelled.distance = 12.3456;
  labelled.textureFile = "/data/images/quartz.gif";

  FaceRecord& textured = model.faces[5];
  textured = FaceRecord{};
  textured.h = 1;
  textured.k = 1;
  textured.l = 1;
  textured.distance = 0.5;
  textured.textureFile = "quartz.gif";

  const auto lines = WrittenLines(model, PlainForm());
  ASSERT_EQ(lines.size(), 20u + 6u);
  EXPECT_EQ(lines[20], "255   0   0  1  1  0 1.000 0.000 0.000 1.000 ");
  EXPECT_EQ(lines[24], " 12 128   7  0  0  1 -1.000 10.250 -0.000 12.346 /data/images/quartz.gif");
  EXPECT_EQ(lines[25], "  0   0   0  0  0  0 1.000 1.000 1.000 0.500 quartz.gif");
  // The unique-face lines repeat faces 0..U.
  EXPECT_EQ(lines[5], "1.000 0.000 0.000 1.000");
}

TEST(ModelWriter, CleavageFaceCarriesItsCode) {
  CrystalModel model = DefaultModel();
  model.cleavageFace = 3;
  model.faces[3].growthSector = true;
  FormValues form = PlainForm();
  form.showModel = true;
  form.projectSectors = true;
  auto lines = WrittenLines(model, form);
  EXPECT_EQ(lines[23], "  0   0   0  0 -7  0 0.000 1.000 0.000 1.000 ");

  model.faces[3].growthSector = false;
  form.projectSectors = false;
  lines = WrittenLines(model, form);
  EXPECT_EQ(lines[23], "  0   0   0  0 -2  0 0.000 1.000 0.000 1.000 ");
}

TEST(ModelWriter, DisplaySettingsLine) {
  CrystalModel model = DefaultModel();
  DisplaySettings& d = model.display;
  d.transparency = 0.35L;
  d.backgroundColour = {1, 2, 3};
  d.edgeColour = {0, 0, 0};
  d.fillColour = {255, 255, 255};
  d.labelColour = {255, 0, 0};
  d.light1Colour = {0, 255, 0};
  d.light2Colour = {0, 0, 255};
  d.axesColour = {0, 128, 0};
  d.axesLength = 6.333L;
  d.specialTransparency = 1;
  FormValues form = PlainForm();
  form.perspectivePosition = 15;
  form.speedPosition = 100;
  const auto lines = WrittenLines(model, form);
  EXPECT_EQ(lines[9],
            " 0.35 197121 0 16777215 255 65280 16711680    15   100 32768  6.3E+0000  1.00");

  ModelDocument doc = MakeDocument(model, form);
  doc.hasSectorTransparency = false;
  doc.axesLength = 12.7L;
  EXPECT_EQ(SplitCrLf(FormatModelText(doc))[9],
            " 0.35 197121 0 16777215 255 65280 16711680    15   100 32768  1.3E+0001");
}

TEST(ModelWriter, SwitchesAndPanelCode) {
  CrystalModel model = DefaultModel();
  FormValues form = PlainForm();
  form.switches.headlight = true;
  form.switches.indexLabels = true;
  form.switches.crystalAxes = true;
  form.switches.rendererCode = RendererCode("R98 Renderer");
  form.panels.tumble = true;
  form.panels.uniqueFaceGridShown = true;
  form.panels.specialFaceBoxShown = true;
  // A saved file never carries the special-face box; an undo snapshot does.
  EXPECT_EQ(WrittenLines(model, form)[10], "1 1 0 1 0 0 0 0 1 1 0 1 0 1 3 2");
  EXPECT_EQ(WrittenLines(model, form, SaveKind::UndoSnapshot)[10],
            "1 1 0 1 0 0 0 0 1 1 0 1 0 1 3 10");

  form.panels = PanelState{false, false, true, true, false};
  EXPECT_EQ(WrittenLines(model, form)[10], "1 1 0 1 0 0 0 0 1 1 0 1 0 1 3 -12");
}

TEST(ModelWriter, LabelFontAndTwinBlock) {
  CrystalModel model = DefaultModel();
  model.display.fontFamily = "Times New Roman";
  model.display.fontStyle = "BOLDITALIC";
  model.twin.type = TwinType::RotationReciprocal;
  FormValues form = PlainForm();
  form.twinTexts = {"(1 0 0)", "1 1 0", "0 0 0.5", "60", "1 2 3"};

  auto lines = WrittenLines(model, form);
  EXPECT_EQ(lines[11], "Times New Roman");
  EXPECT_EQ(lines[12], "BOLDITALIC");
  EXPECT_EQ(lines[13], "0.2");
  EXPECT_EQ(lines[14], "3");
  EXPECT_EQ(lines[15], "(1 0 0)");
  EXPECT_EQ(lines[16], "1 1 0");
  EXPECT_EQ(lines[17], "0 0 0.5");
  EXPECT_EQ(lines[18], "60");
  EXPECT_EQ(lines[19], "1 2 3");

  ModelWriteOptions comma;
  comma.decimalSeparator = ',';
  EXPECT_EQ(WrittenLines(model, form, SaveKind::ModelFile, comma)[13], "0,2");
  model.display.labelFontPoints = 15;
  EXPECT_EQ(WrittenLines(model, form)[13], "0.25");
  model.display.labelFontPoints = 9;
  EXPECT_EQ(WrittenLines(model, form, SaveKind::ModelFile, comma)[13], "0,15");
}

}  // namespace
}  // namespace habitopia
