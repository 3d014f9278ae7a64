#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

// The point series the commands work on. Point p of the full series (1 to NbPoints) has its value
// X(p) in TabX[p - 1] and its rank Y(p) = p - 1 in TabY[p - 1]. Thinned point e (1 to NbPoints2)
// is stored at TabX2[e], TabY2[e]; element 0 of the thinned arrays is never used.
namespace analysis {

inline constexpr std::int32_t MaxPoints = 30000;
// A thinning step of 1 keeps every point, so the thinned series needs the room of the full one
// (plus its unused element 0, which the full series' unused last element pays for).
inline constexpr std::int32_t MaxPoints2 = MaxPoints;

struct Store {
  std::int32_t NbPoints = 0;
  std::array<double, MaxPoints> TabX{};
  std::array<double, MaxPoints> TabY{};
  std::int32_t NbPoints2 = 0;
  std::array<double, MaxPoints2> TabX2{};
  std::array<double, MaxPoints2> TabY2{};
};

// A data-set loader: sets the count N and stores value k of its data set in values[k] for k = 1
// to N. Element 0 stays as it is, so value k becomes point k + 1, and N must stay below the
// array's length.
using Loader = std::function<void(std::int32_t& count, std::span<double> values)>;

// The loader of a built-in data set for an item index of the data-set choice: Jeu1 for 0, Jeu2
// for any other index.
Loader DataSetLoader(std::int32_t item_index);

// Runs the loader into NbPoints and TabX, then gives every point p its rank p - 1. Nothing else
// changes: elements past the new count keep what an earlier load left, and the thinned series
// stays as it was.
void LoadSeries(Store& store, const Loader& loader);
void LoadSeries(Store& store, std::int32_t item_index);

}  // namespace analysis
