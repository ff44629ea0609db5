#include "app/desktop_registration.h"

#include <filesystem>
#include <sstream>

#include "app/desktop_files.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

bool WriteIn(const std::string& path, const std::string& text, std::string& error) {
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  return WriteFileAtomically(path, text, error);
}

}  // namespace

std::string UserDataHome(const EnvironmentLookup& environment) {
  if (auto data = environment("XDG_DATA_HOME"); data && !data->empty() && data->front() == '/')
    return *data;
  if (auto home = environment("HOME"); home && !home->empty())
    return (fs::path(*home) / ".local" / "share").string();
  return {};
}

std::string DesktopExecProgram(const std::string& programPath) {
  if (programPath.find_first_of(" \t\n\"'\\><~|&;$*?#()`=%") == std::string::npos)
    return programPath;
  // Inside the quotes ", `, $ and \ take a backslash; the value's own escape rule
  // then doubles every backslash.
  std::string quoted = "\"";
  for (const char c : programPath) {
    if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
    if (c == '\\') quoted += "\\\\\\";
    if (c == '%') {
      quoted += "%%";
      continue;
    }
    quoted += c;
  }
  return quoted + "\"";
}

std::string UserDesktopEntry(const std::string& programPath) {
  std::istringstream in(kDesktopEntryText);
  std::string out, line;
  while (std::getline(in, line)) {
    if (line.rfind("Exec=", 0) == 0) line = "Exec=" + DesktopExecProgram(programPath) + " %f";
    if (line.rfind("TryExec=", 0) == 0) continue;
    out += line + "\n";
  }
  return out;
}

std::string DesktopRegistration::MimePackagePath() const {
  return dataHome_ + "/mime/packages/habitopia-mime.xml";
}

std::string DesktopRegistration::DesktopEntryPath() const {
  return dataHome_ + "/applications/" + kDesktopFileName;
}

std::string DesktopRegistration::IconPath() const {
  return dataHome_ + "/icons/hicolor/scalable/apps/habitopia.svg";
}

bool DesktopRegistration::Register(std::string& error) {
  if (dataHome_.empty() || dataHome_.front() != '/') {
    error = "no data folder for the user";
    return false;
  }
  if (!WriteIn(MimePackagePath(), kMimeTypeText, error) ||
      !WriteIn(DesktopEntryPath(), UserDesktopEntry(programPath_), error) ||
      !WriteIn(IconPath(), kIconText, error))
    return false;
  if (runner_.Run("update-mime-database", {dataHome_ + "/mime"}) != 0) {
    error = "update-mime-database failed";
    return false;
  }
  // Only a cache: file managers find the entry without it.
  runner_.Run("update-desktop-database", {dataHome_ + "/applications"});
  if (runner_.Run("xdg-mime", {"default", kDesktopFileName, kModelMimeType}) != 0) {
    error = "xdg-mime could not make the program the default for model files";
    return false;
  }
  return true;
}

}  // namespace habitopia
