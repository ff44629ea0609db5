#pragma once
// The main window's behaviour, kept apart from the window toolkit: the window
// shows FormState and forwards its events to the handlers here, which carry the
// names of the controls they serve. Handlers are implemented in one file per
// menu or tool; the window's outside world is reached through ports.

#include <functional>
#include <string>
#include <vector>

#include "app/clipboard.h"
#include "app/commands.h"
#include "app/dialogs.h"
#include "app/form_changes.h"
#include "app/form_state.h"
#include "app/shell.h"
#include "app/status_bar.h"
#include "app/timers.h"
#include "app/viewer.h"

namespace habitopia {

inline constexpr const char* kProgramVersionText = "1.56";

// Everything outside the controller that it talks to.
struct FormPorts {
  Viewer& viewer;
  Dialogs& dialogs;
  Timers& timers;
  Clipboard& clipboard;
  Shell& shell;
};

class MainForm {
 public:
  MainForm(FormPorts ports, std::string workDirectory);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  const FormState& State() const { return state_; }
  // Called after every handler that changed the state, with what it changed.
  void SetStateChanged(std::function<void(const FormChanges&)> callback) {
    stateChanged_ = std::move(callback);
  }

  // Runs the command's handler when the command exists and is enabled.
  void Run(CommandId id);
  void RunRightClick(CommandId id);
  // A one-shot timer fired.
  void TimerFired(TimerId id);

  // ---- Start-up, files and closing ----

  // First activation: caption, working directory, then the one file named on the
  // command line, or `exampleModel` when there is none.
  void FormActivate(const std::vector<std::string>& arguments, const std::string& exampleModel);

  // Opens a model or scene file and has the viewer load its scene.
  void OpenFile(const std::string& path);

  // ---- Calculation and history ----

  // ---- Viewer ----

  // The viewer finished loading the scene.
  void Cortona1SceneLoaded(const SceneLoadResult& result);

  // ---- View menu, regions and viewer controls ----

  // ---- Display settings ----

  // ---- Point groups, cell and face tables ----

  // ---- Tools ----

  // ---- Pictures, help and updates ----

 private:
  // Reports the changes collected since the last report to the window.
  void Changed(unsigned parts = 0);
  void MarkChanged(unsigned parts) { changes_.parts |= parts; }
  void MarkGridRows(int grid, int first, int last) { changes_.rows.push_back({grid, first, last}); }

  FormPorts ports_;
  FormState state_;
  FormChanges changes_;
  std::function<void(const FormChanges&)> stateChanged_;
};

}  // namespace habitopia
