#pragma once
// The fields of an x87 extended real: a 64-bit mantissa with its leading bit
// explicit, a 15-bit biased exponent and the sign.

#include <cstring>
#include <limits>

namespace habitopia {

static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended precision expected");

struct ExtendedBits {
  unsigned long long mantissa = 0;
  int biasedExponent = 0;  // 0 for zero and subnormals, 0x7fff for infinities and NaNs
  bool negative = false;
  // |x| = mantissa * 2^Exponent(); subnormals share the smallest normal exponent.
  int Exponent() const { return (biasedExponent == 0 ? 1 : biasedExponent) - 16383 - 63; }
};

inline ExtendedBits SplitExtended(long double x) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &x, sizeof(long double));
  ExtendedBits bits;
  std::memcpy(&bits.mantissa, bytes, 8);
  unsigned short top = 0;
  std::memcpy(&top, bytes + 8, 2);
  bits.biasedExponent = top & 0x7fff;
  bits.negative = (top & 0x8000) != 0;
  return bits;
}

}  // namespace habitopia
