#pragma once
// 3MF (core specification): an OPC package holding one model part with the
// crystal mesh in millimetres, its face colours as base materials, and a build
// item that sets the crystal on the build plate (its lowest point at z = 0).

#include <string>

#include "scene/export_mesh.h"

namespace habitopia {

inline constexpr const char* kThreeMfModelPath = "3D/3dmodel.model";

// The model part's XML.
std::string ThreeMfModelXml(const ExportMesh& mesh, const std::string& title);
// The whole package.
std::string ThreeMfPackage(const ExportMesh& mesh, const std::string& title);

}  // namespace habitopia
