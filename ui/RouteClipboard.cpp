#include "ui/RouteClipboard.h"

namespace vemo::ui {

// An entry decoded from the data may carry control bytes; a line break inside it would split it
// over two lines of the copy, so every control character becomes a blank.
QString SingleLine(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text;
}

namespace {

QString TotalLine(const ShownTotal& total) {
    QString line = SingleLine(total.caption);
    if (!total.value.isEmpty()) {
        if (!line.isEmpty())
            line += u' ';
        line += SingleLine(total.value);
    }
    return line;
}

} // namespace

QString EntriesClipboardText(const QStringList& entries) {
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString& entry : entries)
        lines.append(SingleLine(entry));
    return lines.join(u'\n');
}

QString RouteClipboardText(const QStringList& entries, const std::vector<ShownTotal>& totals) {
    QStringList lines;
    lines.reserve(entries.size() + static_cast<qsizetype>(totals.size()));
    for (const QString& entry : entries)
        lines.append(SingleLine(entry));
    for (const ShownTotal& total : totals)
        lines.append(TotalLine(total));
    return lines.join(u'\n');
}

} // namespace vemo::ui
