// Floating-point faults on small series through the window: the press shows the error box with
// the text and its period, the text box holds the lines the command had added, and the next
// press on a built-in data set works.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>
#include <span>
#include <vector>

#include "analysis/commands.h"
#include "analysis/store.h"
#include "window_support.h"

namespace {

constexpr const char* kInvalid = "Opération en virgule flottante incorrecte.";
constexpr const char* kOverflow = "Débordement en virgule flottante.";
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

// Steps of 1, a drop back to 0 at point 10, then a step of the smallest double.
const std::vector<double> kTinyStepAfterPoint10 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, kTiny, 1, 2, 3};

enum class Button { Traitement, Traitement2 };

struct Case {
  const char* name;
  Button button;
  std::vector<double> series;
  const char* text;
  QStringList memo;
};

const Case kCases[] = {
    {"equal points 4 and 5 stop Traitement in window 4",
     Button::Traitement,
     {0, 1, 2, 3, 3, 4, 5, 6, 7, 8},
     kInvalid,
     {"Point\tX", " 1\t0"}},
    {"a step of the smallest double stops Traitement in window 10, after point 7",
     Button::Traitement,
     kTinyStepAfterPoint10,
     kOverflow,
     {"Point\tX", " 1\t0", " 7\t6"}},
    {"three equal thinned values stop Traitement 2 after listing the first",
     Button::Traitement2,
     {0, 1, 2, 3, 4, 5, 6, 7, 7, 7, 8, 9},
     kInvalid,
     {"Point\tX", " 1\t0", " 8\t7"}},
    {"a step of the smallest double stops the listing of Traitement 2, after point 9",
     Button::Traitement2,
     kTinyStepAfterPoint10,
     kOverflow,
     {"Point\tX", " 1\t0", " 9\t8"}},
    {"a step of the smallest double stops the search of Traitement 2: the text box is untouched",
     Button::Traitement2,
     {0, kTiny, 2 * kTiny, 1, 2, 3, 4, 5, 6},
     kOverflow,
     {"avant"}},
};

class WindowFloatFaults : public WindowFaultTest {};

TEST_F(WindowFloatFaults, PressStopsWithTheErrorBoxAndTheNextPressWorks) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    QPushButton* button =
        c.button == Button::Traitement ? window().Btn_Traitement : window().Btn_Traitement2;
    window().Memo1->setPlainText(QStringLiteral("avant"));
    const analysis::Loader loader = fixtures::SeriesOf(c.series);
    window().SetDataSets([&loader](std::int32_t) { return loader; });

    const SeenBox box = ClickAndCloseBox(window(), button);
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(box, c.text));
    EXPECT_EQ(box.memo_while_shown, c.memo);
    EXPECT_EQ(MemoLines(window()), c.memo);
    if (c.button == Button::Traitement) {
      EXPECT_EQ(DescriptorsOn(Results().toStdString()), 0);
    }

    window().SetDataSets(&analysis::DataSetLoader);
    EXPECT_FALSE(ClickAndCloseBox(window(), button).seen);
    EXPECT_EQ(MemoLines(window()),
              c.button == Button::Traitement ? kJeu1Traitement : kJeu1Traitement2);
  }
}

}  // namespace
