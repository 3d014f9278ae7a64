#pragma once

#include <QLocale>
#include <functional>

// The decimal separator of the number texts, taken from the user's locale.
//
// The core writes it as one byte, so a locale whose decimal symbol is not one ASCII character
// (an Arabic locale's U+066B, say) gets ".", as does one that cannot be read.
char DecimalSeparatorOf(const QLocale& locale);

// The separator as read at start-up, kept until Reread(): the window rereads it when the
// application announces a change of the locale, so that every line of one command uses the
// same one. Tests hand in a locale of their own instead of the system's.
class DecimalSeparator {
 public:
  using Source = std::function<QLocale()>;

  explicit DecimalSeparator(Source source = &QLocale::system);

  char value() const { return value_; }
  void Reread();

 private:
  Source source_;
  char value_;
};
