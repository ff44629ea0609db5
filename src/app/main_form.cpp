#include "app/main_form.h"

#include <filesystem>

#include "app/shown_file.h"
#include "app/work_directory.h"

namespace habitopia {

MainForm::MainForm(FormPorts ports, std::string workDirectory) : ports_(ports) {
  state_.workDirectory = std::move(workDirectory);
  for (const Command& command : Commands())
    state_.Command(command.id).enabled = command.handler != nullptr;
  ports_.viewer.SetLoadFinishedHandler([this](const SceneLoadResult& result) { Cortona1SceneLoaded(result); });
}

void MainForm::Changed(unsigned parts) {
  changes_.parts |= parts;
  if (changes_.Empty()) return;
  FormChanges changes;
  std::swap(changes, changes_);
  if (stateChanged_) stateChanged_(changes);
}

void MainForm::Run(CommandId id) {
  const Command& command = CommandFor(id);
  if (!command.handler || !state_.Command(id).enabled || state_.regions.locked) return;
  (this->*command.handler)();
  Changed();
}

void MainForm::RunRightClick(CommandId id) {
  const Command& command = CommandFor(id);
  if (!command.rightClickHandler || !state_.Command(id).enabled || state_.regions.locked) return;
  (this->*command.rightClickHandler)();
  Changed();
}

void MainForm::TimerFired(TimerId id) {
  ports_.timers.Stop(id);
  Changed();
}

void MainForm::FormActivate(const std::vector<std::string>& arguments,
                            const std::string& exampleModel) {
  state_.caption = std::string("Habitopia Vers. ") + kProgramVersionText;
  std::string error;
  if (!EnsureWorkDirectory(state_.workDirectory, error)) {
    state_.error = error;
    state_.statusPanels[kMessagePanel].text = error;
    Changed(kCaptionPart | kStatusPart | kDocumentPart);
    return;
  }
  if (arguments.size() > 1) {
    // Several files: nothing is opened.
    Changed(kCaptionPart);
    return;
  }
  OpenFile(arguments.empty() ? exampleModel : arguments.front());
}

void MainForm::OpenFile(const std::string& path) {
  const ShownFile shown = PrepareShownFile(path, state_.workDirectory);
  if (!shown.ok) {
    state_.error = shown.error;
    state_.statusPanels[kMessagePanel].text = shown.error;
    Changed(kStatusPart | kDocumentPart);
    return;
  }
  state_.error.clear();
  state_.modelFileName = shown.modelFileName;
  state_.sceneOnly = shown.sceneOnly;
  state_.regions.statusBar = !shown.sceneOnly;
  state_.caption = "Habitopia: " + std::filesystem::path(shown.modelFileName).filename().string();
  state_.statusPanels = InitialStatusPanels();
  if (shown.figures) ShowCalculation(state_.statusPanels, *shown.figures);
  state_.hullClosed = shown.closed;
  state_.scenePath = shown.scenePath;
  Changed(kCaptionPart | kStatusPart | kRegionsPart | kDocumentPart);
  ports_.viewer.LoadScene(shown.scenePath);
}

void MainForm::Cortona1SceneLoaded(const SceneLoadResult& result) {
  state_.sceneShown = result.ok;
  state_.viewerMessages = result.messages;
  if (result.ok) {
    state_.statusPanels[kMessagePanel].text.clear();
  } else {
    state_.error = result.error;
    state_.statusPanels[kMessagePanel].text = result.error;
  }
  Changed(kStatusPart | kDocumentPart);
}

}  // namespace habitopia
