// The file readers on careless and hostile input: cells that are no real cell,
// lines that end early, display values beyond their sliders, several CIF data
// blocks, huge tokens.

#include <gtest/gtest.h>

#include <string>

#include "files/cif.h"
#include "files/model_reader.h"
#include "files/model_samples.h"
#include "files/text_cursor.h"

namespace habitopia {
namespace {

using test::CrLfLines;

struct ModelLines {
  std::string cellLengths = "  1.00000   1.00000   1.00000";
  std::string cellAngles = " 90.00000  90.00000  90.00000";
  std::string uniqueFace = "1.000 0.000 0.000 1.000";
  std::string settings =
      " 0.20 16777215 8421504 12632256 0 12615808 16777215     9    60 8388608  6.0E+0000  0.20";
  std::string firstFace = "192 192 192  0  0  0 1.000 0.000 0.000 1.000 ";
  std::string secondFace = "192 192 192  0  0  0 -1.000 0.000 0.000 1.000 ";

  std::string Text() const {
    return CrLfLines({"Habitopia data Release 1.5", "0", "1", cellLengths, cellAngles, uniqueFace,
                      settings, "0 1 0 0 0 0 0 0 1 1 0 0 0 1 2 2", "SERIF", "BOLD", "0.2", "0", "",
                      "0 0 1", "0 0 0", "0", "0 0 0", firstFace, secondFace});
  }
};

ModelReadResult Parse(const ModelLines& lines) { return ParseModelText(lines.Text()); }

TEST(HostileModelFile, TheWellFormedSampleReads) {
  const ModelReadResult r = Parse({});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.document.faces.size(), 2u);
}

TEST(HostileModelFile, ACellThatIsNoRealCellIsRefusedNamingItsLine) {
  struct Case {
    const char* lengths;
    const char* angles;
    const char* error;
  };
  const Case cases[] = {
      {"0 5 5", nullptr, "line 4: the cell lengths must be finite and greater than 0"},
      {"-5 5 5", nullptr, "line 4: the cell lengths must be finite and greater than 0"},
      {"1e4000 1 1", nullptr,
       "line 4: the longest cell length must be at most a million times the shortest"},
      {"1e-4000 5 5", nullptr,
       "line 4: the longest cell length must be at most a million times the shortest"},
      {nullptr, "180 90 90", "line 5: the cell angles must lie strictly between 0 and 180 degrees"},
      {nullptr, "-90 90 90", "line 5: the cell angles must lie strictly between 0 and 180 degrees"},
      {nullptr, "120 120 120", "line 5: these three cell angles enclose no volume"},
  };
  for (const Case& c : cases) {
    ModelLines lines;
    if (c.lengths) lines.cellLengths = c.lengths;
    if (c.angles) lines.cellAngles = c.angles;
    const ModelReadResult r = Parse(lines);
    EXPECT_FALSE(r.ok) << c.error;
    EXPECT_EQ(r.error, c.error);
  }
}

TEST(HostileModelFile, LinesWithMissingFieldsAreErrorsNamingTheLine) {
  ModelLines lines;
  lines.firstFace = "192 192 192  0  0  0 1.000 0.000 0.000";  // no distance
  ModelReadResult r = Parse(lines);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "line 18: the line ends before the face distance");

  lines = {};
  lines.uniqueFace = "1.000 0.000 0.000";
  r = Parse(lines);
  EXPECT_EQ(r.error, "line 6: the line ends before the unique face distance");

  lines = {};
  lines.cellAngles = " 90.00000  90.00000";
  r = Parse(lines);
  EXPECT_EQ(r.error, "line 5: the line ends before the cell angle gamma");

  // The last face line may lack only what the file's end stands for: a file
  // that ends after the twin block still gives one face of zeros.
  const std::string text = ModelLines{}.Text();
  r = ParseModelText(text.substr(0, text.find("192 192 192")));
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.document.faces.size(), 1u);
  EXPECT_EQ(r.document.faces[0].distance, 0);
}

TEST(HostileModelFile, IndicesThatOverflowWhenRoundedAreOutOfRange) {
  ModelLines lines;
  lines.secondFace = "192 192 192  0  0  0 1e4931 0.000 0.000 1.000 ";
  const ModelReadResult r = Parse(lines);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "line 19: the face h is out of range");
}

TEST(HostileModelFile, DisplayValuesAreClampedToTheirSliders) {
  ModelLines lines;
  lines.settings = "-3 16777215 8421504 12632256 0 12615808 16777215 0 1000 8388608 -6.0E+0000 7";
  ModelReadResult r = Parse(lines);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.document.transparency, 0);
  EXPECT_EQ(r.document.perspectivePosition, kPerspectiveSliderMin);
  EXPECT_EQ(r.document.speedPosition, kSpeedSliderMax);
  EXPECT_EQ(r.document.axesLength, 0);
  EXPECT_EQ(r.document.sectorTransparency, 1);

  lines.settings = "5 16777215 8421504 12632256 0 12615808 16777215 99 -4 8388608 1.0E+4000 -1";
  r = Parse(lines);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.document.transparency, 1);
  EXPECT_EQ(r.document.perspectivePosition, kPerspectiveSliderMax);
  EXPECT_EQ(r.document.speedPosition, kSpeedSliderMin);
  EXPECT_EQ(r.document.axesLength, kAxesLengthMax);
  EXPECT_EQ(r.document.sectorTransparency, 0);
}

