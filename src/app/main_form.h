#pragma once
// The main window's behaviour, kept apart from the window toolkit: the window
// shows FormState and forwards its events to the handlers here. This first form
// opens one file (or the example model), builds it, has the viewer show the
// scene and fills the status bar.

#include <functional>
#include <string>
#include <vector>

#include "app/status_bar.h"
#include "app/viewer.h"

namespace habitopia {

inline constexpr const char* kProgramVersionText = "1.56";
inline constexpr const char* kNoModelRendered =
    "no model rendered- try another renderer (R98/OpenGl/DirectX)";

struct FormState {
  std::string caption;
  StatusPanels statusPanels = InitialStatusPanels();
  bool statusBarVisible = true;
  // Panel1 shows its caption wherever the viewer draws nothing.
  std::string panel1Caption = kNoModelRendered;
  bool sceneShown = false;  // the viewer's last load succeeded

  std::string workDirectory;
  std::string modelFileName;
  std::string scenePath;  // the scene last given to the viewer
  bool sceneOnly = false;
  bool hullClosed = true;
  std::string error;                        // the last failure, one line
  std::vector<std::string> viewerMessages;  // what the viewer reported while loading
};

class MainForm {
 public:
  MainForm(Viewer& viewer, std::string workDirectory);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  const FormState& State() const { return state_; }
  // Called after every handler that changed the state.
  void SetStateChanged(std::function<void()> callback) { stateChanged_ = std::move(callback); }

  // First activation: caption, working directory, then the one file named on the
  // command line, or `exampleModel` when there is none.
  void FormActivate(const std::vector<std::string>& arguments, const std::string& exampleModel);

  // Opens a model or scene file and has the viewer load its scene.
  void OpenFile(const std::string& path);

  // The viewer finished loading the scene.
  void Cortona1SceneLoaded(const SceneLoadResult& result);

 private:
  void Changed();

  Viewer& viewer_;
  FormState state_;
  std::function<void()> stateChanged_;
};

}  // namespace habitopia
