#pragma once
// The utility panel panel2 and the viewer controls Panel11.

namespace habitopia {

struct DisplayState {
  int zoomModel = 50;  // zoommodel, 1..100
};

}  // namespace habitopia
