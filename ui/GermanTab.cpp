// Handlers of the "Německo" tab: the route's kilometres are a running total in lblKm, the toll
// is always recomputed from them and the rate. The rules themselves are in Tariff.
#include "Cp1250Text.h"
#include "ListBox.h"
#include "Route.h"
#include "Tariff.h"
#include "_frmVemo.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace {

vemo::ui::EntryValue SectionLengthIn(const vemo::LocaleSettings& locale) {
    return [&locale](std::string_view entry) { return vemo::SectionLength(entry, locale); };
}

} // namespace

void TfrmVemo::cboDalniceChange() {
    const std::string text = vemo::ui::SelectorText(cboDalnice);
    vemo::ui::ListClear(lbxCis);
    vemo::ui::ListAppend(
        lbxCis, vemo::GermanSectionListing(lists_->germanTable, vemo::GermanMotorwayKey(text)));
}

void TfrmVemo::btnSelectClick() {
    vemo::ui::AddSelectedToRoute(lbxCis, lbxTrasa, lblKm, vemo::kKmUnit,
                                 SectionLengthIn(locale_.numbers), locale_.numbers);
    curSazbaChange();
}

void TfrmVemo::btnUnselectClick() {
    vemo::ui::RemoveSelectedFromRoute(lbxTrasa, lblKm, vemo::kKmUnit,
                                      SectionLengthIn(locale_.numbers), locale_.numbers);
    curSazbaChange();
}

void TfrmVemo::lbxCisClick() {
    vemo::ui::ShowFocusedEntry(lbxCis, lblUsek);
}

void TfrmVemo::lbxTrasaClick() {
    vemo::ui::ShowFocusedEntry(lbxTrasa, lblUsek);
}

void TfrmVemo::cboKategorieChange() {
    const int index = vemo::ui::SelectorItemIndex(cboKategorie);
    const auto description = vemo::GermanCategoryText(index);
    if (!description)
        return;
    lblKategorie->setText(vemo::ui::ToQString(*description));
    curSazba->SetValue(*vemo::GermanRate(index, speNapravy->Value()));
}

void TfrmVemo::speNapravyChange() {
    const int axles = speNapravy->Value();
    if (const auto rate = vemo::GermanRate(vemo::ui::SelectorItemIndex(cboKategorie), axles))
        curSazba->SetValue(*rate);
}

void TfrmVemo::curSazbaChange() {
    lblMaut->setText(vemo::ui::ToQString(vemo::GermanTollCaption(
        vemo::ui::FromQString(lblKm->text()), curSazba->Value(), locale_.numbers)));
}
