#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

// Both data sets are running totals of a few constant steps, each total rounded to thousandths.
// The totals are kept exactly, as whole numbers of units of 10^-10, so the values do not depend
// on how floating point adds; the table is built by the compiler.
namespace data {

// One stretch of a data set: the values from the previous stretch's last value + 1 up to `last`
// take `on_phase` as their incoming step when their number is a multiple of the zigzag period,
// and `off_phase` otherwise. Steps are in units of 10^-10.
struct Stretch {
  std::int32_t last;
  std::int64_t off_phase;
  std::int64_t on_phase;
};

// The nearest whole number of thousandths to a total in units of 10^-10. No total of either data
// set comes near a midpoint, so the way ties go never matters.
constexpr std::int64_t NearestThousandths(std::int64_t total) {
  constexpr std::int64_t kUnit = 10'000'000;  // 10^-3 / 10^-10
  return total >= 0 ? (total + kUnit / 2) / kUnit : -((-total + kUnit / 2) / kUnit);
}

// Values 1 to Count at indices 1 to Count (index 0 unused, 0), each the double nearest to its
// three-decimal number, which is the whole number of thousandths divided by 1000.
template <std::int32_t Count, std::size_t Stretches>
constexpr std::array<double, Count + 1> RunningTotals(std::int32_t period,
                                                      const std::array<Stretch, Stretches>& plan) {
  std::array<double, Count + 1> values{};
  std::int64_t total = 0;
  std::size_t s = 0;
  for (std::int32_t k = 2; k <= Count; ++k) {
    while (k > plan[s].last) ++s;
    total += k % period == 0 ? plan[s].on_phase : plan[s].off_phase;
    values[k] = static_cast<double>(NearestThousandths(total)) / 1000.0;
  }
  return values;
}

// The loader's work, shared by both data sets: value k into element k, for k = 1 to the count.
// Element 0 and everything past the count stay as they are.
template <std::size_t Size>
void CopyValues(const std::array<double, Size>& table, std::int32_t& count,
                std::span<double> values) {
  count = static_cast<std::int32_t>(Size - 1);
  // An array too short for the data set receives what fits and nothing past its end.
  const std::size_t n = std::min(Size, values.size());
  for (std::size_t k = 1; k < n; ++k) values[k] = table[k];
}

}  // namespace data
