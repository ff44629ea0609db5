#include "files/windows_metafile.h"

#include <cstdint>

#include "files/device_independent_bitmap.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint16_t kUnitsPerInch = 96;  // one unit per pixel on a 96 dpi screen
constexpr std::uint16_t kMetaSetWindowOrg = 0x020B;
constexpr std::uint16_t kMetaSetWindowExt = 0x020C;
constexpr std::uint16_t kMetaStretchDib = 0x0F43;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint16_t kDibRgbColours = 0;

// Starts a record: size in 16-bit words (patched by EndRecord) and function.
std::size_t BeginRecord(std::string& out, std::uint16_t function) {
  const std::size_t start = out.size();
  AppendU32(out, 0);
  AppendU16(out, function);
  return start;
}

std::uint32_t EndRecord(std::string& out, std::size_t start) {
  if ((out.size() - start) % 2) out.push_back('\0');
  const auto words = static_cast<std::uint32_t>((out.size() - start) / 2);
  PatchU32(out, start, words);
  return words;
}

std::string PlaceableHeader(int width, int height) {
  std::string out;
  AppendU32(out, kPlaceableKey);
  AppendU16(out, 0);  // handle, zero on disk
  AppendU16(out, 0);  // bounding box: left, top, right, bottom
  AppendU16(out, 0);
  AppendU16(out, static_cast<std::uint16_t>(width));
  AppendU16(out, static_cast<std::uint16_t>(height));
  AppendU16(out, kUnitsPerInch);
  AppendU32(out, 0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < out.size(); i += 2)
    checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(out[i]) |
                                           static_cast<std::uint8_t>(out[i + 1]) << 8);
  AppendU16(out, checksum);
  return out;
}

}  // namespace

std::string PlaceableMetafileBytes(const RasterImage& image) {
  if (!image.Consistent() || image.width > kMetafileMaxSide || image.height > kMetafileMaxSide)
    return {};
  const auto width = static_cast<std::uint16_t>(image.width);
  const auto height = static_cast<std::uint16_t>(image.height);

  std::string records;
  std::uint32_t largest = 0;
  auto end = [&](std::size_t start) {
    const std::uint32_t words = EndRecord(records, start);
    if (words > largest) largest = words;
  };

  std::size_t start = BeginRecord(records, kMetaSetWindowOrg);
  AppendU16(records, 0);  // y, x
  AppendU16(records, 0);
  end(start);

  start = BeginRecord(records, kMetaSetWindowExt);
  AppendU16(records, height);
  AppendU16(records, width);
  end(start);

  start = BeginRecord(records, kMetaStretchDib);
  AppendU32(records, kSourceCopy);
  AppendU16(records, kDibRgbColours);
  AppendU16(records, height);  // source height, width, y, x
  AppendU16(records, width);
  AppendU16(records, 0);
  AppendU16(records, 0);
  AppendU16(records, height);  // destination height, width, y, x
  AppendU16(records, width);
  AppendU16(records, 0);
  AppendU16(records, 0);
  records += DibInfoHeader(image.width, image.height);
  records += DibPixels(image);
  end(start);

  start = BeginRecord(records, 0x0000);  // end of file
  end(start);

  constexpr std::uint16_t kHeaderWords = 9;
  std::string out = PlaceableHeader(image.width, image.height);
  AppendU16(out, 1);  // in memory
  AppendU16(out, kHeaderWords);
  AppendU16(out, 0x0300);  // Windows 3.0
  AppendU32(out, kHeaderWords + static_cast<std::uint32_t>(records.size() / 2));
  AppendU16(out, 0);  // no objects
  AppendU32(out, largest);
  AppendU16(out, 0);
  out += records;
  return out;
}

bool WriteWindowsMetafile(const std::string& path, const RasterImage& image, std::string& error) {
  const std::string bytes = PlaceableMetafileBytes(image);
  if (bytes.empty()) {
    error = image.Consistent() ? "the picture is too large for a metafile" : "the picture is empty";
    return false;
  }
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace habitopia
