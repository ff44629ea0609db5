#pragma once
// Which plane pairs and triples the corner search must solve, proved from a
// double-precision sketch of the crystal.

#include <cstdint>
#include <vector>

#include "core/polyhedron.h"

namespace habitopia {

struct CornerFilter {
  bool active = false;  // false: every pair must be searched
  int count = 0;
  // count x count bits: the pair may carry a corner (read only for listed partners).
  std::vector<std::uint64_t> admitted;
  // Per plane: the planes it may share a corner with, ascending.
  std::vector<std::vector<int>> partners;
  // Per plane: the faces the inside test must weigh for a point solved on this
  // plane (ascending); empty when every face must be weighed.
  std::vector<std::vector<int>> testFaces;
  Real reach = 0;  // every point that passes the inside test lies this close to the origin

  bool Admitted(int i, int j) const {
    const std::size_t bit = static_cast<std::size_t>(i) * count + j;
    return (admitted[bit / 64] >> (bit % 64)) & 1;
  }
};

CornerFilter MakeCornerFilter(const std::vector<FacePlane>& planes, int cleavageFace);

}  // namespace habitopia
