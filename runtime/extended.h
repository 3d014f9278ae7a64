#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "runtime/errors.h"

// Arithmetic as the program's processor is set up to do it: intermediates with a 64-bit
// significand, rounded to nearest with halves to even, and rounded to double where they are
// stored. An invalid operation, a division by zero and an overflow raise a FloatError instead of
// producing a not-a-number or an infinity; underflow and inexact results are silent.
//
// No hardware trap is used: each helper checks its own result, so the rest of the process (Qt
// included) keeps the default floating-point environment.
namespace rt {

#if LDBL_MANT_DIG == 64
using Extended = long double;
#else
// Without the x87 format the intermediates are doubles; the listings of both data sets are the
// same either way.
using Extended = double;
#endif

[[noreturn]] void RaiseFloat(FloatFault fault);

namespace detail {
// A result that is not a number, or an infinity made from finite operands, is an error.
inline Extended Checked(Extended r, Extended a, Extended b) {
  if (std::isnan(r)) [[unlikely]]
    RaiseFloat(FloatFault::InvalidOperation);
  if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) [[unlikely]]
    RaiseFloat(FloatFault::Overflow);
  return r;
}
}  // namespace detail

inline Extended Add(Extended a, Extended b) { return detail::Checked(a + b, a, b); }
inline Extended Sub(Extended a, Extended b) { return detail::Checked(a - b, a, b); }
inline Extended Mul(Extended a, Extended b) { return detail::Checked(a * b, a, b); }

inline Extended Div(Extended a, Extended b) {
  if (b == 0) [[unlikely]] {
    RaiseFloat(a == 0 || std::isnan(a) ? FloatFault::InvalidOperation : FloatFault::DivisionByZero);
  }
  return detail::Checked(a / b, a, b);
}

// The store of an intermediate into a double variable: rounds to double, and a finite value
// beyond the double range is an overflow.
inline double Store(Extended v) {
  const double d = static_cast<double>(v);
  if (std::isinf(d) && std::isfinite(v)) [[unlikely]]
    RaiseFloat(FloatFault::Overflow);
  return d;
}

// Rounds to the nearest integer, a half to the even one, as a value of the extended type. The
// current rounding mode is the program's, which nothing changes, so rint gives what nearbyint
// would without saving and restoring the floating-point environment around it. An infinity, a
// not-a-number or a value that does not fit a 64-bit integer is an invalid operation.
inline Extended RoundToIntegral(Extended v) {
  const Extended r = std::rint(v);
  constexpr Extended kLimit = 9223372036854775808.0L;  // 2^63
  if (!(r >= -kLimit && r < kLimit)) [[unlikely]]
    RaiseFloat(FloatFault::InvalidOperation);
  return r;
}

// The same as a 64-bit integer.
inline std::int64_t RoundToInteger(Extended v) { return std::llrint(RoundToIntegral(v)); }

// The double nearest to 1/100, as the program forms it: 1 / (10 * 10) in extended precision.
inline constexpr double kHundredth = static_cast<double>(1.0L / (10.0L * 10.0L));

// Rounding to two decimals, in its two halves: the whole number of hundredths n = x / f rounded
// to the nearest integer (a half to even), where f is the double nearest to 1/100; and the value
// n times f. Because f lies just above 1/100, the result follows the exact binary value of x:
// 0.125 gives 0.12 and 0.025 gives 0.03.
inline std::int64_t HundredthsOf(double x) { return RoundToInteger(Div(x, kHundredth)); }
inline double FromHundredths(std::int64_t n) {
  // Every 64-bit integer is exact in the extended type.
  return Store(Mul(static_cast<Extended>(n), kHundredth));
}
inline double RoundTo2(double x) { return FromHundredths(HundredthsOf(x)); }

}  // namespace rt
