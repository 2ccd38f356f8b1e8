#include "ui/RouteClipboard.h"

namespace vemo::ui {

namespace {

// An entry decoded from the data may carry control bytes; a line break inside it would split it
// over two lines of the copy, so every control character becomes a blank.
QString OneLine(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text;
}

QString TotalLine(const ShownTotal& total) {
    QString line = OneLine(total.caption);
    if (!total.value.isEmpty()) {
        if (!line.isEmpty())
            line += u' ';
        line += OneLine(total.value);
    }
    return line;
}

} // namespace

QString EntriesClipboardText(const QStringList& entries) {
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString& entry : entries)
        lines.append(OneLine(entry));
    return lines.join(u'\n');
}

QString RouteClipboardText(const QStringList& entries, const std::vector<ShownTotal>& totals) {
    QStringList lines;
    lines.reserve(entries.size() + static_cast<qsizetype>(totals.size()));
    for (const QString& entry : entries)
        lines.append(OneLine(entry));
    for (const ShownTotal& total : totals)
        lines.append(TotalLine(total));
    return lines.join(u'\n');
}

} // namespace vemo::ui
