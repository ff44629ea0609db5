// The two face lists: selecting, typing, the row parsers, the accept dispatcher,
// cancel, adding and removing faces.

#include <algorithm>
#include <cmath>

#include "app/face_keys.h"
#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app/on_exit.h"
#include "app/scoped_flag.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

constexpr const char* kWrongDistanceMessage = "wrong numerical input, old value restored";
constexpr const char* kWrongFullDistanceMessage = "Wrong numerical input, old value restored";
constexpr const char* kZeroDistanceMessage = "Distance has to be >0, old value restored";
constexpr const char* kFaceExistsMessage = "The face already exists, old value restored";
constexpr const char* kEquivalentAddedMessage =
    "There might exist one or more symmetry equivalent faces";
constexpr const char* kEquivalentEditedMessage =
    "There might exist one or more symmetry equivalent faces, old value restored";
constexpr const char* kEquivalentFullMessage =
    "There exists a symmetry equivalent face to this one, old value restored";
constexpr const char* kCutFaceRemovalMessage = "When cut face active, no removal of faces possible";
constexpr Real kSameIndexTolerance = 0.0005L;

// Row (1-based) of another face row with exactly this index text, 0 for none.
int OtherRowWithText(const FaceGrid& grid, int row, const std::string& text) {
  for (int r = 1; r <= FaceRowCount(grid); ++r)
    if (r != row && grid.rows[r][0] == text) return r;
  return 0;
}

void CopyAppearance(const FaceRecord& from, FaceRecord& to) {
  to.faceColour = from.faceColour;
  to.colourShown = from.colourShown;
  to.textureFile = from.textureFile;
  to.labelSelected = from.labelSelected;
  to.growthSector = from.growthSector;
}

}  // namespace

void MainForm::ReportTables(const TablesState& before) {
  ReportGridChange(before.stringGrid1, state_.tables.stringGrid1, 1, changes_);
  ReportGridChange(before.stringGrid2, state_.tables.stringGrid2, 2, changes_);
  MarkChanged(kTablesPart | kRegionsPart | kToolsPart);
  Changed();
}

FaceGrid& MainForm::ShownGrid() {
  return state_.tables.applySymmetry ? state_.tables.stringGrid2 : state_.tables.stringGrid1;
}

bool MainForm::UniqueListShown() const { return state_.tables.applySymmetry; }

void MainForm::ShowChosenList() {
  state_.tables.stringGrid2.visible = state_.tables.applySymmetry;
  state_.tables.stringGrid1.visible = !state_.tables.applySymmetry;
}

void MainForm::HidePanels() {
  if (state_.regions.toolBox != ToolBox::None) state_.regions.toolBox = ToolBox::None;
  state_.tables.metricBox = false;
  state_.tables.stringGrid1.visible = false;
  state_.tables.stringGrid2.visible = false;
  state_.regions.tables = true;
  state_.tables.removeFace.enabled = false;
  state_.tables.addFace.enabled = true;
}

bool MainForm::isadding() {
  if (!edit_.addingFace) return false;
  ports_.dialogs.Message(kEditAddedFaceFirst);
  return true;
}

void MainForm::SaveRowTexts(const FaceGrid& grid, int row) {
  const FaceRow texts = RowAt(grid, row);
  edit_.savedGrid = ListNumber(grid);
  edit_.savedRow = row;
  edit_.savedIndexText = texts.indices;
  edit_.savedDistanceText = texts.distance;
  state_.tables.edit1.text = texts.indices;
  state_.tables.edit2.text = texts.distance;
}

void MainForm::SelectRow(FaceGrid& grid, int row) {
  SaveRowTexts(grid, row);
  model_.selectedRow = row;
  grid.selectedRow = row;
  edit_.rowTyped = false;
}

void MainForm::RestoreSavedTexts(FaceGrid& grid) {
  const int row = model_.selectedRow;
  if (row < 1 || row >= grid.RowCount()) return;
  // Texts saved from another row or list (or another model) are no edit of this row.
  if (edit_.savedGrid != ListNumber(grid) || edit_.savedRow != row) return;
  grid.rows[row] = {edit_.savedIndexText, edit_.savedDistanceText};
  state_.tables.edit1.text = edit_.savedIndexText;
  state_.tables.edit2.text = edit_.savedDistanceText;
}

