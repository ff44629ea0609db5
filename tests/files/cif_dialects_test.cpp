// Real files write CIF in many dialects; each fixture in tests/data/cif-dialects
// holds one of them.

#include <gtest/gtest.h>

#include <string>

#include "files/cif.h"

namespace habitopia {
namespace {

CifImport Read(const std::string& name, std::string_view block = {}) {
  const std::string path = std::string(HABITOPIA_SOURCE_DIR) + "/tests/data/cif-dialects/" + name;
  const CifReadResult read = ReadCifFile(path, false, block);
  EXPECT_TRUE(read.ok) << name << ": " << read.error;
  return read.import;
}

int Number(const CifImport& cif) { return cif.spaceGroup ? cif.spaceGroup->number : 0; }

TEST(CifDialects, TabsAndTagCase) {
  CifImport r = Read("tabs.cif");
  ASSERT_TRUE(r.CellComplete());
  EXPECT_EQ(r.cell[0], 6.341L);
  EXPECT_EQ(r.cell[5], 120);
  EXPECT_EQ(Number(r), 194);
  r = Read("tag_case.cif");
  ASSERT_TRUE(r.CellComplete());
  EXPECT_EQ(r.cell[2], 5.4307L);
  EXPECT_EQ(Number(r), 227);
  EXPECT_EQ(r.pointGroup, 32);
}

TEST(CifDialects, SymmetryFromTheNewerTagsAndOperatorLists) {
  CifImport r = Read("newer_tags.cif");
  EXPECT_EQ(r.spaceGroup->source, SpaceGroupSource::OperatorList);
  EXPECT_EQ(r.spaceGroup->symbol, "P n m a");
  EXPECT_TRUE(r.symmetryNotes.empty());

  // Unique axis c, from the operators alone: the model takes b' = c.
  r = Read("operators_only.cif");
  ASSERT_TRUE(r.spaceGroup);
  EXPECT_EQ(r.spaceGroup->symbol, "P 1 1 21/b");
  EXPECT_EQ(Number(r), 14);
  EXPECT_EQ(r.pointGroup, 5);
  EXPECT_EQ(r.spaceGroup->AxesText(), "a' = b, b' = c, c' = a");
  EXPECT_EQ(r.ModelCell(), (UnitCell{6, 7, 5, 90, 100, 90}));
  // The faces follow the axes: (0 0 1) of the file is (0 1 0) of the model.
  const std::vector<CifFaceRow> faces = r.ModelFaceRows();
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[0], (CifFaceRow{"0 1 0", "1.0"}));
  EXPECT_EQ(faces[1], (CifFaceRow{"0 0 1", "1.2"}));
  EXPECT_EQ(r.faceRows[0].indexText, "0 0 1");

  // Operators in no setting of the table still name their group.
  r = Read("shifted_origin.cif");
  ASSERT_TRUE(r.spaceGroup);
  EXPECT_EQ(Number(r), 19);
  EXPECT_FALSE(r.spaceGroup->tabulated);
  EXPECT_TRUE(r.spaceGroup->Absent({1, 0, 0}));
  EXPECT_FALSE(r.spaceGroup->Absent({2, 0, 0}));
  EXPECT_FALSE(r.spaceGroup->Absent({1, 1, 0}));
}

TEST(CifDialects, LegacySpellingsAndSettings) {
  CifImport r = Read("legacy_spellings.cif");
  EXPECT_EQ(r.spaceGroup->symbol, "P 1 21/n 1");
  EXPECT_EQ(r.spaceGroup->source, SpaceGroupSource::HermannMauguin);
  r = Read("rhombohedral.cif");
  EXPECT_EQ(r.spaceGroup->symbol, "R -3 c:H");
  EXPECT_FALSE(r.AxesChanged());
}

TEST(CifDialects, SeveralBlocks) {
  CifImport r = Read("several_blocks.cif");
  EXPECT_EQ(r.blockCount, 3);
  EXPECT_EQ(r.blockName, "product");
  EXPECT_EQ(Number(r), 225);
  EXPECT_EQ(r.cell[0], 8.1L);
  r = Read("several_blocks.cif", "Precursor");
  EXPECT_EQ(r.blockName, "precursor");
  EXPECT_EQ(r.cell[0], 3.9L);
  EXPECT_FALSE(r.spaceGroup);
}

TEST(CifDialects, WhatIsMissingIsNamed) {
  CifImport r = Read("no_symmetry.cif");
  EXPECT_TRUE(r.CellComplete());
  EXPECT_EQ(r.pointGroup, 0);
  EXPECT_EQ(r.missingItems.back(), "Point Group");
  r = Read("no_cell.cif");
  EXPECT_EQ(r.pointGroup, 2);
  EXPECT_FALSE(r.CellComplete());
  EXPECT_NE(r.MissingItemsMessage("\n").find("b-axis length\nc-axis length\nMetric angle alpha"),
            std::string::npos);
  // A text that is no CIF is refused with the parser's position.
  const CifImport broken = ImportCifText("data_x\n_cell_length_a '5.1\n");
  EXPECT_EQ(broken.syntaxError.rfind("line 2, column ", 0), 0u) << broken.syntaxError;
}

}  // namespace
}  // namespace habitopia
