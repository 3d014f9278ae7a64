#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>
#include <cstdint>

class QRadioButton;

// A titled group of radio buttons laid out in columns, the first column filled first, with the
// index of the checked item. The group is one stop of the tab order: only its checked item takes
// the focus from the Tab key, and the arrow keys move between the items and check them.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

  // The index of the checked item, -1 while none is.
  std::int32_t ItemIndex() const;
  // Checks the item; an index out of range changes nothing.
  void SetItemIndex(std::int32_t index);

  int ItemCount() const { return static_cast<int>(items_.size()); }
  QRadioButton* Item(int index) const { return items_.at(index); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ArrangeItems();
  void UpdateTabStop();

  QList<QRadioButton*> items_;
  int columns_;
};