// The full list's own parser of the current row: a refused row gets its saved
// texts back and its face keeps its record.
bool MainForm::ParseFullListCurrentRow() {
  FaceGrid& grid = state_.tables.stringGrid1;
  const int row = model_.selectedRow;
  if (row < 1 || row > model_.FaceCount() || row >= grid.RowCount()) return false;
  FaceRow texts = RowAt(grid, row);
  FaceRecord record = model_.faces[row - 1];
  Real distance = 0;
  const bool negate = row - 1 == model_.cleavageFace && model_.cleavageReversed;
  if (!ParseGridNumber(texts.distance, distance, ListSeparator()) ||
      !ParseFullListRow(texts, record, ListSeparator(), negate)) {
    RestoreSavedTexts(grid);
    if (!model_.modelRestoring) ports_.dialogs.Message(kWrongFullDistanceMessage);
    return false;
  }
  if (record.distance == 0) {
    RestoreSavedTexts(grid);
    if (model_.cleavageFace < 0 && !model_.modelRestoring)
      ports_.dialogs.Message(kZeroDistanceMessage);
    return false;
  }
  if (!(record == model_.faces[row - 1])) model_.geometryStale = true;
  model_.faces[row - 1] = record;
  SetRowAt(grid, row, texts);
  state_.tables.edit1.text = texts.indices;
  state_.tables.edit2.text = texts.distance;
  return true;
}

bool MainForm::ParseUniqueListCurrentRow() {
  FaceGrid& grid = state_.tables.stringGrid2;
  const int row = model_.selectedRow;
  if (row < 1 || row >= grid.RowCount() || row > kFaceSlots) return false;
  FaceRow texts = RowAt(grid, row);
  FaceRecord record = model_.faces[row - 1];
  if (!ParseUniqueListRow(texts, record, ListSeparator())) {
    RestoreSavedTexts(grid);
    if (!model_.modelRestoring) ports_.dialogs.Message(kWrongDistanceMessage);
    return false;
  }
  if (record.distance == 0) {
    RestoreSavedTexts(grid);
    if (model_.cleavageFace < 0 && !model_.modelRestoring)
      ports_.dialogs.Message(kZeroDistanceMessage);
    return false;
  }
  model_.faces[row - 1] = record;
  SetRowAt(grid, row, texts);
  state_.tables.edit1.text = texts.indices;
  state_.tables.edit2.text = texts.distance;
  return true;
}

// Every distance of a list must be a number; negative ones become positive.
bool MainForm::ReadListDistances(FaceGrid& grid) {
  for (int r = 1; r <= FaceRowCount(grid); ++r) {
    Real distance = 0;
    if (!ParseGridNumber(grid.rows[r][1], distance, ListSeparator())) {
      RestoreSavedTexts(grid);
      ports_.dialogs.Message(kWrongDistanceMessage);
      return false;
    }
    if (distance < 0) grid.rows[r][1] = GeneralText(std::fabs(distance), ListSeparator());
  }
  return true;
}

void MainForm::Draw1Click() {
  FaceGrid& grid = state_.tables.stringGrid1;
  const int row = model_.selectedRow;
  if (model_.busy || row < 1 || row > model_.FaceCount() || row >= grid.RowCount()) return;
  FaceRow texts = RowAt(grid, row);
  const bool negate = row - 1 == model_.cleavageFace && model_.cleavageReversed;
  const bool parsed = ParseFullListRow(texts, model_.faces[row - 1], ListSeparator(), negate);
  model_.geometryStale = true;
  if (!parsed) return;
  SetRowAt(grid, row, texts);
  state_.tables.edit1.text = texts.indices;
  if (model_.calculateAfterStep && !model_.busy) CAClick();
}

void MainForm::RecalculateCurrentRow() {
  Draw1Click();
  if (model_.calculateAfterStep && !model_.busy) CAClick();
}

