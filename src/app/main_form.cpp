#include "app/main_form.h"

#include <filesystem>

#include "app/shown_file.h"
#include "app/work_directory.h"

namespace habitopia {

MainForm::MainForm(Viewer& viewer, std::string workDirectory) : viewer_(viewer) {
  state_.workDirectory = std::move(workDirectory);
  viewer_.SetLoadFinishedHandler([this](const SceneLoadResult& result) { Cortona1SceneLoaded(result); });
}

void MainForm::Changed() {
  if (stateChanged_) stateChanged_();
}

void MainForm::FormActivate(const std::vector<std::string>& arguments,
                            const std::string& exampleModel) {
  state_.caption = std::string("Habitopia Vers. ") + kProgramVersionText;
  std::string error;
  if (!EnsureWorkDirectory(state_.workDirectory, error)) {
    state_.error = error;
    state_.statusPanels[kMessagePanel].text = error;
    Changed();
    return;
  }
  if (arguments.size() > 1) {
    // Several files: nothing is opened.
    Changed();
    return;
  }
  OpenFile(arguments.empty() ? exampleModel : arguments.front());
}

void MainForm::OpenFile(const std::string& path) {
  const ShownFile shown = PrepareShownFile(path, state_.workDirectory);
  if (!shown.ok) {
    state_.error = shown.error;
    state_.statusPanels[kMessagePanel].text = shown.error;
    Changed();
    return;
  }
  state_.error.clear();
  state_.modelFileName = shown.modelFileName;
  state_.sceneOnly = shown.sceneOnly;
  state_.statusBarVisible = !shown.sceneOnly;
  state_.caption = "Habitopia: " + std::filesystem::path(shown.modelFileName).filename().string();
  state_.statusPanels = InitialStatusPanels();
  if (shown.figures) ShowCalculation(state_.statusPanels, *shown.figures);
  state_.hullClosed = shown.closed;
  state_.scenePath = shown.scenePath;
  Changed();
  viewer_.LoadScene(shown.scenePath);
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
  Changed();
}

}  // namespace habitopia
