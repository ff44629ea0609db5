#pragma once
// "&Register *.mor extension": makes the desktop open model files with this
// program, for the current user only. The model file type, the program's
// desktop entry (naming this very program) and its icon go into the user's data
// folder; the desktop's caches are refreshed and the program becomes the
// default for the type.

#include <string>
#include <vector>

#include "app/process_runner.h"
#include "app/work_directory.h"

namespace habitopia {

inline constexpr const char* kModelMimeType = "application/x-habitopia-model";
inline constexpr const char* kDesktopFileName = "habitopia.desktop";

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share; empty
// when neither can be formed.
std::string UserDataHome(const EnvironmentLookup& environment);

// The program as a desktop entry's Exec line names it: quoted when it holds
// blanks or characters the entry format reserves.
std::string DesktopExecProgram(const std::string& programPath);

// The installed desktop entry with its Exec line naming `programPath`.
std::string UserDesktopEntry(const std::string& programPath);

class DesktopRegistration {
 public:
  DesktopRegistration(std::string dataHome, std::string programPath, ProcessRunner& runner)
      : dataHome_(std::move(dataHome)), programPath_(std::move(programPath)), runner_(runner) {}

  // Writes the files and runs update-mime-database, update-desktop-database and
  // xdg-mime. False with `error` when a file cannot be written or the type or
  // the default cannot be registered; a missing desktop database is not an error.
  bool Register(std::string& error);

  std::string MimePackagePath() const;
  std::string DesktopEntryPath() const;
  std::string IconPath() const;

 private:
  std::string dataHome_;
  std::string programPath_;
  ProcessRunner& runner_;
};

}  // namespace habitopia
