#include "prediction/morphology.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/numbers.h"
#include "core/polyhedron.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {

inline void PrintTo(const FaceRow& row, std::ostream* os) {
  *os << "{\"" << row.indices << "\", \"" << row.distance << "\"}";
}

namespace {

class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
  int Next(int n) override {
    asked.push_back(n);
    if (n <= 0) return 0;
    return values_[next_++ % values_.size()] % n;
  }
  std::vector<int> asked;

 private:
  std::vector<int> values_;
  std::size_t next_ = 0;
};

CrystalModel Model(int group, UnitCell cell = {}) {
  CrystalModel model;
  model.pointGroup = group;
  model.operationCount = GetPointGroup(group).order;
  SetCell(model, cell);
  return model;
}

PredictionSettings Settings(int hklMax, Centring centring = Centring::P, bool higher = true) {
  PredictionSettings s;
  s.hklMax = hklMax;
  s.symmetry.centring = centring;
  s.withHigherOrders = higher;
  return s;
}

struct Outcome {
  PredictionStatus status;
  FaceRows rows;
  PredictionFlags flags;
};

Outcome Predict(CrystalModel& model, const PredictionSettings& settings) {
  Outcome run{PredictionStatus::Done, {}, {}};
  ScriptedRandom random({0});
  run.status = PredictFaces(model, run.rows, settings, run.flags, random);
  return run;
}

// The clean-up that follows a prediction: expand, build, reduce to the present faces.
FaceRows CleanUp(CrystalModel& model, FaceRows unique, const PredictionSettings& settings,
                 PredictionFlags flags) {
  FaceRows full;
  RebuildFullList(model, unique, full);
  model.polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  flags.cleanupRequested = true;
  ScriptedRandom random({0});
  EXPECT_EQ(RewriteIndices(model, unique, settings, flags, random), PredictionStatus::Done);
  return unique;
}

const int kCubic = 32;  // "4/m3"

TEST(MorphologyPredictionTest, PrimitiveCubicGivesThreeForms) {
  CrystalModel model = Model(kCubic);
  const Outcome run = Predict(model, Settings(1));
  ASSERT_EQ(run.status, PredictionStatus::Done);
  EXPECT_EQ(run.rows, (FaceRows{{"-1 -1 -1", "1.732"}, {"-1 -1 0", "1.414"}, {"-1 0 0", "1"}}));
  EXPECT_FALSE(run.flags.randomizeDistances);
  EXPECT_EQ(model.lastFace, 2);
  EXPECT_EQ(model.lastUniqueFace, 2);
  EXPECT_EQ(model.faces[1].Indices(), (Vec3{-1, -1, 0}));
  EXPECT_EQ(model.faces[1].distance, 1.414L);

  // Higher indices reduce onto the low ones and keep the smallest distance.
  CrystalModel model2 = Model(kCubic);
  const Outcome run2 = Predict(model2, Settings(2));
  EXPECT_EQ(run2.rows, (FaceRows{{"-1 -1 -1", "1.732"},
                                 {"-2 -2 -1", "3"},
                                 {"-1 -1 0", "1.414"},
                                 {"-2 -1 -1", "2.449"},
                                 {"-2 -1 0", "2.236"},
                                 {"-1 0 0", "1"}}));
}

TEST(MorphologyPredictionTest, BodyCentredCubic) {
  // {100} and {111} are absent at first order: with higher orders they are
  // ranked by 2 0 0 and 2 2 2.
  CrystalModel model = Model(kCubic);
  Outcome run = Predict(model, Settings(1, Centring::I));
  EXPECT_EQ(run.rows, (FaceRows{{"-1 -1 -1", "3.464"}, {"-1 -1 0", "1.414"}, {"-1 0 0", "2"}}));
  model = Model(kCubic);
  run = Predict(model, Settings(2, Centring::I));
  EXPECT_EQ(run.rows[0], (FaceRow{"-1 -1 -1", "3.464"}));
  EXPECT_EQ(run.rows.back(), (FaceRow{"-1 0 0", "2"}));

  // Without them both forms are marked 1000. The final pass stops once two rows
  // are left, so the {100} row outlives it; the clean-up removes it.
  model = Model(kCubic);
  const PredictionSettings lowOnly = Settings(1, Centring::I, false);
  run = Predict(model, lowOnly);
  EXPECT_EQ(run.rows, (FaceRows{{"-1 -1 0", "1.414"}, {"-1 0 0", "1000"}}));
  EXPECT_EQ(CleanUp(model, run.rows, lowOnly, run.flags), (FaceRows{{"-1 -1 0", "1.414"}}));
}

