#include "core/face_table.h"

#include <string>

#include "core/numbers.h"

namespace habitopia {

namespace {

// The grid shows an index in its shortest general form, which is "0" for zero
// only: a face whose three indices read "0" has no plane.
bool DroppedByCleanUp(const FaceRecord& face) {
  return (face.h == 0 && face.k == 0 && face.l == 0) || !(face.distance > 0);
}

}  // namespace

std::vector<int> FacesToDrop(const CrystalModel& model) {
  std::vector<int> dropped;
  for (int f = 0; f <= model.lastFace; ++f)
    if (DroppedByCleanUp(model.faces[f])) dropped.push_back(f);
  return dropped;
}

int CleanFaceTable(CrystalModel& model) {
  int kept = 0;
  int droppedUnique = 0;
  int cleavageFace = -1;
  for (int f = 0; f <= model.lastFace; ++f) {
    const FaceRecord source = model.faces[f];
    if (DroppedByCleanUp(source)) {
      if (f <= model.lastUniqueFace) ++droppedUnique;
      continue;
    }
    if (f == model.cleavageFace) cleavageFace = kept;
    FaceRecord& target = model.faces[kept];
    target.h = Round3(source.h);
    target.k = Round3(source.k);
    target.l = Round3(source.l);
    target.distance = source.distance;
    ++kept;
  }
  const int dropped = model.lastFace + 1 - kept;
  model.lastFace = kept - 1;
  model.lastUniqueFace -= droppedUnique;
  model.cleavageFace = cleavageFace;
  if (dropped > 0) model.geometryStale = true;
  return dropped;
}

bool FaceCountWarning(const CrystalModel& model) { return model.lastFace >= kMaxFaces - 1; }

TablePreparation PrepareFaceTable(CrystalModel& model) {
  TablePreparation result;
  result.tooManyFaces = FaceCountWarning(model);
  result.facesCut = LimitFaceCount(model);
  result.facesDropped = CleanFaceTable(model);
  return result;
}

int LimitFaceCount(CrystalModel& model) {
  if (model.lastFace <= kMaxFaces - 1) return 0;
  const int cut = model.lastFace - (kMaxFaces - 1);
  model.lastFace = kMaxFaces - 1;
  return cut;
}

}  // namespace habitopia
