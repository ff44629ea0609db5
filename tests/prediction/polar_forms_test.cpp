// Habits worked out by hand for groups whose first orders are absent on one or
// both ends of a polar axis: every form is ranked by its first order allowed for
// all its members, and both ends of the axis survive.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "core/numbers.h"
#include "core/polyhedron.h"
#include "prediction/morphology.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

class NoRandom : public RandomSource {
 public:
  int Next(int) override { return 0; }
};

// One text per form: the smallest index text of its members.
std::string FormName(int pointGroup, const Vec3& hkl) {
  std::string name;
  for (const Matrix3& op : GetPointGroup(pointGroup).operations) {
    Vec3 image{};
    for (int r = 0; r < 3; ++r)
      image[r] = op[r][0] * hkl[0] + op[r][1] * hkl[1] + op[r][2] * hkl[2];
    const std::string text = IndexText(RoundIndices(image));
    if (name.empty() || text < name) name = text;
  }
  return name;
}

struct Habit {
  std::map<std::string, std::string> distances;  // form -> distance text
  std::map<std::string, Real> areas;             // form -> area of its last face
  std::map<std::string, int> faces;              // form -> present faces
};

// Predicts, cleans up as the command does and builds the crystal.
Habit Predict(const UnitCell& cell, std::string_view spaceGroup, int hklMax) {
  auto group = FindSpaceGroup(spaceGroup);
  EXPECT_TRUE(group) << spaceGroup;
  Habit habit;
  if (!group) return habit;
  CrystalModel model;
  model.pointGroup = group->pointGroup;
  model.operationCount = GetPointGroup(model.pointGroup).order;
  SetCell(model, group->CellOnAxes(cell));
  PredictionSettings settings;
  settings.hklMax = hklMax;
  settings.spaceGroup = std::make_shared<const SpaceGroupSymmetry>(*group);
  PredictionFlags flags;
  NoRandom random;
  FaceRows unique, full;
  EXPECT_EQ(PredictFaces(model, unique, settings, flags, random), PredictionStatus::Done);
  RebuildFullList(model, unique, full);
  model.polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  flags.cleanupRequested = true;
  EXPECT_EQ(RewriteIndices(model, unique, settings, flags, random), PredictionStatus::Done);
  RebuildFullList(model, unique, full);
  const Polyhedron shape = BuildPolyhedron(MakePolyhedronInput(model));
  const FaceIndexLists lists = BuildFaceIndexLists(shape, NumberSceneCorners(shape), false);
  for (const FaceRow& row : unique) {
    Vec3 hkl{};
    ParseIndexText(row.indices, hkl, BadIndexToken::ReadAsZero);
    habit.distances[FormName(model.pointGroup, hkl)] = row.distance;
  }
  for (std::size_t i = 0; i < shape.presentFaces.size(); ++i) {
    const PresentFace& p = shape.presentFaces[i];
    const std::string form = FormName(model.pointGroup, {p.h, p.k, p.l});
    habit.areas[form] = lists.faceArea[i];
    ++habit.faces[form];
  }
  return habit;
}

std::string Text(Real v) { return GeneralText(Round3(v)); }

using Forms = std::map<std::string, std::string>;

TEST(PolarFormTest, IceIhKeepsBothBasalPinacoids) {
  // P 63 c m, a = 7.82, c = 7.36: on the normalised cell a = 1.02, c = 0.96.
  // 0 0 1 is absent by the 6_3 axis on both ends, so {0 0 1} and {0 0 -1} come
  // at 2 / c = 2.083. {1 0 0} (h -h 0 l, l = 0) is allowed at 2 / (sqrt 3 a);
  // {1 0 2} = {1 0 0} + {0 0 2} only touches the edge of prism and pinacoid, and
  // {1 1 0} at 2 / a lies beyond the prism's corners.
  const Habit habit = Predict({7.82L, 7.82L, 7.36L, 90, 90, 120}, "P 63 c m", 2);
  const Real a = 7.82L / (23 / 3.0L), c = 7.36L / (23 / 3.0L);
  EXPECT_EQ(habit.distances, (Forms{{"-1 0 0", Text(2 / (std::sqrt(3.0L) * a))},
                                    {"0 0 -1", Text(2 / c)},
                                    {"0 0 1", Text(2 / c)}}));
  EXPECT_EQ(habit.faces.at("0 0 1"), 1);
  EXPECT_EQ(habit.faces.at("-1 0 0"), 6);
  EXPECT_NEAR(habit.areas.at("0 0 1") / habit.areas.at("0 0 -1"), 1, 1e-3);
}

