#include "core/decimal_digits.h"

#include <array>
#include <cmath>

#include "core/extended_bits.h"

namespace habitopia {

namespace {

using Wide = unsigned __int128;

constexpr int kLargestPowerOfFive = 27;  // 5^27 < 2^63

constexpr auto kPowersOfFive = [] {
  std::array<unsigned long long, kLargestPowerOfFive + 1> p{};
  p[0] = 1;
  for (int i = 1; i <= kLargestPowerOfFive; ++i) p[i] = p[i - 1] * 5;
  return p;
}();

constexpr auto kPowersOfTen = [] {
  std::array<Wide, 22> p{};
  p[0] = 1;
  for (int i = 1; i < 22; ++i) p[i] = p[i - 1] * 10;
  return p;
}();

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
  Wide numerator = m;
  const Wide five = kPowersOfFive[k < 0 ? -k : k];
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
  if (digitCount < 1 || digitCount > 21 || !std::isfinite(v) || v == 0) return false;
  const ExtendedBits bits = SplitExtended(v);
  const unsigned long long m = bits.mantissa;
  if (bits.biasedExponent == 0 || (m >> 63) == 0) return false;  // subnormal or not normalised
  const int e = bits.Exponent();                                 // |v| = m * 2^e, 2^63 <= m < 2^64

  // |v| lies in [2^(e+63), 2^(e+64)): its decimal exponent is this estimate or
  // one more.
  // floor(x log10 2) as (x * 78913) >> 18, exact for |x| <= 2620; beyond that
  // the range check below refuses the value anyway.
  const int binary = e + 63;
  if (binary < -2620 || binary > 2620) return false;
  int exponent = (binary * 78913) >> 18;
  const Wide lowest = kPowersOfTen[digitCount - 1], beyond = kPowersOfTen[digitCount];
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
    auto small = static_cast<unsigned long long>(q);
    for (; i >= 1; i -= 2) {
      static constexpr char kPairs[] =
          "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
          "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
          "8081828384858687888990919293949596979899";
      const auto pair = static_cast<int>(small % 100);
      small /= 100;
      out.digits[i - 1] = kPairs[2 * pair];
      out.digits[i] = kPairs[2 * pair + 1];
    }
    if (i == 0) out.digits[0] = static_cast<char>('0' + static_cast<int>(small));
    out.digits[digitCount] = '\0';
    out.exponent = exponent;
    out.negative = bits.negative;
    return true;
  }
  return false;
}

}  // namespace habitopia
