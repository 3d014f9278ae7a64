#include "runtime/number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace rt {
namespace {

// Significant digits of a magnitude and its exponent e, the value being 0.d1d2...dk x 10^e.
struct Digits {
  char d[20];
  int count;
  int exponent;
};

// Reads the digits and the exponent of std::to_chars' scientific form "d.ddde+XX".
void ParseScientific(const char* first, const char* last, Digits& out) {
  out.count = 0;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.') out.d[out.count++] = *p;
  }
  ++p;  // 'e'
  const bool negative = *p == '-';
  ++p;  // sign
  int exp10 = 0;
  for (; p != last; ++p) exp10 = exp10 * 10 + (*p - '0');
  out.exponent = (negative ? -exp10 : exp10) + 1;
}

void DropTrailingZeros(Digits& digits) {
  while (digits.count > 1 && digits.d[digits.count - 1] == '0') --digits.count;
}

// The two-stage rounding: 18 significant digits to nearest, then 15 where a 16th digit of 5 or
// more rounds up.
void RoundTo15(double magnitude, Digits& digits) {
  char buf[40];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 17);
  ParseScientific(buf, res.ptr, digits);
  if (digits.d[15] >= '5') {
    int i = 14;
    for (; i >= 0 && digits.d[i] == '9'; --i) digits.d[i] = '0';
    if (i >= 0) {
      ++digits.d[i];
    } else {
      digits.d[0] = '1';
      ++digits.exponent;
    }
  }
  digits.count = 15;
  DropTrailingZeros(digits);
}

// For a normal double whose shortest round-trip text has at most 15 digits, that text is what the
// two-stage rounding gives: the double lies within a tenth of a unit in the 15th digit of it. It
// is also much cheaper to find, and nearly every number the listings print takes this path.
bool ShortestFits(double magnitude, Digits& digits) {
  if (magnitude < DBL_MIN) return false;  // subnormals carry too few bits for the argument
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
  ParseScientific(buf, res.ptr, digits);
  if (digits.count > 15) return false;
  DropTrailingZeros(digits);
  return true;
}

char* Copy(char* out, const char* text) {
  const std::size_t n = std::strlen(text);
  std::memcpy(out, text, n);
  return out + n;
}

char* Fill(char* out, char c, int n) {
  for (int i = 0; i < n; ++i) *out++ = c;
  return out;
}

}  // namespace

char* NumberText(double x, char decimal_separator, char* out) {
  if (std::isnan(x)) return Copy(out, "NAN");
  if (x == 0) return Copy(out, "0");
  if (std::signbit(x)) *out++ = '-';
  if (std::isinf(x)) return Copy(out, "INF");

  const double magnitude = std::fabs(x);
  Digits digits;
  if (!ShortestFits(magnitude, digits)) RoundTo15(magnitude, digits);
  const int k = digits.count;
  const int e = digits.exponent;

  if (e >= -3 && e <= 0) {
    *out++ = '0';
    *out++ = decimal_separator;
    out = Fill(out, '0', -e);
    std::memcpy(out, digits.d, k);
    return out + k;
  }
  if (e >= 1 && e <= 15) {
    if (k <= e) {
      std::memcpy(out, digits.d, k);
      return Fill(out + k, '0', e - k);
    }
    std::memcpy(out, digits.d, e);
    out += e;
    *out++ = decimal_separator;
    std::memcpy(out, digits.d + e, k - e);
    return out + (k - e);
  }
  *out++ = digits.d[0];
  if (k > 1) {
    *out++ = decimal_separator;
    std::memcpy(out, digits.d + 1, k - 1);
    out += k - 1;
  }
  *out++ = 'E';
  const int shown = e - 1;
  if (shown < 0) *out++ = '-';
  return std::to_chars(out, out + 4, shown < 0 ? -shown : shown).ptr;
}

std::string NumberText(double x, char decimal_separator) {
  char buf[kNumberTextMax];
  return std::string(buf, NumberText(x, decimal_separator, buf));
}

}  // namespace rt
