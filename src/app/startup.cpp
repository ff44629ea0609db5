// Start-up, "&New Model" and closing.

#include <clocale>
#include <filesystem>

#include "app/form_document.h"
#include "app/main_form.h"
#include "app/program_texts.h"
#include "app/settings_file.h"
#include "app/shown_file.h"
#include "app/work_directory.h"
#include "files/file_io.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

struct DefaultFace {
  Real h, k, l;
};
constexpr DefaultFace kDefaultFaces[] = {{1, 2, 3}, {-1, -1, 1}, {0, -1, -1}, {0, 1, 0}};
constexpr int kDefaultPointGroup = 2;

bool LocaleWritesDecimalComma() {
  const std::lconv* conventions = std::localeconv();
  return conventions && conventions->decimal_point && conventions->decimal_point[0] == ',';
}

// Choosing the information panel that is shown hides it.
InfoPanel Toggled(InfoPanel shown, InfoPanel chosen) {
  return shown == chosen ? InfoPanel::None : chosen;
}

}  // namespace

void MainForm::BuildDefaultModel() {
  model_.pointGroup = model_.acceptedGroup = model_.builtForGroup = kDefaultPointGroup;
  model_.operationCount = GetPointGroup(kDefaultPointGroup).order;
  SetCell(model_, UnitCell{});
  model_.acceptedCell = model_.cell;
  for (FaceRecord& face : model_.faces) face = FaceRecord{};
  FaceRows unique;
  for (const DefaultFace& face : kDefaultFaces) {
    FaceRecord record;
    record.h = face.h;
    record.k = face.k;
    record.l = face.l;
    record.distance = 1;
    unique.push_back(RowForFace(record, Separator(state_)));
  }
  FaceRows full;
  ExpansionOptions expansion;
  expansion.separator = Separator(state_);
  RebuildFullList(model_, unique, full, expansion);
  model_.lastUniqueFace = static_cast<int>(unique.size()) - 1;
  ShowModelInTables();
  SetGridFaceRows(state_.tables.stringGrid1, full);
  model_.modelRestoring = model_.sliderMoving = false;
  model_.calculateAfterStep = true;
  model_.geometryStale = true;
  CAClick();
}

void MainForm::FormActivate(const std::vector<std::string>& arguments) {
  if (activated_) return;
  activated_ = true;
  state_.caption = std::string("Habitopia Vers. ") + kProgramVersionText;
  MarkChanged(kCaptionPart);
  std::string error;
  if (!EnsureWorkDirectory(state_.workDirectory, error)) {
    state_.error = error;
    state_.statusPanels[kMessagePanel].text = error;
    ports_.dialogs.Message(kCannotCreateWorkDirectory);
    Changed(kStatusPart | kDocumentPart);
    return;
  }
  history_.SetWorkDirectory(state_.workDirectory);
  state_.decimalComma = LocaleWritesDecimalComma();
  LoadRecent1Click();
  // The silent update check runs once the window has come up.
  ports_.timers.Start(TimerId::Timer6);

  if (arguments.size() != 1) {
    BuildDefaultModel();
    Changed();
    return;
  }
  const std::string& path = arguments.front();
  std::error_code missing;
  if (!fs::is_regular_file(path, missing)) {
    ports_.dialogs.Message(std::string(kFileNotFound) + ": " + path);
    BuildDefaultModel();
    Changed();
    return;
  }
  state_.switches.twin = TwinChoice::None;
  if (state_.regions.toolBox == ToolBox::Twintool) state_.regions.toolBox = ToolBox::None;
  const std::string extension = LowerExtension(path);
  bool opened = false;
  if (extension == ".wrl" || extension == ".wrz") {
    opened = TryMor(path);
    if (!opened) {
      Loadwrlfile1Click(path);
      opened = state_.sceneOnly;
    }
  } else if (extension == ".cif") {
    opened = ImportCifFile(path);
  } else if (extension == ".mor") {
    model_.modelRestoring = model_.historyRestoring = true;
    opened = LoadModelFile(path);
    model_.modelRestoring = model_.sliderMoving = model_.historyRestoring = false;
    if (opened) {
      ShowCaptionFor(path);
      backup();
    }
  } else {
    ports_.dialogs.Message(kNotAModelFile + fs::path(path).extension().string());
  }
  if (opened) {
    UpdateRecentFiles(path);
  } else {
    // Whatever went wrong has been said; the window shows the default crystal.
    BuildDefaultModel();
  }
  Changed();
}

