#include "app/work_directory.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace habitopia {

namespace {

std::optional<std::string> NonEmpty(const EnvironmentLookup& environment, const char* name) {
  std::optional<std::string> value = environment(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string WorkDirectoryPath(const EnvironmentLookup& environment) {
  if (auto own = NonEmpty(environment, "HABITOPIA_WORKDIR")) return *own;
  // The base directory specification ignores relative paths in XDG_DATA_HOME.
  if (auto data = NonEmpty(environment, "XDG_DATA_HOME"); data && data->front() == '/')
    return (std::filesystem::path(*data) / "Habitopia" / "tmp").string();
  if (auto home = NonEmpty(environment, "HOME"))
    return (std::filesystem::path(*home) / ".local" / "share" / "Habitopia" / "tmp").string();
  return {};
}

std::string WorkDirectoryPath() {
  return WorkDirectoryPath([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
  });
}

bool EnsureWorkDirectory(const std::string& path, std::string& error) {
  namespace fs = std::filesystem;
  if (path.empty()) {
    error = kCannotCreateWorkDirectory;
    return false;
  }
  const fs::path target = fs::absolute(fs::path(path)).lexically_normal();
  fs::path partial;
  for (const fs::path& part : target) {
    partial /= part;
    if (part.empty() || part == partial.root_path()) continue;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
      error = std::string(kCannotCreateWorkDirectory) + ": " + partial.string() + ": " +
              std::strerror(errno);
      return false;
    }
  }
  std::error_code ec;
  if (!fs::is_directory(target, ec)) {
    error =
        std::string(kCannotCreateWorkDirectory) + ": " + target.string() + " is not a directory";
    return false;
  }
  return true;
}

}  // namespace habitopia
