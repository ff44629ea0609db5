#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "files/cif.h"

namespace habitopia {
namespace {

// A file with every item the importer looks for.
const char* kCompleteCif =
    "data_test\n"
    "_exptl_crystal_colour 'light-red'\n"
    "_exptl_crystal_colour_lustre dull\n"
    "_cell_length_a 5.4321(3)\n"
    "_cell_length_b 6.5\n"
    "_cell_length_c 7.25(12)\n"
    "_cell_angle_alpha 90\n"
    "_cell_angle_beta 101.5(2)\n"
    "_cell_angle_gamma 90.000\n"
    "_symmetry_space_group_name_H-M 'P 1 21/c 1'\n"
    "loop_\n"
    " _exptl_crystal_face_index_h\n"
    " _exptl_crystal_face_index_k\n"
    " _exptl_crystal_face_index_l\n"
    " _exptl_crystal_face_perp_dist\n"
    "   1 0 0   0.1200\n"
    "   0 1 1   0.2500\n"
    "  -1 0 2   0.3000\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

bool HasItem(const CifImport& r, const std::string& item) {
  return std::find(r.missingItems.begin(), r.missingItems.end(), item) != r.missingItems.end();
}

TEST(CifImport, CompleteFile) {
  const CifImport r = ImportCifText(kCompleteCif);
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(r.completeness, 8);
  EXPECT_TRUE(r.missingItems.empty());
  EXPECT_EQ(r.fillColour, 8421631);
  EXPECT_TRUE(r.lustreFound);
  ASSERT_TRUE(r.transparency.has_value());
  EXPECT_EQ(*r.transparency, 0.1L);
  EXPECT_EQ(CifImport::TransparencySlider(*r.transparency), 2);
  ASSERT_TRUE(r.CellComplete());
  EXPECT_EQ(*r.cell[0], 5.4321L);
  EXPECT_EQ(*r.cell[1], 6.5L);
  EXPECT_EQ(*r.cell[2], 7.25L);
  EXPECT_EQ(*r.cell[4], 101.5L);
  EXPECT_EQ(r.CellValues(), (UnitCell{5.4321L, 6.5L, 7.25L, 90, 101.5L, 90}));
  EXPECT_EQ(r.pointGroup, 5);
  EXPECT_EQ(r.pointGroupSource, CifPointGroupSource::SpaceGroup);
  EXPECT_EQ(r.spaceGroup->number, 14);
  EXPECT_EQ(r.predictionCaption, "Shape Prediction (SG:  P 1 21/c 1 )");
  ASSERT_EQ(r.faceRows.size(), 3u);
  EXPECT_EQ(r.faceRows[0], (CifFaceRow{"1 0 0", "0.1200"}));
  EXPECT_EQ(r.faceRows[1], (CifFaceRow{"0 1 1", "0.2500"}));
  EXPECT_EQ(r.faceRows[2], (CifFaceRow{"-1 0 2", "0.3000"}));
  // CR LF and lone CR line ends read the same.
  std::string crlf, cr;
  for (char c : std::string(kCompleteCif)) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  EXPECT_EQ(ImportCifText(crlf).faceRows, r.faceRows);
  EXPECT_EQ(ImportCifText(cr).cell, r.cell);
  EXPECT_TRUE(ImportCifText(cr).Complete());
}

TEST(CifImport, CellValuesAndDecimalSeparator) {
  const auto a = [](const std::string& line, bool comma = false) {
    return ImportCifText(line + "\n", comma).cell[0];
  };
  EXPECT_EQ(a("_cell_length_a 5.4321(3)"), 5.4321L);
  EXPECT_EQ(a("_cell_length_a 5,4321"), 5.4321L);
  EXPECT_EQ(a("_cell_length_a 5.4321", true), 5.4321L);  // the point becomes a comma
  EXPECT_EQ(a("_cell_length_a 5,4321(2)", true), 5.4321L);
  EXPECT_EQ(a("_cell_length_a    12  "), 12.0L);
  // Any whitespace separates, tags are read in any case.
  EXPECT_EQ(a("  _cell_length_a\t5.4"), 5.4L);
  EXPECT_EQ(a("_CELL_Length_A\n  5.4"), 5.4L);
  EXPECT_EQ(a("_cell.length_a 5.4"), 5.4L);  // the newer dictionary's name
  EXPECT_FALSE(a("_cell_length_a .").has_value());
  // A value that does not convert is a missing item; the import goes on.
  const CifImport r =
      ImportCifText(Replace(kCompleteCif, "_cell_length_b 6.5", "_cell_length_b ?"));
  EXPECT_FALSE(r.cell[1].has_value());
  EXPECT_TRUE(r.cell[0].has_value() && r.cell[2].has_value() && r.cell[5].has_value());
  EXPECT_EQ(r.completeness, 7);
  EXPECT_FALSE(r.Complete());
  EXPECT_EQ(r.missingItems, std::vector<std::string>{"b-axis length"});
  EXPECT_EQ(r.pointGroup, 5);  // read after the bad value
  EXPECT_EQ(r.faceRows.size(), 3u);
  EXPECT_EQ(r.CellValues().b, 1.0L);  // a missing value stays as in a new cell
}

TEST(CifImport, ColourWords) {
  const auto fill = [](const std::string& line) {
    return ImportCifText("_cell_length_a 1\n" + line + "\n").fillColour;
  };
  EXPECT_EQ(fill("_exptl_crystal_colour 'light-red'"), 8421631);
  EXPECT_EQ(fill("_exptl_crystal_colour red"), 255);
  EXPECT_EQ(fill("_exptl_crystal_colour  \t 'RED and more'"), 255);
  EXPECT_EQ(fill("_exptl_crystal_colour moneygreen"), 12639424);
  EXPECT_EQ(fill("_exptl_crystal_colour intense-green"), 4259584);  // the last entry wins
  EXPECT_EQ(fill("_exptl_crystal_colour pale-blue"), 16744576);
  EXPECT_EQ(fill("_exptl_crystal_colour colourless"), 16777215);
  EXPECT_EQ(fill("_exptl_crystal_colour 'dark-brown'"), 64);
  EXPECT_FALSE(fill("_exptl_crystal_colour Light-Red").has_value());  // table is case-exact
  EXPECT_FALSE(fill("_exptl_crystal_colour 'light yellow'").has_value());
  EXPECT_FALSE(fill("_exptl_crystal_colour").has_value());
  // No colour tag: nothing set and nothing reported.
  const CifImport none = ImportCifText("_cell_length_a 1\n");
  EXPECT_FALSE(none.fillColour.has_value());
  EXPECT_FALSE(HasItem(none, "Colour"));
  // Each item is read under its own tag, in any letter case: the lustre line
  // before the colour line does not stand for it.
  const CifImport r =
      ImportCifText("_exptl_crystal_colour_lustre metallic\n_Exptl_Crystal_Colour red\n");
  EXPECT_EQ(r.fillColour, 255);
  EXPECT_EQ(r.transparency, 0.05L);
}

TEST(CifImport, Lustre) {
  const auto t = [](const std::string& line) { return ImportCifText(line + "\n").transparency; };
  EXPECT_EQ(t("_exptl_crystal_colour_lustre metallic"), 0.05L);
  EXPECT_EQ(t("_exptl_crystal_colour_lustre dull"), 0.1L);
  EXPECT_EQ(t("_exptl_crystal_colour_lustre clear"), 0.3L);
  EXPECT_EQ(t("_exptl_crystal_colour_lustre 'dull or metallic'"), 0.1L);  // tested in order
  EXPECT_EQ(t("_exptl_crystal_colour_lustre 'clear, metallic'"), 0.3L);
  const CifImport vitreous = ImportCifText("_exptl_crystal_colour_lustre vitreous\n");
  EXPECT_TRUE(vitreous.lustreFound);
  EXPECT_FALSE(vitreous.transparency.has_value());
  EXPECT_FALSE(HasItem(vitreous, "Transparency"));
  EXPECT_TRUE(HasItem(ImportCifText("_exptl_crystal_colour red\n"), "Transparency"));
  EXPECT_EQ(CifImport::TransparencySlider(0.05L), 1);
  EXPECT_EQ(CifImport::TransparencySlider(0.3L), 6);
}

TEST(CifImport, FaceLoop) {
  const std::string head =
      "data_f\nloop_\n_exptl_crystal_face_index_h\n_exptl_crystal_face_index_k\n"
      "_exptl_crystal_face_index_l\n_exptl_crystal_face_perp_dist\n";
  // Values may share lines or spread over several; unknown values are kept for the grid to judge.
  CifImport r = ImportCifText(head + "1 0 0 1.5 1 1 0\n2.0\n0 0 ? 3\n0 0 1 2,5\nloop_\n_x\n1\n");
  EXPECT_TRUE(r.faceListFound);
  ASSERT_EQ(r.faceRows.size(), 4u);
  EXPECT_EQ(r.faceRows[0], (CifFaceRow{"1 0 0", "1.5"}));
  EXPECT_EQ(r.faceRows[1], (CifFaceRow{"1 1 0", "2.0"}));
  EXPECT_EQ(r.faceRows[2], (CifFaceRow{"0 0 ?", "3"}));
  EXPECT_EQ(r.faceRows[3], (CifFaceRow{"0 0 1", "2.5"}));
  // Under a comma locale each value's first point becomes a comma.
  r = ImportCifText(head + "0.5 1 0 1.25\n", true);
  EXPECT_EQ(r.faceRows[0], (CifFaceRow{"0,5 1 0", "1,25"}));
  // Tabs separate like blanks.
  r = ImportCifText(head + "\t2\t-1\t0\t0.75\n");
  ASSERT_EQ(r.faceRows.size(), 1u);
  EXPECT_EQ(r.faceRows[0], (CifFaceRow{"2 -1 0", "0.75"}));
  // A loop whose values do not fill its last row is no CIF.
  r = ImportCifText(head + "1 0 0 1\n1 1 1\n");
  EXPECT_NE(r.syntaxError.find("Wrong number of values"), std::string::npos) << r.syntaxError;
  EXPECT_FALSE(r.faceListFound);
  // One face written as items, not as a loop.
  r = ImportCifText(
      "data_f\n_exptl_crystal_face_index_h 1\n_exptl_crystal_face_index_k 1\n"
      "_exptl_crystal_face_index_l 1\n_exptl_crystal_face_perp_dist 0.4\n");
  ASSERT_EQ(r.faceRows.size(), 1u);
  EXPECT_EQ(r.faceRows[0], (CifFaceRow{"1 1 1", "0.4"}));
  EXPECT_TRUE(HasItem(ImportCifText("_cell_length_a 1\n"), "List of Miller Indices and Distances"));
}

TEST(CifImport, SpaceGroupStatements) {
  const auto sg = [](const std::string& lines) { return ImportCifText("data_s\n" + lines + "\n"); };
  CifImport r = sg("_symmetry_space_group_name_H-M 'P 21/n 21/m 21/a'");
  EXPECT_EQ(r.pointGroup, 8);
  EXPECT_EQ(r.pointGroupSource, CifPointGroupSource::SpaceGroup);
  EXPECT_EQ(r.spaceGroup->number, 62);
  EXPECT_EQ(sg("_symmetry_space_group_name_H-M 'F 4/m -3 2/m'").pointGroup, 32);
  EXPECT_EQ(sg("_symmetry_space_group_name_H-M P121/c1").pointGroup, 5);
  // Unique axis c: the point group on the table's axes, with the axes changed.
  r = sg("_symmetry_space_group_name_H-M 'P 1 1 21/b'");
  EXPECT_EQ(r.pointGroup, 5);
  EXPECT_TRUE(r.AxesChanged());
  EXPECT_EQ(sg("_symmetry_space_group_name_H-M 'P 21 21 21'").pointGroup, 6);
  // The space group comes before the point-group tag.
  r = sg("_symmetry_space_group_name_H-M 'P 63/m m c'\n_symmetry_point_group_name_H-M '-1'");
  EXPECT_EQ(r.pointGroup, 27);
  EXPECT_EQ(r.predictionCaption, "Shape Prediction (SG:  P 63/m m c )");
  EXPECT_EQ(r.spaceGroupSymbol, "P 63/m m c");
  EXPECT_EQ(sg("_space_group_name_H-M_alt 'R -3 m :H'").pointGroup, 13);
  EXPECT_EQ(sg("_space_group_name_H-M_alt\n'P 42/m n m'").pointGroup, 20);  // value on next line
  // The number, when no symbol is recognised.
  r = sg("_space_group_IT_number 194");
  EXPECT_EQ(r.pointGroup, 27);
  EXPECT_EQ(r.spaceGroup->source, SpaceGroupSource::Number);
  EXPECT_EQ(r.spaceGroupNumber, 194);
  EXPECT_EQ(sg("_symmetry_Int_Tables_number 62").pointGroup, 8);
  EXPECT_EQ(sg("_symmetry_Int_Tables_number 231").pointGroup, 0);
  EXPECT_EQ(sg("_space_group_name_H-M_alt 'X 9'\n_space_group_IT_number 225").pointGroup, 32);
  // An unknown value under the older tag does not hide the newer one.
  r = sg("_symmetry_space_group_name_H-M ?\n_space_group_name_H-M_alt 'P 4/n c c'");
  EXPECT_EQ(r.pointGroup, 20);
  EXPECT_EQ(r.spaceGroupSymbol, "P 4/n c c");
  // The operator list outranks the Hall symbol, which outranks the symbol and the number.
  r =
      sg("_space_group_name_Hall '-P 2ybc'\n_space_group_name_H-M_alt 'P 1 21/n 1'\n"
         "_space_group_IT_number 2");
  EXPECT_EQ(r.spaceGroup->symbol, "P 1 21/c 1");
  EXPECT_EQ(r.spaceGroup->source, SpaceGroupSource::HallSymbol);
  EXPECT_FALSE(r.symmetryNotes.empty());  // the number names another group
  r =
      sg("_space_group_name_Hall '-P 2ybc'\nloop_\n_space_group_symop_operation_xyz\n"
         "x,y,z\n-x,-y,-z\n-x,y+1/2,-z+1/2\nx,-y+1/2,z+1/2\n");
  EXPECT_EQ(r.spaceGroup->symbol, "P 1 21/c 1");
  EXPECT_EQ(r.spaceGroup->source, SpaceGroupSource::OperatorList);
  // An operator list that is no group gives way to the next statement.
  r =
      sg("_space_group_name_Hall '-P 2yn'\nloop_\n_symmetry_equiv_pos_as_xyz\n"
         "x,y,z\nx,-y,-z\n-x+1/2,y+1/2,-z+1/2\nx+1/2,-y+1/2,z+1/2\n");
  EXPECT_EQ(r.spaceGroup->symbol, "P 1 21/n 1");
  EXPECT_EQ(r.spaceGroup->source, SpaceGroupSource::HallSymbol);
  // Nothing at all.
  r = ImportCifText("_cell_length_a 1\n");
  EXPECT_EQ(r.pointGroup, 0);
  EXPECT_FALSE(r.predictionCaption.has_value());
  EXPECT_TRUE(HasItem(r, "Point Group"));
}

TEST(CifImport, PointGroupTag) {
  const auto pg = [](const std::string& symbol) {
    return ImportCifText("_symmetry_point_group_name_H-M " + symbol + "\n").pointGroup;
  };
  EXPECT_EQ(pg("'22'"), 6);
  EXPECT_EQ(pg("222"), 0);
  EXPECT_EQ(pg("'2/m2/m2/m'"), 8);
  EXPECT_EQ(pg("mmm"), 0);
  EXPECT_EQ(pg("-5-32"), 33);
  EXPECT_EQ(pg("'4/m -3 2/m'"), 32);  // blanks and quotes are dropped
  for (int g = 1; g <= 33; ++g) EXPECT_EQ(pg(std::string(CifPointGroupSymbol(g))), g) << g;
}

TEST(CifImport, MissingItemsMessage) {
  const CifImport r = ImportCifText("_cell_length_a 1\n_cell_angle_beta x\n_cell_angle_gamma 90\n");
  EXPECT_EQ(r.MissingItemsMessage(),
            "Information incomplete, please edit manually:\rTransparency\rb-axis length\r"
            "c-axis length\rMetric angle alpha\rMetric angle beta\r"
            "List of Miller Indices and Distances\rPoint Group");
  EXPECT_EQ(r.completeness, 2);
  EXPECT_EQ(ImportCifText("").MissingItemsMessage("\n").substr(0, 47),
            "Information incomplete, please edit manually:\nT");
}

}  // namespace
}  // namespace habitopia
