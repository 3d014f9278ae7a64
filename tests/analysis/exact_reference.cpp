#include "exact_reference.h"

#include <cmath>
#include <cstdint>

#include "analysis/listing.h"
#include "analysis/slopes.h"
#include "analysis/thinning.h"
#include "runtime/extended.h"

namespace exact_reference {
namespace {

using analysis::Slope;
using analysis::Slope2;
using analysis::Store;

// The nearest 64-bit-significand values to 1/100 and 1/10.
constexpr rt::Extended kHundredth = 0.01L;
constexpr rt::Extended kTenth = 0.1L;
// Listed windows, and listed thinned points, are more than this many apart.
constexpr std::int32_t kSpacing = 5;

// The label of a thinned point's line: its rank plus 1, held as a double.
double PointNumber(double rank) { return rt::Store(rt::Add(rank, 1)); }

}  // namespace

void Traitement(Store& store, const analysis::Loader& loader, char decimal_separator,
                analysis::Memo& memo) {
  analysis::LoadSeries(store, loader);
  const std::int32_t n = store.NbPoints;
  const auto x = [&](std::int32_t p) { return store.TabX[p - 1]; };
  analysis::PointLine point(decimal_separator);

  double before_previous = 0;  // step slope of window i - 2
  double previous = 0;         // step slope of window i - 1
  double smoothed = 0;
  double previous_smoothed = 0;
  std::int32_t last_listed = 0;

  memo.Clear();
  memo.Add(analysis::kListingHeader);
  memo.Add(point(1, x(1)));
  for (std::int32_t i = 1; i <= n - 3; ++i) {
    const double current = Slope(store, i, 2);
    // Window 4 forms the first sum: the +infinity of a first step of no extent has left it.
    if (i > 3) {
      smoothed = rt::Store(rt::Add(rt::Add(before_previous, previous), current));
      smoothed = rt::RoundTo2(smoothed);
      const rt::Extended change = std::fabs(rt::Sub(smoothed, previous_smoothed));
      if (change > kHundredth && i > last_listed + kSpacing) {
        memo.Add(point(i - 2, x(i - 2)));
        last_listed = i;
      }
    }
    before_previous = previous;
    previous = current;
    previous_smoothed = smoothed;
  }
  memo.Add(point(n, x(n)));
}

void Traitement2(Store& store, const analysis::Loader& loader, char decimal_separator,
                 analysis::Memo& memo, analysis::MessageBox& message_box) {
  analysis::LoadSeries(store, loader);
  const std::int32_t step = analysis::ThinningStep(store);
  if (step == 0) {
    message_box.Show("Impossible de trouver des points alignés");
    memo.Add("Pas de segments ...");
    return;
  }

  memo.Clear();
  analysis::Thin(store, step);
  analysis::PointLine point(decimal_separator);
  const std::int32_t n = store.NbPoints;
  memo.Add(analysis::kListingHeader);
  memo.Add(point(PointNumber(store.TabY[0]), store.TabX[0]));

  double previous = 0;
  std::int32_t last_listed = 0;
  for (std::int32_t j = 1; j <= store.NbPoints2 - 2; ++j) {
    const double s = Slope2(store, j, 2);
    // Two +infinity slopes in a row make the difference an invalid operation, which stops the
    // command.
    if (j > 2 && std::fabs(rt::Sub(s, previous)) > kTenth && j > last_listed + kSpacing) {
      memo.Add(point(PointNumber(store.TabY2[j]), store.TabX2[j]));
      last_listed = j;
    }
    previous = s;
  }
  memo.Add(point(PointNumber(store.TabY[n - 1]), store.TabX[n - 1]));
  memo.Add(" Fin des segments  --------------- ");
}

}  // namespace exact_reference
