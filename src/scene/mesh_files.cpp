#include "scene/mesh_files.h"

#include <filesystem>

#include "files/file_io.h"
#include "scene/gltf.h"
#include "scene/obj.h"
#include "scene/threemf.h"

namespace habitopia {

std::optional<MeshFormat> MeshFormatFor(const std::string& outputPath) {
  const std::string extension = LowerExtension(outputPath);
  if (extension == ".glb") return MeshFormat::Gltf;
  if (extension == ".obj") return MeshFormat::Obj;
  if (extension == ".3mf") return MeshFormat::ThreeMf;
  return std::nullopt;
}

std::vector<MeshFile> MeshFiles(const ExportMesh& mesh, MeshFormat format,
                                const std::string& outputPath, const std::string& title) {
  switch (format) {
    case MeshFormat::Gltf: return {{outputPath, GlbBytes(mesh, title)}};
    case MeshFormat::ThreeMf: return {{outputPath, ThreeMfPackage(mesh, title)}};
    case MeshFormat::Obj: break;
  }
  const std::string mtlPath = std::filesystem::path(outputPath).replace_extension(".mtl").string();
  ObjFiles files = ObjText(mesh, title, std::filesystem::path(mtlPath).filename().string());
  return {{mtlPath, std::move(files.mtl)}, {outputPath, std::move(files.obj)}};
}

}  // namespace habitopia
