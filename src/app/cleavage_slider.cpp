#include "app/cleavage_slider.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace habitopia {

Real CleavageDistanceFromSlider(int position) {
  const Real distance = RoundHalfEven((5 - static_cast<Real>(position) / 20) * 20) / 20;
  return distance == 0 ? kCleavageZeroDistance : distance;
}

int CleavageSliderFromDistance(Real distance) {
  if (!std::isfinite(distance)) return kCleavageSliderMiddle;
  const Real position = RoundHalfEven(kCleavageSliderMiddle - distance * 20);
  return static_cast<int>(std::clamp<Real>(position, 0, kCleavageSliderMaximum));
}

}  // namespace habitopia
