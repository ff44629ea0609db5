#include "cli/wulff_model.h"

#include "cli/face_lists.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

std::optional<std::string> BuildWulffModel(const UnitCell& cell, int pointGroup,
                                           std::string_view tableText, WulffKind kind,
                                           WulffModel& out) {
  auto read = ReadWulffTable(tableText, kind, pointGroup);
  if (const auto* problem = std::get_if<WulffTableError>(&read)) return problem->Text();
  out.table = std::move(std::get<WulffTable>(read));
  out.model = CrystalModel{};
  CrystalModel& model = out.model;
  SetCell(model, cell);
  model.acceptedCell = model.cell;
  model.pointGroup = model.acceptedGroup = model.builtForGroup = pointGroup;
  model.operationCount = GetPointGroup(pointGroup).order;
  FaceRows fullRows;
  out.limited = RebuildWithFaceLimit(model, WulffUniqueRows(out.table, kind), fullRows);
  out.descriptors = DescribeShape(model, kind == WulffKind::Energy);
  if (!out.descriptors.closed) return "the shape stays open: " + OpenShapeText(out.descriptors);
  return std::nullopt;
}

}  // namespace habitopia::cli
