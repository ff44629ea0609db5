#include "cli/model_summary.h"

#include "core/open_direction.h"
#include "core/polyhedron.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

ModelSummary SummariseModel(const CrystalModel& model) {
  ModelSummary summary;
  summary.pointGroup = model.pointGroup;
  if (model.pointGroup >= 1 && model.pointGroup <= kPointGroupCount)
    summary.pointGroupSymbol = std::string(GetPointGroup(model.pointGroup).symbol);

  const Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneCorners corners = NumberSceneCorners(polyhedron);
  const FaceIndexLists lists =
      BuildFaceIndexLists(polyhedron, corners, /*withLabelAnchors=*/false, model.cleavageFace);

  summary.presentFaces = polyhedron.PresentFaceCount();
  summary.sceneCorners = corners.Count();
  summary.surface = lists.surfaceTotal;
  summary.volume = lists.volumeTotal;
  summary.distanceScale = polyhedron.distanceScale;
  summary.closed = IsHullClosed(polyhedron, lists, model.cleavageFace);
  summary.openDirection = OpenDirectionMessage(polyhedron, model.matrices);

  for (int f = 0; f <= model.lastFace; ++f) {
    const FaceRecord& face = model.faces[f];
    FaceSummary row;
    row.index = f;
    row.h = face.h;
    row.k = face.k;
    row.l = face.l;
    row.distance = face.distance;
    const int p = polyhedron.presentIndex[f];
    row.present = p != kAbsentFace;
    if (row.present) {
      // The index list repeats its first corner and ends with -1.
      row.corners = static_cast<int>(lists.lists[p].size()) - 2;
      if (row.corners < 0) row.corners = 0;
      row.area = lists.faceArea[p];
      row.cornerIndices.assign(lists.lists[p].begin(), lists.lists[p].begin() + row.corners);
    }
    summary.faces.push_back(row);
  }
  for (const Vec3& position : corners.positions)
    summary.cornerPositions.push_back(ScaleVec(position, polyhedron.distanceScale));
  return summary;
}

}  // namespace habitopia::cli
