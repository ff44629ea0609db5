#include "app/status_bar.h"

#include "core/numbers.h"

namespace habitopia {

StatusPanels InitialStatusPanels() {
  return StatusPanels{{{"Point Group =", 120},
                       {"Faces", 70},
                       {"Corners", 70},
                       {"Surface=", 110},
                       {"Volume= ", 110},
                       {"", 200}}};
}

std::string PointGroupStatusText(const std::string& caption) { return "point group = " + caption; }

std::string FacesStatusText(int presentFaces) { return FormatInteger(presentFaces) + " Faces"; }

std::string CornersStatusText(int sceneCorners) { return FormatInteger(sceneCorners) + " Corners"; }

std::string SurfaceStatusText(Real surface) { return "Surface= " + FormatGeneral(Round3(surface)); }

std::string VolumeStatusText(Real volume) { return "Volume= " + FormatGeneral(Round3(volume)); }

void ShowCalculation(StatusPanels& panels, const CalculationFigures& figures) {
  panels[kPointGroupPanel].text = PointGroupStatusText(figures.pointGroupCaption);
  panels[kFacesPanel].text = FacesStatusText(figures.presentFaces);
  panels[kCornersPanel].text = CornersStatusText(figures.sceneCorners);
  panels[kSurfacePanel].text = SurfaceStatusText(figures.surface);
  panels[kVolumePanel].text = VolumeStatusText(figures.volume);
}

}  // namespace habitopia
