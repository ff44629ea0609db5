#pragma once
// Reads model files of Releases 1.1, 1.2 and 1.5 into a ModelDocument.

#include <string>
#include <string_view>

#include "files/model_document.h"

namespace habitopia {

struct ModelReadOptions {
  // Undo snapshots (file names containing ".tmp.") name texture files without a
  // directory; they are placed in the directory of this model file when it is given.
  std::string previousModelFile;
};

struct ModelReadResult {
  bool ok = false;
  ModelDocument document;  // complete only when ok
  std::string error;       // one line, starting "line N: " when a line is at fault
  int errorLine = 0;       // 0 when no particular line is at fault
};

// `fileName` is the name the text was read from (it decides the snapshot rule above).
ModelReadResult ParseModelText(std::string_view text, std::string_view fileName = {},
                               const ModelReadOptions& options = {});
ModelReadResult ReadModelFile(const std::string& path, const ModelReadOptions& options = {});

}  // namespace habitopia
