#include "app/app_title.h"

QString ApplicationTitle(const QString& program_file) {
  QString name = program_file.mid(program_file.lastIndexOf(u'/') + 1);
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  return name.left(1).toUpper() + name.mid(1).toLower();
}
