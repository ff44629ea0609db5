#pragma once
// The window values a model file records besides the crystal itself (the
// check boxes of the utility panel and of the special-face, cleavage and twin
// boxes, the display sliders), the scene follows them; and the File menu's
// recent files.

#include <array>
#include <string>

#include "files/model_codes.h"
#include "files/model_document.h"
#include "scene/scene_writer.h"

namespace habitopia {

inline constexpr int kRecentFileCount = 5;

struct DocumentSwitches {
  DisplaySwitches display;  // the sixteen switches of the model file but the panel code
  bool tumble = false;
  bool hkil = false;            // four-index labels
  int perspectivePosition = 9;  // "focus angle", 2..15
  int speedPosition = 60;       // "speed", 0..100
  // Twin tool.
  TwinChoice twin = TwinChoice::None;
  bool rotationReciprocal = false;  // "reciprocal" rather than "real space"
  TwinTexts twinTexts = kInitialTwinTexts;
  // Cleavage box.
  bool showModel = false;
  bool projectSectors = false;
};

}  // namespace habitopia
