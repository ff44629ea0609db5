#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace habitopia {

long double RoundHalfEven(long double v) {
  // nearbyintl honours the current rounding mode, which the program never
  // changes from round-to-nearest-even.
  return std::nearbyint(v);
}

long long RoundToInteger(long double v) {
  const long double r = RoundHalfEven(v);
  if (std::isnan(r)) return 0;
  if (r >= 9.2233720368547758e18L) return std::numeric_limits<long long>::max();
  if (r <= -9.2233720368547758e18L) return std::numeric_limits<long long>::min();
  return static_cast<long long>(r);
}

long double Round3(long double v) { return RoundHalfEven(v * 1000.0L) / 1000.0L; }
long double Round2(long double v) { return RoundHalfEven(v * 100.0L) / 100.0L; }

namespace {

std::string PadLeft(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// Locale-independent conversion (the point is always the decimal separator).
std::string ToChars(long double v, std::chars_format format, int precision) {
  char buffer[6000];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, format, precision);
  return std::string(buffer, result.ptr);
}

std::string NonFiniteText(long double v) {
  if (std::isnan(v)) return "NAN";
  return v < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatFixed(long double v, int width, int decimals) {
  if (!std::isfinite(v)) return PadLeft(NonFiniteText(v), width);
  long double scaled = v;
  for (int i = 0; i < decimals; ++i) scaled *= 10.0L;
  const long double rounded = std::fabs(RoundHalfEven(scaled));
  std::string digits = ToChars(rounded, std::chars_format::fixed, 0);
  if (decimals > 0) {
    if (static_cast<int>(digits.size()) <= decimals)
      digits.insert(0, decimals + 1 - digits.size(), '0');
    digits.insert(digits.size() - decimals, ".");
  }
  if (v < 0) digits.insert(0, "-");
  return PadLeft(digits, width);
}

std::string FormatInteger(long long v, int width) { return PadLeft(std::to_string(v), width); }

std::string FormatGeneral(long double v) { return FormatSignificant(v, 15); }

std::string FormatSignificant(long double v, int significantDigits) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  if (v == 0) return "0";
  const int digitCount = significantDigits < 1    ? 1
                         : significantDigits > 21 ? 21
                                                  : significantDigits;
  // d.ddd...e[+-]x with digitCount significant digits
  std::string text = ToChars(v, std::chars_format::scientific, digitCount - 1);
  const bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  const auto ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);  // value = d.ddd * 10^exponent
  std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent < -4 || exponent >= digitCount) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out = "0." + std::string(-exponent - 1, '0') + digits;
  } else if (static_cast<int>(digits.size()) <= exponent + 1) {
    out = digits + std::string(exponent + 1 - digits.size(), '0');
  } else {
    out = digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
  }
  return negative ? "-" + out : out;
}

std::string FormatExponent(long double v) {
  if (!std::isfinite(v)) return PadLeft(NonFiniteText(v), 10);
  std::string text = ToChars(v, std::chars_format::scientific, 1);
  const auto ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);
  std::string mantissa = text.substr(0, ePos);
  if (mantissa[0] != '-') mantissa.insert(0, " ");
  char exponentText[16];
  std::snprintf(exponentText, sizeof exponentText, "E%c%04d", exponent < 0 ? '-' : '+',
                exponent < 0 ? -exponent : exponent);
  return mantissa + exponentText;
}

bool ParseReal(const std::string& text, long double& value) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  long double parsed = 0;
  const auto result = std::from_chars(begin, end, parsed);
  if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseInteger(const std::string& text, long long& value) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;
  long long parsed = 0;
  const auto result = std::from_chars(begin, end, parsed);
  if (result.ec != std::errc() || result.ptr != end) return false;
  value = parsed;
  return true;
}

bool ParseLocaleReal(const std::string& text, bool decimalComma, long double& value) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  std::string number = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const char other = decimalComma ? '.' : ',';
  if (number.find(other) != std::string::npos) return false;
  if (decimalComma) {
    const auto comma = number.find(',');
    if (comma != std::string::npos) number[comma] = '.';
  }
  return ParseReal(number, value);
}

}  // namespace habitopia
