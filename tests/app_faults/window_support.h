#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/tf_princ.h"

// A shown, active window titled as the program is, with "." as its decimal separator, in an
// empty directory of its own that is the current directory while the test runs.
class WindowFaultTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TF_Princ& window() { return *window_; }
  // The results file, by its full name.
  QString Results() const;
  const QString& dir() const { return dir_path_; }

 private:
  QTemporaryDir dir_;
  QString dir_path_;
  QString previous_;
  std::unique_ptr<TF_Princ> window_;
};

// The text box's lines; none while it is empty.
QStringList MemoLines(const TF_Princ& window);
QByteArray ReadFile(const QString& path);
// The bytes of the results file for these lines: each ended by CR LF.
QByteArray FileBytes(const QStringList& lines);

void Click(QWidget* widget);

// What the one modal box of a press showed before the test closed it with its OK button.
struct SeenBox {
  bool seen = false;
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QMessageBox::StandardButton> buttons;
  QStringList memo_while_shown;
};

// Clicks the widget and closes the modal box that the click brings up, if any: a timer in the
// box's own event loop finds it through QApplication::activeModalWidget(), notes what it shows
// and presses OK.
SeenBox ClickAndCloseBox(TF_Princ& window, QWidget* widget);

// How many of the process's descriptors are open on path, a removed file included; -1 when they
// cannot be listed.
int DescriptorsOn(const std::string& path);

// The listings of the built-in data sets.
inline const QStringList kJeu1Traitement = {
    "Point\tX",          " 1\t0",           " 1777\t-1511.223",
    " 4110\t-2634.34",   " 13342\t768.748", " 24489\t-12552.817",
    " 27686\t-7864.767",
};

inline const QStringList kJeu1Traitement2 = {
    "Point\tX",          " 1\t0",
    " 1777\t-1511.223",  " 4111\t-2631.693",
    " 13342\t768.748",   " 24490\t-12554.861",
    " 27686\t-7864.767", " Fin des segments  --------------- ",
};

inline const QStringList kJeu2Traitement2 = {
    "Point\tX",        " 1\t0",          " 667\t-174.268",  " 6807\t2728.784",
    " 9375\t-272.328", " 9579\t-368.48", " 13127\t406.864", " Fin des segments  --------------- ",
};
