#pragma once
// What the display sliders of the utility panel and the viewer controls set.
// The camera and speed values a model file's slider positions stand for are
// the files layer's (ViewDistanceForPerspective, FieldOfViewFor,
// CycleIntervalForSpeed); these are the rest.

#include "core/display_settings.h"
#include "core/matrix.h"

namespace habitopia {

// Transparency: position / 20.
Real TransparencyFromPosition(int position);
int TransparencyPosition(Real transparency);

// viewDistance and fieldOfView from the focus angle and the zoom.
void SetCamera(DisplaySettings& settings, int perspective, int zoom);

// UpDown1: position / 3.
Real AxesLengthFromPosition(int position);
int AxesLengthPosition(Real axesLength);

}  // namespace habitopia
