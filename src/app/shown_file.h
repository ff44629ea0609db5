#pragma once
// What opening a file for the viewer does: a model file is built and its scene
// written to the working directory; a scene file is shown as it is.

#include <optional>
#include <string>

#include "app/status_bar.h"
#include "files/file_io.h"

namespace habitopia {

// The scene the calculation writes, in the working directory.
inline constexpr const char* kSceneFileName = "Habitopia.wrl";
inline constexpr const char* kNotAModelFile = "This is not a valid Habitopia - file (*.mor): ";

struct ShownFile {
  bool ok = false;
  std::string error;                          // one line when not ok
  std::string scenePath;                      // the scene the viewer is to load
  std::string modelFileName;                  // the file opened, as an absolute path
  bool sceneOnly = false;                     // a scene without a model
  bool closed = true;                         // the closed-hull criterion held (models only)
  std::optional<CalculationFigures> figures;  // models only
};

// Opens `path` by its extension: ".mor" reads the model, builds it as a
// calculation does (faces "0 0 0" and non-positive distances dropped, at most
// 301 faces) and writes its scene with the model's display settings to
// `workDirectory`/Habitopia.wrl; ".wrl" and ".wrz" are shown as they are; any
// other extension is refused with kNotAModelFile followed by the extension.
ShownFile PrepareShownFile(const std::string& path, const std::string& workDirectory);

}  // namespace habitopia