void MainForm::NewModel1Click() {
  if (!state_.sceneOnly && !model_.modelRestoring) savechanges();
  model_.modelRestoring = model_.historyRestoring = true;
  resetViewpoint_ = true;
  EndFaceEdit();
  model_.display = DisplaySettings{};
  state_.switches = DocumentSwitches{};
  if (state_.regions.toolBox == ToolBox::Twintool) state_.regions.toolBox = ToolBox::None;
  model_.twin = TwinSettings{};
  // Both lists keep their first face row.
  for (FaceGrid* grid : {&state_.tables.stringGrid1, &state_.tables.stringGrid2}) {
    grid->rows.resize(std::min(grid->RowCount(), 2));
    grid->selectedRow = 1;
  }
  model_.lastFace = std::min(model_.lastFace, 0);
  model_.lastUniqueFace = std::min(model_.lastUniqueFace, 0);
  model_.cleavageFace = -1;
  model_.geometryStale = true;
  state_.caption = "Habitopia: New Model";
  history_.SetPosition(history_.Top());
  model_.historyRestoring = model_.sliderMoving = model_.modelRestoring = false;
  backup();
  en_dis_able(true);
  state_.sceneOnly = false;
  state_.scenePath = programFiles_.emptyScene;
  MarkChanged(kCaptionPart | kTablesPart | kGrid1ShapePart | kGrid2ShapePart | kDisplayPart |
              kToolsPart | kRegionsPart | kDocumentPart);
  if (!programFiles_.emptyScene.empty()) ports_.viewer.LoadScene(programFiles_.emptyScene);
}

void MainForm::Exit1Click() {
  state_.closeRequested = true;
  MarkChanged(kDocumentPart);
}

bool MainForm::FormClose(int windowWidth, int windowHeight) {
  state_.closeRequested = false;
  if (calculating_) {
    model_.stopRequested = true;
    return false;
  }
  if (!state_.sceneOnly) {
    const Answer answer = ports_.dialogs.Ask("closing application!\n\nSAVE CHANGES ?",
                                             kWarningCaption, QuestionButtons::YesNoCancel);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes) {
      SaveClick();
      if (state_.saveCancelled) {
        Changed();
        return false;
      }
    }
  } else if (ports_.dialogs.Ask("Closing Application?", kWarningCaption,
                                QuestionButtons::YesCancel) != Answer::Yes) {
    return false;
  }
  history_.RemoveAll();
  std::string text;
  const std::string settings =
      ReadSettingsFile(SettingsPath(), text)
          ? SettingsOnClose(text, programFiles_.programDirectory, windowWidth, windowHeight)
          : DefaultSettingsText();
  std::string error;
  if (!WriteSettingsFile(SettingsPath(), settings, error)) ShowWriteFailure(SettingsPath(), error);
  Changed();
  return true;
}

void MainForm::Donations1Click() {
  state_.regions.infoPanel = Toggled(state_.regions.infoPanel, InfoPanel::Donation);
  Changed(kRegionsPart);
}

void MainForm::CloseInfoPanel() {
  state_.regions.infoPanel = InfoPanel::None;
  Changed(kRegionsPart);
}

void MainForm::ShowSplash() {
  state_.splashShown = true;
  state_.splashStays = false;
  Changed(kRegionsPart);
}

void MainForm::Timer14Timer() {
  ports_.timers.Start(TimerId::Timer14);
  const LogoState placed =
      PlaceLogo(windowGeometry_, state_.regions.statusBar, state_.regions.utilities,
                state_.display.settings.backgroundColour);
  if (placed == state_.logo) return;
  state_.logo = placed;
  MarkChanged(kRegionsPart);
}

}  // namespace habitopia
