// "IUCr cif (*.CIF)" and "3-D-printer (*.STL)" exports, and the habit of a CIF
// that carries no faces.

#include <filesystem>

#include "app/form_document.h"
#include "app/main_form.h"
#include "core/face_table.h"
#include "scene/scene_files.h"
#include "scene/stl.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace fs = std::filesystem;

inline constexpr const char* kCifFilter = "IUCr cif-file (*.cif)|*.cif|All files|*.*";
inline constexpr const char* kStlFilter = "3-D printer file (*.stl)|*.stl|All files|*.*";
inline constexpr const char* kCloseCutFaceFirst =
    "Please close cut-face options before exporting *.stl files";

void MainForm::ExportCif1Click() {
  const auto path = AskExportPath(kCifFilter, "cif");
  if (!path) return;
  CifExport data;
  data.blockName = CifBlockName(fs::path(model_.modelFileName).stem().string());
  const long long colour = ColourValue(model_.display.fillColour);
  if (auto word = CifColourWord(colour)) {
    data.colourWord = *word;
  } else {
    ports_.dialogs.Message(std::string(kColourHasNoName) + "\n" + kSelectClosestColour);
    const auto chosen = ports_.dialogs.Colour(model_.display.fillColour);
    const auto chosenWord = chosen ? CifColourWord(ColourValue(*chosen)) : std::nullopt;
    data.colourWord = chosenWord ? *chosenWord : kUnnamedColourWord;
  }
  data.transparency = model_.display.transparency;
  data.cell = CellAsGiven(model_);
  data.pointGroup = model_.pointGroup;
  // The face in grid row r takes the distance of face r - 1 of the table.
  const FaceGrid& grid =
      state_.tables.applySymmetry ? state_.tables.stringGrid2 : state_.tables.stringGrid1;
  const int rows = state_.tables.applySymmetry ? model_.lastUniqueFace + 1 : model_.FaceCount();
  for (int r = 1; r <= rows && r < grid.RowCount(); ++r)
    data.faces.push_back({grid.rows[r][0], model_.faces[r - 1].distance});
  const CifWriteResult written = WriteCifFile(*path, data);
  if (!written.ok) ShowWriteFailure(*path, written.error);
}

void MainForm::N3DprinterSTF1Click() {
  if (state_.regions.toolBox == ToolBox::CleavageFace) {
    ports_.dialogs.Message(kCloseCutFaceFirst);
    return;
  }
  const auto path = AskExportPath(kStlFilter, "stl");
  if (!path) return;
  const SceneGeometry geometry = CurrentSceneGeometry();
  const std::string text =
      StlText(StlName(*path), model_.polyhedron, geometry, state_.switches.twin);
  const FileResult written = WriteFileAtomic(*path, text);
  if (!written) ShowWriteFailure(*path, written.message);
}

bool MainForm::PredictCifHabit(const CifImport& cif, const std::string& path) {
  if (!cif.CellComplete() || cif.pointGroup < 1 || cif.pointGroup >= kIcosahedralGroup)
    return false;
  prepareloading();
  model_.pointGroup = model_.acceptedGroup = model_.builtForGroup = cif.pointGroup;
  model_.operationCount = GetPointGroup(model_.pointGroup).order;
  SetCell(model_, cif.ModelCell());
  model_.acceptedCell = model_.cell;
  if (cif.fillColour) model_.display.fillColour = ColourFromValue(*cif.fillColour);
  if (cif.transparency) model_.display.transparency = *cif.transparency;
  model_.modelFileName = state_.modelFileName = path;
  ShowCaptionFor(path);
  Morphologypanel();
  PredictionBoxState& box = state_.tools.prediction;
  if (cif.predictionCaption) box.caption = *cif.predictionCaption;
  if (cif.spaceGroup)
    EnterFileSpaceGroup(box, *cif.spaceGroup);
  else if (!cif.spaceGroupSymbol.empty())
    EnterSpaceGroup(box, cif.spaceGroupSymbol, model_.pointGroup);
  else if (cif.spaceGroupNumber > 0)
    EnterSpaceGroup(box, std::to_string(cif.spaceGroupNumber), model_.pointGroup);
  model_.historyRestoring = model_.modelRestoring = false;
  N1dmodel1Click();
  return model_.lastUniqueFace >= 0;
}

}  // namespace habitopia
