// The builder against an independent half-space intersection on crystals made
// to be hard: plates and needles, forms touching or nearly touching corners and
// edges, near-parallel faces and dense random sets on random cells. Volume and
// every face area agree within 1e-9 relative; faces of one form that the index
// offsets do not tell apart have equal areas.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>

#include "core/polyhedron.h"
#include "support/exact_agreement.h"
#include "support/random_faces.h"

namespace habitopia {
namespace {

using test::ExpectExactAgreement;

FaceRecord Face(Real h, Real k, Real l, Real d) {
  FaceRecord f;
  f.h = h, f.k = k, f.l = l, f.distance = d;
  return f;
}

// Every sign variant of (h k l), each once, at distance d.
void AddForm(std::vector<FaceRecord>& faces, Real h, Real k, Real l, Real d) {
  std::vector<Vec3> seen;
  for (int s = 0; s < 8; ++s) {
    const Vec3 v{s & 1 ? -h : h, s & 2 ? -k : k, s & 4 ? -l : l};
    bool known = false;
    for (const Vec3& w : seen) known = known || w == v;
    if (known) continue;
    seen.push_back(v);
    faces.push_back(Face(v[0], v[1], v[2], d));
  }
}

struct Case {
  UnitCell cell;
  std::vector<FaceRecord> faces;
};

test::Agreement Check(const Case& c, const std::string& what) {
  PolyhedronInput input;
  input.faces = c.faces;
  input.cell = BuildCellMatrices(c.cell);
  return ExpectExactAgreement(input, what);
}

// The support value of the box |x| <= a, |y| <= b, |z| <= c along the face's
// Cartesian normal: the distance at which the face just touches a corner.
Real BoxSupport(const CellMatrices& m, const FaceRecord& f, Real a, Real b, Real c) {
  const Vec3 n = HklToCartesian(m, f.Indices());
  return (std::fabs(n[0]) * a + std::fabs(n[1]) * b + std::fabs(n[2]) * c) / Norm(n);
}

TEST(HostileDifferentialTest, PlatesAndNeedlesToAspectTenThousand) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> cut(0.9, 0.999);
  int checked = 0;
  for (Real aspect : {10.0L, 100.0L, 1000.0L, 10000.0L})
    for (bool needle : {false, true}) {
      const Real a = 1, b = needle ? 1 : aspect, c = needle ? aspect : 1 / aspect;
      Case k;
      AddForm(k.faces, 1, 0, 0, a);
      AddForm(k.faces, 0, 1, 0, b);
      AddForm(k.faces, 0, 0, 1, c);
      const CellMatrices m = BuildCellMatrices(k.cell);
      for (const Vec3& form : {Vec3{1, 1, 0}, Vec3{1, 0, 1}, Vec3{0, 1, 1}, Vec3{1, 1, 1}}) {
        const FaceRecord probe = Face(form[0], form[1], form[2], 1);
        AddForm(k.faces, form[0], form[1], form[2],
                static_cast<Real>(cut(rng)) * BoxSupport(m, probe, a, b, c));
      }
      const auto agreement = Check(k, "aspect " + std::to_string(static_cast<double>(aspect)) +
                                          (needle ? " needle" : " plate"));
      EXPECT_TRUE(agreement.bounded);
      ++checked;
    }
  EXPECT_EQ(checked, 8);
}

TEST(HostileDifferentialTest, FormsTouchingCornersAndEdges) {
  // Offsets from 0 (planes through the cube's corners and edges) to 1e-6.
  for (Real gap : {0.0L, 1e-12L, 1e-10L, 1e-9L, 1e-8L, 1e-7L, 1e-6L, -1e-9L, -1e-7L, -1e-6L})
    for (bool cubeFirst : {true, false}) {
      Case k;
      std::vector<FaceRecord> cube, others;
      AddForm(cube, 1, 0, 0, 1);
      AddForm(cube, 0, 1, 0, 1);
      AddForm(cube, 0, 0, 1, 1);
      AddForm(others, 1, 1, 1, std::sqrt(3.0L) * (1 + gap));
      AddForm(others, 1, 1, 0, std::sqrt(2.0L) * (1 + gap));
      AddForm(others, 0, 1, 1, std::sqrt(2.0L) * (1 + gap));
      AddForm(others, 1, 0, 1, std::sqrt(2.0L) * (1 + gap));
      k.faces = cubeFirst ? cube : others;
      const auto& second = cubeFirst ? others : cube;
      k.faces.insert(k.faces.end(), second.begin(), second.end());
      Check(k,
            "gap " + std::to_string(static_cast<double>(gap)) + (cubeFirst ? " cube first" : ""));
    }
}

TEST(HostileDifferentialTest, TheCubeWithTheOctahedronAtThreeDecimals) {
  Case k;
  AddForm(k.faces, 1, 0, 0, 1);
  AddForm(k.faces, 0, 1, 0, 1);
  AddForm(k.faces, 0, 0, 1, 1);
  AddForm(k.faces, 1, 1, 1, 1.730L);
  Check(k, "cube and octahedron");
  PolyhedronInput input;
  input.faces = k.faces;
  input.cell = BuildCellMatrices(k.cell);
  const Polyhedron p = BuildPolyhedron(input);
  const FaceIndexLists lists = BuildFaceIndexLists(p, NumberSceneCorners(p), false);
  EXPECT_EQ(NumberSceneCorners(p).Count(), 24);
  EXPECT_EQ(p.PresentFaceCount(), 14);
  EXPECT_NEAR(static_cast<double>(lists.volumeTotal), 8.0, 1e-4);
  EXPECT_NEAR(static_cast<double>(lists.surfaceTotal), 24.0, 1e-4);
}

TEST(HostileDifferentialTest, NearParallelFaces) {
  for (int n = 2; n <= 40; n += 2) {
    Case k;
    AddForm(k.faces, 1, 0, 0, 1);
    AddForm(k.faces, 0, 1, 0, 1);
    AddForm(k.faces, 0, 0, 1, 1);
    const Vec3 normal{static_cast<Real>(n), 1, 0};
    // Just inside the cube's edge, so that the plane cuts a thin strip.
    AddForm(k.faces, n, 1, 0, (n + 1) / Norm(normal) * (1 - 1e-4L));
    AddForm(k.faces, 1, n, 0, (n + 1) / Norm(normal) * (1 - 1e-3L));
    Check(k, "n " + std::to_string(n));
  }
}

TEST(HostileDifferentialTest, DenseRandomSetsOnRandomCells) {
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    const int faces = 20 + static_cast<int>(seed * 23 % 282);
    const test::RandomFaceSet set = test::MakeDenseFaceSet(faces, seed, seed % 3 == 0);
    Case k{set.cell, set.faces};
    Check(k, "dense seed " + std::to_string(seed));
  }
  for (std::uint64_t seed = 100; seed < 112; ++seed) {
    const test::RandomFaceSet set = test::MakeBenchmarkFaceSet(301, 4, seed);
    Case k{set.cell, set.faces};
    Check(k, "random seed " + std::to_string(seed));
  }
}

