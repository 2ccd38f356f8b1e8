#pragma once
// The tab "Rakousko": every section carries a fixed amount per category, and the toll is a
// running total of the listed route in the category shown. The tab keeps that category; the
// quote, the clipboard and the route file read it here. The rules themselves are in data/: the
// axle texts in Tariff, the amounts in SectionEntry, the total in RunningTotal.

#include "data/documents/QuoteDocument.h"
#include "data/documents/RouteFile.h"
#include "data/rules/BilledToll.h"
#include "data/rules/TollData.h"
#include "ui/MainWindowLayout.h"
#include "ui/RouteTab.h"

#include <vector>

namespace vemo::ui {

RouteTabControls AustrianRouteControls(const Ui::frmVemo& ui);

class AustrianTab {
public:
    AustrianTab(const Ui::frmVemo& ui, const UiLocale& locale);

    // The handlers.
    void ChooseMotorway(const LineTable& table);
    void AddSelected() { route_.AddSelected(); }
    void RemoveSelected() { route_.RemoveSelected(); }
    void ShowFocusedSection() { route_.ShowFocusedSection(); }
    void ShowFocusedRouteEntry() { route_.ShowFocusedRouteEntry(); }
    // A category chosen: its axle text, and the total of the listed route in it. Text that
    // selects no entry changes nothing.
    void ChooseCategory();
    void ConvertData(LineTable& table);

    // The first category, as at the start; choosing from the program fires no handler.
    void StartCategory();

    // The category whose amounts the total and the axle text show; -1 for none.
    int Category() const { return category_; }
    // The toll as billed: the listed route's amounts in the category, each to the cent.
    Cents Billed() const;
    const RouteTab& Route() const { return route_; }
    // The category's axle text and the total as the tab shows them.
    std::vector<ShownTotal> ShownTotals() const;
    AustrianQuoteInput QuoteInput(const TollLists& lists) const;
    void SaveInto(RouteFile& file, const TollLists& lists) const;

    // The category a route file names, -1 for none the tab offers.
    static int FindCategory(const RouteFile& file);
    // The route as listed, in the category: its axle text and its total, as if the user had
    // chosen it; none leaves no axle text and counts every entry 0.
    void ListRoute(const std::vector<std::string>& entries) { route_.ListRoute(entries); }
    void ChooseOpened(int category);

private:
    const Ui::frmVemo& ui_;
    const UiLocale& locale_;
    RouteTab route_;
    int category_ = -1;
};

} // namespace vemo::ui
