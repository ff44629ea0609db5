// habitopia-cli wulff and info --descriptors: the model written, the descriptors
// printed, and tables refused with nothing written.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_test.h"

namespace {

using habitopia::test::CliRun;

class WulffTest : public habitopia::test::CliTest {
 protected:
  WulffTest() : CliTest("habitopia-cli-wulff") {}

  CliRun Wulff(const std::string& table, std::vector<std::string> extra = {},
               const std::string& group = "m-3m") const {
    std::vector<std::string> args = {"--cell",
                                     "3.6",
                                     "3.6",
                                     "3.6",
                                     "90",
                                     "90",
                                     "90",
                                     "--group",
                                     group,
                                     "--table",
                                     Write("gamma.tsv", table),
                                     "-o",
                                     Path("out.mor")};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run("wulff", args);
  }
  bool Written() const { return std::filesystem::exists(Path("out.mor")); }
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(WulffTest, CubicEnergiesGiveATruncatedCubeAndItsDescriptors) {
  const CliRun run = Wulff("# units: J/m^2\n1 0 0 1.0\n1 1 1 1.6\n", {"--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_TRUE(Written());
  const nlohmann::json d = nlohmann::json::parse(run.out);
  EXPECT_EQ(d["length_unit"], "J/m^2 as lengths");
  EXPECT_EQ(d["corners"], 24);
  EXPECT_EQ(d["edges"], 36);
  ASSERT_EQ(d["forms"].size(), 2u);
  EXPECT_EQ(d["forms"][0]["hkl"], "1 0 0");
  EXPECT_EQ(d["forms"][1]["faces"], 8);
  const double fractions =
      d["forms"][0]["area_fraction"].get<double>() + d["forms"][1]["area_fraction"].get<double>();
  EXPECT_NEAR(fractions, 1, 1e-12);
  EXPECT_GT(d["weighted_surface_energy"].get<double>(), 1.0);
  EXPECT_LT(d["weighted_surface_energy"].get<double>(), 1.6);
  for (const char* key : {"volume", "surface", "shape_factor", "effective_radius", "sphericity",
                          "anisotropy", "total_surface_energy", "flatness", "elongation"})
    EXPECT_TRUE(d.contains(key)) << key;
  EXPECT_EQ(d["zingg"]["class"], "equant");

  // The model file holds the table's forms as unique faces; info measures it again.
  const CliRun info = Run("info", {Path("out.mor"), "--descriptors", "--energies", "--json"});
  ASSERT_EQ(info.status, 0) << info.err;
  const nlohmann::json again = nlohmann::json::parse(info.out)["descriptors"];
  EXPECT_EQ(again["length_unit"], "model units");
  EXPECT_NEAR(again["volume"].get<double>(), d["volume"].get<double>(), 1e-12);
  EXPECT_NEAR(again["anisotropy"].get<double>(), d["anisotropy"].get<double>(), 1e-12);
}

TEST_F(WulffTest, TextReportListsTheForms) {
  const CliRun run = Wulff("1 0 0 1.0\n1 1 0 1.2\n", {"--descriptors"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "Point group 32 (4/m3), 2 forms, faces: 18\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Shape descriptors (lengths in model units)\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "  {1 0 0}           6        6")) << run.out;
  EXPECT_TRUE(Contains(run.out, "surface energy: weighted ")) << run.out;
}

TEST_F(WulffTest, BadTablesWriteNothing) {
  struct Case {
    const char* table;
    const char* message;
  };
  for (const Case& c : {
           Case{"1 0 0 1\n1 1 0\n", "gamma.tsv: line 2: expected \"h k l value\""},
           Case{"1 0 0 -1\n", "gamma.tsv: line 1: the value must be positive, not -1"},
           Case{"1 0 0 1\n0 0 1 2\n", "gamma.tsv: line 2: {0 0 1} is the form of line 1"},
           Case{"1 a 0 1\n", "gamma.tsv: line 1: \"a\" is not a number"},
       }) {
    const CliRun run = Wulff(c.table);
    EXPECT_EQ(run.status, 2) << c.table;
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    EXPECT_FALSE(Written()) << c.table;
  }
}

TEST_F(WulffTest, OpenShapeIsRefusedWithItsDirection) {
  const CliRun run = Wulff("1 0 0 1\n", {}, "4/mmm");
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "the shape stays open: no face bounds the crystal along [0 0 "))
      << run.err;
  EXPECT_FALSE(Written());
}

TEST_F(WulffTest, ACifGivesTheCellAndTheGroup) {
  const std::string cif =
      Write("rutile.cif",
            "data_rutile\n_cell_length_a 4.594\n_cell_length_b 4.594\n_cell_length_c 2.959\n"
            "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n"
            "_space_group_name_H-M_alt 'P 42/m n m'\n");
  const std::string table = Write("gamma.tsv", "1 1 0 0.31\n1 0 1 0.393\n");
  CliRun run = Run("wulff", {"--cif", cif, "--table", table, "-o", Path("out.mor"), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json d = nlohmann::json::parse(run.out);
  EXPECT_EQ(d["forms"][0]["faces"], 4);
  EXPECT_EQ(d["forms"][1]["faces"], 8);
  // The same as the cell and the space group given by hand.
  run = Run("wulff", {"--cell", "4.594", "4.594", "2.959", "90", "90", "90", "--space-group",
                      "P 42/m n m", "--table", table, "-o", Path("hand.mor"), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(nlohmann::json::parse(run.out)["volume"], d["volume"]);

  const CliRun both =
      Run("wulff", {"--cif", cif, "--group", "4/mmm", "--table", table, "-o", Path("other.mor")});
  EXPECT_EQ(both.status, 2);
  EXPECT_TRUE(Contains(both.err, "--cif gives the cell and the symmetry")) << both.err;
  const std::string noCell = Write("nocell.cif", "data_x\n_space_group_IT_number 136\n");
  const CliRun missing = Run("wulff", {"--cif", noCell, "--table", table, "-o", Path("other.mor")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(Contains(missing.err, "nocell.cif: missing a-axis length")) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(Path("other.mor")));
}

TEST_F(WulffTest, GrowthRatesAndAttachmentEnergiesSetDistances) {
  const CliRun growth = Wulff("1 0 0 2\n0 0 1 1\n", {"--kind", "growth", "--json"}, "4/mmm");
  ASSERT_EQ(growth.status, 0) << growth.err;
  const nlohmann::json g = nlohmann::json::parse(growth.out);
  EXPECT_NEAR(g["volume"].get<double>(), 4 * 4 * 2, 1e-9);
  EXPECT_FALSE(g.contains("anisotropy"));
  EXPECT_EQ(g["zingg"]["class"], "plate");

  const CliRun attachment =
      Wulff("1 0 0 -2\n0 0 1 -1\n", {"--kind", "attachment", "--json"}, "4/mmm");
  ASSERT_EQ(attachment.status, 0) << attachment.err;
  EXPECT_NEAR(nlohmann::json::parse(attachment.out)["volume"].get<double>(), 32, 1e-9);
}

}  // namespace
