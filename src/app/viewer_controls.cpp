// The viewer controls Panel11: navigation modes, fit and restore, zoom and the
// renderer choice.

#include "app/display_sliders.h"
#include "app/main_form.h"
#include "files/model_document.h"

namespace habitopia {

namespace {

std::optional<ViewerCommand> NavigationCommand(NavigationMode mode) {
  switch (mode) {
    case NavigationMode::Plan: return ViewerCommand::Plan;
    case NavigationMode::Pan: return ViewerCommand::Pan;
    case NavigationMode::Turn: return ViewerCommand::Turn;
    case NavigationMode::Roll: return ViewerCommand::Roll;
    case NavigationMode::Cad: return std::nullopt;
  }
  return std::nullopt;
}

std::string_view RendererNameOf(RendererChoice renderer) {
  switch (renderer) {
    case RendererChoice::DirectX: return kRendererDirectX;
    case RendererChoice::OpenGL: return kRendererOpenGL;
    case RendererChoice::R98: return kRendererR98;
  }
  return kRendererOpenGL;
}

}  // namespace

void MainForm::NavigationClick(NavigationMode mode) {
  state_.display.navigation = mode;
  const bool cad = mode == NavigationMode::Cad;
  state_.Command(CommandId::CadStyleViewer).checked = cad;
  ports_.viewer.SetSkin(cad ? kCadSkin : kStandardSkin);
  MarkChanged(kDisplayPart | kCommandsPart);
  ports_.timers.Start(TimerId::Timer8);
  Changed();
}

void MainForm::CadStyleViewer1Click() {
  const bool cad = state_.display.navigation == NavigationMode::Cad;
  NavigationClick(cad ? NavigationMode::Turn : NavigationMode::Cad);
}

void MainForm::Timer8Timer() {
  if (const auto command = NavigationCommand(state_.display.navigation))
    ports_.viewer.Command(*command);
}

void MainForm::fitClick() { ports_.viewer.Command(ViewerCommand::Fit); }

void MainForm::restoreClick() {
  ports_.viewer.Command(ViewerCommand::Restore);
  zoommodelChange(50);
}

void MainForm::zoommodelChange(int position) {
  state_.display.zoomModel = position;
  const Real fieldOfView = FieldOfViewFor(state_.switches.perspectivePosition, position);
  const bool changed = fieldOfView != model_.display.fieldOfView;
  model_.display.fieldOfView = fieldOfView;
  MarkChanged(kDisplayPart);
  SliderMoved(changed);
  Changed();
}

void MainForm::RendererClick(RendererChoice renderer) {
  // The viewer has one renderer; the button that stays checked is the one it
  // reports.
  const std::string reported = ports_.viewer.RendererName();
  state_.display.renderer = renderer;
  for (RendererChoice choice :
       {RendererChoice::DirectX, RendererChoice::OpenGL, RendererChoice::R98})
    if (RendererNameOf(choice) == reported) state_.display.renderer = choice;
  if (state_.display.renderer != renderer)
    state_.statusPanels[kMessagePanel].text =
        std::string(RendererNameOf(renderer)) + " is not available: " + reported;
  MarkChanged(kDisplayPart | kStatusPart);
  Changed();
}

}  // namespace habitopia
