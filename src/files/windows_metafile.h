#pragma once
// A placeable Windows metafile holding one picture: the bitmap drawn at (0, 0)
// at its own size, one logical unit per pixel.

#include <string>

#include "files/raster_image.h"

namespace habitopia {

// Metafile coordinates are 16-bit: larger pictures cannot be stored.
inline constexpr int kMetafileMaxSide = 32767;

// The metafile's bytes; empty when the picture is empty or too large.
std::string PlaceableMetafileBytes(const RasterImage& image);

// Writes the metafile, replacing the target only when the whole file was written.
bool WriteWindowsMetafile(const std::string& path, const RasterImage& image, std::string& error);

}  // namespace habitopia
