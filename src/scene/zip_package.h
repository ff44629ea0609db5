#pragma once
// A ZIP archive with stored (uncompressed) entries, as the OPC packages of 3MF
// use them. Entry times are fixed, so equal contents give equal archives.

#include <string>
#include <vector>

namespace habitopia {

struct ZipEntry {
  std::string name;  // path inside the archive, "/" separated, no leading "/"
  std::string data;
};

std::string ZipArchive(const std::vector<ZipEntry>& entries);

}  // namespace habitopia
