// habitopia-cli export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf: the crystal (and its
// twin) for 3D viewers, web pages and printers; the format follows the extension.

#include <filesystem>
#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/scene_model.h"
#include "files/file_io.h"
#include "scene/export_mesh.h"
#include "scene/gltf.h"
#include "scene/obj.h"
#include "scene/scene_files.h"
#include "scene/threemf.h"

namespace habitopia::cli {

namespace {
constexpr const char* kUsage = "usage: export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf";
}  // namespace

int RunExport(const Arguments& args) {
  InputOutput a;
  if (auto problem = ParseInputOutput(args, {}, kUsage, a)) return Fail(*problem);
  const std::string extension = LowerExtension(a.output);
  if (extension != ".glb" && extension != ".obj" && extension != ".3mf")
    return Fail("unknown export format \"" + extension + "\" (" + kUsage + ")");

  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);
  const SceneGeometry geometry = BuildSceneGeometry(built.model, built.polyhedron, built.switches);
  const ExportMesh mesh =
      BuildExportMesh(built.polyhedron, geometry, built.model.display, built.switches.twin);
  if (mesh.bodies.empty() || mesh.bodies.front().polygons.empty())
    return Fail("the model has no faces to export: " + a.input);
  const std::string title = FileStem(a.input);

  if (extension == ".glb") return WriteBuiltOutput(a, GlbBytes(mesh, title), built);
  if (extension == ".3mf") return WriteBuiltOutput(a, ThreeMfPackage(mesh, title), built);

  const std::string mtlPath = std::filesystem::path(a.output).replace_extension(".mtl").string();
  const ObjFiles files = ObjText(mesh, title, std::filesystem::path(mtlPath).filename().string());
  const FileResult material = WriteFileAtomic(mtlPath, files.mtl);
  if (!material) return Fail(material.message);
  return WriteBuiltOutput(a, files.obj, built);
}

}  // namespace habitopia::cli
