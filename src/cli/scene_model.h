#pragma once
// A model file read and built as the calculation builds it, ready for the scene
// writer and the STL export.

#include <string>

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
};

// Reads the model, cleans its face table, applies its twin and builds the
// polyhedron. Returns false with a one-line message when the file cannot be read.
bool LoadAndBuild(const std::string& path, BuiltModel& out, std::string& error);

// Splits "INPUT -o OUTPUT [flags]"; unknown options are an error.
struct OutputArguments {
  std::string input;
  std::string output;
  std::vector<std::string> flags;
};
bool ParseOutputArguments(const std::vector<std::string>& args,
                          const std::vector<std::string>& allowedFlags, OutputArguments& out,
                          std::string& error);

}  // namespace habitopia::cli
