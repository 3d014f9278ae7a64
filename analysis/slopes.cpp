#include "analysis/slopes.h"

#include <limits>

#include "runtime/extended.h"

namespace analysis {
namespace {

// Point p of a series lives at element p - shift of its arrays: shift is 1 for the full series
// and 0 for the thinned one.
double MeanStepSlope(const double* x, const double* y, std::int32_t count, std::int32_t shift,
                     std::int32_t a, std::int32_t b) {
  if (std::int64_t{a} > std::int64_t{count} - b) return 0;
  if (b < 2) return 0;
  double sum = 0;
  for (std::int32_t d = 1; d <= b - 1; ++d) {
    const std::int32_t p = a + d;  // the step from point p - 1 to point p
    const double dx = rt::Store(rt::Sub(x[p - shift], x[p - 1 - shift]));
    const double dy = rt::Store(rt::Sub(y[p - shift], y[p - 1 - shift]));
    if (dx == 0) {
      // The step has no extent: its slope is taken as +infinity, without dividing.
      sum = std::numeric_limits<double>::infinity();
    } else {
      sum = rt::Store(rt::Add(rt::Div(dy, dx), sum));
    }
  }
  return rt::Store(rt::Div(sum, b - 1));
}

}  // namespace

double Slope(const Store& store, std::int32_t a, std::int32_t b) {
  return MeanStepSlope(store.TabX.data(), store.TabY.data(), store.NbPoints, 1, a, b);
}

double Slope2(const Store& store, std::int32_t a, std::int32_t b) {
  return MeanStepSlope(store.TabX2.data(), store.TabY2.data(), store.NbPoints2, 0, a, b);
}

double Slope3(const Store& store, std::int32_t i, std::int32_t j) {
  const std::int32_t n = store.NbPoints;
  if (i >= n || j > n || i == j) return 0;
  const double dx = rt::Store(rt::Sub(store.TabX[j - 1], store.TabX[i - 1]));
  const double dy = rt::Store(rt::Sub(store.TabY[j - 1], store.TabY[i - 1]));
  if (dx == 0) return 0;
  return rt::Store(rt::Div(dy, dx));
}

}  // namespace analysis
