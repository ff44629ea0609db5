#include "cli/scene_model.h"

#include <filesystem>
#include <iostream>

#include "cli/cli_model_io.h"
#include "core/face_table.h"
#include "core/open_direction.h"
#include "scene/document_switches.h"
#include "scene/scene_files.h"

namespace habitopia::cli {

namespace {

// The face table prepared as a calculation prepares it, the twin applied and the
// polyhedron built.
void BuildLoaded(const std::string& modelFileName, BuiltModel& out) {
  out.model.modelFileName = modelFileName;
  PrepareFaceTableReporting(out.model);
  out.model.twin = TwinSettingsFromDocument(out.document, out.model.matrices);
  out.switches = SceneSwitchesFromDocument(out.document);
  out.polyhedron = BuildPolyhedron(MakePolyhedronInput(out.model));
  out.model.polyhedron.distanceScale = out.polyhedron.distanceScale;
  const SceneGeometry geometry = BuildSceneGeometry(out.model, out.polyhedron, out.switches);
  out.closed = IsHullClosed(out.polyhedron, geometry.lists, out.model.cleavageFace);
  out.openDirection = OpenDirectionMessage(out.polyhedron, out.model.matrices);
}

}  // namespace

std::optional<std::string> LoadAndBuild(const std::string& path, BuiltModel& out) {
  if (auto problem = LoadModel(path, out.document, out.model)) return problem;
  BuildLoaded(std::filesystem::absolute(path).string(), out);
  return std::nullopt;
}

void BuildDocument(const ModelDocument& document, const std::string& modelFileName,
                   BuiltModel& out) {
  out.document = document;
  ApplyModelDocument(out.document, out.model);
  BuildLoaded(modelFileName, out);
}

int WriteBuiltOutput(const InputOutput& arguments, const std::string& text,
                     const BuiltModel& built) {
  const FileResult written = WriteFileAtomic(arguments.output, text);
  if (!written) return Fail(written.message);
  if (!built.closed) {
    std::cerr << "habitopia-cli: the hull of " << arguments.input << " is not closed";
    if (!built.openDirection.empty()) std::cerr << ": " << built.openDirection;
    std::cerr << "\n";
    return 1;
  }
  return 0;
}

}  // namespace habitopia::cli
