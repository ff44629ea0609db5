#include "app/settings_file.h"

#include <cctype>
#include <filesystem>

#include "files/file_io.h"
#include "scene/scene_files.h"

namespace habitopia {

namespace {

constexpr const char* kVersionLine = "Version=**HB#081004**";
constexpr const char* kWindowLineTail = "  0.00000000000000E+0000";

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

struct Entry {
  bool numbered = false;
  long number = 0;
  std::string rest;  // after the number, with its separating blank
};

Entry ParseEntry(const std::string& line) {
  Entry entry;
  std::size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  const std::size_t start = i;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  if (i == start || !std::isdigit(static_cast<unsigned char>(line[i - 1]))) return entry;
  entry.numbered = true;
  entry.number = std::stol(line.substr(start, i - start));
  entry.rest = line.substr(i);
  return entry;
}

std::size_t SectionEnd(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(kRecentFilesSection) != std::string::npos) return i + 1;
  return lines.size();
}

}  // namespace

std::vector<std::string> DefaultSettingsLines() {
  return {"[Identification]",
          kVersionLine,
          "",
          "[Release]",
          "1.4",
          "",
          "[Directories]",
          "Workdir=",
          "",
          "[Startwindow]",
          "640 480  0.00000000000000E+0000",
          "",
          kRecentFilesSection,
          "1",
          "2",
          "3",
          "4",
          "5"};
}

std::string DefaultSettingsText() { return JoinLines(DefaultSettingsLines()); }

std::string RecordRecentFile(const std::string& settingsText, const std::string& name) {
  std::vector<std::string> lines =
      SplitLines(settingsText.empty() ? DefaultSettingsText() : settingsText);
  std::size_t next = SectionEnd(lines);
  std::vector<std::string> out(lines.begin(), lines.begin() + static_cast<long>(next));
  // A file without the list gets one, so that the name is found again.
  if (next == lines.size() &&
      (out.empty() || out.back().find(kRecentFilesSection) == std::string::npos))
    out.push_back(kRecentFilesSection);
  if (next >= lines.size()) {
    out.push_back("1 " + name);
    return JoinLines(out);
  }
  Entry last = ParseEntry(lines[next++]);
  out.push_back(std::to_string(last.number) + " " + name);
  while (true) {
    out.push_back(std::to_string(last.number + 1) + last.rest);
    if (last.number == 5 || next >= lines.size()) break;
    last = ParseEntry(lines[next++]);
    if (last.number == 5) break;
  }
  return JoinLines(out);
}

std::array<std::string, 5> RecentFiles(const std::string& settingsText) {
  std::array<std::string, 5> names;
  const std::vector<std::string> lines = SplitLines(settingsText);
  for (std::size_t i = SectionEnd(lines); i < lines.size(); ++i) {
    const Entry entry = ParseEntry(lines[i]);
    if (entry.number >= 1 && entry.number <= 5)
      names[static_cast<std::size_t>(entry.number - 1)] =
          entry.rest.empty() ? "" : entry.rest.substr(1);
    if (entry.number == 5) break;
  }
  return names;
}

std::string SettingsOnClose(const std::string& settingsText, const std::string& programDirectory,
                            int width, int height) {
  std::vector<std::string> lines = SplitLines(settingsText);
  bool directoriesSeen = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 1) lines[i] = kVersionLine;
    if (i == 0) continue;
    if (!directoriesSeen && lines[i - 1].find("[Directories]") != std::string::npos) {
      directoriesSeen = true;
      std::string directory = programDirectory;
      if (!directory.empty() && directory.back() != '/') directory += '/';
      lines[i] = "Workdir=" + directory;
    } else if (lines[i - 1].find("[Startwindow]") != std::string::npos) {
      lines[i] = std::to_string(width) + " " + std::to_string(height) + kWindowLineTail;
    }
  }
  return JoinLines(lines);
}

bool ReadSettingsFile(const std::string& path, std::string& text) {
  std::error_code missing;
  if (!std::filesystem::exists(path, missing)) return false;
  std::string error;
  return ReadWholeFile(path, text, error);
}

bool WriteSettingsFile(const std::string& path, const std::string& text, std::string& error) {
  return WriteFileAtomically(path, text, error);
}

}  // namespace habitopia
