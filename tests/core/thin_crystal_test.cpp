// Plates and needles: the merge distances shrink with the crystal's thinnest
// side, so the corners on its two sides stay apart, while ordinary crystals
// keep the fixed distances.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/polyhedron.h"
#include "support/exact_volume.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

using test::Face;

struct FormFace {
  FaceRecord face;
  std::string form;
};

struct ThinCase {
  std::string name;
  UnitCell cell;
  std::vector<FormFace> faces;
};

void AddForm(std::vector<FormFace>& faces, const std::string& form, Real d,
             const std::vector<Vec3>& indices) {
  for (const Vec3& i : indices) faces.push_back({Face(i[0], i[1], i[2], d), form});
}

std::vector<Vec3> SignsOf(Real h, Real k, Real l) {
  std::vector<Vec3> out;
  for (int s = 0; s < 8; ++s) {
    const Vec3 v{s & 1 ? -h : h, s & 2 ? -k : k, s & 4 ? -l : l};
    if (std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
  }
  return out;
}

// An orthorhombic plate thin along b, a needle along c, and a hexagonal plate.
std::vector<ThinCase> Cases(Real aspect) {
  const Real t = 1 / aspect;
  std::vector<ThinCase> cases;
  ThinCase plate{"plate", {}, {}};
  AddForm(plate.faces, "{100}", 1, SignsOf(1, 0, 0));
  AddForm(plate.faces, "{001}", 1.2L, SignsOf(0, 0, 1));
  AddForm(plate.faces, "{010}", t, SignsOf(0, 1, 0));
  AddForm(plate.faces, "{111}", 1.1L, SignsOf(1, 1, 1));
  cases.push_back(plate);
  ThinCase needle{"needle", {1, 1, 1, 90, 90, 90}, {}};
  AddForm(needle.faces, "{100}", t, SignsOf(1, 0, 0));
  AddForm(needle.faces, "{010}", t, SignsOf(0, 1, 0));
  AddForm(needle.faces, "{110}", 1.2L * t, SignsOf(1, 1, 0));
  AddForm(needle.faces, "{001}", 1, SignsOf(0, 0, 1));
  cases.push_back(needle);
  ThinCase hexagonal{"hexagonal plate", {1, 1, 1, 90, 90, 120}, {}};
  const std::vector<Vec3> prism{{1, 0, 0},  {0, 1, 0},  {-1, 1, 0},
                                {-1, 0, 0}, {0, -1, 0}, {1, -1, 0}};
  AddForm(hexagonal.faces, "{100}", 1, prism);
  AddForm(hexagonal.faces, "{001}", t, SignsOf(0, 0, 1));
  AddForm(hexagonal.faces, "{110}", 1.05L,
          {{1, 1, 0}, {-1, 2, 0}, {-2, 1, 0}, {-1, -1, 0}, {1, -2, 0}, {2, -1, 0}});
  cases.push_back(hexagonal);
  return cases;
}

void CheckCase(const ThinCase& c, Real aspect) {
  SCOPED_TRACE(c.name + " of aspect " + std::to_string(static_cast<int>(aspect)));
  std::vector<FaceRecord> faces;
  for (const FormFace& f : c.faces) faces.push_back(f.face);
  test::BuildFacesOptions options;
  options.cell = c.cell;
  const test::BuiltFaces built = test::BuildFaces(faces, options);
  const Real exact = test::ExactHalfSpaceVolume(faces, c.cell);
  ASSERT_GT(exact, 0);
  EXPECT_NEAR(static_cast<double>(built.lists.volumeTotal / exact), 1.0, 0.01);
  std::map<std::string, std::vector<Real>> areas;
  for (int p = 0; p < built.polyhedron.PresentFaceCount(); ++p)
    areas[c.faces[built.polyhedron.presentFaces[p].face].form].push_back(built.lists.faceArea[p]);
  for (const FormFace& f : c.faces) ASSERT_TRUE(areas.count(f.form)) << f.form << " missing";
  for (const auto& [form, list] : areas) {
    Real mean = 0;
    for (Real a : list) mean += a / list.size();
    ASSERT_GT(mean, 0) << form;
    for (Real a : list) EXPECT_NEAR(static_cast<double>(a / mean), 1.0, 0.01) << form;
  }
}

TEST(ThinCrystalTest, PlatesAndNeedlesHaveTheirExactVolumeAndEqualFormAreas) {
  for (Real aspect : {10.0L, 150.0L, 400.0L, 1000.0L})
    for (const ThinCase& c : Cases(aspect)) CheckCase(c, aspect);
}

TEST(ThinCrystalTest, MergeDistancesShrinkOnlyOnThinCrystals) {
  // The cube and a crystal whose nearest face is at 1/20 of the mean distance keep
  // the fixed distances.
  EXPECT_EQ(test::BuildFaces(test::CubeFaces()).polyhedron.mergeScale, 1);
  std::vector<FaceRecord> faces = test::CubeFaces();
  faces[2].distance = faces[3].distance = 0.25L;  // mean 5/6: nearest at 0.3 scaled
  EXPECT_EQ(test::BuildFaces(faces).polyhedron.mergeScale, 1);
  // A plate whose sides lie at 0.01 scaled units: a fifth of the distances.
  for (FaceRecord& f : faces) f.distance = 1;
  faces[2].distance = faces[3].distance = 0.01L * 4 / 6;
  faces[2].distance = faces[3].distance = 0.01L * (4 + 2 * faces[2].distance) / 6;
  const Polyhedron plate = test::BuildFaces(faces).polyhedron;
  EXPECT_NEAR(static_cast<double>(plate.mergeScale), 0.2, 1e-4);
  // A cleavage plane near the centre does not make the crystal thin.
  faces = test::CubeFaces();
  faces.push_back(Face(1, 1, 0, 0.001L));
  test::BuildFacesOptions options;
  options.cleavageFace = 6;
  options.previousDistanceScale = 1;
  EXPECT_EQ(test::BuildFaces(faces, options).polyhedron.mergeScale, 1);
}

}  // namespace
}  // namespace habitopia
