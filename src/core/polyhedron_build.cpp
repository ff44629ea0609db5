#include "core/corner_search.h"
#include "core/polyhedron.h"
#include "core/precondition.h"

namespace habitopia {

Polyhedron BuildPolyhedron(const PolyhedronInput& input, const BuildOptions& options) {
  ExpectBuildableInput(input);
  Polyhedron polyhedron;
  polyhedron.distanceScale = ComputeDistanceScale(input);
  polyhedron.mergeScale = ComputeMergeScale(input, polyhedron.distanceScale);
  polyhedron.planes = ComputeFacePlanes(input, polyhedron.distanceScale);
  polyhedron.complete =
      SearchCorners(polyhedron.planes, input.cleavageFace, options.progress, polyhedron.corners);
  BuildFacePolygons(input, polyhedron);
  return polyhedron;
}

}  // namespace habitopia
