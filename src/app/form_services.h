#pragma once
// The update checker's message boxes and shell served by the form's own ports,
// and what registering the model type needs from the desktop.

#include <functional>
#include <string>

#include "app/dialogs.h"
#include "app/process_runner.h"
#include "app/shell.h"
#include "app/update_ports.h"
#include "app/work_directory.h"

namespace habitopia {

// The update checker's questions and messages go through the form's dialogs;
// installers open through its shell; ending the program asks the form to close
// as "&Exit" does.
class FormUpdatePorts : public UpdateDialogs, public UpdateShell {
 public:
  FormUpdatePorts(Dialogs& dialogs, Shell& shell, std::function<void()> endProgram)
      : dialogs_(dialogs), shell_(shell), endProgram_(std::move(endProgram)) {}

  void ShowMessage(const std::string& text) override { dialogs_.Message(text, {}); }
  bool AskYesNo(const std::string& text) override {
    return dialogs_.Ask(text, "Warning", QuestionButtons::YesNo) == Answer::Yes;
  }
  bool OpenDocument(const std::string& path) override { return shell_.Open(path); }
  void EndProgram() override { endProgram_(); }

 private:
  Dialogs& dialogs_;
  Shell& shell_;
  std::function<void()> endProgram_;
};

struct DesktopServices {
  ProcessRunner* processRunner = nullptr;  // nothing: the system's
  EnvironmentLookup environment;           // nothing: the process environment
  std::string programPath;                 // the running program, named in the desktop entry
};

// The process environment as an EnvironmentLookup.
EnvironmentLookup ProcessEnvironment();

}  // namespace habitopia
