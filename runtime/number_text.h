#pragma once

#include <cstddef>
#include <string>

namespace rt {

// Longest number text: "-", 15 digits, a separator, "E-", three exponent digits.
inline constexpr std::size_t kNumberTextMax = 24;

// Writes the general-format text of x with 15 significant digits into out, which has room for
// kNumberTextMax characters, and returns the end of the text (no terminating zero).
//
// The magnitude is rounded to 18 significant digits, then to 15 with a 16th digit of 5 or more
// rounding up; trailing zeros go. Magnitudes from 0.0001 up to (not including) 10^15 are written
// in fixed notation, others as d.dddE<exp>. Zero of either sign is "0"; infinities are "INF" and
// "-INF", a not-a-number "NAN". There is never a thousands separator.
char* NumberText(double x, char decimal_separator, char* out);

std::string NumberText(double x, char decimal_separator);

}  // namespace rt
