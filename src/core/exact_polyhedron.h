#pragma once
// The polyhedron as the exact intersection of the half-spaces n . x <= D |n|,
// the extended-real planes taken as given. Its corners are the true vertices
// (one per point where three or more planes meet), and a face is present when
// its plane carries a polygon of at least three corners.

#include "core/polyhedron.h"

namespace habitopia {

// Fills corners, present faces and polygons from `polyhedron.planes`. Returns
// false, leaving the polyhedron as it was, for inputs outside its reach: a
// cleavage face, a plane that does not keep the origin strictly inside, or
// numbers that are not finite.
bool BuildExactPolyhedron(const PolyhedronInput& input, Polyhedron& polyhedron);

}  // namespace habitopia
