// The prediction ranks each form by its first order allowed for every member,
// keeps far forms that can still touch the crystal, and decides absences from a
// space group's operations. Expected distances are worked out from the cell.

#include <gtest/gtest.h>

#include <cmath>

#include "core/numbers.h"
#include "core/polyhedron.h"
#include "prediction/form_pruning.h"
#include "prediction/morphology.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

class NoRandom : public RandomSource {
 public:
  int Next(int) override { return 0; }
};

struct Prediction {
  CrystalModel model;
  FaceRows rows;
};

Prediction Predict(int group, const UnitCell& cell, PredictionSettings settings) {
  Prediction p;
  p.model.pointGroup = group;
  p.model.operationCount = GetPointGroup(group).order;
  SetCell(p.model, cell);
  PredictionFlags flags;
  NoRandom random;
  EXPECT_EQ(PredictFaces(p.model, p.rows, settings, flags, random), PredictionStatus::Done);
  return p;
}

// The distance text of the row holding the form of `hkl`, or "missing".
std::string FormDistance(const Prediction& p, const Vec3& hkl) {
  const PointGroup& group = GetPointGroup(p.model.pointGroup);
  for (const Matrix3& op : group.operations) {
    Vec3 image{};
    for (int r = 0; r < 3; ++r)
      image[r] = op[r][0] * hkl[0] + op[r][1] * hkl[1] + op[r][2] * hkl[2];
    for (const FaceRow& row : p.rows)
      if (row.indices == IndexText(image)) return row.distance;
  }
  return "missing";
}

// Corners of the crystal the rows build, or -1 when it is not closed.
int ClosedCorners(Prediction& p) {
  FaceRows full;
  RebuildFullList(p.model, p.rows, full);
  const Polyhedron shape = BuildPolyhedron(MakePolyhedronInput(p.model));
  const SceneCorners corners = NumberSceneCorners(shape);
  if (!IsHullClosed(shape, BuildFaceIndexLists(shape, corners, false))) return -1;
  return corners.Count();
}

PredictionSettings Box(int hklMax, TranslationSymmetry symmetry) {
  PredictionSettings s;
  s.hklMax = hklMax;
  s.symmetry = symmetry;
  return s;
}

PredictionSettings Exact(int hklMax, std::string_view spaceGroup) {
  PredictionSettings s;
  s.hklMax = hklMax;
  auto group = FindSpaceGroup(spaceGroup);
  EXPECT_TRUE(group) << spaceGroup;
  if (group) s.spaceGroup = std::make_shared<const SpaceGroupSymmetry>(*group);
  return s;
}

std::string Text(Real v) { return GeneralText(Round3(v)); }

const UnitCell kCube{1, 1, 1, 90, 90, 90};

TEST(FormAbsenceTest, ScrewAxisAlongCAppliesToTheWholeCubicForm) {
  // P 21 3: 0 0 l needs l even, so 1 0 0 of the same form is absent too and the
  // cube gives way to the rhombic dodecahedron.
  TranslationSymmetry s;
  s.screwC = 2;
  for (const PredictionSettings& settings : {Box(2, s), Exact(2, "P 21 3")}) {
    Prediction p = Predict(FindPointGroup("23"), kCube, settings);
    EXPECT_EQ(FormDistance(p, {1, 0, 0}), "2");
    EXPECT_EQ(FormDistance(p, {1, 1, 0}), "1.414");
    EXPECT_EQ(ClosedCorners(p), 14);
  }
}

TEST(FormAbsenceTest, CubicCGlideOnTheDiagonalPlaneTestsHHL) {
  // P m -3 n: h h l needs l even. {1 0 0} (0 0 1) and {1 1 1} go to second order.
  TranslationSymmetry c;
  c.glide2 = Glide::C;
  TranslationSymmetry n;
  n.glide2 = Glide::N;
  for (const PredictionSettings& settings : {Box(2, c), Box(2, n), Exact(2, "P m -3 n")}) {
    Prediction p = Predict(FindPointGroup("4/m3"), kCube, settings);
    EXPECT_EQ(FormDistance(p, {1, 0, 0}), "2");
    EXPECT_EQ(FormDistance(p, {1, 1, 1}), "3.464");
    EXPECT_EQ(FormDistance(p, {1, 1, 0}), "1.414");
    EXPECT_EQ(ClosedCorners(p), 14);
  }
}

TEST(FormAbsenceTest, DiamondGlideGivesTheOctahedron) {
  // F d -3 m: 2 0 0 is absent by the d glide, so {1 0 0} is ranked by 4 0 0.
  TranslationSymmetry s;
  s.centring = Centring::F;
  s.glide3 = Glide::D;
  for (const PredictionSettings& settings : {Box(3, s), Exact(3, "F d -3 m")}) {
    Prediction p = Predict(FindPointGroup("4/m3"), kCube, settings);
    EXPECT_EQ(FormDistance(p, {1, 0, 0}), "4");
    EXPECT_EQ(FormDistance(p, {1, 1, 1}), "1.732");
    EXPECT_EQ(FormDistance(p, {1, 1, 0}), "2.828");
    EXPECT_EQ(ClosedCorners(p), 6);
  }
}

