// How one face looks, edited a face at a time: its colour, its index label, its
// growth sector, its texture and its distance from the centre.

#include <algorithm>

#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app/on_exit.h"
#include "app/scoped_flag.h"
#include "core/numbers.h"

namespace habitopia {
namespace {

constexpr const char* kImageFilter =
    "image data file (*.gif)|*.gif|jpeg (*.jpg)|*.jpg|All files|*.*";

void ClearAppearance(FaceRecord& face) {
  face.colourShown = 0;
  face.labelSelected = false;
  face.growthSector = false;
  face.textureFile.clear();
}

}  // namespace

void MainForm::SpeedButton9Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  if (isadding()) return;
  state_.regions.toolBox = ToolBox::SpecialFaceFeatures;
  state_.tables.acceptStrip = true;
  UpDown2Click(std::max(model_.selectedRow, 1));
}

void MainForm::StringGridRightClick(int grid, int row) {
  if (isadding()) {
    Changed();
    return;
  }
  if (grid == 1 ? StringGrid1SelectCell(row, 0) : StringGrid2SelectCell(row, 0))
    SpeedButton9Click();
}

void MainForm::indicesonMouseDown() {
  if (isadding()) {
    Changed();
    return;
  }
  model_.indexLabelAnswer = static_cast<int>(LabelAnswer::Unasked);
  ApplyPointgroupClick(true);
  SpeedButton9Click();
  Edit1DblClick();
  Changed();
}

void MainForm::UpDown2Click(int position) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  ScopedFlag restoring(model_.modelRestoring);
  FaceGrid& grid = ShownGrid();
  SpecialFacesState& box = state_.tables.special;
  box.upDown2Max = std::max(grid.RowCount() - 1, 1);
  box.upDown2 = std::clamp(position, 1, box.upDown2Max);
  SelectRow(grid, box.upDown2);
  box.label11 = grid.rows[box.upDown2][0];
  const FaceRecord& face = model_.faces[box.upDown2 - 1];
  box.drawGrowthsector = face.growthSector;
  box.showFaceColor = face.colourShown != 0;
  box.showIndices = face.labelSelected;
  box.faceImage = !face.textureFile.empty();
  box.imageButton = box.faceImage;
  state_.tables.centralDistance =
      static_cast<int>(std::clamp<long long>(RoundToInteger(face.distance * 10), 0, 20));
}

void MainForm::FaceColorClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (row < 1 || row > kFaceSlots) return;
  FaceRecord& face = model_.faces[row - 1];
  const Rgb initial{static_cast<int>(face.faceColour[0]), static_cast<int>(face.faceColour[1]),
                    static_cast<int>(face.faceColour[2])};
  const std::optional<Rgb> chosen = ports_.dialogs.Colour(initial);
  if (!chosen) return;
  face.faceColour = {static_cast<Real>(chosen->red), static_cast<Real>(chosen->green),
                     static_cast<Real>(chosen->blue)};
  face.colourShown = 1;
  state_.tables.special.showFaceColor = true;
}

void MainForm::ShowFaceColorClick(bool checked) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (row < 1 || row > kFaceSlots) return;
  FaceRecord& face = model_.faces[row - 1];
  if (!checked && face.growthSector) {
    state_.tables.special.showFaceColor = true;
    return;
  }
  face.colourShown = checked ? 1 : 0;
  state_.tables.special.showFaceColor = checked;
  if (!checked) state_.tables.special.drawGrowthsector = false;
}

void MainForm::ShowIndicesClick(bool checked) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (row < 1 || row > kFaceSlots) return;
  model_.faces[row - 1].labelSelected = checked;
  state_.tables.special.showIndices = checked;
  if (!checked) return;
  singleFacePropertiesRequested_ = true;
  edit_.labelsLimited = true;
  if (!state_.tables.applySymmetry) {
    state_.switches.display.indexLabels = state_.Command(CommandId::Indices).checked = true;
    MarkChanged(kCommandsPart);
  }
}

void MainForm::DrawGrowthsectorClick(bool checked) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (row < 1 || row > kFaceSlots) return;
  FaceRecord& face = model_.faces[row - 1];
  face.growthSector = checked;
  state_.tables.special.drawGrowthsector = checked;
  if (checked) {
    face.colourShown = 1;
    state_.tables.special.showFaceColor = true;
  }
}

void MainForm::FaceImageClick(bool checked) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  state_.tables.special.faceImage = checked;
  state_.tables.special.imageButton = checked;
}

