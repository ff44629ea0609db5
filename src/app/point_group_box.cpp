// The "Point Groups" box, the symmetry strip ("Symmetry", "to All", "Apply
// Symmetry") and the commands that rebuild the full list from the unique list.

#include <algorithm>
#include <exception>

#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app/on_exit.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {

void MainForm::SpeedButton15Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  SelectNoTwin();
  if (isadding()) return;
  CancelCleavageEdit();
  // For the rebuild that accepting a new group runs; never for a model just
  // read, which is shown as it was saved.
  if (state_.tools.prediction.autoCleanup && !modelReading_) rewriteRequested_ = true;
  state_.tables.applySymmetry = true;
  ApplyPointgroupClick(true);
  HidePanels();
  state_.regions.toolBox = ToolBox::PointGroups;
  state_.tables.acceptStrip = true;
}

void MainForm::PointGroupRadioClick(int group) {
  if (group < 1 || group > kPointGroupCount) return;
  const TablesState before = state_.tables;
  state_.tables.pointGroupChoice = group;
  ReportTables(before);
}

void MainForm::SetRadiobutton() {
  const TablesState before = state_.tables;
  state_.tables.pointGroupChoice = model_.pointGroup;
  ReportTables(before);
}

void MainForm::ApplyLatticeClass() {
  CellTexts texts;
  CellBoxFlags enabled{};
  for (int box = 0; box < kCellBoxCount; ++box) texts[box] = state_.tables.cellEdits[box].text;
  ApplyCellConstraint(GetPointGroup(state_.tables.pointGroupChoice).lattice, texts, enabled);
  for (int box = 0; box < kCellBoxCount; ++box) {
    state_.tables.cellEdits[box].text = texts[box];
    state_.tables.cellEdits[box].enabled = enabled[box];
  }
}

void MainForm::SpeedButton16Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  tables.acceptStrip = true;
  tables.removeFace.enabled = false;
  tables.addFace.enabled = true;
  if (state_.regions.toolBox == ToolBox::PointGroups) state_.regions.toolBox = ToolBox::None;
  ShowChosenList();

  const PointGroup& group = GetPointGroup(std::clamp(tables.pointGroupChoice, 1, kPointGroupCount));
  model_.pointGroup = group.number;
  model_.operationCount = group.order;
  model_.acceptedGroup = group.number;
  ApplyLatticeClass();
  state_.statusPanels[kPointGroupPanel].text = PointGroupStatusText(std::string(group.symbol));
  MarkChanged(kStatusPart);
  Morphologypanel();
  SpeedButton17Click();
  // Whatever the cell now is was accepted with the group (also after a file was read).
  edit_.acceptedCell = {model_.cell, model_.cellLengthMean};

  if (model_.pointGroup != model_.builtForGroup || model_.cellChanged) {
    try {
      model_.builtForGroup = model_.acceptedGroup = model_.pointGroup;
      model_.matrices = BuildCellMatrices(model_.cell);
      model_.geometryStale = true;
      model_.selectedRow = 1;
      RedrawModel1Click();
    } catch (const std::exception&) {
      // The previous drawing stays.
    }
  } else {
    // The clean-up asked for when the box opened belongs to this group's
    // rebuild; it must not fall on the user's next face edit.
    rewriteRequested_ = false;
  }
}

void MainForm::PGCANCELClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  state_.tables.acceptStrip = false;
  rewriteRequested_ = false;
  model_.pointGroup = model_.builtForGroup = model_.acceptedGroup;
  model_.operationCount = GetPointGroup(model_.pointGroup).order;
  if (state_.regions.toolBox == ToolBox::PointGroups) state_.regions.toolBox = ToolBox::None;
  ShowChosenList();
  state_.tables.removeFace.enabled = false;
  state_.tables.addFace.enabled = true;
  SetRadiobutton();
}

