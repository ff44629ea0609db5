// habitopia-cli on hostile and careless input: impossible cells, short lines,
// several CIF data blocks, a decompression bomb, huge tokens, dropped and
// discarded faces. The files are in tests/data/bad-inputs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_test.h"
#include "files/model_reader.h"
#include "support/temp_folder.h"

namespace {

using habitopia::test::CliRun;
using habitopia::test::ReadText;

std::string BadInput(const std::string& name) {
  return std::string(HABITOPIA_SOURCE_DIR) + "/tests/data/bad-inputs/" + name;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool HasNan(const std::string& text) {
  return Contains(text, "nan") || Contains(text, "NAN") || Contains(text, "NaN");
}

class HostileInput : public habitopia::test::CliTest {
 protected:
  HostileInput() : CliTest("habitopia-cli-hostile") {}
};

TEST_F(HostileInput, ModelsWithoutARealCellAreRefusedNamingTheLine) {
  for (const char* name : {"hang_zero_cell.mor", "mor_zero_cell.mor", "mor_negative_cell.mor"}) {
    const CliRun run = Run("info", {BadInput(name)});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_TRUE(Contains(run.err, "line 4: the cell lengths must be finite and greater than 0"))
        << name << ": " << run.err;
    EXPECT_EQ(run.out, "") << name;
  }
  // The same for every command that reads a model, and nothing is written.
  const CliRun scene = Run("scene", {BadInput("mor_zero_cell.mor"), "-o", Path("x.wrl")});
  EXPECT_EQ(scene.status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("x.wrl")));
}

TEST_F(HostileInput, AShortFaceLineIsAnErrorNamingIt) {
  const CliRun run = Run("info", {BadInput("mor_short_face_line.mor")});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "line 29: the line ends before the face distance")) << run.err;
}

TEST_F(HostileInput, CifCellValuesThatMakeNoCellAreMissingAndNoNanIsWritten) {
  struct Case {
    const char* file;
    const char* missing;
  };
  for (const Case& c : {Case{"cif_zero_cell.cif", "a-axis length"},
                        Case{"cif_angle180.cif", "Metric angle alpha"}}) {
    const CliRun run = Run("cif-import", {BadInput(c.file), "-o", Path("out.mor")});
    EXPECT_EQ(run.status, 1) << c.file << ": " << run.err;
    EXPECT_TRUE(Contains(run.out, std::string("please edit manually:\n") + c.missing + "\n"))
        << c.file << ": " << run.out;
    const std::string written = ReadText(Path("out.mor"));
    ASSERT_FALSE(written.empty()) << c.file;
    EXPECT_FALSE(HasNan(written)) << c.file;
    EXPECT_TRUE(habitopia::ReadModelFile(Path("out.mor")).ok) << c.file;
  }
}

TEST_F(HostileInput, OneCifBlockIsReadAndNamed) {
  // The block that states a cell and a symmetry is taken whole: its point group
  // is never combined with the faces of another block.
  CliRun run = Run("cif-import", {BadInput("cif_two_blocks.cif"), "-o", Path("second.mor")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(
      run.out, "Data block: second (the first of 2 blocks that states a cell and a symmetry)\n"))
      << run.out;
  EXPECT_TRUE(Contains(run.out, "Point group 32 (4/m-32/m)")) << run.out;
  EXPECT_TRUE(Contains(run.out, "List of Miller Indices and Distances")) << run.out;

  // The block with the faces but no symmetry, asked for by name in any case.
  run = Run("cif-import",
            {BadInput("cif_two_blocks.cif"), "--block", "FIRST", "-o", Path("first.mor")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.out, "Data block: first\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Point Group\n")) << run.out;
  EXPECT_FALSE(Contains(run.out, "Point group 32")) << run.out;

  run = Run("cif-import",
            {BadInput("cif_two_blocks.cif"), "--block", "third", "-o", Path("third.mor")});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "no data block \"third\"")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(Path("third.mor")));
}

TEST_F(HostileInput, AnUnreadableCifFaceRowMakesTheImportIncomplete) {
  const CliRun run = Run("cif-import", {BadInput("cif_face_unknown.cif"), "-o", Path("out.mor")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "face \"? ? ?\" with distance \"?\" left out")) << run.err;
}

TEST_F(HostileInput, FocalAngleZeroIsClampedToTheSlider) {
  const CliRun run = Run("scene", {BadInput("scene_focal0.mor"), "-o", Path("s.wrl")});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string scene = ReadText(Path("s.wrl"));
  // Position 2, the slider's lowest: field of view 5 / 2^2.
  EXPECT_TRUE(Contains(scene, "fieldOfView  1.250")) << scene.substr(0, 400);
  EXPECT_FALSE(Contains(scene, "INF") || Contains(scene, "inf"));
}

TEST_F(HostileInput, ADecompressionBombIsNotInflated) {
  const CliRun run = Run("extract", {BadInput("extract_gzip_bomb.wrz"), "-o", Path("out.mor")});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "inflates to more than 64 MiB")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(Path("out.mor")));
}

TEST_F(HostileInput, MessagesQuoteOnlyTheStartOfAHugeToken) {
  std::string text = ReadText(BadInput("mor_face000.mor"));
  const std::string cellLine = "  5.00000   5.00000   5.00000";
  ASSERT_NE(text.find(cellLine), std::string::npos);
  text.replace(text.find(cellLine), cellLine.size(), std::string(1 << 20, '7') + "x 5 5");
  const CliRun run = Run("info", {Write("huge.mor", text)});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "...\" is not a number (cell length a)")) << run.err.substr(0, 300);
  EXPECT_LT(run.err.size(), 300u);
}

TEST_F(HostileInput, DroppedFacesAreNamed) {
  const CliRun run = Run("info", {BadInput("mor_face000.mor")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "habitopia-cli: face 0 (0 0 0, distance 1) dropped: its indices are 0 0 0\n");
  EXPECT_TRUE(Contains(run.out, "Faces: 6\n")) << run.out;
}

TEST_F(HostileInput, WideInfoColumnsStaySeparate) {
  const CliRun run = Run("info", {BadInput("info_wide_d.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  // Every face row splits into its eight columns.
  const std::string table = run.out.substr(run.out.find(" face "));
  std::size_t rows = 0;
  for (std::size_t start = table.find('\n') + 1; start < table.size();) {
    const std::size_t end = table.find('\n', start);
    std::vector<std::string> fields;
    std::size_t i = start;
    while (i < end) {
      while (i < end && table[i] == ' ') ++i;
      const std::size_t from = i;
      while (i < end && table[i] != ' ') ++i;
      if (i > from) fields.push_back(table.substr(from, i - from));
    }
    ASSERT_EQ(fields.size(), 8u) << table.substr(start, end - start);
    EXPECT_EQ(fields[4], "1414216.391");
    ++rows;
    start = end + 1;
  }
  EXPECT_EQ(rows, 6u);
}

TEST_F(HostileInput, TheRhombohedralPredictionThatOnceOverflowedNowCloses) {
  // This prediction used to list more than 300 faces and be cut short; with the
  // far forms pruned it stays small, and a cut-short list would exit 1.
  const CliRun run =
      Run("predict", {"--cell", "3.8909", "3.8909", "19.85", "90", "90", "120", "--group-number",
                      "13", "--centring", "R", "--seed", "1", "-o", Path("p.mor")});
  EXPECT_FALSE(Contains(run.err, "More than a total of 300 faces. Command aborted")) << run.err;
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "hull closed: yes")) << run.out;
  EXPECT_TRUE(habitopia::ReadModelFile(Path("p.mor")).ok);
}

}  // namespace
