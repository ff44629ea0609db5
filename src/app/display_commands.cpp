// The utility panel: display switches with their menu items and toolbar
// buttons, the sliders, the colour buttons and the label font.

#include <cstdio>

#include "app/display_sliders.h"
#include "app/main_form.h"
#include "app/scoped_flag.h"
#include "files/model_document.h"

namespace habitopia {

namespace {

CommandId MenuItemOf(DisplaySwitch which) {
  switch (which) {
    case DisplaySwitch::Fill: return CommandId::Fill;
    case DisplaySwitch::Grid: return CommandId::Grid;
    case DisplaySwitch::Solid: return CommandId::Solid;
    case DisplaySwitch::Lights: return CommandId::Spotlights;
    case DisplaySwitch::Headlight: return CommandId::Headlight;
    case DisplaySwitch::Animation: return CommandId::Animation;
    case DisplaySwitch::Brilliant: break;
    case DisplaySwitch::Indices: return CommandId::Indices;
    case DisplaySwitch::Axes: return CommandId::Axes;
  }
  return CommandId::Indices;
}

constexpr DisplaySwitch kMirroredSwitches[] = {
    DisplaySwitch::Fill,    DisplaySwitch::Grid,      DisplaySwitch::Solid,
    DisplaySwitch::Lights,  DisplaySwitch::Headlight, DisplaySwitch::Animation,
    DisplaySwitch::Indices, DisplaySwitch::Axes,
};

}  // namespace

void MainForm::ShowDisplayCommands() {
  const DisplaySwitches& checks = state_.switches.display;
  for (DisplaySwitch which : kMirroredSwitches)
    state_.Command(MenuItemOf(which)).checked = SwitchChecked(checks, which);
  state_.Command(CommandId::Hkil).checked = state_.switches.hkil;
  state_.Command(CommandId::CadStyleViewer).checked =
      state_.display.navigation == NavigationMode::Cad;
  // Of each toolbar pair only the button that switches the light off or on as
  // it is now shows.
  state_.Command(CommandId::SpotlightsOffButton).visible = checks.spotlights;
  state_.Command(CommandId::SpotlightsOnButton).visible = !checks.spotlights;
  state_.Command(CommandId::HeadlightOffButton).visible = checks.headlight;
  state_.Command(CommandId::HeadlightOnButton).visible = !checks.headlight;
  state_.display.settings = model_.display;
  MarkChanged(kDisplayPart | kCommandsPart);
}

void MainForm::RedrawModel() {
  ShowDisplayCommands();
  model_.calculateAfterStep = true;
  CAClick();
}

void MainForm::SwitchClick(DisplaySwitch which, bool on) {
  SetDisplaySwitch(state_.switches.display, state_.display, which, on);
  model_.display.headlight = state_.switches.display.headlight;
  model_.display.brilliant = state_.switches.display.brilliant;
  RedrawModel();
  Changed();
}

void MainForm::ToggleSwitch(DisplaySwitch which) {
  SwitchClick(which, !SwitchChecked(state_.switches.display, which));
}

void MainForm::tumbleClick(bool on) {
  state_.switches.tumble = on;
  RedrawModel();
  Changed();
}

void MainForm::indices1Click() { ToggleSwitch(DisplaySwitch::Indices); }
void MainForm::grid1Click() { ToggleSwitch(DisplaySwitch::Grid); }
void MainForm::fill1Click() { ToggleSwitch(DisplaySwitch::Fill); }
void MainForm::axes1Click() { ToggleSwitch(DisplaySwitch::Axes); }
void MainForm::animation1Click() { ToggleSwitch(DisplaySwitch::Animation); }
void MainForm::headlight1Click() { ToggleSwitch(DisplaySwitch::Headlight); }
void MainForm::spotlights1Click() { ToggleSwitch(DisplaySwitch::Lights); }
void MainForm::SpotlightsOffClick() { SwitchClick(DisplaySwitch::Lights, false); }
void MainForm::SpotlightsOnClick() { SwitchClick(DisplaySwitch::Lights, true); }
void MainForm::HeadlightOffClick() { SwitchClick(DisplaySwitch::Headlight, false); }
void MainForm::HeadlightOnClick() { SwitchClick(DisplaySwitch::Headlight, true); }

void MainForm::solid1Click() {
  const bool on = !state_.switches.display.solid;
  SwitchClick(DisplaySwitch::Solid, on);
  // Shown until the next calculation.
  state_.statusPanels[kSurfacePanel].text = on ? "solid=true" : "solid=false";
  MarkChanged(kStatusPart);
}

void MainForm::SliderMoved(bool valueChanged) {
  if (valueChanged) {
    model_.sliderMoving = true;
    ports_.timers.Start(TimerId::Timer10);
  } else {
    model_.sliderMoving = false;
    backup();
  }
}

void MainForm::Timer10Timer() { RedrawModel(); }

void MainForm::TransparencyChange(int position) {
  state_.display.transparencyPosition = position;
  const Real transparency = TransparencyFromPosition(position);
  const bool changed = transparency != model_.display.transparency;
  model_.display.transparency = transparency;
  MarkChanged(kDisplayPart);
  SliderMoved(changed);
  Changed();
}

void MainForm::Speed1Change(int position) {
  state_.switches.speedPosition = position;
  const Real cycleInterval = CycleIntervalForSpeed(position);
  const bool changed = cycleInterval != model_.display.cycleInterval;
  model_.display.cycleInterval = cycleInterval;
  MarkChanged(kDisplayPart);
  SliderMoved(changed);
  Changed();
}

void MainForm::perspectiveChange(int position) {
  resetViewpoint_ = true;
  state_.switches.perspectivePosition = position;
  SetCamera(model_.display, position, state_.display.zoomModel);
  {
    ScopedFlag moving(model_.sliderMoving);
    RedrawModel();
    ports_.timers.Start(TimerId::Timer10);
  }
  model_.sliderMoving = false;
  backup();
  Changed();
}

void MainForm::UpDown1Click(int position) {
  state_.display.axesLengthPosition = position;
  model_.display.axesLength = AxesLengthFromPosition(position);
  SwitchClick(DisplaySwitch::Axes, true);
}

void MainForm::ChooseColour(Rgb DisplaySettings::*colour, const std::function<void()>& then) {
  const std::optional<Rgb> chosen = ports_.dialogs.Colour(model_.display.*colour);
  if (!chosen) return;
  model_.display.*colour = *chosen;
  if (then) then();
  RedrawModel();
  Changed();
}

void MainForm::SetBackgroundClick() { ChooseColour(&DisplaySettings::backgroundColour, nullptr); }

void MainForm::gridcolor1Click() {
  ChooseColour(&DisplaySettings::edgeColour, [this] {
    SetDisplaySwitch(state_.switches.display, state_.display, DisplaySwitch::Grid, true);
  });
}

void MainForm::fillcolor1Click() {
  ChooseColour(&DisplaySettings::fillColour, [this] {
    SetDisplaySwitch(state_.switches.display, state_.display, DisplaySwitch::Fill, true);
  });
}

void MainForm::spotlight1colorClick() {
  ChooseColour(&DisplaySettings::light1Colour, [this] {
    SetDisplaySwitch(state_.switches.display, state_.display, DisplaySwitch::Lights, true);
  });
}

void MainForm::spotlight2colorClick() {
  ChooseColour(&DisplaySettings::light2Colour, [this] {
    SetDisplaySwitch(state_.switches.display, state_.display, DisplaySwitch::Lights, true);
  });
}

void MainForm::Button1Click() { ChooseLabelFont(DisplaySwitch::Indices); }

void MainForm::Button1RightClick() {
  ChooseColour(&DisplaySettings::labelColour, [this] {
    SetDisplaySwitch(state_.switches.display, state_.display, DisplaySwitch::Indices, true);
  });
}

void MainForm::axescolor1Click() { ChooseLabelFont(DisplaySwitch::Axes); }

void MainForm::axescolor1RightClick() {
  ChooseColour(&DisplaySettings::axesColour, [this] {
    model_.display.axesLength = AxesLengthFromPosition(state_.display.axesLengthPosition);
    SetDisplaySwitch(state_.switches.display, state_.display, DisplaySwitch::Axes, true);
  });
}

void MainForm::ApplyLabelFont(const FontChoice& font) {
  DisplaySettings& display = model_.display;
  display.fontFamily = font.family;
  if (font.bold && font.italic)
    display.fontStyle = "BOLDITALIC";
  else if (font.bold)
    display.fontStyle = "BOLD";
  else if (font.italic)
    display.fontStyle = "ITALIC";
  else
    display.fontStyle = "NORMAL";
  display.fontSizeText = FontSizeText(font.points);
  display.labelColour = font.colour;
  display.labelFontPoints = font.points;
  RedrawModel();
  Changed();
}

void MainForm::ChooseLabelFont(DisplaySwitch switchedOn) {
  const DisplaySettings& display = model_.display;
  const FontChoice start{display.fontFamily, display.labelFontPoints,
                         display.fontStyle == "BOLD" || display.fontStyle == "BOLDITALIC",
                         display.fontStyle == "ITALIC" || display.fontStyle == "BOLDITALIC",
                         display.labelColour};
  const std::optional<FontChoice> font = ports_.dialogs.LabelFont(
      start, [this](const FontChoice& applied) { ApplyLabelFont(applied); });
  if (!font) return;
  if (switchedOn == DisplaySwitch::Axes)
    model_.display.axesLength = AxesLengthFromPosition(state_.display.axesLengthPosition);
  SetDisplaySwitch(state_.switches.display, state_.display, switchedOn, true);
  ApplyLabelFont(*font);
}

}  // namespace habitopia
