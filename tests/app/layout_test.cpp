#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QWindow>

#include "app/radio_group.h"
#include "window_fixture.h"

namespace {

struct ControlRow {
  const char* name;
  QRect rect;  // relative to the window's client area
  const char* text;
};

// The stored layout. The label is left out: it sizes itself to its text.
const ControlRow kControls[] = {
    {"Btn_Traitement", QRect(16, 8, 105, 25), "Traitement"},
    {"Btn_Traitement2", QRect(144, 8, 105, 25), "Traitement 2"},
    {"Rd_Jeu", QRect(16, 40, 233, 41), " Données "},
    {"Memo1", QRect(16, 104, 313, 161), ""},
    {"Btn_Close", QRect(257, 274, 75, 25), "Quitter"},
};

QString TextOf(const QWidget* widget) {
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  if (auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) return memo->toPlainText();
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  return {};
}

TEST_F(WindowTest, ControlsStandAtTheirStoredPlacesWithTheirTexts) {
  EXPECT_EQ(window().objectName(), "F_Princ");
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    auto* control = window().findChild<QWidget*>(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget(), &window());
    EXPECT_EQ(control->geometry(), row.rect);
    EXPECT_EQ(TextOf(control), QString::fromUtf8(row.text));
  }
  // The fields are the named controls.
  EXPECT_EQ(window().findChild<QWidget*>("Btn_Traitement"), window().Btn_Traitement);
  EXPECT_EQ(window().findChild<QWidget*>("Btn_Traitement2"), window().Btn_Traitement2);
  EXPECT_EQ(window().findChild<QWidget*>("Btn_Close"), window().Btn_Close);
  EXPECT_EQ(window().findChild<QWidget*>("Memo1"), window().Memo1);
  EXPECT_EQ(window().findChild<QWidget*>("Label1"), window().Label1);
  EXPECT_EQ(window().findChild<QWidget*>("Rd_Jeu"), window().Rd_Jeu);

  for (QPushButton* button :
       {window().Btn_Traitement, window().Btn_Traitement2, window().Btn_Close}) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
    EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 8);
  }
}

TEST_F(WindowTest, LabelSizesItselfToItsText) {
  const QLabel* label = window().Label1;
  EXPECT_EQ(label->text(), "Extrémités des  pseudo segments :");
  EXPECT_EQ(label->pos(), QPoint(16, 85));
  EXPECT_EQ(label->size(), label->sizeHint());
  EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
  // Whatever font the system found, the label stays between the group and the text box.
  EXPECT_LT(label->geometry().bottom(), window().Memo1->y());
  EXPECT_LE(label->geometry().right(), window().width());
}

TEST_F(WindowTest, EveryControlUsesTheWindowFont) {
  QList<QWidget*> controls = window().findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  controls.append(window().Rd_Jeu->Item(0));
  controls.append(window().Rd_Jeu->Item(1));
  for (QWidget* control : controls) {
    SCOPED_TRACE(control->objectName().toStdString());
    EXPECT_EQ(control->font().family(), "MS Sans Serif");
    EXPECT_EQ(control->font().pixelSize(), 11);
    EXPECT_FALSE(control->font().bold());
  }
}

// The offscreen platform draws a frame of its own; a frameless window shows the other case.
TEST_F(WindowTest, OuterRectangleIsTheStoredOneWithOrWithoutFrame) {
  const QRect stored(498, 213, 357, 349);
  EXPECT_EQ(window().windowTitle(), "Régression linéaire");
  const QMargins frame = window().windowHandle()->frameMargins();
  ASSERT_FALSE(frame.isNull()) << "the platform was expected to draw a frame";
  EXPECT_EQ(window().frameGeometry(), stored);
  EXPECT_EQ(window().geometry(), stored - frame);

  TF_Princ frameless(QStringLiteral("Reglin"), &QLocale::c);
  frameless.setWindowFlag(Qt::FramelessWindowHint);
  ASSERT_TRUE(ShowAndActivate(frameless));
  EXPECT_EQ(frameless.geometry(), stored);
  EXPECT_EQ(frameless.frameGeometry(), stored);
}

