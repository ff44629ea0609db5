#include "app/form_document.h"

#include <algorithm>

#include "core/numbers.h"

namespace habitopia {

namespace {

FaceRow GridRowForFace(const FaceRecord& face, char separator) {
  return FaceRow{IndexText(face.Indices(), separator), GeneralText(face.distance, separator)};
}

void ShowFaces(const CrystalModel& model, int last, FaceGrid& grid, char separator) {
  FaceRows rows;
  for (int f = 0; f <= last && f < kFaceSlots; ++f)
    rows.push_back(GridRowForFace(model.faces[f], separator));
  SetGridFaceRows(grid, rows);
}

}  // namespace

FaceRows GridFaceRows(const FaceGrid& grid) {
  FaceRows rows;
  for (int r = 1; r < grid.RowCount(); ++r) rows.push_back({grid.rows[r][0], grid.rows[r][1]});
  return rows;
}

void SetGridFaceRows(FaceGrid& grid, const FaceRows& rows) {
  grid.rows.resize(1);
  grid.rows[0] = {"indices", "Distance"};
  for (const FaceRow& row : rows) grid.rows.push_back({row.indices, row.distance});
  if (grid.rows.size() < 2) grid.rows.push_back({"", ""});
  grid.selectedRow = std::clamp(grid.selectedRow, 1, grid.RowCount() - 1);
}

void ShowModelInTables(const CrystalModel& model, TablesState& tables, char separator) {
  ShowFaces(model, model.lastUniqueFace, tables.stringGrid2, separator);
  ShowFaces(model, model.lastFace, tables.stringGrid1, separator);
  const UnitCell given = CellAsGiven(model);
  const Real values[6] = {given.a, given.b, given.c, given.alpha, given.beta, given.gamma};
  for (int i = 0; i < 6; ++i) tables.cellEdits[i].text = GeneralText(values[i], separator);
}

void ShowDocumentSwitches(const ModelDocument& document, FormState& state) {
  DocumentSwitches& s = state.switches;
  s.display = DecodeSwitches(document.switches);
  s.tumble = PanelCodeTumble(document.switches[kSwitchPanel]);
  s.perspectivePosition = document.perspectivePosition;
  s.speedPosition = document.speedPosition;
  s.twinTexts = document.twinTexts;
  s.showModel = document.showModel;
  s.projectSectors = document.projectSectors;
  s.twin = TwinChoiceOf(static_cast<TwinType>(std::clamp(document.twinType, 0, 4)));
  s.rotationReciprocal = document.twinType == static_cast<int>(TwinType::RotationReciprocal);
}

FormValues CollectFormValues(const FormState& state, std::string_view rendererName, SaveKind kind) {
  const DocumentSwitches& s = state.switches;
  FormValues values;
  values.switches = s.display;
  values.switches.rendererCode = RendererCode(rendererName);
  values.panels.tumble = s.tumble;
  values.panels.uniqueFaceGridShown = state.tables.stringGrid2.visible;
  values.panels.pointGroupBoxShown = state.regions.toolBox == ToolBox::PointGroups;
  values.panels.metricBoxShown = state.tables.metricBox;
  values.panels.specialFaceBoxShown =
      kind == SaveKind::UndoSnapshot && state.regions.toolBox == ToolBox::SpecialFaceFeatures;
  values.perspectivePosition = s.perspectivePosition;
  values.speedPosition = s.speedPosition;
  values.twinTexts = s.twinTexts;
  values.showModel = s.showModel;
  values.projectSectors = s.projectSectors;
  return values;
}

SceneSwitches CollectSceneSwitches(const FormState& state) {
  const DocumentSwitches& s = state.switches;
  SceneSwitches switches;
  switches.fill = s.display.fill;
  switches.grid = s.display.grid;
  switches.solid = s.display.solid;
  switches.lights = s.display.spotlights;
  switches.animation = s.display.animation;
  switches.tumble = s.tumble;
  switches.indiceson = s.display.indexLabels;
  switches.Caxes = s.display.crystalAxes;
  switches.hkil = s.hkil;
  switches.singlefacegloss = s.display.glossAllFaces;
  switches.showmodel = s.showModel;
  switches.projectsectors = s.projectSectors;
  switches.twin = s.twin;
  switches.twinFace = s.twinTexts[0];
  switches.decimalComma = state.decimalComma;
  return switches;
}

}  // namespace habitopia
