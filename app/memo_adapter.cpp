#include "app/memo_adapter.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

void MemoAdapter::Clear() {
  cleared_ = true;
  pending_.clear();
  pending_lines_ = 0;
}

void MemoAdapter::Add(std::string_view line) {
  if (pending_lines_ > 0) pending_ += u'\n';
  pending_ += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  ++pending_lines_;
}

void MemoAdapter::Flush() {
  if (cleared_) {
    text_box_.setPlainText(pending_);
  } else if (pending_lines_ > 0) {
    QTextCursor cursor(text_box_.document());
    cursor.movePosition(QTextCursor::End);
    if (!text_box_.document()->isEmpty()) cursor.insertBlock();
    cursor.insertText(pending_);
  }
  cleared_ = false;
  pending_.clear();
  pending_lines_ = 0;
}
