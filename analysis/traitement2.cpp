#include <cmath>

#include "analysis/commands.h"
#include "analysis/listing.h"
#include "analysis/slopes.h"
#include "runtime/extended.h"

namespace analysis {
namespace {

// Both are the nearest 64-bit-significand values to 1/100 and 1/10.
constexpr rt::Extended kChordTolerance = 0.01L;
constexpr rt::Extended kSlopeThreshold = 0.1L;
constexpr std::int32_t kSpacing = 5;

// The smallest span n (1 to 8) at which the chords from point 2 to point n + 2 and from there to
// point 2n + 2 have the same slope within the tolerance; 0 when there is none. Reads no point
// past 18.
std::int32_t ThinningStep(const Store& store) {
  for (std::int32_t k = 3; k <= 10; ++k) {
    const double s1 = Slope3(store, 2, k);
    const double s2 = Slope3(store, k, 2 * k - 2);
    if (std::fabs(rt::Sub(s2, s1)) < kChordTolerance) return k - 2;
  }
  return 0;
}

// Keeps points 1, 1 + n, 1 + 2n, ... as thinned points 1, 2, 3, ...; a step of 1 keeps every
// point, for which the thinned arrays have room.
void Thin(Store& store, std::int32_t step) {
  std::int32_t count = 0;
  for (std::int32_t j = 1; j <= store.NbPoints; j += step) {
    ++count;
    store.TabX2[count] = store.TabX[j - 1];
    store.TabY2[count] = store.TabY[j - 1];
  }
  store.NbPoints2 = count;
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

  double previous = 0;
  std::int32_t last_listed = 0;
  for (std::int32_t j = 1; j <= store.NbPoints2 - 2; ++j) {
    const double s = Slope2(store, j, 2);
    // Two +infinity slopes in a row make this difference an invalid operation, which stops the
    // command.
    if (j > 2 && std::fabs(rt::Sub(s, previous)) > kSlopeThreshold && j > last_listed + kSpacing) {
      memo.Add(point(PointNumber(store.TabY2[j]), store.TabX2[j]));
      last_listed = j;
    }
    previous = s;
  }
  memo.Add(point(PointNumber(store.TabY[n - 1]), store.TabX[n - 1]));
  memo.Add(" Fin des segments  --------------- ");
}

}  // namespace analysis
