#include "runtime/extended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

struct FaultRow {
  const char* what;
  std::function<void()> operation;
  rt::FloatFault fault;
};

TEST(Extended, RaisesTheThreeFaultsWithTheirTexts) {
  const FaultRow rows[] = {
      {"inf - inf", [] { rt::Sub(kInf, kInf); }, rt::FloatFault::InvalidOperation},
      {"inf + -inf", [] { rt::Add(kInf, -kInf); }, rt::FloatFault::InvalidOperation},
      {"0 * inf", [] { rt::Mul(0.0, kInf); }, rt::FloatFault::InvalidOperation},
      {"a not-a-number operand", [] { rt::Add(kNaN, 1.0); }, rt::FloatFault::InvalidOperation},
      {"0 / 0", [] { rt::Div(0.0, 0.0); }, rt::FloatFault::InvalidOperation},
      {"1 / 0", [] { rt::Div(1.0, 0.0); }, rt::FloatFault::DivisionByZero},
      {"-1 / -0", [] { rt::Div(-1.0, -0.0); }, rt::FloatFault::DivisionByZero},
      {"round inf", [] { rt::RoundToInteger(kInf); }, rt::FloatFault::InvalidOperation},
      {"round nan", [] { rt::RoundToInteger(kNaN); }, rt::FloatFault::InvalidOperation},
      {"round 2^63", [] { rt::RoundToInteger(9223372036854775808.0L); },
       rt::FloatFault::InvalidOperation},
      {"round to two decimals of inf", [] { rt::RoundTo2(kInf); },
       rt::FloatFault::InvalidOperation},
      {"round to two decimals of 1e300", [] { rt::RoundTo2(1e300); },
       rt::FloatFault::InvalidOperation},
      {"store beyond the double range", [] { rt::Store(rt::Mul(DBL_MAX, 2.0)); },
       rt::FloatFault::Overflow},
      {"store of 1 / smallest subnormal", [] { rt::Store(rt::Div(1.0, kTiny)); },
       rt::FloatFault::Overflow},
  };
  const std::string texts[] = {"Opération en virgule flottante incorrecte",
                               "Division par zéro en virgule flottante",
                               "Débordement en virgule flottante"};
  for (const FaultRow& row : rows) {
    SCOPED_TRACE(row.what);
    try {
      row.operation();
      ADD_FAILURE() << "no error";
    } catch (const rt::FloatError& e) {
      EXPECT_EQ(e.fault(), row.fault);
      EXPECT_EQ(e.text(), texts[static_cast<int>(row.fault)]);
    }
  }
}

TEST(Extended, InfinitiesFromInfinitiesAndUnderflowAreSilent) {
  EXPECT_EQ(rt::Add(kInf, 1.0), kInf);
  EXPECT_EQ(rt::Div(kInf, 2.0), kInf);
  EXPECT_EQ(rt::Store(kInf), kInf);
  EXPECT_EQ(rt::RoundToInteger(-9223372036854775808.0L), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(rt::Store(rt::Mul(DBL_MIN, 1e-10)), DBL_MIN * 1e-10);
}

TEST(Extended, IntermediatesKeepA64BitSignificand) {
  if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "no extended format on this machine";
  // 1 + 2^-60 survives in extended precision and is lost once stored into a double.
  const rt::Extended sum = rt::Add(1.0, 0x1p-60);
  EXPECT_NE(sum, 1.0L);
  EXPECT_EQ(rt::Store(sum), 1.0);
}

TEST(Extended, RoundsHalvesToEven) {
  EXPECT_EQ(rt::RoundToInteger(2.5L), 2);
  EXPECT_EQ(rt::RoundToInteger(3.5L), 4);
  EXPECT_EQ(rt::RoundToInteger(-2.5L), -2);
}

TEST(Extended, RoundsToTwoDecimalsOnTheExactBinaryValue) {
  const struct {
    double in, out;
  } rows[] = {
      {0.125, 0.12},  // 0.125 / f lies just below 12.5
      {0.025, 0.03},  // the double nearest 0.025 lies just above it
      {-0.125, -0.12},        {1.5, 1.5},        {0.0, 0.0}, {3.14159, 3.14},
      {-1511.2249, -1511.22}, {2.0 / 3.0, 0.67},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(rt::RoundTo2(row.in), row.out);
  }
}

}  // namespace
