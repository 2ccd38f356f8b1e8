#pragma once
// What escapes a handler is caught here and shown as the program's error report; no exception
// ever crosses Qt's event loop.

#include <QString>
#include <functional>

class QWidget;

namespace vemo::ui {

// The message with "." appended when its last character's code is above that of ".".
QString ErrorReportText(const QString& message);

// Shows the report: a modal box captioned "Vemo Maut" with the stop icon and one OK button.
using ErrorReporter = std::function<void(QWidget* parent, const QString& message)>;
void ShowErrorReport(QWidget* parent, const QString& message);

// Runs handler; an exception that escapes it is reported through reporter and goes no further.
void RunGuarded(QWidget* parent, const ErrorReporter& reporter,
                const std::function<void()>& handler);

} // namespace vemo::ui