TEST_F(WindowTest, StartsWithJeu1CheckedAndAnEmptyEditableTextBox) {
  const RadioGroup* group = window().Rd_Jeu;
  ASSERT_EQ(group->ItemCount(), 2);
  EXPECT_EQ(group->Item(0)->text(), "Jeu1");
  EXPECT_EQ(group->Item(1)->text(), "Jeu2");
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_TRUE(group->Item(0)->isChecked());

  // Two columns: side by side on one row, each inside the frame and tall enough for its text.
  const QRect first = group->Item(0)->geometry();
  const QRect second = group->Item(1)->geometry();
  EXPECT_EQ(first.top(), second.top());
  EXPECT_GT(second.left(), first.right());
  for (const QRadioButton* item : {group->Item(0), group->Item(1)}) {
    SCOPED_TRACE(item->text().toStdString());
    EXPECT_TRUE(group->contentsRect().contains(item->geometry()));
    EXPECT_EQ(item->size(), item->sizeHint());
  }

  const QPlainTextEdit* memo = window().Memo1;
  EXPECT_TRUE(memo->toPlainText().isEmpty());
  EXPECT_FALSE(memo->isReadOnly());
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(memo->verticalScrollBar()->isVisible());
  EXPECT_TRUE(memo->tabChangesFocus());
  EXPECT_EQ(QApplication::focusWidget(), window().Btn_Traitement);
}

// Tab goes round the window in the stored order and enters the group at its checked item.
TEST_F(WindowTest, TabGoesRoundInTheStoredOrder) {
  for (int checked : {0, 1}) {
    SCOPED_TRACE(checked);
    window().Rd_Jeu->SetItemIndex(checked);
    window().Btn_Traitement->setFocus();
    const QList<QWidget*> expected = {window().Memo1, window().Btn_Close, window().Btn_Traitement2,
                                      window().Rd_Jeu->Item(checked), window().Btn_Traitement};
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
  }
}

TEST_F(WindowTest, TextBoxTakesTypingButNoTab) {
  window().Memo1->setFocus();
  QTest::keyClicks(window().Memo1, "du texte");
  EXPECT_EQ(window().Memo1->toPlainText(), "du texte");
  QTest::keyClick(window().Memo1, Qt::Key_Tab);
  EXPECT_EQ(window().Memo1->toPlainText(), "du texte");
  EXPECT_EQ(QApplication::focusWidget(), window().Btn_Close);
}

TEST_F(WindowTest, ArrowKeysMoveBetweenTheItems) {
  struct Step {
    Qt::Key key;
    int checked_after;
  };
  const Step steps[] = {{Qt::Key_Right, 1}, {Qt::Key_Left, 0}, {Qt::Key_Down, 1},
                        {Qt::Key_Up, 0},    {Qt::Key_Up, 1},   {Qt::Key_Right, 0}};
  const RadioGroup* group = window().Rd_Jeu;
  group->Item(0)->setFocus();
  for (const Step& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key);
    EXPECT_EQ(group->ItemIndex(), step.checked_after);
    EXPECT_EQ(QApplication::focusWidget(), group->Item(step.checked_after));
  }
}

TEST_F(WindowTest, ShowsItsOwnSixteenColourIcon) {
  const QImage icon(QStringLiteral(":/reglin.xpm"));
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.size(), QSize(32, 32));
  QSet<QRgb> colours;
  for (int y = 0; y < icon.height(); ++y) {
    for (int x = 0; x < icon.width(); ++x) colours.insert(icon.pixel(x, y));
  }
  EXPECT_LE(colours.size(), 16);
  EXPECT_GT(colours.size(), 2);
  const auto argb = [](const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
  };
  EXPECT_EQ(argb(window().windowIcon().pixmap(32, 32).toImage()), argb(icon));
}

}  // namespace
