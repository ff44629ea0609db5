// Reading Releases 1.1, 1.2 and 1.5, and the faults the reader reports.

#include "files/model_reader.h"

#include <gtest/gtest.h>

#include "files/model_samples.h"

namespace habitopia {
namespace {

using test::CrLfLines;

// A Release 1.5 file touching every field.
std::string Release15Sample() {
  return CrLfLines({
      "Habitopia data Release 1.5",
      "1   rest of the line ignored",
      "32",
      "  2.00000   4.00000   6.00000",
      " 90.00000  90.00000 120.00000",
      "1.0004 0.000 0.000 1.000",
      "-1.000 1.000 0.000 2.5",
      " 0.20 197121 0 16777215 255 65280 16711680     9    60 32768  6.3E+0000  0.40",
      "1 1 0 1 0 0 0 0 1 1 0 1 0 1 2 -6",
      "Arial",
      "ITALIC",
      "0,25",
      "2",
      "(1 0 0)",
      "1 1 0",
      "0 0 0",
      "60",
      "0 0 0",
      "255   0   0  1  1  0 1.000 0.000 0.000 1.000 ",
      "  0 128   0  0  0  1 -1.000 1.000 0.000 2.500   /textures/x.gif",
      "  0   0   0  0  0  0 0.0001 -0.000 1.0004 0.9996 ",
      " 10  20  30  1 -7  0 0.000 0.000 -1.000 0.800 ",
  });
}

ModelDocument ReadOk(const std::string& text, std::string_view fileName = "model.mor",
                     const ModelReadOptions& options = {}) {
  const ModelReadResult result = ParseModelText(text, fileName, options);
  EXPECT_TRUE(result.ok) << result.error;
  return result.document;
}

TEST(ModelReader, Release15Fields) {
  const ModelDocument doc = ReadOk(Release15Sample());
  EXPECT_EQ(doc.release, ModelRelease::Release15);
  EXPECT_EQ(doc.LastUniqueFace(), 1);
  EXPECT_EQ(doc.pointGroup, 32);
  EXPECT_EQ(doc.cell, (UnitCell{2, 4, 6, 90, 90, 120}));
  ASSERT_EQ(doc.uniqueFaces.size(), 2u);
  EXPECT_EQ(doc.uniqueFaces[0], (UniqueFaceLine{1, 0, 0, 1}));  // 1.0004 rounded
  EXPECT_EQ(doc.uniqueFaces[1], (UniqueFaceLine{-1, 1, 0, 2.5L}));

  EXPECT_EQ(doc.transparency, 0.2L);
  EXPECT_EQ(doc.backgroundColour, (Rgb{1, 2, 3}));
  EXPECT_EQ(doc.edgeColour, (Rgb{0, 0, 0}));
  EXPECT_EQ(doc.fillColour, (Rgb{255, 255, 255}));
  EXPECT_EQ(doc.labelColour, (Rgb{255, 0, 0}));
  EXPECT_EQ(doc.light1Colour, (Rgb{0, 255, 0}));
  EXPECT_EQ(doc.light2Colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(doc.perspectivePosition, 9);
  EXPECT_EQ(doc.speedPosition, 60);
  EXPECT_EQ(doc.axesColour, (Rgb{0, 128, 0}));
  EXPECT_EQ(doc.axesLength, 6.3L);
  EXPECT_TRUE(doc.hasSectorTransparency);
  EXPECT_EQ(doc.sectorTransparency, 0.4L);
  EXPECT_EQ(doc.switches, (SwitchValues{1, 1, 0, 1, 0, 0, 0, 0, 1, 1, 0, 1, 0, 1, 2, -6}));

  EXPECT_EQ(doc.fontName, "Arial");
  EXPECT_EQ(doc.fontStyle, "ITALIC");
  EXPECT_EQ(doc.fontSizeText, "0.25");
  EXPECT_EQ(doc.labelFontPoints, 15);
  EXPECT_EQ(doc.twinType, 2);
  EXPECT_EQ(doc.twinTexts, (TwinTexts{"(1 0 0)", "1 1 0", "0 0 0", "60", "0 0 0"}));

  ASSERT_EQ(doc.faces.size(), 4u);
  const FaceRecord& red = doc.faces[0];
  EXPECT_EQ(red.faceColour, (std::array<Real, 3>{255, 0, 0}));
  EXPECT_EQ(red.colourShown, 1);
  EXPECT_TRUE(red.growthSector);
  EXPECT_FALSE(red.labelSelected);
  EXPECT_EQ(red.Indices(), (Vec3{1, 0, 0}));
  EXPECT_EQ(red.distance, 1);
  EXPECT_EQ(red.textureFile, "");

  const FaceRecord& textured = doc.faces[1];
  EXPECT_TRUE(textured.labelSelected);
  EXPECT_FALSE(textured.growthSector);
  EXPECT_EQ(textured.textureFile, "/textures/x.gif");
  EXPECT_EQ(textured.distance, 2.5L);

  EXPECT_EQ(doc.faces[2].Indices(), (Vec3{0, 0, 1}));  // rounded to 3 decimals
  EXPECT_EQ(doc.faces[2].distance, 1);

  EXPECT_EQ(doc.cleavageFace, 3);
  EXPECT_TRUE(doc.faces[3].growthSector);
  EXPECT_TRUE(doc.showModel);
  EXPECT_TRUE(doc.projectSectors);
  EXPECT_EQ(doc.faces[3].distance, 0.8L);
  EXPECT_TRUE(doc.anyLabelMark);
}

TEST(ModelReader, ReleaseMarkerMustMatchTheWholeLine) {
  std::string text = Release15Sample();
  for (const char* marker : {"Habitopia data Release 1.5 ", "habitopia data release 1.5",
                             "Habitopia data Release 1.4", " Habitopia data Release 1.5", ""}) {
    const std::string changed = marker + text.substr(text.find("\r\n"));
    const ModelReadResult result = ParseModelText(changed);
    EXPECT_FALSE(result.ok) << '"' << marker << '"';
    EXPECT_EQ(result.errorLine, 1);
    EXPECT_NE(result.error.find("not a Habitopia model file"), std::string::npos) << result.error;
  }
  EXPECT_FALSE(ParseModelText("").ok);
}

TEST(ModelReader, LineFeedOnlyFilesRead) {
  std::string text = Release15Sample();
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  const ModelDocument doc = ReadOk(lf);
  EXPECT_EQ(doc.faces.size(), 4u);
  EXPECT_EQ(doc.faces[1].textureFile, "/textures/x.gif");
  EXPECT_EQ(doc.twinTexts[4], "0 0 0");
}

TEST(ModelReader, SectorTransparencyMayBeMissing) {
  std::string text = Release15Sample();
  const std::string withSector = "6.3E+0000  0.40\r\n";
  const auto at = text.find(withSector);
  ASSERT_NE(at, std::string::npos);
  for (const char* ending : {"6.3E+0000\r\n", "6.3E+0000   \r\n"}) {
    std::string changed = text;
    changed.replace(at, withSector.size(), ending);
    const ModelDocument doc = ReadOk(changed);
    EXPECT_FALSE(doc.hasSectorTransparency);
    EXPECT_EQ(doc.axesLength, 6.3L);
    EXPECT_EQ(doc.switches[0], 1);
    EXPECT_EQ(doc.switches[15], -6);
  }
}

TEST(ModelReader, Release12HasTexturesButNoTwinBlock) {
  const std::string text = CrLfLines({
      "Habitopia data Release 1.2",
      "0",
      "1",
      "  1.00000   1.00000   1.00000",
      " 90.00000  90.00000  90.00000",
      "1.000 0.000 0.000 1.000",
      " 0.20 16777215 8421504 12632256 0 12615808 16777215     9    60 8388608  6.0E+0000",
      "0 1 0 0 0 0 0 0 1 1 0 0 0 1 1 -1",
      "SERIF",
      "BOLD",
      "0.2",
      "  0   0   0  0  0  0 1.000 0.000 0.000 1.000 C:\\images\\a.bmp",
      "  0   0   0  0  0  0 -1.000 0.000 0.000 1.000 ",
  });
  const ModelDocument doc = ReadOk(text);
  EXPECT_EQ(doc.release, ModelRelease::Release12);
  EXPECT_EQ(doc.twinType, 0);
  EXPECT_EQ(doc.twinTexts, kInitialTwinTexts);
  ASSERT_EQ(doc.faces.size(), 2u);
  EXPECT_EQ(doc.faces[0].textureFile, "C:\\images\\a.bmp");
  EXPECT_EQ(doc.faces[1].h, -1);
  EXPECT_FALSE(doc.hasSectorTransparency);
}

TEST(ModelReader, Release11HasNeitherTexturesNorTwinBlock) {
  const std::string text = CrLfLines({
      "Habitopia data Release 1.1",
      "0",
      "2",
      "  1.00000   1.00000   1.00000",
      " 90.00000  90.00000  90.00000",
      "0.000 0.000 1.000 1.000",
      " 0.20 16777215 8421504 12632256 0 12615808 16777215     9    60 8388608  6.0E+0000  0.20",
      "0 1 0 0 0 0 0 0 1 1 0 0 0 1 1 -1",
      "SERIF",
      "NORMAL",
      "0.2",
      "  0   0   0  0  0  0 0.000 0.000 1.000 1.000 not a texture",
      "  0   0   0  0  1  0 0.000 0.000 -1.000 1.000",
  });
  const ModelDocument doc = ReadOk(text);
  EXPECT_EQ(doc.release, ModelRelease::Release11);
  EXPECT_EQ(doc.twinType, 0);
  EXPECT_EQ(doc.twinTexts, kInitialTwinTexts);
  ASSERT_EQ(doc.faces.size(), 2u);
  EXPECT_EQ(doc.faces[0].textureFile, "");
  EXPECT_TRUE(doc.faces[1].growthSector);
  EXPECT_EQ(doc.faces[1].l, -1);
}

TEST(ModelReader, FileEndingAfterTheTwinBlockGivesOneZeroFace) {
  std::string text = Release15Sample();
  text.erase(text.find("255   0   0"));
  const ModelDocument doc = ReadOk(text);
  ASSERT_EQ(doc.faces.size(), 1u);
  EXPECT_EQ(doc.faces[0], FaceRecord{});
  EXPECT_EQ(doc.cleavageFace, -1);
}

TEST(ModelReader, BlankLinesAfterTheLastFaceAddNoFace) {
  const ModelDocument doc = ReadOk(Release15Sample() + "\r\n  \r\n");
  EXPECT_EQ(doc.faces.size(), 4u);
}

TEST(ModelReader, CleavageCodesAndFontSizeSeparators) {
  std::string text = Release15Sample();
  text.replace(text.find(" 10  20  30  1 -7"), 17, " 10  20  30  1 -1");
  text.replace(text.find("0,25"), 4, "0.2");
  ModelDocument doc = ReadOk(text);
  EXPECT_EQ(doc.cleavageFace, 3);
  EXPECT_FALSE(doc.faces[3].growthSector);
  EXPECT_FALSE(doc.showModel);
  EXPECT_FALSE(doc.projectSectors);
  EXPECT_EQ(doc.labelFontPoints, 12);
  EXPECT_EQ(doc.fontSizeText, "0.2");

  text.replace(text.find("\r\n0.2\r\n"), 7, "\r\n0,2\r\n");
  doc = ReadOk(text);
  EXPECT_EQ(doc.labelFontPoints, 12);
  EXPECT_EQ(doc.fontSizeText, "0.2");
}

// The size line converts like any text the user's locale reads: blanks around the
// number do not make it unreadable.
TEST(ModelReader, FontSizeMayCarryBlanks) {
  std::string text = Release15Sample();
  text.replace(text.find("\r\n0,25\r\n"), 8, "\r\n 0,1 \r\n");
  const ModelDocument doc = ReadOk(text);
  EXPECT_EQ(doc.labelFontPoints, 6);
}

TEST(ModelReader, TextureDirectories) {
  std::string text = Release15Sample();
  text.replace(text.find("/textures/x.gif"), 15, "x.gif");
  ModelReadOptions options;
  options.previousModelFile = "/home/user/models/quartz.mor";

  // A saved model file keeps a bare name as it is.
  EXPECT_EQ(ReadOk(text, "/home/user/other/twin.mor", options).faces[1].textureFile, "x.gif");
  // An undo snapshot places it beside the model that was open before.
  EXPECT_EQ(ReadOk(text, "/tmp/work/Habitopia.tmp.12", options).faces[1].textureFile,
            "/home/user/models/x.gif");
  // A name with a directory part stays as it is in both.
  EXPECT_EQ(ReadOk(Release15Sample(), "/tmp/work/Habitopia.tmp.12", options).faces[1].textureFile,
            "/textures/x.gif");
}

TEST(ModelReader, UnreadableNumbersNameTheirLine) {
  struct Case {
    const char* find;
    const char* replace;
    int line;
  };
  const Case cases[] = {
      {"  2.00000   4.00000", "  2.00000   4,00000", 4},  // comma in a cell length
      {"32\r\n", "3x2\r\n", 3},                           // point group
      {" 0.20 197121", " 0.20 19712.1", 8},               // colour must be an integer
      {"6.3E+0000", "6.3F+0000", 8},                      // axes length
      {"1 1 0 1 0 0 0 0 1 1", "1 1 0 1 0 0 on 0 1 1", 9},
      {"0,25", "0;25", 12},                            // label font size
      {"\r\n2\r\n(1 0 0)", "\r\ntwo\r\n(1 0 0)", 13},  // twin type
      {"-1.000 1.000 0.000 2.500", "-1.000 1.000 O.000 2.500", 20},
      {" 10  20  30  1 -7", " 10  20  30  1 -7.5", 22},  // marks are integers
  };
  for (const Case& c : cases) {
    std::string text = Release15Sample();
    const auto at = text.find(c.find);
    ASSERT_NE(at, std::string::npos) << c.find;
    text.replace(at, std::string(c.find).size(), c.replace);
    const ModelReadResult result = ParseModelText(text);
    EXPECT_FALSE(result.ok) << c.replace;
    EXPECT_EQ(result.errorLine, c.line) << result.error;
    EXPECT_EQ(result.error.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << result.error;
  }
}

TEST(ModelReader, PointGroupAndUniqueCountMustFit) {
  std::string text = Release15Sample();
  std::string badGroup = text;
  badGroup.replace(badGroup.find("\r\n32\r\n"), 6, "\r\n34\r\n");
  ModelReadResult result = ParseModelText(badGroup);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorLine, 3);

  std::string tooManyUnique = text;
  tooManyUnique.replace(tooManyUnique.find("1   rest"), 1, "302");
  result = ParseModelText(tooManyUnique);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorLine, 2);
  EXPECT_NE(result.error.find("302"), std::string::npos) << result.error;
}

TEST(ModelReader, FileEndingInsideTheHeaderIsAnError) {
  const std::string text = Release15Sample();
  std::size_t at = 0;
  for (int line = 0; line < 5; ++line) at = text.find("\r\n", at) + 2;
  const ModelReadResult result = ParseModelText(text.substr(0, at));  // lines 1..5
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorLine, 6);
  EXPECT_NE(result.error.find("ends before"), std::string::npos) << result.error;
}

std::string FileWithFaceLines(int count) {
  std::string text = Release15Sample();
  text.erase(text.find("255   0   0"));
  for (int i = 0; i < count; ++i) text += "  0   0   0  0  0  0 1.000 0.000 0.000 1.000 \r\n";
  return text;
}

TEST(ModelReader, FaceTableCapacity) {
  const ModelDocument full = ReadOk(FileWithFaceLines(kFaceSlots));
  EXPECT_EQ(full.faces.size(), static_cast<std::size_t>(kFaceSlots));

  const ModelReadResult result = ParseModelText(FileWithFaceLines(kFaceSlots + 1));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorLine, 18 + kFaceSlots + 1);  // the 303rd face line
  EXPECT_NE(result.error.find("more than 302 face lines"), std::string::npos) << result.error;
}

TEST(ModelReader, MissingFileIsReported) {
  const ModelReadResult result = ReadModelFile("/nonexistent/folder/model.mor");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorLine, 0);
  EXPECT_NE(result.error.find("/nonexistent/folder/model.mor"), std::string::npos);
}

}  // namespace
}  // namespace habitopia
