#pragma once
// The files a mesh export writes, by format: one .glb or .3mf file, or an .obj
// file with its material library (.mtl) beside it.

#include <optional>
#include <string>
#include <vector>

#include "scene/export_mesh.h"

namespace habitopia {

enum class MeshFormat { Gltf, Obj, ThreeMf };

// By the output's extension (".glb", ".obj", ".3mf", compared without regard to
// case); nothing for any other.
std::optional<MeshFormat> MeshFormatFor(const std::string& outputPath);

struct MeshFile {
  std::string path;
  std::string bytes;
};

// The files for `outputPath`, the one named by the path last; `title` names the
// model inside them.
std::vector<MeshFile> MeshFiles(const ExportMesh& mesh, MeshFormat format,
                                const std::string& outputPath, const std::string& title);

}  // namespace habitopia
