#pragma once
// ASCII STL of the crystal shown in the scene (and of its twin), scaled so that the
// farthest corner lies 25 units from the centre.

#include <string>

#include "core/polyhedron.h"
#include "scene/scene_writer.h"

namespace habitopia {

inline constexpr Real kStlRadius = 25;

// Scale factor: 25 / the largest distance from the centre of a corner listed by a
// present face other than the cleavage face (0 when there is none).
Real StlScale(const Polyhedron& polyhedron, const SceneGeometry& geometry);

// The whole file text. `name` is the file's name without folder and extension.
// The crystal's facets come from the scene's corners and index lists; a twin shown
// in the scene adds its facets (a contact twin leaves out both contact faces).
std::string StlText(const std::string& name, const Polyhedron& polyhedron,
                    const SceneGeometry& geometry, TwinChoice twin);

// The name line's name for a target path: file name without folder and extension.
std::string StlName(const std::string& path);

}  // namespace habitopia
