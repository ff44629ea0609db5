#pragma once
// The twin (second individual) as the drawings show it: the orthogonal part of
// the twin operation, which carries the crystal's face normals to the twin's,
// and the colour its faces are drawn in.

#include <array>
#include <optional>

#include "core/matrix.h"
#include "core/model.h"
#include "scene/scene_writer.h"

namespace habitopia {

// The matrix of the mirror in the contact face, the rotation about the twin axis
// or the inversion of the twin that `geometry` holds; nothing without a twin.
std::optional<Matrix3> TwinTurn(const CrystalModel& model, const SceneGeometry& geometry,
                                TwinChoice twin);

// A twin face's colour: the crystal's colour for that face turned halfway to amber.
std::array<int, 3> TwinColour(const std::array<int, 3>& rgb);

}  // namespace habitopia
