// Handlers of the "Německo" tab: the route's kilometres are a running total in lblKm, the toll
// is always recomputed from them and the rate. The rules themselves are in data/: the rates in
// Tariff, the entry's length in SectionEntry, the totals in RunningTotal.
#include "data/BilledToll.h"
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

// A rate of the tariff shows in the rate box with all its decimals.
static_assert(TCurrencyEdit::kMaxDecimals >= vemo::kMostRateDecimals);

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
    PriceVehicle(index);
}

void TfrmVemo::cboHmotnostChange() {
    DescribeTariff();
    PriceVehicle(vemo::ui::SelectorItemIndex(ui.cboKategorie));
}

void TfrmVemo::speNapravyChange() {
    PriceVehicle(vemo::ui::SelectorItemIndex(ui.cboKategorie));
}

void TfrmVemo::curSazbaChange() {
    ui.lblMaut->setText(vemo::ui::ToQString(vemo::GermanTollCaption(
        vemo::ui::FromQString(ui.lblKm->text()), ui.curSazba->Value(), locale_.numbers)));
    // The rate box holds the tariff's rate with all its decimals; its shortest text is the rate
    // as the tariff writes it.
    const vemo::Decimal rate =
        vemo::Decimal::FromDouble(ui.curSazba->Value()).value_or(vemo::Decimal());
    germanBilled_ =
        vemo::BilledGermanToll(vemo::ui::ListEntries(ui.lbxTrasa), rate, locale_.numbers);
    ui.lblMautVyuctovani->setText(
        QStringLiteral("Dle vyúčtování: %1 €")
            .arg(vemo::ui::ToQString(vemo::FormatHundredths(*germanBilled_, locale_.numbers))));
}

void TfrmVemo::PriceVehicle(int category) {
    if (!tariff_)
        return;
    const vemo::GermanVehicle vehicle{category, WeightClassIndex(), ui.speNapravy->Value()};
    if (const std::optional<vemo::Decimal> rate = tariff_->Rate(vehicle)) {
        priced_ = vehicle;
        ui.curSazba->SetValue(rate->ToDouble());
    }
}

int TfrmVemo::WeightClassIndex() const {
    return tariff_ && tariff_->HasWeightClasses() ? ui.cboHmotnost->currentIndex() : 0;
}

QString TfrmVemo::PricedCategory() const {
    if (!priced_ || !tariff_)
        return {};
    return vemo::ui::ToQString(
        tariff_->categories[static_cast<std::size_t>(priced_->category)].name);
}

QString TfrmVemo::PricedWeightClass() const {
    const int index = priced_ ? priced_->weightClass : WeightClassIndex();
    if (!tariff_ || index < 0)
        return {};
    return vemo::ui::ToQString(tariff_->weightClasses[static_cast<std::size_t>(index)].label);
}

vemo::Decimal TfrmVemo::GermanRate() const {
    // The box holds the tariff's rate with all its decimals; its shortest text is the rate.
    return vemo::Decimal::FromDouble(ui.curSazba->Value()).value_or(vemo::Decimal());
}

int TfrmVemo::PricedAxles() const {
    return priced_ ? priced_->axles : ui.speNapravy->Value();
}

void TfrmVemo::btnCreateDataClick() {
    if (lists_) {
        vemo::ConvertGerman(lists_->germanTable);
    }
    // The tariff in force stays until the next start, as the selectors do.
    if (QFileInfo::exists(QString::fromLatin1(vemo::kTariffSourceFile))) {
        vemo::ConvertTariff(vemo::kTariffSourceFile, vemo::kTariffFile,
                            vemo::ToCalendarDate(options_.today()));
    }
}

void TfrmVemo::LoadTariff() {
    tariffs_.clear();
    tariff_.reset();
    ShowTariff();
    const vemo::CalendarDate today = vemo::ToCalendarDate(options_.today());
    tariffDay_ = today;
    tariffs_ = vemo::ReadTariffsOrBuiltIn(vemo::kTariffFile);
    // With none in force today the tariffs stay, for the day one begins.
    tariff_ = vemo::TariffInForce(tariffs_, today, vemo::kTariffFile);
    ShowTariff();
}

void TfrmVemo::ShowTariff() {
    ui.cboKategorie->clear();
    ui.cboHmotnost->clear();
    ui.cboHmotnost->setEnabled(false);
    if (tariff_) {
        for (const vemo::TariffCategory& category : tariff_->categories)
            ui.cboKategorie->addItem(vemo::ui::ToQString(category.name));
        ui.cboKategorie->setCurrentIndex(-1);
        if (tariff_->HasWeightClasses()) {
            for (const vemo::WeightClass& weights : tariff_->weightClasses)
                ui.cboHmotnost->addItem(vemo::ui::ToQString(weights.label));
            ui.cboHmotnost->setCurrentIndex(tariff_->HeaviestClass());
            ui.cboHmotnost->setEnabled(true);
        }
        ui.curSazba->SetDecimals(tariff_->rateDecimals);
    }
    DescribeTariff();
}

void TfrmVemo::FollowTariffOfTheDay() {
    if (!tariffDay_)
        return;
    const vemo::CalendarDate today = vemo::ToCalendarDate(options_.today());
    if (today == *tariffDay_)
        return;
    tariffDay_ = today;
    const vemo::GermanTariff* inForce = vemo::FindTariffInForce(tariffs_, today);
    if (inForce && tariff_ ? inForce->validFrom == tariff_->validFrom : !inForce && !tariff_)
        return;
    const QString category = PricedCategory();
    const QString weightClass = PricedWeightClass();
    tariff_ = inForce ? std::optional<vemo::GermanTariff>(*inForce) : std::nullopt;
    priced_.reset();
    ShowTariff();
    if (const int kept = ui.cboHmotnost->findText(weightClass); kept >= 0 && !weightClass.isEmpty())
        ui.cboHmotnost->setCurrentIndex(kept);
    DescribeTariff();
    const int index = ui.cboKategorie->findText(category);
    ui.cboKategorie->setCurrentIndex(category.isEmpty() ? -1 : index);
    if (category.isEmpty() || index < 0) {
        // As at the start: no category, no rate.
        ui.cboKategorie->setEditText(QString());
        ui.lblKategorie->clear();
        ui.curSazba->SetValue(0);
        return;
    }
    cboKategorieChange();
}
