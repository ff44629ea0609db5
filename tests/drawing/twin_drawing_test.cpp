// Twins in the drawings: what one individual hides of the other, checked against
// rays cast through both; the twin operation's matrix; twin poles and the
// equal-area projection in the stereogram.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/model.h"
#include "drawing/crystal_drawing.h"
#include "drawing/stereogram.h"
#include "drawing/twin_turn.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

struct TwinnedCube {
  CrystalModel model;
  Polyhedron polyhedron;
  SceneSwitches switches;
  SceneGeometry geometry;
  TwinnedCube(TwinChoice twin, const TwinSettings& settings, const std::string& face = "") {
    test::SetCubeFaces(model);
    model.twin = settings;
    polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
    switches.twin = twin;
    switches.twinFace = face;
    geometry = BuildSceneGeometry(model, polyhedron, switches);
  }
  CrystalDrawing Draw(const Vec3& toward, std::optional<Real> eye = std::nullopt) const {
    CrystalDrawingOptions options;
    options.frame = *MakeViewFrame(toward);
    options.frame.eyeDistance = eye;
    options.labels = true;
    return DrawCrystal(model.matrices, polyhedron, geometry, model.display, options);
  }
};

TwinSettings Rotation(const Vec3& axis, Real degrees) {
  TwinSettings t;
  t.type = TwinType::RotationReal;
  t.twinAxis = axis;
  t.twinAngle = degrees;
  return t;
}

TwinSettings Inversion(const Vec3& centre) {
  TwinSettings t;
  t.type = TwinType::Inversion;
  t.twinCentre = centre;
  return t;
}

Real RingArea(const std::vector<Point2>& ring) {
  Real twice = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Point2& a = ring[i];
    const Point2& b = ring[(i + 1) % ring.size()];
    twice += a[0] * b[1] - a[1] * b[0];
  }
  return std::fabs(twice) / 2;
}

bool InRing(const std::vector<Point2>& ring, const Point2& p) {
  bool in = false;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
    if ((ring[i][1] > p[1]) != (ring[j][1] > p[1]) &&
        p[0] < (ring[j][0] - ring[i][0]) * (p[1] - ring[i][1]) / (ring[j][1] - ring[i][1]) +
                   ring[i][0])
      in = !in;
  return in;
}

Real DistanceToRing(const std::vector<Point2>& ring, const Point2& p) {
  Real best = 1e30L;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Point2& a = ring[i];
    const Point2& b = ring[(i + 1) % ring.size()];
    const Real dx = b[0] - a[0], dy = b[1] - a[1];
    const Real t =
        std::clamp<Real>(((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / (dx * dx + dy * dy), 0, 1);
    best = std::min(best, std::hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy));
  }
  return best;
}

struct Plane {
  Vec3 n{};
  Real d = 0;
};

// Nearest hit of the line of sight through page point (x, y) (parallel view) on
// a convex body: its depth along toward and the face, or face -1 for a miss.
std::pair<Real, int> FirstHit(const std::vector<Plane>& planes, const ViewFrame& frame, Real x,
                              Real y) {
  const Vec3 q = AddVec(ScaleVec(frame.right, x), ScaleVec(frame.up, y));
  Real low = -1e30L, high = 1e30L;
  int face = -1;
  for (int p = 0; p < static_cast<int>(planes.size()); ++p) {
    const Real along = Dot(planes[p].n, frame.toward);
    const Real room = planes[p].d - Dot(planes[p].n, q);
    if (along > 0 && room / along < high) {
      high = room / along;
      face = p;
    } else if (along < 0) {
      low = std::max(low, room / along);
    } else if (along == 0 && room < 0) {
      return {0, -1};
    }
  }
  return low < high ? std::pair{high, face} : std::pair{Real{0}, -1};
}

