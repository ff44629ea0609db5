// Crystal drawings: exact visibility of faces and edges, hidden parts of the
// axes, labels, the frame and the SVG text.

#include "drawing/crystal_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/model.h"
#include "drawing/svg_text.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

// The builder pushes face f out by f * 5e-7, so the cube is not exactly the unit cube.
constexpr Real kOffsets = 1e-5L;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

struct BuiltCube {
  CrystalModel model;
  Polyhedron polyhedron;
  SceneGeometry geometry;
  BuiltCube() {
    test::SetCubeFaces(model);
    polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
    geometry = BuildSceneGeometry(model, polyhedron, SceneSwitches{});
  }
  CrystalDrawing Draw(const Vec3& toward, HiddenEdges hidden = HiddenEdges::Dashed,
                      std::optional<Real> eye = std::nullopt) const {
    CrystalDrawingOptions options;
    options.frame = *MakeViewFrame(toward);
    options.frame.eyeDistance = eye;
    options.hidden = hidden;
    options.labels = true;
    options.axes = true;
    return DrawCrystal(model.matrices, polyhedron, geometry, model.display, options);
  }
};

int Visible(const CrystalDrawing& d) {
  int n = 0;
  for (const DrawnEdge& e : d.edges) n += e.visible;
  return n;
}

TEST(CrystalDrawing, CubeAlongBodyDiagonalShowsThreeFacesAndThreeHiddenEdges) {
  const BuiltCube cube;
  const CrystalDrawing dashed = cube.Draw({1, 1, 1});
  EXPECT_EQ(dashed.faces.size(), 3u);
  for (const DrawnFace& f : dashed.faces) EXPECT_GT(f.hkl[0] + f.hkl[1] + f.hkl[2], 0);
  EXPECT_EQ(dashed.edges.size(), 12u);
  EXPECT_EQ(Visible(dashed), 9);

  const CrystalDrawing none = cube.Draw({1, 1, 1}, HiddenEdges::None);
  EXPECT_EQ(none.edges.size(), 9u);
  EXPECT_EQ(Visible(none), 9);

  const std::string svg = CrystalDrawingSvg(dashed, "cube");
  EXPECT_EQ(Count(svg, "class=\"face\""), 3);
  EXPECT_EQ(Count(svg, "class=\"hidden-edge\""), 3);
  EXPECT_EQ(Count(svg, "class=\"visible-edge\""), 9);
  EXPECT_EQ(Count(svg, "class=\"label\""), 3);
  EXPECT_EQ(
      svg.rfind(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"",
          0),
      0u);
}

TEST(CrystalDrawing, CubeOnAFaceShowsOneFaceAndDropsEdgesSeenEndOn) {
  const BuiltCube cube;
  const CrystalDrawing d = cube.Draw({1, 0, 0});
  ASSERT_EQ(d.faces.size(), 1u);
  EXPECT_EQ(d.faces[0].hkl, (Vec3{1, 0, 0}));
  // Four front edges, four hidden back edges on top of them; the four edges
  // along the view are points and left out.
  EXPECT_EQ(d.edges.size(), 8u);
  EXPECT_EQ(Visible(d), 4);
  // The face's outline is the square of side 2 seen on the page.
  for (const Point2& p : d.faces[0].outline) {
    EXPECT_NEAR(std::fabs(p[0]), 1, kOffsets);
    EXPECT_NEAR(std::fabs(p[1]), 1, kOffsets);
  }
}

TEST(CrystalDrawing, ShadingFollowsTheFaceAndKeepsItsColour) {
  BuiltCube cube;
  cube.model.faces[0].faceColour = {200, 0, 0};
  cube.model.faces[0].colourShown = 1;
  cube.polyhedron = BuildPolyhedron(MakePolyhedronInput(cube.model));
  const CrystalDrawing d = cube.Draw({1, 1, 1});
  int red = 0;
  for (const DrawnFace& f : d.faces) {
    if (f.hkl == Vec3{1, 0, 0}) {
      ++red;
      EXPECT_GT(f.fill[0], 0);
      EXPECT_EQ(f.fill[1], 0);
      EXPECT_EQ(f.fill[2], 0);
    } else {
      EXPECT_EQ(f.fill[0], f.fill[1]);  // grey fill colour stays grey
      EXPECT_EQ(f.fill[1], f.fill[2]);
    }
  }
  EXPECT_EQ(red, 1);
}

