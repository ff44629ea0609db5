#include "drawing/view_frame.h"

#include <cmath>

namespace habitopia {

namespace {

constexpr Real kParallelToC = 1e-9L;

Vec3 Unit(const Vec3& v) {
  const Real n = Norm(v);
  return n > 0 ? ScaleVec(v, 1 / n) : v;
}

}  // namespace

std::optional<ViewFrame> MakeViewFrame(const Vec3& toward) {
  const Real length = Norm(toward);
  if (!(length > 0)) return std::nullopt;
  ViewFrame frame;
  frame.toward = ScaleVec(toward, 1 / length);
  const Vec3 c{0, 0, 1};
  const Vec3 upFromC = SubVec(c, ScaleVec(frame.toward, Dot(c, frame.toward)));
  if (Norm(upFromC) > kParallelToC) {
    frame.up = Unit(upFromC);
  } else {
    const Vec3 minusX{-1, 0, 0};
    frame.up = Unit(SubVec(minusX, ScaleVec(frame.toward, Dot(minusX, frame.toward))));
  }
  frame.right = Cross(frame.up, frame.toward);
  return frame;
}

Vec3 ClinographicDirection() { return Unit({1, 1.0L / 3, std::sqrt(10.0L) / 18}); }

ViewFrame SceneCameraFrame(Real viewDistance) {
  ViewFrame frame = *MakeViewFrame({-1, 0, 0});
  frame.eyeDistance = viewDistance;
  return frame;
}

Real Depth(const ViewFrame& frame, const Vec3& p) { return Dot(p, frame.toward); }

Point2 ProjectPoint(const ViewFrame& frame, const Vec3& p) {
  Real x = Dot(p, frame.right);
  Real y = Dot(p, frame.up);
  if (frame.eyeDistance) {
    const Real factor = *frame.eyeDistance / (*frame.eyeDistance - Depth(frame, p));
    x *= factor;
    y *= factor;
  }
  return {x, y};
}

Vec3 TowardViewer(const ViewFrame& frame, const Vec3& p) {
  if (!frame.eyeDistance) return frame.toward;
  return Unit(SubVec(ScaleVec(frame.toward, *frame.eyeDistance), p));
}

Vec3 FaceNormalDirection(const CellMatrices& cell, const Vec3& hkl) {
  return Unit(HklToCartesian(cell, hkl));
}

Vec3 LatticeDirection(const CellMatrices& cell, const Vec3& uvw) {
  return Unit(UvwToCartesian(cell, uvw));
}

}  // namespace habitopia
