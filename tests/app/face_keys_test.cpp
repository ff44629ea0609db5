#include "app/face_keys.h"

#include <gtest/gtest.h>

namespace habitopia {
namespace {

GridKey Full(int column, std::string_view cell, bool comma = false) {
  return {FaceList::Full, column, cell, comma, false};
}
GridKey Unique(int column, std::string_view cell, bool comma = false, bool icosahedral = false) {
  return {FaceList::Unique, column, cell, comma, icosahedral};
}

TEST(FaceKeysTest, OnlyTheAllowedCharactersReachACell) {
  for (char key : std::string_view(" -.,1234567890\b\r")) {
    if (key == '-') continue;
    const KeyVerdict v = FilterGridKey(Full(0, ""), key);
    EXPECT_NE(v.key, kSuppressedKey) << key;
    EXPECT_TRUE(v.message.empty()) << key;
  }
  for (char key : std::string_view("aZ/+e\t")) {
    for (const GridKey& where : {Full(0, ""), Unique(1, "")}) {
      const KeyVerdict v = FilterGridKey(where, key);
      EXPECT_EQ(v.key, kSuppressedKey) << key;
      EXPECT_EQ(v.message, "wrong input of indices") << key;
    }
  }
}

TEST(FaceKeysTest, AMinusIsRefusedInTheDistanceColumnOnly) {
  EXPECT_EQ(FilterGridKey(Full(0, "1"), '-').key, '-');
  EXPECT_EQ(FilterGridKey(Unique(0, "1"), '-').key, '-');
  for (const GridKey& where : {Full(1, "1"), Unique(1, "1")}) {
    const KeyVerdict v = FilterGridKey(where, '-');
    EXPECT_EQ(v.key, kSuppressedKey);
    EXPECT_EQ(v.message, "distance has to be>0");
  }
}

TEST(FaceKeysTest, SeparatorsBecomeTheUsersOne) {
  EXPECT_EQ(FilterGridKey(Full(1, "1"), ',').key, '.');
  EXPECT_EQ(FilterGridKey(Full(1, "1", true), '.').key, ',');
  EXPECT_EQ(FilterCellBoxKey('.', true), ',');
  EXPECT_EQ(FilterCellBoxKey(',', false), '.');
  EXPECT_EQ(FilterCellBoxKey('7', true), '7');
}

TEST(FaceKeysTest, ASecondSeparatorIsRefusedInTheFullListOnly) {
  const KeyVerdict full = FilterGridKey(Full(1, "1.5"), ',');
  EXPECT_EQ(full.key, kSuppressedKey);
  EXPECT_EQ(full.message, "wrong input of indices");
  EXPECT_EQ(FilterGridKey(Full(0, "1,5 2", true), '.').key, kSuppressedKey);
  EXPECT_EQ(FilterGridKey(Unique(1, "1.5"), '.').key, '.');
}

TEST(FaceKeysTest, FractionalUniqueIndicesGetANoteExceptInTheIcosahedralGroup) {
  EXPECT_EQ(FilterGridKey(Unique(0, "1"), '.').statusNote, "? integer Millerindices");
  EXPECT_EQ(FilterGridKey(Unique(0, "1.5 "), '2').statusNote, "? integer Millerindices");
  EXPECT_TRUE(FilterGridKey(Unique(0, "1 "), '2').statusNote.empty());
  EXPECT_TRUE(FilterGridKey(Unique(1, "1"), '.').statusNote.empty());
  EXPECT_TRUE(FilterGridKey(Unique(0, "0", false, true), '.').statusNote.empty());
  EXPECT_TRUE(FilterGridKey(Full(0, "1"), '.').statusNote.empty());
}

}  // namespace
}  // namespace habitopia
