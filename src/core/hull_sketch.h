#pragma once
// A quick double-precision sketch of the crystal: a large box cut by one face
// plane after another. It only guides the corner search, which proves every
// skip it makes on its own; a sketch that rounding has made wrong costs time,
// never a corner.

#include <array>
#include <vector>

namespace habitopia {

struct SketchPlane {
  std::array<double, 3> unit{};  // unit outward normal
  double offset = 0;             // distance of the plane from the origin
  bool cuts = false;             // takes part in the sketch
};

struct SketchVertex {
  std::array<double, 3> position{};
  std::array<int, 3> planes{};  // the planes meeting here; box planes count from the face count on
};

struct HullSketch {
  bool valid = false;                  // false when the planes leave nothing of the box
  std::vector<SketchVertex> vertices;  // only those listed in loops are alive
  std::vector<std::vector<int>>
      loops;          // per plane: its face's vertices, counter-clockwise from outside
  int faceCount = 0;  // planes 0..faceCount-1 are faces, the rest the box
  // Per plane that cut nothing: the planes of the vertex then furthest along
  // its normal (-1 when unknown).
  std::vector<std::array<int, 3>> furthest;

  bool IsBoxPlane(int plane) const { return plane >= faceCount; }
};

// Cuts a box of half-width `boxSize` by every plane marked `cuts`, in order. A
// plane whose cut the rounding makes inconsistent is left out.
HullSketch SketchHull(const std::vector<SketchPlane>& planes, double boxSize);

}  // namespace habitopia
