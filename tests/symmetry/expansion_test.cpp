#include "symmetry/expansion.h"

#include <gtest/gtest.h>

#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

CrystalModel ModelWithGroup(int group) {
  CrystalModel model;
  model.pointGroup = group;
  model.operationCount = GetPointGroup(group).order;
  return model;
}

// Puts one face into the table as the editor does before expanding it.
ExpansionResult TypeAndExpand(CrystalModel& model, FaceRows& rows, const FaceRow& typed,
                              int face = -1, const ExpansionOptions& options = {}) {
  if (face < 0) {
    face = ++model.lastFace;
    rows.resize(model.FaceCount());
  }
  rows[face] = typed;
  ParseFullListRow(rows[face], model.faces[face], options.separator);
  return ExpandFace(model, rows, {face, typed.indices, typed.distance}, options);
}

std::vector<std::string> IndexTexts(const FaceRows& rows) {
  std::vector<std::string> texts;
  for (const FaceRow& row : rows) texts.push_back(row.indices);
  return texts;
}

int OrbitSize(int group, const std::string& indices) {
  CrystalModel model = ModelWithGroup(group);
  FaceRows rows;
  TypeAndExpand(model, rows, {indices, "1"});
  EXPECT_EQ(static_cast<int>(rows.size()), model.FaceCount());
  return model.FaceCount();
}

TEST(ExpansionTest, OrbitSizesOfEveryGroup) {
  // Multiplicities of the forms {100}, {111} and {123} (hexagonal axes for 9..27).
  const int expected[33][3] = {
      {1, 1, 1},   {2, 2, 2},  {2, 2, 2},  {1, 2, 2},  {2, 4, 4},   {2, 4, 4},   {2, 4, 4},
      {2, 8, 8},   {3, 3, 3},  {6, 6, 6},  {6, 6, 6},  {3, 6, 6},   {6, 12, 12}, {4, 4, 4},
      {4, 8, 8},   {4, 4, 4},  {4, 4, 8},  {4, 4, 8},  {4, 8, 8},   {4, 8, 16},  {6, 6, 6},
      {6, 12, 12}, {3, 6, 6},  {6, 6, 12}, {6, 6, 12}, {6, 12, 12}, {6, 12, 24}, {6, 4, 12},
      {6, 8, 24},  {6, 8, 24}, {6, 4, 24}, {6, 8, 48}, {30, 20, 60}};
  for (int g = 1; g <= kPointGroupCount; ++g) {
    EXPECT_EQ(OrbitSize(g, "1 0 0"), expected[g - 1][0]) << GetPointGroup(g).symbol;
    EXPECT_EQ(OrbitSize(g, "1 1 1"), expected[g - 1][1]) << GetPointGroup(g).symbol;
    EXPECT_EQ(OrbitSize(g, "1 2 3"), expected[g - 1][2]) << GetPointGroup(g).symbol;
  }
}

TEST(ExpansionTest, ImagesAreAppendedInTableOrder) {
  CrystalModel model = ModelWithGroup(FindPointGroup("6"));
  FaceRows rows;
  const ExpansionResult r = TypeAndExpand(model, rows, {"1 0 0", "1.0"});
  EXPECT_EQ(IndexTexts(rows),
            (std::vector<std::string>{"1 0 0", "1 -1 0", "0 -1 0", "-1 0 0", "-1 1 0", "0 1 0"}));
  EXPECT_EQ(r.appended, 5);
  EXPECT_EQ(r.currentFace, 5);
  EXPECT_EQ(r.currentIndexText, "0 1 0");
  EXPECT_TRUE(r.calculationDue);
  EXPECT_TRUE(model.calculateAfterStep);
  // New rows are parsed (distance in shortest form); the source row keeps the typed text.
  EXPECT_EQ(rows[0].distance, "1.0");
  EXPECT_EQ(rows[3].distance, "1");
  EXPECT_EQ(model.faces[3].Indices(), (Vec3{-1, 0, 0}));
  EXPECT_EQ(model.faces[3].distance, 1);

  model = ModelWithGroup(FindPointGroup("-1"));
  rows.clear();
  TypeAndExpand(model, rows, {"1 2 3", "2"});
  EXPECT_EQ(IndexTexts(rows), (std::vector<std::string>{"1 2 3", "-1 -2 -3"}));

  model = ModelWithGroup(FindPointGroup("4/m3"));
  rows.clear();
  TypeAndExpand(model, rows, {"1 0 0", "1"});
  EXPECT_EQ(IndexTexts(rows),
            (std::vector<std::string>{"1 0 0", "-1 0 0", "0 0 1", "0 0 -1", "0 1 0", "0 -1 0"}));
}

