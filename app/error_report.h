#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The error report at the edge of every event handler: no exception may leave a Qt handler, so
// the work is run here and the text of the error that stopped it is handed back for the box.

// Runs the work; returns the text of the error that stopped it, or nothing when it ran to its
// end. The core's texts are UTF-8.
std::optional<QString> RunCatchingError(const std::function<void()>& work);

// The error text as the box shows it: followed by a period, unless it already ends in one.
QString ErrorBoxText(const QString& error_text);

// Shows the error box and returns once the user has closed it: modal, with the error icon, one
// OK button and the application's title as caption.
void ShowErrorBox(QWidget* parent, const QString& caption, const QString& error_text);
