#include "window_support.h"

#include <dirent.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string_view>

#include "analysis/commands.h"

void WindowFaultTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  dir_path_ = dir_.path();
  previous_ = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_path_));
  window_ = std::make_unique<TF_Princ>(QStringLiteral("Reglin"), &QLocale::c);
  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

void WindowFaultTest::TearDown() {
  window_.reset();
  QDir::setCurrent(previous_);
}

QString WindowFaultTest::Results() const {
  return dir_path_ + u'/' + QString::fromLatin1(analysis::kResultsFile);
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
  SeenBox seen;
  bool over = false;  // the press has returned: any later box is another press's
};

// The box comes up inside the click, a turn or more of the event loop after the check is armed;
// the check looks again at each turn, a bounded number of times, until the press is over.
void CloseBoxWhenShown(std::shared_ptr<BoxWatch> watch, const TF_Princ* window, int turns_left) {
  QTimer::singleShot(0, qApp, [watch, window, turns_left] {
    if (watch->over) return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (turns_left > 0) CloseBoxWhenShown(watch, window, turns_left - 1);
      return;
    }
    SeenBox& seen = watch->seen;
    seen.seen = true;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* button : box->buttons()) seen.buttons.append(box->standardButton(button));
    seen.memo_while_shown = MemoLines(*window);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  });
}

}  // namespace

SeenBox ClickAndCloseBox(TF_Princ& window, QWidget* widget) {
  auto watch = std::make_shared<BoxWatch>();
  CloseBoxWhenShown(watch, &window, 1000);
  Click(widget);
  watch->over = true;
  return watch->seen;
}

int DescriptorsOn(const std::string& path) {
  DIR* dir = ::opendir("/proc/self/fd");
  if (dir == nullptr) return -1;
  const std::string removed = path + " (deleted)";
  int count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    char target[4096];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
    if (n < 0) continue;
    const std::string_view seen(target, static_cast<std::size_t>(n));
    if (seen == path || seen == removed) ++count;
  }
  ::closedir(dir);
  return count;
}
