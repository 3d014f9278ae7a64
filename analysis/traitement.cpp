#include <cmath>

#include "analysis/commands.h"
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
  const auto x = [&](std::int32_t p) { return store.TabX[p - 1]; };
  PointLine point(decimal_separator);

  double before_previous = 0;  // step slope of window i - 2
  double previous = 0;         // step slope of window i - 1
  double smoothed = 0;
  double previous_smoothed = 0;
  std::int32_t last_listed = 0;

  memo.Clear();
  emit(kListingHeader);
  emit(point(1, x(1)));
  for (std::int32_t i = 1; i <= n - 3; ++i) {
    const double current = Slope(store, i, 2);
    // The first sum is formed in window 4, once the +infinity of the step from point 1 to point 2
    // (both data sets start with two zeros) has left the two carried slopes.
    if (i > 3) {
      smoothed = rt::Store(rt::Add(rt::Add(before_previous, previous), current));
      smoothed = rt::RoundTo2(smoothed);
      const rt::Extended change = std::fabs(rt::Sub(smoothed, previous_smoothed));
      if (change > kChangeThreshold && i > last_listed + kSpacing) {
        emit(point(i - 2, x(i - 2)));
        last_listed = i;
      }
    }
    before_previous = previous;
    previous = current;
    previous_smoothed = smoothed;
  }
  emit(point(n, x(n)));
  file.Close();
}

}  // namespace analysis
