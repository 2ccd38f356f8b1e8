#pragma once
// The route buttons of both tabs: entries move between the lists and a running total, kept only
// as a label's caption, follows them entry by entry (the step itself is vemo::RunningTotalStep).

#include "text/TextRoutines.h"

#include <functional>
#include <string_view>

class QLabel;
class QListWidget;

namespace vemo::ui {

// The value an entry adds to the running total: its kilometres or its category amount.
using EntryValue = std::function<double(std::string_view entry)>;

// ">>": appends every selected entry of sections to route, in list order, and adds its value to
// the caption of total, followed by unit. Nothing selected changes nothing.
void AddSelectedToRoute(const QListWidget* sections, QListWidget* route, QLabel* total,
                        std::string_view unit, const EntryValue& value,
                        const LocaleSettings& locale);
// "<<": deletes every selected entry of route, in index order, subtracting its value.
void RemoveSelectedFromRoute(QListWidget* route, QLabel* total, std::string_view unit,
                             const EntryValue& value, const LocaleSettings& locale);

// The total of every entry of route, in list order, taken step by step as ">>" would have added
// them, written into total; "0" and the unit for an empty route.
void RecomputeRouteTotal(const QListWidget* route, QLabel* total, std::string_view unit,
                         const EntryValue& value, const LocaleSettings& locale);

// Shows the full text of the focused entry of list in label, if there is one.
void ShowFocusedEntry(const QListWidget* list, QLabel* label);

} // namespace vemo::ui
