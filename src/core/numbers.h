#pragma once
// Number rules shared by every reader and writer: rounding and the text forms
// the program's files and captions use.

#include <string>
#include <string_view>

namespace habitopia {

// Nearest integer, ties to the even integer, as a real.
long double RoundHalfEven(long double v);
// Nearest integer, ties to even; values outside the range of long long saturate.
long long RoundToInteger(long double v);
// round(v * 1000) / 1000 with the half-even rule.
long double Round3(long double v);
long double Round2(long double v);

// Fixed point with `decimals` digits after the point, right-aligned in at least
// `width` characters. The value is multiplied by 10^decimals and rounded half-even
// before the digits are made; a negative value rounding to zero keeps its sign.
std::string FormatFixed(long double v, int width, int decimals);

// An integer right-aligned in at least `width` characters.
std::string FormatInteger(long long v, int width = 0);

// Shortest general form with up to 15 significant digits: "1", "0.309", "1.5",
// "1E-5", "-0.5", "1.2345E20". Fixed notation while the decimal exponent lies in
// -4..14, scientific otherwise.
std::string FormatGeneral(long double v);
// The same form with up to `digits` (1..21) significant digits; fixed notation while
// the decimal exponent lies in -4..digits-1. FormatGeneral is FormatSignificant(v, 15);
// 17 digits carry a double exactly (machine-readable output).
std::string FormatSignificant(long double v, int digits);
// FormatSignificant appended to `out`.
void AppendSignificant(std::string& out, long double v, int digits);

// Two significant digits with a four-digit exponent: " 6.0E+0000", "-1.2E-0003".
std::string FormatExponent(long double v);

// Text to number for the file readers: the whole token must be a number
// (point as the decimal separator). Returns false for anything else.
bool ParseReal(std::string_view text, long double& value);
bool ParseInteger(std::string_view text, long long& value);

// Text to number as the user's locale reads it: leading and trailing blanks are
// allowed, and the decimal separator is the comma when `decimalComma` is set and
// the point otherwise (the other character makes the text unreadable).
bool ParseLocaleReal(const std::string& text, bool decimalComma, long double& value);

}  // namespace habitopia