void MainForm::Edituniquefaces1Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  if (isadding()) return;
  CancelCleavageEdit();
  HidePanels();
  ApplyPointgroupClick(true);
}

void MainForm::EditFace1Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  if (isadding()) return;
  CancelCleavageEdit();
  HidePanels();
  ApplyPointgroupClick(false);
}

bool MainForm::StringGrid1SelectCell(int row, int column) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  FaceGrid& grid = state_.tables.stringGrid1;
  if (row < 1 || row >= grid.RowCount()) return false;
  if (row != model_.selectedRow || column == 1) state_.tables.removeFace.enabled = true;
  const int current = model_.selectedRow;
  if (current >= 1 && current < grid.RowCount() && ParseFullListCurrentRow()) {
    const std::string& text = grid.rows[current][0];
    if (text != kUntypedIndexText && grid.visible && OtherRowWithText(grid, current, text) &&
        state_.regions.toolBox != ToolBox::ShapePrediction) {
      grid.rows[current][0] = edit_.savedIndexText;
      ParseFullListCurrentRow();
      if (!model_.modelRestoring) ports_.dialogs.Message(kFaceExistsMessage);
    }
  }
  if (state_.regions.toolBox != ToolBox::Twintool) state_.tables.acceptStrip = true;
  SelectRow(grid, row);
  if (state_.regions.toolBox == ToolBox::Calculations) CalculationsRowPicked(row);
  if (state_.regions.toolBox == ToolBox::Twintool) TwinFaceRowPicked(row);
  return true;
}

bool MainForm::StringGrid2SelectCell(int row, int column) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  FaceGrid& grid = state_.tables.stringGrid2;
  if (row < 1 || row >= grid.RowCount()) return false;
  const std::string newDistance = state_.decimalComma ? "1,0" : "1.0";
  if (edit_.savedIndexText == kUntypedIndexText) {
    if (grid.rows[row][0] != kUntypedIndexText && grid.rows[row][1] != newDistance) return false;
  } else if (!(row == model_.selectedRow && column == 0) && !edit_.addingFace) {
    // Leaving a changed row accepts it first.
    const int current = model_.selectedRow;
    const FaceRow saved{edit_.savedIndexText, edit_.savedDistanceText};
    if (current >= 1 && current < grid.RowCount() && !(RowAt(grid, current) == saved)) {
      if (model_.modelRestoring)
        ParseUniqueListCurrentRow();
      else
        Edit1DblClick();
    }
  }
  if (row != model_.selectedRow) EndFacePreview(true);
  if (state_.regions.toolBox != ToolBox::Twintool) state_.tables.acceptStrip = true;
  state_.tables.removeFace.enabled = true;
  SelectRow(grid, row);
  return true;
}

namespace {

void SetCellText(FaceGrid& grid, int row, int column, const std::string& text) {
  if (row >= grid.RowCount()) grid.rows.resize(row + 1);
  grid.rows[row][column == 1 ? 1 : 0] = text;
}

}  // namespace

void MainForm::StringGrid1SetEditText(int row, int column, const std::string& text) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  FaceGrid& grid = state_.tables.stringGrid1;
  row = std::max(row, 1);
  SetCellText(grid, row, column, text);
  state_.tables.acceptStrip = true;
  edit_.rowTyped = !(RowAt(grid, row) == FaceRow{edit_.savedIndexText, edit_.savedDistanceText});
  state_.tables.edit1.text = grid.rows[row][0];
  state_.tables.edit2.text = grid.rows[row][1];
  model_.selectedRow = grid.selectedRow = row;
}

void MainForm::StringGrid2SetEditText(int row, int column, const std::string& text) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  FaceGrid& grid = state_.tables.stringGrid2;
  row = std::max(row, 1);
  SetCellText(grid, row, column, text);
  state_.tables.acceptStrip = true;
  edit_.rowTyped = !(RowAt(grid, row) == FaceRow{edit_.savedIndexText, edit_.savedDistanceText});
  state_.tables.edit1.text = grid.rows[row][0];
  state_.tables.edit2.text = grid.rows[row][1];
  model_.selectedRow = grid.selectedRow = row;
  PreviewFaceEdit();
}

