#include "data/Tariff.h"

#include <array>

namespace vemo {

namespace {

struct RateRow {
    std::string_view description;
    double upToThreeAxles;
    double fromFourAxles;
};

constexpr std::array<std::string_view, kCategoryCount> kNames = {"Kategorie A", "Kategorie B",
                                                                 "Kategorie C"};

// "Třídy škodlivin S4, S5 a EEV třídy 1, EURO-4,5"
constexpr std::array<RateRow, kCategoryCount> kRates = {{
    {"T\xF8\xED"
     "dy \x9A"
     "kodlivin S4, S5 a EEV t\xF8\xED"
     "dy 1, EURO-4,5",
     0.09, 0.10},
    {"EURO-2, EURO-3 (S2,S3)", 0.11, 0.12},
    {"EURO-0, EURO-1 (S1)", 0.13, 0.14},
}};

// "2 nápravy", "3 nápravy", "4 nápravy"
constexpr std::array<std::string_view, kCategoryCount> kAxleTexts = {"2 n\xE1pravy", "3 n\xE1pravy",
                                                                     "4 n\xE1pravy"};

bool IsCategory(int category) {
    return category >= 0 && category < kCategoryCount;
}

} // namespace

std::optional<std::string_view> CategoryName(int category) {
    if (!IsCategory(category))
        return std::nullopt;
    return kNames[category];
}

std::optional<std::string_view> GermanCategoryText(int category) {
    if (!IsCategory(category))
        return std::nullopt;
    return kRates[category].description;
}

std::optional<double> GermanRate(int category, int axles) {
    if (!IsCategory(category))
        return std::nullopt;
    return axles > 3 ? kRates[category].fromFourAxles : kRates[category].upToThreeAxles;
}

std::optional<std::string_view> AustrianCategoryText(int category) {
    if (!IsCategory(category))
        return std::nullopt;
    return kAxleTexts[category];
}

} // namespace vemo
