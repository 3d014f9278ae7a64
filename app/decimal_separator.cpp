#include "app/decimal_separator.h"

#include <utility>

char DecimalSeparatorOf(const QLocale& locale) {
  const QString symbol = locale.decimalPoint();
  if (symbol.size() != 1) return '.';
  const char16_t c = symbol.front().unicode();
  // Printable ASCII only: a control character or a digit would make the number unreadable.
  if (c <= u' ' || c >= 0x7F || (c >= u'0' && c <= u'9')) return '.';
  return static_cast<char>(c);
}

DecimalSeparator::DecimalSeparator(Source source)
    : source_(std::move(source)), value_(DecimalSeparatorOf(source_())) {}

void DecimalSeparator::Reread() { value_ = DecimalSeparatorOf(source_()); }
