// The program: the application object, the window built from its stored layout (FormCreate runs
// while it is still hidden), then the message loop until the window is closed.
#include "CommandLine.h"
#include "_frmVemo.h"

#include <QApplication>
#include <QIcon>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Only the application name: a display name would be appended to every window caption.
    QApplication::setApplicationName(QStringLiteral("Vemo Maut"));

    TfrmVemo::Options options;
#ifdef Q_OS_WIN
    // Windows gives the program one command line; the maintainer word is read from it by the
    // program's own rule (blanks, double quotes), not by the C runtime's backslash rules.
    const auto* line = reinterpret_cast<const char16_t*>(GetCommandLineW());
    options.arguments = SplitCommandLine(QStringView(line)).mid(1);
#else
    options.arguments = QCoreApplication::arguments().mid(1);
#endif
    TfrmVemo frmVemo(std::move(options));
    QApplication::setWindowIcon(frmVemo.windowIcon());

    frmVemo.show();
    return application.exec();
}
