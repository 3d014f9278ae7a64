#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

#include "app/tf_princ.h"

// Runs each test in an empty directory of its own, where the commands write "Resultats.txt".
class InTempDir : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString dir() const { return dir_.path(); }
  // The results file, by its full name.
  QString Results() const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

// A shown, active window, titled as the program is, with "." as the decimal separator whatever
// the locale the tests run in.
class WindowTest : public InTempDir {
 protected:
  void SetUp() override;
  void TearDown() override;

  TF_Princ& window() { return *window_; }

 private:
  std::unique_ptr<TF_Princ> window_;
};

// Shows the window and waits until it has the focus; false when it never gets it.
[[nodiscard]] bool ShowAndActivate(TF_Princ& window);

// The text box's lines; none while it is empty.
QStringList MemoLines(const TF_Princ& window);
QByteArray ReadFile(const QString& path);
// The bytes of the results file for these lines.
QByteArray FileBytes(const QStringList& lines);

// Presses the left mouse button over the middle of the widget and releases it.
void Click(QWidget* widget);

// What a modal box showed before the test closed it.
struct SeenBox {
  bool seen = false;
  bool modal = false;
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QMessageBox::StandardButton> buttons;
  QStringList memo_while_shown;  // the window's text box while the box was up
};

// Arms a check that runs in the event loop of the next modal message box: it notes what the box
// shows (and the window's text box at that moment) and presses its OK button.
void CloseNextModalBox(SeenBox& seen, const TF_Princ* window = nullptr);

// Checks that a box was the window's error box: modal, the title "Reglin" as caption, the error
// icon, one OK button and the given text (with its period).
void ExpectErrorBox(const SeenBox& box, const char* text);

// Clicks the widget and closes the modal box that the click brings up, if any, noting what it
// showed. A box that comes up after the click has returned belongs to another press and is left
// alone.
SeenBox ClickAndCloseBox(TF_Princ& window, QWidget* widget);

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
