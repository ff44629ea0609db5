#pragma once
// Bit-for-bit comparison of two built polyhedra (NaN equals NaN, -0 differs from 0).

#include <gtest/gtest.h>

#include "core/polyhedron.h"

namespace habitopia::test {

bool SameBits(Real a, Real b);
bool SameBits(const Vec3& a, const Vec3& b);
::testing::AssertionResult IdenticalPolyhedra(const Polyhedron& fast, const Polyhedron& reference);

}  // namespace habitopia::test
