#include "app/error_report.h"

#include <QMessageBox>
#include <exception>

#include "runtime/errors.h"

std::optional<QString> RunCatchingError(const std::function<void()>& work) {
  try {
    work();
  } catch (const rt::Error& error) {
    return QString::fromStdString(error.text());
  } catch (const std::exception& error) {
    return QString::fromUtf8(error.what());
  } catch (...) {
    return QStringLiteral("Erreur inconnue");
  }
  return std::nullopt;
}

QString ErrorBoxText(const QString& error_text) {
  return error_text.endsWith(u'.') ? error_text : error_text + u'.';
}

void ShowErrorBox(QWidget* parent, const QString& caption, const QString& error_text) {
  QMessageBox box(QMessageBox::Critical, caption, ErrorBoxText(error_text), QMessageBox::Ok,
                  parent);
  box.exec();
}
