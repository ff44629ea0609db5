#pragma once
// How the scene shows the crystal: colours, transparencies, camera, animation,
// axes and the index-label font.

#include <string>

#include "core/matrix.h"

namespace habitopia {

struct Rgb {
  int red = 0, green = 0, blue = 0;  // 0..255 each
  bool operator==(const Rgb&) const = default;
};

// The packed colour value of the model file: red + 256 * green + 65536 * blue.
long long ColourValue(const Rgb& c);
Rgb ColourFromValue(long long value);

struct DisplaySettings {
  Rgb backgroundColour{255, 255, 255};
  Rgb edgeColour{128, 128, 128};
  Rgb fillColour{192, 192, 192};
  Rgb labelColour{0, 0, 0};
  Rgb axesColour{0, 0, 128};
  Rgb light1Colour{128, 128, 192};
  Rgb light2Colour{255, 255, 255};
  Real transparency = 0.2L;
  Real specialTransparency = 0.2L;
  Real viewDistance = 81;
  Real fieldOfView = 0.06L;
  Real cycleInterval = 10;
  Real axesLength = 6;
  std::string fontFamily = "SERIF";
  std::string fontStyle = "BOLD";
  std::string fontSizeText = "0.2";
  std::string fontSpacingText = "0.5";
  int labelFontPoints = 12;
  bool headlight = false;
  bool brilliant = false;
};

}  // namespace habitopia
