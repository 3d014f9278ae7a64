#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace {

struct Row {
  double value;
  const char* text;  // with "." as the separator
};

// Expected texts worked out by hand from the two-stage rounding (18 digits, then 15 with a 16th
// digit of 5 or more rounding up) and the fixed/exponent switch.
const Row kRows[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {-1511.223, "-1511.223"},
    {0.294, "0.294"},
    {1200, "1200"},
    {13127, "13127"},
    {0.0001234, "0.0001234"},
    {0.00001234, "1.234E-5"},
    {2.0 / 3.0, "0.666666666666667"},
    {1.0 / 3.0, "0.333333333333333"},
    {0.1 + 0.2, "0.3"},
    {1e14 + 1, "100000000000001"},
    {1e15, "1E15"},
    {1e15 + 2, "1E15"},
    {1.5e20, "1.5E20"},
    {1e300, "1E300"},
    {-1.5e-10, "-1.5E-10"},
    // Edges of fixed notation: the rounded magnitude decides, not the double.
    {0.0001, "0.0001"},
    {9.999999999999999e-05, "0.0001"},
    {9.9999e-05, "9.9999E-5"},
    {999999999999999.4, "999999999999999"},
    {999999999999999.5, "1E15"},
    {123456789012345.67, "123456789012346"},
    // The first stage rounds ...4996... up to ...500, which the second stage then rounds up: a
    // single rounding to 15 digits would end in 4.
    {139772.0262093645, "139772.026209365"},
    // Extremes of the double range, normal and subnormal.
    {DBL_MAX, "1.79769313486232E308"},
    {-DBL_MAX, "-1.79769313486232E308"},
    {DBL_MIN, "2.2250738585072E-308"},
    {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    {std::numeric_limits<double>::infinity(), "INF"},
    {-std::numeric_limits<double>::infinity(), "-INF"},
    {std::numeric_limits<double>::quiet_NaN(), "NAN"},
};

TEST(NumberText, MatchesTheTableWithEitherSeparator) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(rt::NumberText(row.value, '.'), row.text);
    std::string comma = row.text;
    std::replace(comma.begin(), comma.end(), '.', ',');
    EXPECT_EQ(rt::NumberText(row.value, ','), comma);
  }
}

TEST(NumberText, NeverWritesPastItsRoom) {
  // The longest texts: a negative value with 15 digits and a three-digit negative exponent.
  for (double v : {-1.23456789012345e-300, -DBL_MAX, -std::numeric_limits<double>::denorm_min(),
                   -0.000123456789012345}) {
    char buf[rt::kNumberTextMax];
    const char* end = rt::NumberText(v, ',', buf);
    EXPECT_LE(end - buf, static_cast<std::ptrdiff_t>(rt::kNumberTextMax));
  }
}

}  // namespace
