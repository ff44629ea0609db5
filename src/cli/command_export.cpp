// habitopia-cli export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf|OUT.html: the crystal
// (and its twin) for 3D viewers, web pages and printers; the format follows the
// extension. The web page carries the model's scene and X_ITE to show it.

#include <filesystem>
#include <optional>
#include <vector>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/scene_model.h"
#include "files/file_io.h"
#include "scene/export_mesh.h"
#include "scene/mesh_files.h"
#include "scene/scene_files.h"
#include "scene/web_page.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

namespace {
constexpr const char* kUsage = "usage: export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf|OUT.html";

std::string ProgramDirectory() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.parent_path().string();
}

int RunWebPage(const InputOutput& a) {
  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);
  if (built.polyhedron.PresentFaceCount() == 0)
    return Fail("the model has no faces to export: " + a.input);
  const auto folder = FindWebViewerFolder(ProgramDirectory());
  const auto viewer = folder ? LoadWebViewerFiles(*folder) : std::nullopt;
  if (!viewer) return Fail(kWebViewerMissing);
  const SceneOutput scene =
      WriteScene(built.model, built.polyhedron, built.model.display, built.switches);
  WebPageFacts facts;
  facts.title = FileStem(a.input);
  if (built.model.pointGroup >= 1 && built.model.pointGroup <= kPointGroupCount)
    facts.pointGroupSymbol = std::string(GetPointGroup(built.model.pointGroup).symbol);
  return WriteBuiltOutput(a, WriteWebPage(built.model, built.polyhedron, scene, facts, *viewer),
                          built);
}

}  // namespace

int RunExport(const Arguments& args) {
  InputOutput a;
  if (auto problem = ParseInputOutput(args, {}, kUsage, a)) return Fail(*problem);
  if (LowerExtension(a.output) == ".html" || LowerExtension(a.output) == ".htm")
    return RunWebPage(a);
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
