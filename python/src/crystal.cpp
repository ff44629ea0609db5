#include "crystal.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "cli/cli_model_io.h"
#include "cli/face_lists.h"
#include "cli/predicted_model.h"
#include "core/cell_check.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "files/file_io.h"
#include "files/model_reader.h"
#include "files/model_writer.h"
#include "files/text_cursor.h"
#include "symmetry/face_rows.h"
#include "symmetry/point_groups.h"

namespace habitopia::python {

namespace {

UnitCell CellOf(const std::array<Real, 6>& v) { return {v[0], v[1], v[2], v[3], v[4], v[5]}; }

// A fresh model with the cell as given and the point group.
CrystalModel NewModel(const UnitCell& cell, int group) {
  CrystalModel model;
  SetCell(model, cell);
  model.acceptedCell = model.cell;
  model.pointGroup = model.acceptedGroup = model.builtForGroup = group;
  model.operationCount = GetPointGroup(group).order;
  return model;
}

}  // namespace

Crystal CrystalOf(const ModelDocument& document, const std::string& name,
                  const std::string& modelFileName, bool throughText) {
  Crystal crystal;
  if (throughText) {
    const ModelReadResult read = ParseModelText(FormatModelText(document), name + ".mor");
    if (!read.ok) Refuse(name + ".mor: " + read.error);
    crystal.document = read.document;
  } else {
    crystal.document = document;
  }
  crystal.name = name;
  crystal.source = name;
  crystal.modelFileName = modelFileName;
  auto built = std::make_shared<cli::BuiltModel>();
  cli::BuildDocument(crystal.document, modelFileName, *built);
  crystal.built = built;
  // "info" builds the table as read, before any twin is applied.
  auto infoModel = std::make_shared<CrystalModel>();
  cli::ApplyModelDocument(crystal.document, *infoModel);
  PrepareFaceTable(*infoModel);
  crystal.infoModel = infoModel;
  crystal.summary = std::make_shared<const cli::ModelSummary>(cli::SummariseModel(*infoModel));
  return crystal;
}

int PointGroupOf(const std::string& text, bool isNumber) {
  if (isNumber) {
    long long n = 0;
    if (!ParseInteger(text, n) || n < 1 || n > kPointGroupCount)
      Refuse("--group-number: \"" + text + "\" is not a number from 1 to 33");
    return static_cast<int>(n);
  }
  int group = FindPointGroup(text);
  if (!group && text == "532") group = kIcosahedralGroup;
  if (!group) group = PointGroupOfClassSymbol(text);
  if (!group)
    Refuse("--group: \"" + text +
           "\" is not a point-group symbol (numbers go with --group-number)");
  return group;
}

Crystal MakeCrystal(const std::array<Real, 6>& cellValues, int pointGroup,
                    const std::vector<FaceInput>& faces, bool expand, const std::string& name) {
  const UnitCell cell = CellOf(cellValues);
  RefuseIf(cli::CheckCell(cell));
  if (faces.empty()) Refuse("no faces given");
  if (static_cast<int>(faces.size()) >= kFaceSlots) Refuse(kTooManyFacesMessage);
  CrystalModel model = NewModel(cell, pointGroup);

  FaceRows rows;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const FaceInput& f = faces[i];
    FaceRow row{IndexText({f.h, f.k, f.l}), GeneralText(f.distance)};
    const std::string shown = "face " + FormatInteger(static_cast<long long>(i)) + " (" +
                              row.indices + ", distance " + row.distance + ")";
    if (!std::isfinite(f.h) || !std::isfinite(f.k) || !std::isfinite(f.l) ||
        !std::isfinite(f.distance))
      Refuse("face " + QuotedExcerpt(row.indices) + " with distance " +
             QuotedExcerpt(row.distance) + " left out: it does not read as a face");
    if (f.h == 0 && f.k == 0 && f.l == 0) Refuse(shown + " dropped: its indices are 0 0 0");
    if (!(f.distance > 0)) Refuse(shown + " dropped: its distance is not above 0");
    FaceRecord record;
    FaceRow parsed = row;
    if (!ParseUniqueListRow(parsed, record))
      Refuse("face " + QuotedExcerpt(row.indices) + " with distance " +
             QuotedExcerpt(row.distance) + " left out: it does not read as a face");
    rows.push_back(row);
    model.faces[i] = record;
  }
  if (expand) {
    FaceRows full;
    cli::RebuildWithFaceLimit(model, rows, full);
  } else {
    model.lastFace = model.lastUniqueFace = static_cast<int>(faces.size()) - 1;
  }
  return CrystalOf(MakeDocument(model, NewModelForm()), name);
}

Crystal ReadCrystal(const std::string& path, const std::string& block) {
  const std::string extension = LowerExtension(path);
  const std::string stem = cli::FileStem(path);
  std::error_code ignored;
  const std::string absolute = std::filesystem::absolute(path, ignored).string();
  if (extension == ".mor") {
    ModelDocument document;
    CrystalModel model;
    RefuseIf(cli::LoadModel(path, document, model));
    Crystal crystal = CrystalOf(document, stem, absolute, false);
    crystal.source = path;
    return crystal;
  }
  if (extension == ".cif" || extension == ".wrl" || extension == ".wrz") {
    Crystal crystal = extension == ".cif" ? CrystalFromCif(path, block) : CrystalFromScene(path);
    crystal.source = path;
    return crystal;
  }
  RefuseIf(cli::CheckInputFile(path, ".mor", cli::kNotAModelFile));
  Refuse("unreadable");
}

}  // namespace habitopia::python
