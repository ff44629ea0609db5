#pragma once
// Exact signs of determinants whose entries are extended reals: every long
// double is a binary fraction, so the determinant of such numbers is an exact
// rational whose sign big-integer arithmetic decides.

#include <array>

#include "core/matrix.h"

namespace habitopia {

using Row4 = std::array<Real, 4>;

// Sign (-1, 0 or 1) of the determinant of the 4 x 4 matrix with these rows.
int ExactDeterminantSign(const Row4& a, const Row4& b, const Row4& c, const Row4& d);

}  // namespace habitopia
