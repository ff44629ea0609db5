#pragma once
// The six display styles of the menu "&Styles".

#include "app/display_state.h"
#include "core/display_settings.h"
#include "core/matrix.h"
#include "files/model_codes.h"

namespace habitopia {

enum class StyleId { Standard, SparklingBlack, SparklingBlue, Crystal, Brillant, BrilliantWhite };

struct StylePreset {
  Rgb background, edges, fill, labels, light1, light2, axes;
  int transparencyPosition;  // Transparency slider; the body's transparency is a twentieth of it
  Real specialTransparency;
  bool solid, spotlights, headlight, brilliant;
};

const StylePreset& StylePresetFor(StyleId id);

// The preset's colours and transparencies.
void ApplyStyleSettings(DisplaySettings& settings, const StylePreset& preset);
// The preset's switches (solid, spotlights, headlight, brilliant) and slider.
void ApplyStyleSwitches(DisplaySwitches& checks, DisplayState& display, const StylePreset& preset);

}  // namespace habitopia
