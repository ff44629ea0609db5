// Twin corner positions: inversion, mirror in the contact face, rotation about the
// twin axis, and the twin tool's readers.

#include "tools/twin.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/cell.h"
#include "core/model.h"
#include "core/polyhedron.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

void ExpectNear(const Vec3& a, const Vec3& b, Real tolerance = 1e-12L) {
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(static_cast<double>(a[i]), static_cast<double>(b[i]),
                static_cast<double>(tolerance))
        << "component " << i;
}

TEST(TwinAngle, BroughtIntoHalfTurnEitherWay) {
  const TwinAngle a540 = NormaliseTwinAngle(540);
  EXPECT_EQ(a540.shown, 180);
  EXPECT_EQ(a540.used, 180);
  const TwinAngle m200 = NormaliseTwinAngle(-200);
  EXPECT_EQ(m200.shown, -200);
  EXPECT_EQ(m200.used, 160);
  const TwinAngle a270 = NormaliseTwinAngle(270);
  EXPECT_EQ(a270.shown, 270);
  EXPECT_EQ(a270.used, -90);
  const TwinAngle m720 = NormaliseTwinAngle(-720);
  EXPECT_EQ(m720.shown, 0);
  EXPECT_EQ(m720.used, 0);
  EXPECT_EQ(NormaliseTwinAngle(360).used, 0);
  EXPECT_EQ(NormaliseTwinAngle(-180).used, -180);
}

TEST(TwinTriple, AxisReducedAndDefaulted) {
  auto zero = ReadTwinTriple("0 0 0", {0, 0, 1}, true);
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->text, "0 0 1");
  auto even = ReadTwinTriple("2 4 6", {0, 0, 1}, true);
  EXPECT_EQ(even->text, "1 2 3");
  EXPECT_EQ(ReadTwinTriple("2 2 0", {0, 0, 1}, true)->text, "1 1 0");
  EXPECT_EQ(ReadTwinTriple("2 3 0", {0, 0, 1}, true)->text, "2 3 0");
  EXPECT_EQ(ReadTwinTriple("-4 0 2", {0, 0, 1}, true)->text, "-2 0 1");
}

TEST(TwinTriple, TokensBlanksAndUnreadableNumbers) {
  EXPECT_FALSE(ReadTwinTriple("", {0, 0, 0}, false));
  // Double blanks are skipped; a missing third number keeps its start value.
  EXPECT_EQ(ReadTwinTriple("1  2", {7, 8, 9}, false)->text, "1 2 9");
  EXPECT_EQ(ReadTwinTriple("x 0.12345 3 4", {0, 0, 0}, false)->text, "0 0.123 3");
  // Not reduced unless it is the axis.
  EXPECT_EQ(ReadTwinTriple("2 4 6", {0, 0, 0}, false)->text, "2 4 6");
}

TEST(TwinSettingsFromTexts, RealAndReciprocalSpaces) {
  UnitCell hexagonal{1, 1, 2, 90, 90, 120};
  const CellMatrices cell = BuildCellMatrices(hexagonal);
  TwinToolTexts texts;
  texts.axis = "1 0 0";
  texts.angle = "540";
  const TwinSettings real = TwinSettingsFromTexts(TwinType::RotationReal, texts, cell);
  ExpectNear(real.twinAxis, UvwToCartesian(cell, {1, 0, 0}));
  EXPECT_EQ(real.twinAngle, 180);
  const TwinSettings reciprocal = TwinSettingsFromTexts(TwinType::RotationReciprocal, texts, cell);
  ExpectNear(reciprocal.twinAxis, HklToCartesian(cell, {1, 0, 0}));
  texts.angle = "not a number";
  EXPECT_EQ(TwinSettingsFromTexts(TwinType::RotationReal, texts, cell).twinAngle, 0);
  texts.centre = "0 0 1";
  ExpectNear(TwinSettingsFromTexts(TwinType::Inversion, texts, cell).twinCentre, {0, 0, 2});
}

TEST(TwinRotation, HalfTurnAboutCNegatesXAndY) {
  TwinSettings twin;
  twin.twinAxis = {0, 0, 1};
  twin.twinAngle = 180;
  ExpectNear(RotateAboutTwinAxis({0.3L, -0.7L, 0.9L}, twin), {-0.3L, 0.7L, 0.9L}, 1e-15L);
}

TEST(TwinRotation, QuarterTurnsAndAxisLength) {
  TwinSettings twin;
  twin.twinAxis = {0, 0, 5};  // length does not matter
  twin.twinAngle = 90;
  ExpectNear(RotateAboutTwinAxis({1, 0, 0.5L}, twin), {0, 1, 0.5L}, 1e-15L);
  twin.twinAngle = -90;
  ExpectNear(RotateAboutTwinAxis({1, 0, 0.5L}, twin), {0, -1, 0.5L}, 1e-15L);
  twin.twinAngle = 30;
  ExpectNear(RotateAboutTwinAxis({2, 0, 0}, twin),
             {2 * std::cos(0.5235987755982988L), 2 * std::sin(0.5235987755982988L), 0});
  twin.twinAngle = -135;
  ExpectNear(RotateAboutTwinAxis({1, 0, 0}, twin), {-std::sqrt(0.5L), -std::sqrt(0.5L), 0});
  // A corner on the axis stays where it is.
  ExpectNear(RotateAboutTwinAxis({0, 0, 3}, twin), {0, 0, 3});
}

