#include "core/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace habitopia {
namespace {

TEST(RoundingTest, HalfEvenToInteger) {
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
  EXPECT_EQ(RoundToInteger(-0.5L), 0);
  EXPECT_EQ(RoundToInteger(1e30L), std::numeric_limits<long long>::max());
  EXPECT_EQ(RoundToInteger(NAN), 0);
}

TEST(RoundingTest, ThreeDecimalsThroughAnInteger) {
  EXPECT_EQ(Round3(0.3333333L), 333 / 1000.0L);
  EXPECT_EQ(Round3(-0.0004L), 0);
  EXPECT_FALSE(std::signbit(Round3(-0.0004L) + 0.0L));
  EXPECT_EQ(Round3(1.0005L), RoundHalfEven(1.0005L * 1000) / 1000);
}

TEST(FormatFixedTest, WidthAndDecimals) {
  EXPECT_EQ(FormatFixed(2.5L, 6, 0), "     2");
  EXPECT_EQ(FormatFixed(3.5L, 6, 0), "     4");
  EXPECT_EQ(FormatFixed(1, 6, 3), " 1.000");
  EXPECT_EQ(FormatFixed(1, 9, 5), "  1.00000");
  EXPECT_EQ(FormatFixed(90, 9, 5), " 90.00000");
  EXPECT_EQ(FormatFixed(-1, 5, 3), "-1.000");  // wider than its field
  EXPECT_EQ(FormatFixed(0.2L, 5, 2), " 0.20");
  EXPECT_EQ(FormatFixed(255, 3, 0), "255");
  EXPECT_EQ(FormatFixed(0, 3, 0), "  0");
  EXPECT_EQ(FormatFixed(0.05L, 4, 3), "0.050");
  EXPECT_EQ(FormatFixed(123456.789L, 3, 2), "123456.79");
}

TEST(FormatFixedTest, NegativeRoundingToZeroKeepsItsSign) {
  EXPECT_EQ(FormatFixed(-0.0001L, 6, 3), "-0.000");
  EXPECT_EQ(FormatFixed(-0.4L, 2, 0), "-0");
  EXPECT_EQ(FormatFixed(0.0001L, 6, 3), " 0.000");
}

TEST(FormatFixedTest, TiesGoToEvenAfterScaling) {
  EXPECT_EQ(FormatFixed(0.125L, 0, 2), "0.12");
  EXPECT_EQ(FormatFixed(0.375L, 0, 2), "0.38");
  EXPECT_EQ(FormatFixed(-0.125L, 0, 2), "-0.12");
}

TEST(FormatIntegerTest, RightAligned) {
  EXPECT_EQ(FormatInteger(9, 5), "    9");
  EXPECT_EQ(FormatInteger(-1, 2), "-1");
  EXPECT_EQ(FormatInteger(16777215), "16777215");
}

TEST(FormatGeneralTest, ShortestForm) {
  EXPECT_EQ(FormatGeneral(1), "1");
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(0.309L), "0.309");
  EXPECT_EQ(FormatGeneral(1.5L), "1.5");
  EXPECT_EQ(FormatGeneral(-0.5L), "-0.5");
  EXPECT_EQ(FormatGeneral(1.414L), "1.414");
  EXPECT_EQ(FormatGeneral(100), "100");
  EXPECT_EQ(FormatGeneral(-12.25L), "-12.25");
  EXPECT_EQ(FormatGeneral(1.0L / 3), "0.333333333333333");
  EXPECT_EQ(FormatGeneral(2.0L / 3), "0.666666666666667");
}

TEST(FormatGeneralTest, ScientificOutsideFifteenDigitsOrBelowTenThousandth) {
  EXPECT_EQ(FormatGeneral(1e-5L), "1E-5");
  EXPECT_EQ(FormatGeneral(0.0001L), "0.0001");
  EXPECT_EQ(FormatGeneral(-2.5e-7L), "-2.5E-7");
  EXPECT_EQ(FormatGeneral(123456789012345.0L), "123456789012345");
  EXPECT_EQ(FormatGeneral(1e15L), "1E15");
  EXPECT_EQ(FormatGeneral(1.2345e20L), "1.2345E20");
}

