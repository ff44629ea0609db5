#pragma once
// The per-user working directory: scene files, undo snapshots, temporary model
// files and the settings file live there.

#include <functional>
#include <optional>
#include <string>

namespace habitopia {

inline constexpr const char* kCannotCreateWorkDirectory = "Cannot create undo directory";

using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// $HABITOPIA_WORKDIR when set; else $XDG_DATA_HOME/Habitopia/tmp when XDG_DATA_HOME
// is an absolute path; else $HOME/.local/share/Habitopia/tmp. Empty when none of
// these can be formed.
std::string WorkDirectoryPath(const EnvironmentLookup& environment);
// The same from the process environment.
std::string WorkDirectoryPath();

// Creates the directory and its missing parents, each with mode 0700 (only the
// user may enter it). An existing directory is left as it is.
bool EnsureWorkDirectory(const std::string& path, std::string& error);

}  // namespace habitopia
