#include <algorithm>

#include "analysis/store.h"
#include "data/jeu1.h"
#include "data/jeu2.h"

namespace analysis {

static_assert(data::kJeu1Count < MaxPoints && data::kJeu2Count < MaxPoints,
              "a loader writes element N, so a data set must be shorter than the store");

Loader DataSetLoader(std::int32_t item_index) {
  return item_index == 0 ? Loader(data::LoadJeu1) : Loader(data::LoadJeu2);
}

void LoadSeries(Store& store, const Loader& loader) {
  loader(store.NbPoints, store.TabX);
  // The built-in data sets always fit. A loader that broke its contract with a count of its own
  // is held to what the arrays can take, so that no command reads past them.
  store.NbPoints = std::clamp(store.NbPoints, 1, MaxPoints - 1);
  for (std::int32_t p = 1; p <= store.NbPoints; ++p) store.TabY[p - 1] = static_cast<double>(p - 1);
}

void LoadSeries(Store& store, std::int32_t item_index) {
  LoadSeries(store, DataSetLoader(item_index));
}

}  // namespace analysis
