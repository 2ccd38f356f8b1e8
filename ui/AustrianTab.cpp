// Handlers of the "Rakousko" tab: every section carries a fixed amount per category, and the
// toll is a running total in lblAUMaut taken with the category chosen at each press. The rules
// themselves are in Tariff.
#include "Cp1250Text.h"
#include "ListBox.h"
#include "Route.h"
#include "Tariff.h"
#include "_frmVemo.h"

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
    const std::string key = vemo::ui::SelectorText(cboAUDalnice);
    vemo::ui::ListClear(lbxAUCis);
    vemo::ui::ListAppend(lbxAUCis, vemo::AustrianSectionListing(lists_->austrianTable, key));
}

void TfrmVemo::btnAUSelectClick() {
    vemo::ui::AddSelectedToRoute(
        lbxAUCis, lbxAUTrasa, lblAUMaut, vemo::kEuroUnit,
        CategoryAmountIn(vemo::ui::SelectorItemIndex(cboAUKategorie), locale_.numbers),
        locale_.numbers);
}

void TfrmVemo::btnAUUnselectClick() {
    vemo::ui::RemoveSelectedFromRoute(
        lbxAUTrasa, lblAUMaut, vemo::kEuroUnit,
        CategoryAmountIn(vemo::ui::SelectorItemIndex(cboAUKategorie), locale_.numbers),
        locale_.numbers);
}

void TfrmVemo::lbxAUCisClick() {
    vemo::ui::ShowFocusedEntry(lbxAUCis, lblAUUsek);
}

void TfrmVemo::lbxAUTrasaClick() {
    vemo::ui::ShowFocusedEntry(lbxAUTrasa, lblAUUsek);
}

void TfrmVemo::cboAUKategorieChange() {
    if (const auto text = vemo::AustrianCategoryText(vemo::ui::SelectorItemIndex(cboAUKategorie)))
        lblAUKategorie->setText(vemo::ui::ToQString(*text));
}
