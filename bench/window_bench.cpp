#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>
#include <string>

#include "analysis/commands.h"
#include "analysis/store.h"
#include "app/radio_group.h"
#include "app/tf_princ.h"
#include "bench/cases.h"
#include "bench/lines_memo.h"
#include "bench/scratch_dir.h"

namespace bench {
namespace {

constexpr int kJeu2Index = 1;
constexpr int kJeu2Lines = 1759;

// The window writes the results file into the current directory: the case runs in a scratch
// directory, and the directory the benchmark started in is back when it ends.
class InDirectory {
 public:
  explicit InDirectory(const std::string& path) {
    char* here = ::getcwd(nullptr, 0);
    if (here == nullptr || ::chdir(path.c_str()) != 0) Fail("cannot enter " + path);
    previous_ = here;
    std::free(here);
  }
  InDirectory(const InDirectory&) = delete;
  InDirectory& operator=(const InDirectory&) = delete;
  ~InDirectory() {
    if (::chdir(previous_.c_str()) != 0) Fail("cannot go back to " + previous_);
  }

 private:
  std::string previous_;
};

// Notes when the text box's visible part has been painted, which is when the text box lays out
// the lines it shows.
class PaintWatcher final : public QObject {
 public:
  explicit PaintWatcher(QPlainTextEdit& box) : box_(box) {
    box_.viewport()->installEventFilter(this);
  }
  ~PaintWatcher() override { box_.viewport()->removeEventFilter(this); }

  void Reset() { painted_ = false; }

  // Processes events until the text box holds the lines and has been painted since Reset(); both
  // cases end their timed part here, so that they wait for the same work.
  void Settle(int lines) {
    QElapsedTimer timer;
    timer.start();
    while (box_.document()->blockCount() != lines || !painted_) {
      QCoreApplication::processEvents();
      if (timer.elapsed() > 10'000) Fail("the text box was not painted within 10 seconds");
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == box_.viewport() && event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QPlainTextEdit& box_;
  bool painted_ = false;
};

void ShowAndWait(QWidget& widget) {
  widget.show();
  if (!QTest::qWaitForWindowExposed(&widget)) Fail("a window was never shown");
}

// The Jeu2 listing of "Traitement" as the core gives it, joined as a text box shows it.
QString Jeu2Listing() {
  const auto store = std::make_unique<analysis::Store>();
  LinesMemo memo;
  analysis::Traitement(*store, analysis::DataSetLoader(kJeu2Index), '.', memo,
                       ScratchDir().File(analysis::kResultsFile).c_str());
  if (memo.size() != kJeu2Lines) Fail("Traitement/Jeu2 does not give 1759 lines");
  const std::string text = memo.Text();
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The window's own text box, with the data-set choice on Jeu2, from the press of the mouse on
// "Traitement" until the text box shows the listing.
void WindowTraitementCase(benchmark::State& state) {
  const ScratchDir dir;
  const InDirectory in_scratch(dir.path());
  // The C locale writes ".", as the listing checked below does.
  TF_Princ window(QStringLiteral("reglin-bench"), [] { return QLocale::c(); });
  ShowAndWait(window);
  window.Rd_Jeu->SetItemIndex(kJeu2Index);
  PaintWatcher watcher(*window.Memo1);
  const QPoint middle = window.Btn_Traitement->rect().center();

  QTest::mouseClick(window.Btn_Traitement, Qt::LeftButton, {}, middle);
  watcher.Settle(kJeu2Lines);
  if (window.Memo1->toPlainText() != Jeu2Listing()) Fail("the window shows another listing");

  for (auto _ : state) {
    watcher.Reset();
    QTest::mouseClick(window.Btn_Traitement, Qt::LeftButton, {}, middle);
    watcher.Settle(kJeu2Lines);
    state.PauseTiming();
    WaitForDisk(analysis::kResultsFile);
    state.ResumeTiming();
  }
}

// The reference: a text box of the same class, size and settings as the window's, handed the
// same lines as one text.
void MemoSetPlainTextCase(benchmark::State& state) {
  const ScratchDir dir;
  const InDirectory in_scratch(dir.path());
  // The window is only the model the text box is copied from; it is never shown.
  const TF_Princ model(QStringLiteral("reglin-bench"), [] { return QLocale::c(); });
  const QPlainTextEdit& memo1 = *model.Memo1;
  QWidget host;
  host.setFont(model.font());
  host.resize(model.size());
  QPlainTextEdit box(&host);
  box.setGeometry(memo1.geometry());
  box.setFont(memo1.font());
  box.setLineWrapMode(memo1.lineWrapMode());
  box.setVerticalScrollBarPolicy(memo1.verticalScrollBarPolicy());
  box.setHorizontalScrollBarPolicy(memo1.horizontalScrollBarPolicy());
  box.setTabStopDistance(memo1.tabStopDistance());
  ShowAndWait(host);
  PaintWatcher watcher(box);
  const QString listing = Jeu2Listing();

  for (auto _ : state) {
    watcher.Reset();
    box.setPlainText(listing);
    watcher.Settle(kJeu2Lines);
  }
}

}  // namespace

void RegisterWindowCases() {
  benchmark::RegisterBenchmark("WindowTraitement/Jeu2", WindowTraitementCase);
  benchmark::RegisterBenchmark("MemoSetPlainText/Jeu2", MemoSetPlainTextCase);
}

}  // namespace bench
