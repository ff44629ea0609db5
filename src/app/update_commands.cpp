// "&Check for Updates", the silent check after start-up, and "&Register *.mor
// extension".

#include <cstdlib>

#include "app/desktop_registration.h"
#include "app/main_form.h"

namespace habitopia {

EnvironmentLookup ProcessEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
  };
}

void MainForm::SetUpdateServices(Downloader& downloader, UpdateTimers& timers,
                                 UpdateSettings settings) {
  updateChecker_.reset();
  updatePorts_ = std::make_unique<FormUpdatePorts>(ports_.dialogs, ports_.shell, [this] {
    // The installer has been started: the program ends the normal way.
    state_.closeRequested = true;
    MarkChanged(kDocumentPart);
  });
  updateChecker_ = std::make_unique<UpdateChecker>(std::move(settings), downloader, *updatePorts_,
                                                   timers, *updatePorts_);
}

void MainForm::UpdateTimerFired(UpdateTimer timer) {
  if (!updateChecker_) return;
  if (timer == UpdateTimer::Step)
    updateChecker_->Timer1Timer();
  else
    updateChecker_->Timer2Timer();
  Changed();
}

void MainForm::CheckforUpdates1Click() {
  ports_.timers.Stop(TimerId::Timer6);
  if (updateChecker_) updateChecker_->CheckforupdatesClick();
}

void MainForm::Timer6Timer() {
  if (updateChecker_) updateChecker_->CheckforupdatesClicksilent();
}

void MainForm::Registermorextension1Click() {
  if (desktop_.programPath.empty()) {
    ports_.dialogs.Message("Could not register *.mor files: the program's own path is not known");
    return;
  }
  PosixProcessRunner system;
  ProcessRunner& runner = desktop_.processRunner ? *desktop_.processRunner : system;
  const EnvironmentLookup environment =
      desktop_.environment ? desktop_.environment : ProcessEnvironment();
  DesktopRegistration registration(UserDataHome(environment), desktop_.programPath, runner);
  std::string error;
  // Done quietly; a registration that did not happen is said.
  if (!registration.Register(error)) {
    const std::string text = "Could not register *.mor files: " + error;
    state_.error = text;
    state_.statusPanels[kMessagePanel].text = text;
    MarkChanged(kStatusPart | kDocumentPart);
    ports_.dialogs.Message(text);
  }
}

}  // namespace habitopia
