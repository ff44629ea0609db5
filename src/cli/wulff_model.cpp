#include "cli/wulff_model.h"

#include "cli/cli_model_io.h"
#include "cli/face_lists.h"
#include "cli/predicted_model.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "prediction/space_groups.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

std::optional<std::string> ResolveWulffSymmetry(const WulffSymmetry& given, UnitCell& cell,
                                                int& group) {
  const int named = !given.group.empty() + !given.groupNumber.empty() + !given.spaceGroup.empty();
  if (!given.cif.empty()) {
    if (given.cell || named > 0)
      return std::string("--cif gives the cell and the symmetry; leave out --cell and the groups");
    if (auto problem = CheckInputFile(given.cif, ".cif", kNotACifFile)) return problem;
    const CifReadResult read = ReadCifFile(given.cif, false, given.block);
    if (!read.ok) return read.error;
    const CifImport& cif = read.import;
    if (cif.blockMissing) return given.cif + ": no data block \"" + given.block + "\"";
    std::string missing;
    for (int i = 0; i < kCifCellValues; ++i)
      if (!cif.cell[i]) missing += (missing.empty() ? "" : ", ") + std::string(kCifCellItems[i]);
    if (!cif.spaceGroup && cif.pointGroup == 0)
      missing += std::string(missing.empty() ? "" : ", ") + "point group";
    if (!missing.empty()) return given.cif + ": missing " + missing;
    cell = cif.ModelCell();
    group = cif.spaceGroup ? cif.spaceGroup->pointGroup : cif.pointGroup;
    if (auto problem = CheckCell(cell)) return problem;
    cell = ConstrainedCell(cell, group);
    return CheckCell(cell);
  }
  if (!given.block.empty()) return std::string("--block goes with --cif");
  if (!given.cell || named != 1)
    return std::string("give --cell and one of --group, --group-number, --space-group, or --cif");
  cell = *given.cell;
  if (!given.group.empty()) {
    group = FindPointGroup(given.group);
    if (!group) group = PointGroupOfClassSymbol(given.group);
    if (!group) return "--group: \"" + given.group + "\" is not a point-group symbol";
  } else if (!given.groupNumber.empty()) {
    long long n = 0;
    if (!ParseInteger(given.groupNumber, n) || n < 1 || n > kPointGroupCount)
      return "--group-number: \"" + given.groupNumber + "\" is not a number from 1 to 33";
    group = static_cast<int>(n);
  } else {
    std::string problem;
    const auto spaceGroup = FindSpaceGroup(given.spaceGroup, &problem);
    if (!spaceGroup) return "--space-group: " + problem;
    group = spaceGroup->pointGroup;
    cell = spaceGroup->CellOnAxes(cell);
  }
  if (auto problem = CheckCell(cell)) return problem;
  cell = ConstrainedCell(cell, group);
  return CheckCell(cell);
}

std::string WulffLengthUnit(WulffKind kind, const std::string& unit) {
  if (unit.empty()) return "model units";
  return unit + (kind == WulffKind::Growth ? " (growth rates) as lengths" : " as lengths");
}

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
