#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "analysis/store.h"
#include "fixtures.h"

namespace {

using analysis::LoadSeries;

TEST(LoadSeries, BuiltInSeriesStartAtZeroAndCarryTheirRanks) {
  const struct {
    std::int32_t item_index;
    std::int32_t n;
    std::vector<double> first_points;
    double last_point, past_the_end;
  } rows[] = {
      {0, 27686, {0, 0, -2.044, -0.512}, -7864.767, -7861.542},
      {1, 13127, {0, 0, 0.822}, 406.864, 407.082},
      {-1, 13127, {0, 0, 0.822}, 406.864, 407.082},  // any index but 0 is Jeu2
      {2, 13127, {0, 0, 0.822}, 406.864, 407.082},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item_index);
    auto store = fixtures::NewStore();
    LoadSeries(*store, row.item_index);
    ASSERT_EQ(store->NbPoints, row.n);
    for (std::size_t p = 0; p < row.first_points.size(); ++p)
      EXPECT_EQ(store->TabX[p], row.first_points[p]);
    EXPECT_EQ(store->TabX[row.n - 1], row.last_point);
    EXPECT_EQ(store->TabX[row.n], row.past_the_end);
    for (std::int32_t p = 1; p <= row.n; ++p) ASSERT_EQ(store->TabY[p - 1], p - 1);
    EXPECT_EQ(store->TabY[row.n], 0) << "no rank past the series";
  }
}

TEST(LoadSeries, ReloadingGivesTheFirstStateAgainAndLeavesTheThinnedSeries) {
  auto store = fixtures::NewStore();
  store->NbPoints2 = 7;
  store->TabX2[1] = 42;
  store->TabY2[1] = 43;
  LoadSeries(*store, 0);
  const auto first = std::make_unique<analysis::Store>(*store);
  LoadSeries(*store, 1);
  // What Jeu1 left past Jeu2's values is still there.
  EXPECT_EQ(store->TabX[13128], first->TabX[13128]);
  EXPECT_EQ(store->TabY[13127], first->TabY[13127]);
  LoadSeries(*store, 0);
  EXPECT_EQ(store->NbPoints, first->NbPoints);
  EXPECT_EQ(store->TabX, first->TabX);
  EXPECT_EQ(store->TabY, first->TabY);
  EXPECT_EQ(store->NbPoints2, 7);
  EXPECT_EQ(store->TabX2[1], 42);
  EXPECT_EQ(store->TabY2[1], 43);
}

TEST(LoadSeries, ACountBeyondTheStoreIsHeldToItsRoom) {
  auto store = fixtures::NewStore();
  LoadSeries(*store, [](std::int32_t& count, std::span<double>) { count = 1'000'000; });
  EXPECT_EQ(store->NbPoints, analysis::MaxPoints - 1);
  LoadSeries(*store, [](std::int32_t& count, std::span<double>) { count = 0; });
  EXPECT_EQ(store->NbPoints, 1);
}

}  // namespace
