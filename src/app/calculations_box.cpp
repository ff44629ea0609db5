// "&Calculations": interfacial angle, common edge, physical normal, indices
// from a direction and the selected face's area, measured on the built crystal.

#include "app/form_document.h"
#include "app/main_form.h"
#include "tools/measurements.h"
#include "tools/shape_descriptors.h"

namespace habitopia {

SceneGeometry MainForm::CurrentSceneGeometry() const {
  return BuildSceneGeometry(model_, model_.polyhedron, CollectSceneSwitches(state_));
}

void MainForm::Calculations1Click() {
  const SceneGeometry geometry = CurrentSceneGeometry();
  if (!HullAllowsCalculations(geometry.lists.volumeTotal)) {
    ports_.dialogs.Message(kHullNotClosed);
    return;
  }
  if (isadding()) return;
  if (state_.tables.acceptStrip) CANCELEDITClick();
  state_.tools.prediction.polarity = 0;
  EditFace1Click();  // faces are picked in the full list
  state_.regions.toolBox = ToolBox::Calculations;
  state_.regions.viewerControls = false;
  RefreshShapeDescriptors();
  MarkChanged(kRegionsPart | kToolsPart | kTablesPart | kGrid1ShapePart | kGrid2ShapePart);
}

void MainForm::RefreshShapeDescriptors() {
  if (state_.regions.toolBox != ToolBox::Calculations) return;
  state_.tools.calculations.shapeDescriptors =
      DescriptorReport(DescribeShape(model_), "model units");
  MarkChanged(kToolsPart);
}

void MainForm::CloseCalculationsClick() {
  if (state_.regions.toolBox == ToolBox::Calculations) state_.regions.toolBox = ToolBox::None;
  state_.regions.viewerControls = true;
  MarkChanged(kRegionsPart | kTablesPart);
}

void MainForm::Edit15Enter() {
  CalculationsBoxState& box = state_.tools.calculations;
  box.selectingFace1 = true;
  box.selectingHklFace = false;
  box.angleButton = "calculate";
  MarkChanged(kToolsPart);
}

void MainForm::Edit16Enter() {
  CalculationsBoxState& box = state_.tools.calculations;
  box.selectingFace1 = false;
  box.selectingHklFace = false;
  box.angleButton = "calculate";
  MarkChanged(kToolsPart);
}

void MainForm::thirdfacebuttonClick() {
  state_.tools.calculations.selectingHklFace = true;
  MarkChanged(kToolsPart);
}

void MainForm::CalculationsRowPicked(int row) {
  const FaceGrid& grid = state_.tables.stringGrid1;
  if (row < 1 || row >= grid.RowCount() || row > model_.FaceCount()) return;
  CalculationsBoxState& box = state_.tools.calculations;
  const std::string& text = grid.rows[row][0];
  if (box.selectingHklFace) {
    box.calcFace1Row = row;
    box.thirdFaceButton = box.firstFaceButton = text;
    AngleButtonClick();
    physicalindicesClick();
  } else {
    if (box.selectingFace1) {
      box.firstFaceButton = text;
      box.calcFace1Row = row;
    } else {
      box.secondFaceButton = text;
      box.calcFace2Row = row;
    }
    AngleButtonClick();
    const SceneGeometry geometry = CurrentSceneGeometry();
    const BuiltCrystal crystal{&model_.polyhedron, &geometry.corners, &geometry.lists};
    box.label65 = SelectedFaceSurfaceText(crystal, row - 1);
  }
  MarkChanged(kToolsPart);
}

void MainForm::AngleButtonClick() {
  CalculationsBoxState& box = state_.tools.calculations;
  const int first = box.calcFace1Row - 1, second = box.calcFace2Row - 1;
  const FaceGrid& grid = state_.tables.stringGrid1;
  const auto valid = [&](int face) {
    return face >= 0 && face < model_.FaceCount() && face + 1 < grid.RowCount();
  };
  if (!valid(first) || !valid(second)) return;
  const AngleResult angle =
      InterfacialAngle(model_.matrices, model_.faces[first], model_.faces[second],
                       grid.rows[first + 1][0], grid.rows[second + 1][0]);
  box.angleButton = angle.caption;
  if (first != second) {
    const SceneGeometry geometry = CurrentSceneGeometry();
    const BuiltCrystal crystal{&model_.polyhedron, &geometry.corners, &geometry.lists};
    box.label36 = CommonEdge(crystal, first, second).caption;
  }
  MarkChanged(kToolsPart);
}

void MainForm::physicalindicesClick() {
  CalculationsBoxState& box = state_.tools.calculations;
  box.physicalIndices =
      PhysicalNormalText(model_.matrices, model_.FaceTable(), box.calcFace1Row - 1);
  MarkChanged(kToolsPart);
}

void MainForm::coordinatesphysicalChange(const std::string& text) {
  CalculationsBoxState& box = state_.tools.calculations;
  box.coordinatesPhysical = text;
  box.faceFromXyz = IndicesFromDirectionText(model_.matrices, text, state_.decimalComma);
  if (box.faceFromXyz == kWrongInputOfIndices) ports_.dialogs.Message(kWrongInputOfIndices);
  MarkChanged(kToolsPart);
}

}  // namespace habitopia
