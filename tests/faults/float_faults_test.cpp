// Floating-point faults on small series, through both commands: each stops the command where its
// steps say, with the exact text, keeps the lines added so far, releases the results file, and
// the next command on a good data set works.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "fault_support.h"
#include "runtime/errors.h"

namespace faults {
namespace {

constexpr const char* kInvalid = "Opération en virgule flottante incorrecte";
constexpr const char* kOverflow = "Débordement en virgule flottante";
// The smallest positive double: a step this small has a slope of about 2e323.
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

// Steps of 1 up to point 8, then steps of 2: "Traitement" lists point 6 alone.
std::vector<double> Corner() {
  std::vector<double> x;
  for (int p = 1; p <= 18; ++p) x.push_back(p <= 8 ? p - 1 : 7 + 2 * (p - 8));
  return x;
}

std::vector<double> CornerWith(int point, double value) {
  std::vector<double> x = Corner();
  x[point - 1] = value;
  return x;
}

// Steps of 1 up to point 9, where the series drops back to 0 and then takes a step of the
// smallest double.
const std::vector<double> kTinyStepAfterPoint10 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, kTiny, 1, 2, 3};

struct Case {
  const char* name;
  std::vector<double> series;
  const char* error;  // empty when the command runs to its end
  std::vector<std::string> memo;
};

TEST(FloatFaults, Traitement) {
  const Case cases[] = {
      {"equal points 4 and 5 stop window 4, the first that sums their step",
       {0, 1, 2, 3, 3, 4, 5, 6, 7, 8},
       kInvalid,
       {"Point\tX", " 1\t0"}},
      {"equal points 2 and 3 stop window 4 too",
       {0, 1, 1, 2, 3, 4, 5, 6, 7, 8},
       kInvalid,
       {"Point\tX", " 1\t0"}},
      {"equal points 8 and 9 stop window 8 before it lists point 6",
       CornerWith(9, 7),
       kInvalid,
       {"Point\tX", " 1\t0"}},
      {"equal points 15 and 16 stop the last window, after point 6",
       CornerWith(16, 21),
       kInvalid,
       {"Point\tX", " 1\t0", " 6\t5"}},
      {"equal points 16 and 17 come after the last window",
       CornerWith(17, 23),
       "",
       {"Point\tX", " 1\t0", " 6\t5", " 18\t27"}},
      {"equal points 1 and 2 leave the sums before the first one",
       {0, 0, 2, 4, 6, 8, 10, 12, 14},
       "",
       {"Point\tX", " 1\t0", " 9\t14"}},
      {"a step of the smallest double overflows in window 1",
       {0, kTiny, 1, 2, 3, 4, 5, 6, 7},
       kOverflow,
       {"Point\tX", " 1\t0"}},
      {"a step of the smallest double overflows in window 10, after point 7",
       kTinyStepAfterPoint10,
       kOverflow,
       {"Point\tX", " 1\t0", " 7\t6"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkDir dir;
    auto store = std::make_unique<analysis::Store>();
    const Outcome run =
        RunTraitement(*store, fixtures::SeriesOf(c.series), {"earlier"}, dir.Results());
    EXPECT_EQ(run.error, c.error);
    EXPECT_EQ(run.memo, c.memo);
    EXPECT_EQ(run.descriptors, 0);
    if (run.error.empty()) {
      EXPECT_EQ(run.file, FileText(c.memo));
    }

    const Outcome next =
        RunTraitement(*store, analysis::DataSetLoader(0), {"earlier"}, dir.Results());
    EXPECT_EQ(next.error, "");
    EXPECT_EQ(next.memo, kJeu1Traitement);
    EXPECT_EQ(next.file, FileText(kJeu1Traitement));
  }
}

// A step-2 series: chords over two steps agree from the start, single steps alternate 1 and 2.
// Its thinned values are 0, 3, 6, ..., 27.
std::vector<double> Zigzag() {
  std::vector<double> x;
  for (int p = 1; p <= 19; ++p) x.push_back(p % 2 == 1 ? 3 * (p - 1) / 2 : 3 * (p - 2) / 2 + 1);
  return x;
}

std::vector<double> ZigzagWith(std::initializer_list<std::pair<int, double>> changes) {
  std::vector<double> x = Zigzag();
  for (const auto& [point, value] : changes) x[point - 1] = value;
  return x;
}

TEST(FloatFaults, Traitement2) {
  const std::string closing = " Fin des segments  --------------- ";
  const Case cases[] = {
      {"step 1, thinned points 8 to 10 equal: the second infinite slope stops the listing",
       {0, 1, 2, 3, 4, 5, 6, 7, 7, 7, 8, 9},
       kInvalid,
       {"Point\tX", " 1\t0", " 8\t7"}},
      {"step 2, thinned points 7 to 9 equal",
       ZigzagWith({{14, 18}, {15, 18}, {16, 18}, {17, 18}}),
       kInvalid,
       {"Point\tX", " 1\t0", " 13\t18"}},
      {"step 2, equal neighbours that the thinning leaves apart",
       ZigzagWith({{14, 18}}),
       "",
       {"Point\tX", " 1\t0", " 19\t27", closing}},
      {"step 1, thinned points 1 to 3 equal: the slopes are not compared before point 3",
       {0, 0, 0, 1000, 1001, 1002, 1003, 1004, 1005},
       "",
       {"Point\tX", " 1\t0", " 9\t1005", closing}},
      {"a step of the smallest double overflows in the listing, after point 9",
       kTinyStepAfterPoint10,
       kOverflow,
       {"Point\tX", " 1\t0", " 9\t8"}},
      {"a step of the smallest double overflows in the search, before the memo is cleared",
       {0, kTiny, 2 * kTiny, 1, 2, 3, 4, 5, 6},
       kOverflow,
       {"earlier"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto store = std::make_unique<analysis::Store>();
    MemoFake memo({"earlier"});
    MessageBoxFake box;
    std::string error;
    try {
      analysis::Traitement2(*store, fixtures::SeriesOf(c.series), '.', memo, box);
    } catch (const rt::Error& e) {
      error = e.text();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(memo.lines, c.memo);
    EXPECT_EQ(box.shown, std::vector<std::string>{});

    MemoFake next({"earlier"});
    analysis::Traitement2(*store, analysis::DataSetLoader(0), '.', next, box);
    EXPECT_EQ(next.lines, kJeu1Traitement2);
  }
}

}  // namespace
}  // namespace faults