TEST(CrystalDrawing, HiddenPartOfASegmentIsWhereTheCrystalCoversIt) {
  const BuiltCube cube;
  const ViewFrame frame = *MakeViewFrame({1, 0, 0});
  // Towards the viewer from the centre: hidden while inside the cube (x < 1).
  auto part = HiddenInterval(cube.polyhedron, cube.geometry, frame, {0, 0, 0}, {3, 0, 0});
  ASSERT_TRUE(part);
  EXPECT_NEAR((*part)[0], 0, 1e-15);
  EXPECT_NEAR((*part)[1], 1.0L / 3, kOffsets);
  // Away from the viewer: inside, then behind the cube.
  part = HiddenInterval(cube.polyhedron, cube.geometry, frame, {0, 0, 0}, {-3, 0, 0});
  ASSERT_TRUE(part);
  EXPECT_EQ((*part)[0], 0);
  EXPECT_EQ((*part)[1], 1);
  // Beside the cube: in view.
  EXPECT_FALSE(HiddenInterval(cube.polyhedron, cube.geometry, frame, {0, 1.5L, -2}, {0, 1.5L, 2}));
  // Crossing behind it: hidden between y = -1 and y = 1.
  part = HiddenInterval(cube.polyhedron, cube.geometry, frame, {-2, -2, 0}, {-2, 2, 0});
  ASSERT_TRUE(part);
  EXPECT_NEAR((*part)[0], 0.25L, kOffsets);
  EXPECT_NEAR((*part)[1], 0.75L, kOffsets);
}

TEST(CrystalDrawing, AxesAreSplitIntoVisibleAndHiddenParts) {
  const BuiltCube cube;
  const CrystalDrawing d = cube.Draw({1, 0, 0});
  ASSERT_EQ(d.axes.size(), 3u);
  // a points at the viewer: hidden inside the cube, visible beyond its face.
  EXPECT_EQ(d.axes[0].name, "a");
  EXPECT_EQ(d.axes[0].hiddenParts.size(), 1u);
  EXPECT_EQ(d.axes[0].visibleParts.size(), 1u);
  // c runs up the page; its part outside the cube is visible.
  EXPECT_EQ(d.axes[2].name, "c");
  ASSERT_EQ(d.axes[2].visibleParts.size(), 1u);
  EXPECT_NEAR(d.axes[2].visibleParts[0][0][1], 1, kOffsets);
  EXPECT_NEAR(d.axes[2].visibleParts[0][1][1], 1.35L, kOffsets);
  const CrystalDrawing none = cube.Draw({1, 0, 0}, HiddenEdges::None);
  for (const DrawnAxis& a : none.axes) EXPECT_TRUE(a.hiddenParts.empty());
}

TEST(CrystalDrawing, PerspectiveHidesFacesTheEyeCannotSee) {
  const BuiltCube cube;
  // Along [1 1 0] from far away both side faces are seen; from an eye close to
  // the edge's plane only... both still face the eye, but from an eye at 1.5 on
  // the (1 0 0) normal only that face is seen, where a parallel view along
  // (1 0.3 0) shows two.
  EXPECT_EQ(cube.Draw({1, 0.3L, 0}).faces.size(), 2u);
  EXPECT_EQ(cube.Draw({1, 0.3L, 0}, HiddenEdges::Dashed, 1.5L).faces.size(), 1u);
}

TEST(ViewFrame, FramesAreRightHandedWithCUpOrAToTheBottom) {
  const ViewFrame side = *MakeViewFrame({1, 0, 0});
  EXPECT_EQ(side.up, (Vec3{0, 0, 1}));
  EXPECT_EQ(side.right, (Vec3{0, 1, 0}));
  const ViewFrame top = *MakeViewFrame({0, 0, 2});
  EXPECT_EQ(top.up, (Vec3{-1, 0, 0}));
  EXPECT_EQ(top.right, (Vec3{0, 1, 0}));
  EXPECT_FALSE(MakeViewFrame({0, 0, 0}));
  const Vec3 d = ClinographicDirection();
  EXPECT_NEAR(d[1] / d[0], 1.0L / 3, 1e-15);
  EXPECT_NEAR(std::atan(d[2] / std::hypot(d[0], d[1])), std::atan(1.0L / 6), 1e-15);
  ViewFrame eye = side;
  eye.eyeDistance = 4;
  const Point2 p = ProjectPoint(eye, {2, 1, 0.5L});  // depth 2: twice as large
  EXPECT_NEAR(p[0], 2, 1e-15);
  EXPECT_NEAR(p[1], 1, 1e-15);
}

TEST(SvgText, LabelsUseBarsForWholeNegativeIndices) {
  EXPECT_EQ(IndexLabelText({1, -1, 0}, false), "(1 -1 0)");
  EXPECT_EQ(IndexLabelSvg({1, -1, 0}, false),
            "(1 <tspan text-decoration=\"overline\">1</tspan> 0)");
  EXPECT_EQ(IndexLabelSvg({-1, 0.5L, 0}, false), "(-1 0.5 0)");
  EXPECT_EQ(IndexLabelSvg({1, 0, 0}, true),
            "(1 0 <tspan text-decoration=\"overline\">1</tspan> 0)");
  EXPECT_EQ(IndexLabelText({0, 0, -0.0L}, false), "(0 0 0)");
  EXPECT_EQ(SvgEscape("a<b & \"c\""), "a&lt;b &amp; &quot;c&quot;");
  EXPECT_EQ(SvgNumber(-0.001L), "0.00");
}

}  // namespace
}  // namespace habitopia
