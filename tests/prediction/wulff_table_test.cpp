#include "prediction/wulff_table.h"

#include <gtest/gtest.h>

#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

int Group(const char* symbol) { return FindPointGroup(symbol); }

WulffTableError ErrorOf(std::string_view text, WulffKind kind = WulffKind::Energy,
                        const char* group = "4/m3") {
  const auto read = ReadWulffTable(text, kind, Group(group));
  if (const auto* error = std::get_if<WulffTableError>(&read)) return *error;
  ADD_FAILURE() << "the table was accepted:\n" << text;
  return {};
}

TEST(WulffTable, ReadsRowsCommentsAndTheUnit) {
  const auto read = ReadWulffTable(
      "# Cu, from slab calculations\n# units: J/m^2\n\n1 0 0  1.47\n1 1 0\t1.56 # rough\n"
      "  2 2 2  1.30\n",
      WulffKind::Energy, Group("4/m3"));
  ASSERT_TRUE(std::holds_alternative<WulffTable>(read));
  const WulffTable& table = std::get<WulffTable>(read);
  EXPECT_EQ(table.unit, "J/m^2");
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[1].line, 5);
  EXPECT_EQ(table.rows[2].indices, (Vec3{1, 1, 1}));  // reduced as the face grid reduces
  const FaceRows rows = WulffUniqueRows(table, WulffKind::Energy);
  EXPECT_EQ(rows[0], (FaceRow{"1 0 0", "1.47"}));
  EXPECT_EQ(rows[2], (FaceRow{"1 1 1", "1.3"}));
}

TEST(WulffTable, FourIndexRowsAndAttachmentMagnitudes) {
  const auto read =
      ReadWulffTable("1 0 -1 0 -120.5\n0 0 0 1 -80\n", WulffKind::Attachment, Group("6/mm"));
  ASSERT_TRUE(std::holds_alternative<WulffTable>(read));
  const WulffTable& table = std::get<WulffTable>(read);
  EXPECT_EQ(table.rows[0].indices, (Vec3{1, 0, 0}));
  EXPECT_EQ(table.rows[1].indices, (Vec3{0, 0, 1}));
  EXPECT_EQ(WulffDistance(table.rows[0], WulffKind::Attachment), 120.5L);
  EXPECT_EQ(WulffUniqueRows(table, WulffKind::Attachment)[1].distance, "80");
}

TEST(WulffTable, PolarPairIsTwoFormsOnlyInAPolarGroup) {
  const char* pair = "0 0 1 1.0\n0 0 -1 2.0\n";
  EXPECT_TRUE(
      std::holds_alternative<WulffTable>(ReadWulffTable(pair, WulffKind::Energy, Group("6m"))));
  const WulffTableError error = ErrorOf(pair, WulffKind::Energy, "6/mm");
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.Text(), "line 2: {0 0 -1} is the form of line 1 (0 0 1)");
}

TEST(WulffTable, BadRowsAreRefusedWithTheirLineAndReason) {
  EXPECT_EQ(ErrorOf("1 0 0 1\n1 1 0\n").Text(),
            "line 2: expected \"h k l value\" (or \"h k i l value\"), found 3 columns");
  EXPECT_EQ(ErrorOf("1 0 0 1\n1 1 x 2\n").Text(), "line 2: \"x\" is not a number");
  EXPECT_EQ(ErrorOf("1 0.5 0 1\n").Text(),
            "line 1: the indices of a form are integers, not \"0.5\"");
  EXPECT_EQ(ErrorOf("0 0 0 1\n").Text(), "line 1: 0 0 0 is not a form");
  EXPECT_EQ(ErrorOf("1 0 0 0\n").Text(), "line 1: the value must be positive, not 0");
  EXPECT_EQ(ErrorOf("# c\n1 0 0 -1.5\n").Text(), "line 2: the value must be positive, not -1.5");
  EXPECT_EQ(ErrorOf("1 0 0 0\n", WulffKind::Attachment).Text(),
            "line 1: an attachment energy of 0 gives no distance");
  EXPECT_EQ(ErrorOf("1 0 0 1\n0 1 0 2\n").Text(), "line 2: {0 1 0} is the form of line 1 (1 0 0)");
  EXPECT_EQ(ErrorOf("1 0 1 0 1\n", WulffKind::Energy, "6/mm").Text(),
            "line 1: in h k i l, i must be -(h + k)");
  EXPECT_EQ(ErrorOf("# nothing here\n\n").Text(), "the table has no rows");
}

TEST(WulffTable, KindNames) {
  EXPECT_EQ(ParseWulffKind("energy"), WulffKind::Energy);
  EXPECT_EQ(ParseWulffKind("growth"), WulffKind::Growth);
  EXPECT_EQ(ParseWulffKind("attachment"), WulffKind::Attachment);
  EXPECT_FALSE(ParseWulffKind("Energy").has_value());
}

}  // namespace
}  // namespace habitopia
