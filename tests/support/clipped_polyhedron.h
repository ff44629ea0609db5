#pragma once
// An independent half-space intersection for differential tests: each face's
// polygon is a large square in its plane clipped by every other half-space, in
// extended precision. No hull, no shared code with the builder beyond the planes.

#include <vector>

#include "core/polyhedron.h"

namespace habitopia::test {

struct ClippedPolyhedron {
  bool bounded = true;         // no polygon reaches the starting square's edge
  std::vector<Real> faceArea;  // per face-table index, model units squared
  Real surface = 0;
  Real volume = 0;  // sum of area * d / 3, d the central distance without offset
};

// The planes of the builder: n . x <= D |n| with D including the index offset.
ClippedPolyhedron ClipHalfSpaces(const PolyhedronInput& input);

}  // namespace habitopia::test
