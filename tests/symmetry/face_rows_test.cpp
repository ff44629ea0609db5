#include "symmetry/face_rows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace habitopia {
namespace {

Vec3 Parse(std::string_view text, Vec3 start = {7, 8, 9}, BadIndexToken bad = BadIndexToken::Stop,
           bool* ok = nullptr) {
  const bool result = ParseIndexText(text, start, bad);
  if (ok) *ok = result;
  return start;
}

TEST(IndexTextTest, ReductionByTheSmallestIndex) {
  EXPECT_EQ(Parse("2 4 6"), (Vec3{1, 2, 3}));
  EXPECT_EQ(Parse("2 2 0"), (Vec3{1, 1, 0}));
  EXPECT_EQ(Parse("3 0 6"), (Vec3{1, 0, 2}));
  EXPECT_EQ(Parse("4 6 0"), (Vec3{4, 6, 0}));
  EXPECT_EQ(Parse("1.5 3 0"), (Vec3{1, 2, 0}));
  EXPECT_EQ(Parse("-2 0 4"), (Vec3{-1, 0, 2}));
  EXPECT_EQ(Parse("0 0 0"), (Vec3{0, 0, 0}));
  EXPECT_EQ(Parse("0 0 -5"), (Vec3{0, 0, -1}));
  EXPECT_EQ(ReduceIndices({0.5L, 1, 0}), (Vec3{1, 2, 0}));
  EXPECT_EQ(ReduceIndices({0.309L, 0.5L, 0.809L}), (Vec3{0.309L, 0.5L, 0.809L}));
}

TEST(IndexTextTest, TokensBlanksAndMissingValues) {
  EXPECT_EQ(Parse("1  -1   0"), (Vec3{1, -1, 0}));  // runs of blanks are skipped
  EXPECT_EQ(Parse(" 1 2 3 "), (Vec3{1, 2, 3}));
  EXPECT_EQ(Parse("1 2 3 4"), (Vec3{1, 2, 3}));  // at most three are read
  EXPECT_EQ(Parse("1 2 3 x"), (Vec3{1, 2, 3}));  // the fourth is never converted
  // Missing values keep the previous ones, and the result is then reduced.
  EXPECT_EQ(Parse("2", {0, 4, 6}), (Vec3{1, 2, 3}));
  EXPECT_EQ(Parse("", {2, 4, 8}), (Vec3{1, 2, 4}));
  EXPECT_EQ(Parse("5 1", {9, 9, 0}), (Vec3{5, 1, 0}));
}

TEST(IndexTextTest, RoundingThroughAnInteger) {
  const Vec3 v = Parse("0.30949 -0.0004 1");
  EXPECT_EQ(v[0], 0.309L);
  EXPECT_EQ(v[1], 0);
  EXPECT_FALSE(std::signbit(v[1]));  // -0 became 0
  EXPECT_EQ(RoundIndex(-0.0L), 0);
  EXPECT_FALSE(std::signbit(RoundIndex(-0.0L)));
  EXPECT_EQ(RoundIndex(0.0125L), 0.012L);  // half to even
  EXPECT_EQ(RoundIndex(0.0135L), 0.014L);
  EXPECT_EQ(IndexText({-0.0L, 1, -1}), "0 1 -1");
  EXPECT_EQ(IndexText({0.309L, -0.5L, 10}), "0.309 -0.5 10");
  EXPECT_EQ(IndexText({0.5L, 1, 2}, ','), "0,5 1 2");
}

TEST(IndexTextTest, BadTokens) {
  bool ok = true;
  // The full list's parser stops at the bad token; values before it stay and are
  // neither reduced nor rounded.
  EXPECT_EQ(Parse("2 x 4", {7, 8, 9}, BadIndexToken::Stop, &ok), (Vec3{2, 8, 9}));
  EXPECT_FALSE(ok);
  // The unique list's parser reads it as 0.
  EXPECT_EQ(Parse("2 x 4", {7, 8, 9}, BadIndexToken::ReadAsZero, &ok), (Vec3{1, 0, 2}));
  EXPECT_TRUE(ok);
  // A comma is not a number with the point as separator, and the other way round.
  Vec3 hkl{0, 0, 0};
  EXPECT_FALSE(ParseIndexText("1,5 0 0", hkl, BadIndexToken::Stop, '.'));
  EXPECT_TRUE(ParseIndexText("1,5 3 0", hkl, BadIndexToken::Stop, ','));
  EXPECT_EQ(hkl, (Vec3{1, 2, 0}));
  Real value = 0;
  EXPECT_FALSE(ParseGridNumber("1.5", value, ','));
  EXPECT_TRUE(ParseGridNumber("  -2.5 ", value));
  EXPECT_EQ(value, -2.5L);
  EXPECT_FALSE(ParseGridNumber("", value));
  EXPECT_FALSE(ParseGridNumber("1 2", value));
}

TEST(RowParserTest, FullListRow) {
  FaceRecord face;
  FaceRow row{"2 4 6", "-2"};
  ASSERT_TRUE(ParseFullListRow(row, face));
  EXPECT_EQ(face.Indices(), (Vec3{1, 2, 3}));
  EXPECT_EQ(face.distance, 2);  // a negative distance is stored and shown positive
  EXPECT_EQ(row, (FaceRow{"1 2 3", "2"}));

  row = {"1 0 0", "1.0"};
  ASSERT_TRUE(ParseFullListRow(row, face, '.', /*negate=*/true));
  EXPECT_EQ(row, (FaceRow{"-1 0 0", "1"}));

  // A distance that is not a number ends the parse before the indices.
  face = FaceRecord{};
  row = {"1 1 1", "abc"};
  EXPECT_FALSE(ParseFullListRow(row, face));
  EXPECT_EQ(face.Indices(), (Vec3{0, 0, 0}));
  EXPECT_EQ(row, (FaceRow{"1 1 1", "abc"}));

  row = {"1,5 3 0", "1,25"};
  ASSERT_TRUE(ParseFullListRow(row, face, ','));
  EXPECT_EQ(row, (FaceRow{"1 2 0", "1,25"}));
}

TEST(RowParserTest, UniqueListRow) {
  FaceRecord face;
  FaceRow row{"4 y 8", "3.50"};
  EXPECT_TRUE(ParseUniqueListRow(row, face));
  EXPECT_EQ(row, (FaceRow{"1 0 2", "3.5"}));
  EXPECT_EQ(face.distance, 3.5L);

  row = {"2 2 0", "?"};
  EXPECT_FALSE(ParseUniqueListRow(row, face));
  EXPECT_EQ(row, (FaceRow{"1 1 0", "?"}));
  EXPECT_EQ(face.distance, 3.5L);

  face = {};
  face.h = 0.309L;
  face.k = -0.5L;
  face.distance = 1.5L;
  EXPECT_EQ(RowForFace(face), (FaceRow{"0.309 -0.5 0", "1.5"}));
}

}  // namespace
}  // namespace habitopia
