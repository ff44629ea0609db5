#include "core/polyhedron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/model.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

using test::CubeFaces;
using test::Face;

using Built = test::BuiltFaces;

Built Build(const std::vector<FaceRecord>& faces, const UnitCell& cell = {}, int cleavage = -1,
            Real previousScale = 1) {
  return test::BuildFaces(faces, {.cell = cell,
                                  .cleavageFace = cleavage,
                                  .previousDistanceScale = previousScale,
                                  .withLabelAnchors = true});
}

// Newell normal of a face's index list in list order; clockwise seen from outside
// makes it point against the outward normal.
Vec3 ListNormal(const Built& b, int p) {
  const std::vector<int>& list = b.lists.lists[p];
  Vec3 n{0, 0, 0};
  const std::size_t count = list.size() - 2;  // without the repeated first and the -1
  for (std::size_t i = 0; i < count; ++i) {
    const Vec3& a = b.corners.positions[list[i]];
    const Vec3& c = b.corners.positions[list[(i + 1) % count]];
    n[0] += (a[1] - c[1]) * (a[2] + c[2]);
    n[1] += (a[2] - c[2]) * (a[0] + c[0]);
    n[2] += (a[0] - c[0]) * (a[1] + c[1]);
  }
  return n;
}

void ExpectClockwiseFromOutside(const Built& b, const CellMatrices& cell) {
  for (int p = 0; p < b.polyhedron.PresentFaceCount(); ++p) {
    const PresentFace& face = b.polyhedron.presentFaces[p];
    const Vec3 outward = HklToCartesian(cell, {face.h, face.k, face.l});
    EXPECT_LT(Dot(ListNormal(b, p), outward), 0) << "present face " << p;
  }
}

TEST(PolyhedronTest, Cube) {
  const Built b = Build(CubeFaces());
  EXPECT_EQ(b.polyhedron.distanceScale, 1);
  EXPECT_EQ(b.polyhedron.corners.size(), 8u);
  ASSERT_EQ(b.polyhedron.PresentFaceCount(), 6);
  EXPECT_EQ(b.polyhedron.absentCount, 0);
  std::size_t flattened = 0;
  for (const PresentFace& face : b.polyhedron.presentFaces) {
    EXPECT_EQ(face.polygon.size(), 4u);
    EXPECT_EQ(face.polygon.back().key, kPolygonSentinelKey);
    flattened += face.polygon.size();
  }
  EXPECT_EQ(flattened, 24u);
  EXPECT_EQ(b.corners.Count(), 8);
  for (int p = 0; p < 6; ++p) {
    EXPECT_NEAR(b.lists.faceArea[p], 4, 1e-4L);  // planes offset by f * 5e-7
    const std::vector<int>& list = b.lists.lists[p];
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[4], list[0]);
    EXPECT_EQ(list[5], -1);
  }
  EXPECT_NEAR(b.lists.surfaceTotal, 24, 1e-4L);
  EXPECT_NEAR(b.lists.volumeTotal, 8, 1e-4L);
  EXPECT_TRUE(IsHullClosed(b.polyhedron, b.lists));
  ExpectClockwiseFromOutside(b, BuildCellMatrices({}));
  // The label sits 0.3 beyond the face centre, rounded to three decimals.
  EXPECT_EQ(b.lists.labelAnchors[0][0], 1.3);
  EXPECT_EQ(b.lists.labelAnchors[0][1], 0.0);
  EXPECT_EQ(b.lists.labelAnchors[0][2], 0.0);
}

TEST(PolyhedronTest, ScaledUnitsAndModelUnits) {
  const Built b = Build(CubeFaces(3));
  EXPECT_EQ(b.polyhedron.distanceScale, 3);
  EXPECT_NEAR(std::fabs(b.corners.positions[0][0]), 1, 1e-5L);
  EXPECT_NEAR(b.lists.surfaceTotal, 24 * 9, 1e-3L);
  EXPECT_NEAR(b.lists.volumeTotal, 216, 1e-3L);
}

