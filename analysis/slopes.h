#pragma once

#include <cstdint>

#include "analysis/store.h"

// Slopes dY / dX on the store's series. They read the store only. Callers pass a >= 1, i >= 1 and
// j >= 1.
namespace analysis {

// The mean of the step slopes over points a to a + b - 1 of the full series. 0 when the window is
// refused (a > N - b: its last point would be N; or b < 2). +infinity when a step of the window
// has dX = 0, whatever the other steps hold.
double Slope(const Store& store, std::int32_t a, std::int32_t b);

// The same on the thinned series.
double Slope2(const Store& store, std::int32_t a, std::int32_t b);

// The chord slope (Y(j) - Y(i)) / (X(j) - X(i)) of the full series. 0 when i >= N, j > N, i = j,
// or X(j) = X(i).
double Slope3(const Store& store, std::int32_t i, std::int32_t j);

}  // namespace analysis
