#pragma once
// What the display sliders of the utility panel and the viewer controls set.

#include "core/display_settings.h"
#include "core/matrix.h"

namespace habitopia {

// Transparency: position / 20.
Real TransparencyFromPosition(int position);
int TransparencyPosition(Real transparency);

// perspective p and zoommodel z: viewDistance = p², fieldOfView = 5 / p² × z / 50.
Real ViewDistanceFromPerspective(int perspective);
Real FieldOfViewFrom(int perspective, int zoom);
// Sets viewDistance and fieldOfView from both sliders.
void SetCamera(DisplaySettings& settings, int perspective, int zoom);

// Speed1: 50 / (position − 50) seconds per turn; the middle gives 1000, a model
// that hardly moves.
Real CycleIntervalFromSpeed(int position);

// UpDown1: position / 3.
Real AxesLengthFromPosition(int position);
int AxesLengthPosition(Real axesLength);

}  // namespace habitopia
