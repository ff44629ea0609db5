#include "app/display_sliders.h"

#include "core/numbers.h"
#include "files/model_document.h"

namespace habitopia {

Real TransparencyFromPosition(int position) { return static_cast<Real>(position) / 20; }

int TransparencyPosition(Real transparency) {
  return static_cast<int>(RoundToInteger(transparency * 20));
}

void SetCamera(DisplaySettings& settings, int perspective, int zoom) {
  settings.viewDistance = ViewDistanceForPerspective(perspective);
  settings.fieldOfView = FieldOfViewFor(perspective, zoom);
}

Real AxesLengthFromPosition(int position) { return static_cast<Real>(position) / 3; }

int AxesLengthPosition(Real axesLength) { return static_cast<int>(RoundToInteger(axesLength * 3)); }

}  // namespace habitopia
