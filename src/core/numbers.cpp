#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

#include "core/decimal_digits.h"

namespace habitopia {

long double RoundHalfEven(long double v) {
  // rintl honours the current rounding mode, which the program never changes
  // from round-to-nearest-even; unlike nearbyintl it need not save and restore
  // the floating-point environment.
  return std::rint(v);
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
  std::string digits = rounded < 1e19L ? std::to_string(static_cast<unsigned long long>(rounded))
                                       : ToChars(rounded, std::chars_format::fixed, 0);
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
  std::string out;
  AppendSignificant(out, v, significantDigits);
  return out;
}

void AppendSignificant(std::string& out, long double v, int significantDigits) {
  if (!std::isfinite(v)) {
    out += NonFiniteText(v);
    return;
  }
  if (v == 0) {
    out += '0';
    return;
  }
  const int digitCount = significantDigits < 1    ? 1
                         : significantDigits > 21 ? 21
                                                  : significantDigits;
  // The digits d.ddd... and the exponent: value = d.ddd * 10^exponent.
  DecimalDigits decimal;
  char* digits = decimal.digits;
  int length = digitCount;
  int exponent = 0;
  bool negative = false;
  std::string text;
  if (ExactDecimalDigits(v, digitCount, decimal)) {
    exponent = decimal.exponent;
    negative = decimal.negative;
  } else {
    text = ToChars(v, std::chars_format::scientific, digitCount - 1);
    negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    const auto ePos = text.find('e');
    exponent = std::atoi(text.c_str() + ePos + 1);
    text.erase(ePos);
    if (text.size() > 1) text.erase(1, 1);  // the point
    digits = text.data();
    length = static_cast<int>(text.size());
  }
  while (length > 1 && digits[length - 1] == '0') --length;

  // At most a sign, 21 digits, a point, four zeros and an exponent.
  char text64[64];
  char* p = text64;
  auto put = [&p](const char* from, int count) {
    std::memcpy(p, from, static_cast<std::size_t>(count));
    p += count;
  };
  auto zeros = [&p](int count) {
    std::memset(p, '0', static_cast<std::size_t>(count));
    p += count;
  };
  if (negative) *p++ = '-';
  if (exponent < -4 || exponent >= digitCount) {
    *p++ = digits[0];
    if (length > 1) {
      *p++ = '.';
      put(digits + 1, length - 1);
    }
    *p++ = 'E';
    p = std::to_chars(p, text64 + sizeof text64, exponent).ptr;
  } else if (exponent < 0) {
    put("0.", 2);
    zeros(-exponent - 1);
    put(digits, length);
  } else if (length <= exponent + 1) {
    put(digits, length);
    zeros(exponent + 1 - length);
  } else {
    put(digits, exponent + 1);
    *p++ = '.';
    put(digits + exponent + 1, length - exponent - 1);
  }
  out.append(text64, p);
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

namespace {

// [-]digits.digits with at most 19 significant digits and 27 decimals, the form
// of nearly every number in a model file: the integer of its digits and the
// power of ten are exact, so their one rounded quotient is the correctly
// rounded value, as from_chars gives it.
bool ParsePlainDecimal(const char* begin, const char* end, long double& value) {
  static constexpr long double kPowersOfTen[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                                 1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                                 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                                 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
  const bool negative = begin != end && *begin == '-';
  if (negative) ++begin;
  unsigned long long digits = 0;
  int significant = 0, decimals = 0, whole = 0;
  bool point = false;
  for (const char* p = begin; p != end; ++p) {
    if (*p == '.' && !point) {
      point = true;
      continue;
    }
    if (*p < '0' || *p > '9') return false;
    if (point)
      ++decimals;
    else
      ++whole;
    if (digits != 0 || *p != '0') ++significant;
    digits = digits * 10 + static_cast<unsigned>(*p - '0');
  }
  if (whole == 0 || (point && decimals == 0) || significant > 19 || decimals > 27) return false;
  const long double magnitude = static_cast<long double>(digits) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool ParseReal(std::string_view text, long double& value) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  if (ParsePlainDecimal(begin, end, value)) return true;
  // libstdc++'s from_chars for long double hands its input to strtold, which
  // reads up to a terminating zero: it gets a terminated copy.
  const std::string terminated(begin, end);
  long double parsed = 0;
  const char* const copyEnd = terminated.data() + terminated.size();
  const auto result = std::from_chars(terminated.data(), copyEnd, parsed);
  if (result.ec != std::errc() || result.ptr != copyEnd || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseInteger(std::string_view text, long long& value) {
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
