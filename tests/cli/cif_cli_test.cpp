// habitopia-cli cif-import, cif-export and angle: runs the program on small files
// and checks the files it writes, what it prints and its exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/cli_test.h"
#include "files/cif.h"
#include "files/model_reader.h"

namespace habitopia {
namespace {

using test::CliRun;

// Hexagonal axes, the space group by its short symbol only.
const char* kQuartzCif =
    "data_quartz\n"
    "_exptl_crystal_colour 'light-yellow'\n"
    "_exptl_crystal_colour_lustre metallic\n"
    "_cell_length_a 4.9134(2)\n"
    "_cell_length_b 4.9134(2)\n"
    "_cell_length_c 5.4052(3)\n"
    "_cell_angle_alpha 90\n"
    "_cell_angle_beta 90\n"
    "_cell_angle_gamma 120\n"
    "_space_group_name_H-M_alt 'P 32 2 1'\n"
    "_space_group_IT_number 154\n"
    "loop_\n"
    " _exptl_crystal_face_index_h\n"
    " _exptl_crystal_face_index_k\n"
    " _exptl_crystal_face_index_l\n"
    " _exptl_crystal_face_perp_dist\n"
    "  1 0 0 1.0\n"
    "  1 0 1 1.2\n"
    "  0 1 1 1.35\n";

const char* kCubeCif =
    "data_cube\n"
    "_exptl_crystal_colour Silver\n"
    "_exptl_crystal_colour_lustre dull\n"
    "_cell_length_a 3\n_cell_length_b 3\n_cell_length_c 3\n"
    "_cell_angle_alpha 90\n_cell_angle_beta 90\n_cell_angle_gamma 90\n"
    "_symmetry_point_group_name_H-M 4/m-32/m\n"
    "loop_\n_exptl_crystal_face_index_h\n_exptl_crystal_face_index_k\n"
    "_exptl_crystal_face_index_l\n_exptl_crystal_face_perp_dist\n"
    "1 0 0 1\n";

class CifCliTest : public test::CliTest {
 protected:
  CifCliTest() : CliTest("habitopia-cli-cif") {}

