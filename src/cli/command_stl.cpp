// habitopia-cli stl FILE.mor -o OUT.stl: the ASCII STL of a model (and of its twin).

#include <iostream>

#include "cli/commands.h"
#include "cli/scene_model.h"
#include "scene/scene_files.h"
#include "scene/stl.h"

namespace habitopia::cli {

int RunStl(const Arguments& args) {
  OutputArguments a;
  std::string error;
  auto fail = [](const std::string& message) {
    std::cerr << "habitopia-cli: " << message << "\n";
    return 2;
  };
  if (!ParseOutputArguments(args, {}, a, error)) return fail(error);
  BuiltModel built;
  if (!LoadAndBuild(a.input, built, error)) return fail(error);
  const SceneGeometry geometry = BuildSceneGeometry(built.model, built.polyhedron, built.switches);
  const std::string text = StlText(StlName(a.output), built.polyhedron, geometry, built.switches.twin);
  const FileResult written = WriteFileAtomic(a.output, text);
  if (!written) return fail(written.message);
  if (!built.closed) {
    std::cerr << "habitopia-cli: the hull of " << a.input << " is not closed\n";
    return 1;
  }
  return 0;
}

}  // namespace habitopia::cli
