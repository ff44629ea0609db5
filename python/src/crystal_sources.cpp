// Crystals from CIF files, scenes, the prediction, energy tables and the tools.

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "cli/cli_model_io.h"
#include "cli/face_lists.h"
#include "cli/predicted_model.h"
#include "cli/wulff_model.h"
#include "core/display_settings.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "crystal.h"
#include "files/cif.h"
#include "files/text_cursor.h"
#include "prediction/space_groups.h"
#include "prediction/wulff_table.h"
#include "scene/embedded_model.h"
#include "symmetry/expansion.h"
#include "symmetry/face_rows.h"
#include "symmetry/point_groups.h"
#include "tools/shape_descriptors.h"

namespace habitopia::python {

namespace {

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

CifImport ReadCif(const std::string& path, const std::string& block) {
  RefuseIf(cli::CheckInputFile(path, ".cif", cli::kNotACifFile));
  const CifReadResult read = ReadCifFile(path, false, block);
  if (!read.ok) Refuse(read.error);
  if (read.import.blockMissing) Refuse(path + ": no data block \"" + block + "\"");
  return read.import;
}

// A folder of this call's own for the model's lines on their way out of a scene.
class WorkFolder {
 public:
  WorkFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "habitopia-python-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) Refuse("cannot create a working folder");
    path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

Crystal CrystalFromCif(const std::string& path, const std::string& block) {
  const CifImport cif = ReadCif(path, block);
  // A new model, then what the file gives, as cif-import writes it.
  CrystalModel model;
  if (cif.fillColour) model.display.fillColour = ColourFromValue(*cif.fillColour);
  if (cif.transparency) model.display.transparency = *cif.transparency;
  SetCell(model, cif.CellValues());
  model.acceptedCell = model.cell;
  if (cif.pointGroup != 0)
    model.pointGroup = model.acceptedGroup = model.builtForGroup = cif.pointGroup;
  model.operationCount = GetPointGroup(model.pointGroup).order;
  // What cif-import would leave to be edited by hand: without a cell, a point
  // group or faces there is no crystal; a missing colour or lustre keeps the default.
  if (!cif.CellComplete() || cif.pointGroup == 0 || cif.faceRows.empty())
    Refuse(path + ": " + cif.MissingItemsMessage(" "));

  FaceRows uniqueRows;
  for (std::size_t r = 0; r < cif.faceRows.size(); ++r) {
    const CifFaceRow& row = cif.faceRows[r];
    if (row.Empty())
      Refuse("line " + std::to_string(r + 1) +
             " of the face list left out: it is not four values h k l d");
    FaceRow parsed{row.indexText, row.distanceText};
    FaceRecord face;
    if (!ParseUniqueListRow(parsed, face))
      Refuse("face " + QuotedExcerpt(row.indexText) + " with distance " +
             QuotedExcerpt(row.distanceText) + " left out: it does not read as a face");
    uniqueRows.push_back(parsed);
  }
  FaceRows fullRows;
  const RebuildResult rebuilt = RebuildFullList(model, uniqueRows, fullRows, {},
                                                [&model](int) { return !FaceCountWarning(model); });
  if (rebuilt.tableFull || rebuilt.stopped || FaceCountWarning(model)) Refuse(kTooManyFacesMessage);
  std::error_code ignored;
  return CrystalOf(MakeDocument(model, NewModelForm()), cli::FileStem(path),
                   std::filesystem::absolute(path, ignored).string());
}

Crystal CrystalFromScene(const std::string& path) {
  if (!std::filesystem::exists(path)) Refuse("File not Found: " + path);
  ModelReadResult read;
  {
    WorkFolder work;
    read = ReadEmbeddedModel(path, work.Path());
  }
  if (!read.ok) Refuse(read.error);
  std::error_code ignored;
  return CrystalOf(read.document, cli::FileStem(path),
                   std::filesystem::absolute(path, ignored).string());
}

Crystal PredictBfdh(const PredictInput& in) {
  UnitCell cell;
  int group = 0;
  if (!in.pointGroup.empty()) group = PointGroupOf(in.pointGroup, false);
  if (in.pointGroupNumber) group = PointGroupOf(std::to_string(in.pointGroupNumber), true);
  const bool groupGiven = group != 0;
  TranslationSymmetry symmetry;
  std::optional<SpaceGroupSymmetry> spaceGroup;
  if (!in.spaceGroup.empty()) {
    std::string problem;
    spaceGroup = FindSpaceGroup(in.spaceGroup, &problem);
    if (!spaceGroup) Refuse("--space-group: " + problem);
  }
  std::string name = "crystal";
  if (!in.cif.empty()) {
    const CifImport cif = ReadCif(in.cif, in.block);
    name = cli::FileStem(in.cif);
    std::vector<std::string> missing;
    if (!in.cell && !cif.CellComplete())
      for (int i = 0; i < kCifCellValues; ++i)
        if (!cif.cell[i]) missing.emplace_back(kCifCellItems[i]);
    if (!spaceGroup && !groupGiven) spaceGroup = cif.spaceGroup;
    if (!groupGiven && !spaceGroup && cif.pointGroup == 0) missing.emplace_back("point group");
    if (!missing.empty()) Refuse(in.cif + ": missing " + Joined(missing));
    cell = cif.CellValues();
    if (!groupGiven) group = cif.pointGroup;
    if (!groupGiven && !spaceGroup && group <= 32 && !cif.spaceGroupSymbol.empty())
      symmetry = DeriveTranslationSymmetry(cif.spaceGroupSymbol, group).symmetry;
  } else if (!in.block.empty()) {
    Refuse("--block goes with --cif");
  } else if (!in.cell || (!groupGiven && !spaceGroup)) {
    Refuse("give --cell and --group or --space-group, or --cif");
  }
  if (in.cell)
    cell = {(*in.cell)[0], (*in.cell)[1], (*in.cell)[2],
            (*in.cell)[3], (*in.cell)[4], (*in.cell)[5]};
  if (spaceGroup) {
    if (groupGiven && group != spaceGroup->pointGroup)
      Refuse("the point group " + std::string(GetPointGroup(group).symbol) + " is not the one of " +
             spaceGroup->symbol + " (" + std::string(GetPointGroup(spaceGroup->pointGroup).symbol) +
             ")");
    group = spaceGroup->pointGroup;
    RefuseIf(cli::CheckCell(cell));
    cell = spaceGroup->CellOnAxes(cell);
  }
  if (group == kIcosahedralGroup) Refuse(std::string(kPredictionRefused));

  cli::PredictionRequest request;
  request.cell = cell;
  request.group = group;
  request.symmetry = symmetry;
  request.spaceGroup = spaceGroup;
  request.hklMax = in.hklMax;
  request.seed = in.seed;
  request.higherOrders = in.higherOrders;
  request.cleanup = in.cleanup;
  cli::PredictedModel predicted;
  RefuseIf(cli::PredictModel(request, predicted));
  return CrystalOf(MakeDocument(predicted.model, NewModelForm()), name);
}

Crystal Wulff(const WulffInput& in, std::string& lengthUnit) {
  const std::optional<WulffKind> kind = ParseWulffKind(in.kind);
  if (!kind) Refuse("--kind: \"" + in.kind + "\" is not one of energy, growth, attachment");
  cli::WulffSymmetry symmetry;
  symmetry.cell = UnitCell{in.cell[0], in.cell[1], in.cell[2], in.cell[3], in.cell[4], in.cell[5]};
  symmetry.group = in.pointGroup;
  if (in.pointGroupNumber) symmetry.groupNumber = std::to_string(in.pointGroupNumber);
  symmetry.spaceGroup = in.spaceGroup;
  UnitCell cell;
  int group = 0;
  RefuseIf(cli::ResolveWulffSymmetry(symmetry, cell, group));
  cli::WulffModel wulff;
  if (auto problem = cli::BuildWulffModel(cell, group, in.table, *kind, wulff))
    Refuse(in.tableName + ": " + *problem);
  lengthUnit = cli::WulffLengthUnit(*kind, in.units.empty() ? wulff.table.unit : in.units);
  Crystal crystal = CrystalOf(MakeDocument(wulff.model, NewModelForm()), "wulff");
  crystal.lengthUnit = lengthUnit;
  crystal.energies = *kind == WulffKind::Energy;
  return crystal;
}

Crystal Twinned(const Crystal& crystal, int type, const std::array<std::string, 5>& texts) {
  if (type < 0 || type > 4) Refuse("no twin type " + std::to_string(type));
  ModelDocument document = crystal.document;
  document.twinType = type;
  for (int i = 0; i < kTwinTextCount; ++i) document.twinTexts[i] = texts[i];
  Crystal twinned = CrystalOf(document, crystal.name, crystal.modelFileName);
  twinned.source = crystal.source;
  twinned.lengthUnit = crystal.lengthUnit;
  twinned.energies = crystal.energies;
  return twinned;
}

Crystal Cleaved(const Crystal& crystal, const std::array<Real, 3>& hkl, Real distance) {
  ModelDocument document = crystal.document;
  const bool reversed = distance < 0;
  FaceRow row{IndexText({hkl[0], hkl[1], hkl[2]}), GeneralText(std::fabs(distance))};
  if (hkl[0] == 0 && hkl[1] == 0 && hkl[2] == 0)
    Refuse("cut face indices are not typed in correctly");
  FaceRecord plane;
  if (!std::isfinite(distance) || distance == 0 || !ParseFullListRow(row, plane, '.', reversed))
    Refuse("wrong numerical input");
  int slot = document.cleavageFace;
  if (slot < 0 || slot > document.LastFace()) {
    if (document.LastFace() + 1 >= kFaceSlots - 1) Refuse(kTooManyFacesMessage);
    document.faces.push_back(plane);
    slot = document.LastFace();
  } else {
    document.faces[slot] = plane;
  }
  document.cleavageFace = slot;
  Crystal cut = CrystalOf(document, crystal.name, crystal.modelFileName);
  cut.source = crystal.source;
  cut.lengthUnit = crystal.lengthUnit;
  cut.energies = crystal.energies;
  const int present = cut.built->model.cleavageFace;
  if (present < 0 || cut.built->polyhedron.presentIndex.at(present) == kAbsentFace)
    Refuse("The cleavage plane " + row.indices + " at " + row.distance +
           (reversed ? " (reversed)" : "") + " does not cut the crystal");
  return cut;
}

}  // namespace habitopia::python
