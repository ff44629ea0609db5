#pragma once
// Where an open face set is open, in lattice terms.

#include <string>

#include "core/cell.h"
#include "core/polyhedron.h"

namespace habitopia {

// The lattice direction [u v w] of a Cartesian direction: small integers when a
// multiple up to 12 comes within 1e-6 of them, else three decimals.
std::string LatticeDirectionText(const CellMatrices& cell, const Vec3& direction);

// "no face bounds the crystal along [u v w]" for a polyhedron the exact
// construction found unbounded; empty otherwise.
std::string OpenDirectionMessage(const Polyhedron& polyhedron, const CellMatrices& cell);

}  // namespace habitopia
