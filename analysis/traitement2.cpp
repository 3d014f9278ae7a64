#include <cmath>

#include "analysis/commands.h"
#include "analysis/estimates.h"
#include "analysis/listing.h"
#include "analysis/slopes.h"
#include "analysis/thinning.h"
#include "runtime/extended.h"

namespace analysis {
namespace {

// The nearest 64-bit-significand value to 1/10.
constexpr rt::Extended kSlopeThreshold = 0.1L;
constexpr std::int32_t kSpacing = 5;

// Whether the slope changed by more than the threshold between two steps, from their estimates;
// 0 or 1 when they decide it, -1 when only the exact difference can. The estimated difference is
// within (|s| + |p|) * 2^-50 + |d| * 2^-52 of the exact one, and the threshold within 2^-56 of
// 0.1; the margin is four times the sum.
int EstimateChange(double s, double p) {
  const double d = std::fabs(s - p);
  const double margin = (std::fabs(s) + std::fabs(p)) * 0x1p-48 + d * 0x1p-50 + 0x1p-54;
  if (d > 0.1 + margin) return 1;
  if (d < 0.1 - margin) return 0;
  return -1;
}

// A rank plus 1, the point's number, held as a double as the label of its line.
double PointNumber(double rank) { return rt::Store(rt::Add(rank, 1)); }

}  // namespace

void Traitement2(Store& store, const Loader& loader, char decimal_separator, Memo& memo,
                 MessageBox& message_box) {
  LoadSeries(store, loader);
  const std::int32_t step = ThinningStep(store);
  if (step == 0) {
    message_box.Show("Impossible de trouver des points alignés");
    memo.Add("Pas de segments ...");
    return;
  }

  memo.Clear();
  Thin(store, step);
  PointLine point(decimal_separator);
  const std::int32_t n = store.NbPoints;
  memo.Add(kListingHeader);
  memo.Add(point(PointNumber(store.TabY[0]), store.TabX[0]));

  const double* const x2 = store.TabX2.data();
  const double* const y2 = store.TabY2.data();
  estimates::StepEstimate previous{0, false};
  std::int32_t last_listed = 0;
  for (std::int32_t j = 1; j <= store.NbPoints2 - 2; ++j) {
    // The step of j runs from thinned point j to thinned point j + 1.
    const estimates::StepEstimate s = estimates::EstimateStep(x2[j], x2[j + 1], y2[j], y2[j + 1]);
    // The exact slope, for the error it may raise.
    if (!s.valid) Slope2(store, j, 2);
    if (j > 2) {
      // Two valid estimates raise nothing, and their difference matters only where the spacing
      // allows a listed point.
      int changed = 0;
      if (!s.valid || !previous.valid) {
        changed = -1;
      } else if (j > last_listed + kSpacing) {
        changed = EstimateChange(s.slope, previous.slope);
      }
      // Two +infinity slopes in a row make this difference an invalid operation, which stops the
      // command.
      if (changed < 0) {
        changed =
            std::fabs(rt::Sub(Slope2(store, j, 2), Slope2(store, j - 1, 2))) > kSlopeThreshold;
      }
      if (changed == 1 && j > last_listed + kSpacing) {
        memo.Add(point(PointNumber(store.TabY2[j]), store.TabX2[j]));
        last_listed = j;
      }
    }
    previous = s;
  }
  memo.Add(point(PointNumber(store.TabY[n - 1]), store.TabX[n - 1]));
  memo.Add(" Fin des segments  --------------- ");
}

}  // namespace analysis
