// "Twintool": contact, rotation and inversion twins drawn beside the crystal.

#include "app/form_document.h"
#include "app/main_form.h"
#include "app/twin_labels.h"
#include "core/numbers.h"
#include "tools/twin.h"

namespace habitopia {

namespace {

// Indices of the twin texts as the model file orders them.
enum TwinText { kFaceText = 0, kAxisText = 1, kThroughText = 2, kAngleText = 3, kCentreText = 4 };

}  // namespace

void MainForm::winningTool1Click() {
  if (isadding()) return;
  EditFace1Click();  // contact faces are picked in the full list
  state_.regions.toolBox = ToolBox::Twintool;
  state_.regions.viewerControls = false;
  state_.tools.twin.note.clear();
  MarkChanged(kRegionsPart | kToolsPart | kTablesPart | kGrid1ShapePart | kGrid2ShapePart);
}

void MainForm::closetwintoolClick() {
  if (state_.regions.toolBox == ToolBox::Twintool) state_.regions.toolBox = ToolBox::None;
  state_.regions.viewerControls = true;
  MarkChanged(kRegionsPart);
}

void MainForm::SelectNoTwin() {
  if (modelReading_) return;  // the twin a model was saved with stays
  state_.switches.twin = TwinChoice::None;
  model_.twin.type = TwinType::None;
  closetwintoolClick();
  MarkChanged(kToolsPart);
}

void MainForm::TwinChoiceClick(TwinChoice choice) {
  state_.switches.twin = choice;
  MarkChanged(kToolsPart);
}

void MainForm::realbutnClick(bool reciprocal) {
  state_.switches.rotationReciprocal = reciprocal;
  MarkChanged(kToolsPart);
}

void MainForm::TwinTextChange(int text, const std::string& value) {
  if (text < 0 || text >= kTwinTextCount) return;
  state_.switches.twinTexts[text] = value;
  MarkChanged(kToolsPart);
}

void MainForm::TwinFaceRowPicked(int row) {
  const FaceGrid& grid = state_.tables.stringGrid1;
  if (row < 1 || row >= grid.RowCount() || row > model_.FaceCount()) return;
  const FaceRecord& face = model_.faces[row - 1];
  state_.switches.twinTexts[kFaceText] = RoundedIndexText(face.h, face.k, face.l);
  state_.tools.twin.twinFaceRow = row;
  MarkChanged(kToolsPart);
}

// The readers write back what they read: the reduced axis, the angle within
// -180..180 as far as it is written back, the two points.
void MainForm::ApplyTwinTexts() {
  TwinTexts& texts = state_.switches.twinTexts;
  const bool rotation = state_.switches.twin == TwinChoice::Rotation;
  if (rotation)
    if (auto axis = ReadTwinTriple(texts[kAxisText], {0, 0, 1}, true))
      texts[kAxisText] = axis->text;
  Real angle = 0;
  if (ParseLocaleReal(texts[kAngleText], state_.decimalComma, angle) && rotation)
    texts[kAngleText] = GeneralText(NormaliseTwinAngle(angle).shown, Separator(state_));
  for (int text : {kThroughText, kCentreText})
    if (auto point = ReadTwinTriple(texts[text], {0, 0, 0}, false)) texts[text] = point->text;
  const TwinType type = TwinTypeOf(state_.switches.twin, state_.switches.rotationReciprocal);
  model_.twin =
      TwinSettingsFromTexts(type,
                            TwinToolTexts{texts[kFaceText], texts[kAxisText], texts[kThroughText],
                                          texts[kAngleText], texts[kCentreText]},
                            model_.matrices);
}

void MainForm::CreateTwinClick() {
  TwinBoxState& box = state_.tools.twin;
  const TwinSettings shown = model_.twin;  // the twin the picture shows
  ApplyTwinTexts();
  box.note.clear();
  if (state_.switches.twin == TwinChoice::Contact &&
      FindContactFace(model_.polyhedron, state_.switches.twinTexts[kFaceText]) < 0) {
    const std::string& face = state_.switches.twinTexts[kFaceText];
    box.note = face.empty() ? "Pick the contact face in the face list first"
                            : "No face " + face + " on the crystal to mirror the twin in";
    model_.twin = shown;
    state_.switches.twin = TwinChoiceOf(shown.type);
    ports_.dialogs.Message(box.note);
    MarkChanged(kToolsPart);
    return;
  }
  model_.calculateAfterStep = true;
  MarkChanged(kToolsPart);
  CAClick();
}

}  // namespace habitopia
