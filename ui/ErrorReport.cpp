#include "ui/ErrorReport.h"

#include "data/store/Errors.h"
#include "ui/Cp1250Text.h"

#include <QMessageBox>
#include <QWidget>
#include <exception>
#include <new>

namespace vemo::ui {

// The rule is vemo::ReportText's, the one vemo-data uses. It looks at the last character only,
// so only that goes through the code page and the message keeps every character it has.
QString ErrorReportText(const QString& message) {
    const std::string last = FromQString(message.right(1));
    return vemo::ReportText(last) == last ? message : message + u'.';
}

void ShowErrorReport(QWidget* parent, const QString& message) {
    // A report during start-up comes while the window is still hidden; it then stands alone.
    QWidget* owner = parent && parent->isVisible() ? parent->window() : nullptr;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Vemo Maut"), ErrorReportText(message),
                    QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void RunGuarded(QWidget* parent, const ErrorReporter& reporter,
                const std::function<void()>& handler) {
    QString message;
    try {
        handler();
        return;
    } catch (const vemo::Error& error) {
        // The words are Windows-1250, a file name is as the program was given it.
        message = QString::fromStdString(error.Utf8Message());
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("Out of memory");
    } catch (const std::exception& error) {
        message = ToQString(error.what());
    } catch (...) {
        message = QStringLiteral("Unexpected error");
    }
    // Nothing may leave a handler, not even a failing report.
    try {
        if (reporter) {
            reporter(parent, message);
        }
    } catch (...) {
    }
}

} // namespace vemo::ui
