#pragma once
// The tab "Německo": the route's kilometres are a running total, the toll is always recomputed
// from them and the rate, and the rate follows the tariff in force today, the category, the
// weight class and the axles. The tab keeps what the rate was taken for; the quote, the
// clipboard and the route file read it here, never from the selectors' texts. The rules
// themselves are in data/: the rates in Tariff, the entry's length in SectionEntry, the totals in
// RunningTotal, the billed toll in BilledToll.

#include "data/documents/QuoteDocument.h"
#include "data/documents/RouteFile.h"
#include "data/rules/BilledToll.h"
#include "data/rules/Tariff.h"
#include "data/rules/TollData.h"
#include "ui/MainWindowLayout.h"
#include "ui/RouteTab.h"

#include <QDate>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vemo::ui {

RouteTabControls GermanRouteControls(const Ui::frmVemo& ui);

class GermanTab {
public:
    // today: the day that decides the tariff in force; describeTariff names the tariff in the
    // controls' tooltips and descriptions after every change of tariff or weight class.
    GermanTab(const Ui::frmVemo& ui, const UiLocale& locale, std::function<QDate()> today,
              std::function<void()> describeTariff);

    // The handlers.
    void ChooseMotorway(const LineTable& table);
    void AddSelected();
    void RemoveSelected();
    void ShowFocusedSection() { route_.ShowFocusedSection(); }
    void ShowFocusedRouteEntry() { route_.ShowFocusedRouteEntry(); }
    void ChooseCategory();
    void ChooseWeightClass();
    void ChooseAxles();
    // The toll of the route's kilometres at the rate, as shown and as billed.
    void ShowToll();
    void ConvertData(LineTable& table);

    // The tariffs of the tariff file, or the built-in one without a file, and the one in force
    // today; a file that cannot be used leaves no category and throws its error.
    void LoadTariff();
    // No category chosen, as at the start.
    void ClearCategory();
    // When the day has changed since the tariff in force was chosen, the tariff of the new day
    // takes its place, keeping the category and the weight class chosen by name.
    void FollowTheDay();

    // The tariff in force; nothing when the tariff file could not be used.
    const std::optional<GermanTariff>& Tariff() const { return tariff_; }
    // The category, weight class and axles the rate was taken for.
    QString PricedCategory() const;
    QString PricedWeightClass() const;
    int PricedAxles() const;
    // The rate the rate box holds, exactly as the tariff writes it.
    Decimal Rate() const;
    // The toll as billed, section by section; nothing before the tab shows a toll.
    std::optional<Cents> Billed() const { return billed_; }
    const RouteTab& Route() const { return route_; }
    // The vehicle and the tariff the rate was taken for, then the totals as the tab shows them.
    std::vector<ShownTotal> ShownTotals() const;
    GermanQuoteInput QuoteInput(const TollLists& lists) const;
    void SaveInto(RouteFile& file, const TollLists& lists) const;

    // What a route file names, found in today's tariff: a category or a weight class that it
    // lacks is -1 and noted.
    struct Vehicle {
        int category = -1;
        int weightClass = 0;
    };
    Vehicle FindVehicle(const RouteFile& file, QStringList& notes) const;
    // The route as listed, priced as if the user had chosen the axles and the vehicle.
    void ListRoute(const std::vector<std::string>& entries) { route_.ListRoute(entries); }
    void PriceOpened(int axles, const Vehicle& vehicle);

private:
    // The categories and weight classes, the rate box's decimals and the tariff's name.
    void ShowTariff();
    // Sets the rate of category in the chosen weight class for the axle count, and keeps what it
    // was taken for; nothing for an index outside the tariff.
    void PriceVehicle(int category);
    // The weight class chosen: the selector's, or the only one.
    int WeightClassIndex() const;

    const Ui::frmVemo& ui_;
    const UiLocale& locale_;
    std::function<QDate()> today_;
    std::function<void()> describeTariff_;
    RouteTab route_;
    LabelTotal toll_;
    // The tariffs the day chooses from: the file's, or the built-in one; empty when the file
    // cannot be used.
    std::vector<GermanTariff> tariffs_;
    // The day the tariff in force was chosen for; nothing before the start-up has read them.
    std::optional<CalendarDate> tariffDay_;
    // The stored layout's categories are the built-in tariff's, until the start-up reads the file.
    std::optional<GermanTariff> tariff_ = BuiltInTariff();
    // What the rate was taken for; nothing while no category has set it.
    std::optional<GermanVehicle> priced_;
    // The toll as billed, written with the toll.
    std::optional<Cents> billed_;
};

} // namespace vemo::ui
