// The program: the application object, the window built from its stored layout (FormCreate runs
// while it is still hidden), then the message loop until the window is closed.
#include "_frmVemo.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Only the application name: a display name would be appended to every window caption.
    QApplication::setApplicationName(QStringLiteral("Vemo Maut"));

    TfrmVemo::Options options;
    options.arguments = QCoreApplication::arguments().mid(1);
    TfrmVemo frmVemo(std::move(options));
    QApplication::setWindowIcon(frmVemo.windowIcon());

    frmVemo.show();
    return application.exec();
}
