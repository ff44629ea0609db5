#pragma once
// The status bar StatusBar1: six panels with fixed widths; the calculation shows
// the point group, the face and corner counts, the surface and the volume.

#include <array>
#include <string>

#include "core/matrix.h"

namespace habitopia {

struct StatusPanel {
  std::string text;
  int width = 0;  // pixels
  bool operator==(const StatusPanel&) const = default;
};

inline constexpr int kStatusPanelCount = 6;
using StatusPanels = std::array<StatusPanel, kStatusPanelCount>;

enum StatusPanelIndex : int {
  kPointGroupPanel = 0,  // a progress bar lies over this panel during a calculation
  kFacesPanel = 1,
  kCornersPanel = 2,
  kSurfacePanel = 3,
  kVolumePanel = 4,
  kMessagePanel = 5,
};

// The panels with their start texts: "Point Group =", "Faces", "Corners",
// "Surface=", "Volume= " and an empty one.
StatusPanels InitialStatusPanels();

// What a calculation reports about the crystal it built.
struct CalculationFigures {
  std::string pointGroupCaption;  // the point group's symbol
  int presentFaces = 0;
  int sceneCorners = 0;
  Real surface = 0;  // model units squared
  Real volume = 0;   // model units cubed
};

// "point group = " and the caption.
std::string PointGroupStatusText(const std::string& caption);
// The count followed by " Faces".
std::string FacesStatusText(int presentFaces);
// The count followed by " Corners".
std::string CornersStatusText(int sceneCorners);
// "Surface= " and the surface rounded to 3 decimals in shortest general form.
std::string SurfaceStatusText(Real surface);
// "Volume= " and the volume rounded the same way.
std::string VolumeStatusText(Real volume);

// Fills the point-group, faces, corners, surface and volume panels.
void ShowCalculation(StatusPanels& panels, const CalculationFigures& figures);

}  // namespace habitopia
