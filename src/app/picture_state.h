#pragma once
// The stereographic projection panel beside the viewer, and the window-state
// request of the picture commands.

#include <string>

namespace habitopia {

struct PictureState {
  bool stereogramShown = false;
  std::string stereogramSvg;  // the projection of the last calculation; empty: none
  // Grows by one each time a picture command asks for the window's normal
  // (not maximised) state.
  int normalWindowRequests = 0;
};

}  // namespace habitopia
