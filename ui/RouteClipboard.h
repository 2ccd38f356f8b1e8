#pragma once
// The text that the copy commands of the lists put on the clipboard, composed from what the
// window shows: entries as the lists show them, one a line, and the totals as the tab shows
// them, each as its caption and its value ("Celkem km: 19,5 km").

#include <QString>
#include <QStringList>

#include <vector>

namespace vemo::ui {

struct ShownTotal {
    QString caption; // the caption beside the total, "Celkem km:"
    QString value;   // the total as shown, "19,5 km"; empty when the tab shows none yet
};

// The text with every control character (line breaks, tabs) turned into a blank.
QString SingleLine(QString text);

// Entries alone, in the order given, one a line.
QString EntriesClipboardText(const QStringList& entries);
// The whole route: its entries, then one line per total.
QString RouteClipboardText(const QStringList& entries, const std::vector<ShownTotal>& totals);

} // namespace vemo::ui
