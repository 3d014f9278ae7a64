#include "app/tf_princ.h"

#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <optional>

#include "analysis/commands.h"
#include "app/error_report.h"
#include "app/radio_group.h"

TF_Princ* F_Princ = nullptr;

namespace {

// The stored layout, in pixels at 96 pixels per inch. Where the window system draws a frame, the
// window's rectangle is the frame's; without one it is the client area's.
const QRect kWindowRect(498, 213, 357, 349);

QPushButton* NewButton(const char* name, const QString& text, const QRect& rect, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(rect);
  button->setAutoDefault(false);
  return button;
}

QPlainTextEdit* NewMemo(QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setGeometry(16, 104, 313, 161);
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab leaves the text box, as it does everywhere else in the window.
  memo->setTabChangesFocus(true);
  return memo;
}

QLabel* NewLabel(QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("Extrémités des  pseudo segments :"), parent);
  label->setObjectName(QStringLiteral("Label1"));
  label->setTextFormat(Qt::PlainText);
  label->move(16, 85);
  return label;
}

RadioGroup* NewRadioGroup(QWidget* parent) {
  auto* group = new RadioGroup(QStringLiteral(" Données "),
                               {QStringLiteral("Jeu1"), QStringLiteral("Jeu2")}, 2, parent);
  group->setObjectName(QStringLiteral("Rd_Jeu"));
  group->setGeometry(16, 40, 233, 41);
  group->SetItemIndex(0);
  return group;
}

QFont WindowFont() {
  // Where the family is missing, font matching falls back on the system's sans-serif font.
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

TF_Princ::TF_Princ(QString application_title, DecimalSeparator::Source locale, QWidget* parent)
    : QWidget(parent),
      Btn_Traitement(
          NewButton("Btn_Traitement", QStringLiteral("Traitement"), QRect(16, 8, 105, 25), this)),
      Memo1(NewMemo(this)),
      Label1(NewLabel(this)),
      Btn_Close(NewButton("Btn_Close", QStringLiteral("Quitter"), QRect(257, 274, 75, 25), this)),
      Btn_Traitement2(NewButton("Btn_Traitement2", QStringLiteral("Traitement 2"),
                                QRect(144, 8, 105, 25), this)),
      Rd_Jeu(NewRadioGroup(this)),
      title_(std::move(application_title)),
      store_(std::make_unique<analysis::Store>()),
      decimal_separator_(std::move(locale)),
      memo_(*Memo1),
      message_box_(*this, title_, memo_),
      data_sets_(&analysis::DataSetLoader) {
  setObjectName(QStringLiteral("F_Princ"));
  setWindowTitle(QStringLiteral("Régression linéaire"));
  setWindowIcon(QIcon(QStringLiteral(":/reglin.xpm")));
  setGeometry(kWindowRect);
  setFont(WindowFont());
  // The label sizes itself to its text, in whichever font the system found.
  Label1->adjustSize();
  // A tab stop is a wide gap in the small font otherwise; eight average characters, as in the
  // text boxes of the system the layout was drawn for.
  Memo1->setTabStopDistance(8 * Memo1->fontMetrics().averageCharWidth());

  // Creation order is the stored tab order but for the two buttons of the top row.
  setTabOrder(Btn_Traitement, Memo1);
  setTabOrder(Memo1, Btn_Close);
  setTabOrder(Btn_Close, Btn_Traitement2);
  setTabOrder(Btn_Traitement2, Rd_Jeu->Item(0));
  setTabOrder(Rd_Jeu->Item(0), Rd_Jeu->Item(1));
  Btn_Traitement->setFocus();

  connect(Btn_Traitement, &QPushButton::clicked, this,
          [this] { Btn_TraitementClick(Btn_Traitement); });
  connect(Btn_Close, &QPushButton::clicked, this, [this] { Btn_CloseClick(Btn_Close); });
  connect(Btn_Traitement2, &QPushButton::clicked, this,
          [this] { Btn_Traitement2Click(Btn_Traitement2); });

  FormCreate(this);
}

TF_Princ::~TF_Princ() = default;

// Nothing to prepare: the store starts all zero and no series is loaded before the first click.
void TF_Princ::FormCreate(QObject* /*Sender*/) {}

void TF_Princ::Btn_TraitementClick(QObject* /*Sender*/) {
  RunCommand([this] {
    analysis::Traitement(*store_, data_sets_(Rd_Jeu->ItemIndex()), decimal_separator_.value(),
                         memo_);
  });
}

void TF_Princ::Btn_CloseClick(QObject* /*Sender*/) { close(); }

void TF_Princ::Btn_Traitement2Click(QObject* /*Sender*/) {
  RunCommand([this] {
    analysis::Traitement2(*store_, data_sets_(Rd_Jeu->ItemIndex()), decimal_separator_.value(),
                          memo_, message_box_);
  });
}

void TF_Princ::RunCommand(const std::function<void()>& command) {
  const std::optional<QString> error = RunCatchingError(command);
  // The lines so far are shown before the error box, as they would have been line by line.
  memo_.Flush();
  if (error) ShowErrorBox(this, title_, *error);
}

void TF_Princ::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LocaleChange) decimal_separator_.Reread();
}

void TF_Princ::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FitFrame();
}

// A window manager tells the frame only once it has put the window in one, which moves it.
void TF_Princ::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  FitFrame();
}

void TF_Princ::FitFrame() {
  if (frame_fitted_ || windowHandle() == nullptr) return;
  const QMargins frame = windowHandle()->frameMargins();
  if (frame.isNull()) return;
  frame_fitted_ = true;
  setGeometry(kWindowRect - frame);
}
