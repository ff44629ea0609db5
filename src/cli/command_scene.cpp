// habitopia-cli scene FILE.mor -o OUT.wrl [--wrz] [--embed]: writes the VRML scene of
// a model with the display settings and switches stored in the model file.

#include <filesystem>
#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/scene_model.h"
#include "scene/embedded_model.h"
#include "scene/scene_files.h"
#include "scene/scene_writer.h"

namespace habitopia::cli {

int RunScene(const Arguments& args) {
  InputOutput a;
  if (auto problem = ParseInputOutput(args, {"--wrz", "--embed"},
                                      "usage: scene FILE.mor -o OUT.wrl [--wrz] [--embed]", a))
    return Fail(*problem);
  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);

  std::string text =
      WriteScene(built.model, built.polyhedron, built.model.display, built.switches).text;
  if (a.Has("--embed")) text = SceneWithModel(text, built.document);
  if (a.Has("--wrz")) {
    std::string stored = std::filesystem::path(a.output).filename().string();
    const auto packed = GzipCompress(text, stored);
    if (!packed) return Fail("compression failed");
    text = *packed;
  }
  return WriteBuiltOutput(a, text, built);
}

}  // namespace habitopia::cli
