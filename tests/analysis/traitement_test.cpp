#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/commands.h"
#include "fixtures.h"
#include "runtime/errors.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kJeu1Listing = {"Point\tX",         " 1\t0",           " 1777\t-1511.223",
                            " 4110\t-2634.34",  " 13342\t768.748", " 24489\t-12552.817",
                            " 27686\t-7864.767"};

class TraitementTest : public ::testing::Test {
 protected:
  // Runs the command and checks that the memo and the file hold the same lines.
  Lines Run(const analysis::Loader& loader, char separator = '.') {
    memo_.lines = {"typed by the user"};
    analysis::Traitement(*store_, loader, separator, memo_);
    EXPECT_EQ(fixtures::SplitCrLf(dir_.Read("Resultats.txt")), memo_.lines);
    return memo_.lines;
  }

  fixtures::TempDir dir_;
  std::unique_ptr<analysis::Store> store_ = fixtures::NewStore();
  fixtures::FakeMemo memo_;
};

TEST_F(TraitementTest, Jeu1ListsFourPointsInA101ByteFile) {
  EXPECT_EQ(Run(analysis::DataSetLoader(0)), kJeu1Listing);
  std::string expected;
  for (const std::string& line : kJeu1Listing) expected += line + "\r\n";
  EXPECT_EQ(dir_.Read("Resultats.txt"), expected);
  EXPECT_EQ(expected.size(), 101u);
}

TEST_F(TraitementTest, Jeu2ListsPointsMostlySixApart) {
  const Lines lines = Run(analysis::DataSetLoader(1));
  ASSERT_EQ(lines.size(), 1759u);
  const Lines head(lines.begin(), lines.begin() + 6);
  const Lines tail(lines.end() - 3, lines.end());
  EXPECT_EQ(head,
            (Lines{"Point\tX", " 1\t0", " 4\t-0.527", " 10\t-2.11", " 16\t-3.692", " 22\t-5.274"}));
  EXPECT_EQ(tail, (Lines{" 13116\t404.46", " 13122\t405.771", " 13127\t406.864"}));
}

TEST_F(TraitementTest, TheDecimalSeparatorIsTheOneGiven) {
  const Lines lines = Run(analysis::DataSetLoader(0), ',');
  EXPECT_EQ(lines[2], " 1777\t-1511,223");
  EXPECT_EQ(lines[6], " 27686\t-7864,767");
}

TEST_F(TraitementTest, TwoRunsWriteTheSameFileAndTheLongerOneIsTruncated) {
  Run(analysis::DataSetLoader(1));
  Run(analysis::DataSetLoader(0));
  const std::string first = dir_.Read("Resultats.txt");
  Run(analysis::DataSetLoader(0));
  EXPECT_EQ(dir_.Read("Resultats.txt"), first);
  EXPECT_EQ(first.size(), 101u);
}

TEST_F(TraitementTest, SmallSeries) {
  std::vector<double> triangular = {0};  // steps 1, 2, 3, ...: the slope changes in every window
  for (int k = 1; k < 8; ++k) triangular.push_back(triangular.back() + k);
  std::vector<double> rising;
  for (int k = 0; k < 30; ++k) rising.push_back(2 * k);
  // Steps of 1 up to point 8, then steps of 2.
  const std::vector<double> corner = {0,  1,  2,  3,  4,  5,  6,  7,  9,
                                      11, 13, 15, 17, 19, 21, 23, 25, 27};

  const struct {
    const char* what;
    std::vector<double> points;
    Lines expected;
  } rows[] = {
      {"one point", {0}, {"Point\tX", " 1\t0", " 1\t0"}},
      {"two points", {0, 5}, {"Point\tX", " 1\t0", " 2\t5"}},
      {"fewer than 9 points",
       std::vector<double>(triangular.begin(), triangular.begin() + 8),
       {"Point\tX", " 1\t0", " 8\t28"}},
      {"evenly rising", rising, {"Point\tX", " 1\t0", " 30\t58"}},
      {"a corner at point 8", corner, {"Point\tX", " 1\t0", " 6\t5", " 18\t27"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Run(fixtures::SeriesOf(row.points)), row.expected);
  }
}

TEST_F(TraitementTest, EqualNeighboursStopTheCommandInTheFirstSumHoldingTheirStep) {
  std::vector<double> late = {0, 1, 2, 3, 4, 5, 6, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27};
  for (double v : {29, 31, 33, 35, 37, 39, 39, 41, 43, 45, 47}) late.push_back(v);
  const struct {
    const char* what;
    std::vector<double> points;
    Lines before_the_error;
  } rows[] = {
      {"points 2 and 3, summed from window 4",
       {0, 1, 1, 2, 3, 4, 5, 6, 7, 8},
       {"Point\tX", " 1\t0"}},
      {"points 5 and 6", {0, 1, 2, 3, 4, 4, 5, 6, 7, 8, 9, 10}, {"Point\tX", " 1\t0"}},
      {"points 24 and 25, after a listed point", late, {"Point\tX", " 1\t0", " 6\t5"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    memo_.lines.clear();
    try {
      analysis::Traitement(*store_, fixtures::SeriesOf(row.points), '.', memo_);
      ADD_FAILURE() << "no error";
    } catch (const rt::FloatError& e) {
      EXPECT_EQ(e.text(), "Opération en virgule flottante incorrecte");
    }
    EXPECT_EQ(memo_.lines, row.before_the_error);
  }
  // The next run is not affected.
  EXPECT_EQ(Run(analysis::DataSetLoader(0)), kJeu1Listing);
}

// A memo that fails on its third line: the file must not have received that line, and must have
// been released, since each line reaches the memo first.
TEST_F(TraitementTest, TheMemoReceivesEachLineBeforeTheFile) {
  struct FailingMemo : fixtures::FakeMemo {
    void Add(std::string_view line) override {
      if (lines.size() == 2) throw rt::Error("memo full");
      FakeMemo::Add(line);
    }
  } memo;
  EXPECT_THROW(analysis::Traitement(*store_, analysis::DataSetLoader(0), '.', memo), rt::Error);
  EXPECT_EQ(memo.lines, Lines(kJeu1Listing.begin(), kJeu1Listing.begin() + 2));
  const std::string bytes = dir_.Read("Resultats.txt");
  EXPECT_EQ(bytes, std::string("Point\tX\r\n 1\t0\r\n").substr(0, bytes.size()));
  EXPECT_EQ(Run(analysis::DataSetLoader(0)), kJeu1Listing);
}

}  // namespace
