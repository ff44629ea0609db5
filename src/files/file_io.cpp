#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace habitopia {

namespace {

std::string SystemError(const std::string& what, const std::string& path, int code) {
  return what + " " + path + ": " + std::strerror(code);
}

// A name in the target's folder that no other writer in this process uses.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path target(path);
  const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) +
                           "-" + std::to_string(counter++) + ".part";
  return (target.parent_path() / name).string();
}

bool WriteAll(int fd, std::string_view contents) {
  const char* data = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    error = SystemError("Cannot open", path, EISDIR);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = SystemError("Cannot open", path, errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    error = "Cannot read " + path;
    return false;
  }
  text = buffer.str();
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error) {
  struct stat existing {};
  const bool targetExists = ::stat(path.c_str(), &existing) == 0;
  if (targetExists && S_ISDIR(existing.st_mode)) {
    error = "Cannot write " + path + ": it is a folder";
    return false;
  }

  const std::string temporary = TemporaryNameFor(path);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = SystemError("Cannot create", path, errno);
    return false;
  }
  bool ok = WriteAll(fd, contents);
  int code = errno;
  if (ok && targetExists) ::fchmod(fd, existing.st_mode & 07777);
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    code = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    error = SystemError("Cannot write", path, code);
    return false;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    code = errno;
    ::unlink(temporary.c_str());
    error = SystemError("Cannot replace", path, code);
    return false;
  }
  return true;
}

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace habitopia
