#include "cli/scene_model.h"

#include <algorithm>
#include <filesystem>

#include "cli/face_cleanup.h"
#include "files/model_reader.h"
#include "scene/document_switches.h"

namespace habitopia::cli {

bool LoadAndBuild(const std::string& path, BuiltModel& out, std::string& error) {
  if (!std::filesystem::exists(path)) {
    error = "File not Found: " + path;
    return false;
  }
  ModelReadResult read = ReadModelFile(path);
  if (!read.ok) {
    error = path + ": " + read.error;
    return false;
  }
  out.document = std::move(read.document);
  ApplyDocument(out.document, out.model);
  out.model.modelFileName = std::filesystem::absolute(path).string();
  CleanFaceTable(out.model);
  LimitFaceCount(out.model);
  out.model.twin = TwinSettingsFromDocument(out.document, out.model.matrices);
  out.switches = SceneSwitchesFromDocument(out.document);
  out.polyhedron = BuildPolyhedron(MakePolyhedronInput(out.model));
  out.model.polyhedron.distanceScale = out.polyhedron.distanceScale;
  const SceneGeometry geometry = BuildSceneGeometry(out.model, out.polyhedron, out.switches);
  out.closed = IsHullClosed(out.polyhedron, geometry.lists, out.model.cleavageFace);
  return true;
}

bool ParseOutputArguments(const std::vector<std::string>& args,
                          const std::vector<std::string>& allowedFlags, OutputArguments& out,
                          std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" || a == "--output") {
      if (i + 1 >= args.size()) {
        error = "-o needs a file name";
        return false;
      }
      out.output = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      if (std::find(allowedFlags.begin(), allowedFlags.end(), a) == allowedFlags.end()) {
        error = "unknown option " + a;
        return false;
      }
      out.flags.push_back(a);
    } else if (out.input.empty()) {
      out.input = a;
    } else {
      error = "more than one input file";
      return false;
    }
  }
  if (out.input.empty()) error = "no input file";
  else if (out.output.empty()) error = "no output file (-o OUT)";
  return error.empty();
}

}  // namespace habitopia::cli
