#pragma once

#include <string>
#include <string_view>

#include "analysis/ui.h"

class QPlainTextEdit;

// The text box as the commands see it. Laying the text out once per line would cost far more
// than the command itself on a long listing, and the window cannot repaint while a command runs
// anyway; so the lines are gathered here and handed to the text box at once by Flush(), which
// the window calls when the command ends or an error stops it.
class MemoAdapter final : public analysis::Memo {
 public:
  explicit MemoAdapter(QPlainTextEdit& text_box) : text_box_(text_box) {}

  void Clear() override;
  void Add(std::string_view line) override;

  // Hands over what the command did since the last call: after a Clear() the gathered lines
  // replace the text box's text, otherwise they go below it.
  void Flush();

 private:
  QPlainTextEdit& text_box_;
  bool cleared_ = false;
  // The gathered lines, joined by '\n', in UTF-8: converted once, at Flush(). Its room is kept
  // from one command to the next.
  std::string pending_;
  int pending_lines_ = 0;
};