TEST(ExpansionTest, IcosahedralImagesUseRoundedText) {
  CrystalModel model = ModelWithGroup(kIcosahedralGroup);
  FaceRows rows;
  TypeAndExpand(model, rows, {"1 0 0", "1"});
  ASSERT_EQ(model.FaceCount(), 30);
  // Operation 6 maps (1 0 0) onto its first column.
  EXPECT_EQ(rows[1].indices, "0 0 1");
  EXPECT_EQ(rows[5].indices, "-0.309 -0.5 -0.809");
  EXPECT_EQ(model.faces[5].Indices(), (Vec3{-0.309L, -0.5L, -0.809L}));
  // Typing one of the images again finds every image already present.
  const ExpansionResult again = TypeAndExpand(model, rows, {"-0.309 -0.5 -0.809", "2"}, 5);
  EXPECT_EQ(again.appended, 0);
  EXPECT_FALSE(again.calculationDue);
  for (int f = 0; f < 30; ++f) EXPECT_EQ(model.faces[f].distance, 2) << f;
}

TEST(ExpansionTest, FacesAreNeverDuplicatedAndFormsShareTheLastDistance) {
  CrystalModel model = ModelWithGroup(1);
  FaceRows rows;
  TypeAndExpand(model, rows, {"1 0 0", "1"});
  TypeAndExpand(model, rows, {"1 0 0", "2"});  // typed twice in a new row
  ASSERT_EQ(model.FaceCount(), 2);
  EXPECT_EQ(rows[1].indices, "1 0 0");
  EXPECT_EQ(model.faces[0].distance, 2);  // the earlier row took the new distance

  model = ModelWithGroup(FindPointGroup("4/m"));
  rows.clear();
  TypeAndExpand(model, rows, {"1 0 0", "1"});
  TypeAndExpand(model, rows, {"0 0 1", "1.5"});
  ASSERT_EQ(model.FaceCount(), 6);
  // Re-editing the distance of one face of the form changes all four.
  const ExpansionResult r = TypeAndExpand(model, rows, {"-1 0 0", "0.75"}, 2);
  EXPECT_EQ(r.appended, 0);
  for (int f : {0, 1, 2, 3}) {
    EXPECT_EQ(model.faces[f].distance, 0.75L) << f;
    EXPECT_EQ(rows[f].distance, "0.75") << f;
  }
  EXPECT_EQ(model.faces[4].distance, 1.5L);
  EXPECT_EQ(rows[5].distance, "1.5");
}

TEST(ExpansionTest, NewFacesTakeTheSourcesAppearance) {
  CrystalModel model = ModelWithGroup(FindPointGroup("mm2"));
  FaceRows rows{{"1 1 1", "1"}};
  model.lastFace = 0;
  FaceRecord& source = model.faces[0];
  source.faceColour = {10, 20, 30};
  source.colourShown = 1;
  source.growthSector = true;
  source.textureFile = "wood.jpg";
  source.labelSelected = true;
  model.faces[2].textureFile = "stale.jpg";  // left over in a free slot
  int asked = 0;
  ExpansionOptions options;
  options.copyLabelSelected = [&] { return ++asked == 1; };
  TypeAndExpand(model, rows, {"1 1 1", "1"}, 0, options);
  ASSERT_EQ(model.FaceCount(), 4);
  EXPECT_EQ(asked, 3);
  for (int f = 1; f < 4; ++f) {
    EXPECT_EQ(model.faces[f].faceColour, source.faceColour);
    EXPECT_EQ(model.faces[f].colourShown, 1);
    EXPECT_TRUE(model.faces[f].growthSector);
    EXPECT_EQ(model.faces[f].textureFile, "wood.jpg");
  }
  EXPECT_TRUE(model.faces[1].labelSelected);
  EXPECT_FALSE(model.faces[2].labelSelected);
  EXPECT_FALSE(model.faces[3].labelSelected);
}