char MainForm::StringGrid1KeyPress(int, int column, const std::string& cellText, char key) {
  const KeyVerdict verdict = FilterGridKey({FaceList::Full, column, cellText, state_.decimalComma,
                                            model_.pointGroup == kIcosahedralGroup},
                                           key);
  if (!verdict.message.empty()) ports_.dialogs.Message(verdict.message);
  edit_.rowTyped = true;
  if (verdict.key == '\r') {
    Edit1DblClick();
    return kSuppressedKey;
  }
  return verdict.key;
}

char MainForm::StringGrid2KeyPress(int, int column, const std::string& cellText, char key) {
  const KeyVerdict verdict = FilterGridKey({FaceList::Unique, column, cellText, state_.decimalComma,
                                            model_.pointGroup == kIcosahedralGroup},
                                           key);
  if (!verdict.message.empty()) ports_.dialogs.Message(verdict.message);
  if (!verdict.statusNote.empty()) {
    state_.statusPanels[kMessagePanel].text = verdict.statusNote;
    MarkChanged(kStatusPart);
  }
  state_.tables.removeFace.enabled = true;
  MarkChanged(kTablesPart);
  if (verdict.key == '\r') {
    if (state_.tables.edit1.text != kUntypedIndexText) Edit1DblClick();
    Changed();
    return kSuppressedKey;
  }
  Changed();
  return verdict.key;
}

// The edit boxes mirror the current row of the shown list. With "Apply
// Symmetry" checked the face as typed is expanded into the full list and drawn
// at once (the accept rebuilds the list, CANCEL restores it); in the full list
// the edit waits for the accept, which also drops a duplicate row.
void MainForm::Edit1Change(const std::string& text) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  state_.tables.edit1.text = text;
  state_.tables.acceptStrip = true;
  FaceGrid& grid = ShownGrid();
  if (model_.selectedRow >= 1 && model_.selectedRow < grid.RowCount())
    grid.rows[model_.selectedRow][0] = text;
  PreviewFaceEdit();
}

void MainForm::Edit2Change(const std::string& text) {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  state_.tables.edit2.text = text;
  state_.tables.acceptStrip = true;
  FaceGrid& grid = ShownGrid();
  if (model_.selectedRow >= 1 && model_.selectedRow < grid.RowCount())
    grid.rows[model_.selectedRow][1] = text;
  PreviewFaceEdit();
}

void MainForm::PreviewFaceEdit() {
  const int row = model_.selectedRow;
  FaceGrid& full = state_.tables.stringGrid1;
  if (!UniqueListShown() || model_.busy || calculating_ || model_.modelRestoring) return;
  if (row < 1 || row > model_.FaceCount() || row >= full.RowCount()) return;
  if (model_.cleavageFace >= 0 || state_.regions.toolBox != ToolBox::None) return;
  const std::string typed = state_.tables.edit1.text;
  const std::string distance = state_.tables.edit2.text;
  Real value = 0;
  if (!ParseGridNumber(distance, value, ListSeparator()) || value == 0) return;
  FaceRecord parsed = model_.faces[row - 1];
  FaceRow texts{typed, distance};
  if (!ParseFullListRow(texts, parsed, ListSeparator(), false) ||
      (parsed.h == 0 && parsed.k == 0 && parsed.l == 0))
    return;

  // Each change expands the face as it now reads into the list as it was
  // before the edit, so nothing typed on the way stays in the picture.
  FacePreview& preview = edit_.preview;
  if (!preview.active) {
    preview = {true, false, model_.faces, model_.lastFace, model_.lastUniqueFace, full.rows};
  } else {
    const FaceRecord edited = model_.faces[row - 1];
    model_.faces = preview.faces;
    model_.faces[row - 1] = edited;
    model_.lastFace = preview.lastFace;
    model_.lastUniqueFace = preview.lastUniqueFace;
    full.rows = preview.fullRows;
  }
  // The edit goes on while its face is drawn: the add stays unfinished and the
  // unique list keeps the rows typed.
  const bool adding = edit_.addingFace;
  const AddBackup addBackup = edit_.addBackup;
  const FaceGrid unique = state_.tables.stringGrid2;
  ScopedFlag previewing(facePreviewing_);
  model_.calculateAfterStep = false;
  full.rows[row] = {typed, distance};
  Draw1Click();
  const int snapshots = history_.Top();
  Checkboxclick();
  // The expansion draws when its last image was new; the face typed is drawn
  // in any case.
  if (history_.Top() == snapshots && !model_.busy) {
    model_.calculateAfterStep = true;
    CAClick();
  }
  edit_.addingFace = adding;
  edit_.addBackup = addBackup;
  state_.tables.addFace.enabled = !adding;
  state_.tables.stringGrid2 = unique;
  state_.tables.edit1.text = typed;
  state_.tables.edit2.text = distance;
  model_.selectedRow = row;
  preview.drawn = true;
}

