#include "files/device_independent_bitmap.h"

#include "files/file_io.h"

namespace habitopia {

std::uint32_t DibRowStride(int width) { return (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u; }

std::uint32_t DibPixelBytes(int width, int height) {
  return DibRowStride(width) * static_cast<std::uint32_t>(height);
}

void AppendU16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void AppendU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendFourCC(std::string& out, const char (&code)[5]) { out.append(code, 4); }

void PatchU32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string DibInfoHeader(int width, int height) {
  std::string out;
  AppendU32(out, kDibInfoHeaderSize);
  AppendU32(out, static_cast<std::uint32_t>(width));
  AppendU32(out, static_cast<std::uint32_t>(height));  // positive: rows from the bottom
  AppendU16(out, 1);                                   // planes
  AppendU16(out, 24);                                  // bits per pixel
  AppendU32(out, 0);                                   // BI_RGB, uncompressed
  AppendU32(out, DibPixelBytes(width, height));
  AppendU32(out, 3780);  // 96 pixels per inch, in pixels per metre
  AppendU32(out, 3780);
  AppendU32(out, 0);  // no colour table
  AppendU32(out, 0);
  return out;
}

std::string DibPixels(const RasterImage& image) {
  const std::uint32_t stride = DibRowStride(image.width);
  std::string out(DibPixelBytes(image.width, image.height), '\0');
  for (int row = 0; row < image.height; ++row) {
    const std::uint8_t* source =
        image.rgba.data() + static_cast<std::size_t>(image.height - 1 - row) *
                                static_cast<std::size_t>(image.width) * 4;
    char* target = out.data() + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < image.width; ++x) {
      target[3 * x] = static_cast<char>(source[4 * x + 2]);
      target[3 * x + 1] = static_cast<char>(source[4 * x + 1]);
      target[3 * x + 2] = static_cast<char>(source[4 * x]);
    }
  }
  return out;
}

std::string WindowsBitmapBytes(const RasterImage& image) {
  constexpr std::uint32_t kFileHeaderSize = 14;
  const std::uint32_t offset = kFileHeaderSize + kDibInfoHeaderSize;
  std::string out = "BM";
  AppendU32(out, offset + DibPixelBytes(image.width, image.height));
  AppendU32(out, 0);
  AppendU32(out, offset);
  out += DibInfoHeader(image.width, image.height);
  out += DibPixels(image);
  return out;
}

bool WriteWindowsBitmap(const std::string& path, const RasterImage& image, std::string& error) {
  if (!image.Consistent()) {
    error = "the picture is empty";
    return false;
  }
  return WriteFileAtomically(path, WindowsBitmapBytes(image), error);
}

}  // namespace habitopia