TEST(HostileDifferentialTest, FacesOfAFormHaveEqualAreas) {
  // A tetragonal plate 1 x 1 x 30 with the {100} sides: the side faces differ
  // only by their index offsets, far below the area's own scale.
  Case k;
  k.cell = {1, 1, 30, 90, 90, 90};
  AddForm(k.faces, 1, 0, 0, 1);
  AddForm(k.faces, 0, 1, 0, 1);
  AddForm(k.faces, 0, 0, 1, 1.0L / 30);
  AddForm(k.faces, 1, 1, 0, 1.35L);
  const FaceRecord probe = Face(1, 1, 1, 1);
  AddForm(k.faces, 1, 1, 1, 0.98L * BoxSupport(BuildCellMatrices(k.cell), probe, 1, 1, 30));
  Check(k, "plate");
  PolyhedronInput input;
  input.faces = k.faces;
  input.cell = BuildCellMatrices(k.cell);
  const Polyhedron p = BuildPolyhedron(input);
  const FaceIndexLists lists = BuildFaceIndexLists(p, NumberSceneCorners(p), false);
  std::map<std::array<int, 3>, std::vector<Real>> forms;
  for (int i = 0; i < p.PresentFaceCount(); ++i) {
    const PresentFace& f = p.presentFaces[i];
    // Tetragonal: h and k exchange.
    const int h = static_cast<int>(std::fabs(f.h)), kk = static_cast<int>(std::fabs(f.k));
    forms[{std::max(h, kk), std::min(h, kk), static_cast<int>(std::fabs(f.l))}].push_back(
        lists.faceArea[i]);
  }
  const std::array<int, 3> sides{1, 0, 0};
  ASSERT_EQ(forms[sides].size(), 4u);
  for (const auto& [form, areas] : forms) {
    const auto [least, most] = std::minmax_element(areas.begin(), areas.end());
    EXPECT_LE(*most - *least, 1e-4L * *most) << form[0] << form[1] << form[2];
  }
}

}  // namespace
}  // namespace habitopia