// The full list and face table the typed face was expanded into go back to
// what they were before the edit; CANCEL (`redraw`) also draws them again.
void MainForm::EndFacePreview(bool redraw) {
  FacePreview& preview = edit_.preview;
  if (!preview.active) return;
  redraw = redraw && preview.drawn;
  model_.faces = preview.faces;
  model_.lastFace = preview.lastFace;
  model_.lastUniqueFace = preview.lastUniqueFace;
  state_.tables.stringGrid1.rows = preview.fullRows;
  model_.geometryStale = true;
  preview = {};
  if (redraw) {
    model_.calculateAfterStep = true;
    CAClick();
  }
}

void MainForm::Edit1DblClick() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  tables.cancelEdit.enabled = true;
  tables.addFace.enabled = true;
  if (state_.regions.toolBox == ToolBox::CleavageFace) {
    AcceptCleavagePlane();
    return;
  }
  if (tables.edit1.text == kUntypedIndexText) return;

  if (state_.regions.toolBox == ToolBox::PointGroups) {
    SpeedButton16Click();
    tables.acceptStrip = false;
    return;
  }
  if (state_.regions.toolBox != ToolBox::CleavageFace)
    tables.faceButtonStrip = tables.symmetryStrip = true;
  if (tables.metricBox) {
    SpeedButton16Click();
    tables.acceptStrip = true;
    return;
  }

  const int row = model_.selectedRow;
  if (UniqueListShown()) {
    EndFacePreview(false);
    FaceGrid& grid = tables.stringGrid2;
    if (row < 1 || row >= grid.RowCount() || !ReadListDistances(grid)) return;
    tables.edit2.text = grid.rows[row][1];
    if (!ParseUniqueListCurrentRow()) return;
    const std::string text = grid.rows[row][0];
    if (text != kUntypedIndexText && state_.regions.toolBox != ToolBox::ShapePrediction) {
      const FaceGrid& full = tables.stringGrid1;
      int same = 0;
      for (int r = 1; r <= FaceRowCount(full) && !same; ++r)
        if (full.rows[r][0] == text) same = r;
      if (edit_.addingFace && same) {
        ports_.dialogs.Message(kEquivalentAddedMessage);
        grid.rows[row][0] = edit_.savedIndexText = tables.edit1.text =
            std::string(kUntypedIndexText);
        ParseUniqueListCurrentRow();
        return;
      }
      if (same && same != row) {
        ports_.dialogs.Message(kEquivalentEditedMessage);
        grid.rows[row][0] = edit_.savedIndexText;
        ParseUniqueListCurrentRow();
        return;
      }
    }
    if (edit_.addingFace) {
      edit_.addingFace = false;
      model_.lastUniqueFace = std::max(model_.lastUniqueFace, row - 1);
    }
  } else {
    FaceGrid& grid = tables.stringGrid1;
    if (!ParseFullListCurrentRow()) return;
    if (grid.rows[row][0] == kUntypedIndexText || !ReadListDistances(grid)) return;
    if (OtherRowWithText(grid, row, grid.rows[row][0]) && model_.cleavageFace < 0) {
      ports_.dialogs.Message(kEquivalentFullMessage);
      if (!edit_.addingFace) {
        grid.rows[row][0] = edit_.savedIndexText;
        ParseFullListCurrentRow();
        return;
      }
      // The duplicate added row is dropped by the calculation below.
      grid.rows[row][0] = tables.edit1.text = std::string(kUntypedIndexText);
    }
  }

  if (state_.regions.toolBox == ToolBox::SpecialFaceFeatures) AcceptSpecialFaces();

  // Apply the edit.
  model_.calculateAfterStep = false;
  if (UniqueListShown()) {
    ApplyAllFacesClick();
  } else if (row >= 1 && row <= model_.FaceCount()) {
    model_.calculateAfterStep = true;
    FaceGrid& grid = tables.stringGrid1;
    SetRowAt(grid, row, {tables.edit1.text, tables.edit2.text});
    const Vec3 hkl = model_.faces[row - 1].Indices();
    bool duplicate = false;
    for (int f = 0; f < model_.FaceCount() && model_.cleavageFace < 0; ++f) {
      if (f == row - 1 || grid.rows[row][0] == kUntypedIndexText) continue;
      const Vec3 other = model_.faces[f].Indices();
      if (std::fabs(other[0] - hkl[0]) < kSameIndexTolerance &&
          std::fabs(other[1] - hkl[1]) < kSameIndexTolerance &&
          std::fabs(other[2] - hkl[2]) < kSameIndexTolerance)
        duplicate = true;
    }
    if (duplicate) {
      for (int f = row - 1; f < model_.lastFace; ++f) model_.faces[f] = model_.faces[f + 1];
      DeleteRow(grid, row);
      --model_.lastFace;
      model_.calculateAfterStep = false;
      edit_.addingFace = false;
    } else {
      Draw1Click();
    }
  }
  tables.acceptStrip = false;
  ShowChosenList();
  // The accepted texts are what a later refusal puts back.
  const FaceGrid& shown = ShownGrid();
  if (model_.selectedRow >= 1 && model_.selectedRow < shown.RowCount())
    SaveRowTexts(shown, model_.selectedRow);
}

