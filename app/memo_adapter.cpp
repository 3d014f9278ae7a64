#include "app/memo_adapter.h"

#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

void MemoAdapter::Clear() {
  cleared_ = true;
  pending_.clear();
  pending_lines_ = 0;
}

void MemoAdapter::Add(std::string_view line) {
  if (pending_lines_ > 0) pending_ += '\n';
  pending_ += line;
  ++pending_lines_;
}

void MemoAdapter::Flush() {
  const QString text = QString::fromUtf8(pending_.data(), static_cast<qsizetype>(pending_.size()));
  if (cleared_) {
    text_box_.setPlainText(text);
  } else if (pending_lines_ > 0) {
    QTextCursor cursor(text_box_.document());
    cursor.movePosition(QTextCursor::End);
    if (!text_box_.document()->isEmpty()) cursor.insertBlock();
    cursor.insertText(text);
  }
  cleared_ = false;
  pending_.clear();
  pending_lines_ = 0;
}