TEST(PolarFormTest, SixThreeAxisRanksBothEndsBySecondOrder) {
  // P 63, a = c = 1, hkl-max 1: d*(h k l)^2 = 4/3 (h^2 + h k + k^2) + l^2. Only
  // 0 0 l with l odd is absent. Prism {1 0 0} at 1.155 (corners at 4/3), the
  // two pyramids {1 0 1} and {1 0 -1} at sqrt(7/3) = 1.528 cut it from z = 1,
  // both pinacoids at 2 cut the pyramids' apex (7/3). {1 1 0} at 2 and {1 1 1}
  // at sqrt 5 stay outside.
  const Habit habit = Predict({1, 1, 1, 90, 90, 120}, "P 63", 1);
  EXPECT_EQ(habit.distances, (Forms{{"-1 0 -1", "1.528"},
                                    {"-1 0 0", "1.155"},
                                    {"-1 0 1", "1.528"},
                                    {"0 0 -1", "2"},
                                    {"0 0 1", "2"}}));
  EXPECT_EQ(habit.faces,
            (std::map<std::string, int>{
                {"-1 0 -1", 6}, {"-1 0 0", 6}, {"-1 0 1", 6}, {"0 0 -1", 1}, {"0 0 1", 1}}));
}

TEST(PolarFormTest, RhombohedralCGlideOnHexagonalAxes) {
  // R 3 c on hexagonal axes a = 1, c = 3 (normalised 0.6 and 1.8), hkl-max 1.
  // -h + k + l = 3n, h -h 0 l needs l even and 0 0 l needs l = 6n:
  //   {0 0 1}, {0 0 -1}: 0 0 6, 6 / 1.8 = 3.333;
  //   {1 1 0} (1 1 0, -1 2 0, -2 1 0 allowed): sqrt(4/3 * 3) / 0.6 = 3.333;
  //   {1 0 1} and {-1 0 -1}: -1 1 1 lies in h -h 0 l with l odd, so 2 0 2:
  //     2 sqrt(4 / (3 * 0.36) + 1 / 3.24) = 4.006, beyond 4 but cutting the
  //     prism's corners (extent 4.622 along the normal);
  //   {1 0 0}, {-1 0 0}: 3 0 0, 5.774; {1 0 -1}, {-1 0 1}: 6 0 -6; {1 1 1}: 3 3 3.
  const Habit habit = Predict({1, 1, 3, 90, 90, 120}, "R 3 c", 1);
  const Real d101 = 2 * std::sqrt(4 / (3 * 0.36L) + 1 / 3.24L);
  EXPECT_EQ(habit.distances, (Forms{{"-1 -1 0", "3.333"},
                                    {"-1 0 -1", Text(d101)},
                                    {"-1 1 1", Text(d101)},
                                    {"0 0 -1", "3.333"},
                                    {"0 0 1", "3.333"}}));
  EXPECT_EQ(Text(d101), "4.006");
  EXPECT_EQ(habit.faces,
            (std::map<std::string, int>{
                {"-1 -1 0", 6}, {"-1 0 -1", 3}, {"-1 1 1", 3}, {"0 0 -1", 1}, {"0 0 1", 1}}));
  EXPECT_NEAR(habit.areas.at("-1 0 -1") / habit.areas.at("-1 1 1"), 1, 1e-3);
  EXPECT_NEAR(habit.areas.at("0 0 1") / habit.areas.at("0 0 -1"), 1, 1e-3);
}

TEST(PolarFormTest, TrigonalCGlideRemovesThePyramids) {
  // P 3 c 1, a = c = 1, hkl-max 1: h -h 0 l needs l even, 0 0 l too. Every
  // {1 0 l} form has a member h -h 0 l, so l = +-1 goes to 2 0 2 (3.055); the
  // two trigonal prisms {1 0 0} and {-1 0 0} make the hexagonal prism at 1.155
  // and both pinacoids come at 0 0 2. {1 1 1} (allowed, sqrt 5) misses the
  // prism's corners, which reach 2.087 along its normal.
  const Habit habit = Predict({1, 1, 1, 90, 90, 120}, "P 3 c 1", 1);
  EXPECT_EQ(habit.distances,
            (Forms{{"-1 0 0", "1.155"}, {"-1 1 0", "1.155"}, {"0 0 -1", "2"}, {"0 0 1", "2"}}));
}

TEST(PolarFormTest, FormsAtTheEndOfTheListAreRanked) {
  // Body-centred cubic: {1 0 0} is absent at first order and ranked by 2 0 0,
  // as the last row and as the only row.
  CrystalModel model;
  model.pointGroup = FindPointGroup("4/m3");
  model.operationCount = GetPointGroup(model.pointGroup).order;
  SetCell(model, {1, 1, 1, 90, 90, 90});
  PredictionSettings settings;
  settings.symmetry.centring = Centring::I;
  NoRandom random;
  for (FaceRows rows :
       {FaceRows{{"1 1 0", "1.414"}, {"1 0 0", "1000"}}, FaceRows{{"1 0 0", "1000"}}}) {
    for (std::size_t f = 0; f < rows.size(); ++f) ParseUniqueListRow(rows[f], model.faces[f]);
    model.lastFace = model.lastUniqueFace = static_cast<int>(rows.size()) - 1;
    const PredictionFlags flags;
    ASSERT_EQ(RewriteIndices(model, rows, settings, flags, random), PredictionStatus::Done);
    EXPECT_EQ(rows.back(), (FaceRow{"1 0 0", "2"}));
    EXPECT_EQ(model.faces[rows.size() - 1].distance, 2);
  }
}

}  // namespace
}  // namespace habitopia
