#include "app/radio_group.h"

#include <QEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <algorithm>

namespace {
// Room between the frame's inner edge and the items of the first column.
constexpr int kIndent = 5;
}  // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), columns_(std::max(columns, 1)) {
  for (const QString& text : items) {
    auto* item = new QRadioButton(text, this);
    connect(item, &QRadioButton::toggled, this, &RadioGroup::UpdateTabStop);
    item->installEventFilter(this);
    items_.append(item);
  }
  UpdateTabStop();
  ArrangeItems();
}

std::int32_t RadioGroup::ItemIndex() const {
  for (int i = 0; i < ItemCount(); ++i) {
    if (items_[i]->isChecked()) return i;
  }
  return -1;
}

void RadioGroup::SetItemIndex(std::int32_t index) {
  if (index >= 0 && index < ItemCount()) items_[index]->setChecked(true);
}

// The arrow keys step through the items in their order, round from the last to the first, and
// check the item they reach, whichever column it stands in.
bool RadioGroup::eventFilter(QObject* watched, QEvent* event) {
  const int from = static_cast<int>(items_.indexOf(qobject_cast<QRadioButton*>(watched)));
  if (event->type() != QEvent::KeyPress || from < 0) return QGroupBox::eventFilter(watched, event);
  int step = 0;
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
      step = 1;
      break;
    case Qt::Key_Left:
    case Qt::Key_Up:
      step = -1;
      break;
    default:
      return QGroupBox::eventFilter(watched, event);
  }
  QRadioButton* to = items_[(from + step + ItemCount()) % ItemCount()];
  to->setChecked(true);
  to->setFocus(Qt::OtherFocusReason);
  return true;
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  ArrangeItems();
}

void RadioGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) ArrangeItems();
}

// Columns of equal width side by side inside the frame, below the caption; in each column the
// rows share the height.
void RadioGroup::ArrangeItems() {
  if (items_.isEmpty()) return;
  const QRect inside = contentsRect().adjusted(kIndent, 0, 0, 0);
  const int rows = (ItemCount() + columns_ - 1) / columns_;
  const int column_width = inside.width() / columns_;
  const int row_height = inside.height() / rows;
  for (int i = 0; i < ItemCount(); ++i) {
    QRadioButton* item = items_[i];
    // No wider than its text: a click in the blank part of the column does not select it.
    const int item_width = std::min(item->sizeHint().width(), column_width);
    const int item_height = std::min(item->sizeHint().height(), row_height);
    const int column = i / rows;
    const int row = i % rows;
    item->setGeometry(inside.left() + column * column_width,
                      inside.top() + row * row_height + (row_height - item_height) / 2, item_width,
                      item_height);
  }
}

// Tab enters the group at its checked item, or at its first when none is checked.
void RadioGroup::UpdateTabStop() {
  const std::int32_t checked = std::max(ItemIndex(), 0);
  for (int i = 0; i < ItemCount(); ++i) {
    items_[i]->setFocusPolicy(i == checked ? Qt::StrongFocus : Qt::ClickFocus);
  }
}