TEST(HostileModelFile, MessagesQuoteAtMostFortyCharacters) {
  ModelLines lines;
  lines.cellLengths = std::string(100000, '9') + "z 1 1";
  const ModelReadResult r = Parse(lines);
  EXPECT_EQ(r.error, "line 4: \"" + std::string(40, '9') + "...\" is not a number (cell length a)");
  EXPECT_EQ(QuotedExcerpt("short"), "\"short\"");
}

constexpr const char* kBlockOne =
    "data_one\n"
    "_cell_length_a 5.4321\n_cell_length_b 6.5\n_cell_length_c 7.25\n"
    "_cell_angle_alpha 90\n_cell_angle_beta 101.5\n_cell_angle_gamma 90\n"
    "loop_\n _exptl_crystal_face_index_h\n _exptl_crystal_face_index_k\n"
    " _exptl_crystal_face_index_l\n _exptl_crystal_face_perp_dist\n"
    "   1 0 0   0.1200\n\n";
constexpr const char* kBlockTwo =
    "data_Two\n"
    "_cell_length_a 4.0\n_cell_length_b 4.0\n_cell_length_c 4.0\n"
    "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n"
    "_symmetry_space_group_name_H-M 'F m -3 m'\n";

TEST(HostileCif, OneDataBlockIsRead) {
  const std::string text =
      std::string("data_notes\n_journal_name_full 'none'\n") + kBlockOne + kBlockTwo;
  CifImport r = ImportCifText(text);
  EXPECT_EQ(r.blockCount, 3);
  EXPECT_EQ(r.blockName, "Two");  // the first block that states a cell and a symmetry
  EXPECT_EQ(r.pointGroup, 32);
  // Without a symmetry anywhere, the first block that states a cell.
  r = ImportCifText(std::string("data_notes\n_journal_name_full 'none'\n") + kBlockOne);
  EXPECT_EQ(r.blockName, "one");
  EXPECT_EQ(r.cell[0], 5.4321L);
  EXPECT_EQ(r.pointGroup, 0);
  EXPECT_EQ(r.faceRows.size(), 1u);
  r = ImportCifText(text, false, "ONE");  // a block asked for by name, in any case
  EXPECT_EQ(r.blockName, "one");

  r = ImportCifText(text, false, "two");
  EXPECT_FALSE(r.blockMissing);
  EXPECT_EQ(r.blockName, "Two");
  EXPECT_EQ(r.cell[0], 4.0L);
  EXPECT_EQ(r.pointGroup, 32);
  EXPECT_FALSE(r.faceListFound);

  r = ImportCifText(text, false, "three");
  EXPECT_TRUE(r.blockMissing);
  EXPECT_FALSE(r.Complete());

  // Without a "data_" heading the whole text is one block without a name.
  r = ImportCifText(std::string(kBlockOne).substr(9));
  EXPECT_EQ(r.blockCount, 1);
  EXPECT_EQ(r.blockName, "");
  EXPECT_TRUE(r.CellComplete());
}

TEST(HostileCif, CellValuesThatMakeNoCellAreMissing) {
  auto import = [](const std::string& a, const std::string& alpha, const std::string& beta) {
    return ImportCifText("_cell_length_a " + a + "\n_cell_length_b 6.5\n_cell_length_c 7.25\n" +
                         "_cell_angle_alpha " + alpha + "\n_cell_angle_beta " + beta +
                         "\n_cell_angle_gamma 120\n");
  };
  CifImport r = import("0", "90", "90");
  EXPECT_FALSE(r.cell[0]);
  EXPECT_EQ(r.missingItems[1], "a-axis length");
  EXPECT_TRUE(r.cell[1] && r.cell[3]);

  r = import("-2(1)", "180", "90");
  EXPECT_FALSE(r.cell[0]);
  EXPECT_FALSE(r.cell[3]);
  EXPECT_TRUE(r.cell[4] && r.cell[5]);

  // Each angle valid, the three together flat: all three are missing.
  r = import("5", "120", "120");
  EXPECT_TRUE(r.cell[0]);
  EXPECT_FALSE(r.cell[3] || r.cell[4] || r.cell[5]);
  EXPECT_EQ(r.completeness, 3);
  const UnitCell c = r.CellValues();
  EXPECT_EQ(c.alpha, 90);
  EXPECT_EQ(c.gamma, 90);
}

}  // namespace
}  // namespace habitopia