  // Face-table index of the face with these indices, -1 when there is none.
  static int FaceIndex(const ModelDocument& doc, Real h, Real k, Real l) {
    for (std::size_t f = 0; f < doc.faces.size(); ++f)
      if (doc.faces[f].h == h && doc.faces[f].k == k && doc.faces[f].l == l)
        return static_cast<int>(f);
    return -1;
  }
};

TEST_F(CifCliTest, ImportExportAndImportAgain) {
  const std::string cif = Write("quartz.cif", kQuartzCif);
  CliRun run = Run({"cif-import", cif, "-o", Path("a.mor")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("Point group 10 (32)"), std::string::npos) << run.out;

  const ModelReadResult a = ReadModelFile(Path("a.mor"));
  ASSERT_TRUE(a.ok) << a.error;
  EXPECT_EQ(a.document.pointGroup, 10);
  EXPECT_EQ(a.document.cell, (UnitCell{4.9134L, 4.9134L, 5.4052L, 90, 90, 120}));
  ASSERT_EQ(a.document.uniqueFaces.size(), 3u);
  EXPECT_EQ(a.document.uniqueFaces[2], (UniqueFaceLine{0, 1, 1, 1.35L}));
  EXPECT_EQ(a.document.faces.size(), 18u);  // three forms of six faces in "32"
  EXPECT_EQ(ColourValue(a.document.fillColour), 8454143);
  EXPECT_EQ(a.document.transparency, 0.05L);

  run = Run({"cif-export", Path("a.mor"), "-o", Path("b.cif")});
  ASSERT_EQ(run.status, 0) << run.err;
  const CifImport back = ImportCifText(ReadText(Path("b.cif")));
  EXPECT_TRUE(back.Complete()) << back.MissingItemsMessage("\n");
  EXPECT_EQ(back.pointGroup, 10);
  EXPECT_EQ(back.CellValues(), a.document.cell);
  ASSERT_EQ(back.faceRows.size(), 3u);
  EXPECT_EQ(back.faceRows[1], (CifFaceRow{"1 0 1", "1.2000"}));
  EXPECT_EQ(back.faceRows[2], (CifFaceRow{"0 1 1", "1.3500"}));
  EXPECT_EQ(back.fillColour, 8454143);

  // The exported file imports to the same model.
  run = Run({"cif-import", Path("b.cif"), "-o", Path("c.mor")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(ReadText(Path("c.mor")), ReadText(Path("a.mor")));

  // Every face instead of the unique ones.
  run = Run({"cif-export", Path("a.mor"), "--all-faces", "-o", Path("all.cif")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ImportCifText(ReadText(Path("all.cif"))).faceRows.size(), 18u);
}

TEST_F(CifCliTest, IncompleteImportListsTheMissingItems) {
  std::string text = kQuartzCif;
  text.replace(text.find("_cell_length_b 4.9134(2)"), 24, "_cell_length_b ?");
  text.erase(text.find("_exptl_crystal_colour_lustre metallic\n"), 38);
  const std::string cif = Write("bad.cif", text);
  const CliRun run = Run({"cif-import", cif, "-o", Path("bad.mor")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("Information incomplete, please edit manually:\nTransparency\n"
                         "b-axis length\n"),
            std::string::npos)
      << run.out;
  EXPECT_TRUE(ReadModelFile(Path("bad.mor")).ok);  // what was found is kept

  // Nothing but a face list.
  const CliRun bare =
      Run({"cif-import",
           Write("bare.cif",
                 "loop_\n_exptl_crystal_face_index_h\n_exptl_crystal_face_index_k\n"
                 "_exptl_crystal_face_index_l\n_exptl_crystal_face_perp_dist\n1 0 0 1\n"),
           "-o", Path("bare.mor")});
  EXPECT_EQ(bare.status, 1);
  EXPECT_NE(bare.out.find("Point Group"), std::string::npos);
}

TEST_F(CifCliTest, PredictionNamesTheSettingAndGivesFacesOnTheFilesAxes) {
  const std::string cif =
      std::string(HABITOPIA_SOURCE_DIR) + "/tests/data/cif-dialects/operators_only.cif";
  const CliRun model = Run({"predict", "--cif", cif, "-o", Path("m.mor"), "--hkl-max", "1"});
  ASSERT_EQ(model.status, 0) << model.err;
  EXPECT_NE(model.out.find("Setting read: P 1 1 21/b (No. 14) from the operator list\n"
                           "Axes of the point group: a' = b, b' = c, c' = a\n"),
            std::string::npos)
      << model.out;
  EXPECT_NE(model.out.find("cell 6 7 5 90 100 90"), std::string::npos) << model.out;
  EXPECT_NE(model.out.find("\n  -1 -1 0  1.329\n"), std::string::npos) << model.out;
  // The same faces on the file's axes: (h k l)' = (k l h).
  const CliRun file =
      Run({"predict", "--cif", cif, "-o", Path("f.mor"), "--hkl-max", "1", "--file-axes"});
  ASSERT_EQ(file.status, 0) << file.err;
  EXPECT_NE(file.out.find("(indices on the file's axes)\n  0 -1 -1  1.329\n"), std::string::npos)
      << file.out;
  EXPECT_EQ(ReadText(Path("f.mor")), ReadText(Path("m.mor")));  // the model keeps its axes
  EXPECT_EQ(Run({"predict", "--cell", "1", "1", "1", "90", "90", "90", "--group", "1", "-o",
                 Path("x.mor"), "--file-axes"})
                .status,
            2);
}

TEST_F(CifCliTest, BadInputAndFailedWrites) {
  const std::string cif = Write("q.cif", kQuartzCif);
  CliRun run = Run({"cif-import", Path("none.cif"), "-o", Path("x.mor")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("File not Found"), std::string::npos);
  EXPECT_EQ(Run({"cif-import", cif}).status, 2);        // no -o
  EXPECT_EQ(Run({"cif-import", cif, "-o"}).status, 2);  // no file after -o
  EXPECT_EQ(Run({"cif-import", cif, "--frobnicate", "-o", Path("x.mor")}).status, 2);
  EXPECT_EQ(Run({"cif-export", cif, "-o", Path("x.cif")}).status, 2);  // not a model file
  run = Run({"cif-import", cif, "-o", Path("missing/x.mor")});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  ASSERT_EQ(Run({"cif-import", cif, "-o", Path("q.mor")}).status, 0);
  run = Run({"cif-export", Path("q.mor"), "-o", Folder()});  // a folder
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("x.mor")));
}

TEST_F(CifCliTest, UnnamedColourIsExportedAsClear) {
  ASSERT_EQ(Run({"cif-import", Write("q.cif", kQuartzCif), "-o", Path("q.mor")}).status, 0);
  std::string model = ReadText(Path("q.mor"));
  const auto at = model.find(" 8454143 ");  // the fill colour on the settings line
  ASSERT_NE(at, std::string::npos);
  model.replace(at, 9, " 1234567 ");
  Write("q.mor", model);
  const CliRun run = Run({"cif-export", Path("q.mor"), "-o", Path("q.cif")});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("The selected color has no name"), std::string::npos);
  EXPECT_NE(ReadText(Path("q.cif")).find("_exptl_crystal_colour                 clear\r\n"),
            std::string::npos);
}

TEST_F(CifCliTest, AngleAndCommonEdge) {
  ASSERT_EQ(Run({"cif-import", Write("cube.cif", kCubeCif), "-o", Path("cube.mor")}).status, 0);
  const ModelReadResult cube = ReadModelFile(Path("cube.mor"));
  ASSERT_TRUE(cube.ok);
  ASSERT_EQ(cube.document.faces.size(), 6u);
  const std::string x = std::to_string(FaceIndex(cube.document, 1, 0, 0));
  const std::string y = std::to_string(FaceIndex(cube.document, 0, 1, 0));
  const std::string minusX = std::to_string(FaceIndex(cube.document, -1, 0, 0));

  CliRun run = Run({"angle", Path("cube.mor"), x, y});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "face " + x + ": 1 0 0\nface " + y + ": 0 1 0\n90 Degrees\nCommon Edge length = 2\n");
  run = Run({"angle", Path("cube.mor"), x, minusX});
  EXPECT_EQ(run.out,
            "face " + x + ": 1 0 0\nface " + minusX + ": -1 0 0\n180 Degrees\nNo Common Edge\n");
  run = Run({"angle", Path("cube.mor"), x, x});  // the edge step is skipped
  EXPECT_EQ(run.out, "face " + x + ": 1 0 0\nface " + x + ": 1 0 0\n0 Degrees\n");

  EXPECT_EQ(Run({"angle", Path("cube.mor"), x, "6"}).status, 2);
  EXPECT_EQ(Run({"angle", Path("cube.mor"), x, "-1"}).status, 2);
  EXPECT_EQ(Run({"angle", Path("cube.mor"), x}).status, 2);

  // One form of a triclinic crystal leaves the hull open.
  std::string open = kCubeCif;
  open.replace(open.find("4/m-32/m"), 8, "1");
  ASSERT_EQ(Run({"cif-import", Write("open.cif", open), "-o", Path("open.mor")}).status, 0);
  run = Run({"angle", Path("open.mor"), "0", "0"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Hull is not closed"), std::string::npos);
}

}  // namespace
}  // namespace habitopia
