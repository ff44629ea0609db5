#pragma once
// The volume of the intersection of the faces' half-spaces, computed directly:
// no index offsets, no merging of nearby corners.

#include <vector>

#include "core/cell.h"
#include "core/face.h"

namespace habitopia::test {

Real ExactHalfSpaceVolume(const std::vector<FaceRecord>& faces, const UnitCell& cell);

}  // namespace habitopia::test
