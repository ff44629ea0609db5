// The View menu, the regions it shows and hides, and the tool boxes laid over
// the tables region.

#include "app/main_form.h"

namespace habitopia {

void MainForm::ShowRegionCommands() {
  const Regions& regions = state_.regions;
  state_.Command(CommandId::ViewSpeedbuttons).checked = regions.toolbar;
  state_.Command(CommandId::ViewTables).checked = regions.tables;
  state_.Command(CommandId::ViewUtilities).checked = regions.utilities;
  state_.Command(CommandId::ViewVrmlControls).checked = regions.viewerControls;
  MarkChanged(kRegionsPart | kCommandsPart);
}

void MainForm::Speedbuttons1Click() {
  state_.regions.toolbar = !state_.regions.toolbar;
  ShowRegionCommands();
}

void MainForm::Tables1Click() {
  state_.regions.tables = !state_.regions.tables;
  ShowRegionCommands();
}

void MainForm::Utilities1Click() {
  state_.regions.utilities = !state_.regions.utilities;
  ShowRegionCommands();
}

void MainForm::VRMLcontrols1Click() {
  state_.regions.viewerControls = !state_.regions.viewerControls;
  ShowRegionCommands();
}

void MainForm::ShowHideToolbarClick() { Utilities1Click(); }

void MainForm::ShowHideToolbarRightClick() { Tables1Click(); }

void MainForm::ShowHideControlsClick() { VRMLcontrols1Click(); }

void MainForm::Cortona1DblClick() {
  if (state_.regions.locked) return;
  VRMLcontrols1Click();
  Changed();
}

void MainForm::Cortona1RightClick() {
  if (state_.regions.locked) return;
  Run(CommandId::CopyBitmapToClipboard);
}

void MainForm::FormResize() {
  // Before the viewer was given its first scene there is nothing to reload.
  if (state_.scenePath.empty()) return;
  ports_.timers.Start(TimerId::Timer5);
}

void MainForm::ShowToolBox(ToolBox box) {
  state_.regions.toolBox = box;
  Changed(kRegionsPart);
}

}  // namespace habitopia
