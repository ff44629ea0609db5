#pragma once
// The corner search of the polyhedron builder.

#include <functional>
#include <vector>

#include "core/polyhedron.h"

namespace habitopia {

// Appends, in lexicographic order of the plane triples (i < j < k), every solved
// triple point that violates no face (other than the cleavage face) by a sum of
// 1e-14 or more. Returns false when `progress` asked to stop.
//
// The result is that of solving and testing every triple. Work is skipped only
// where the outcome cannot change: a pair of planes whose common line misses the
// crystal by a clear margin cannot yield a corner with any third plane, and along
// a line that meets it only the planes cutting the line near its ends can.
bool SearchCorners(const std::vector<FacePlane>& planes, int cleavageFace,
                   const std::function<bool(int, int)>& progress,
                   std::vector<CornerRecord>& corners);

}  // namespace habitopia