TEST(TwinRotation, ThroughPointOffAxisAndItsAxialShift) {
  TwinSettings twin;
  twin.twinAxis = {0, 0, 1};
  twin.twinAngle = 180;
  twin.twinThrough = {1, 0, 0};  // perpendicular to the axis: no shift
  ExpectNear(RotateAboutTwinAxis({2, 0, 0}, twin), {0, 0, 0}, 1e-15L);
  twin.twinThrough = {1, 0, 2};  // axial component 2 moves the twin by 2 along c
  ExpectNear(RotateAboutTwinAxis({2, 0, 0}, twin), {0, 0, 2}, 1e-15L);
}

TEST(TwinInversion, ThroughCentre) {
  ExpectNear(InvertThrough({0.5L, -1, 2}, {0, 0, 0}), {-0.5L, 1, -2});
  ExpectNear(InvertThrough({0.5L, -1, 2}, {1, 0, 0}), {1.5L, 1, -2});
}

// A cube with faces (1 0 0), (0 0 1), ..., built by the polyhedron builder.
Polyhedron BuiltCube(CrystalModel& model) {
  test::SetCubeFaces(model);
  return BuildPolyhedron(MakePolyhedronInput(model));
}

TEST(TwinContact, MirrorInTheContactFacePlane) {
  CrystalModel model;
  const Polyhedron cube = BuiltCube(model);
  const SceneCorners corners = NumberSceneCorners(cube);
  const FaceIndexLists lists = BuildFaceIndexLists(cube, corners, false);
  TwinSettings twin;
  EXPECT_EQ(FindContactFace(cube, "0 0 1"), 4);
  EXPECT_EQ(FindContactFace(cube, "0 0 2"), -1);
  const auto image =
      TwinCornerPositions(TwinKind::Contact, twin, corners.positions, lists.lists, cube, "0 0 1");
  ASSERT_TRUE(image);
  ASSERT_EQ(image->size(), corners.positions.size());
  const Real top = cube.planes[4].offset;  // face 4's plane, z = 1 + 4 * 5e-7
  for (std::size_t i = 0; i < image->size(); ++i) {
    EXPECT_NEAR(static_cast<double>((*image)[i][0]), static_cast<double>(corners.positions[i][0]),
                1e-9);
    EXPECT_NEAR(static_cast<double>((*image)[i][2]),
                static_cast<double>(2 * top - corners.positions[i][2]), 1e-9);
  }
  // A point at z = 0.5 goes to z = 1.5 for the plane z = 1.
  const auto plane = MirrorPlaneOf(lists.lists[4], corners.positions);
  ASSERT_TRUE(plane);
  MirrorPlane unitPlane{{0, 0, 1}, plane->normal};
  ExpectNear(MirrorIn({0.2L, 0.1L, 0.5L}, unitPlane), {0.2L, 0.1L, 1.5L});
  // No face with that caption: no twin shape.
  EXPECT_FALSE(
      TwinCornerPositions(TwinKind::Contact, twin, corners.positions, lists.lists, cube, "1 1 1"));
}

TEST(TwinCorners, EveryCornerMappedInOrder) {
  CrystalModel model;
  const Polyhedron cube = BuiltCube(model);
  const SceneCorners corners = NumberSceneCorners(cube);
  const FaceIndexLists lists = BuildFaceIndexLists(cube, corners, false);
  TwinSettings twin;
  const auto inverted =
      TwinCornerPositions(TwinKind::Inversion, twin, corners.positions, lists.lists, cube, "");
  ASSERT_TRUE(inverted);
  for (std::size_t i = 0; i < corners.positions.size(); ++i)
    ExpectNear((*inverted)[i], ScaleVec(corners.positions[i], -1));
  twin.twinAngle = 180;
  const auto rotated =
      TwinCornerPositions(TwinKind::Rotation, twin, corners.positions, lists.lists, cube, "");
  ASSERT_TRUE(rotated);
  for (std::size_t i = 0; i < corners.positions.size(); ++i) {
    const Vec3& q = corners.positions[i];
    ExpectNear((*rotated)[i], {-q[0], -q[1], q[2]}, 1e-15L);
  }
}

TEST(RoundedIndexText, WholeNumbersWithSingleBlanks) {
  EXPECT_EQ(RoundedIndexText(1, -1, 0), "1 -1 0");
  EXPECT_EQ(RoundedIndexText(0.6L, -1.4L, 2.5L), "1 -1 2");
}

}  // namespace
}  // namespace habitopia
