// FormatSignificant: the general form with a chosen number of significant digits.

#include <gtest/gtest.h>

#include <cmath>

#include "core/numbers.h"

namespace habitopia {
namespace {

TEST(FormatSignificant, SeventeenDigits) {
  EXPECT_EQ(FormatSignificant(static_cast<long double>(0.1), 17), "0.10000000000000001");
  EXPECT_EQ(FormatSignificant(2.0L / 3, 17), "0.66666666666666667");
  EXPECT_EQ(FormatSignificant(-1.5L, 17), "-1.5");
  EXPECT_EQ(FormatSignificant(1e16L, 17), "10000000000000000");
  EXPECT_EQ(FormatSignificant(1e17L, 17), "1E17");
  EXPECT_EQ(FormatSignificant(0.00012L, 17), "0.00012");
  EXPECT_EQ(FormatSignificant(0.000012L, 17), "1.2E-5");
  EXPECT_EQ(FormatSignificant(0, 17), "0");
  EXPECT_EQ(FormatSignificant(NAN, 17), "NAN");
}

TEST(FormatSignificant, FifteenDigitsIsTheGeneralForm) {
  for (long double v :
       {1.0L, 0.309L, 2.0L / 3, -12345.678L, 1e14L, 1e15L, 3e-5L, 123456789012345678.0L})
    EXPECT_EQ(FormatSignificant(v, 15), FormatGeneral(v)) << static_cast<double>(v);
  EXPECT_EQ(FormatSignificant(2.0L / 3, 3), "0.667");
  EXPECT_EQ(FormatSignificant(1234.0L, 3), "1.23E3");
}

}  // namespace
}  // namespace habitopia
