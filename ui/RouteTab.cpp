#include "ui/RouteTab.h"

#include "data/rules/RunningTotal.h"
#include "ui/Cp1250Text.h"
#include "ui/ListBox.h"

#include <QLabel>
#include <QListWidget>

namespace vemo::ui {

LabelTotal::LabelTotal(QLabel* label, const QLabel* name, std::string_view unit,
                       const UiLocale& locale)
    : label_(label), name_(name), unit_(unit), locale_(locale) {}

std::string LabelTotal::Caption() const {
    return FromQString(label_->text());
}

double LabelTotal::Value() const {
    return ReadRunningTotal(Caption(), locale_.numbers);
}

void LabelTotal::Write(const std::string& caption) {
    label_->setText(ToQString(caption));
}

ShownTotal LabelTotal::Shown() const {
    return {name_->text(), label_->text()};
}

ShownTotal ShownBeside(const QLabel* name, const QString& value) {
    return {name->text(), value};
}

RouteTab::RouteTab(const RouteTabControls& controls, const UiLocale& locale, EntryValue value)
    : controls_(controls), locale_(locale), value_(std::move(value)),
      total_(controls.total, controls.totalName, controls.unit, locale) {}

std::string RouteTab::Motorway() const {
    return SelectorText(controls_.motorway);
}

void RouteTab::ShowSections(const std::vector<std::string>& entries) {
    ListClear(controls_.sections);
    ListAppend(controls_.sections, entries);
}

// Each step reads the total back from the caption it wrote before, so the total carries the
// number format's ten digits from entry to entry exactly as the label would. The label itself
// is written once at the end: nothing repaints in between.
void RouteTab::AddSelected() {
    const std::vector<int> rows = ListSelectedRows(controls_.sections);
    if (rows.empty())
        return;
    std::vector<std::string> entries;
    entries.reserve(rows.size());
    std::string caption = total_.Caption();
    for (const int row : rows) {
        entries.push_back(ListEntry(controls_.sections, row));
        caption =
            RunningTotalStep(caption, value_(entries.back()), controls_.unit, locale_.numbers);
    }
    ListAppend(controls_.route, entries);
    total_.Write(caption);
}

void RouteTab::RemoveSelected() {
    const std::vector<int> rows = ListSelectedRows(controls_.route);
    if (rows.empty())
        return;
    std::string caption = total_.Caption();
    for (const int row : rows)
        caption = RunningTotalStep(caption, -value_(ListEntry(controls_.route, row)),
                                   controls_.unit, locale_.numbers);
    ListDeleteRows(controls_.route, rows);
    total_.Write(caption);
}

namespace {

void ShowFocusedEntry(const QListWidget* list, QLabel* label) {
    const int index = list->currentRow();
    if (index >= 0)
        label->setText(list->item(index)->text());
}

} // namespace

void RouteTab::ShowFocusedSection() {
    ShowFocusedEntry(controls_.sections, controls_.entry);
}

void RouteTab::ShowFocusedRouteEntry() {
    ShowFocusedEntry(controls_.route, controls_.entry);
}

void RouteTab::ListRoute(const std::vector<std::string>& entries) {
    ListClear(controls_.route);
    ListAppend(controls_.route, entries);
}

void RouteTab::Recompute() {
    std::string caption = RunningTotalCaption(0, controls_.unit, locale_.numbers);
    for (int row = 0; row < controls_.route->count(); ++row)
        caption = RunningTotalStep(row == 0 ? std::string() : caption,
                                   value_(ListEntry(controls_.route, row)), controls_.unit,
                                   locale_.numbers);
    total_.Write(caption);
}

std::vector<std::string> RouteTab::Entries() const {
    return ListEntries(controls_.route);
}

QStringList RouteTab::EntryTexts() const {
    return ListTexts(controls_.route);
}

} // namespace vemo::ui
