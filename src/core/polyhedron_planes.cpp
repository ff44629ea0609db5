#include <algorithm>
#include <cmath>

#include "core/polyhedron.h"
#include "core/precondition.h"

namespace habitopia {

void ExpectBuildableInput(const PolyhedronInput& input) {
  HABITOPIA_EXPECTS(input.faces.size() <= static_cast<std::size_t>(kFaceSlots));
  HABITOPIA_EXPECTS(input.cleavageFace >= -1 &&
                    input.cleavageFace < static_cast<int>(input.faces.size()));
  HABITOPIA_EXPECTS(input.cleavageFace < 0 || std::isfinite(input.previousDistanceScale));
  for ([[maybe_unused]] const FaceRecord& face : input.faces)
    HABITOPIA_EXPECTS(std::isfinite(face.h) && std::isfinite(face.k) && std::isfinite(face.l) &&
                      std::isfinite(face.distance));
}

Real ComputeDistanceScale(const PolyhedronInput& input) {
  if (input.cleavageFace >= 0) return input.previousDistanceScale;
  Real sum = 0;
  for (const FaceRecord& face : input.faces) sum += face.distance;
  return sum / static_cast<Real>(input.faces.size());
}

Real ComputeMergeScale(const PolyhedronInput& input, Real distanceScale) {
  Real nearest = kThinFaceDistance;
  for (std::size_t f = 0; f < input.faces.size(); ++f) {
    const FaceRecord& face = input.faces[f];
    if (static_cast<int>(f) == input.cleavageFace || !(face.distance > 0)) continue;
    if (face.h == 0 && face.k == 0 && face.l == 0) continue;
    nearest = std::min(nearest, face.distance / distanceScale);
  }
  return nearest < kThinFaceDistance ? nearest / kThinFaceDistance : 1;
}

std::vector<FacePlane> ComputeFacePlanes(const PolyhedronInput& input, Real distanceScale) {
  ExpectBuildableInput(input);
  std::vector<FacePlane> planes(input.faces.size());
  for (std::size_t f = 0; f < planes.size(); ++f) {
    const FaceRecord& face = input.faces[f];
    planes[f].normal = HklToCartesian(input.cell, face.Indices());
    planes[f].offset = face.distance / distanceScale + static_cast<Real>(f) * kPlaneOffsetStep;
  }
  return planes;
}

Real SolveCorner(const FacePlane& a, const FacePlane& b, const FacePlane& c, Vec3& x) {
  const Matrix3 m{a.normal, b.normal, c.normal};
  const Vec3 rhs{a.offset * Norm(a.normal), b.offset * Norm(b.normal), c.offset * Norm(c.normal)};
  return SolveSystem(m, x, rhs);
}

}  // namespace habitopia
