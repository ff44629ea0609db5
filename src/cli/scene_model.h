#pragma once
// A model file read and built as the calculation builds it, ready for the scene
// writer and the STL export.

#include <optional>
#include <string>

#include "cli/cli_model_io.h"
#include "core/model.h"
#include "core/polyhedron.h"
#include "files/model_document.h"
#include "scene/scene_writer.h"

namespace habitopia::cli {

struct BuiltModel {
  ModelDocument document;
  CrystalModel model;
  Polyhedron polyhedron;
  SceneSwitches switches;  // as stored in the model file
  bool closed = false;     // closed-hull criterion
  std::string openDirection;  // where an open face set is open, or empty
};

// Reads the model, prepares its face table as a calculation does, applies its
// twin and builds the polyhedron; the message when the file cannot be read.
std::optional<std::string> LoadAndBuild(const std::string& path, BuiltModel& out);
// The same for a model already read: `document` as if read from `modelFileName`.
void BuildDocument(const ModelDocument& document, const std::string& modelFileName,
                   BuiltModel& out);

// Writes `text` to the output file atomically; exit status 1 (after writing) when
// the model's hull is not closed, 2 when the file cannot be written.
int WriteBuiltOutput(const InputOutput& arguments, const std::string& text,
                     const BuiltModel& built);

}  // namespace habitopia::cli
