// The calculation driver: table clean-up, construction with progress and
// cancel, scene, hull question, snapshot and the deferred viewer load.

#include <filesystem>
#include <utility>
#include <vector>

#include "app/form_document.h"
#include "app/grid_rows.h"
#include "app/main_form.h"
#include "app/scoped_flag.h"
#include "app/shown_file.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "core/open_direction.h"
#include "core/polyhedron.h"
#include "scene/scene_files.h"
#include "scene/scene_writer.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

// The grid text of a face as the clean-up rewrites it: the values before rounding.
FaceRow CleanedRow(const FaceRecord& face) {
  return FaceRow{FormatGeneral(face.h).substr(0, 10) + " " + FormatGeneral(face.k).substr(0, 10) +
                     " " + FormatGeneral(face.l).substr(0, 10),
                 FormatGeneral(face.distance)};
}

bool Dropped(const FaceRow& row) { return row.indices == kUntypedIndexText; }

}  // namespace

void MainForm::en_dis_able(bool enable) {
  if (state_.regions.locked == !enable) return;
  state_.regions.locked = !enable;
  state_.tables.acceptFace.enabled = enable;
  if (enable) {
    state_.tables.stringGrid1.rows[0] = {"indices", "Distance"};
    state_.tables.stringGrid2.rows[0] = {"indices", "Distance"};
  }
  MarkChanged(kRegionsPart | kTablesPart | kCommandsPart);
  Changed();
}

void MainForm::CAClick() {
  const ToolBox box = state_.regions.toolBox;
  // A face drawn as it is typed keeps the window open to the typing.
  if (box != ToolBox::Calculations && box != ToolBox::SpecialFaceFeatures &&
      box != ToolBox::CleavageFace && !facePreviewing_)
    en_dis_able(false);

  model_.workDirectory = state_.workDirectory;
  model_.scenePath = (fs::path(state_.workDirectory) / kSceneFileName).string();

  FaceGrid& grid1 = state_.tables.stringGrid1;
  if (FaceCountWarning(model_)) {
    LimitFaceCount(model_);
    if (grid1.RowCount() > model_.lastFace + 2) grid1.rows.resize(model_.lastFace + 2);
    model_.applyAllCursor = -1;
    MarkChanged(kGrid1ShapePart);
    ports_.dialogs.Message(kTooManyFacesMessage);
  }

  const bool showUnique = state_.tables.applySymmetry;
  if (state_.tables.stringGrid2.visible != showUnique || grid1.visible == showUnique) {
    state_.tables.stringGrid2.visible = showUnique;
    grid1.visible = !showUnique;
    MarkChanged(kGrid1ShapePart | kGrid2ShapePart);
  }

  if (model_.applyAllCursor > -1) {
    if (model_.applyAllCursor >= model_.lastUniqueFace) {
      model_.applyAllCursor = -1;
      CAClick();
    } else {
      ports_.timers.Start(TimerId::Timer1);
    }
    return;
  }
  if (model_.busy) return;

  // The clean-up: rows "0 0 0" and faces without a positive distance go.
  const FaceRows before = GridFaceRows(grid1);
  gridBeforeCalculation_ = before;
  for (int f = 0; f <= model_.lastFace && f < static_cast<int>(before.size()); ++f)
    if (Dropped(before[f])) model_.faces[f].h = model_.faces[f].k = model_.faces[f].l = 0;
  FaceRows cleaned;
  std::vector<int> droppedUniqueRows;
  for (int f = 0; f <= model_.lastFace; ++f) {
    const FaceRow row = CleanedRow(model_.faces[f]);
    if (Dropped(row) || !(model_.faces[f].distance > 0)) {
      if (f <= model_.lastUniqueFace) droppedUniqueRows.push_back(f + 1);
      continue;
    }
    cleaned.push_back(row);
  }
  CleanFaceTable(model_);
  // The unique list loses the rows of the unique faces dropped.
  FaceGrid& grid2 = state_.tables.stringGrid2;
  if (!droppedUniqueRows.empty() && FaceRowCount(grid2) >= droppedUniqueRows.back()) {
    for (auto row = droppedUniqueRows.rbegin(); row != droppedUniqueRows.rend(); ++row)
      DeleteRow(grid2, *row);
    MarkChanged(kGrid2ShapePart);
  }
  if (cleaned != before) {
    const bool sameShape = cleaned.size() == before.size();
    SetGridFaceRows(grid1, cleaned);
    if (sameShape)
      MarkGridRows(1, 1, static_cast<int>(cleaned.size()));
    else
      MarkChanged(kGrid1ShapePart);
  }

  // "Show Indices" in the single-face properties asked for the box again.
  if (std::exchange(singleFacePropertiesRequested_, false)) SpeedButton9Click();

  if (model_.modelRestoring || !model_.calculateAfterStep) {
    en_dis_able(true);
    return;
  }

  model_.calculateAfterStep = false;
  // A calculation ends an unfinished add: its "0 0 0" row went with the clean-up.
  EndAdding();
  model_.cornersComputed = false;
  SceneOutput scene;
  {
    ScopedFlag busy(model_.busy);
    ScopedFlag running(calculating_);
    if (model_.geometryStale) {
      state_.progress = ProgressState{true, 0, std::max(model_.lastFace, 1)};
      Changed(kStatusPart);
      BuildOptions options;
      options.progress = [this](int done, int total) {
        state_.progress.position = done;
        state_.progress.maximum = std::max(total, 1);
        Changed(kStatusPart);
        ports_.timers.ProcessMessages();
        return !model_.stopRequested;
      };
      PolyhedronInput input = MakePolyhedronInput(model_);
      model_.polyhedron = BuildPolyhedron(input, options);
      model_.geometryStale = !model_.polyhedron.complete;
      state_.progress.visible = false;
      MarkChanged(kStatusPart);
    }
    model_.cornersComputed = model_.polyhedron.complete;

    scene = WriteScene(model_, model_.polyhedron, model_.display, CollectSceneSwitches(state_));
    const FileResult written = WriteFileAtomic(model_.scenePath, scene.text);
    if (!written) ShowWriteFailure(model_.scenePath, written.message);
    state_.scenePath = model_.scenePath;

    CalculationFigures figures;
    if (model_.pointGroup >= 1 && model_.pointGroup <= kPointGroupCount)
      figures.pointGroupCaption = std::string(GetPointGroup(model_.pointGroup).symbol);
    figures.presentFaces = model_.polyhedron.PresentFaceCount();
    figures.sceneCorners = scene.geometry.corners.Count();
    figures.surface = scene.geometry.lists.surfaceTotal;
    figures.volume = scene.geometry.lists.volumeTotal;
    ShowCalculation(state_.statusPanels, figures);
    state_.viewerDescription = CrystalDescription(figures);
    MarkChanged(kStatusPart | kDocumentPart);
    RefreshStereogram();
    RefreshShapeDescriptors();
    ports_.timers.ProcessMessages();
  }

  const bool closed = IsHullClosed(model_.polyhedron, scene.geometry.lists, model_.cleavageFace);
  state_.hullClosed = closed;
  if (!closed) {
    const std::string open = OpenDirectionMessage(model_.polyhedron, model_.matrices);
    if (!open.empty()) state_.statusPanels[kMessagePanel].text = open;
  }
  if (!closed && state_.caption.find("Start") == std::string::npos && !model_.stopRequested &&
      !model_.historyRestoring) {
    hullQuestionAsked_ = true;
    if (ports_.dialogs.Ask(kHullNotClosedQuestion, kWarningCaption, QuestionButtons::YesNo) ==
        Answer::No) {
      // The snapshot brings a removed face back: it must not be restored a second time.
      edit_.removedFace = {};
      EndAdding();
      model_.modelRestoring = false;
      state_.tables.cancelEdit.enabled = false;
      history_.SetPosition(history_.Position() + 1);
      undo1Click();
    }
  } else if (!model_.stopRequested && !model_.modelRestoring) {
    hullQuestionAsked_ = false;
    backup();
    state_.sceneOnly = false;
    state_.tables.removeFace.enabled = false;
    model_.sliderMoving = false;
    model_.historyRestoring = false;
    ports_.timers.Start(TimerId::Timer5);
  }

  en_dis_able(true);

  if (model_.pointGroup != kIcosahedralGroup && !model_.stopRequested && rewriteRequested_) {
    // An open hull has no hidden faces to clean away; its redraw would only
    // ask the hull question a second time.
    if (state_.hullClosed)
      rewriteindices();
    else
      rewriteRequested_ = false;
    model_.modelRestoring = false;
  }

  if (model_.stopRequested) {
    rewriteRequested_ = false;
    if (state_.regions.toolBox == ToolBox::ShapePrediction || predictionClosing_)
      history_.SetPosition(savedUndoPosition_);
    predictionClosing_ = false;
    history_.SetPosition(history_.Position() + 1);
    model_.stopRequested = false;
    model_.modelRestoring = false;
    model_.applyAllCursor = -1;
    undo1Click();
  }

  if (model_.cleavageFace >= 0 && state_.regions.toolBox != ToolBox::CleavageFace) cutfaceClick();
}

