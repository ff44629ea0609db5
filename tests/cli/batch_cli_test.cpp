// habitopia-cli batch and batch-merge: one row per structure in input order, the
// same rows whatever the threads and shards, resumed runs equal whole ones, and
// bad files get their row without stopping the run.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_test.h"

namespace {

namespace fs = std::filesystem;
using habitopia::test::CliRun;

std::string Structure(const std::string& block, const std::string& cell,
                      const std::string& symmetry) {
  return "data_" + block + "\n" + cell + symmetry + "\n";
}

const std::string kCubicCell =
    "_cell_length_a 5.64\n_cell_length_b 5.64\n_cell_length_c 5.64\n"
    "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n";
const std::string kHexagonalCell =
    "_cell_length_a\t4.76\n_cell_length_b\t4.76\n_cell_length_c\t12.99\n"
    "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 120\n";

class BatchTest : public habitopia::test::CliTest {
 protected:
  BatchTest() : CliTest("habitopia-cli-batch") {}

  void SetUp() override {
    CliTest::SetUp();
    fs::create_directories(Path("cifs/more"));
    Write("cifs/nacl.cif", Structure("nacl", kCubicCell, "_space_group_IT_number 225\n"));
    Write("cifs/corundum.cif",
          Structure("corundum", kHexagonalCell, "_symmetry_space_group_name_H-M 'R -3 c'\n"));
    Write("cifs/more/two.cif",
          Structure("first", kCubicCell, "_space_group_name_H-M_alt 'F d -3 m'\n") +
              Structure("second", kHexagonalCell, "_space_group_name_Hall '-P 6c 2c'\n"));
    Write("cifs/more/nocell.cif", "data_x\n_space_group_IT_number 14\n");
    Write("cifs/more/broken.cif", "data_y\n_cell_length_a 'unterminated\n");
    Write("cifs/notes.txt", "not a structure file\n");
  }

  CliRun Batch(std::vector<std::string> args) const { return Run("batch", std::move(args)); }
  std::vector<nlohmann::json> Rows(const std::string& path) const {
    std::vector<nlohmann::json> rows;
    std::istringstream in(ReadText(path));
    for (std::string line; std::getline(in, line);) rows.push_back(nlohmann::json::parse(line));
    return rows;
  }
};

TEST_F(BatchTest, EveryStructureGetsARowInInputOrderAndBadFilesTheirReason) {
  const CliRun run = Batch({Path("cifs"), "-o", Path("out.jsonl"), "--jobs", "2"});
  EXPECT_EQ(run.status, 2) << run.err;  // two files refused
  const std::vector<nlohmann::json> rows = Rows(Path("out.jsonl"));
  ASSERT_EQ(rows.size(), 6u);
  std::vector<std::string> seen;
  for (const auto& row : rows)
    seen.push_back(fs::path(row["file"].get<std::string>()).filename().string() + ":" +
                   row["block"].get<std::string>() + ":" + row["status"].get<std::string>());
  EXPECT_EQ(seen, (std::vector<std::string>{"corundum.cif:corundum:ok", "broken.cif::refused",
                                            "nocell.cif:x:refused", "two.cif:first:ok",
                                            "two.cif:second:ok", "nacl.cif:nacl:ok"}));
  EXPECT_EQ(rows[0]["space_group"]["number"], 167);
  EXPECT_EQ(rows[3]["space_group"]["number"], 227);
  EXPECT_EQ(rows[4]["space_group"]["number"], 194);
  EXPECT_NE(rows[2]["message"].get<std::string>().find("missing"), std::string::npos);
  EXPECT_NE(rows[1]["message"].get<std::string>().find("no CIF"), std::string::npos);
  const auto& nacl = rows[5]["descriptors"];
  EXPECT_TRUE(nacl["closed"].get<bool>());
  // F centring: the octahedron {1 1 1} comes before {2 0 0}, and dominates.
  EXPECT_EQ(nacl["forms"][0]["faces"], 8);
  EXPECT_GT(nacl["forms"][0]["area_fraction"].get<double>(), 0.5);
}

TEST_F(BatchTest, RowsGiveTheFormsOfPredictOneFileAtATime) {
  ASSERT_EQ(Batch({Path("cifs/nacl.cif"), Path("cifs/corundum.cif"), "-o", Path("out.jsonl"),
                   "--keep-models", Path("models")})
                .status,
            0);
  for (const auto& row : Rows(Path("out.jsonl"))) {
    const std::string file = row["file"].get<std::string>();
    const CliRun single =
        Run("predict", {"--cif", file, "-o", Path("single.mor"), "--hkl-max", "2"});
    ASSERT_EQ(single.status, 0) << single.err;
    const CliRun info = Run("info", {Path("single.mor"), "--descriptors", "--json"});
    const nlohmann::json expected = nlohmann::json::parse(info.out)["descriptors"];
    EXPECT_EQ(row["descriptors"]["forms"], expected["forms"]) << file;
    EXPECT_EQ(row["descriptors"]["volume"], expected["volume"]) << file;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("models")), fs::directory_iterator()), 2);
}

TEST_F(BatchTest, ThreadsShardsAndResumesGiveTheSameBytes) {
  for (const char* name : {"out.jsonl", "out.csv"}) {
    const std::string whole = Path(std::string("one-") + name);
    Batch({Path("cifs"), "-o", whole, "--jobs", "1"});
    const std::string text = ReadText(whole);
    Batch({Path("cifs"), "-o", Path(std::string("two-") + name), "--jobs", "2"});
    EXPECT_EQ(ReadText(Path(std::string("two-") + name)), text) << name;

    const std::string a = Path(std::string("a-") + name), b = Path(std::string("b-") + name);
    Batch({Path("cifs"), "-o", a, "--shard", "1/2"});
    Batch({Path("cifs"), "-o", b, "--shard", "2/2"});
    EXPECT_NE(ReadText(a), text);
    const std::string merged = Path(std::string("merged-") + name);
    ASSERT_EQ(Run("batch-merge", {b, a, "-o", merged}).status, 0);
    EXPECT_EQ(ReadText(merged), text) << name;

    // A run stopped in the middle of a row: the resumed file is the whole one.
    const std::string cut = Path(std::string("cut-") + name);
    const std::size_t at = text.find('\n', text.find('\n') + 1) + 7;
    Write(std::string("cut-") + name, text.substr(0, at));
    Batch({Path("cifs"), "-o", cut, "--resume", "--jobs", "2"});
    EXPECT_EQ(ReadText(cut), text) << name;
  }
}

TEST_F(BatchTest, ListsGzipAndBadArguments) {
  const std::string plain = ReadText(Path("cifs/nacl.cif"));
  ASSERT_EQ(std::system(("gzip -k " + Path("cifs/nacl.cif") + " && mv " + Path("cifs/nacl.cif.gz") +
                         " " + Path("packed.cif.gz"))
                            .c_str()),
            0);
  Write("list.txt", "# structures\npacked.cif.gz\n\ncifs/corundum.cif\n");
  const CliRun run = Batch({"@" + Path("list.txt"), "-o", Path("out.jsonl")});
  EXPECT_EQ(run.status, 0) << run.err;
  const auto rows = Rows(Path("out.jsonl"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1]["block"], "nacl");
  EXPECT_EQ(rows[1]["status"], "ok");

  EXPECT_EQ(Batch({Path("nothing-here"), "-o", Path("x.jsonl")}).status, 125);
  EXPECT_EQ(Batch({Path("cifs"), "-o", Path("x.jsonl"), "--shard", "3/2"}).status, 125);
  EXPECT_EQ(Batch({Path("cifs")}).status, 125);
}

}  // namespace
