#pragma once
// What both tabs share: a motorway chosen lists its sections, ">>" and "<<" move entries between
// the section list and the route, a running total kept only as a label's caption follows them
// entry by entry (the step itself is vemo::RunningTotalStep), and a click shows an entry whole.
// The captions of the totals are read back here and nowhere else: the quote, the clipboard and
// the route file ask the tab.

#include "ui/PlatformLocale.h"
#include "ui/RouteClipboard.h"

#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;
class TListBox;

namespace vemo::ui {

// A total that lives only as its label's caption, a number in the number format and a unit
// ("19,5 km", "2,145 €"), beside the label that names it ("Celkem km:").
class LabelTotal {
public:
    LabelTotal(QLabel* label, const QLabel* name, std::string_view unit, const UiLocale& locale);

    // The caption as the label shows it; empty before the first figure.
    std::string Caption() const;
    // The number the caption shows, read as each step reads it: 0 for a caption without a blank.
    double Value() const;
    void Write(const std::string& caption);
    // The caption beside its name, as the copy command writes it.
    ShownTotal Shown() const;

private:
    QLabel* label_;
    const QLabel* name_;
    std::string_view unit_;
    const UiLocale& locale_;
};

// A value beside the caption the window shows for it ("Sazba za km:").
ShownTotal ShownBeside(const QLabel* name, const QString& value);

// A route tab's controls in the stored layout, and the unit of its running total.
struct RouteTabControls {
    QWidget* page;
    QComboBox* motorway;
    TListBox* sections;
    TListBox* route;
    QPushButton* add;    // ">>"
    QPushButton* remove; // "<<"
    QLabel* entry;       // the full text of one entry
    QLabel* total;       // the running total
    QLabel* totalName;   // the caption beside it
    std::string_view unit;
};

// The value an entry adds to the running total: its kilometres or its category amount.
using EntryValue = std::function<double(std::string_view entry)>;

class RouteTab {
public:
    RouteTab(const RouteTabControls& controls, const UiLocale& locale, EntryValue value);

    // The motorway as its selector shows it.
    std::string Motorway() const;
    // A motorway chosen: its entries replace the section list; the route and its total stay.
    void ShowSections(const std::vector<std::string>& entries);
    // ">>": appends every selected section, in list order, adding its value to the total.
    // Nothing selected changes nothing.
    void AddSelected();
    // "<<": deletes every selected route entry, in index order, subtracting its value.
    void RemoveSelected();
    // Shows the full text of the focused entry of the list, if there is one.
    void ShowFocusedSection();
    void ShowFocusedRouteEntry();
    // Replaces the route's entries; the total stays until Recompute.
    void ListRoute(const std::vector<std::string>& entries);
    // The total of every listed entry, step by step as ">>" would have added them; "0" and the
    // unit for an empty route.
    void Recompute();

    std::vector<std::string> Entries() const;
    QStringList EntryTexts() const;
    const LabelTotal& Total() const { return total_; }

private:
    RouteTabControls controls_;
    const UiLocale& locale_;
    EntryValue value_;
    LabelTotal total_;
};

} // namespace vemo::ui