void MainForm::EndAdding() {
  if (!edit_.addingFace) return;
  edit_.addingFace = false;
  edit_.addBackup = {};
  state_.tables.addFace.enabled = true;
  MarkChanged(kTablesPart);
}

void MainForm::Timer5Timer() {
  if (!resetViewpoint_ && !hullQuestionAsked_) savedViewpoint_ = ports_.viewer.Camera();
  state_.scenePath = model_.scenePath;
  ports_.viewer.LoadScene(model_.scenePath);
  MarkChanged(kDocumentPart);
}

void MainForm::Cortona1SceneLoaded(const SceneLoadResult& result) {
  state_.sceneShown = result.ok;
  state_.viewerMessages = result.messages;
  if (result.ok) {
    state_.statusPanels[kMessagePanel].text.clear();
    if (resetViewpoint_ || !savedViewpoint_) {
      savedViewpoint_ = ports_.viewer.Camera();
      resetViewpoint_ = false;
    } else {
      ports_.viewer.SetCamera(*savedViewpoint_);
    }
  } else {
    state_.error = result.error;
    state_.statusPanels[kMessagePanel].text = result.error;
  }
  Changed(kStatusPart | kDocumentPart);
}

void MainForm::ShowModelInTables() {
  habitopia::ShowModelInTables(model_, state_.tables, Separator(state_));
  // The point-group box and the cell boxes follow the model read.
  state_.tables.pointGroupChoice = model_.pointGroup;
  edit_.acceptedCell = {model_.cell, model_.cellLengthMean};
  ApplyLatticeClass();
  MarkChanged(kTablesPart | kGrid1ShapePart | kGrid2ShapePart);
}

}  // namespace habitopia
