// The cell boxes a, b, c, alpha, beta, gamma and the "Metric" box.

#include "app/face_keys.h"
#include "app/main_form.h"
#include "app/on_exit.h"

namespace habitopia {

void MainForm::ShowCellBoxes() {
  const CellTexts texts = CellBoxTexts(model_.cell, model_.cellLengthMean, state_.decimalComma);
  for (int box = 0; box < kCellBoxCount; ++box) state_.tables.cellEdits[box].text = texts[box];
  ApplyLatticeClass();
}

void MainForm::MetriceditClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  if (isadding()) return;
  SelectNoTwin();
  CancelCleavageEdit();
  HidePanels();
  state_.tables.metricBox = true;
  ShowCellBoxes();
}

void MainForm::SpeedButton17Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  tables.removeFace.enabled = false;
  tables.addFace.enabled = true;
  tables.metricBox = false;
  ShowChosenList();

  CellTexts texts;
  for (int box = 0; box < kCellBoxCount; ++box) texts[box] = tables.cellEdits[box].text;
  const CellCommit commit = CommitCell(model_, texts, edit_.acceptedCell, state_.decimalComma);
  for (int box = 0; box < kCellBoxCount; ++box) tables.cellEdits[box].text = texts[box];
  if (!commit.ok) ports_.dialogs.Message(kIncorrectCellMessage);
  if (commit.changed) model_.geometryStale = true;
}

void MainForm::Edit4Change(int box, const std::string& text) {
  if (box < 0 || box >= kCellBoxCount) return;
  const TablesState before = state_.tables;
  state_.tables.cellEdits[box].text = text;
  // Lengths that the group ties to a follow it.
  if (box == kBoxA) ApplyLatticeClass();
  state_.tables.acceptStrip = true;
  ReportTables(before);
}

char MainForm::Edit4KeyPress(int, char key) {
  key = FilterCellBoxKey(key, state_.decimalComma);
  if (key != '\r') return key;
  Edit1DblClick();
  return kSuppressedKey;
}

}  // namespace habitopia
