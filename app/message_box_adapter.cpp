#include "app/message_box_adapter.h"

#include <QMessageBox>

#include "app/memo_adapter.h"

void MessageBoxAdapter::Show(std::string_view text) {
  memo_.Flush();
  QMessageBox box(QMessageBox::NoIcon, caption_,
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, &parent_);
  box.exec();
}
