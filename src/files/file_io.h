#pragma once
// Whole-file reading and safe replacement of files.

#include <string>
#include <string_view>

namespace habitopia {

// Reads the file into `text`; on failure returns false with a one-line `error`.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& error);

// Writes `contents` to a new file in the target's folder and renames it over the
// target, so the previous file survives any failure. Returns false with a one-line
// `error` when the file cannot be created, written or renamed.
bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error);

// The file's extension with its leading point, in lower case (".mor" for "A.MOR"),
// as the open command compares it.
std::string LowerExtension(const std::string& path);

}  // namespace habitopia
