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
  std::vector<std::uint8_t> admitted;  // count x count: the pair may carry a corner
  // Per pair: the pair's third planes worth solving are among these, ascending.
  std::vector<std::vector<int>> partners;
  // Per plane: the faces the inside test must weigh for a point solved on this
  // plane (ascending); empty when every face must be weighed.
  std::vector<std::vector<int>> testFaces;
  Real reach = 0;  // every point that passes the inside test lies this close to the origin

  bool Admitted(int i, int j) const { return admitted[static_cast<std::size_t>(i) * count + j] != 0; }
};

CornerFilter MakeCornerFilter(const std::vector<FacePlane>& planes, int cleavageFace);

}  // namespace habitopia
