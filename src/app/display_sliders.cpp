#include "app/display_sliders.h"

#include "core/numbers.h"

namespace habitopia {

Real TransparencyFromPosition(int position) { return static_cast<Real>(position) / 20; }

int TransparencyPosition(Real transparency) { return static_cast<int>(RoundToInteger(transparency * 20)); }

Real ViewDistanceFromPerspective(int perspective) {
  return static_cast<Real>(perspective) * perspective;
}

Real FieldOfViewFrom(int perspective, int zoom) {
  return 5 / ViewDistanceFromPerspective(perspective) * zoom / 50;
}

void SetCamera(DisplaySettings& settings, int perspective, int zoom) {
  settings.viewDistance = ViewDistanceFromPerspective(perspective);
  settings.fieldOfView = FieldOfViewFrom(perspective, zoom);
}

Real CycleIntervalFromSpeed(int position) {
  if (position == 50) return 1000;
  return static_cast<Real>(50) / (position - 50);
}

Real AxesLengthFromPosition(int position) { return static_cast<Real>(position) / 3; }

int AxesLengthPosition(Real axesLength) { return static_cast<int>(RoundToInteger(axesLength * 3)); }

}  // namespace habitopia
