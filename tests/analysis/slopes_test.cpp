#include "analysis/slopes.h"

#include <gtest/gtest.h>

#include <limits>

#include "fixtures.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

enum class Op { kSlope, kSlope3 };

struct Row {
  Op op;
  std::int32_t a, b;
  double expected;
};

void Check(const std::vector<double>& points, const std::vector<Row>& rows) {
  auto store = fixtures::NewStore();
  analysis::LoadSeries(*store, fixtures::SeriesOf(points));
  for (const Row& row : rows) {
    const double got = row.op == Op::kSlope ? analysis::Slope(*store, row.a, row.b)
                                            : analysis::Slope3(*store, row.a, row.b);
    EXPECT_EQ(got, row.expected) << (row.op == Op::kSlope ? "Slope(" : "Slope3(") << row.a << ", "
                                 << row.b << ")";
  }
}

TEST(Slopes, MeansChordsAndRefusedWindows) {
  Check({0, 2, 1, 3}, {
                          {Op::kSlope, 1, 2, 0.5},
                          {Op::kSlope, 2, 2, -1},
                          {Op::kSlope, 3, 2, 0},  // its last point would be N
                          {Op::kSlope, 1, 3, -0.25},
                          {Op::kSlope, 2, 3, 0},
                          {Op::kSlope, 1, 1, 0},
                          {Op::kSlope, 1, 0, 0},
                          {Op::kSlope3, 1, 4, 1},  // j = N is allowed
                          {Op::kSlope3, 2, 1, 0.5},
                          {Op::kSlope3, 4, 1, 0},  // i = N is not
                          {Op::kSlope3, 3, 3, 0},
                          {Op::kSlope3, 1, 5, 0},
                      });
}

TEST(Slopes, AStepWithoutExtentIsInfiniteForSlopeAndZeroForSlope3) {
  Check({0, 1, 1, 3}, {
                          {Op::kSlope, 2, 2, kInf},
                          {Op::kSlope, 1, 3, kInf},  // 1, then the zero step
                          {Op::kSlope, 1, 2, 1},
                          {Op::kSlope3, 2, 3, 0},
                      });
  // Once infinite, a later finite step leaves the mean infinite.
  Check({0, 1, 1, 3, 4}, {{Op::kSlope, 2, 3, kInf}});
}

TEST(Slopes, BuiltInSeriesStartWithAZeroStep) {
  auto store = fixtures::NewStore();
  for (std::int32_t item : {0, 1}) {
    analysis::LoadSeries(*store, item);
    EXPECT_EQ(analysis::Slope(*store, 1, 2), kInf);
    EXPECT_EQ(analysis::Slope3(*store, 1, 2), 0);
  }
}

TEST(Slopes, Slope2WorksOnTheThinnedSeries) {
  auto store = fixtures::NewStore();
  // Thinned points 1 to 4 with step 3: ranks 0, 3, 6, 9.
  store->NbPoints2 = 4;
  const double x[] = {0, 0, 1.5, 2.5, 1.5};
  for (int e = 1; e <= 4; ++e) {
    store->TabX2[e] = x[e];
    store->TabY2[e] = 3.0 * (e - 1);
  }
  EXPECT_EQ(analysis::Slope2(*store, 1, 2), 2);  // 3 / 1.5
  EXPECT_EQ(analysis::Slope2(*store, 2, 2), 3);  // 3 / 1
  EXPECT_EQ(analysis::Slope2(*store, 3, 2), 0);  // 3 > N2 - 2
  EXPECT_EQ(analysis::Slope2(*store, 1, 3), 2.5);
  store->TabX2[2] = 0;
  EXPECT_EQ(analysis::Slope2(*store, 1, 2), kInf);
}

}  // namespace
