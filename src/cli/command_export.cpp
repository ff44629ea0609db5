// habitopia-cli export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf: the crystal (and its
// twin) for 3D viewers, web pages and printers; the format follows the extension.

#include <optional>
#include <vector>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/scene_model.h"
#include "files/file_io.h"
#include "scene/export_mesh.h"
#include "scene/mesh_files.h"
#include "scene/scene_files.h"

namespace habitopia::cli {

namespace {
constexpr const char* kUsage = "usage: export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf";
}  // namespace

int RunExport(const Arguments& args) {
  InputOutput a;
  if (auto problem = ParseInputOutput(args, {}, kUsage, a)) return Fail(*problem);
  const std::optional<MeshFormat> format = MeshFormatFor(a.output);
  if (!format)
    return Fail("unknown export format \"" + LowerExtension(a.output) + "\" (" + kUsage + ")");

  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);
  const SceneGeometry geometry = BuildSceneGeometry(built.model, built.polyhedron, built.switches);
  const ExportMesh mesh =
      BuildExportMesh(built.polyhedron, geometry, built.model.display, built.switches.twin);
  if (mesh.bodies.empty() || mesh.bodies.front().polygons.empty())
    return Fail("the model has no faces to export: " + a.input);

  const std::vector<MeshFile> files = MeshFiles(mesh, *format, a.output, FileStem(a.input));
  // The file named on the command line comes last, through the common ending.
  for (std::size_t i = 0; i + 1 < files.size(); ++i) {
    const FileResult written = WriteFileAtomic(files[i].path, files[i].bytes);
    if (!written) return Fail(written.message);
  }
  return WriteBuiltOutput(a, files.back().bytes, built);
}

}  // namespace habitopia::cli
