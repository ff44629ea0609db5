#include "core/face_table.h"

#include <gtest/gtest.h>

namespace habitopia {
namespace {

FaceRecord Face(Real h, Real k, Real l, Real d, std::string texture = {}) {
  FaceRecord f;
  f.h = h;
  f.k = k;
  f.l = l;
  f.distance = d;
  f.textureFile = std::move(texture);
  return f;
}

TEST(FaceTableTest, CleanUpMovesGeometryAndLeavesAppearanceInItsSlots) {
  CrystalModel model;
  model.faces[0] = Face(1, 0, 0, 1, "a.png");
  model.faces[1] = Face(0, 0, 0.0001L, 1, "b.png");  // shows as "0 0 0.0001": kept
  model.faces[2] = Face(0, 0, 0, 2, "c.png");        // "0 0 0": dropped
  model.faces[3] = Face(0, 1, 0, 0, "d.png");        // distance 0: dropped
  model.faces[4] = Face(0.33333L, -1, 0, 1.5L, "e.png");
  model.lastFace = 4;
  model.cleavageFace = 4;
  model.geometryStale = false;

  EXPECT_EQ(CleanFaceTable(model), 2);
  EXPECT_EQ(model.lastFace, 2);
  EXPECT_EQ(model.faces[1].l, 0);  // rounded to three decimals
  EXPECT_EQ(model.faces[2].h, 0.333L);
  EXPECT_EQ(model.faces[2].k, -1);
  EXPECT_EQ(model.faces[2].distance, 1.5L);
  EXPECT_EQ(model.faces[2].textureFile, "c.png");  // appearance stays in the slot
  EXPECT_EQ(model.cleavageFace, 2);                // the plane moved up with its row
  EXPECT_TRUE(model.geometryStale);
}

TEST(FaceTableTest, LimitKeepsThreeHundredAndOneFaces) {
  CrystalModel model;
  for (int f = 0; f < kFaceSlots; ++f) model.faces[f] = Face(1, 0, 0, 1 + f);
  model.lastFace = 300;
  TablePreparation prepared = PrepareFaceTable(model);
  EXPECT_TRUE(prepared.tooManyFaces);  // 301 faces already earn the message
  EXPECT_EQ(prepared.facesCut, 0);
  model.lastFace = kFaceSlots - 1;
  prepared = PrepareFaceTable(model);
  EXPECT_EQ(prepared.facesCut, 1);
  EXPECT_EQ(model.FaceCount(), kMaxFaces);
  model.lastFace = 10;
  EXPECT_FALSE(PrepareFaceTable(model).tooManyFaces);
}

}  // namespace
}  // namespace habitopia
