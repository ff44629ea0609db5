#include "support/raster_samples.h"

#include <cstdlib>
#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace habitopia::test {

RasterImage PatternImage(int width, int height, int seed) {
  RasterImage image;
  image.width = width;
  image.height = height;
  image.rgba.resize(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      pixel[0] = static_cast<std::uint8_t>(x * 7 + seed);
      pixel[1] = static_cast<std::uint8_t>(y * 5 + 3 * seed);
      pixel[2] = static_cast<std::uint8_t>((x + y) * 3 + 11 * seed);
      pixel[3] = 255;
    }
  return image;
}

RasterImage TileImage(int width, int height, int tile) {
  RasterImage image = PatternImage(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int column = x / tile;
      const int row = y / tile;
      std::uint8_t* pixel = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      pixel[0] = static_cast<std::uint8_t>(40 + 50 * column);
      pixel[1] = static_cast<std::uint8_t>(30 + 70 * row);
      pixel[2] = static_cast<std::uint8_t>((column + row) % 2 ? 220 : 20);
    }
  return image;
}

std::optional<std::string> DecodeToRgb(const std::string& path, const std::string& scratchFolder) {
  const std::string raw = scratchFolder + "/decoded.rgb";
  std::filesystem::remove(raw);
  const CliRun run = RunProgram(
      "ffmpeg", {"-v", "error", "-y", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", raw},
      scratchFolder);
  if (run.status != 0) return std::nullopt;
  return ReadText(raw);
}

std::string RgbBytes(const RasterImage& image) {
  std::string out;
  out.reserve(image.rgba.size() / 4 * 3);
  for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4)
    out.append(reinterpret_cast<const char*>(&image.rgba[i]), 3);
  return out;
}

int LargestDifference(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return -1;
  int largest = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const int difference = std::abs(static_cast<int>(static_cast<unsigned char>(a[i])) -
                                    static_cast<unsigned char>(b[i]));
    if (difference > largest) largest = difference;
  }
  return largest;
}

}  // namespace habitopia::test
