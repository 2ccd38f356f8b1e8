// Handlers of the "Německo" tab: the route's kilometres are a running total in lblKm, the toll
// is always recomputed from them and the rate. The rules themselves are in data/: the rates in
// Tariff, the entry's length in SectionEntry, the totals in RunningTotal.
#include "data/Conversion.h"
#include "data/MotorwayIndex.h"
#include "data/RunningTotal.h"
#include "data/SectionEntry.h"
#include "data/Tariff.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/Route.h"
#include "ui/SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace {

vemo::ui::EntryValue SectionLengthIn(const vemo::LocaleSettings& locale) {
    return [&locale](std::string_view entry) { return vemo::SectionLength(entry, locale); };
}

} // namespace

void TfrmVemo::cboDalniceChange() {
    const std::string text = vemo::ui::SelectorText(ui.cboDalnice);
    vemo::ui::ListClear(ui.lbxCis);
    vemo::ui::ListAppend(
        ui.lbxCis, vemo::GermanSectionListing(lists_->germanTable, vemo::GermanMotorwayKey(text)));
}

void TfrmVemo::btnSelectClick() {
    vemo::ui::AddSelectedToRoute(ui.lbxCis, ui.lbxTrasa, ui.lblKm, vemo::kKmUnit,
                                 SectionLengthIn(locale_.numbers), locale_.numbers);
    curSazbaChange();
}

void TfrmVemo::btnUnselectClick() {
    vemo::ui::RemoveSelectedFromRoute(ui.lbxTrasa, ui.lblKm, vemo::kKmUnit,
                                      SectionLengthIn(locale_.numbers), locale_.numbers);
    curSazbaChange();
}

void TfrmVemo::lbxCisClick() {
    vemo::ui::ShowFocusedEntry(ui.lbxCis, ui.lblUsek);
}

void TfrmVemo::lbxTrasaClick() {
    vemo::ui::ShowFocusedEntry(ui.lbxTrasa, ui.lblUsek);
}

void TfrmVemo::cboKategorieChange() {
    const int index = vemo::ui::SelectorItemIndex(ui.cboKategorie);
    const auto description = vemo::GermanCategoryText(index);
    if (!description)
        return;
    ui.lblKategorie->setText(vemo::ui::ToQString(*description));
    ui.curSazba->SetValue(*vemo::GermanRate(index, ui.speNapravy->Value()));
}

void TfrmVemo::speNapravyChange() {
    const int axles = ui.speNapravy->Value();
    if (const auto rate = vemo::GermanRate(vemo::ui::SelectorItemIndex(ui.cboKategorie), axles))
        ui.curSazba->SetValue(*rate);
}

void TfrmVemo::curSazbaChange() {
    ui.lblMaut->setText(vemo::ui::ToQString(vemo::GermanTollCaption(
        vemo::ui::FromQString(ui.lblKm->text()), ui.curSazba->Value(), locale_.numbers)));
}

void TfrmVemo::btnCreateDataClick() {
    if (lists_) {
        vemo::ConvertGerman(lists_->germanTable);
    }
}
