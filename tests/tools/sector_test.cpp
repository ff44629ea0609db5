// Growth sectors projected from the crystal's centre onto the cleavage plane.

#include <gtest/gtest.h>

#include "core/polyhedron.h"
#include "tools/growth_sectors.h"

namespace habitopia {
namespace {

// Present faces with the given flattened entries; the cleavage plane is face 0
// with normal (0 0 2) (not a unit vector).
struct SectorCase {
  Polyhedron polyhedron;
  FlatCorners flat;
  void AddFace(std::vector<Vec3> entries, bool ownColour) {
    const int p = polyhedron.PresentFaceCount();
    PresentFace face;
    face.colourShown = ownColour ? 1 : 0;
    polyhedron.presentFaces.push_back(face);
    for (const Vec3& e : entries) {
      flat.positions.push_back(e);
      flat.presentFace.push_back(p);
    }
  }
  SectorCase() { polyhedron.planes.push_back({{0, 0, 2}, 0.5L}); }
};

void ExpectAt(const Vec3& a, const Vec3& b) {
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(static_cast<double>(a[i]), static_cast<double>(b[i]), 1e-15);
}

TEST(GrowthSectorProjection, CentralProjectionOntoThePlane) {
  SectorCase s;
  s.AddFace({{1, 0, 1}, {0, 2, 2}, {1, 1, 0.5L}}, true);
  ProjectGrowthSectors(s.flat, s.polyhedron, 0, 0.5L);
  ExpectAt(s.flat.positions[0], {0.5L, 0, 0.5L});
  ExpectAt(s.flat.positions[1], {0, 0.5L, 0.5L});
  ExpectAt(s.flat.positions[2], {1, 1, 0.5L});
}

TEST(GrowthSectorProjection, OnlyFacesInTheirOwnColour) {
  SectorCase s;
  s.AddFace({{1, 0, 1}, {0, 1, 1}, {1, 1, 1}}, false);
  const auto before = s.flat.positions;
  ProjectGrowthSectors(s.flat, s.polyhedron, 0, 0.5L);
  EXPECT_EQ(s.flat.positions, before);
  // Without a cleavage plane nothing moves either.
  SectorCase t;
  t.AddFace({{1, 0, 1}, {0, 1, 1}, {1, 1, 1}}, true);
  const auto unchanged = t.flat.positions;
  ProjectGrowthSectors(t.flat, t.polyhedron, -1, 0.5L);
  EXPECT_EQ(t.flat.positions, unchanged);
}

TEST(GrowthSectorProjection, EntriesOnTheCentresSideFollowTheEntryBefore) {
  SectorCase s;
  s.AddFace({{4, 0, 2}, {3, 0, 0.2L}, {2, 2, 1}}, true);
  ProjectGrowthSectors(s.flat, s.polyhedron, 0, 0.5L);
  ExpectAt(s.flat.positions[0], {1, 0, 0.5L});
  ExpectAt(s.flat.positions[1], {1, 0, 0.5L});  // z = 0.2 is short of the plane
  ExpectAt(s.flat.positions[2], {1, 1, 0.5L});
  // The margin: 0.5 - 0.005 counts as behind the plane, 0.496 does not.
  SectorCase m;
  m.AddFace({{1, 0, 1}, {0, 0, 0.495L}, {0, 0.992L, 0.496L}}, true);
  ProjectGrowthSectors(m.flat, m.polyhedron, 0, 0.5L);
  ExpectAt(m.flat.positions[1], {0.5L, 0, 0.5L});
  EXPECT_NEAR(static_cast<double>(m.flat.positions[2][1]), 0.992 * 0.5 / 0.496, 1e-12);
}

TEST(GrowthSectorProjection, LeadingEntriesTakeTheFirstOneOnThePlane) {
  SectorCase s;
  s.AddFace({{9, 9, 9}}, false);  // an earlier face's entry
  s.AddFace({{3, 0, 0.1L}, {1, 1, 0}, {0, 2, 1}, {2, 0, 2}}, true);
  ProjectGrowthSectors(s.flat, s.polyhedron, 0, 0.5L);
  ExpectAt(s.flat.positions[0], {9, 9, 9});
  // Entries 1 and 2 lie short of the plane; entry 3 is the face's first beyond it.
  ExpectAt(s.flat.positions[1], {0, 1, 0.5L});
  ExpectAt(s.flat.positions[2], {0, 1, 0.5L});
  ExpectAt(s.flat.positions[3], {0, 1, 0.5L});
  ExpectAt(s.flat.positions[4], {0.5L, 0, 0.5L});
}

TEST(GrowthSectorProjection, NearlyParallelCornerUsesTheSmallestDistance) {
  SectorCase s;
  s.AddFace({{1, 0, 1}, {1, 0, 0.0001L}}, true);
  ProjectGrowthSectors(s.flat, s.polyhedron, 0, 0.5L);
  // w is raised to 0.001, so the corner lies behind the plane and follows entry 0.
  ExpectAt(s.flat.positions[1], {0.5L, 0, 0.5L});
  SectorCase t;
  t.AddFace({{1, 0, 0.0001L}}, true);  // the first entry has none before it
  ProjectGrowthSectors(t.flat, t.polyhedron, 0, 0.5L);
  ExpectAt(t.flat.positions[0], {500, 0, 0.05L});
}

}  // namespace
}  // namespace habitopia
