// Applying a read document to the crystal model, making one from the model, and
// the round trip file -> document/model -> file.

#include <gtest/gtest.h>

#include "files/model_reader.h"
#include "files/model_samples.h"
#include "files/model_writer.h"

namespace habitopia {
namespace {

using test::CrLfLines;
using test::DefaultModel;
using test::PlainForm;

// A file in the writer's own form with a cleavage face, textures, marks, colours,
// a twin and a label font of 15 points.
std::string WrittenSample() {
  return CrLfLines({
      "Habitopia data Release 1.5",
      "1",
      "32",
      "  2.00000   4.00000   6.00000",
      " 90.00000  90.00000 120.00000",
      "1.000 0.000 0.000 1.000",
      "-1.000 1.000 0.000 2.500",
      " 0.35 197121 0 16777215 255 65280 16711680    12    40 32768  6.3E+0000  0.40",
      "1 0 1 1 1 0 1 0 1 0 0 1 1 0 2 -6",
      "Arial",
      "ITALIC",
      "0.25",
      "2",
      "(1 0 0)",
      "1 1 0",
      "0 0 0",
      "60",
      "0 0 0",
      "255   0   0  1  1  0 1.000 0.000 0.000 1.000 ",
      "  0 128   0  0  0  1 -1.000 1.000 0.000 2.500 /textures/x.gif",
      "  0   0   0  0  0  0 0.000 0.000 1.000 1.000 ",
      " 10  20  30  1 -7  0 0.000 0.000 -1.000 0.800 ",
  });
}

ModelDocument Read(const std::string& text) {
  const ModelReadResult result = ParseModelText(text, "sample.mor");
  EXPECT_TRUE(result.ok) << result.error;
  return result.document;
}

// The window values a document carries, as the window would hold them after loading.
// The boxes are recovered from the panel code by divisibility, which is exact for
// the codes used here (factors 2 and 3 only).
FormValues FormFromDocument(const ModelDocument& doc) {
  FormValues form;
  form.switches = DecodeSwitches(doc.switches);
  const long long code = doc.switches[kSwitchPanel];
  form.panels.tumble = PanelCodeTumble(code);
  form.panels.uniqueFaceGridShown = code % 2 == 0;
  form.panels.pointGroupBoxShown = code % 3 == 0;
  form.panels.metricBoxShown = code % 4 == 0;
  form.perspectivePosition = doc.perspectivePosition;
  form.speedPosition = doc.speedPosition;
  form.twinTexts = doc.twinTexts;
  form.showModel = doc.showModel;
  form.projectSectors = doc.projectSectors;
  return form;
}

TEST(ModelDocument, ApplyFillsTheModel) {
  CrystalModel model = DefaultModel();
  const ModelDocument doc = Read(WrittenSample());
  ApplyDocument(doc, model);

  EXPECT_EQ(model.cellLengthMean, 4);
  EXPECT_EQ(model.cell, (UnitCell{0.5L, 1, 1.5L, 90, 90, 120}));
  EXPECT_EQ(model.acceptedCell, model.cell);
  const CellMatrices expected = BuildCellMatrices(model.cell);
  EXPECT_EQ(model.matrices.reciprocal, expected.reciprocal);
  EXPECT_EQ(model.matrices.direct, expected.direct);
  EXPECT_EQ(model.pointGroup, 32);
  EXPECT_EQ(model.acceptedGroup, 32);
  EXPECT_EQ(model.builtForGroup, 32);

  EXPECT_EQ(model.lastUniqueFace, 1);
  EXPECT_EQ(model.lastFace, 3);
  for (int f = 0; f <= 3; ++f) EXPECT_EQ(model.faces[f], doc.faces[f]) << f;
  EXPECT_EQ(model.cleavageFace, 3);
  // The cleavage offset is measured in the mean distance of the other faces.
  EXPECT_EQ(model.polyhedron.distanceScale, (1 + 2.5L + 1) / 3);
  EXPECT_EQ(model.cleavageDistance, 0.8L / ((1 + 2.5L + 1) / 3));
  EXPECT_EQ(model.twin.type, TwinType::RotationReal);

  const DisplaySettings& d = model.display;
  EXPECT_EQ(d.transparency, 0.35L);
  EXPECT_EQ(d.backgroundColour, (Rgb{1, 2, 3}));
  EXPECT_EQ(d.light2Colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(d.axesColour, (Rgb{0, 128, 0}));
  EXPECT_EQ(d.axesLength, 6.3L);
  EXPECT_EQ(d.specialTransparency, 0.4L);
  EXPECT_EQ(d.viewDistance, 144);
  EXPECT_NEAR(static_cast<double>(d.fieldOfView), 5.0 / 144, 1e-15);
  EXPECT_EQ(d.cycleInterval, -5);
  EXPECT_TRUE(d.headlight);
  EXPECT_TRUE(d.brilliant);
  EXPECT_EQ(d.fontFamily, "Arial");
  EXPECT_EQ(d.fontStyle, "ITALIC");
  EXPECT_EQ(d.fontSizeText, "0.25");
  EXPECT_EQ(d.labelFontPoints, 15);
  EXPECT_TRUE(model.geometryStale);
}

TEST(ModelDocument, ApplyClearsMarksOfUnusedSlotsAndKeepsWhatTheFileLacks) {
  CrystalModel model = DefaultModel();
  FaceRecord& stale = model.faces[40];
  stale.growthSector = true;
  stale.labelSelected = true;
  stale.colourShown = 1;
  stale.textureFile = "old.gif";
  model.display.specialTransparency = 0.7L;
  model.display.fontStyle = "NORMAL";
  model.cleavageFace = 2;

  std::string text = WrittenSample();
  text.replace(text.find("6.3E+0000  0.40"), 15, "6.3E+0000");
  text.replace(text.find("ITALIC"), 6, "Oblique");
  text.replace(text.find(" 10  20  30  1 -7"), 17, " 10  20  30  1  0");
  ApplyDocument(Read(text), model);

  EXPECT_FALSE(model.faces[40].growthSector);
  EXPECT_FALSE(model.faces[40].labelSelected);
  EXPECT_EQ(model.faces[40].colourShown, 0);
  EXPECT_EQ(model.faces[40].textureFile, "");
  EXPECT_EQ(model.display.specialTransparency, 0.7L);
  EXPECT_EQ(model.display.fontStyle, "NORMAL");  // an unknown word leaves the style
  EXPECT_EQ(model.cleavageFace, -1);
}

TEST(ModelDocument, UniqueLinesFillSlotsBeyondTheFaceLines) {
  std::string text = WrittenSample();
  text.erase(text.find("255   0   0"));
  CrystalModel model = DefaultModel();
  ApplyDocument(Read(text), model);
  // One all-zero face line; unique face 1 stays in slot 1 for the unique grid.
  EXPECT_EQ(model.lastFace, 0);
  EXPECT_EQ(model.faces[0], FaceRecord{});
  EXPECT_EQ(model.faces[1].Indices(), (Vec3{-1, 1, 0}));
  EXPECT_EQ(model.faces[1].distance, 2.5L);
}

TEST(ModelDocument, ReadWriteGivesTheSameBytes) {
  const std::string text = WrittenSample();
  EXPECT_EQ(FormatModelText(Read(text)), text);

  // Under a comma locale the font size carries the comma both ways.
  std::string comma = text;
  comma.replace(comma.find("\r\n0.25\r\n"), 8, "\r\n0,25\r\n");
  ModelWriteOptions options;
  options.decimalSeparator = ',';
  EXPECT_EQ(FormatModelText(Read(comma), options), comma);
}

TEST(ModelDocument, ModelRoundTripGivesTheSameBytes) {
  const std::string text = WrittenSample();
  const ModelDocument doc = Read(text);
  CrystalModel model;
  ApplyDocument(doc, model);
  EXPECT_EQ(FormatModelText(MakeDocument(model, FormFromDocument(doc))), text);
}

TEST(ModelDocument, WrittenModelReadsBackIntoTheSameModel) {
  CrystalModel model = DefaultModel();
  SetCell(model, UnitCell{10, 20, 30, 80, 95, 100});
  model.pointGroup = 5;
  model.lastFace = 6;
  for (int f = 4; f <= 6; ++f) {
    model.faces[f].h = f - 5;
    model.faces[f].k = 2;
    model.faces[f].l = 0.5L;
    model.faces[f].distance = 0.125L * f;
    model.faces[f].faceColour = {Real(f), 200, 17};
  }
  model.faces[2].textureFile = "/srv/textures/stripes.png";
  model.faces[5].labelSelected = true;
  model.faces[6].growthSector = true;
  model.faces[6].colourShown = 1;
  model.display.axesLength = 4;
  model.display.labelFontPoints = 18;
  model.twin.type = TwinType::Inversion;
  const FormValues form = PlainForm();

  const std::string text = FormatModelText(MakeDocument(model, form));
  const ModelDocument doc = Read(text);
  CrystalModel back;
  ApplyDocument(doc, back);
  EXPECT_EQ(back.cell.a, model.cell.a);
  EXPECT_EQ(back.cellLengthMean, 20);
  EXPECT_EQ(back.pointGroup, 5);
  EXPECT_EQ(back.lastFace, 6);
  for (int f = 0; f <= 6; ++f) EXPECT_EQ(back.faces[f], model.faces[f]) << f;
  EXPECT_EQ(back.display.labelFontPoints, 18);
  EXPECT_EQ(back.display.fontSizeText, "0.3");
  EXPECT_EQ(back.twin.type, TwinType::Inversion);
  EXPECT_EQ(FormatModelText(MakeDocument(back, form)), text);
}

}  // namespace
}  // namespace habitopia
