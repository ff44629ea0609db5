// habitopia-cli scene FILE.mor -o OUT.wrl [--wrz] [--embed]: writes the VRML scene of
// a model with the display settings and switches stored in the model file.

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "cli/commands.h"
#include "cli/scene_model.h"
#include "scene/embedded_model.h"
#include "scene/scene_files.h"
#include "scene/scene_writer.h"

namespace habitopia::cli {

namespace {
int Fail(const std::string& message) {
  std::cerr << "habitopia-cli: " << message << "\n";
  return 2;
}
bool Has(const OutputArguments& a, const char* flag) {
  return std::find(a.flags.begin(), a.flags.end(), flag) != a.flags.end();
}
}  // namespace

int RunScene(const Arguments& args) {
  OutputArguments a;
  std::string error;
  if (!ParseOutputArguments(args, {"--wrz", "--embed"}, a, error)) return Fail(error);
  BuiltModel built;
  if (!LoadAndBuild(a.input, built, error)) return Fail(error);

  std::string text = WriteScene(built.model, built.polyhedron, built.model.display,
                                built.switches).text;
  if (Has(a, "--embed")) text = SceneWithModel(text, built.document);
  if (Has(a, "--wrz")) {
    std::string stored = std::filesystem::path(a.output).filename().string();
    const auto packed = GzipCompress(text, stored);
    if (!packed) return Fail("compression failed");
    text = *packed;
  }
  const FileResult written = WriteFileAtomic(a.output, text);
  if (!written) return Fail(written.message);
  if (!built.closed) {
    std::cerr << "habitopia-cli: the hull of " << a.input << " is not closed\n";
    return 1;
  }
  return 0;
}

}  // namespace habitopia::cli