TEST(MorphologyPredictionTest, FaceCentredCubic) {
  CrystalModel model = Model(kCubic);
  const PredictionSettings lowOnly = Settings(1, Centring::F, false);
  Outcome run = Predict(model, lowOnly);
  EXPECT_EQ(run.rows, (FaceRows{{"-1 -1 -1", "1.732"}, {"-1 0 0", "1000"}}));
  EXPECT_EQ(CleanUp(model, run.rows, lowOnly, run.flags), (FaceRows{{"-1 -1 -1", "1.732"}}));
  EXPECT_EQ(model.lastUniqueFace, 0);

  model = Model(kCubic);
  run = Predict(model, Settings(1, Centring::F));
  EXPECT_EQ(run.rows, (FaceRows{{"-1 -1 -1", "1.732"}, {"-1 -1 0", "2.828"}, {"-1 0 0", "2"}}));
}

TEST(MorphologyPredictionTest, FarFormsStayWhenTheyCanTouchTheCrystal) {
  // A flat tetragonal cell: every face with l != 0 lies beyond 4. {0 0 1} closes
  // the prism and stays; {1 0 1} and {1 1 1} cannot reach it and go.
  CrystalModel model = Model(FindPointGroup("4/mm"), {1, 1, 0.1L, 90, 90, 90});
  const Outcome run = Predict(model, Settings(1));
  EXPECT_EQ(run.rows, (FaceRows{{"-1 -1 0", "0.99"}, {"-1 0 0", "0.7"}, {"0 0 -1", "7"}}));
}

TEST(MorphologyPredictionTest, PolarGroups) {
  EXPECT_EQ(PolarityTerm(17, 10, {0, 0, 1}), -10);
  EXPECT_EQ(PolarityTerm(17, 10, {0, 0, -1}), 10);
  EXPECT_EQ(PolarityTerm(17, 10, {0, 0, 0}), 0);
  EXPECT_NEAR(static_cast<double>(PolarityTerm(17, 10, {1, 0, 1})), -10 / std::sqrt(2.0), 1e-15);
  EXPECT_EQ(PolarityTerm(3, 4, {0, 1, 0}), -4);  // "2": along b
  EXPECT_EQ(PolarityTerm(3, 4, {0, 0, 1}), 0);
  EXPECT_EQ(PolarityTerm(1, 3, {-1, -1, -1}), 3);
  EXPECT_EQ(PolarityTerm(1, 3, {-1, -1, 0}), 0);
  EXPECT_EQ(PolarityTerm(20, 10, {0, 0, 1}), 0);
  EXPECT_EQ(PolarityTerm(32, 10, {0, 0, 1}), 0);
  EXPECT_TRUE(RandomizesDistances(20));
  EXPECT_FALSE(RandomizesDistances(17));
  EXPECT_FALSE(RandomizesDistances(28));

  CrystalModel model = Model(FindPointGroup("4m"));
  EXPECT_EQ(PredictedDistance(model, 10, {0, 0, 1}), 1.909L);   // 21/11
  EXPECT_EQ(PredictedDistance(model, 10, {0, 0, -1}), 0.091L);  // 1/11
  EXPECT_EQ(PredictedDistance(model, 0, {0, 0, -1}), 1);

  PredictionSettings settings = Settings(1);
  settings.polarityAmount = 10;
  const Outcome run = Predict(model, settings);
  EXPECT_FALSE(run.flags.randomizeDistances);
  auto find = [&](const std::string& text) -> std::string {
    for (const FaceRow& row : run.rows)
      if (row.indices == text) return row.distance;
    return "missing";
  };
  // The two ends of the polar axis are different forms.
  EXPECT_EQ(find("0 0 -1"), "0.091");
  EXPECT_EQ(find("0 0 1"), "1.909");
  EXPECT_EQ(find("-1 0 0"), "1");
}

