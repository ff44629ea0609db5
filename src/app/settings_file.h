#pragma once
// The settings file "otibaH.ini" in the working directory: its default lines, the
// list of recent files and the lines rewritten when the program closes. The
// functions work on the file's text; ReadSettingsFile and WriteSettingsFile do
// the file part (the text is replaced atomically).

#include <array>
#include <string>
#include <vector>

namespace habitopia {

inline constexpr const char* kSettingsFileName = "otibaH.ini";
inline constexpr const char* kRecentFilesSection = "[RecentFiles]";

// The eighteen lines of a new settings file.
std::vector<std::string> DefaultSettingsLines();
std::string DefaultSettingsText();

// `name` becomes entry 1; earlier entries move down one place, the old entry 5
// and any lines after the list are dropped. The list is not searched for the name.
std::string RecordRecentFile(const std::string& settingsText, const std::string& name);

// The names of entries 1 to 5 (empty for an entry without a name); entries with
// other numbers are ignored.
std::array<std::string, 5> RecentFiles(const std::string& settingsText);

// Line 2 the version, the line after "[Directories]" the program directory, the
// line after "[Startwindow]" the window size.
std::string SettingsOnClose(const std::string& settingsText, const std::string& programDirectory,
                            int width, int height);

// The text of the file; false when it does not exist or cannot be read.
bool ReadSettingsFile(const std::string& path, std::string& text);
bool WriteSettingsFile(const std::string& path, const std::string& text, std::string& error);

}  // namespace habitopia
