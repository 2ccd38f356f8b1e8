#include "Route.h"

#include "Cp1250Text.h"
#include "ListBox.h"
#include "Tariff.h"

#include <QLabel>
#include <QListWidget>

#include <string>
#include <vector>

namespace vemo::ui {

// Each step reads the total back from the caption it wrote before, so the total carries the
// number format's ten digits from entry to entry exactly as the label would. The label itself
// is written once at the end: nothing repaints in between.
void AddSelectedToRoute(const QListWidget* sections, QListWidget* route, QLabel* total,
                        std::string_view unit, const EntryValue& value,
                        const LocaleSettings& locale) {
    const std::vector<int> rows = ListSelectedRows(sections);
    if (rows.empty())
        return;
    std::vector<std::string> entries;
    entries.reserve(rows.size());
    std::string caption = FromQString(total->text());
    for (const int row : rows) {
        entries.push_back(ListEntry(sections, row));
        caption = RunningTotalStep(caption, value(entries.back()), unit, locale);
    }
    ListAppend(route, entries);
    total->setText(ToQString(caption));
}

void RemoveSelectedFromRoute(QListWidget* route, QLabel* total, std::string_view unit,
                             const EntryValue& value, const LocaleSettings& locale) {
    const std::vector<int> rows = ListSelectedRows(route);
    if (rows.empty())
        return;
    std::string caption = FromQString(total->text());
    for (const int row : rows)
        caption = RunningTotalStep(caption, -value(ListEntry(route, row)), unit, locale);
    ListDeleteRows(route, rows);
    total->setText(ToQString(caption));
}

void ShowFocusedEntry(const QListWidget* list, QLabel* label) {
    const int index = list->currentRow();
    if (index >= 0)
        label->setText(list->item(index)->text());
}

} // namespace vemo::ui