TEST(PolyhedronTest, FarFaceIsAbsent) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.insert(faces.begin() + 2, Face(1, 1, 1, 100));
  const Built b = Build(faces);
  EXPECT_EQ(b.polyhedron.presentIndex[2], kAbsentFace);
  EXPECT_EQ(b.polyhedron.absentCount, 1);
  EXPECT_EQ(b.polyhedron.PresentFaceCount(), 6);
  EXPECT_EQ(b.polyhedron.presentIndex[3], 2);  // numbering without gaps
  EXPECT_EQ(b.polyhedron.presentFaces[2].face, 3);
}

TEST(PolyhedronTest, DuplicatedFaceKeepsOnlyTheNearerPlane) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(1, 0, 0, 1));
  const Built b = Build(faces);
  EXPECT_EQ(b.polyhedron.presentIndex[0], 0);
  EXPECT_EQ(b.polyhedron.presentIndex[6], kAbsentFace);
  EXPECT_EQ(b.polyhedron.corners.size(), 8u);
}

TEST(PolyhedronTest, ZeroIndicesNeitherCutNorAppear) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.insert(faces.begin() + 1, Face(0, 0, 0, 1));
  const Built b = Build(faces);
  EXPECT_EQ(b.polyhedron.presentIndex[1], kAbsentFace);
  EXPECT_EQ(b.polyhedron.PresentFaceCount(), 6);
  EXPECT_EQ(b.corners.Count(), 8);
  EXPECT_NEAR(b.lists.volumeTotal, 8, 1e-4L);
}

std::vector<FaceRecord> Octahedron(const std::vector<Vec3>& order) {
  std::vector<FaceRecord> faces;
  for (const Vec3& n : order) faces.push_back(Face(n[0], n[1], n[2], 1));
  return faces;
}

void ExpectRegularOctahedron(const Built& b) {
  ASSERT_EQ(b.polyhedron.PresentFaceCount(), 8);
  EXPECT_EQ(b.corners.Count(), 6);
  for (const PresentFace& face : b.polyhedron.presentFaces) EXPECT_EQ(face.polygon.size(), 3u);
  const Real side = std::sqrt(6.0L);
  const Real triangle = std::sqrt(3.0L) / 4 * side * side;
  for (int p = 0; p < 8; ++p) EXPECT_NEAR(b.lists.faceArea[p], triangle, 1e-4L);
  EXPECT_NEAR(b.lists.volumeTotal, 4.0L / 3 * 3 * std::sqrt(3.0L), 1e-4L);
  ExpectClockwiseFromOutside(b, BuildCellMatrices({}));
}

TEST(PolyhedronTest, OctahedronTipWithConcurrentPlanes) {
  // Opposite faces of the upper tip are 0 and 3, 1 and 2: 0 + 3 = 1 + 2, so the
  // index offsets keep the four planes meeting in one point up to the rounding
  // of the offsets: one corner, or two within rounding of each other.
  const Built b = Build(Octahedron({{1, 1, 1},
                                    {-1, 1, 1},
                                    {1, -1, 1},
                                    {-1, -1, 1},
                                    {1, 1, -1},
                                    {-1, 1, -1},
                                    {1, -1, -1},
                                    {-1, -1, -1}}));
  int atTip = 0;
  Vec3 tip{};
  for (const CornerRecord& c : b.polyhedron.corners)
    if (c.faces[2] <= 3) {
      if (atTip > 0) {
        EXPECT_NEAR(c.position[0], tip[0], 1e-15L);
        EXPECT_NEAR(c.position[2], tip[2], 1e-15L);
      }
      tip = c.position;
      ++atTip;
    }
  EXPECT_GE(atTip, 1);
  EXPECT_LE(atTip, 2);
  ExpectRegularOctahedron(b);
}

TEST(PolyhedronTest, OctahedronTipSeparatedByOffsets) {
  // 0 + 2 differs from 1 + 3: the tip splits into two corners joined by a tiny edge,
  // which the polygons and the scene numbering merge again.
  const Built b = Build(Octahedron({{1, 1, 1},
                                    {-1, 1, 1},
                                    {-1, -1, 1},
                                    {1, -1, 1},
                                    {1, 1, -1},
                                    {-1, 1, -1},
                                    {-1, -1, -1},
                                    {1, -1, -1}}));
  ExpectRegularOctahedron(b);
}