void MainForm::ApplyPointgroupClick(bool checked) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  if (edit_.addingFace) {
    tables.applySymmetry = tables.stringGrid2.visible;
    return;
  }
  tables.applySymmetry = checked;
  if (checked) {
    if (state_.regions.toolBox == ToolBox::Calculations) state_.regions.toolBox = ToolBox::None;
  } else {
    tables.removeFace.enabled = false;
  }
  ShowChosenList();
}

void MainForm::ApplyPointgroupMouseDown() {
  if (ports_.dialogs.Ask("Redraw Model now?", "Warning", QuestionButtons::YesNo) == Answer::Yes)
    RedrawModel1Click();
  Changed();
}

void MainForm::RedrawModel1Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  if (edit_.addingFace) return;
  model_.calculateAfterStep = true;
  if (!state_.tables.applySymmetry) {
    RecalculateCurrentRow();
    return;
  }
  state_.tables.stringGrid1.visible = false;
  if (state_.regions.toolBox == ToolBox::SpecialFaceFeatures)
    state_.regions.toolBox = ToolBox::None;
  ApplyAllFacesClick();
}

void MainForm::hkil1Click() {
  state_.switches.display.indexLabels = state_.Command(CommandId::Indices).checked = true;
  state_.switches.hkil = !state_.switches.hkil;
  state_.Command(CommandId::Hkil).checked = state_.switches.hkil;
  MarkChanged(kCommandsPart);
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  model_.calculateAfterStep = true;
  RecalculateCurrentRow();
}

bool MainForm::AskLabelQuestion() {
  const bool specialOpen = state_.regions.toolBox == ToolBox::SpecialFaceFeatures;
  auto& answer = model_.indexLabelAnswer;
  if (answer == static_cast<int>(LabelAnswer::Unasked) && edit_.labelsLimited &&
      state_.tables.stringGrid2.visible && !specialOpen && !model_.modelRestoring &&
      !model_.historyRestoring) {
    const Answer asked =
        ports_.dialogs.Ask("apply symmetry to indices", "Warning", QuestionButtons::YesNo);
    answer = static_cast<int>(asked == Answer::Yes ? LabelAnswer::Yes : LabelAnswer::No);
  }
  return answer != static_cast<int>(LabelAnswer::No) && !specialOpen;
}

// The unique faces are expanded in one pass: each expansion is quick, so the
// window stays responsive, and the single calculation follows at the end.
void MainForm::ApplyAllFacesClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  tables.applySymmetry = true;
  ShowChosenList();
  if (model_.busy) return;

  const FaceRows unique = FaceRowsOf(tables.stringGrid2);
  FaceRows full;
  ExpansionOptions options;
  options.separator = ListSeparator();
  options.copyLabelSelected = [this] { return AskLabelQuestion(); };
  model_.applyAllCursor = -1;
  RebuildFullList(model_, unique, full, options,
                  [this](int) { return model_.lastFace < kMaxFaces - 1; });
  SetFaceRows(tables.stringGrid1, full);
  SetFaceRows(tables.stringGrid2,
              FaceRows(full.begin(), full.begin() + std::min(full.size(), unique.size())));
  model_.geometryStale = true;
  model_.calculateAfterStep = true;
  CAClick();
}

void MainForm::Checkboxclick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  const int row = model_.selectedRow;
  if (model_.busy || model_.operationCount == 0 || row < 1 || row > model_.FaceCount()) return;
  FaceRows full = FaceRowsOf(state_.tables.stringGrid1);
  full.resize(model_.FaceCount());
  ExpansionOptions options;
  options.separator = ListSeparator();
  options.copyLabelSelected = [this] { return AskLabelQuestion(); };
  const ExpansionResult result = ExpandFace(
      model_, full, {row - 1, state_.tables.edit1.text, state_.tables.edit2.text}, options);
  SetFaceRows(state_.tables.stringGrid1, full);
  if (result.calculationDue && !model_.busy) CAClick();
}

}  // namespace habitopia
