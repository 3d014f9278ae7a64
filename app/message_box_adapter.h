#pragma once

#include <QString>
#include <string_view>
#include <utility>

#include "analysis/ui.h"

class MemoAdapter;
class QWidget;

// The message box as the commands see it: modal, the text with one OK button, the application's
// title as caption. The text box is brought up to date first, so that it shows what the command
// has added so far while the box waits for the user.
class MessageBoxAdapter final : public analysis::MessageBox {
 public:
  MessageBoxAdapter(QWidget& parent, QString caption, MemoAdapter& memo)
      : parent_(parent), caption_(std::move(caption)), memo_(memo) {}

  void Show(std::string_view text) override;

 private:
  QWidget& parent_;
  QString caption_;
  MemoAdapter& memo_;
};
