#include "ui/Route.h"

#include "data/RunningTotal.h"
#include "ui/Cp1250Text.h"
#include "ui/ListBox.h"

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
    const std::vector<int> rows = vemo::ui::ListSelectedRows(sections);
    if (rows.empty())
        return;
    std::vector<std::string> entries;
    entries.reserve(rows.size());
    std::string caption = vemo::ui::FromQString(total->text());
    for (const int row : rows) {
        entries.push_back(vemo::ui::ListEntry(sections, row));
        caption = RunningTotalStep(caption, value(entries.back()), unit, locale);
    }
    vemo::ui::ListAppend(route, entries);
    total->setText(vemo::ui::ToQString(caption));
}

void RemoveSelectedFromRoute(QListWidget* route, QLabel* total, std::string_view unit,
                             const EntryValue& value, const LocaleSettings& locale) {
    const std::vector<int> rows = vemo::ui::ListSelectedRows(route);
    if (rows.empty())
        return;
    std::string caption = vemo::ui::FromQString(total->text());
    for (const int row : rows)
        caption = RunningTotalStep(caption, -value(vemo::ui::ListEntry(route, row)), unit, locale);
    vemo::ui::ListDeleteRows(route, rows);
    total->setText(vemo::ui::ToQString(caption));
}

void RecomputeRouteTotal(const QListWidget* route, QLabel* total, std::string_view unit,
                         const EntryValue& value, const LocaleSettings& locale) {
    std::string caption = RunningTotalCaption(0, unit, locale);
    for (int row = 0; row < route->count(); ++row)
        caption = RunningTotalStep(row == 0 ? std::string() : caption,
                                   value(vemo::ui::ListEntry(route, row)), unit, locale);
    total->setText(vemo::ui::ToQString(caption));
}

void ShowFocusedEntry(const QListWidget* list, QLabel* label) {
    const int index = list->currentRow();
    if (index >= 0)
        label->setText(list->item(index)->text());
}

} // namespace vemo::ui
