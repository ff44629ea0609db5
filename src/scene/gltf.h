#pragma once
// Binary glTF 2.0 (.glb) of an export mesh: one node and mesh per body, one
// primitive per material, flat normals (every face has its own vertices). glTF
// lengths are metres and its up axis is +Y: positions are the mesh's millimetres
// divided by 1000 and turned as the VRML scene turns them (c along +Y).

#include <string>

#include "scene/export_mesh.h"

namespace habitopia {

std::string GlbBytes(const ExportMesh& mesh, const std::string& title);

}  // namespace habitopia
