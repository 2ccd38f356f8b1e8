// Handlers of the "Německo" tab: the route's kilometres are a running total in lblKm, the toll
// is always recomputed from them and the rate. The rules themselves are in data/: the rates in
// Tariff, the entry's length in SectionEntry, the totals in RunningTotal.
#include "data/Conversion.h"
#include "data/MotorwayIndex.h"
#include "data/RunningTotal.h"
#include "data/SectionEntry.h"
#include "data/Tariff.h"
#include "data/TariffFile.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/Route.h"
#include "ui/SpinEdit.h"

#include <QComboBox>
#include <QFileInfo>
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
    const auto description = tariff_ ? tariff_->Description(index) : std::nullopt;
    if (!description)
        return;
    ui.lblKategorie->setText(vemo::ui::ToQString(*description));
    ui.curSazba->SetValue(*tariff_->Rate(index, ui.speNapravy->Value()));
}

void TfrmVemo::speNapravyChange() {
    const int axles = ui.speNapravy->Value();
    const int index = vemo::ui::SelectorItemIndex(ui.cboKategorie);
    if (const auto rate = tariff_ ? tariff_->Rate(index, axles) : std::nullopt)
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
    // The tariff in force stays until the next start, as the selectors do.
    if (QFileInfo::exists(QString::fromLatin1(vemo::kTariffSourceFile))) {
        vemo::ConvertTariff(vemo::kTariffSourceFile, vemo::kTariffFile,
                            vemo::ui::ToCalendarDate(options_.today()));
    }
}

void TfrmVemo::LoadTariff() {
    tariff_.reset();
    ShowTariff();
    tariff_ = vemo::StartupTariff(vemo::kTariffFile, vemo::ui::ToCalendarDate(options_.today()));
    ShowTariff();
}

void TfrmVemo::ShowTariff() {
    ui.cboKategorie->clear();
    if (!tariff_) {
        DescribeTariff(QStringLiteral("Sazebník: žádný, soubor %1 nelze použít")
                           .arg(QString::fromLatin1(vemo::kTariffFile)));
        return;
    }
    for (const vemo::TariffCategory& category : tariff_->categories) {
        ui.cboKategorie->addItem(vemo::ui::ToQString(category.name));
    }
    ui.cboKategorie->setCurrentIndex(-1);
    ui.curSazba->SetDecimals(tariff_->rateDecimals);
    DescribeTariff(vemo::ui::ToQString(tariff_->Label()));
}
