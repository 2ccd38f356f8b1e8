#include "Route.h"

#include "Cp1250Text.h"
#include "ListBox.h"

#include <QLabel>
#include <QListWidget>

namespace {

// The number format followed by a blank and the unit.
std::string Caption(long double value, std::string_view unit, const vemo::LocaleSettings& locale) {
    std::string caption = vemo::FormatNumber(value, locale);
    caption += ' ';
    caption.append(unit);
    return caption;
}

// Each step reads the total back from the text it wrote before, so the total carries the
// number format's ten digits from entry to entry exactly as the label would. The label itself
// is written once at the end: nothing repaints in between.
std::string Step(const std::string& caption, double delta, std::string_view unit,
                 const vemo::LocaleSettings& locale) {
    return Caption(static_cast<long double>(ReadRunningTotal(caption, locale)) +
                       static_cast<long double>(delta),
                   unit, locale);
}

} // namespace

double ReadRunningTotal(std::string_view caption, const vemo::LocaleSettings& locale) {
    const std::size_t blank = caption.find(' ');
    const std::string_view number =
        blank == std::string_view::npos ? std::string_view() : caption.substr(0, blank);
    return vemo::ParseNumber(number, 0, locale);
}

double ReadRunningTotal(const QLabel* label, const vemo::LocaleSettings& locale) {
    return ReadRunningTotal(FromQString(label->text()), locale);
}

void WriteRunningTotal(QLabel* label, long double value, std::string_view unit,
                       const vemo::LocaleSettings& locale) {
    label->setText(ToQString(Caption(value, unit, locale)));
}

void AddSelectedToRoute(const QListWidget* sections, QListWidget* route, QLabel* total,
                        std::string_view unit, const EntryValue& value,
                        const vemo::LocaleSettings& locale) {
    const std::vector<int> rows = ListSelectedRows(sections);
    if (rows.empty())
        return;
    std::vector<std::string> entries;
    entries.reserve(rows.size());
    std::string caption = FromQString(total->text());
    for (const int row : rows) {
        entries.push_back(ListEntry(sections, row));
        caption = Step(caption, value(entries.back()), unit, locale);
    }
    ListAppend(route, entries);
    total->setText(ToQString(caption));
}

void RemoveSelectedFromRoute(QListWidget* route, QLabel* total, std::string_view unit,
                             const EntryValue& value, const vemo::LocaleSettings& locale) {
    const std::vector<int> rows = ListSelectedRows(route);
    if (rows.empty())
        return;
    std::string caption = FromQString(total->text());
    for (const int row : rows)
        caption = Step(caption, -value(ListEntry(route, row)), unit, locale);
    ListDeleteRows(route, rows);
    total->setText(ToQString(caption));
}

void ShowFocusedEntry(const QListWidget* list, QLabel* label) {
    const int index = list->currentRow();
    if (index >= 0)
        label->setText(list->item(index)->text());
}
