#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "data/jeu1.h"
#include "data/jeu2.h"

namespace {

constexpr double kSentinel = 12345.678;
constexpr std::size_t kRoom = 30000;

struct Loaded {
  std::int32_t count = -1;
  std::vector<double> values = std::vector<double>(kRoom, kSentinel);
};

template <typename LoaderFn>
Loaded Load(LoaderFn loader) {
  Loaded l;
  loader(l.count, l.values);
  return l;
}

// The whole number of thousandths of a stored value.
std::int64_t Thousandths(double v) { return std::llround(v * 1000); }

struct Telling {
  int k;
  double value;
};

struct DataSet {
  const char* name;
  void (*loader)(std::int32_t&, std::span<double>);
  std::int32_t count;
  std::vector<Telling> telling;  // the published values, near-midpoint ones included
  std::set<std::int64_t> steps;  // neighbour differences, in thousandths
};

const DataSet kDataSets[] = {
    {"Jeu1",
     data::LoadJeu1,
     27686,
     {{1, 0},
      {2, -2.044},
      {3, -0.512},
      {4, -2.556},
      {5, -4.6},
      {6, -3.069},
      {1776, -1511.223},
      {1777, -1513.266},
      {1778, -1515.31},
      {1779, -1512.663},
      {1780, -1514.706},
      {4110, -2631.693},
      {4111, -2633.736},
      {4112, -2634.507},
      {4113, -2631.86},
      {13340, 766.101},
      {13341, 768.748},
      {13342, 767.977},
      {13343, 767.206},
      {13344, 765.163},
      {24489, -12554.861},
      {24490, -12555.632},
      {24491, -12552.408},
      {24492, -12554.451},
      {27685, -7864.767},
      {27686, -7861.542},
      // The totals nearest to a change of rounding.
      {27358, -8344.864},
      {16228, -2681.246},
      {12686, 525.096},
      {4360, -2541.978}},
     {-2044, -2043, 1531, 1532, 2647, 2648, -771, -770, 3224, 3225}},
    {"Jeu2",
     data::LoadJeu2,
     13127,
     {{1, 0},
      {2, 0.822},
      {3, -0.527},
      {4, 0.294},
      {666, -174.268},
      {667, -175.618},
      {668, -173.323},
      {6806, 2728.784},
      {6807, 2727.435},
      {6808, 2726.274},
      {7009, 2473.887},
      {7010, 2472.725},
      {7011, 2471.564},
      {9374, -272.328},
      {9375, -273.489},
      {9376, -273.271},
      {9577, -368.698},
      {9578, -368.48},
      {9579, -368.261},
      {13126, 406.864},
      {13127, 407.082},
      // The totals nearest to a change of rounding.
      {8566, 665.914},
      {12788, 333.001},
      {9916, -294.616}},
     {-1350, -1349, 821, 822, 2294, 2295, -1162, -1161, 218, 219}},
};

TEST(DataSets, CountTellingValuesAndUntouchedElements) {
  for (const DataSet& set : kDataSets) {
    SCOPED_TRACE(set.name);
    const Loaded l = Load(set.loader);
    EXPECT_EQ(l.count, set.count);
    for (const Telling& t : set.telling) EXPECT_EQ(l.values[t.k], t.value) << "value " << t.k;
    // Element 0 and everything past the count are not the loader's.
    EXPECT_EQ(l.values[0], kSentinel);
    EXPECT_TRUE(std::all_of(l.values.begin() + set.count + 1, l.values.end(),
                            [](double v) { return v == kSentinel; }));
  }
}

TEST(DataSets, EveryValueIsTheNearestDoubleToItsThousandthsAndStepsAreTheListedOnes) {
  for (const DataSet& set : kDataSets) {
    SCOPED_TRACE(set.name);
    const Loaded l = Load(set.loader);
    for (int k = 1; k <= set.count; ++k) {
      ASSERT_EQ(l.values[k], static_cast<double>(Thousandths(l.values[k])) / 1000.0) << k;
      if (k >= 2) {
        ASSERT_TRUE(set.steps.count(Thousandths(l.values[k]) - Thousandths(l.values[k - 1])))
            << "step into value " << k;
      }
    }
    EXPECT_EQ(std::count(l.values.begin() + 1, l.values.begin() + set.count + 1, 0.0), 1)
        << "value 1 is the only zero";
  }
}

TEST(DataSets, TheQuotientAndNotTheProductGivesTheValues) {
  const Loaded jeu1 = Load(data::LoadJeu1);
  EXPECT_EQ(jeu1.values[5], -4.6);
  EXPECT_NE(jeu1.values[5], -4600 * 0.001);
  const Loaded jeu2 = Load(data::LoadJeu2);
  EXPECT_EQ(jeu2.values[2], 0.822);
  EXPECT_NE(jeu2.values[2], 822 * 0.001);
}

TEST(DataSets, ExtremesOfJeu1AndJeu2) {
  const struct {
    void (*loader)(std::int32_t&, std::span<double>);
    int min_k, max_k;
  } rows[] = {{data::LoadJeu1, 24490, 13341}, {data::LoadJeu2, 9577, 6806}};
  for (const auto& row : rows) {
    const Loaded l = Load(row.loader);
    const auto first = l.values.begin() + 1, last = l.values.begin() + l.count + 1;
    EXPECT_EQ(std::min_element(first, last) - l.values.begin(), row.min_k);
    EXPECT_EQ(std::max_element(first, last) - l.values.begin(), row.max_k);
  }
}

TEST(DataSets, EveryCallStoresTheSameValues) {
  Loaded l = Load(data::LoadJeu1);
  const std::vector<double> first = l.values;
  data::LoadJeu2(l.count, l.values);
  data::LoadJeu1(l.count, l.values);
  EXPECT_EQ(l.count, 27686);
  EXPECT_EQ(l.values, first);
}

}  // namespace
