#include "ui/AustrianTab.h"

#include "data/documents/RouteLookup.h"
#include "data/rules/Conversion.h"
#include "data/rules/MotorwayIndex.h"
#include "data/rules/RunningTotal.h"
#include "data/rules/SectionEntry.h"
#include "data/rules/Tariff.h"
#include "ui/Cp1250Text.h"
#include "ui/ListBox.h"

#include <QComboBox>
#include <QLabel>

namespace vemo::ui {

RouteTabControls AustrianRouteControls(const Ui::frmVemo& ui) {
    return {.page = ui.tbsAU,
            .motorway = ui.cboAUDalnice,
            .sections = ui.lbxAUCis,
            .route = ui.lbxAUTrasa,
            .add = ui.btnAUSelect,
            .remove = ui.btnAUUnselect,
            .entry = ui.lblAUUsek,
            .total = ui.lblAUMaut,
            .totalName = ui.Label13,
            .unit = kEuroUnit};
}

AustrianTab::AustrianTab(const Ui::frmVemo& ui, const UiLocale& locale)
    : ui_(ui), locale_(locale),
      // An entry counts in the category its selector names at this moment: none counts 0.
      route_(AustrianRouteControls(ui), locale, [&ui, &locale](std::string_view entry) {
          return CategoryAmount(entry, SelectorItemIndex(ui.cboAUKategorie), locale.numbers);
      }) {}

void AustrianTab::ChooseMotorway(const LineTable& table) {
    route_.ShowSections(AustrianSectionListing(table, route_.Motorway()));
}

void AustrianTab::ChooseCategory() {
    const int category = SelectorItemIndex(ui_.cboAUKategorie);
    const auto text = AustrianCategoryText(category);
    if (!text)
        return;
    category_ = category;
    ui_.lblAUKategorie->setText(ToQString(*text));
    // The total is that of the listed route in the category shown, as the German toll follows
    // its rate; ">>" and "<<" then add and subtract amounts of this category.
    route_.Recompute();
}

void AustrianTab::ConvertData(LineTable& table) {
    ConvertAustrian(table);
}

void AustrianTab::StartCategory() {
    ui_.cboAUKategorie->setCurrentIndex(0);
    category_ = 0;
    ui_.lblAUKategorie->setText(ToQString(*AustrianCategoryText(0)));
}

Cents AustrianTab::Billed() const {
    return BilledAustrianToll(route_.Entries(), category_, locale_.numbers);
}

std::vector<ShownTotal> AustrianTab::ShownTotals() const {
    const auto text = AustrianCategoryText(category_);
    return {ShownBeside(ui_.Label12, text ? ToQString(*text) : QString()), route_.Total().Shown()};
}

AustrianQuoteInput AustrianTab::QuoteInput(const TollLists& lists) const {
    AustrianQuoteInput input;
    input.sections = RouteSectionsOf(route_.Entries(),
                                     AustrianRouteTables(lists.austrianTable, lists.austrianIndex));
    input.category = category_;
    return input;
}

void AustrianTab::SaveInto(RouteFile& file, const TollLists& lists) const {
    if (const auto name = AustrianCategoryName(category_))
        file.austrianCategory = *name;
    file.austrianToll = route_.Total().Value();
    file.austrianBilled = Billed();
    file.austrianRoute = RouteEntriesOf(
        route_.Entries(), AustrianRouteTables(lists.austrianTable, lists.austrianIndex));
}

int AustrianTab::FindCategory(const RouteFile& file) {
    int found = -1;
    for (int i = 0; i < kAustrianCategoryCount; ++i) {
        if (AustrianCategoryName(i) == file.austrianCategory)
            found = i;
    }
    return found;
}

void AustrianTab::ChooseOpened(int category) {
    ui_.cboAUKategorie->setCurrentIndex(category);
    if (category < 0) {
        // No category as on the German tab: no axle text, and no amounts to add up.
        category_ = -1;
        ui_.cboAUKategorie->setEditText(QString());
        ui_.lblAUKategorie->clear();
        route_.Recompute();
    } else {
        ChooseCategory();
    }
}

} // namespace vemo::ui
