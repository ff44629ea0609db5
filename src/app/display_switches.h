#pragma once
// The display switches of the utility panel and the rules that tie them
// together: the crystal always shows faces or edges, and always has a light.

#include "app/display_state.h"
#include "files/model_codes.h"

namespace habitopia {

enum class DisplaySwitch {
  Fill,
  Grid,
  Solid,
  Lights,
  Headlight,
  Animation,
  Brilliant,
  Indices,
  Axes
};

bool& SwitchChecked(DisplaySwitches& checks, DisplaySwitch which);
bool SwitchChecked(const DisplaySwitches& checks, DisplaySwitch which);

// Sets one switch as its check box would, then keeps the dependencies:
// fill off turns grid on and disables the transparency slider, fill on enables
// it again and the spotlights; grid off turns fill on; spotlights off turn the
// headlight on and the headlight off turns the spotlights on; brilliant is
// usable only with the spotlights; animation enables the speed slider and
// tumble.
void SetDisplaySwitch(DisplaySwitches& checks, DisplayState& display, DisplaySwitch which, bool on);

// Makes switches that came from elsewhere (a model file) keep the rules, and
// sets the enabled states that follow from them.
void KeepSwitchRules(DisplaySwitches& checks, DisplayState& display);

}  // namespace habitopia
