#include "cli/batch_structures.h"

#include <filesystem>

#include "cli/cli_model_io.h"
#include "cli/predicted_model.h"
#include "cli/wulff_model.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "files/file_io.h"
#include "files/model_document.h"
#include "files/model_writer.h"
#include "scene/scene_files.h"
#include "tools/shape_descriptors.h"

namespace habitopia::cli {

namespace fs = std::filesystem;

namespace {

BatchRow Refused(const BatchItem& item, std::string block, std::string message) {
  BatchRow row;
  row.index = item.index;
  row.file = item.path;
  row.block = std::move(block);
  row.status = BatchStatus::Refused;
  row.message = std::move(message);
  return row;
}

std::string MissingCellItems(const CifImport& cif) {
  std::string text;
  for (int i = 0; i < kCifCellValues; ++i)
    if (!cif.cell[i]) text += (text.empty() ? "" : ", ") + std::string(kCifCellItems[i]);
  return text;
}

// "name.cif" of block "b1" in DIR: DIR/name_b1.mor; one structure: DIR/name.mor.
std::string ModelPath(const BatchSettings& settings, const BatchItem& item,
                      const std::string& block, bool several) {
  std::string stem = fs::path(item.path).filename().string();
  for (const char* end : {".gz", ".GZ"})
    if (stem.size() > 3 && stem.compare(stem.size() - 3, 3, end) == 0) stem.resize(stem.size() - 3);
  stem = fs::path(stem).stem().string();
  if (several) stem += "_" + CifBlockName(block);
  return (fs::path(settings.modelFolder) / (std::to_string(item.index) + "_" + stem + ".mor"))
      .string();
}

BatchRow PredictBlock(const BatchItem& item, const CifImport& cif, const BatchSettings& settings,
                      bool several) {
  BatchRow row;
  row.index = item.index;
  row.file = item.path;
  row.block = cif.blockName;
  row.databaseCode = cif.databaseCode;
  row.formula = cif.formula;
  if (!cif.CellComplete()) return Refused(item, cif.blockName, "missing " + MissingCellItems(cif));
  if (!cif.spaceGroup)
    return Refused(item, cif.blockName,
                   "missing space group (no symmetry operations, Hall or "
                   "Hermann-Mauguin symbol or number that names one)");
  const SpaceGroupSymmetry& group = *cif.spaceGroup;
  row.spaceGroupNumber = group.number;
  row.hermannMauguin = group.symbol;
  row.hall = group.hall;
  if (group.AxesChanged()) row.axesChange = group.AxesText();
  row.pointGroup = group.pointGroup;

  CrystalModel model;
  bool limited = false;
  if (settings.wulffTable.empty()) {
    PredictionRequest request;
    request.cell = cif.ModelCell();
    request.group = group.pointGroup;
    request.spaceGroup = group;
    request.hklMax = settings.hklMax;
    request.seed = 1;
    PredictedModel predicted;
    if (auto problem = PredictModel(request, predicted)) {
      row.status = BatchStatus::Refused;
      row.message = *problem;
      return row;
    }
    model = std::move(predicted.model);
    limited = predicted.limited;
  } else {
    WulffModel wulff;
    if (auto problem = BuildWulffModel(cif.ModelCell(), group.pointGroup, settings.wulffText,
                                       WulffKind::Energy, wulff)) {
      row.status = BatchStatus::Refused;
      row.message = settings.wulffTable + ": " + *problem;
      return row;
    }
    model = std::move(wulff.model);
    limited = wulff.limited;
    row.descriptors = std::move(wulff.descriptors);
  }
  if (!row.descriptors) row.descriptors = DescribeShape(model);
  row.status = row.descriptors->closed && !limited ? BatchStatus::Ok : BatchStatus::Incomplete;
  if (!row.descriptors->closed)
    row.message = OpenShapeText(*row.descriptors);
  else if (limited)
    row.message = kTooManyFacesMessage;

  if (!settings.modelFolder.empty()) {
    FormValues form;
    form.panels.uniqueFaceGridShown = true;
    const std::string path = ModelPath(settings, item, cif.blockName, several);
    const ModelWriteResult written = WriteModelFile(path, MakeDocument(model, form));
    if (!written.ok) {
      row.status = BatchStatus::Incomplete;
      row.message = written.error;
    }
  }
  return row;
}

}  // namespace

std::optional<std::string> PrepareBatchSettings(BatchSettings& settings) {
  if (!settings.wulffTable.empty()) {
    std::string error;
    if (!ReadWholeFile(settings.wulffTable, settings.wulffText, error))
      return settings.wulffTable + ": " + error;
  }
  if (!settings.modelFolder.empty()) {
    std::error_code error;
    fs::create_directories(settings.modelFolder, error);
    if (error) return "cannot make " + settings.modelFolder + ": " + error.message();
  }
  return std::nullopt;
}

std::vector<BatchRow> PredictStructures(const BatchItem& item, const BatchSettings& settings) {
  std::string text, error;
  if (!ReadWholeFile(item.path, text, error)) return {Refused(item, "", error)};
  if (LooksGzipped(text)) {
    auto inflated = GzipDecompress(text);
    if (!inflated) return {Refused(item, "", "cannot decompress " + item.path)};
    text = std::move(*inflated);
  }
  std::string syntaxError;
  const std::vector<CifImport> structures = ImportCifStructures(text, syntaxError);
  if (!syntaxError.empty()) return {Refused(item, "", "no CIF: " + syntaxError)};
  if (structures.empty()) return {Refused(item, "", "no data block states a cell and a symmetry")};
  std::vector<BatchRow> rows;
  for (const CifImport& cif : structures)
    rows.push_back(PredictBlock(item, cif, settings, structures.size() > 1));
  return rows;
}

}  // namespace habitopia::cli
