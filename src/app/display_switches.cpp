#include "app/display_switches.h"

namespace habitopia {

namespace {

template <class Checks>
auto& Checked(Checks& checks, DisplaySwitch which) {
  switch (which) {
    case DisplaySwitch::Fill: return checks.fill;
    case DisplaySwitch::Grid: return checks.grid;
    case DisplaySwitch::Solid: return checks.solid;
    case DisplaySwitch::Lights: return checks.spotlights;
    case DisplaySwitch::Headlight: return checks.headlight;
    case DisplaySwitch::Animation: return checks.animation;
    case DisplaySwitch::Brilliant: return checks.brilliant;
    case DisplaySwitch::Indices: return checks.indexLabels;
    case DisplaySwitch::Axes: return checks.crystalAxes;
  }
  return checks.fill;
}

void UpdateEnabledControls(const DisplaySwitches& checks, DisplayState& display) {
  display.transparencyEnabled = checks.fill;
  display.brilliantEnabled = checks.spotlights;
  display.speedEnabled = checks.animation;
  display.tumbleEnabled = checks.animation;
}

}  // namespace

bool& SwitchChecked(DisplaySwitches& checks, DisplaySwitch which) { return Checked(checks, which); }

bool SwitchChecked(const DisplaySwitches& checks, DisplaySwitch which) {
  return Checked(checks, which);
}

void SetDisplaySwitch(DisplaySwitches& checks, DisplayState& display, DisplaySwitch which,
                      bool on) {
  Checked(checks, which) = on;
  switch (which) {
    case DisplaySwitch::Fill:
      if (on)
        display.lightsEnabled = true;
      else
        checks.grid = true;
      break;
    case DisplaySwitch::Grid:
      if (!on) checks.fill = true;
      break;
    case DisplaySwitch::Lights:
      if (!on) checks.headlight = true;
      break;
    case DisplaySwitch::Headlight:
      if (!on) checks.spotlights = true;
      break;
    default: break;
  }
  UpdateEnabledControls(checks, display);
}

void KeepSwitchRules(DisplaySwitches& checks, DisplayState& display) {
  if (!checks.fill && !checks.grid) checks.grid = true;
  if (!checks.spotlights && !checks.headlight) checks.headlight = true;
  UpdateEnabledControls(checks, display);
}

}  // namespace habitopia
