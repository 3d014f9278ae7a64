#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdint>
#include <span>

#include "analysis/commands.h"
#include "app/radio_group.h"
#include "window_fixture.h"

namespace {

enum class Button { Traitement, Traitement2 };

QPushButton* ButtonOf(TF_Princ& window, Button button) {
  return button == Button::Traitement ? window.Btn_Traitement : window.Btn_Traitement2;
}

struct ListingCase {
  const char* name;
  int item;  // 0 for Jeu1, 1 for Jeu2
  Button button;
  qsizetype line_count;
  QStringList head;  // the first lines
  QStringList tail;  // the last lines
};

const ListingCase kListings[] = {
    {"Jeu1_Traitement", 0, Button::Traitement, 7, kJeu1Traitement, {}},
    {"Jeu2_Traitement",
     1,
     Button::Traitement,
     1759,
     {"Point\tX", " 1\t0", " 4\t-0.527"},
     {" 13122\t405.771", " 13127\t406.864"}},
    {"Jeu1_Traitement2", 0, Button::Traitement2, 8, kJeu1Traitement2, {}},
    {"Jeu2_Traitement2", 1, Button::Traitement2, 8, kJeu2Traitement2, {}},
};

// Test names show the case's name, not its bytes.
void PrintTo(const ListingCase& c, std::ostream* out) { *out << c.name; }

class ListingTest : public WindowTest, public ::testing::WithParamInterface<ListingCase> {};

// Pressed as a user would: the data set chosen with the mouse, then the button clicked.
TEST_P(ListingTest, ClickShowsTheListingAndWritesTheFileForTraitement) {
  const ListingCase& c = GetParam();
  Click(window().Rd_Jeu->Item(c.item));
  ASSERT_EQ(window().Rd_Jeu->ItemIndex(), c.item);
  Click(ButtonOf(window(), c.button));

  const QStringList lines = MemoLines(window());
  ASSERT_EQ(lines.size(), c.line_count);
  EXPECT_EQ(lines.mid(0, c.head.size()), c.head);
  EXPECT_EQ(lines.mid(lines.size() - c.tail.size()), c.tail);
  if (c.button == Button::Traitement) {
    EXPECT_EQ(ReadFile(analysis::kResultsFile), FileBytes(lines));
  } else {
    EXPECT_FALSE(QFile::exists(analysis::kResultsFile)) << "Traitement 2 writes no file";
  }
}

INSTANTIATE_TEST_SUITE_P(BuiltInDataSets, ListingTest, ::testing::ValuesIn(kListings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, Jeu1ListingIsTheFileOf101Bytes) {
  Click(window().Btn_Traitement);
  EXPECT_EQ(ReadFile(analysis::kResultsFile).size(), 101);
}

TEST_F(WindowTest, SwitchingToJeu2AndBackListsJeu1Again) {
  Click(window().Rd_Jeu->Item(1));
  Click(window().Btn_Traitement);
  ASSERT_EQ(MemoLines(window()).size(), 1759);
  Click(window().Rd_Jeu->Item(0));
  Click(window().Btn_Traitement);
  EXPECT_EQ(MemoLines(window()), kJeu1Traitement);
  EXPECT_EQ(ReadFile(analysis::kResultsFile), FileBytes(kJeu1Traitement));
}

TEST_F(WindowTest, TypedTextIsReplacedByTheNextListing) {
  struct Row {
    Button button;
    const QStringList& listing;
  };
  for (const Row& row :
       {Row{Button::Traitement, kJeu1Traitement}, Row{Button::Traitement2, kJeu1Traitement2}}) {
    window().Memo1->setFocus();
    QTest::keyClicks(window().Memo1, "du texte");
    QTest::keyClick(window().Memo1, Qt::Key_Return);
    QTest::keyClicks(window().Memo1, "sur deux lignes");
    Click(ButtonOf(window(), row.button));
    EXPECT_EQ(MemoLines(window()), row.listing);
  }
}

// Values k * k: no two neighbouring chords among the first 18 points come within 0.01 of each
// other, so "Traitement 2" finds no thinning step.
void LoadSquares(std::int32_t& count, std::span<double> values) {
  count = 20;
  for (std::int32_t k = 1; k <= count; ++k) values[k] = static_cast<double>(k) * k;
}

TEST_F(WindowTest, NoAlignedPointsIsShownAndNotedBelowTheText) {
  window().Memo1->setPlainText(QStringLiteral("avant"));

  // Through the interface the core uses, with the window's adapters.
  SeenBox seen;
  CloseNextModalBox(seen);
  analysis::Traitement2(window().store(), LoadSquares, '.', window().memo(),
                        window().message_box());
  window().memo().Flush();
  ASSERT_TRUE(seen.seen);
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.caption, "Reglin");
  EXPECT_EQ(seen.text, "Impossible de trouver des points alignés");
  EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
  EXPECT_EQ(MemoLines(window()), QStringList({"avant", "Pas de segments ..."}));

  // Through the button: a second press adds a second line.
  window().SetDataSets([](std::int32_t) { return analysis::Loader(LoadSquares); });
  SeenBox again;
  CloseNextModalBox(again, &window());
  Click(window().Btn_Traitement2);
  ASSERT_TRUE(again.seen);
  EXPECT_EQ(again.memo_while_shown, QStringList({"avant", "Pas de segments ..."}));
  EXPECT_EQ(MemoLines(window()),
            QStringList({"avant", "Pas de segments ...", "Pas de segments ..."}));
}

// 0, 1, 2, ... with points 10 and 11 equal: the step between them has an infinite slope, which
// stops "Traitement" in window 10, after the header and the line of point 1.
void LoadEqualNeighbours(std::int32_t& count, std::span<double> values) {
  count = 20;
  for (std::int32_t k = 1; k <= count; ++k) values[k] = k == 10 ? 9 : k;
}

struct ErrorCase {
  const char* name;
  bool results_file_is_a_directory;
  analysis::Loader loader;  // empty for the built-in data set
  const char* text;
  QStringList memo;  // the text box while the error box is up, and after
};

const ErrorCase kErrors[] = {
    {"ResultsFileIsADirectory", true, {}, "Accès au fichier refusé.", {"avant"}},
    {"InfiniteSlope",
     false,
     LoadEqualNeighbours,
     "Opération en virgule flottante incorrecte.",
     {"Point\tX", " 1\t0"}},
};

void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.name; }

