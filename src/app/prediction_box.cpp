// "Shape Prediction": the prediction, the clean-up with its timer, the box's
// settings and "R&andomize Distances".

#include <algorithm>
#include <random>

#include "app/form_document.h"
#include "app/main_form.h"
#include "app/scoped_flag.h"
#include "core/face_table.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {

FaceRows MainForm::UniqueRows() const {
  FaceRows rows = GridFaceRows(state_.tables.stringGrid2);
  rows.resize(std::max(model_.lastUniqueFace + 1, 0));
  return rows;
}

void MainForm::ShowToolMessage(const std::string& text) {
  state_.statusPanels[kMessagePanel].text = text;
  MarkChanged(kStatusPart);
}

RandomSource& MainForm::Random() {
  if (!random_) random_ = std::make_unique<SeededRandom>(std::random_device{}());
  return *random_;
}

void MainForm::DrawFullList() {
  ShowModelInTables();
  model_.calculateAfterStep = true;
  model_.geometryStale = true;
  CAClick();
}

void MainForm::RedrawFromUniqueList() {
  FaceRows unique = UniqueRows();
  FaceRows full;
  ExpansionOptions expansion;
  expansion.separator = Separator(state_);
  const RebuildResult rebuilt = RebuildFullList(model_, unique, full, expansion,
                                                [this](int) { return !FaceCountWarning(model_); });
  model_.lastUniqueFace = static_cast<int>(unique.size()) - 1;
  if (rebuilt.tableFull || rebuilt.stopped) LimitFaceCount(model_);
  DrawFullList();
}

void MainForm::Morphologypanel() {
  PrepareMorphologyPanel(state_.tools.prediction, model_.pointGroup);
  MarkChanged(kToolsPart);
}

void MainForm::MorphologyPrediction1Click() {
  if (state_.regions.toolBox != ToolBox::ShapePrediction) savedUndoPosition_ = history_.Position();
  if (state_.tools.prediction.preparedForGroup != model_.pointGroup) Morphologypanel();
  state_.regions.toolBox = ToolBox::ShapePrediction;
  MarkChanged(kRegionsPart | kToolsPart);
}

void MainForm::closemorphologyClick() {
  // A prediction still calculating goes back to where the box was opened.
  predictionClosing_ = calculating_ && state_.regions.toolBox == ToolBox::ShapePrediction;
  if (state_.regions.toolBox == ToolBox::ShapePrediction) state_.regions.toolBox = ToolBox::None;
  MarkChanged(kRegionsPart);
  CANCELEDITClick();
}

void MainForm::N1dmodel1Click() {
  if (model_.pointGroup == kIcosahedralGroup) {
    ports_.dialogs.Message(std::string(kPredictionRefused));
    return;
  }
  PredictionBoxState& box = state_.tools.prediction;
  if (box.preparedForGroup != model_.pointGroup) Morphologypanel();
  const PredictionSettings settings = PredictionSettingsOf(box);
  const CrystalModel before = model_;
  state_.tables.applySymmetry = true;
  FaceRows unique;
  PredictionFlags flags;
  PredictionStatus status;
  {
    ScopedFlag restoring(model_.modelRestoring);
    status = PredictFaces(model_, unique, settings, flags, Random(), Separator(state_));
  }
  // The last pass stops with two rows left, so an extinct form can stay behind
  // with its marker distance: it is no face of the habit, and left in it would
  // set the distance scale far beyond the crystal.
  if (std::any_of(unique.begin(), unique.end(),
                  [](const FaceRow& row) { return row.distance != "1000"; }))
    std::erase_if(unique, [](const FaceRow& row) { return row.distance == "1000"; });
  if (status != PredictionStatus::Done || unique.empty()) {
    model_ = before;
    ShowToolMessage("The prediction gave no faces; the model is unchanged");
    MarkChanged(kTablesPart);
    return;
  }
  // A habit the predicted faces do not close is not drawn.
  {
    CrystalModel trial = model_;
    FaceRows full;
    ExpansionOptions expansion;
    expansion.separator = Separator(state_);
    RebuildFullList(trial, unique, full, expansion,
                    [&trial](int) { return !FaceCountWarning(trial); });
    LimitFaceCount(trial);
    CleanFaceTable(trial);
    const Polyhedron shape = BuildPolyhedron(MakePolyhedronInput(trial));
    const FaceIndexLists lists = BuildFaceIndexLists(shape, NumberSceneCorners(shape), false);
    if (!IsHullClosed(shape, lists, trial.cleavageFace)) {
      model_ = before;
      ShowToolMessage("The predicted faces do not close a crystal; the model is unchanged");
      ports_.dialogs.Message(state_.statusPanels[kMessagePanel].text);
      return;
    }
  }
  randomizeRequested_ = flags.randomizeDistances;
  rewriteRequested_ = box.autoCleanup;
  SetGridFaceRows(state_.tables.stringGrid2, unique);
  model_.lastUniqueFace = static_cast<int>(unique.size()) - 1;
  RedrawFromUniqueList();
}