TEST(FormAbsenceTest, RhombohedralCGlideReachesEveryMemberOfTheForm) {
  // R -3 c on hexagonal axes a = 1, c = 2 (normalised: 0.75 and 1.5). In {1 0 1}
  // the member -1 1 1 lies in the zone h -h 0 l with l odd, so the form is ranked
  // by 2 0 2; 0 0 l needs l = 6n.
  const UnitCell cell{1, 1, 2, 90, 90, 120};
  const Real a = 0.75L, c = 1.5L;
  const Real d101 = std::sqrt(4 / (3 * a * a) + 1 / (c * c));
  TranslationSymmetry s;
  s.centring = Centring::R;
  s.glide1 = Glide::C;
  s.glide2 = Glide::C;
  for (const PredictionSettings& settings : {Box(4, s), Exact(4, "R -3 c")}) {
    Prediction p = Predict(FindPointGroup("-3m"), cell, settings);
    EXPECT_EQ(FormDistance(p, {1, 0, 1}), Text(2 * d101));
  }
  Prediction exact = Predict(FindPointGroup("-3m"), cell, Exact(6, "R -3 c"));
  EXPECT_EQ(FormDistance(exact, {0, 0, 1}), Text(6 / c));
}

TEST(FormAbsenceTest, FarFormsOfALongCellCloseTheCrystal) {
  // 4.97 x 7.48 x 52: on the normalised cell {1 0 0} lies beyond 4 and still
  // bounds the crystal; the result does not depend on hkl-max.
  const UnitCell cell{4.97L, 7.48L, 52, 90, 90, 90};
  const Real mean = (4.97L + 7.48L + 52) / 3;
  for (int n : {1, 2, 3}) {
    Prediction p = Predict(FindPointGroup("2/mm"), cell, Box(n, {}));
    EXPECT_EQ(FormDistance(p, {1, 0, 0}), Text(mean / 4.97L)) << n;
    EXPECT_EQ(FormDistance(p, {0, 1, 0}), Text(mean / 7.48L)) << n;
    EXPECT_EQ(FormDistance(p, {0, 0, 1}), Text(mean / 52)) << n;
    // The rounded distances leave the {1 1 0}-type planes a hair inside the
    // box's edges: they cut real slivers, so there are 8 corners or more.
    EXPECT_GE(ClosedCorners(p), 8) << n;
  }
  // Body-centred: {1 0 0} and {0 0 1} are ranked by their second orders.
  TranslationSymmetry body;
  body.centring = Centring::I;
  Prediction p = Predict(FindPointGroup("2/mm"), cell, Box(3, body));
  EXPECT_EQ(FormDistance(p, {0, 0, 1}), Text(2 * mean / 52));
  EXPECT_GT(ClosedCorners(p), 0);
}

TEST(FormAbsenceTest, WithoutHigherOrdersAnAbsentFormIsDropped) {
  TranslationSymmetry s;
  s.screwC = 2;
  PredictionSettings settings = Box(1, s);
  settings.withHigherOrders = false;
  Prediction p = Predict(FindPointGroup("23"), kCube, settings);
  const std::string d = FormDistance(p, {1, 0, 0});
  EXPECT_TRUE(d == "missing" || d == "1000") << d;
  EXPECT_EQ(FormDistance(p, {1, 1, 0}), "1.414");
}

TEST(FormPruningTest, OnlyFormsThatCanCutAreDropped) {
  const Real r = 1 / std::sqrt(3.0L);
  FormPlanes cube{1, {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}};
  std::vector<Vec3> octahedron;
  for (int i = 0; i < 8; ++i)
    octahedron.push_back({i & 1 ? r : -r, i & 2 ? r : -r, i & 4 ? r : -r});
  // The cube's corners lie at sqrt(3) along [1 1 1].
  FormPlanes cutting{1.7L, octahedron}, touching{std::sqrt(3.0L), octahedron},
      beyond{1.8L, octahedron};
  EXPECT_EQ(FormsThatCanTouch({beyond, cube, cutting}), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(FormsThatCanTouch({beyond, cube}), (std::vector<bool>{false, true}));
  EXPECT_EQ(FormsThatCanTouch({touching, cube}), (std::vector<bool>{false, true}));
  // Scale does not matter, kept forms stay, a plane towards the open side stays.
  FormPlanes bigCube = cube, bigBeyond = beyond;
  bigCube.distance *= 1e5L;
  bigBeyond.distance *= 1e5L;
  EXPECT_EQ(FormsThatCanTouch({bigBeyond, bigCube}), (std::vector<bool>{false, true}));
  beyond.role = FormRole::Kept;
  EXPECT_EQ(FormsThatCanTouch({beyond, cube}), (std::vector<bool>{true, true}));
  FormPlanes halfCube{1, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  EXPECT_EQ(FormsThatCanTouch({halfCube, FormPlanes{50, {{r, r, r}}}}),
            (std::vector<bool>{true, false}));
  EXPECT_EQ(FormsThatCanTouch({halfCube, FormPlanes{50, {{-r, -r, -r}}}}),
            (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace habitopia
