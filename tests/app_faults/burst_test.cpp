// A burst of presses: the two processing buttons in a random order, with the data set switched
// at random between them. After every press the text box holds exactly that command's listing
// and the results file that of the last "Traitement"; nothing carries over between presses.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>
#include <random>

#include "analysis/commands.h"
#include "app/radio_group.h"
#include "window_support.h"

namespace {

class WindowBurst : public WindowFaultTest {};

TEST_F(WindowBurst, ThousandPressesEachLeaveExactlyTheirListing) {
  // Jeu2's "Traitement" listing is only published at its ends; its first press gives the rest,
  // which every later press must repeat.
  std::optional<QStringList> jeu2_traitement;
  const auto expected = [&](int item, bool traitement) -> const QStringList& {
    if (!traitement) return item == 0 ? kJeu1Traitement2 : kJeu2Traitement2;
    return item == 0 ? kJeu1Traitement : *jeu2_traitement;
  };

  std::mt19937 random(20261211);
  std::bernoulli_distribution coin;
  int item = 0;
  std::optional<QByteArray> file;  // what the last "Traitement" wrote
  for (int press = 0; press < 1000; ++press) {
    if (coin(random)) {
      item = 1 - item;
      Click(window().Rd_Jeu->Item(item));
    }
    ASSERT_EQ(window().Rd_Jeu->ItemIndex(), item);
    const bool traitement = coin(random);
    const SeenBox box =
        ClickAndCloseBox(window(), traitement ? window().Btn_Traitement : window().Btn_Traitement2);
    ASSERT_FALSE(box.seen) << "press " << press << ": " << box.text.toStdString();

    const QStringList lines = MemoLines(window());
    if (traitement && item == 1 && !jeu2_traitement) {
      ASSERT_EQ(lines.size(), 1759);
      ASSERT_EQ(lines.mid(0, 3), QStringList({"Point\tX", " 1\t0", " 4\t-0.527"}));
      ASSERT_EQ(lines.mid(1757), QStringList({" 13122\t405.771", " 13127\t406.864"}));
      jeu2_traitement = lines;
    }
    ASSERT_EQ(lines, expected(item, traitement)) << "press " << press << ", Jeu" << item + 1
                                                 << (traitement ? " Traitement" : " Traitement 2");
    if (traitement) file = FileBytes(lines);
    if (file) {
      ASSERT_EQ(ReadFile(Results()), *file) << "press " << press;
    } else {
      ASSERT_TRUE(ReadFile(Results()).isEmpty()) << "press " << press;
    }
  }
}

}  // namespace
