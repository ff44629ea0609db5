#include "support/temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace habitopia::test {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

TempDir::TempDir(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolderTest::SetUp() {
  try {
    folder_ = std::make_unique<TempDir>(prefix_);
  } catch (const std::exception& e) {
    FAIL() << e.what();
  }
}

void TempFolderTest::TearDown() { folder_.reset(); }

std::string TempFolderTest::Write(const std::string& name, const std::string& text) const {
  const std::string path = Path(name);
  WriteText(path, text);
  return path;
}

}  // namespace habitopia::test
