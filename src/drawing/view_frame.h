#pragma once
// A viewing frame for drawings of the crystal: the direction towards the viewer,
// the page's up and right directions (Cartesian frame of the cell), and parallel or
// perspective projection onto the page.

#include <array>
#include <optional>

#include "core/cell.h"
#include "core/matrix.h"

namespace habitopia {

using Point2 = std::array<Real, 2>;

struct ViewFrame {
  Vec3 toward{0, 0, 1};  // unit, from the crystal towards the viewer
  Vec3 up{-1, 0, 0};     // unit, perpendicular to toward
  Vec3 right{0, 1, 0};   // up x toward
  // Distance of the eye from the centre in scaled units; parallel projection when empty.
  std::optional<Real> eyeDistance;
};

// The frame looking from `toward` (need not be unit). The page's up is the c axis
// (+z) as far as it can be; looking along c, it is -x (a towards the bottom of the
// page, b to the right, as stereograms are laid out). Nothing for the zero vector.
std::optional<ViewFrame> MakeViewFrame(const Vec3& toward);

// The classic clinographic direction for crystal drawings: turned 18.43 degrees
// (tan = 1/3) from the a-axis side towards b and raised 9.46 degrees (tan = 1/6).
Vec3 ClinographicDirection();

// The camera of the VRML scene's viewpoint: the eye on the -x side of the crystal
// (the scene looks along the crystal's +x) at `viewDistance`, c up.
ViewFrame SceneCameraFrame(Real viewDistance);

// Page position of a point (up is +y) and its depth along toward (larger is nearer).
Point2 ProjectPoint(const ViewFrame& frame, const Vec3& p);
Real Depth(const ViewFrame& frame, const Vec3& p);

// Direction from point p towards the viewer (unit).
Vec3 TowardViewer(const ViewFrame& frame, const Vec3& p);

// Cartesian direction of the plane normal (h k l) and of the lattice direction [u v w].
Vec3 FaceNormalDirection(const CellMatrices& cell, const Vec3& hkl);
Vec3 LatticeDirection(const CellMatrices& cell, const Vec3& uvw);

}  // namespace habitopia
