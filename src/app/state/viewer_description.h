#pragma once
// What the viewer shows, in words: the accessible description of the 3D view.

#include <string>

#include "app/status_bar.h"

namespace habitopia {

inline constexpr const char* kViewerAccessibleName = "3D viewer";
inline constexpr const char* kNoCrystalShown = "No crystal shown";

// "The crystal, point group 4/m3: 8 faces, 6 corners".
std::string CrystalDescription(const CalculationFigures& figures);
// "A scene without a crystal model: " and the file name without its folder.
std::string SceneOnlyDescription(const std::string& scenePath);

}  // namespace habitopia