TEST(PolyhedronTest, CleavagePlaneThroughCube) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(1, 1, 1, 0.5L));
  const Built b = Build(faces, {}, 6, 1);
  EXPECT_EQ(b.polyhedron.distanceScale, 1);  // kept from the last build
  EXPECT_EQ(b.polyhedron.corners.size(), 14u);
  ASSERT_EQ(b.polyhedron.PresentFaceCount(), 7);
  const PresentFace& section = b.polyhedron.presentFaces[6];
  EXPECT_EQ(section.face, 6);
  EXPECT_EQ(section.polygon.size(), 6u);
  for (const PolygonEntry& e : section.polygon)
    EXPECT_NEAR(e.position[0] + e.position[1] + e.position[2], 0.5L * std::sqrt(3.0L), 1e-5L);
  EXPECT_EQ(b.lists.faceArea[6], 0);
  EXPECT_NEAR(b.lists.surfaceTotal, 24, 1e-4L);
  EXPECT_NEAR(b.lists.volumeTotal, 8, 1e-4L);
  // Corners on the plane are pushed outward once per face gathering them (three).
  const Real push = kCleavagePush * kCleavagePush * kCleavagePush;
  const Real planeHeight = (0.5L + 6 * kPlaneOffsetStep) * std::sqrt(3.0L);
  int onPlane = 0;
  for (const CornerRecord& c : b.polyhedron.corners)
    if (c.faces[2] == 6) {
      ++onPlane;
      const Real height = c.position[0] + c.position[1] + c.position[2];
      EXPECT_NEAR(height / push, planeHeight, 1e-15L);
      EXPECT_GT(height - planeHeight, 1e-7L);
    }
  EXPECT_EQ(onPlane, 6);
}

TEST(PolyhedronTest, EmptyAndUnboundedTablesAreNotClosed) {
  const Built empty = Build({});
  EXPECT_TRUE(empty.polyhedron.corners.empty());
  EXPECT_EQ(empty.polyhedron.PresentFaceCount(), 0);
  EXPECT_EQ(empty.lists.surfaceTotal, 0);
  EXPECT_EQ(empty.lists.volumeTotal, 0);
  EXPECT_FALSE(IsHullClosed(empty.polyhedron, empty.lists));

  const Built corner = Build({Face(1, 0, 0, 1), Face(0, 1, 0, 1), Face(0, 0, 1, 1)});
  EXPECT_EQ(corner.polyhedron.corners.size(), 1u);
  EXPECT_EQ(corner.polyhedron.absentCount, 3);
  EXPECT_FALSE(IsHullClosed(corner.polyhedron, corner.lists));
}

TEST(PolyhedronTest, VolumeCriterion) {
  EXPECT_FALSE(VolumeIsPlausible(0, 1));
  EXPECT_TRUE(VolumeIsPlausible(10000, 1));
  EXPECT_FALSE(VolumeIsPlausible(10000.001L, 1));
  EXPECT_TRUE(VolumeIsPlausible(80000, 2));
  EXPECT_FALSE(VolumeIsPlausible(NAN, 1));
}

TEST(PolyhedronTest, OpenSurfaceWithPlausibleVolumeIsNotClosed) {
  // Without its -x face the cube is open: one face keeps its square, the four
  // side faces keep two corners each, and the volume (4/3) looks plausible.
  std::vector<FaceRecord> faces = CubeFaces();
  faces.erase(faces.begin() + 1);
  const Built open = Build(faces);
  EXPECT_EQ(open.polyhedron.PresentFaceCount(), 1);
  EXPECT_TRUE(VolumeIsPlausible(open.lists.volumeTotal, open.polyhedron.distanceScale));
  EXPECT_FALSE(SurfaceIsClosed(open.polyhedron));
  EXPECT_FALSE(IsHullClosed(open.polyhedron, open.lists));

  // A prism capped on one side only.
  std::vector<FaceRecord> prism = CubeFaces();
  prism.pop_back();
  prism.push_back(Face(1, 1, -1, 1.5L));
  prism.push_back(Face(-1, -1, 0, 1.2L));
  EXPECT_TRUE(IsHullClosed(Build(prism).polyhedron, Build(prism).lists));
  prism.erase(prism.begin() + 4);  // the top face goes: open upwards
  const Built topless = Build(prism);
  EXPECT_FALSE(SurfaceIsClosed(topless.polyhedron));
}