void MainForm::CancelAdd(FaceGrid& grid) {
  if (!edit_.addingFace) return;
  DeleteRow(grid, grid.RowCount() - 1);
  if (&grid == &state_.tables.stringGrid2) {
    if (!edit_.addBackup.faces.empty()) {
      std::copy(edit_.addBackup.faces.begin(), edit_.addBackup.faces.end(), model_.faces.begin());
      model_.lastFace = edit_.addBackup.lastFace;
      model_.lastUniqueFace = edit_.addBackup.lastUniqueFace;
    }
  } else if (model_.lastFace >= 0) {
    model_.faces[model_.lastFace] = FaceRecord{};
    --model_.lastFace;
  }
  edit_.addBackup = {};
  edit_.addingFace = false;
  state_.tables.addFace.enabled = true;
  SelectRow(grid, std::clamp(model_.selectedRow, 1, grid.RowCount() - 1));
}

void MainForm::CANCELEDITClick() {
  // During a calculation CANCEL asks it to stop; a revert runs to its end.
  if (calculating_) {
    if (!snapshotLoading_) model_.stopRequested = true;
    return;
  }
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  if (tables.metricBox) {
    model_.cell = edit_.acceptedCell.cell;
    model_.cellLengthMean = edit_.acceptedCell.lengthMean;
    model_.matrices = BuildCellMatrices(model_.cell);
    ShowCellBoxes();
    tables.metricBox = false;
  }
  if (state_.regions.toolBox == ToolBox::PointGroups) PGCANCELClick();
  if (UniqueListShown()) {
    EndFacePreview(true);
    RestoreSavedTexts(tables.stringGrid2);
    CancelAdd(tables.stringGrid2);
  } else if (edit_.removedFace.present) {
    Button2Click();
    return;
  } else {
    RestoreSavedTexts(tables.stringGrid1);
    CancelAdd(tables.stringGrid1);
  }
  if (state_.regions.toolBox == ToolBox::CleavageFace) CancelCleavageEdit();
  tables.acceptStrip = false;
  ShowChosenList();
  if (state_.regions.toolBox == ToolBox::SpecialFaceFeatures ||
      state_.regions.toolBox == ToolBox::CombinedObjects)
    state_.regions.toolBox = ToolBox::None;
  state_.regions.locked = false;
  tables.faceButtonStrip = tables.symmetryStrip = true;
}