// Every page point is covered by the drawn face (crystal or twin) that a ray cast
// from the viewer meets first, and by no other.
void ExpectRaysAgree(const TwinnedCube& cube, const Matrix3& turn, const Vec3& toward) {
  const CrystalDrawing drawing = cube.Draw(toward);
  const ViewFrame frame = *MakeViewFrame(toward);
  std::vector<Plane> crystal, twin;
  for (int p = 0; p < cube.polyhedron.PresentFaceCount(); ++p) {
    Vec3 n = cube.polyhedron.planes[cube.polyhedron.presentFaces[p].face].normal;
    n = ScaleVec(n, 1 / Norm(n));
    const Real d = Dot(n, cube.geometry.corners.positions[cube.geometry.lists.lists[p][0]]);
    crystal.push_back({n, d});
    twin.push_back({MultiplyMatVec(turn, n), d});  // the turns here keep the centre
  }
  int checked = 0, hole = 0;
  for (int i = 0; i <= 80; ++i)
    for (int j = 0; j <= 80; ++j) {
      const Point2 at{-2.2L + 4.4L * i / 80, -2.2L + 4.4L * j / 80};
      const auto [depthA, faceA] = FirstHit(crystal, frame, at[0], at[1]);
      const auto [depthB, faceB] = FirstHit(twin, frame, at[0], at[1]);
      if (faceA >= 0 && faceB >= 0 && std::fabs(depthA - depthB) < 1e-6L) continue;
      bool nearEdge = false;
      std::vector<const DrawnFace*> covering;
      for (const DrawnFace& f : drawing.faces) {
        nearEdge = nearEdge || DistanceToRing(f.outline, at) < 1e-3L ||
                   (!f.hole.empty() && DistanceToRing(f.hole, at) < 1e-3L);
        if (InRing(f.outline, at) && !(f.hole.size() >= 3 && InRing(f.hole, at)))
          covering.push_back(&f);
      }
      if (nearEdge) continue;
      ++checked;
      if (faceA < 0 && faceB < 0) {
        EXPECT_TRUE(covering.empty()) << at[0] << " " << at[1];
        continue;
      }
      const bool twinInFront = faceA < 0 || (faceB >= 0 && depthB > depthA);
      ASSERT_EQ(covering.size(), 1u) << at[0] << " " << at[1];
      EXPECT_EQ(covering[0]->twin, twinInFront) << at[0] << " " << at[1];
      EXPECT_EQ(covering[0]->presentFace, twinInFront ? faceB : faceA) << at[0] << " " << at[1];
      hole += !covering[0]->hole.empty();
    }
  EXPECT_GT(checked, 3000);
  EXPECT_GT(hole, 100);  // the individuals do hide parts of each other's faces
}

TEST(TwinDrawing, PenetrationTwinAgreesWithCastRays) {
  const TwinnedCube cube(TwinChoice::Rotation, Rotation({0, 0, 1}, 45));
  const Real c = std::sqrt(0.5L);
  const Matrix3 turn{{{c, -c, 0}, {c, c, 0}, {0, 0, 1}}};
  ExpectRaysAgree(cube, turn, ClinographicDirection());
  ExpectRaysAgree(cube, turn, {1, 2, 3});
  const TwinnedCube tilted(TwinChoice::Rotation, Rotation({1, 1, 0}, 30));
  ExpectRaysAgree(tilted, *TwinTurn(tilted.model, tilted.geometry, TwinChoice::Rotation),
                  {0.3L, -1, 0.6L});
}

TEST(TwinDrawing, InterpenetrationDrawsTheLinesWhereTheFacesMeet) {
  const TwinnedCube cube(TwinChoice::Rotation, Rotation({0, 0, 1}, 45));
  const CrystalDrawing drawing = cube.Draw(ClinographicDirection());
  // A crystal face and a twin face meet on a line inside both individuals; some of
  // those lines are not edges of either cube.
  int twinFaces = 0;
  for (const DrawnFace& f : drawing.faces) twinFaces += f.twin;
  EXPECT_GT(twinFaces, 0);
  const CrystalDrawing alone = TwinnedCube(TwinChoice::None, {}).Draw(ClinographicDirection());
  // Each cube has 12 edges; the lines of intersection come on top, some split.
  EXPECT_GT(drawing.edges.size(), 24u + 8u);
  EXPECT_EQ(alone.edges.size(), 12u);
}

