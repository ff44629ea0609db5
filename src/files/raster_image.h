#pragma once
// A picture in memory: 8-bit red, green, blue, alpha per pixel, rows from the top.

#include <cstdint>
#include <vector>

namespace habitopia {

struct RasterImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4 bytes

  bool Empty() const { return width <= 0 || height <= 0; }
  // The size matches the pixel buffer.
  bool Consistent() const {
    return width > 0 && height > 0 &&
           rgba.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  }
};

}  // namespace habitopia
