#pragma once
// The route buttons of both tabs: entries move between the lists and a running total, kept only
// as a label's caption, follows them entry by entry.

#include "TextRoutines.h"

#include <functional>
#include <string>
#include <string_view>

class QLabel;
class QListWidget;

// The number before the caption's first blank; 0 when it has no blank or is no number.
double ReadRunningTotal(std::string_view caption, const vemo::LocaleSettings& locale);
double ReadRunningTotal(const QLabel* label, const vemo::LocaleSettings& locale);
// The number format followed by a blank and the unit.
void WriteRunningTotal(QLabel* label, long double value, std::string_view unit,
                       const vemo::LocaleSettings& locale);

using EntryValue = std::function<double(std::string_view entry)>;

// ">>": appends every selected section entry to the route, in list order, and adds its value
// to the total. Nothing selected changes nothing.
void AddSelectedToRoute(const QListWidget* sections, QListWidget* route, QLabel* total,
                        std::string_view unit, const EntryValue& value,
                        const vemo::LocaleSettings& locale);
// "<<": deletes every selected route entry, in index order, subtracting its value.
void RemoveSelectedFromRoute(QListWidget* route, QLabel* total, std::string_view unit,
                             const EntryValue& value, const vemo::LocaleSettings& locale);

// Shows the focused entry's full text, if there is one.
void ShowFocusedEntry(const QListWidget* list, QLabel* label);