void MainForm::ImageClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (row < 1 || row > kFaceSlots) return;
  FileDialogRequest request;
  request.filter = kImageFilter;
  request.defaultExtension = "jpg";
  const std::optional<std::string> file = ports_.dialogs.OpenFile(request);
  if (file) {
    model_.faces[row - 1].textureFile = *file;
    return;
  }
  state_.tables.special.faceImage = false;
  state_.tables.special.imageButton = false;
}

void MainForm::ResetFaceClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (row >= 1 && row <= kFaceSlots) ClearAppearance(model_.faces[row - 1]);
  edit_.labelsLimited = false;
  SpecialFacesState& box = state_.tables.special;
  box.showFaceColor = box.showIndices = box.drawGrowthsector = box.faceImage = box.imageButton =
      false;
  state_.switches.display.indexLabels = state_.Command(CommandId::Indices).checked = false;
  MarkChanged(kCommandsPart);
}

void MainForm::ResetAllFacesClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  for (int f = 0; f <= std::min(model_.lastFace, kFaceSlots - 1); ++f)
    ClearAppearance(model_.faces[f]);
  edit_.labelsLimited = false;
  SpecialFacesState& box = state_.tables.special;
  box.showFaceColor = box.showIndices = box.drawGrowthsector = box.faceImage = box.imageButton =
      false;
  state_.switches.display.indexLabels = state_.Command(CommandId::Indices).checked = false;
  MarkChanged(kCommandsPart);
  edit_.resetAllPending = true;
}

void MainForm::ClearSpecialAttributes() {
  for (int f = 0; f < kMaxFaces; ++f) ClearAppearance(model_.faces[f]);
  edit_.labelsLimited = false;
  edit_.resetAllPending = false;
  model_.indexLabelAnswer = static_cast<int>(LabelAnswer::Unasked);
  SpecialFacesState& box = state_.tables.special;
  box.showFaceColor = box.showIndices = box.drawGrowthsector = box.faceImage = box.imageButton =
      false;
  state_.switches.display.indexLabels = state_.Command(CommandId::Indices).checked = false;
  MarkChanged(kCommandsPart);
}

void MainForm::GlossAllFacesClick(bool checked) {
  const TablesState before = state_.tables;
  state_.tables.special.glossAllFaces = state_.switches.display.glossAllFaces = checked;
  state_.tables.acceptStrip = true;
  ReportTables(before);
}

void MainForm::CentraldistanceChange(int position) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  position = std::clamp(position, 0, 20);
  state_.tables.centralDistance = position;
  if (model_.modelRestoring) return;
  FaceGrid& grid = ShownGrid();
  const int row = model_.selectedRow;
  if (row < 1 || row >= grid.RowCount() || FaceRowCount(grid) == 0) return;
  const Real distance = position == 0 ? 0.0001L : position / 10.0L;
  grid.rows[row][1] = state_.tables.edit2.text = GeneralText(distance, ListSeparator());
  if (state_.tables.applySymmetry) {
    if (ParseUniqueListCurrentRow()) ApplyAllFacesClick();
    return;
  }
  model_.calculateAfterStep = true;
  Draw1Click();
}

void MainForm::TransparenceySectorChange(int position) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  position = std::clamp(position, 0, 10);
  state_.tables.special.sectorTransparency = position;
  model_.display.specialTransparency = position / 10.0L;
  model_.calculateAfterStep = true;
  RecalculateCurrentRow();
}

void MainForm::GroupBox3DblClick() {
  const TablesState before = state_.tables;
  if (state_.regions.toolBox == ToolBox::SpecialFaceFeatures)
    state_.regions.toolBox = ToolBox::None;
  ReportTables(before);
}

bool MainForm::AcceptSpecialFaces() {
  SpecialFacesState& box = state_.tables.special;
  const int row = model_.selectedRow;
  if (row >= 1 && row <= kFaceSlots) {
    FaceRecord& face = model_.faces[row - 1];
    if (box.showFaceColor) face.colourShown = 1;
    if (!box.faceImage) face.textureFile.clear();
  }
  if (edit_.labelsLimited) {
    state_.switches.display.indexLabels = state_.Command(CommandId::Indices).checked = true;
    if (!state_.tables.applySymmetry) model_.indexLabelAnswer = static_cast<int>(LabelAnswer::No);
    MarkChanged(kCommandsPart);
  }
  box.imageButton = box.faceImage;
  state_.regions.toolBox = ToolBox::None;
  if (edit_.resetAllPending) ClearSpecialAttributes();
  model_.geometryStale = true;
  return true;
}

}  // namespace habitopia
