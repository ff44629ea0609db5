#include "cli/face_lists.h"

#include <algorithm>
#include <iostream>

#include "core/face_table.h"
#include "symmetry/expansion.h"

namespace habitopia::cli {

FaceRows UniqueRowsOf(const ModelDocument& document) {
  FaceRows rows;
  for (const UniqueFaceLine& u : document.uniqueFaces)
    rows.push_back({IndexText({u.h, u.k, u.l}), GeneralText(u.distance)});
  return rows;
}

bool RebuildWithFaceLimit(CrystalModel& model, const FaceRows& uniqueRows, FaceRows& fullRows) {
  const RebuildResult rebuilt = RebuildFullList(model, uniqueRows, fullRows, {},
                                                [&model](int) { return !FaceCountWarning(model); });
  if (!rebuilt.tableFull && !rebuilt.stopped && !FaceCountWarning(model)) return false;
  std::cerr << "habitopia-cli: " << kTooManyFacesMessage << "\n";
  LimitFaceCount(model);
  fullRows.resize(model.FaceCount());
  return true;
}

void StoreFaces(const CrystalModel& model, ModelDocument& document) {
  document.uniqueFaces.clear();
  for (int i = 0; i <= model.lastUniqueFace && i < kFaceSlots; ++i) {
    const FaceRecord& f = model.faces[i];
    document.uniqueFaces.push_back({f.h, f.k, f.l, f.distance});
  }
  const int count = std::min(model.FaceCount(), kFaceSlots);
  document.faces.assign(model.faces.begin(), model.faces.begin() + count);
  document.cleavageFace = -1;
  document.anyLabelMark = std::any_of(document.faces.begin(), document.faces.end(),
                                      [](const FaceRecord& f) { return f.labelSelected; });
}

}  // namespace habitopia::cli