void MainForm::Button2Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  if (edit_.addingFace) return;
  const std::string newDistance = state_.decimalComma ? "1,0" : "1.0";
  FaceRecord added;
  added.distance = 1;
  FaceRow texts{std::string(kUntypedIndexText), newDistance};

  if (tables.applySymmetry) {
    FaceGrid& grid = tables.stringGrid2;
    const int face = FaceRowCount(grid);
    if (face >= kFaceSlots) return;
    if (edit_.removedFace.present) {
      SetRowAt(grid, face + 1, edit_.removedFace.texts);
      model_.faces[face] = edit_.removedFace.record;
      model_.lastUniqueFace = face;
      edit_.removedFace = {};
      SelectRow(grid, face + 1);
      tables.stringGrid1.visible = false;
      ApplyAllFacesClick();
      return;
    }
    edit_.addBackup = {model_.faces, model_.lastFace, model_.lastUniqueFace};
    SetRowAt(grid, face + 1, texts);
    model_.faces[face] = added;
    model_.lastFace = std::max(model_.lastFace, face);
    edit_.addingFace = true;
    tables.addFace.enabled = false;
    tables.acceptStrip = true;
    SelectRow(grid, face + 1);
    return;
  }

  FaceGrid& grid = tables.stringGrid1;
  const int face = std::min(model_.FaceCount(), FaceRowCount(grid));
  if (face >= kFaceSlots) return;
  model_.lastFace = face;
  if (edit_.removedFace.present) {
    texts = edit_.removedFace.texts;
    added = edit_.removedFace.record;
  }
  SetRowAt(grid, face + 1, texts);
  grid.rows.resize(face + 2);
  model_.faces[face] = added;
  edit_.addingFace = true;
  tables.addFace.enabled = false;
  tables.acceptStrip = true;
  SelectRow(grid, face + 1);
  if (edit_.removedFace.present) {
    edit_.removedFace = {};
    Edit1DblClick();
  }
}

void MainForm::Button4Click() {
  const TablesState before = state_.tables;
  OnExit report([&] { ReportTables(before); });
  TablesState& tables = state_.tables;
  if (model_.cleavageFace >= 0) {
    ports_.dialogs.Message(kCutFaceRemovalMessage);
    return;
  }
  const int row = model_.selectedRow;
  if (!tables.applySymmetry) {
    FaceGrid& grid = tables.stringGrid1;
    if (model_.FaceCount() < 1 || row < 1 || row > model_.FaceCount()) return;
    if (edit_.addingFace) {
      CANCELEDITClick();
      return;
    }
    edit_.removedFace = {true, RowAt(grid, row), model_.faces[row - 1]};
    for (int f = row - 1; f < model_.lastFace; ++f)
      CopyAppearance(model_.faces[f + 1], model_.faces[f]);
    tables.edit2.text = grid.rows[row][1] = "0";
    model_.calculateAfterStep = true;
    Draw1Click();
    return;
  }
  FaceGrid& grid = tables.stringGrid2;
  const int unique = FaceRowCount(grid);
  if (unique <= 1 || row < 1 || row > unique) return;
  if (edit_.addingFace) {
    CANCELEDITClick();
    return;
  }
  edit_.removedFace = {true, RowAt(grid, row), model_.faces[row - 1]};
  DeleteRow(grid, row);
  for (int f = row - 1; f < unique - 1; ++f) model_.faces[f] = model_.faces[f + 1];
  model_.lastUniqueFace = unique - 2;
  SelectRow(grid, std::min(row, unique - 1));
  ApplyAllFacesClick();
}

}  // namespace habitopia
