// The program: the application object, the window built from its stored layout (FormCreate runs
// while it is still hidden), then the message loop until the window is closed.
#include "ui/CommandLine.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// Lines of at most 79 columns, as vemo-data's.
constexpr const char* kUsage =
    "Použití: vemo-maut [QZX]\n"
    "\n"
    "Otevře kalkulačku mýtného nad soubory data.sdf a data2.sdf v pracovní složce.\n"
    "  QZX        jako jediný argument: režim údržby s tlačítky \"Data\", která\n"
    "             převedou maut_55a.csv a au_maut.csv na tyto soubory\n"
    "  --help     vypíše tento text\n"
    "  --version  vypíše verzi\n"
    "\n"
#ifdef Q_OS_WIN
    "Čísla se řídí místním nastavením Windows. Podrobnosti: README.txt u programu.\n";
#else
    "Čísla se řídí národním prostředím (LC_ALL, LC_NUMERIC, LANG).\n"
    "Podrobnosti: man vemo-maut.\n";
#endif

// --help and --version count only as the one argument, and are answered before any window
// system is needed; every other command line opens the window.
bool AnswerCommandLine(int argc, char** argv) {
    if (argc != 2) {
        return false;
    }
#ifdef Q_OS_WIN
    // LF line ends, as vemo-data writes them and as on every other platform.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (std::strcmp(argv[1], "--version") == 0) {
        std::fputs("vemo-maut " VEMO_VERSION "\n", stdout);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnswerCommandLine(argc, argv)) {
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QApplication application(argc, argv);
    // Only the application name: a display name would be appended to every window caption.
    QApplication::setApplicationName(QStringLiteral("Vemo Maut"));
    // Ties the running window to its menu entry (the Wayland app id, the task bar's grouping).
    QGuiApplication::setDesktopFileName(QStringLiteral(VEMO_APP_ID));
    // The window speaks Czech whatever the desktop's language, and so do Qt's own dialogs and
    // menus (the file dialog, an edit box's context menu) where Qt's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_cs"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }

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
    // The installed icon theme's drawing where there is one, else the window's own copy.
    const QIcon icon = QIcon::fromTheme(QStringLiteral(VEMO_APP_ID), frmVemo.windowIcon());
    QApplication::setWindowIcon(icon);
    frmVemo.setWindowIcon(icon);

    frmVemo.show();
    return application.exec();
}
