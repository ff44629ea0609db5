#pragma once
// The significant decimal digits of an extended real, correctly rounded (ties
// to even) as printf's "%.*Le" gives them, found with 128-bit integers instead
// of printf's multiple-precision arithmetic. Covers the magnitudes a model holds
// (at 17 digits about 1e-11 to 1e43); other values are left to printf.

namespace habitopia {

struct DecimalDigits {
  char digits[24] = {};  // digitCount digits, the first not 0
  int exponent = 0;      // the value is d.ddd... * 10^exponent
  bool negative = false;
};

// digitCount from 1 to 21. False for zero, values that are not finite,
// subnormal values and magnitudes outside the covered range.
bool ExactDecimalDigits(long double v, int digitCount, DecimalDigits& out);

}  // namespace habitopia
