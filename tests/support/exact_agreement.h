#pragma once
// The builder's figures held against the clipped half-space intersection.

#include <string>

#include "core/polyhedron.h"

namespace habitopia::test {

struct Agreement {
  bool bounded = false;     // both say the crystal is bounded
  Real volumeError = 0;     // relative
  Real worstFaceError = 0;  // relative to the face's own area (faces above the floor)
};

// Checks (with gtest) volume and every face area within `relative` of the
// clipped intersection; areas below `floor` times the surface only absolutely.
Agreement ExpectExactAgreement(const PolyhedronInput& input, const std::string& what,
                               Real relative = 1e-9L, Real floor = 1e-12L);

}  // namespace habitopia::test
