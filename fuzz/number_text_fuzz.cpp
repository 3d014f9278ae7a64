// The number text of any double, with either separator: it never overruns its room, has the
// shape of the general format, and read back as a number it is the input rounded to 15
// significant digits.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/number_text.h"

namespace {

[[noreturn]] void Fail(const char* what, double x, std::string_view text) {
  std::fprintf(stderr, "number text of %a (%.17g): \"%.*s\": %s\n", x, x,
               static_cast<int>(text.size()), text.data(), what);
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the shape of a finite nonzero number's text and returns how many significant digits it
// shows: [-] digits [sep digits] [E [-] digits], with no leading zeros but the one before a
// separator, no trailing zeros after a separator, and no plus sign anywhere.
int CheckShape(double x, std::string_view text, char separator) {
  std::string_view t = text;
  if (t.starts_with('-')) t.remove_prefix(1);
  const std::size_t e = t.find('E');
  std::string_view mantissa = t.substr(0, e);
  const std::size_t sep = mantissa.find(separator);
  const std::string_view whole = mantissa.substr(0, sep);
  const std::string_view fraction =
      sep == std::string_view::npos ? std::string_view() : mantissa.substr(sep + 1);
  if (whole.empty()) Fail("no digit before the separator", x, text);
  for (const char c : whole) {
    if (!IsDigit(c)) Fail("stray character", x, text);
  }
  for (const char c : fraction) {
    if (!IsDigit(c)) Fail("stray character", x, text);
  }
  if (sep != std::string_view::npos && (fraction.empty() || fraction.back() == '0')) {
    Fail("empty or trailing zero after the separator", x, text);
  }
  if (whole.size() > 1 && whole[0] == '0') Fail("leading zero", x, text);
  if (whole == "0" && sep == std::string_view::npos) Fail("zero text for a nonzero value", x, text);

  if (e != std::string_view::npos) {
    if (whole.size() != 1 || whole[0] == '0')
      Fail("exponent form without one leading digit", x, text);
    std::string_view exponent = t.substr(e + 1);
    if (exponent.starts_with('-')) exponent.remove_prefix(1);
    if (exponent.empty() || exponent.size() > 3 || exponent[0] == '0') {
      Fail("badly written exponent", x, text);
    }
    for (const char c : exponent) {
      if (!IsDigit(c)) Fail("stray character in the exponent", x, text);
    }
  }

  // Significant digits: all of them, less the zeros that only place the point.
  std::string digits = std::string(whole) + std::string(fraction);
  const std::size_t first = digits.find_first_not_of('0');
  return static_cast<int>(digits.size() - first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  double x;
  std::memcpy(&x, data, sizeof x);
  const char separator = (data[8] & 1) ? ',' : '.';

  char buffer[rt::kNumberTextMax];
  const char* end = rt::NumberText(x, separator, buffer);
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  if (text.empty() || text.size() > rt::kNumberTextMax) Fail("length out of range", x, text);
  if (text != rt::NumberText(x, separator)) Fail("the two forms differ", x, text);

  if (std::isnan(x)) {
    if (text != "NAN") Fail("not-a-number", x, text);
    return 0;
  }
  if (std::isinf(x)) {
    if (text != (x > 0 ? "INF" : "-INF")) Fail("infinity", x, text);
    return 0;
  }
  if (x == 0) {
    if (text != "0") Fail("zero", x, text);
    return 0;
  }
  if (text.starts_with('-') != std::signbit(x)) Fail("sign", x, text);
  const char other = separator == '.' ? ',' : '.';
  if (text.find(other) != std::string_view::npos) Fail("the other separator", x, text);
  if (CheckShape(x, text, separator) > 15) Fail("more than 15 significant digits", x, text);

  // Read back in extended precision, whose range holds every double's text without rounding to
  // a subnormal: the only error left is the 15-digit rounding, at most half a unit in the 15th
  // digit, 5e-15 of the value, plus the 18-digit first stage.
  std::string readable(text);
  for (char& c : readable) {
    if (c == separator) c = '.';
  }
  char* parsed_end = nullptr;
  const long double back = std::strtold(readable.c_str(), &parsed_end);
  if (parsed_end != readable.c_str() + readable.size()) Fail("not a number", x, text);
  const long double relative = std::fabs((back - x) / static_cast<long double>(x));
  if (!(relative <= 5.01e-15L)) Fail("not the 15-digit rounding of the value", x, text);

  // Fixed notation exactly for rounded magnitudes from 0.0001 up to 10^15.
  const long double magnitude = std::fabs(back);
  const bool fixed = text.find('E') == std::string_view::npos;
  if (fixed != (magnitude >= 1e-4L && magnitude < 1e15L)) Fail("notation", x, text);
  return 0;
}
