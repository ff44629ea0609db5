#include "core/decimal_digits.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace habitopia {

namespace {

using Wide = unsigned __int128;

constexpr int kLargestPowerOfFive = 27;  // 5^27 < 2^63

Wide PowerOfTen(int n) {
  Wide p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

int BitLength(Wide x) {
  const auto high = static_cast<unsigned long long>(x >> 64);
  const auto low = static_cast<unsigned long long>(x);
  if (high != 0) return 128 - __builtin_clzll(high);
  return low == 0 ? 0 : 64 - __builtin_clzll(low);
}

// Multiplies by 2^shift the numerator (shift >= 0) or the denominator; false
// when that would overflow.
bool ScaleByPowerOfTwo(Wide& numerator, Wide& denominator, int shift) {
  Wide& target = shift >= 0 ? numerator : denominator;
  const int bits = shift >= 0 ? shift : -shift;
  if (BitLength(target) + bits > 127) return false;
  target <<= bits;
  return true;
}

// round(m * 2^e * 10^k), ties to even, for |k| <= 27; false when it would not
// fit 128 bits.
bool ScaledRounded(unsigned long long m, int e, int k, Wide& q) {
  Wide numerator = m, five = 1;
  for (int i = 0; i < (k < 0 ? -k : k); ++i) five *= 5;
  const int shift = e + k;
  if (k >= 0) {
    numerator *= five;  // below 2^127
    if (shift >= 0) {
      if (BitLength(numerator) + shift > 127) return false;
      q = numerator << shift;
      return true;
    }
    // A power-of-two denominator: the rest is the bits shifted out.
    const int right = -shift;
    if (right > 127) return false;
    q = numerator >> right;
    const Wide rest = numerator - (q << right);
    const Wide half = static_cast<Wide>(1) << (right - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    return true;
  }
  Wide denominator = five;
  if (!ScaleByPowerOfTwo(numerator, denominator, shift)) return false;
  q = numerator / denominator;
  const Wide rest = numerator - q * denominator;
  const Wide twice = rest << 1;  // rest < denominator < 2^127
  if (twice > denominator || (twice == denominator && (q & 1) != 0)) ++q;
  return true;
}

}  // namespace

bool ExactDecimalDigits(long double v, int digitCount, DecimalDigits& out) {
  static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended precision expected");
  if (digitCount < 1 || digitCount > 21 || !std::isfinite(v) || v == 0) return false;
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &v, sizeof(long double));
  unsigned long long m = 0;
  unsigned short top = 0;
  std::memcpy(&m, bytes, 8);
  std::memcpy(&top, bytes + 8, 2);
  const int biased = top & 0x7fff;
  if (biased == 0 || (m >> 63) == 0) return false;  // subnormal or not normalised
  const int e = biased - 16383 - 63;                // |v| = m * 2^e, 2^63 <= m < 2^64

  // |v| lies in [2^(e+63), 2^(e+64)): its decimal exponent is this estimate or
  // one more.
  int exponent = static_cast<int>(std::floor((e + 63) * 0.30102999566398119521L));
  const Wide lowest = PowerOfTen(digitCount - 1), beyond = PowerOfTen(digitCount);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = digitCount - 1 - exponent;
    if (k < -kLargestPowerOfFive || k > kLargestPowerOfFive) return false;
    Wide q = 0;
    if (!ScaledRounded(m, e, k, q)) return false;
    if (q >= beyond) {
      ++exponent;
      continue;
    }
    if (q < lowest) {
      --exponent;
      continue;
    }
    int i = digitCount - 1;
    for (; q > ~0ULL; --i) {
      out.digits[i] = static_cast<char>('0' + static_cast<int>(q % 10));
      q /= 10;
    }
    for (auto small = static_cast<unsigned long long>(q); i >= 0; --i) {
      out.digits[i] = static_cast<char>('0' + static_cast<int>(small % 10));
      small /= 10;
    }
    out.digits[digitCount] = '\0';
    out.exponent = exponent;
    out.negative = (top & 0x8000) != 0;
    return true;
  }
  return false;
}

}  // namespace habitopia
