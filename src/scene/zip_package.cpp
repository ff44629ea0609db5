#include "scene/zip_package.h"

#include <zlib.h>

#include <cstdint>

namespace habitopia {

namespace {

constexpr std::uint16_t kVersion = 20;
constexpr std::uint16_t kDosTime = 0;             // 00:00:00
constexpr std::uint16_t kDosDate = (1 << 5) | 1;  // 1980-01-01
constexpr std::uint16_t kUtf8Names = 1 << 11;

void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string ZipArchive(const std::vector<ZipEntry>& entries) {
  std::string out, directory;
  for (const ZipEntry& entry : entries) {
    const auto offset = static_cast<std::uint32_t>(out.size());
    const auto crc = static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(entry.data.data()),
              static_cast<uInt>(entry.data.size())));
    const auto size = static_cast<std::uint32_t>(entry.data.size());
    const auto nameLength = static_cast<std::uint16_t>(entry.name.size());

    Put32(out, 0x04034b50);
    Put16(out, kVersion);
    Put16(out, kUtf8Names);
    Put16(out, 0);  // stored
    Put16(out, kDosTime);
    Put16(out, kDosDate);
    Put32(out, crc);
    Put32(out, size);
    Put32(out, size);
    Put16(out, nameLength);
    Put16(out, 0);
    out += entry.name;
    out += entry.data;

    Put32(directory, 0x02014b50);
    Put16(directory, kVersion);
    Put16(directory, kVersion);
    Put16(directory, kUtf8Names);
    Put16(directory, 0);
    Put16(directory, kDosTime);
    Put16(directory, kDosDate);
    Put32(directory, crc);
    Put32(directory, size);
    Put32(directory, size);
    Put16(directory, nameLength);
    Put16(directory, 0);  // extra field
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += entry.name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(out.size());
  out += directory;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint16_t>(entries.size()));
  Put16(out, static_cast<std::uint16_t>(entries.size()));
  Put32(out, static_cast<std::uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}

}  // namespace habitopia
