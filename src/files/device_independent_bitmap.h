#pragma once
// Device-independent bitmaps as Windows stores them: a 40-byte info header and
// 24-bit blue-green-red pixels, rows from the bottom, each row padded to four
// bytes. Metafiles, movies and .bmp files carry them.

#include <cstdint>
#include <string>

#include "files/raster_image.h"

namespace habitopia {

inline constexpr int kDibInfoHeaderSize = 40;

// Bytes of one padded pixel row.
std::uint32_t DibRowStride(int width);
// Bytes of all pixel rows.
std::uint32_t DibPixelBytes(int width, int height);

// Little-endian appenders shared by the binary writers.
void AppendU16(std::string& out, std::uint16_t value);
void AppendU32(std::string& out, std::uint32_t value);
void AppendFourCC(std::string& out, const char (&code)[5]);
void PatchU32(std::string& out, std::size_t at, std::uint32_t value);

// The 40-byte BITMAPINFOHEADER of a 24-bit uncompressed picture, rows from the bottom.
std::string DibInfoHeader(int width, int height);
// The pixel rows (alpha dropped), bottom row first.
std::string DibPixels(const RasterImage& image);

// A whole .bmp file: file header, info header, pixels.
std::string WindowsBitmapBytes(const RasterImage& image);
// Writes the .bmp file, replacing the target only when the whole file was written.
bool WriteWindowsBitmap(const std::string& path, const RasterImage& image, std::string& error);

}  // namespace habitopia
