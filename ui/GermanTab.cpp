#include "ui/GermanTab.h"

#include "data/documents/RouteLookup.h"
#include "data/rules/CalendarDate.h"
#include "data/rules/Conversion.h"
#include "data/rules/MotorwayIndex.h"
#include "data/rules/RunningTotal.h"
#include "data/rules/SectionEntry.h"
#include "data/rules/TariffFile.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/SpinEdit.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

// A rate of the tariff shows in the rate box with all its decimals.
static_assert(TCurrencyEdit::kMaxDecimals >= vemo::kMostRateDecimals);

namespace vemo::ui {

RouteTabControls GermanRouteControls(const Ui::frmVemo& ui) {
    return {.page = ui.tbsDE,
            .motorway = ui.cboDalnice,
            .sections = ui.lbxCis,
            .route = ui.lbxTrasa,
            .add = ui.btnSelect,
            .remove = ui.btnUnselect,
            .entry = ui.lblUsek,
            .total = ui.lblKm,
            .totalName = ui.Label3,
            .unit = kKmUnit};
}

GermanTab::GermanTab(const Ui::frmVemo& ui, const UiLocale& locale, std::function<QDate()> today,
                     std::function<void()> describeTariff)
    : ui_(ui), locale_(locale), today_(std::move(today)),
      describeTariff_(std::move(describeTariff)),
      route_(GermanRouteControls(ui), locale,
             [&locale](std::string_view entry) { return SectionLength(entry, locale.numbers); }),
      toll_(ui.lblMaut, ui.Label6, kEuroUnit, locale) {}

void GermanTab::ChooseMotorway(const LineTable& table) {
    route_.ShowSections(GermanSectionListing(table, GermanMotorwayKey(route_.Motorway())));
}

void GermanTab::AddSelected() {
    route_.AddSelected();
    ShowToll();
}

void GermanTab::RemoveSelected() {
    route_.RemoveSelected();
    ShowToll();
}

void GermanTab::ChooseCategory() {
    const int index = SelectorItemIndex(ui_.cboKategorie);
    const auto description = tariff_ ? tariff_->Description(index) : std::nullopt;
    if (!description)
        return;
    ui_.lblKategorie->setText(ToQString(*description));
    PriceVehicle(index);
}

void GermanTab::ChooseWeightClass() {
    describeTariff_();
    PriceVehicle(SelectorItemIndex(ui_.cboKategorie));
}

void GermanTab::ChooseAxles() {
    PriceVehicle(SelectorItemIndex(ui_.cboKategorie));
}

void GermanTab::ShowToll() {
    toll_.Write(
        GermanTollCaption(route_.Total().Caption(), ui_.curSazba->Value(), locale_.numbers));
    billed_ = BilledGermanToll(route_.Entries(), Rate(), locale_.numbers);
    ui_.lblMautVyuctovani->setText(
        QStringLiteral("Dle vyúčtování: %1 €")
            .arg(ToQString(FormatHundredths(*billed_, locale_.numbers))));
}

void GermanTab::ConvertData(LineTable& table) {
    ConvertGerman(table);
    // The tariff in force stays until the next start, as the selectors do.
    if (QFileInfo::exists(QString::fromLatin1(kTariffSourceFile)))
        ConvertTariff(kTariffSourceFile, kTariffFile, ToCalendarDate(today_()));
}

void GermanTab::PriceVehicle(int category) {
    if (!tariff_)
        return;
    const GermanVehicle vehicle{category, WeightClassIndex(), ui_.speNapravy->Value()};
    if (const std::optional<Decimal> rate = tariff_->Rate(vehicle)) {
        priced_ = vehicle;
        ui_.curSazba->SetValue(rate->ToDouble());
    }
}

int GermanTab::WeightClassIndex() const {
    return tariff_ && tariff_->HasWeightClasses() ? ui_.cboHmotnost->currentIndex() : 0;
}

QString GermanTab::PricedCategory() const {
    if (!priced_ || !tariff_)
        return {};
    return ToQString(tariff_->categories[static_cast<std::size_t>(priced_->category)].name);
}

QString GermanTab::PricedWeightClass() const {
    const int index = priced_ ? priced_->weightClass : WeightClassIndex();
    if (!tariff_ || index < 0)
        return {};
    return ToQString(tariff_->weightClasses[static_cast<std::size_t>(index)].label);
}

int GermanTab::PricedAxles() const {
    return priced_ ? priced_->axles : ui_.speNapravy->Value();
}

Decimal GermanTab::Rate() const {
    // The box holds the tariff's rate with all its decimals; its shortest text is the rate.
    return Decimal::FromDouble(ui_.curSazba->Value()).value_or(Decimal());
}

void GermanTab::LoadTariff() {
    tariffs_.clear();
    tariff_.reset();
    ShowTariff();
    const CalendarDate today = ToCalendarDate(today_());
    tariffDay_ = today;
    tariffs_ = ReadTariffsOrBuiltIn(kTariffFile);
    // With none in force today the tariffs stay, for the day one begins.
    tariff_ = TariffInForce(tariffs_, today, kTariffFile);
    ShowTariff();
}

void GermanTab::ClearCategory() {
    ui_.cboKategorie->setCurrentIndex(-1);
    ui_.cboKategorie->setEditText(QString());
}

void GermanTab::ShowTariff() {
    ui_.cboKategorie->clear();
    ui_.cboHmotnost->clear();
    ui_.cboHmotnost->setEnabled(false);
    if (tariff_) {
        for (const TariffCategory& category : tariff_->categories)
            ui_.cboKategorie->addItem(ToQString(category.name));
        ui_.cboKategorie->setCurrentIndex(-1);
        if (tariff_->HasWeightClasses()) {
            for (const WeightClass& weights : tariff_->weightClasses)
                ui_.cboHmotnost->addItem(ToQString(weights.label));
            ui_.cboHmotnost->setCurrentIndex(tariff_->HeaviestClass());
            ui_.cboHmotnost->setEnabled(true);
        }
        ui_.curSazba->SetDecimals(tariff_->rateDecimals);
    }
    describeTariff_();
}

void GermanTab::FollowTheDay() {
    if (!tariffDay_)
        return;
    const CalendarDate today = ToCalendarDate(today_());
    if (today == *tariffDay_)
        return;
    tariffDay_ = today;
    const GermanTariff* inForce = FindTariffInForce(tariffs_, today);
    if (inForce && tariff_ ? inForce->validFrom == tariff_->validFrom : !inForce && !tariff_)
        return;
    const QString category = PricedCategory();
    const QString weightClass = PricedWeightClass();
    tariff_ = inForce ? std::optional<GermanTariff>(*inForce) : std::nullopt;
    priced_.reset();
    ShowTariff();
    if (const int kept = ui_.cboHmotnost->findText(weightClass);
        kept >= 0 && !weightClass.isEmpty())
        ui_.cboHmotnost->setCurrentIndex(kept);
    describeTariff_();
    const int index = ui_.cboKategorie->findText(category);
    ui_.cboKategorie->setCurrentIndex(category.isEmpty() ? -1 : index);
    if (category.isEmpty() || index < 0) {
        // As at the start: no category, no rate.
        ui_.cboKategorie->setEditText(QString());
        ui_.lblKategorie->clear();
        ui_.curSazba->SetValue(0);
        return;
    }
    ChooseCategory();
}

std::vector<ShownTotal> GermanTab::ShownTotals() const {
    // The rate as its box shows it while it has no focus.
    std::vector<ShownTotal> totals = {{QStringLiteral("Kategorie:"), PricedCategory()}};
    if (tariff_ && tariff_->HasWeightClasses())
        totals.push_back({QStringLiteral("Hmotnost:"), PricedWeightClass()});
    totals.insert(totals.end(), {{QStringLiteral("Počet náprav:"), QString::number(PricedAxles())},
                                 {tariff_ ? ToQString(tariff_->Label()) : QString(), {}},
                                 route_.Total().Shown(),
                                 ShownBeside(ui_.Label4, ui_.curSazba->DisplayText()),
                                 toll_.Shown()});
    totals.push_back(
        {QStringLiteral("Mýtné dle vyúčtování:"),
         billed_ ? ToQString(FormatHundredths(*billed_, locale_.numbers)) + QStringLiteral(" €")
                 : QString()});
    return totals;
}

GermanQuoteInput GermanTab::QuoteInput(const TollLists& lists) const {
    GermanQuoteInput input;
    input.sections =
        RouteSectionsOf(route_.Entries(), GermanRouteTables(lists.germanTable, lists.germanIndex));
    input.rate = Rate();
    input.category = FromQString(PricedCategory());
    input.weightClass = FromQString(PricedWeightClass());
    input.axles = PricedAxles();
    input.tariff = tariff_ ? tariff_->Label() : std::string();
    return input;
}

void GermanTab::SaveInto(RouteFile& file, const TollLists& lists) const {
    file.tariff = tariff_ ? tariff_->Label() : std::string();
    file.germanCategory = FromQString(PricedCategory());
    file.weightClass = FromQString(PricedWeightClass());
    file.axles = std::clamp(PricedAxles(), ui_.speNapravy->MinValue(), ui_.speNapravy->MaxValue());
    file.germanToll = toll_.Value();
    file.germanBilled = billed_.value_or(0);
    file.germanRoute =
        RouteEntriesOf(route_.Entries(), GermanRouteTables(lists.germanTable, lists.germanIndex));
}

GermanTab::Vehicle GermanTab::FindVehicle(const RouteFile& file, QStringList& notes) const {
    Vehicle vehicle;
    // A class the file does not name (an older file, a tariff without classes) is the heaviest,
    // as at the start; one today's tariff lacks is reported and none is chosen.
    const bool classes = tariff_ && tariff_->HasWeightClasses();
    vehicle.weightClass = classes ? tariff_->HeaviestClass() : 0;
    if (classes && !file.weightClass.empty()) {
        const auto& all = tariff_->weightClasses;
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&](const auto& c) { return c.label == file.weightClass; });
        vehicle.weightClass = found == all.end() ? -1 : static_cast<int>(found - all.begin());
        if (found == all.end())
            notes.append(QStringLiteral("Německo: hmotnost „%1“, kterou dnešní sazebník nemá")
                             .arg(ToQString(file.weightClass)));
    }
    if (!file.germanCategory.empty()) {
        const auto& categories = tariff_ ? tariff_->categories : std::vector<TariffCategory>();
        const auto found = std::find_if(categories.begin(), categories.end(), [&](const auto& c) {
            return c.name == file.germanCategory;
        });
        if (found == categories.end())
            notes.append(QStringLiteral("Německo: kategorie „%1“, kterou dnešní sazebník nemá")
                             .arg(ToQString(file.germanCategory)));
        else
            vehicle.category = static_cast<int>(found - categories.begin());
    }
    return vehicle;
}

void GermanTab::PriceOpened(int axles, const Vehicle& vehicle) {
    ui_.speNapravy->SetValue(axles);
    if (tariff_ && tariff_->HasWeightClasses())
        ui_.cboHmotnost->setCurrentIndex(vehicle.weightClass);
    describeTariff_();
    priced_.reset();
    ui_.cboKategorie->setCurrentIndex(vehicle.category);
    if (vehicle.category < 0) {
        ui_.cboKategorie->setEditText(QString());
        ui_.lblKategorie->clear();
    } else {
        ChooseCategory();
    }
    // Without a category, or without the class it was priced in, there is no rate yet.
    if (!priced_)
        ui_.curSazba->SetValue(0);
    // The toll of the kilometres of the route as listed now.
    route_.Recompute();
    ShowToll();
}

} // namespace vemo::ui