TEST(MorphologyPredictionTest, IcosahedralGroupIsRefused) {
  CrystalModel model = Model(kIcosahedralGroup);
  FaceRows rows{{"1 0 0", "1"}};
  PredictionFlags flags;
  ScriptedRandom random({0});
  EXPECT_EQ(PredictFaces(model, rows, Settings(1), flags, random), PredictionStatus::Refused);
  EXPECT_EQ(rows, (FaceRows{{"1 0 0", "1"}}));
  EXPECT_EQ(kPredictionRefused,
            "Sorry, but this symmetry is not implemented for morphology prediction");
}

TEST(MorphologyPredictionTest, NonPolarGroupsRandomiseTheFinalPass) {
  CrystalModel model = Model(FindPointGroup("4/mm"));
  PredictionSettings settings = Settings(1);
  settings.polarityAmount = 10;
  FaceRows rows;
  PredictionFlags flags;
  // b = r - 10 for each drawn r: 0 halves a distance, 15 adds a quarter.
  ScriptedRandom random({0, 15, 10, 20});
  ASSERT_EQ(PredictFaces(model, rows, settings, flags, random), PredictionStatus::Done);
  EXPECT_TRUE(flags.randomizeDistances);
  // The five forms of 4/mm with |h|, |k|, |l| <= 1, in the order they first appear.
  EXPECT_EQ(rows, (FaceRows{{"-1 -1 -1", "0.866"},  // 1.732 / 2
                            {"-1 -1 0", "1.768"},   // 1.414 * 1.25
                            {"-1 0 -1", "1.414"},   // b = 0
                            {"-1 0 0", "0.5"},
                            {"0 0 -1", "0.5"}}));
  EXPECT_EQ(random.asked, (std::vector<int>{20, 20, 20, 20, 20}));
  EXPECT_EQ(model.faces[4].distance, 0.5L);

  // Without an amplitude every draw gives b = 0.
  model = Model(FindPointGroup("4/mm"));
  settings.polarityAmount = 0;
  ASSERT_EQ(PredictFaces(model, rows, settings, flags, random), PredictionStatus::Done);
  EXPECT_EQ(rows[0], (FaceRow{"-1 -1 -1", "1.732"}));
  EXPECT_EQ(rows[4], (FaceRow{"0 0 -1", "1"}));
}

TEST(MorphologyPredictionTest, RandomiseFullListDistances) {
  // Works in every group, "-5-32" included.
  CrystalModel model = Model(kIcosahedralGroup);
  model.lastFace = 2;
  FaceRows full{{"1 0 0", "1"}, {"0 1 0", "2"}, {"0 0 1", "4"}};
  for (int f = 0; f < 3; ++f) model.faces[f].distance = f == 0 ? 1 : f == 1 ? 2 : 4;
  ScriptedRandom random({0, 199, 100});
  ASSERT_TRUE(RandomizeDistances(model, full, 10, random));
  EXPECT_EQ(random.asked, (std::vector<int>{200, 200, 200}));
  EXPECT_EQ(full, (FaceRows{{"1 0 0", "0.9"}, {"0 1 0", "2.2"}, {"0 0 1", "4"}}));
  EXPECT_EQ(model.faces[1].distance, Round2(2 * (1 + 99 / 1000.0L)));
  ASSERT_TRUE(RandomizeDistances(model, full, 50, random));  // draws 0, 199, 100 again
  EXPECT_EQ(full[0].distance, "0.45");
  EXPECT_EQ(full[1].distance, "3.29");  // 2.2 * 1.495
  EXPECT_FALSE(RandomizeDistances(model, full, 30, random));
}

TEST(MorphologyPredictionTest, CleanUpKeepsThePresentForms) {
  // A cube with octahedron faces far outside: only {100} is present.
  CrystalModel model = Model(kCubic);
  FaceRows unique{{"1 1 1", "5"}, {"1 0 0", "1"}};
  FaceRows full;
  RebuildFullList(model, unique, full);
  ASSERT_EQ(model.FaceCount(), 14);
  model.polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  PredictionFlags flags;
  flags.cleanupRequested = true;
  ScriptedRandom random({0});
  ASSERT_EQ(RewriteIndices(model, unique, Settings(3), flags, random), PredictionStatus::Done);
  EXPECT_EQ(unique, (FaceRows{{"1 0 0", "1"}}));
  EXPECT_EQ(model.lastUniqueFace, 0);
  EXPECT_EQ(model.faces[0].Indices(), (Vec3{1, 0, 0}));
  EXPECT_TRUE(random.asked.empty());  // no final pass without randomisation
}

}  // namespace
}  // namespace habitopia
