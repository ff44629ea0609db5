#pragma once
// The convex body of a set of half-spaces, taken exactly as given (no offsets
// between the planes), for measuring a shape rather than drawing it: a large box
// is clipped by each plane in turn. A plane that cuts away nothing, or only
// touches the body along an edge or at a corner, gives no face.
//
// Precondition: the planes' distances are finite; planes with a zero normal are
// left out. The body is reported open when a side of the starting box survives;
// the box is 1e6 times the largest distance, so a crystal of aspect ratio up to
// about 1e5 still counts as closed.

#include <optional>
#include <span>
#include <vector>

#include "core/cell.h"

namespace habitopia {

struct HalfSpace {
  Vec3 normal{};    // outward, any length
  Real distance{};  // of the plane from the origin, along the normal
  int face = -1;    // the caller's number of the plane
};

struct ShapeFace {
  int face = -1;             // HalfSpace::face; -1 for a side of the starting box
  Vec3 normal{};             // outward unit normal
  std::vector<int> corners;  // counter-clockwise seen from outside
  Real area = 0;
};

struct HalfSpaceShape {
  std::vector<Vec3> corners;  // distinct corners
  std::vector<ShapeFace> faces;
  int edges = 0;
  Real surface = 0;
  Real volume = 0;
  bool closed = false;
  // When open: a Cartesian unit vector along which the body reaches the box.
  std::optional<Vec3> openDirection;
};

HalfSpaceShape IntersectHalfSpaces(std::span<const HalfSpace> planes);

}  // namespace habitopia
