#include <QLocale>
#include <QPushButton>

#include "analysis/commands.h"
#include "window_fixture.h"

namespace {

// Run by a test entry of its own, under LC_ALL=fr_FR.UTF-8: the window as the program builds
// it, reading the system's locale.
class FrenchSystemLocale : public InTempDir {};

TEST_F(FrenchSystemLocale, TraitementWritesTheComma) {
  ASSERT_EQ(QLocale::system().decimalPoint(), ",") << "expected to run with LC_ALL=fr_FR.UTF-8";
  TF_Princ window(QStringLiteral("Reglin"));
  ASSERT_TRUE(ShowAndActivate(window));
  Click(window.Btn_Traitement);
  const QStringList lines = MemoLines(window);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[2], " 1777\t-1511,223");
  EXPECT_EQ(ReadFile(analysis::kResultsFile), FileBytes(lines));
}

}  // namespace
