#pragma once
// Pictures for the image writers' tests and a way to read pictures and movies
// back through programs that are not ours (ffmpeg).

#include <optional>
#include <string>
#include <vector>

#include "files/raster_image.h"

namespace habitopia::test {

// A picture where every pixel differs from its neighbours: red from x, green from
// y, blue from `seed`, opaque.
RasterImage PatternImage(int width, int height, int seed = 0);

// A picture of square tiles, `tile` pixels wide, each of its own colour: for
// readers that smooth the picture, whose tiles' inner pixels must stay exact.
RasterImage TileImage(int width, int height, int tile);

// Decodes an image or every frame of a movie with ffmpeg into 8-bit red, green,
// blue rows from the top, frame after frame; nothing when ffmpeg fails.
std::optional<std::string> DecodeToRgb(const std::string& path, const std::string& scratchFolder);

// The picture's pixels as red, green, blue (alpha dropped), rows from the top.
std::string RgbBytes(const RasterImage& image);

// The largest difference of one colour component between two equal-sized buffers;
// -1 when their sizes differ.
int LargestDifference(const std::string& a, const std::string& b);

}  // namespace habitopia::test