void MainForm::rewriteindices() {
  const bool cleanup = rewriteRequested_;
  if (cleanup && model_.geometryStale) {
    model_.polyhedron = BuildPolyhedron(MakePolyhedronInput(model_));
    model_.geometryStale = false;
  }
  FaceRows unique = UniqueRows();
  const PredictionFlags flags{cleanup, randomizeRequested_};
  const PredictionStatus status =
      RewriteIndices(model_, unique, PredictionSettingsOf(state_.tools.prediction), flags, Random(),
                     Separator(state_));
  if (status != PredictionStatus::Done) return;
  SetGridFaceRows(state_.tables.stringGrid2, unique);
  model_.lastUniqueFace = static_cast<int>(unique.size()) - 1;
  MarkChanged(kGrid2ShapePart);
  if (cleanup) ports_.timers.Start(TimerId::Timer3);
}

void MainForm::cleanup() {
  if (model_.pointGroup == kIcosahedralGroup) {
    ports_.dialogs.Message(std::string(kPredictionRefused));
    return;
  }
  ScopedFlag restoring(model_.modelRestoring);
  rewriteRequested_ = true;
  randomizeRequested_ = true;
  rewriteindices();
}

void MainForm::Timer3Timer() {
  rewriteRequested_ = false;
  RedrawFromUniqueList();
}

void MainForm::automaticcleanup1Click() {
  PredictionBoxState& box = state_.tools.prediction;
  box.autoCleanup = !box.autoCleanup;
  state_.Command(CommandId::AutomaticCleanup).checked = box.autoCleanup;
  MarkChanged(kToolsPart | kCommandsPart);
}

void MainForm::maxhklChange(int position) {
  PredictionBoxState& box = state_.tools.prediction;
  box.hklMax = std::clamp(position, 1, box.hklMaxMaximum);
  MarkChanged(kToolsPart);
}

void MainForm::polarityChange(int position) {
  state_.tools.prediction.polarity = std::clamp(position, 0, 10);
  MarkChanged(kToolsPart);
}

void MainForm::highorderfacesClick(bool checked) {
  state_.tools.prediction.withHigherOrders = checked;
  MarkChanged(kToolsPart);
}

void MainForm::TranslationClick(TranslationSlot slot, int value) {
  ChooseTranslation(state_.tools.prediction, slot, value);
  MarkChanged(kToolsPart);
}

void MainForm::TranslationDblClick(TranslationSlot slot) {
  ClearTranslationSlot(state_.tools.prediction, slot);
  MarkChanged(kToolsPart);
}

void MainForm::SpaceGroupEntered(const std::string& text) {
  PredictionBoxState& box = state_.tools.prediction;
  if (box.preparedForGroup != model_.pointGroup) Morphologypanel();
  EnterSpaceGroup(box, text, model_.pointGroup);
  MarkChanged(kToolsPart);
}

void MainForm::RandomizeFullList(int percent) {
  FaceRows full = GridFaceRows(state_.tables.stringGrid1);
  full.resize(model_.FaceCount());
  RandomizeDistances(model_, full, percent, Random(), Separator(state_));
  state_.tables.applySymmetry = false;
  DrawFullList();
}

void MainForm::N101Click() { RandomizeFullList(10); }
void MainForm::N251Click() { RandomizeFullList(25); }
void MainForm::N501Click() { RandomizeFullList(50); }

}  // namespace habitopia
