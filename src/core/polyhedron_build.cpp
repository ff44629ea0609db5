#include "core/corner_search.h"
#include "core/exact_polyhedron.h"
#include "core/polyhedron.h"
#include "core/precondition.h"

namespace habitopia {

Polyhedron BuildPolyhedron(const PolyhedronInput& input, const BuildOptions& options) {
  ExpectBuildableInput(input);
  Polyhedron polyhedron;
  polyhedron.distanceScale = ComputeDistanceScale(input);
  polyhedron.mergeScale = ComputeMergeScale(input, polyhedron.distanceScale);
  polyhedron.planes = ComputeFacePlanes(input, polyhedron.distanceScale);
  const int last = polyhedron.FaceCount() - 1;
  if (input.cleavageFace < 0 && last >= 0 && options.progress && !options.progress(0, last)) {
    polyhedron.complete = false;
    BuildFacePolygons(input, polyhedron);
    return polyhedron;
  }
  if (BuildExactPolyhedron(input, polyhedron)) {
    if (last >= 0 && options.progress) options.progress(last, last);
    return polyhedron;
  }
  polyhedron.complete =
      SearchCorners(polyhedron.planes, input.cleavageFace, options.progress, polyhedron.corners);
  BuildFacePolygons(input, polyhedron);
  return polyhedron;
}

}  // namespace habitopia
