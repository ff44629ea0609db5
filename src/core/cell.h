#pragma once
// The unit cell and the Cartesian frame fixed to it: c along +z, a in the x-z plane.

#include <array>

#include "core/matrix.h"

namespace habitopia {

struct UnitCell {
  Real a = 1, b = 1, c = 1;                // lengths (the model keeps them divided by their mean)
  Real alpha = 90, beta = 90, gamma = 90;  // degrees
  bool operator==(const UnitCell&) const = default;
};

struct CellMatrices {
  Matrix3 reciprocal = Identity3();         // columns a*, b*, c*
  Matrix3 inverseReciprocal = Identity3();  // rows a, b, c
  Matrix3 direct = Identity3();             // columns a, b, c
};

inline constexpr Real kDegreesToRadians = 0.017453292519943295769L;

CellMatrices BuildCellMatrices(const UnitCell& cell);

// Cartesian reciprocal-lattice vector of the plane (h k l): normal to it, length 1/d.
Vec3 HklToCartesian(const CellMatrices& m, const Vec3& hkl);
// The (generally non-integer) h, k, l of the plane normal to a Cartesian vector.
Vec3 CartesianToHkl(const CellMatrices& m, const Vec3& x);
// u a + v b + w c in Cartesian components.
Vec3 UvwToCartesian(const CellMatrices& m, const Vec3& uvw);
// 1/d(hkl), the length of the reciprocal-lattice vector.
Real d_value(const CellMatrices& m, const Vec3& hkl);

// Rotation (axis x, y, z and angle) turning the scene's +Y onto the scene image
// of a Cartesian direction. The axis is not normalised.
std::array<Real, 4> DirectionToOrientation(const Vec3& direction);

// A Cartesian point as the scene writes it: (-y, z, -x).
Vec3 ToSceneAxes(const Vec3& p);

}  // namespace habitopia
