#pragma once
// Growth sectors projected onto the cleavage plane.

#include "core/polyhedron.h"

namespace habitopia {

// Replaces the flattened polygon entries of every present face drawn in its own
// colour by their central projection (from the crystal's centre) onto the cleavage
// plane. Entries on the centre's side of the plane take the position of the entry
// before them; entries of a face before its first entry on or beyond the plane take
// that entry's projected position. Needs a cleavage face with a plane.
void ProjectGrowthSectors(FlatCorners& flat, const Polyhedron& polyhedron, int cleavageFace,
                          Real cleavageDistance);

}  // namespace habitopia