TEST(ExpansionTest, NothingHappensWhenBusyOrWithoutOperations) {
  CrystalModel model = ModelWithGroup(FindPointGroup("4/m3"));
  FaceRows rows;
  model.busy = true;
  EXPECT_FALSE(TypeAndExpand(model, rows, {"1 0 0", "1"}).expanded);
  EXPECT_EQ(model.FaceCount(), 1);
  model.busy = false;
  model.operationCount = 0;
  EXPECT_FALSE(TypeAndExpand(model, rows, {"1 0 0", "1"}, 0).expanded);
  model.operationCount = 48;
  EXPECT_FALSE(TypeAndExpand(model, rows, {"1 0 0", "x"}, 0).expanded);
  EXPECT_EQ(model.FaceCount(), 1);
}

TEST(ExpansionTest, TheTableIsNeverOverrun) {
  CrystalModel model = ModelWithGroup(FindPointGroup("4/m3"));
  FaceRows unique;
  for (int h = 1; h <= 7; ++h)
    unique.push_back(
        {std::to_string(h) + " " + std::to_string(h + 1) + " " + std::to_string(h + 9), "1"});
  FaceRows full;
  const RebuildResult r = RebuildFullList(model, unique, full);
  EXPECT_TRUE(r.tableFull);
  EXPECT_EQ(model.FaceCount(), kFaceSlots);
  EXPECT_EQ(static_cast<int>(full.size()), kFaceSlots);
}

TEST(ExpansionTest, RebuildFromTheUniqueList) {
  CrystalModel model = ModelWithGroup(FindPointGroup("4/mm"));
  model.lastFace = 10;  // an old full list
  FaceRows full(11, {"9 9 9", "9"});
  const FaceRows unique{{"1 0 0", "1.0"}, {"0 0 2", "1.2"}, {"1 1 1", "1.5"}};
  const RebuildResult r = RebuildFullList(model, unique, full);
  EXPECT_EQ(r.expandedFaces, 3);
  EXPECT_FALSE(r.tableFull);
  EXPECT_FALSE(r.stopped);
  EXPECT_EQ(model.lastUniqueFace, 2);
  ASSERT_EQ(model.FaceCount(), 4 + 2 + 8);
  // The unique faces come first, then the images of each in turn.
  EXPECT_EQ(IndexTexts(full),
            (std::vector<std::string>{"1 0 0", "0 0 1", "1 1 1", "0 1 0", "-1 0 0", "0 -1 0",
                                      "0 0 -1", "-1 1 1", "-1 -1 1", "1 -1 1", "1 1 -1", "-1 1 -1",
                                      "-1 -1 -1", "1 -1 -1"}));
  // New rows are parsed ("1"); rows met again take the typed text as it is.
  EXPECT_EQ(full[0].distance, "1.0");
  EXPECT_EQ(full[4].distance, "1.0");
  EXPECT_EQ(full[6].distance, "1.2");
  EXPECT_EQ(full[13].distance, "1.5");
  EXPECT_EQ(model.faces[6].distance, 1.2L);
  EXPECT_EQ(model.faces[13].distance, 1.5L);

  // The caller's limit ends the run after a unique face.
  int calls = 0;
  RebuildFullList(model, unique, full, {}, [&](int) { return ++calls < 2; });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(model.FaceCount(), 4 + 2 + 1);
}

}  // namespace
}  // namespace habitopia
