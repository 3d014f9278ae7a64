// The yardstick of the memory target: a window with the same six controls as the program's, at
// the same places, in the same font, with no core behind them. Its buttons do nothing but
// "Quitter", which closes it.
#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace {

QPushButton* NewButton(const QString& text, const QRect& rect, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setGeometry(rect);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Régression linéaire"));
  window.setGeometry(498, 213, 357, 349);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  font.setStyleHint(QFont::SansSerif);
  window.setFont(font);

  NewButton(QStringLiteral("Traitement"), QRect(16, 8, 105, 25), &window);
  auto* memo = new QPlainTextEdit(&window);
  memo->setGeometry(16, 104, 313, 161);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* label = new QLabel(QStringLiteral("Extrémités des  pseudo segments :"), &window);
  label->move(16, 85);
  label->adjustSize();
  QPushButton* close = NewButton(QStringLiteral("Quitter"), QRect(257, 274, 75, 25), &window);
  NewButton(QStringLiteral("Traitement 2"), QRect(144, 8, 105, 25), &window);
  auto* group = new QGroupBox(QStringLiteral(" Données "), &window);
  group->setGeometry(16, 40, 233, 41);
  auto* jeu1 = new QRadioButton(QStringLiteral("Jeu1"), group);
  jeu1->setGeometry(8, 16, 100, 20);
  jeu1->setChecked(true);
  auto* jeu2 = new QRadioButton(QStringLiteral("Jeu2"), group);
  jeu2->setGeometry(118, 16, 100, 20);

  QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
  window.show();
  return application.exec();
}
