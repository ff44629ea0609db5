#include "app/style_table.h"

#include "app/display_sliders.h"
#include "app/display_switches.h"

namespace habitopia {

namespace {

constexpr StylePreset kPresets[] = {
    // Standard
    {{255, 255, 255},
     {128, 128, 128},
     {192, 192, 192},
     {0, 0, 0},
     {128, 128, 192},
     {255, 255, 255},
     {0, 0, 128},
     4,
     0.2L,
     true,
     true,
     false,
     false},
    // Sparkling black
    {{0, 0, 0},
     {255, 255, 255},
     {32, 32, 32},
     {255, 0, 0},
     {128, 255, 255},
     {255, 255, 128},
     {0, 0, 240},
     4,
     0,
     false,
     true,
     false,
     false},
    // Sparkling blue
    {{0, 0, 64},
     {132, 128, 128},
     {0, 0, 64},
     {255, 0, 0},
     {255, 255, 255},
     {255, 255, 255},
     {0, 128, 0},
     4,
     0,
     false,
     true,
     false,
     false},
    // Crystal
    {{255, 255, 255},
     {240, 240, 240},
     {176, 176, 176},
     {0, 0, 0},
     {255, 255, 255},
     {255, 255, 255},
     {0, 128, 0},
     10,
     0,
     false,
     true,
     false,
     false},
    // Brillant
    {{0, 0, 0},
     {80, 80, 80},
     {8, 8, 8},
     {255, 0, 0},
     {255, 255, 128},
     {128, 255, 255},
     {0, 128, 0},
     6,
     0,
     false,
     true,
     true,
     true},
    // Brilliant white
    {{255, 255, 255},
     {240, 240, 240},
     {37, 37, 37},
     {255, 0, 0},
     {255, 255, 128},
     {128, 255, 255},
     {0, 128, 0},
     8,
     0,
     false,
     true,
     true,
     true},
};

}  // namespace

const StylePreset& StylePresetFor(StyleId id) { return kPresets[static_cast<int>(id)]; }

void ApplyStyleSettings(DisplaySettings& settings, const StylePreset& preset) {
  settings.backgroundColour = preset.background;
  settings.edgeColour = preset.edges;
  settings.fillColour = preset.fill;
  settings.labelColour = preset.labels;
  settings.light1Colour = preset.light1;
  settings.light2Colour = preset.light2;
  settings.axesColour = preset.axes;
  settings.transparency = TransparencyFromPosition(preset.transparencyPosition);
  settings.specialTransparency = preset.specialTransparency;
  settings.headlight = preset.headlight;
  settings.brilliant = preset.brilliant;
}

void ApplyStyleSwitches(DisplaySwitches& checks, DisplayState& display, const StylePreset& preset) {
  checks.brilliant = preset.brilliant;
  SetDisplaySwitch(checks, display, DisplaySwitch::Headlight, preset.headlight);
  SetDisplaySwitch(checks, display, DisplaySwitch::Lights, preset.spotlights);
  checks.solid = preset.solid;
  display.transparencyPosition = preset.transparencyPosition;
}

}  // namespace habitopia
