#include <array>
#include <cmath>
#include <cstdlib>

#include "analysis/commands.h"
#include "analysis/estimates.h"
#include "analysis/listing.h"
#include "analysis/slopes.h"
#include "runtime/extended.h"
#include "runtime/text_file.h"

namespace analysis {
namespace {

// The nearest 64-bit-significand value to 1/100, slightly below it.
constexpr rt::Extended kChangeThreshold = 0.01L;
// Listed windows are more than this many windows apart.
constexpr std::int32_t kSpacing = 5;

// Adding and then subtracting 1.5 * 2^52 rounds a double below 2^51 to a whole number.
constexpr double kRoundingShift = 6755399441055744.0;

// The whole number n of the smoothed slope of a window from valid estimates of its three step
// slopes, and whether they decide it.
//
// The exact smoothed slope lies within (|a| + |b| + |c|) * 2^-49 of the estimated sum, and its
// exact quotient by the hundredth within |t| * 2^-52 more of t, where |t| <= 100 * (|a| + |b| +
// |c|); the margin is more than four times the two together. When t is farther than the margin
// from every half, both round to the same whole number. A not-a-number among the estimates leaves
// it undecided.
struct HundredthsEstimate {
  double n;
  bool decided;
};

inline HundredthsEstimate EstimateHundredths(double a, double b, double c) {
  const double t = ((a + b) + c) * 100.0;
  const double margin = (std::fabs(a) + std::fabs(b) + std::fabs(c)) * 0x1p-39;
  const double n = (t + kRoundingShift) - kRoundingShift;
  const double size = std::fabs(t);
  const double off_half = 0.5 - std::fabs(t - n);
  const bool decided = (size < 0x1p50) & (off_half > margin);
  return {n, decided};
}

// Whether the rounded smoothed slope changed by more than 0.01 from n_before hundredths to n.
// Equal counts give a change of 0; counts 2 or more apart (and below 2^40, where the roundings
// are far smaller than a hundredth) give at least 0.0199; neighbours need the exact difference.
bool ChangedMuch(std::int64_t n, std::int64_t n_before) {
  if (n == n_before) return false;
  constexpr std::int64_t kSmall = std::int64_t{1} << 40;
  if (std::llabs(n - n_before) >= 2 && std::llabs(n) < kSmall && std::llabs(n_before) < kSmall)
    return true;
  return std::fabs(rt::Sub(rt::FromHundredths(n), rt::FromHundredths(n_before))) > kChangeThreshold;
}

// The smoothed slope of window i, rounded to two decimals, as its whole number of hundredths, by
// the exact arithmetic.
std::int64_t ExactHundredths(const Store& store, std::int32_t i) {
  const double smoothed = rt::Store(
      rt::Add(rt::Add(Slope(store, i - 2, 2), Slope(store, i - 1, 2)), Slope(store, i, 2)));
  return rt::HundredthsOf(smoothed);
}

// The estimates of one run, kept for the whole run of the program so that no command allocates:
// step_estimates[i - 1] is the slope of the step of window i, from point i to point i + 1;
// window_hundredths[i] the rounded smoothed slope of window i in hundredths, or a not-a-number
// where only the exact arithmetic can tell it.
std::array<double, MaxPoints> step_estimates;
std::array<double, MaxPoints> window_hundredths;

// Both are filled in passes of plain arithmetic without branches, which the compiler turns into
// vector instructions; the windows are then walked in order for what needs the order.
void EstimateWindows(const Store& store) {
  const std::int32_t windows = store.NbPoints - 3;
  estimates::EstimateSteps(store.TabX.data(), store.TabY.data(), store.NbPoints - 1,
                           step_estimates.data());
  const double* const e = step_estimates.data();
  for (std::int32_t i = 4; i <= windows; ++i) {
    const HundredthsEstimate h = EstimateHundredths(e[i - 3], e[i - 2], e[i - 1]);
    window_hundredths[i] = h.decided ? h.n : std::nan("");
  }
}

}  // namespace

void Traitement(Store& store, const Loader& loader, char decimal_separator, Memo& memo,
                const char* results_path) {
  LoadSeries(store, loader);
  rt::TextFile file;
  file.Rewrite(results_path);

  // The memo gets each line first, so that after a failed write it shows the line that failed.
  const auto emit = [&](std::string_view line) {
    memo.Add(line);
    file.Write(line);
    file.WriteLine();
  };
  const std::int32_t n = store.NbPoints;
  const double* const tx = store.TabX.data();
  const auto x = [&](std::int32_t p) { return tx[p - 1]; };
  PointLine point(decimal_separator);

  std::int64_t previous_hundredths = 0;  // the rounded smoothed slope of window i - 1, as n
  std::int32_t last_listed = 0;

  memo.Clear();
  emit(kListingHeader);
  emit(point(1, x(1)));
  EstimateWindows(store);
  for (std::int32_t i = 1; i <= n - 3; ++i) {
    // The exact slope of a step without a valid estimate, for the error it may raise.
    if (std::isnan(step_estimates[i - 1])) [[unlikely]]
      Slope(store, i, 2);
    // The first sum is formed in window 4, once the +infinity of the step from point 1 to point 2
    // (both data sets start with two zeros) has left the three summed slopes.
    if (i > 3) {
      const double estimate = window_hundredths[i];
      const std::int64_t hundredths =
          std::isnan(estimate) ? ExactHundredths(store, i) : static_cast<std::int64_t>(estimate);
      if (i > last_listed + kSpacing && ChangedMuch(hundredths, previous_hundredths)) {
        emit(point(i - 2, x(i - 2)));
        last_listed = i;
      }
      previous_hundredths = hundredths;
    }
  }
  emit(point(n, x(n)));
  file.Close();
}

}  // namespace analysis
