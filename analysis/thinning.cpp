#include "analysis/thinning.h"

#include <cmath>

#include "analysis/slopes.h"
#include "runtime/extended.h"

namespace analysis {
namespace {

// The nearest 64-bit-significand value to 1/100.
constexpr rt::Extended kChordTolerance = 0.01L;

}  // namespace

std::int32_t ThinningStep(const Store& store) {
  for (std::int32_t k = 3; k <= 10; ++k) {
    const double s1 = Slope3(store, 2, k);
    const double s2 = Slope3(store, k, 2 * k - 2);
    if (std::fabs(rt::Sub(s2, s1)) < kChordTolerance) return k - 2;
  }
  return 0;
}

void Thin(Store& store, std::int32_t step) {
  std::int32_t count = 0;
  for (std::int32_t j = 1; j <= store.NbPoints; j += step) {
    ++count;
    store.TabX2[count] = store.TabX[j - 1];
    store.TabY2[count] = store.TabY[j - 1];
  }
  store.NbPoints2 = count;
}

}  // namespace analysis
