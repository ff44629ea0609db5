#pragma once
// Writes a ModelDocument as a Release 1.5 model file.

#include <string>

#include "files/model_document.h"

namespace habitopia {

struct ModelWriteOptions {
  char decimalSeparator = '.';  // of the label font size only; every other number uses '.'
};

// The whole file text, lines ending in CR LF.
std::string FormatModelText(const ModelDocument& document, const ModelWriteOptions& options = {});

struct ModelWriteResult {
  bool ok = false;
  std::string error;  // one line when !ok
};

// Replaces `path` only once the whole text is written; a failed save leaves any
// previous file as it was and is reported.
ModelWriteResult WriteModelFile(const std::string& path, const ModelDocument& document,
                                const ModelWriteOptions& options = {});

}  // namespace habitopia
