#include "prediction/space_groups.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/polyhedron.h"
#include "prediction/morphology.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

TEST(SpaceGroupLookupTest, NumbersSymbolsAndHallSymbols) {
  for (std::string_view text : {"136", "P 42/m n m", "P42/mnm", "-P 4n 2n", " 'P 42/m n m' "}) {
    std::string error;
    const auto group = FindSpaceGroup(text, &error);
    ASSERT_TRUE(group) << text << ": " << error;
    EXPECT_EQ(group->number, 136) << text;
    EXPECT_EQ(group->pointGroup, FindPointGroup("4/mm")) << text;
    EXPECT_FALSE(group->AxesChanged());
  }
  EXPECT_EQ(FindSpaceGroup("P21/c")->symbol, "P 1 21/c 1");
  EXPECT_EQ(FindSpaceGroup("P 1 21/n 1")->hall, "-P 2yn");
  EXPECT_EQ(FindSpaceGroup("Fd-3m:2")->symbol, "F d -3 m:2");
  EXPECT_EQ(FindSpaceGroup("F d -3 m")->symbol, "F d -3 m:1");
  EXPECT_EQ(FindSpaceGroup("R -3 c")->symbol, "R -3 c:H");
  EXPECT_EQ(FindSpaceGroup("Cmca")->number, 64);
  EXPECT_EQ(FindSpaceGroup("C m c e")->number, 64);
  EXPECT_EQ(FindSpaceGroup("Ccce:2")->symbol, "C c c a:2");
  EXPECT_EQ(FindSpaceGroup("227")->OperationCount(), 192u);
  // A Hall symbol outside the table is parsed as it stands and named after the
  // table's setting at another origin.
  const auto shifted = FindSpaceGroup("P 2ac 2ab (1 2 3)");
  ASSERT_TRUE(shifted);
  EXPECT_EQ(shifted->number, 19);
  EXPECT_FALSE(shifted->tabulated);
  EXPECT_EQ(shifted->symbol, "P 21 21 21 at another origin");
  EXPECT_EQ(shifted->pointGroup, FindPointGroup("22"));

  for (std::string_view bad : {"", "231", "0", "P 7", "Q 2", "P 2 (0 0", "nonsense"}) {
    std::string error;
    EXPECT_FALSE(FindSpaceGroup(bad, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(SpaceGroupLookupTest, ScrewSubscriptsWithoutAnAxisAreNoHallSymbol) {
  // gemmi's Hall parser would read outside an array for these.
  for (const char* text : {"T2_12_12_1", "P 2 12", "P 3 2\"1", "P 31* 2"}) {
    std::string problem;
    EXPECT_FALSE(FindSpaceGroup(text, &problem).has_value()) << text;
  }
  for (const char* hall : {"P 61 2 (0 0 -1)", "P 2ac 2ab", "-P 2ybc", "P 31 2\"", "I 4bw 2bw"}) {
    std::string problem;
    EXPECT_TRUE(FindSpaceGroup(hall, &problem).has_value()) << hall << ": " << problem;
  }
}

TEST(SpaceGroupLookupTest, AnOperatorListWithHugeNumbersIsNotUsed) {
  SpaceGroupStatements statements;
  statements.operations = {"x,y,z", "-x+9223372036854775807/2,-y,z"};
  statements.number = 2;
  const ResolvedSpaceGroup resolved = ResolveSpaceGroup(statements);
  ASSERT_FALSE(resolved.notes.empty());
  EXPECT_NE(resolved.notes[0].find("more than six digits"), std::string::npos) << resolved.notes[0];
}

TEST(SpaceGroupLookupTest, SettingsOffTheTableAxesAreTakenOnOtherAxes) {
  // Monoclinic with unique axis c: b' = c.
  const auto c = FindSpaceGroup("P 1 1 21/b");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->pointGroup, FindPointGroup("2/m"));
  EXPECT_EQ(c->AxesText(), "a' = b, b' = c, c' = a");
  EXPECT_EQ(c->CellOnAxes({5, 6, 7, 90, 90, 100}), (UnitCell{6, 7, 5, 90, 100, 90}));

  // P -4 m 2: the two-fold lies along a + b, so the cell turns by 45 degrees.
  const auto p4m2 = FindSpaceGroup("P -4 m 2");
  ASSERT_TRUE(p4m2);
  EXPECT_EQ(p4m2->pointGroup, FindPointGroup("-42"));
  EXPECT_EQ(p4m2->AxesText(), "a' = a - b, b' = a + b, c' = c");
  const UnitCell turned = p4m2->CellOnAxes({1, 1, 3, 90, 90, 90});
  EXPECT_NEAR(static_cast<double>(turned.a), std::sqrt(2.0), 1e-15);
  EXPECT_EQ(turned.alpha, 90);
  EXPECT_EQ(turned.gamma, 90);
  EXPECT_TRUE(p4m2->Absent({1, 0, 0}));   // h + k odd on the C-centred cell
  EXPECT_FALSE(p4m2->Absent({1, 1, 0}));  // 1 0 0 of the given cell

  // P 3 1 2: the hexagonal cell turned by 30 degrees, a' = a sqrt 3.
  const auto p312 = FindSpaceGroup("P 3 1 2");
  ASSERT_TRUE(p312);
  EXPECT_EQ(p312->pointGroup, FindPointGroup("32"));
  const UnitCell hexagonal = p312->CellOnAxes({1, 1, 2, 90, 90, 120});
  EXPECT_NEAR(static_cast<double>(hexagonal.a), std::sqrt(3.0), 1e-15);
  EXPECT_EQ(hexagonal.gamma, 120);

  // Rhombohedral axes, a = 1 and alpha = 60: hexagonal a = 1, c = sqrt 6.
  const auto r = FindSpaceGroup("R 3 :R");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->pointGroup, FindPointGroup("3"));
  const UnitCell h = r->CellOnAxes({1, 1, 1, 60, 60, 60});
  EXPECT_NEAR(static_cast<double>(h.a), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(h.c), std::sqrt(6.0), 1e-15);
  EXPECT_EQ(h.gamma, 120);
  EXPECT_FALSE(r->Absent({1, 0, 1}));  // obverse: -h + k + l = 3n
  EXPECT_TRUE(r->Absent({1, 0, 0}));
}

// Absences on the axes the prediction uses are the same for every member of a
// form of the table's point group: a wrong change of axes breaks this.
TEST(SpaceGroupLookupTest, AbsencesAreInvariantUnderThePointGroupOnItsAxes) {
  int changed = 0;
  for (const gemmi::SpaceGroup& entry : gemmi::spacegroup_tables::main) {
    const auto found = FindSpaceGroup(entry.xhm());
    ASSERT_TRUE(found) << entry.xhm();
    const SpaceGroupSymmetry& group = *found;
    ASSERT_GT(group.pointGroup, 0) << entry.xhm();
    changed += group.AxesChanged();
    const PointGroup& pg = GetPointGroup(group.pointGroup);
    for (int h = -2; h <= 2; ++h)
      for (int k = -2; k <= 2; ++k)
        for (int l = -2; l <= 2; ++l) {
          const Vec3 hkl{Real(h), Real(k), Real(l)};
          const bool absent = group.Absent(hkl);
          for (const Matrix3& m : pg.operations) {
            Vec3 image{};
            for (int i = 0; i < 3; ++i) image[i] = m[i][0] * h + m[i][1] * k + m[i][2] * l;
            ASSERT_EQ(group.Absent(image), absent) << entry.xhm() << " " << h << k << l;
          }
        }
  }
  EXPECT_GT(changed, 0);
}

// Every space group predicts a closed crystal on a cell of its system.
TEST(SpaceGroupPredictionTest, EveryGroupGivesAClosedCrystal) {
  class NoRandom : public RandomSource {
   public:
    int Next(int) override { return 0; }
  } random;
  for (int number = 1; number <= 230; ++number) {
    const auto group = FindSpaceGroup(std::to_string(number));
    ASSERT_TRUE(group) << number;
    UnitCell cell{5, 6, 7, 80, 85, 95};
    switch (GetPointGroup(group->pointGroup).lattice) {
      case LatticeClass::Monoclinic: cell = {5, 6, 7, 90, 100, 90}; break;
      case LatticeClass::Orthorhombic: cell = {5, 6, 7, 90, 90, 90}; break;
      case LatticeClass::Tetragonal: cell = {5, 5, 7, 90, 90, 90}; break;
      case LatticeClass::Trigonal:
      case LatticeClass::Hexagonal: cell = {5, 5, 7, 90, 90, 120}; break;
      case LatticeClass::Cubic: cell = {5, 5, 5, 90, 90, 90}; break;
      default: break;
    }
    CrystalModel model;
    model.pointGroup = group->pointGroup;
    model.operationCount = GetPointGroup(group->pointGroup).order;
    SetCell(model, group->CellOnAxes(cell));
    PredictionSettings settings;
    settings.hklMax = 3;
    settings.spaceGroup = std::make_shared<const SpaceGroupSymmetry>(*group);
    FaceRows unique, full;
    PredictionFlags flags;
    ASSERT_EQ(PredictFaces(model, unique, settings, flags, random), PredictionStatus::Done);
    RebuildFullList(model, unique, full);
    const Polyhedron shape = BuildPolyhedron(MakePolyhedronInput(model));
    const SceneCorners corners = NumberSceneCorners(shape);
    EXPECT_TRUE(IsHullClosed(shape, BuildFaceIndexLists(shape, corners, false)))
        << number << " " << group->symbol;
  }
}

}  // namespace
}  // namespace habitopia
