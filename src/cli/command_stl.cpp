// habitopia-cli stl FILE.mor -o OUT.stl: the ASCII STL of a model (and of its twin).

#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/scene_model.h"
#include "scene/scene_files.h"
#include "scene/stl.h"

namespace habitopia::cli {

int RunStl(const Arguments& args) {
  InputOutput a;
  if (auto problem = ParseInputOutput(args, {}, "usage: stl FILE.mor -o OUT.stl", a))
    return Fail(*problem);
  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);
  const SceneGeometry geometry = BuildSceneGeometry(built.model, built.polyhedron, built.switches);
  const std::string text =
      StlText(StlName(a.output), built.polyhedron, geometry, built.switches.twin);
  return WriteBuiltOutput(a, text, built);
}

}  // namespace habitopia::cli
