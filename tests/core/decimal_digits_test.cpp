// The fast decimal digits against glibc's printf, the reference for every
// number the program writes.

#include "core/decimal_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace habitopia {
namespace {

// printf's digits and exponent of "%.*Le", as DecimalDigits holds them.
std::string PrintfDigits(long double v, int digitCount, int& exponent) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*Le", digitCount - 1, std::fabs(v));
  std::string digits;
  const char* p = text;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  exponent = std::atoi(p + 1);
  return digits;
}

// Checks one value; returns whether the fast path took it.
bool AgreesWithPrintf(long double v, int digitCount) {
  DecimalDigits fast;
  if (!ExactDecimalDigits(v, digitCount, fast)) return false;
  int exponent = 0;
  const std::string expected = PrintfDigits(v, digitCount, exponent);
  EXPECT_EQ(std::string(fast.digits), expected)
      << "digits " << digitCount << " of " << static_cast<double>(v);
  EXPECT_EQ(fast.exponent, exponent) << static_cast<double>(v);
  EXPECT_EQ(fast.negative, v < 0);
  return true;
}

TEST(ExactDecimalDigits, AgreesWithPrintfOnRandomValuesOfEveryMagnitude) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<long double> mantissa(1, 10);
  std::uniform_int_distribution<int> power(-14, 44), digits(1, 21);
  int taken = 0;
  for (int i = 0; i < 200000; ++i) {
    long double v = mantissa(random) * std::pow(10.0L, power(random));
    if (i % 2) v = -v;
    taken += AgreesWithPrintf(v, i % 3 == 0 ? 17 : digits(random));
  }
  // Most model magnitudes are inside the covered range.
  EXPECT_GT(taken, 150000);
}

TEST(ExactDecimalDigits, RoundsTiesToEvenAsPrintfDoes) {
  // Values halfway between two digit strings: odd multiples of 2^-n.
  for (int n = 1; n <= 20; ++n)
    for (long long odd = 1; odd < 4000; odd += 2) {
      const long double v = std::ldexp(static_cast<long double>(odd), -n);
      for (int digitCount = 1; digitCount <= 21; ++digitCount) AgreesWithPrintf(v, digitCount);
    }
  // Whole numbers cut to fewer digits than they have: 125 -> 1.2e2, 135 -> 1.4e2.
  for (long long n = 1; n <= 200000; n += 1 + n / 1000)
    for (int digitCount = 1; digitCount <= 6; ++digitCount)
      EXPECT_TRUE(AgreesWithPrintf(static_cast<long double>(n), digitCount));
  for (long double v : {0.5L, 1.5L, 2.5L, 0.125L, 0.375L, 1.25L, 9.5L, 99.5L, 999.5L, 0.95L})
    for (int digitCount = 1; digitCount <= 4; ++digitCount) AgreesWithPrintf(v, digitCount);
}

TEST(ExactDecimalDigits, CarriesIntoTheNextPowerOfTen) {
  for (long double v : {9.99999999999999999L, 0.0999999999999999999L, 99999.9999999999999L,
                        999999999999999999.0L, 9.5L, 0.00995L})
    for (int digitCount = 1; digitCount <= 21; ++digitCount)
      EXPECT_TRUE(AgreesWithPrintf(v, digitCount));
}

TEST(ExactDecimalDigits, WholeNumbersAndTheValuesOfModelFiles) {
  for (long double v : {1.0L, 2.0L, 3.0L, 10.0L, 100.0L, 1e16L, 123456789.0L, 0.001L, 1.73L, 4.913L,
                        5.405L, 120.0L, 1.0L / 3, 2.0L / 3, 1e-5L})
    for (int digitCount : {3, 15, 17, 21}) {
      EXPECT_TRUE(AgreesWithPrintf(v, digitCount));
      EXPECT_TRUE(AgreesWithPrintf(-v, digitCount));
    }
}

TEST(ExactDecimalDigits, LeavesWhatItCannotDoToPrintf) {
  DecimalDigits out;
  EXPECT_FALSE(ExactDecimalDigits(0.0L, 17, out));
  EXPECT_FALSE(ExactDecimalDigits(INFINITY, 17, out));
  EXPECT_FALSE(ExactDecimalDigits(NAN, 17, out));
  EXPECT_FALSE(ExactDecimalDigits(1e300L, 17, out));
  EXPECT_FALSE(ExactDecimalDigits(1e-300L, 17, out));
  EXPECT_FALSE(ExactDecimalDigits(std::numeric_limits<long double>::denorm_min(), 17, out));
  EXPECT_FALSE(ExactDecimalDigits(1.0L, 0, out));
  EXPECT_FALSE(ExactDecimalDigits(1.0L, 22, out));
}

}  // namespace
}  // namespace habitopia
