#pragma once
// Scene files: atomic writing, the model embedded at the end of a scene, gzip
// compression and the combined-objects (group) scene.

#include <optional>
#include <string>
#include <vector>

#include "core/display_settings.h"

namespace habitopia {

// Outcome of a file operation; `message` says what went wrong.
struct FileResult {
  bool ok = true;
  std::string message;
  explicit operator bool() const { return ok; }
};

// Writes `contents` to a temporary file in the target's folder and renames it over
// the target, so that the target is either the old file or the complete new one.
FileResult WriteFileAtomic(const std::string& path, const std::string& contents);
// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileText(const std::string& path);

// Lines of a text; a line end is "\n" or "\r\n"; a last line without line end counts.
std::vector<std::string> SplitLines(const std::string& text);

inline constexpr const char* kEmbeddedMarker12 = "#Habitopia data Release 1.2";
inline constexpr const char* kEmbeddedMarker15 = "#Habitopia data Release 1.5";

// The scene with the model file's lines appended, each preceded by "#". A model
// embedded earlier (everything from its release marker on) is replaced; the model
// text is expected to start with its own release line.
std::string EmbedModel(const std::string& sceneText, const std::string& modelText);
// The lines after the first release marker with their first character removed,
// preceded by the marker without "#": a model file text (CR LF line ends). Nothing
// when the scene carries no model.
std::optional<std::string> ExtractEmbeddedModel(const std::string& sceneText);

// gzip format (RFC 1952) in memory, with zlib.
std::optional<std::string> GzipCompress(const std::string& data,
                                        const std::string& storedName = "");
// Inflating stops past `limit` bytes (a scene that carries a model is far
// smaller than the default); `tooLarge`, when given, tells that apart from
// damaged data.
inline constexpr std::size_t kInflateLimit = std::size_t{64} << 20;
std::optional<std::string> GzipDecompress(const std::string& data,
                                          std::size_t limit = kInflateLimit,
                                          bool* tooLarge = nullptr);
bool LooksGzipped(const std::string& data);

// Turns `scenePath` into `scenePath` + ".gz" and removes the uncompressed file, as
// "gzip -f" does.
FileResult GzipSceneFile(const std::string& scenePath);
// The compressed-scene command's file steps: compress the preview scene, copy the
// result to `target`, remove the scratch ".gz". Fails with "compression failed".
FileResult SaveCompressedScene(const std::string& scenePath, const std::string& target);

// The combined-objects wizard's scene placing three scenes side by side.
struct GroupScene {
  Rgb background{255, 255, 255};
  std::string morphology = "crystal.wrl";   // Edit10
  std::string tensor = "tensor.wrl";        // Edit11
  std::string structure = "structure.wrl";  // Edit12
  bool animation = false;
};
std::string GroupSceneText(const GroupScene& group);

}  // namespace habitopia
