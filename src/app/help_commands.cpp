// The Help menu: the user manual, the program's own information and the
// information panels.

#include "app/main_form.h"
#include "app/program_texts.h"

namespace habitopia {

void MainForm::Help2Click() {
  const std::string manual = HelpManualPath(programFiles_.programDirectory);
  if (!manual.empty()) ports_.shell.Open(manual);
}

void MainForm::About1Click() { ports_.dialogs.Message(AboutText(), "About Habitopia"); }

void MainForm::HomePage1Click() {
  state_.regions.infoPanel =
      state_.regions.infoPanel == InfoPanel::HomePage ? InfoPanel::None : InfoPanel::HomePage;
  MarkChanged(kRegionsPart);
}

void MainForm::History1Click() {
  state_.regions.infoPanel =
      state_.regions.infoPanel == InfoPanel::History ? InfoPanel::None : InfoPanel::History;
  MarkChanged(kRegionsPart);
}

void MainForm::Logo1Click() {
  state_.splashShown = true;
  state_.splashStays = true;
  MarkChanged(kRegionsPart);
}

void MainForm::SplashClosed() {
  state_.splashShown = false;
  state_.splashStays = false;
  Changed(kRegionsPart);
}

}  // namespace habitopia
