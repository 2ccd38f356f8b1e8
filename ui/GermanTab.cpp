// Handlers of the "Německo" tab: the route's kilometres are a running total in lblKm, the toll
// is always recomputed from them and the rate.
#include "Cp1250Text.h"
#include "ListBox.h"
#include "Route.h"
#include "_frmVemo.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace {

struct RateRow {
    const char* description; // Windows-1250
    double upToThreeAxles;
    double fromFourAxles;
};

constexpr RateRow kRates[] = {
    {"T\xF8\xED"
     "dy \x9A"
     "kodlivin S4, S5 a EEV t\xF8\xED"
     "dy 1, EURO-4,5",
     0.09, 0.10},
    {"EURO-2, EURO-3 (S2,S3)", 0.11, 0.12},
    {"EURO-0, EURO-1 (S1)", 0.13, 0.14},
};

constexpr std::string_view kKm = "km";
constexpr std::string_view kEuro = "\x80";

double Rate(const RateRow& row, int axles) {
    return axles > 3 ? row.fromFourAxles : row.upToThreeAxles;
}

bool IsCategory(int index) {
    return index >= 0 && index < static_cast<int>(std::size(kRates));
}

// The length behind the entry's first ";", at most 200 characters.
double SectionLength(std::string_view entry, const vemo::LocaleSettings& locale) {
    const std::size_t semicolon = entry.find(';');
    if (semicolon == std::string_view::npos)
        return 0;
    return vemo::ParseNumber(entry.substr(semicolon + 1, 200), 0, locale);
}

} // namespace

void TfrmVemo::cboDalniceChange() {
    const std::string text = SelectorText(cboDalnice);
    const std::string_view key =
        text.empty() ? std::string_view() : std::string_view(text).substr(1);
    ListClear(lbxCis);
    ListAppend(lbxCis, vemo::GermanSectionListing(lists_->germanTable, key));
}

void TfrmVemo::btnSelectClick() {
    const auto& numbers = locale_.numbers;
    AddSelectedToRoute(
        lbxCis, lbxTrasa, lblKm, kKm,
        [&](std::string_view entry) { return SectionLength(entry, numbers); }, numbers);
    curSazbaChange();
}

void TfrmVemo::btnUnselectClick() {
    const auto& numbers = locale_.numbers;
    RemoveSelectedFromRoute(
        lbxTrasa, lblKm, kKm, [&](std::string_view entry) { return SectionLength(entry, numbers); },
        numbers);
    curSazbaChange();
}

void TfrmVemo::lbxCisClick() {
    ShowFocusedEntry(lbxCis, lblUsek);
}

void TfrmVemo::lbxTrasaClick() {
    ShowFocusedEntry(lbxTrasa, lblUsek);
}

void TfrmVemo::cboKategorieChange() {
    const int index = SelectorItemIndex(cboKategorie);
    if (!IsCategory(index))
        return;
    lblKategorie->setText(ToQString(kRates[index].description));
    curSazba->SetValue(Rate(kRates[index], speNapravy->Value()));
}

void TfrmVemo::speNapravyChange() {
    const int axles = speNapravy->Value();
    const int index = SelectorItemIndex(cboKategorie);
    if (!IsCategory(index))
        return;
    curSazba->SetValue(Rate(kRates[index], axles));
}

void TfrmVemo::curSazbaChange() {
    const double km = ReadRunningTotal(lblKm, locale_.numbers);
    const double rate = curSazba->Value();
    WriteRunningTotal(lblMaut, static_cast<long double>(km) * rate, kEuro, locale_.numbers);
}
