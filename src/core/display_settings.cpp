#include "core/display_settings.h"

namespace habitopia {

long long ColourValue(const Rgb& c) {
  return static_cast<long long>(c.red) + 256LL * c.green + 65536LL * c.blue;
}

Rgb ColourFromValue(long long value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
          static_cast<int>((value >> 16) & 0xFF)};
}

}  // namespace habitopia
