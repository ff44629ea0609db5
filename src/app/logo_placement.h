#pragma once
// The small logo window kept at the lower right corner of the viewer panel.

#include "core/display_settings.h"

namespace habitopia {

// What the window reports about itself, in pixels; positions inside the main
// window are measured from its top left corner.
struct WindowGeometry {
  int left = 0, top = 0;  // the main window on the screen
  int height = 0;         // the main window's height
  int viewerRight = 0;    // the viewer panel's right edge inside the main window
  int viewerWidth = 0, viewerHeight = 0;
  int statusBarHeight = 0;
  int utilityHeight = 0;
  int logoWidth = 0, logoHeight = 0;
  bool visible = false;  // the main window is shown and not minimised

  bool operator==(const WindowGeometry&) const = default;
};

struct LogoState {
  bool visible = false;
  int left = 0, top = 0;  // inside the main window
  Rgb background{255, 255, 255};

  bool operator==(const LogoState&) const = default;
};

// 4 pixels inside the viewer's right edge; 6 pixels above the window's bottom
// plus the status bar and the utility panel when they are shown.
LogoState PlaceLogo(const WindowGeometry& window, bool statusBarShown, bool utilitiesShown,
                    const Rgb& background);

}  // namespace habitopia
