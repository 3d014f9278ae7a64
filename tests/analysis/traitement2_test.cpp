#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/commands.h"
#include "fixtures.h"
#include "runtime/errors.h"

namespace {

using Lines = std::vector<std::string>;
constexpr const char* kClosing = " Fin des segments  --------------- ";

class Traitement2Test : public ::testing::Test {
 protected:
  Lines Run(const analysis::Loader& loader) {
    analysis::Traitement2(*store_, loader, '.', memo_, box_);
    return memo_.lines;
  }

  std::unique_ptr<analysis::Store> store_ = fixtures::NewStore();
  fixtures::FakeMemo memo_;
  fixtures::FakeMessageBox box_;
};

// A series whose first chords give thinning step 1, continued from point 16 by steps of `late`.
std::vector<double> StepOneSeries(double late) {
  std::vector<double> points = {0, 0};
  for (int k = 1; k <= 14; ++k) points.push_back(2 * k);  // slope 0.5
  for (int k = 1; k <= 10; ++k) points.push_back(28 + late * k);
  return points;
}

TEST_F(Traitement2Test, BuiltInDataSets) {
  const struct {
    std::int32_t item_index;
    std::int32_t step, n2;
    Lines expected;
  } rows[] = {
      {0,
       3,
       9229,
       {"Point\tX", " 1\t0", " 1777\t-1511.223", " 4111\t-2631.693", " 13342\t768.748",
        " 24490\t-12554.861", " 27686\t-7864.767", kClosing}},
      {1,
       2,
       6564,
       {"Point\tX", " 1\t0", " 667\t-174.268", " 6807\t2728.784", " 9375\t-272.328",
        " 9579\t-368.48", " 13127\t406.864", kClosing}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item_index);
    memo_.lines = {"typed by the user"};
    EXPECT_EQ(Run(analysis::DataSetLoader(row.item_index)), row.expected);
    EXPECT_TRUE(box_.shown.empty());
    ASSERT_EQ(store_->NbPoints2, row.n2);
    // Thinned point e is point 1 + (e - 1) * step.
    for (std::int32_t e = 1; e <= row.n2; ++e) {
      ASSERT_EQ(store_->TabY2[e], (e - 1) * row.step);
      ASSERT_EQ(store_->TabX2[e], store_->TabX[(e - 1) * row.step]);
    }
  }
}

TEST_F(Traitement2Test, NoStepFoundSaysSoAndAppendsBelowTheMemo) {
  // A chord difference of exactly 0.01 (slopes 0 and 1/100) does not select a step, and no later
  // pair of chords agrees.
  std::vector<double> exact = {0, 0, 0, 100};
  for (int k = 1; k <= 14; ++k) exact.push_back(100 + k);

  Run(analysis::DataSetLoader(0));
  memo_.lines = {"typed by the user"};
  Run(fixtures::SeriesOf(exact));
  Run(fixtures::SeriesOf(exact));
  EXPECT_EQ(box_.shown, (Lines{"Impossible de trouver des points alignés",
                               "Impossible de trouver des points alignés"}));
  EXPECT_EQ(memo_.lines,
            (Lines{"typed by the user", "Pas de segments ...", "Pas de segments ..."}));
  EXPECT_EQ(store_->NbPoints2, 9229) << "the thinned series of the last successful run stays";
  EXPECT_EQ(store_->NbPoints, 18);

  // Just under 0.01, the same chords agree: step 1.
  exact[3] = 100.5;
  box_.shown.clear();
  Run(fixtures::SeriesOf(exact));
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_EQ(store_->NbPoints2, 18);
}

TEST_F(Traitement2Test, StepOneKeepsEveryPointAndOnlyChangesAbove0Point1List) {
  const struct {
    const char* what;
    double late;
    Lines listed;
    const char* last_line;
  } rows[] = {
      // 0.5 to 0.4: a change of 0.1 in decimal, just below it in binary.
      {"slope 0.5 then 0.4", 2.5, {}, " 26\t53"},
      {"slope 0.5 then 0.625", 1.6, {" 16\t28"}, " 26\t44"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::vector<double> points = StepOneSeries(row.late);
    Lines expected = {"Point\tX", " 1\t0"};
    expected.insert(expected.end(), row.listed.begin(), row.listed.end());
    expected.push_back(row.last_line);
    expected.push_back(kClosing);
    EXPECT_EQ(Run(fixtures::SeriesOf(points)), expected);
    ASSERT_EQ(store_->NbPoints2, 26);
    for (std::int32_t e = 1; e <= 26; ++e) {
      ASSERT_EQ(store_->TabY2[e], e - 1);
      ASSERT_EQ(store_->TabX2[e], points[e - 1]);
    }
  }
}

TEST_F(Traitement2Test, ThinnedSeriesOfAtMostTwoPointsListNothingBetweenTheEnds) {
  // With fewer than four points both chords of the first pair are refused: 0 and 0 agree.
  const struct {
    std::vector<double> points;
    Lines expected;
  } rows[] = {
      {{0}, {"Point\tX", " 1\t0", " 1\t0", kClosing}},
      {{0, 5}, {"Point\tX", " 1\t0", " 2\t5", kClosing}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Run(fixtures::SeriesOf(row.points)), row.expected);
    EXPECT_EQ(store_->NbPoints2, static_cast<std::int32_t>(row.points.size()));
  }
}

TEST_F(Traitement2Test, ThreeEqualThinnedValuesStopTheCommand) {
  try {
    Run(fixtures::SeriesOf({0, 0, 2, 4, 6, 6, 6, 8, 10, 12}));
    ADD_FAILURE() << "no error";
  } catch (const rt::FloatError& e) {
    EXPECT_EQ(e.text(), "Opération en virgule flottante incorrecte");
  }
  EXPECT_EQ(memo_.lines, (Lines{"Point\tX", " 1\t0"}));
  EXPECT_EQ(Run(analysis::DataSetLoader(1)).size(), 8u);
}

}  // namespace
