#pragma once
// The user picks a file to save to or to open. The window asks through a FileChooser, so that
// tests answer in place of the platform's file dialog.

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace vemo::ui {

struct FileRequest {
    QString caption;       // "Uložit trasu"
    QString suggestedName; // "trasa.txt", put in the folder last used
    QString filter;        // "Trasy (*.txt);;Všechny soubory (*)"
    QString suffix;        // added to a name typed without one when saving: "txt"
    bool save = false;
};

// The chosen file's path; empty when the user cancelled.
using FileChooser = std::function<QString(QWidget* parent, const FileRequest& request)>;
// The platform's file dialog, starting in the folder chosen last (the documents folder first).
QString AskForFile(QWidget* parent, const FileRequest& request);

// The path as data/ takes file names (the file-name encoding's bytes on Linux, UTF-8 on
// Windows), and as Windows-1250 text with the system's separators for messages.
std::string NativeFileName(const QString& path);
std::string ShownFileName(const QString& path);

} // namespace vemo::ui