TEST(FormatExponentTest, TwoDigitsFourExponentDigits) {
  EXPECT_EQ(FormatExponent(6), " 6.0E+0000");
  EXPECT_EQ(FormatExponent(6.333L), " 6.3E+0000");
  EXPECT_EQ(FormatExponent(-0.0012L), "-1.2E-0003");
  EXPECT_EQ(FormatExponent(12), " 1.2E+0001");
  EXPECT_EQ(FormatExponent(0), " 0.0E+0000");
}

TEST(ParseTest, WholeTokenOnly) {
  long double v = 7;
  EXPECT_TRUE(ParseReal("1.25", v));
  EXPECT_EQ(v, 1.25L);
  EXPECT_TRUE(ParseReal("+3", v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(ParseReal("6.0E+0000", v));
  EXPECT_EQ(v, 6);
  EXPECT_FALSE(ParseReal("1,25", v));
  EXPECT_FALSE(ParseReal("", v));
  EXPECT_FALSE(ParseReal("abc", v));
  EXPECT_FALSE(ParseReal("nan", v));
  EXPECT_EQ(v, 6);
  long long i = 0;
  EXPECT_TRUE(ParseInteger("-12", i));
  EXPECT_EQ(i, -12);
  EXPECT_FALSE(ParseInteger("1.5", i));
  EXPECT_FALSE(ParseInteger("99999999999999999999", i));
}

// Plain decimals take a quicker road than from_chars; both must give the same
// extended real, bit for bit, whatever the digits.
TEST(ParseTest, PlainDecimalsReadAsFromCharsReadsThem) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> length(1, 22), digit(0, 9), coin(0, 3);
  int checked = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string text = coin(random) == 0 ? "-" : "";
    const int whole = length(random), decimals = length(random) % 24;
    for (int d = 0; d < whole; ++d) text += static_cast<char>('0' + digit(random));
    if (decimals > 0 || coin(random) == 0) text += '.';
    for (int d = 0; d < decimals; ++d) text += static_cast<char>('0' + digit(random));
    long double expected = 0, parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
    const bool readable = result.ec == std::errc() && result.ptr == text.data() + text.size();
    ASSERT_EQ(ParseReal(text, parsed), readable) << text;
    if (!readable) continue;
    EXPECT_EQ(std::signbit(parsed), std::signbit(expected)) << text;
    EXPECT_EQ(parsed, expected) << text;
    ++checked;
  }
  EXPECT_GT(checked, 90000);
  for (const char* text :
       {"0.000", "-0.000", "1.730", "4.91300", "120.00000", "0.1", "9999999999999999999",
        "18446744073709551615", "0.0000000000000000000000000001", ".5", "5.", "1e3"}) {
    long double expected = 0, parsed = 0;
    std::from_chars(text, text + std::char_traits<char>::length(text), expected);
    ASSERT_TRUE(ParseReal(text, parsed)) << text;
    EXPECT_EQ(parsed, expected) << text;
    EXPECT_EQ(std::signbit(parsed), std::signbit(expected)) << text;
  }
}

// Readers hand over views into their text: a number that is not a plain
// decimal, at the very end of a text without a terminating zero, is read
// within the view (the sanitizer build reports any read beyond it).
TEST(ParseTest, ReadsWithinTheViewItIsGiven) {
  for (const std::string text : {"1e5", "-2.5E-3", "inf", "1.", ".25"}) {
    const std::vector<char> bytes(text.begin(), text.end());
    long double v = 0;
    const bool read = ParseReal(std::string_view(bytes.data(), bytes.size()), v);
    long double expected = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
    const bool readable = result.ec == std::errc() && result.ptr == text.data() + text.size() &&
                          std::isfinite(expected);
    EXPECT_EQ(read, readable) << text;
    if (readable) EXPECT_EQ(v, expected) << text;
  }
  const std::string_view head = std::string_view("2.5e1xyz").substr(0, 5);  // "2.5e1"
  long double v = 0;
  ASSERT_TRUE(ParseReal(head, v));
  EXPECT_EQ(v, 25);
}

}  // namespace
}  // namespace habitopia
