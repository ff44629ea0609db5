#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/cif.h"

namespace habitopia {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

CifExport Sample() {
  CifExport d;
  d.blockName = "quartz";
  d.colourWord = "Silver";
  d.transparency = 0.2L;
  d.cell = {4.9134L, 4.9134L, 5.4052L, 90, 90, 120};
  d.pointGroup = 10;
  d.faces = {{"1 0 0", 1}, {"1 0 1", 1.25L}, {"0 1 -1", 0.8765L}, {"-1 -1 2.5", 12.5L}};
  return d;
}

TEST(CifExport, LineForLine) {
  const std::vector<std::string> lines = Lines(FormatCifText(Sample()));
  const std::vector<std::string> expected = {
      "data_quartz",
      "_exptl_crystal_colour                Silver",
      "_exptl_crystal_colour_lustre          clear",
      "_cell_length_a                      4.91340",
      "_cell_length_b                      4.91340",
      "_cell_length_c                      5.40520",
      "_cell_angle_alpha                  90.00000",
      "_cell_angle_beta                   90.00000",
      "_cell_angle_gamma                 120.00000",
      "_symmetry_point_group_name_H-M           32",
      "loop_",
      " _exptl_crystal_face_index_h",
      " _exptl_crystal_face_index_k",
      " _exptl_crystal_face_index_l",
      " _exptl_crystal_face_perp_dist",
      "     1 0 0     1.0000",
      "     1 0 1     1.2500",
      "    0 1 -1     0.8765",
      " -1 -1 2.5    12.5000",
      " ",
  };
  EXPECT_EQ(lines, expected);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(lines[i].size(), 43u) << lines[i];
}

TEST(CifExport, ValuesWiderThanTheirFields) {
  CifExport d = Sample();
  d.colourWord = "a-very-long-colour-word-indeed";
  d.cell.a = -2e22L;
  d.faces = {{"-10 -11 -12.5", 1000000}, {"", 2}};
  const std::vector<std::string> lines = Lines(FormatCifText(d));
  EXPECT_EQ(lines[1], "_exptl_crystal_colour a-very-long-colour-word-indeed");
  EXPECT_EQ(lines[3], "_cell_length_a-20000000000000000000000.00000");
  EXPECT_EQ(lines[15], "-10 -11 -12.5 1000000.0000");
  EXPECT_EQ(lines[16], " ");  // the row without indices is left out
  d.colourWord.clear();
  EXPECT_EQ(Lines(FormatCifText(d))[1], "_exptl_crystal_colour                 clear");
}

TEST(CifExport, PointGroupSymbols) {
  CifExport d = Sample();
  d.pointGroup = 6;
  EXPECT_EQ(Lines(FormatCifText(d))[9], "_symmetry_point_group_name_H-M           22");
  d.pointGroup = 32;
  EXPECT_EQ(Lines(FormatCifText(d))[9], "_symmetry_point_group_name_H-M     4/m-32/m");
}

TEST(CifExport, ColourAndLustreWords) {
  EXPECT_EQ(CifColourWord(12632256), "Silver");
  EXPECT_EQ(CifColourWord(16777215), "White");  // a standard name before "colorless"
  EXPECT_EQ(CifColourWord(8421631), "light-red");
  EXPECT_EQ(CifColourWord(4194368), "dark-pink");  // entries 27 and 31: the last one
  EXPECT_EQ(CifColourWord(65408), "intense-green");
  EXPECT_EQ(CifColourWord(64), "dark-brown");
  EXPECT_FALSE(CifColourWord(12345).has_value());
  for (const NamedColour& c : kStandardColours) {
    ASSERT_TRUE(CifColourWord(c.value).has_value());
    EXPECT_EQ(CifColourValue(*CifColourWord(c.value)), c.value) << c.name;
  }
  // The table holds some words twice; their first value comes back as the last.
  EXPECT_EQ(CifColourValue(*CifColourWord(65408)), 4259584);

  EXPECT_EQ(CifLustreWord(0), "metallic");
  EXPECT_EQ(CifLustreWord(0.05L), "metallic");
  EXPECT_EQ(CifLustreWord(0.06L), "dull");
  EXPECT_EQ(CifLustreWord(0.0999L), "dull");
  EXPECT_EQ(CifLustreWord(0.1L), "clear");  // as a "dull" import sets it
  EXPECT_EQ(CifLustreWord(0.3L), "clear");
}

TEST(CifExport, ReadBackGivesTheSameCrystal) {
  for (int group = 1; group <= 33; ++group) {
    CifExport d = Sample();
    d.pointGroup = group;
    d.colourWord = *CifColourWord(8421631);
    d.transparency = 0.05L;
    const CifImport r = ImportCifText(FormatCifText(d));
    EXPECT_TRUE(r.Complete()) << group;
    EXPECT_TRUE(r.missingItems.empty()) << r.MissingItemsMessage("\n");
    EXPECT_EQ(r.pointGroup, group);
    EXPECT_EQ(r.CellValues(), d.cell);
    EXPECT_EQ(r.fillColour, 8421631);
    EXPECT_EQ(r.transparency, 0.05L);
    ASSERT_EQ(r.faceRows.size(), d.faces.size());
    for (std::size_t i = 0; i < d.faces.size(); ++i) {
      EXPECT_EQ(r.faceRows[i].indexText, d.faces[i].indexText);
      long double distance = 0;
      ASSERT_TRUE(ParseReal(r.faceRows[i].distanceText, distance));
      EXPECT_EQ(Round3(distance), Round3(d.faces[i].distance));
    }
  }
}

}  // namespace
}  // namespace habitopia
