#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "analysis/commands.h"

void InTempDir::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  previous_ = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
}

void InTempDir::TearDown() { QDir::setCurrent(previous_); }

QString InTempDir::Results() const {
  return dir() + u'/' + QString::fromLatin1(analysis::kResultsFile);
}

void WindowTest::SetUp() {
  InTempDir::SetUp();
  window_ = std::make_unique<TF_Princ>(QStringLiteral("Reglin"), &QLocale::c);
  ASSERT_TRUE(ShowAndActivate(*window_));
}

void WindowTest::TearDown() {
  window_.reset();
  InTempDir::TearDown();
}

bool ShowAndActivate(TF_Princ& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

QStringList MemoLines(const TF_Princ& window) {
  const QString text = window.Memo1->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray FileBytes(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toLatin1() + "\r\n";
  return bytes;
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

namespace {

struct BoxWatch {
  SeenBox* seen;
  bool over = false;  // the press has returned: any later box is another press's
};

// The box may come up a turn or more of the event loop after the check was armed (the press and
// the release of a click are separate turns); the check then looks again at each turn, a bounded
// number of times, until the press is over.
void CheckForModalBox(std::shared_ptr<BoxWatch> watch, const TF_Princ* window, int turns_left) {
  QTimer::singleShot(0, qApp, [watch, window, turns_left] {
    if (watch->over) return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (turns_left > 0) CheckForModalBox(watch, window, turns_left - 1);
      return;
    }
    SeenBox& seen = *watch->seen;
    seen.seen = true;
    seen.modal = box->isModal();
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons.clear();
    for (QAbstractButton* button : box->buttons()) seen.buttons.append(box->standardButton(button));
    if (window != nullptr) seen.memo_while_shown = MemoLines(*window);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  });
}

constexpr int kTurns = 1000;

}  // namespace

void CloseNextModalBox(SeenBox& seen, const TF_Princ* window) {
  CheckForModalBox(std::make_shared<BoxWatch>(BoxWatch{&seen}), window, kTurns);
}

void ExpectErrorBox(const SeenBox& box, const char* text) {
  ASSERT_TRUE(box.seen) << "no box for " << text;
  EXPECT_TRUE(box.modal);
  EXPECT_EQ(box.caption, "Reglin");
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.text, QString::fromUtf8(text));
  EXPECT_EQ(box.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

SeenBox ClickAndCloseBox(TF_Princ& window, QWidget* widget) {
  SeenBox seen;
  const auto watch = std::make_shared<BoxWatch>(BoxWatch{&seen});
  CheckForModalBox(watch, &window, kTurns);
  Click(widget);
  watch->over = true;
  return seen;
}
