// Handlers of the "Rakousko" tab: every section carries a fixed amount per category, and the
// toll is a running total in lblAUMaut taken with the category chosen at each press.
#include "Cp1250Text.h"
#include "ListBox.h"
#include "Route.h"
#include "_frmVemo.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace {

constexpr const char* kAxleTexts[] = {"2 n\xE1pravy", "3 n\xE1pravy", "4 n\xE1pravy"};
constexpr std::string_view kEuro = "\x80";

// The amount for the category: behind the entry's first " : " stand "A/B/C".
double CategoryAmount(std::string_view entry, int category, const vemo::LocaleSettings& locale) {
    if (category < 0 || category > 2)
        return 0;
    const std::size_t colon = entry.find(" : ");
    std::string_view amounts = colon == std::string_view::npos ? entry : entry.substr(colon + 3);
    if (category > 0) {
        const std::size_t slash = amounts.find('/');
        amounts = slash == std::string_view::npos ? std::string_view() : amounts.substr(slash + 1);
    }
    const std::size_t slash = amounts.find('/');
    std::string_view amount;
    if (category < 2)
        amount = amounts.substr(0, slash);
    else if (slash != std::string_view::npos)
        amount = amounts.substr(slash + 1, 100);
    return vemo::ParseNumber(amount, 0, locale);
}

} // namespace

void TfrmVemo::cboAUDalniceChange() {
    const std::string key = SelectorText(cboAUDalnice);
    ListClear(lbxAUCis);
    ListAppend(lbxAUCis, vemo::AustrianSectionListing(lists_->austrianTable, key));
}

void TfrmVemo::btnAUSelectClick() {
    const int category = SelectorItemIndex(cboAUKategorie);
    const auto& numbers = locale_.numbers;
    AddSelectedToRoute(
        lbxAUCis, lbxAUTrasa, lblAUMaut, kEuro,
        [&](std::string_view entry) { return CategoryAmount(entry, category, numbers); }, numbers);
}

void TfrmVemo::btnAUUnselectClick() {
    const int category = SelectorItemIndex(cboAUKategorie);
    const auto& numbers = locale_.numbers;
    RemoveSelectedFromRoute(
        lbxAUTrasa, lblAUMaut, kEuro,
        [&](std::string_view entry) { return CategoryAmount(entry, category, numbers); }, numbers);
}

void TfrmVemo::lbxAUCisClick() {
    ShowFocusedEntry(lbxAUCis, lblAUUsek);
}

void TfrmVemo::lbxAUTrasaClick() {
    ShowFocusedEntry(lbxAUTrasa, lblAUUsek);
}

void TfrmVemo::cboAUKategorieChange() {
    const int index = SelectorItemIndex(cboAUKategorie);
    if (index >= 0 && index <= 2)
        lblAUKategorie->setText(ToQString(kAxleTexts[index]));
}
