// Handlers of the "Rakousko" tab: every section carries a fixed amount per category, and the
// toll is a running total in lblAUMaut of the listed route in the category shown. The rules
// themselves are in data/: the axle texts in Tariff, the amounts in SectionEntry, the total in
// RunningTotal.
#include "data/Conversion.h"
#include "data/MotorwayIndex.h"
#include "data/RunningTotal.h"
#include "data/SectionEntry.h"
#include "data/Tariff.h"
#include "ui/Cp1250Text.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/Route.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace {

vemo::ui::EntryValue CategoryAmountIn(int category, const vemo::LocaleSettings& locale) {
    return [category, &locale](std::string_view entry) {
        return vemo::CategoryAmount(entry, category, locale);
    };
}

} // namespace

void TfrmVemo::cboAUDalniceChange() {
    const std::string key = vemo::ui::SelectorText(ui.cboAUDalnice);
    vemo::ui::ListClear(ui.lbxAUCis);
    vemo::ui::ListAppend(ui.lbxAUCis, vemo::AustrianSectionListing(lists_->austrianTable, key));
}

void TfrmVemo::btnAUSelectClick() {
    vemo::ui::AddSelectedToRoute(
        ui.lbxAUCis, ui.lbxAUTrasa, ui.lblAUMaut, vemo::kEuroUnit,
        CategoryAmountIn(vemo::ui::SelectorItemIndex(ui.cboAUKategorie), locale_.numbers),
        locale_.numbers);
}

void TfrmVemo::btnAUUnselectClick() {
    vemo::ui::RemoveSelectedFromRoute(
        ui.lbxAUTrasa, ui.lblAUMaut, vemo::kEuroUnit,
        CategoryAmountIn(vemo::ui::SelectorItemIndex(ui.cboAUKategorie), locale_.numbers),
        locale_.numbers);
}

void TfrmVemo::lbxAUCisClick() {
    vemo::ui::ShowFocusedEntry(ui.lbxAUCis, ui.lblAUUsek);
}

void TfrmVemo::lbxAUTrasaClick() {
    vemo::ui::ShowFocusedEntry(ui.lbxAUTrasa, ui.lblAUUsek);
}

void TfrmVemo::cboAUKategorieChange() {
    const int category = vemo::ui::SelectorItemIndex(ui.cboAUKategorie);
    const auto text = vemo::AustrianCategoryText(category);
    if (!text)
        return;
    austrianCategory_ = category;
    ui.lblAUKategorie->setText(vemo::ui::ToQString(*text));
    // The total is that of the listed route in the category shown, as the German toll follows
    // its rate; ">>" and "<<" then add and subtract amounts of this category.
    vemo::ui::RecomputeRouteTotal(ui.lbxAUTrasa, ui.lblAUMaut, vemo::kEuroUnit,
                                  CategoryAmountIn(category, locale_.numbers), locale_.numbers);
}

void TfrmVemo::btnAUCreateDataClick() {
    if (lists_) {
        vemo::ConvertAustrian(lists_->austrianTable);
    }
}
