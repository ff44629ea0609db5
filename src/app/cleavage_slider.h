#pragma once
// The cleavage plane's distance slider TrackBar1: position 0 is 5, 100 the
// middle (0, taken as 0.01), 200 is -5, in steps of 0.05.

#include "core/matrix.h"

namespace habitopia {

inline constexpr int kCleavageSliderMiddle = 100;
inline constexpr int kCleavageSliderMaximum = 200;
// A cleavage plane through the centre is taken this far out.
inline constexpr Real kCleavageZeroDistance = 0.01L;

// round((5 - position / 20) * 20) / 20, 0 becoming 0.01.
Real CleavageDistanceFromSlider(int position);
// round(100 - distance * 20), kept within the slider.
int CleavageSliderFromDistance(Real distance);

}  // namespace habitopia