TEST(PolyhedronTest, SectionDoesNotOpenTheSurface) {
  std::vector<FaceRecord> faces = CubeFaces();
  faces.push_back(Face(1, 1, 1, 0.5L));
  const Built b = Build(faces, {}, 6, 1);
  EXPECT_TRUE(IsHullClosed(b.polyhedron, b.lists, 6));
  EXPECT_FALSE(SurfaceIsClosed(b.polyhedron, -1));  // counted as a face it would not close
}

TEST(PolyhedronTest, FaceWithManyCornersKeepsThemAll) {
  // A 64-sided prism: its top and bottom have more corners than a fixed
  // 51-entry polygon could hold.
  std::vector<FaceRecord> faces = {Face(0, 0, 1, 1), Face(0, 0, -1, 1)};
  const int sides = 64;
  for (int s = 0; s < sides; ++s) {
    const Real angle = 2 * std::acos(-1.0L) * s / sides;
    faces.push_back(Face(std::cos(angle), std::sin(angle), 0, 1));
  }
  const Built b = Build(faces);
  ASSERT_EQ(b.polyhedron.PresentFaceCount(), sides + 2);
  EXPECT_EQ(b.polyhedron.presentFaces[0].polygon.size(), static_cast<std::size_t>(sides));
  EXPECT_EQ(b.lists.lists[0].size(), static_cast<std::size_t>(sides + 2));
  EXPECT_EQ(b.corners.Count(), 2 * sides);
  const Real expectedArea = sides * std::tan(std::acos(-1.0L) / sides);
  EXPECT_NEAR(b.lists.faceArea[0], expectedArea, 1e-3L);
  ExpectClockwiseFromOutside(b, BuildCellMatrices({}));
}

TEST(PolyhedronTest, ProgressCanStopTheSearch) {
  std::vector<FaceRecord> faces = CubeFaces();
  PolyhedronInput input;
  input.faces = faces;
  input.cell = BuildCellMatrices({});
  BuildOptions options;
  std::vector<int> seen;
  options.progress = [&](int done, int total) {
    EXPECT_EQ(total, 5);
    seen.push_back(done);
    return true;
  };
  const Polyhedron whole = BuildPolyhedron(input, options);
  EXPECT_TRUE(whole.complete);
  EXPECT_EQ(seen, (std::vector<int>{0, 5}));  // started and finished
  EXPECT_EQ(whole.corners.size(), 8u);
  options.progress = [](int, int) { return false; };
  const Polyhedron stopped = BuildPolyhedron(input, options);
  EXPECT_FALSE(stopped.complete);
  EXPECT_TRUE(stopped.corners.empty());
  EXPECT_EQ(stopped.PresentFaceCount(), 0);
}

TEST(SortByKeyTest, SortsAscendingAndToleratesNaN) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<PolygonEntry> entries(1 + rng() % 40);
    for (auto& e : entries) e.key = static_cast<Real>(static_cast<int>(rng() % 9)) / 4 - 1;
    SortByKey(entries, 0, static_cast<int>(entries.size()) - 1);
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                               [](const auto& a, const auto& b) { return a.key < b.key; }));
  }
  std::vector<PolygonEntry> withNaN(5);
  withNaN[2].key = NAN;
  withNaN[0].key = 3;
  SortByKey(withNaN, 0, 4);
  EXPECT_EQ(withNaN.size(), 5u);
}

}  // namespace
}  // namespace habitopia
