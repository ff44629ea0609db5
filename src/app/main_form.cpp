#include "app/main_form.h"

#include <filesystem>

#include "app/work_directory.h"

namespace habitopia {

MainForm::MainForm(FormPorts ports, std::string workDirectory) : ports_(ports) {
  state_.workDirectory = std::move(workDirectory);
  history_.SetWorkDirectory(state_.workDirectory);
  model_.workDirectory = state_.workDirectory;
  for (const Command& command : Commands())
    state_.Command(command.id).enabled = command.handler != nullptr;
  state_.Command(CommandId::Undo).enabled = false;
  state_.Command(CommandId::Redo).enabled = false;
  state_.Command(CommandId::AutomaticCleanup).checked = state_.tools.prediction.autoCleanup;
  for (CommandId id : {CommandId::Recent1, CommandId::Recent2, CommandId::Recent3,
                       CommandId::Recent4, CommandId::Recent5})
    state_.Command(id).visible = false;
  // The logo's timer runs for the whole life of the window.
  ports_.timers.Start(TimerId::Timer14);
  ports_.viewer.SetLoadFinishedHandler(
      [this](const SceneLoadResult& result) { Cortona1SceneLoaded(result); });
  ShowRegionCommands();
  ShowDisplayCommands();
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
  // A calculation in progress lets events run; deferred commands wait for its end.
  if (calculating_) {
    ports_.timers.Start(id);
    return;
  }
  switch (id) {
    case TimerId::Timer3: Timer3Timer(); break;
    case TimerId::Timer4: Timer4Timer(); break;
    case TimerId::Timer2: Timer2Timer(); break;
    case TimerId::Timer5: Timer5Timer(); break;
    case TimerId::Timer6: Timer6Timer(); break;
    case TimerId::Timer7: Timer7Timer(); break;
    case TimerId::Timer8: Timer8Timer(); break;
    case TimerId::Timer10: Timer10Timer(); break;
    case TimerId::Timer11: Timer11Timer(); break;
    case TimerId::Timer12: Timer12Timer(); break;
    case TimerId::Timer14: Timer14Timer(); break;
    case TimerId::Timer13:
      state_.regions.utilities = state_.regions.viewerControls = true;
      ShowRegionCommands();
      break;
    default: break;
  }
  Changed();
}

}  // namespace habitopia
