#include "ui/FileChooser.h"

#include "ui/Cp1250Text.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace vemo::ui {

QString AskForFile(QWidget* parent, const FileRequest& request) {
    // The folder is kept for the run only, like everything else the program knows.
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parent, request.caption, folder, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.suffix);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    folder = QFileInfo(path).absolutePath();
    return path;
}

std::string NativeFileName(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
#ifdef Q_OS_WIN
    // data/ opens a Windows name by its wide form, made from UTF-8: the ANSI code page would
    // lose every character it lacks.
    return native.toStdString();
#else
    return QFile::encodeName(native).toStdString();
#endif
}

std::string ShownFileName(const QString& path) {
    return FromQString(QDir::toNativeSeparators(path));
}

} // namespace vemo::ui