class ErrorReportTest : public WindowTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorReportTest, ErrorIsShownInTheBoxAndTheWindowGoesOn) {
  const ErrorCase& c = GetParam();
  if (c.results_file_is_a_directory) {
    ASSERT_TRUE(QDir().mkdir(analysis::kResultsFile));
  }
  if (c.loader) window().SetDataSets([&c](std::int32_t) { return c.loader; });
  window().Memo1->setPlainText(QStringLiteral("avant"));

  SeenBox seen;
  CloseNextModalBox(seen, &window());
  Click(window().Btn_Traitement);
  ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(seen, c.text));
  EXPECT_EQ(seen.memo_while_shown, c.memo);
  EXPECT_EQ(MemoLines(window()), c.memo);

  // Once the cause is gone, the next press works.
  if (c.results_file_is_a_directory) {
    ASSERT_TRUE(QDir().rmdir(analysis::kResultsFile));
  }
  window().SetDataSets(&analysis::DataSetLoader);
  Click(window().Btn_Traitement);
  EXPECT_EQ(MemoLines(window()), kJeu1Traitement);
  EXPECT_EQ(ReadFile(analysis::kResultsFile), FileBytes(kJeu1Traitement));
}

INSTANTIATE_TEST_SUITE_P(Errors, ErrorReportTest, ::testing::ValuesIn(kErrors),
                         [](const auto& info) { return std::string(info.param.name); });

const QLocale kFrench(QLocale::French, QLocale::France);

TEST_F(InTempDir, FrenchLocaleGivesTheComma) {
  TF_Princ window(QStringLiteral("Reglin"), [] { return kFrench; });
  ASSERT_TRUE(ShowAndActivate(window));
  EXPECT_EQ(window.decimal_separator(), ',');
  Click(window.Btn_Traitement);
  const QStringList lines = MemoLines(window);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[2], " 1777\t-1511,223");
  EXPECT_EQ(ReadFile(analysis::kResultsFile), FileBytes(lines));
  Click(window.Btn_Traitement2);
  EXPECT_EQ(MemoLines(window).value(3), " 4111\t-2631,693");
}

// The separator is read again when the application announces a change of the locale.
TEST_F(InTempDir, LocaleChangeIsFollowed) {
  QLocale current = QLocale::c();
  TF_Princ window(QStringLiteral("Reglin"), [&current] { return current; });
  ASSERT_TRUE(ShowAndActivate(window));
  Click(window.Btn_Traitement);
  EXPECT_EQ(MemoLines(window).value(2), " 1777\t-1511.223");

  current = kFrench;
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &change);
  Click(window.Btn_Traitement);
  EXPECT_EQ(MemoLines(window).value(2), " 1777\t-1511,223");
}

}  // namespace
