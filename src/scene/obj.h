#pragma once
// Wavefront OBJ with its MTL material library: one object per body, one polygon
// per crystal face with its flat normal, one material per face colour. Lengths in
// millimetres, Cartesian frame of the cell (c along +z).

#include <string>

#include "scene/export_mesh.h"

namespace habitopia {

struct ObjFiles {
  std::string obj;
  std::string mtl;
};

// `mtlName` is the material library's file name as the OBJ refers to it.
ObjFiles ObjText(const ExportMesh& mesh, const std::string& title, const std::string& mtlName);

}  // namespace habitopia
