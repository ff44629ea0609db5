#include "symmetry/expansion.h"

#include <algorithm>

#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

// Each component summed term by term (index times matrix entry) from 0.
Vec3 Image(const Matrix3& m, const Vec3& hkl) {
  Vec3 out{};
  for (int r = 0; r < 3; ++r) {
    Real sum = 0;
    for (int c = 0; c < 3; ++c) sum += hkl[c] * m[r][c];
    out[r] = sum;
  }
  return RoundIndices(out);
}

}  // namespace

ExpansionResult ExpandFace(CrystalModel& model, FaceRows& fullRows, const ExpansionSource& source,
                           const ExpansionOptions& options) {
  ExpansionResult result;
  if (model.busy || model.operationCount <= 0) return result;
  if (source.face < 0 || source.face > model.lastFace || source.face >= kFaceSlots) return result;
  Real sourceDistance = 0;
  if (!ParseGridNumber(source.distanceText, sourceDistance, options.separator)) return result;
  fullRows.resize(model.FaceCount());

  const PointGroup& group = GetPointGroup(model.pointGroup);
  const int count = std::min(model.operationCount, group.order);
  const Vec3 hkl = model.faces[source.face].Indices();
  result.expanded = true;
  result.currentFace = source.face;
  result.currentIndexText = source.indexText;

  for (int i = 0; i < count; ++i) {
    const bool last = i + 1 == count;
    model.calculateAfterStep = last;
    const std::string text = IndexText(Image(group.operations[i], hkl), options.separator);

    bool found = false;
    for (int f = 0; f < static_cast<int>(fullRows.size()); ++f) {
      if (fullRows[f].indices != text) continue;
      found = true;
      model.faces[f].distance = sourceDistance;
      fullRows[f].distance = source.distanceText;
    }
    if (!found) {
      if (model.FaceCount() >= kFaceSlots) {
        result.tableFull = true;
      } else {
        const int f = ++model.lastFace;
        const FaceRecord& from = model.faces[source.face];
        FaceRecord& to = model.faces[f];
        to.faceColour = from.faceColour;
        to.colourShown = from.colourShown;
        to.growthSector = from.growthSector;
        to.textureFile = from.textureFile;
        const bool copyLabel = options.copyLabelSelected ? options.copyLabelSelected() : true;
        to.labelSelected = copyLabel ? from.labelSelected : false;
        to.distance = sourceDistance;
        fullRows.push_back({text, source.distanceText});
        ParseFullListRow(fullRows[f], to, options.separator);
        ++result.appended;
        result.currentFace = f;
        result.currentIndexText = fullRows[f].indices;
        result.calculationDue = last;
      }
    }
    fullRows[source.face].distance = source.distanceText;
  }
  model.geometryStale = true;  // distances may have changed even without new faces
  return result;
}

RebuildResult RebuildFullList(CrystalModel& model, const FaceRows& uniqueRows, FaceRows& fullRows,
                              const ExpansionOptions& options,
                              const std::function<bool(int uniqueFace)>& continueAfter) {
  RebuildResult result;
  const int unique = std::min(static_cast<int>(uniqueRows.size()), kFaceSlots);
  fullRows.assign(uniqueRows.begin(), uniqueRows.begin() + unique);
  model.lastFace = unique - 1;
  model.lastUniqueFace = unique - 1;
  model.geometryStale = true;
  for (int i = 0; i < unique; ++i) {
    const ExpansionSource source{i, fullRows[i].indices, fullRows[i].distance};
    ParseFullListRow(fullRows[i], model.faces[i], options.separator);
    const ExpansionResult step = ExpandFace(model, fullRows, source, options);
    result.tableFull = result.tableFull || step.tableFull;
    ++result.expandedFaces;
    if (continueAfter && !continueAfter(i)) {
      result.stopped = i + 1 < unique;
      break;
    }
  }
  return result;
}

}  // namespace habitopia