TEST(TwinDrawing, ANearerTwinHidesTheCrystal) {
  // Inverted through (3 0 0): a second cube centred at x = 6, in front of the crystal.
  const TwinnedCube cube(TwinChoice::Inversion, Inversion({3, 0, 0}));
  // Seen from an eye on the x axis the twin covers the crystal's face and edges.
  const CrystalDrawing covered = cube.Draw({1, 0, 0}, 12);
  ASSERT_EQ(covered.faces.size(), 1u);
  EXPECT_TRUE(covered.faces[0].twin);
  int visible = 0;
  for (const DrawnEdge& e : covered.edges) visible += e.visible;
  EXPECT_EQ(visible, 4);
  EXPECT_EQ(covered.edges.size(), 24u);

  // Seen along (1, 0.05, 0) its shadow covers all of the crystal's (1 0 0) face but
  // a strip y > 0.8: (1 - 4 * 0.05) to 1 of the face's width -1..1.
  const CrystalDrawing part = cube.Draw({1, 0.05L, 0});
  bool found = false;
  for (const DrawnFace& f : part.faces) {
    if (f.twin || f.hkl != Vec3{1, 0, 0}) continue;
    found = true;
    ASSERT_GE(f.hole.size(), 3u);
    EXPECT_NEAR((RingArea(f.outline) - RingArea(f.hole)) / RingArea(f.outline), 0.1L, 1e-5L);
  }
  EXPECT_TRUE(found);
  const std::string svg = CrystalDrawingSvg(part, "cube");
  EXPECT_NE(svg.find("class=\"face\" fill-rule=\"evenodd\" d=\"M"), std::string::npos);
  EXPECT_NE(svg.find("class=\"twin-face\""), std::string::npos);
}

TEST(TwinDrawing, ContactTwinLeavesTheContactFacesOut) {
  const TwinnedCube cube(TwinChoice::Contact, {}, "0 0 1");
  const CrystalDrawing drawing = cube.Draw({1, 2, 3});
  int crystal = 0, twin = 0;
  for (const DrawnFace& f : drawing.faces) {
    (f.twin ? twin : crystal)++;
    EXPECT_TRUE(f.hole.empty());  // they meet only in the contact plane
    EXPECT_NE(f.hkl, (Vec3{0, 0, 1}));
  }
  // Seen from above, the crystal shows (1 0 0) and (0 1 0) under the twin, which
  // shows those two and its top, the mirror image of the crystal's (0 0 -1).
  EXPECT_EQ(crystal, 2);
  EXPECT_EQ(twin, 3);
}

TEST(TwinDrawing, TwinTurnIsTheLinearPartOfTheTwinOperation) {
  auto expectMatrix = [](const Matrix3& m, const Matrix3& expected) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(m[r][c], expected[r][c], 1e-15L) << r << c;
  };
  const TwinnedCube contact(TwinChoice::Contact, {}, "0 0 1");
  expectMatrix(*TwinTurn(contact.model, contact.geometry, TwinChoice::Contact),
               {{{1, 0, 0}, {0, 1, 0}, {0, 0, -1}}});
  TwinSettings shifted = Rotation({0, 0, 1}, 90);
  shifted.twinThrough = {0.5L, 0.25L, 0.5L};  // moves the twin, turns it the same
  const TwinnedCube rotation(TwinChoice::Rotation, shifted);
  expectMatrix(*TwinTurn(rotation.model, rotation.geometry, TwinChoice::Rotation),
               {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}});
  const TwinnedCube inversion(TwinChoice::Inversion, Inversion({3, 1, 0}));
  expectMatrix(*TwinTurn(inversion.model, inversion.geometry, TwinChoice::Inversion),
               {{{-1, 0, 0}, {0, -1, 0}, {0, 0, -1}}});
  const TwinnedCube none(TwinChoice::None, {});
  EXPECT_FALSE(TwinTurn(none.model, none.geometry, TwinChoice::None));
  EXPECT_EQ(TwinColour({192, 192, 192}), (std::array<int, 3>{214, 171, 119}));
}

