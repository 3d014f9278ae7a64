#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "analysis/store.h"
#include "app/decimal_separator.h"
#include "app/memo_adapter.h"
#include "app/message_box_adapter.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RadioGroup;

// The program's one window, with its six controls at the places of its stored layout.
//
// How a click becomes a listing: the click handler takes the loader of the data set checked in
// Rd_Jeu and the decimal separator last read from the locale, and runs the core's command on the
// window's store. The command writes its lines to the memo adapter, which hands them to Memo1 at
// once when the command ends or an error stops it; an error that stopped it is then shown in the
// error box, and the window carries on.
class TF_Princ : public QWidget {
  Q_OBJECT

 public:
  // What each item of Rd_Jeu loads: the built-in data sets, unless a test hands in series of
  // its own.
  using DataSets = std::function<analysis::Loader(std::int32_t item_index)>;

  // The title is the caption of the error and message boxes.
  explicit TF_Princ(QString application_title, DecimalSeparator::Source locale = &QLocale::system,
                    QWidget* parent = nullptr);
  ~TF_Princ() override;

  // The controls, owned by the window as its children.
  QPushButton* const Btn_Traitement;
  QPlainTextEdit* const Memo1;
  QLabel* const Label1;
  QPushButton* const Btn_Close;
  QPushButton* const Btn_Traitement2;
  RadioGroup* const Rd_Jeu;

  void FormCreate(QObject* Sender);
  void Btn_TraitementClick(QObject* Sender);
  void Btn_CloseClick(QObject* Sender);
  void Btn_Traitement2Click(QObject* Sender);

  void SetDataSets(DataSets data_sets) { data_sets_ = std::move(data_sets); }

  analysis::Store& store() { return *store_; }
  MemoAdapter& memo() { return memo_; }
  MessageBoxAdapter& message_box() { return message_box_; }
  char decimal_separator() const { return decimal_separator_.value(); }

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // Runs a command; hands its lines to Memo1 and shows the error that stopped it, if any.
  void RunCommand(const std::function<void()>& command);
  // Makes the outer size the stored one once the window system has told its frame.
  void FitFrame();

  const QString title_;
  // About a megabyte: kept off the stack of whoever creates the window.
  const std::unique_ptr<analysis::Store> store_;
  DecimalSeparator decimal_separator_;
  MemoAdapter memo_;
  MessageBoxAdapter message_box_;
  DataSets data_sets_;
  bool frame_fitted_ = false;
};

// The program's one window, set while it runs.
extern TF_Princ* F_Princ;
