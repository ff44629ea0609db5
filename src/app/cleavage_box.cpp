// "Indicate cleavage face": the cleavage plane added, moved with its slider and
// removed, and the growth sectors projected onto it.

#include "app/cleavage_slider.h"
#include "app/form_document.h"
#include "app/main_form.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "core/polyhedron.h"

namespace habitopia {

inline constexpr const char* kWrongNumericalInput = "wrong numerical input";
inline constexpr const char* kCutFaceNotTyped = "cut face indices are not typed in correctly";

void MainForm::cutfaceClick() {
  if (edit_.addingFace) return;
  CleavageBoxState& box = state_.tools.cleavage;
  // Cancelling the plane's first edit returns to the model shown now.
  if (model_.cleavageFace < 0) cleavageReturnPosition_ = history_.Position();
  box.removeEnabled = model_.cleavageFace >= 0;
  state_.switches.twin = TwinChoice::None;
  model_.twin.type = TwinType::None;
  state_.tables.applySymmetry = false;
  state_.tables.stringGrid1.visible = true;
  state_.tables.stringGrid2.visible = false;
  state_.tools.prediction.autoCleanup = false;
  state_.Command(CommandId::AutomaticCleanup).checked = false;
  state_.switches.display.solid = false;
  state_.Command(CommandId::Solid).checked = false;
  state_.regions.toolBox = ToolBox::CleavageFace;
  MarkChanged(kRegionsPart | kToolsPart | kTablesPart | kCommandsPart | kDisplayPart |
              kGrid1ShapePart | kGrid2ShapePart);
}

void MainForm::TrackBar1Change(int position) {
  CleavageBoxState& box = state_.tools.cleavage;
  position = std::clamp(position, 0, kCleavageSliderMaximum);
  box.trackBar1 = position;
  if (position == box.lastPosition) return;
  box.removeEnabled = model_.cleavageFace >= 0;
  box.editCutDistance = GeneralText(CleavageDistanceFromSlider(position), Separator(state_));
  box.lastPosition = position;
  state_.tools.prediction.autoCleanup = false;
  state_.Command(CommandId::AutomaticCleanup).checked = false;
  MarkChanged(kToolsPart | kCommandsPart);
  ports_.timers.Start(TimerId::Timer4);
}

void MainForm::Timer4Timer() {
  model_.modelRestoring = false;
  if (state_.regions.toolBox == ToolBox::CleavageFace) AcceptCleavagePlane();
}

void MainForm::EditCutfaceChange(const std::string& text) {
  state_.tools.cleavage.editCutface = text;
  MarkChanged(kToolsPart);
}

void MainForm::editcutdistanceChange(const std::string& text) {
  state_.tools.cleavage.editCutDistance = text;
  MarkChanged(kToolsPart);
}

bool MainForm::AcceptCleavagePlane() {
  CleavageBoxState& box = state_.tools.cleavage;
  const char separator = Separator(state_);
  MarkChanged(kToolsPart);

  Real distance = 0;
  std::string distanceText = box.editCutDistance;
  for (char& c : distanceText)
    if (c == '.' || c == ',') c = separator;
  if (!ParseLocaleReal(distanceText, state_.decimalComma, distance) || !std::isfinite(distance)) {
    ParseLocaleReal(box.acceptedDistanceText, state_.decimalComma, distance);
    box.editCutDistance = box.acceptedDistanceText;
    ports_.dialogs.Message(kWrongNumericalInput);
  }
  if (distance == 0) distance = kCleavageZeroDistance;
  box.trackBar1 = box.lastPosition = CleavageSliderFromDistance(distance);
  box.acceptedDistanceText = box.editCutDistance;

  Vec3 hkl{};
  if (!ParseIndexText(box.editCutface, hkl, BadIndexToken::Stop, separator)) {
    ports_.dialogs.Message(kWrongNumericalInput);
    box.editCutface = std::string(kUntypedIndexText);
    hkl = {};
  }
  if (hkl[0] == 0 && hkl[1] == 0 && hkl[2] == 0) {
    ports_.dialogs.Message(kCutFaceNotTyped);
    return false;
  }

  // The plane goes in on a copy first: a plane that misses the crystal is
  // refused and the model stays as it was.
  CrystalModel trial = model_;
  if (trial.cleavageFace < 0) {
    if (trial.lastFace + 1 >= kFaceSlots) {
      ports_.dialogs.Message(kTooManyFacesMessage);
      return false;
    }
    trial.cleavageFace = ++trial.lastFace;
    trial.faces[trial.cleavageFace] = FaceRecord{};
  }
  trial.cleavageReversed = distance < 0;
  trial.cleavageDistance = std::fabs(distance);
  const Real scale = model_.polyhedron.distanceScale > 0 ? model_.polyhedron.distanceScale : 1;
  FaceRow row{box.editCutface, GeneralText(trial.cleavageDistance * scale, separator)};
  FaceRecord& plane = trial.faces[trial.cleavageFace];
  plane.h = plane.k = plane.l = 0;
  if (!ParseFullListRow(row, plane, separator, trial.cleavageReversed)) {
    ports_.dialogs.Message(kWrongNumericalInput);
    return false;
  }
  PolyhedronInput input = MakePolyhedronInput(trial);
  input.previousDistanceScale = scale;
  const Polyhedron cut = BuildPolyhedron(input);
  if (cut.presentIndex.at(trial.cleavageFace) == kAbsentFace) {
    const std::string message = "The cleavage plane " + row.indices + " at " + row.distance +
                                (trial.cleavageReversed ? " (reversed)" : "") +
                                " does not cut the crystal";
    ShowToolMessage(message);
    ports_.dialogs.Message(message);
    return false;
  }

  box.acceptedIndexText = box.editCutface;
  box.removeEnabled = true;
  model_ = std::move(trial);
  model_.polyhedron = cut;
  model_.geometryStale = false;
  model_.calculateAfterStep = true;
  state_.tools.prediction.autoCleanup = false;
  state_.Command(CommandId::AutomaticCleanup).checked = false;
  ShowModelInTables();
  state_.tables.stringGrid1.selectedRow = model_.cleavageFace + 1;
  CAClick();
  return true;
}

void MainForm::removecutfaceClick() {
  if (model_.cleavageFace < 0) return;
  const int plane = model_.cleavageFace;
  for (int f = plane; f < model_.lastFace; ++f) model_.faces[f] = model_.faces[f + 1];
  model_.faces[model_.lastFace] = FaceRecord{};
  --model_.lastFace;
  model_.lastUniqueFace = std::min(model_.lastUniqueFace, model_.lastFace);
  model_.cleavageFace = -1;
  model_.cleavageReversed = false;
  state_.switches.showModel = state_.switches.projectSectors = false;
  if (state_.regions.toolBox == ToolBox::CleavageFace) state_.regions.toolBox = ToolBox::None;
  state_.tools.cleavage.removeEnabled = false;
  MarkChanged(kRegionsPart | kToolsPart);
}

void MainForm::CancelCleavageEdit() {
  if (state_.regions.toolBox == ToolBox::CleavageFace) {
    state_.regions.toolBox = ToolBox::None;
    MarkChanged(kRegionsPart);
  }
  // The plane of a model being read belongs to that model.
  if (model_.cleavageFace < 0 || modelReading_) return;
  const int back = cleavageReturnPosition_;
  cleavageReturnPosition_ = 0;
  if (back >= 1 && back <= history_.Top() && !calculating_) {
    // The snapshot shown when the box opened comes back, with the switches the
    // box changed.
    history_.SetPosition(back + 1);
    undo1Click();
    if (model_.cleavageFace < 0) return;
  }
  removecutfaceClick();
  DrawFullList();
}

void MainForm::removecutface1Click() {
  cleavageReturnPosition_ = 0;
  removecutfaceClick();
  DrawFullList();
}

void MainForm::showmodelClick(bool checked) {
  state_.switches.showModel = checked;
  model_.calculateAfterStep = true;
  MarkChanged(kToolsPart);
  CAClick();
}

void MainForm::projectsectorsClick(bool checked) {
  state_.switches.projectSectors = checked;
  model_.calculateAfterStep = true;
  MarkChanged(kToolsPart);
  CAClick();
}

}  // namespace habitopia
