#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "app/app_title.h"
#include "app/decimal_separator.h"
#include "app/error_report.h"
#include "app/memo_adapter.h"
#include "runtime/errors.h"

namespace {

TEST(ApplicationTitle, IsTheFileNameCutAtItsFirstDotWithOneCapital) {
  struct Row {
    const char* program_file;
    const char* title;
  };
  const Row rows[] = {
      {"/usr/local/bin/reglin", "Reglin"},
      {"reglin", "Reglin"},
      {"/opt/REGLIN.EXE", "Reglin"},
      {"/home/a.b/reglin.v2.bin", "Reglin"},  // a dot in a folder does not count
      {"/usr/bin/éTÉ", "Été"},
      {"/tmp/.cache", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ApplicationTitle(QString::fromUtf8(row.program_file)), QString::fromUtf8(row.title))
        << row.program_file;
  }
}

TEST(DecimalSeparatorOf, IsTheLocalesSymbolWhenItIsOneAsciiCharacter) {
  struct Row {
    QLocale locale;
    char separator;
  };
  const Row rows[] = {
      {QLocale::c(), '.'},
      {QLocale(QLocale::English, QLocale::UnitedStates), '.'},
      {QLocale(QLocale::French, QLocale::France), ','},
      {QLocale(QLocale::German, QLocale::Germany), ','},
      {QLocale(QLocale::Arabic, QLocale::Egypt), '.'},  // U+066B
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DecimalSeparatorOf(row.locale), row.separator) << row.locale.name().toStdString();
  }
}

TEST(DecimalSeparator, KeepsWhatItReadUntilReread) {
  QLocale current = QLocale::c();
  DecimalSeparator separator([&current] { return current; });
  EXPECT_EQ(separator.value(), '.');
  current = QLocale(QLocale::French, QLocale::France);
  EXPECT_EQ(separator.value(), '.');
  separator.Reread();
  EXPECT_EQ(separator.value(), ',');
}

TEST(ErrorReport, BoxTextEndsInOnePeriod) {
  struct Row {
    const char* error;
    const char* shown;
  };
  const Row rows[] = {
      {"Accès au fichier refusé", "Accès au fichier refusé."},
      {"Erreur E/S 32", "Erreur E/S 32."},
      {"Déjà fini.", "Déjà fini."},
      {"", "."},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ErrorBoxText(QString::fromUtf8(row.error)), QString::fromUtf8(row.shown));
  }
}

TEST(ErrorReport, CatchesWhateverStopsTheWork) {
  EXPECT_EQ(RunCatchingError([] {}), std::nullopt);
  EXPECT_EQ(RunCatchingError([] { throw rt::Error("Accès au fichier refusé"); }),
            QString::fromUtf8("Accès au fichier refusé"));
  EXPECT_EQ(RunCatchingError([] { throw rt::IoError(101); }), "Disque plein");
  EXPECT_EQ(RunCatchingError([] { throw std::runtime_error("ailleurs"); }), "ailleurs");
  EXPECT_EQ(RunCatchingError([] { throw 42; }), "Erreur inconnue");
}

// One command's calls on the adapter, from the text box's text before to its text after.
struct MemoScript {
  const char* name;
  const char* before;
  std::vector<const char*> calls;  // nullptr clears, any other text adds that line
  const char* after;
};

const MemoScript kMemoScripts[] = {
    {"LinesOnAnEmptyBox", "", {"a", "b"}, "a\nb"},
    {"ClearThenLines", "tapé\nlà", {nullptr, "a", "b"}, "a\nb"},
    {"LinesBelowTheText", "tapé", {"Pas de segments ..."}, "tapé\nPas de segments ..."},
    {"ClearAlone", "tapé", {nullptr}, ""},
    {"OnlyTheLastClearCounts", "tapé", {"x", nullptr, "a", nullptr, "b"}, "b"},
    {"NothingKeepsTheText", "tapé", {}, "tapé"},
    {"EmptyLinesAreLines", "", {nullptr, "", "a", ""}, "\na\n"},
    {"AccentsFromUtf8",
     "",
     {nullptr, "Impossible de trouver des points alignés"},
     "Impossible de trouver des points alignés"},
};

void PrintTo(const MemoScript& script, std::ostream* out) { *out << script.name; }

class MemoAdapterTest : public ::testing::TestWithParam<MemoScript> {};

TEST_P(MemoAdapterTest, HandsTheLinesOverAtOnce) {
  const MemoScript& script = GetParam();
  QPlainTextEdit text_box;
  text_box.setPlainText(QString::fromUtf8(script.before));
  MemoAdapter memo(text_box);
  for (const char* call : script.calls) {
    if (call == nullptr) {
      memo.Clear();
    } else {
      memo.Add(call);
    }
  }
  EXPECT_EQ(text_box.toPlainText(), QString::fromUtf8(script.before)) << "changed before Flush";
  memo.Flush();
  EXPECT_EQ(text_box.toPlainText(), QString::fromUtf8(script.after));
  // A second flush with nothing new changes nothing.
  memo.Flush();
  EXPECT_EQ(text_box.toPlainText(), QString::fromUtf8(script.after));
}

INSTANTIATE_TEST_SUITE_P(Scripts, MemoAdapterTest, ::testing::ValuesIn(kMemoScripts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