TEST(TwinStereogram, TwinPolesAreTheTurnedNormals) {
  const TwinnedCube cube(TwinChoice::Rotation, Rotation({1, 0, 0}, 45));
  StereogramOptions options;
  options.frame = *MakeViewFrame({0, 0, 1});
  options.twinTurn = TwinTurn(cube.model, cube.geometry, TwinChoice::Rotation);
  const Stereogram s =
      BuildStereogram(cube.model.matrices, cube.model.FaceTable(), cube.polyhedron, options);
  ASSERT_EQ(s.poles.size(), 12u);
  EXPECT_TRUE(s.twin);
  for (int i = 0; i < 6; ++i) {
    EXPECT_FALSE(s.poles[i].twin);
    EXPECT_TRUE(s.poles[i + 6].twin);
    EXPECT_EQ(s.poles[i + 6].hkl, s.poles[i].hkl);
  }
  // The twin's (0 0 1) is turned 45 degrees about a (towards -y): tan(22.5) from the centre.
  for (const StereoPole& p : s.poles)
    if (p.twin && p.hkl == Vec3{0, 0, 1}) {
      EXPECT_NEAR(std::hypot(p.position.point[0], p.position.point[1]), std::sqrt(2.0L) - 1,
                  1e-15L);
      EXPECT_TRUE(p.position.upper);
    }
  const std::string svg = StereogramSvg(s, "cube");
  EXPECT_NE(svg.find("class=\"pole twin upper\""), std::string::npos);
  EXPECT_NE(svg.find("twin face, upper hemisphere"), std::string::npos);
}

TEST(TwinStereogram, EqualAreaProjectionKeepsAreas) {
  const ViewFrame frame = *MakeViewFrame({0, 0, 1});
  // At angle t from the centre a pole lies sqrt(2) sin(t / 2) out (tan(t / 2) equal-angle).
  for (Real degrees : {0.0L, 30.0L, 60.0L, 90.0L, 135.0L}) {
    const Real t = degrees * kDegreesToRadians;
    const Vec3 d{std::sin(t), 0, std::cos(t)};
    const StereoPosition area = StereographicPosition(frame, d, StereoProjection::EqualArea);
    const StereoPosition angle = StereographicPosition(frame, d);
    const Real ta = t > kDegreesToRadians * 90 ? 3.14159265358979323846L - t : t;
    EXPECT_NEAR(std::hypot(area.point[0], area.point[1]), std::sqrt(2.0L) * std::sin(ta / 2),
                1e-15L);
    EXPECT_NEAR(std::hypot(angle.point[0], angle.point[1]), std::tan(ta / 2), 1e-15L);
  }
  StereogramOptions options;
  options.frame = frame;
  options.wulffNet = true;
  options.projection = StereoProjection::EqualArea;
  Polyhedron none;
  const Stereogram s = BuildStereogram(BuildCellMatrices(UnitCell{}), {}, none, options);
  EXPECT_EQ(s.net.size(), 34u);
  const std::string svg = StereogramSvg(s, "net");
  EXPECT_NE(svg.find("id=\"schmidt-net\""), std::string::npos);
  // The net stays inside the primitive; its small circle 60 degrees about up passes
  // 30 degrees above the centre, at sqrt(2) sin(15) (tan(15) equal-angle).
  bool through = false;
  for (const StereoCurve& c : s.net)
    for (const Point2& p : c.points) {
      EXPECT_LE(std::hypot(p[0], p[1]), 1 + 1e-12);
      through = through ||
                std::hypot(p[0], p[1] - std::sqrt(2.0L) * std::sin(15 * kDegreesToRadians)) < 0.01L;
    }
  EXPECT_TRUE(through);
}

}  // namespace
}  // namespace habitopia
