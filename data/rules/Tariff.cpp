#include "data/rules/Tariff.h"

#include "text/Cp1250.h"

#include <array>

namespace vemo {

namespace {

constexpr std::array<std::string_view, kAustrianCategoryCount> kAustrianNames = {
    "Kategorie A", "Kategorie B", "Kategorie C"};

// "2 nápravy", "3 nápravy", "4 nápravy"
constexpr std::array<std::string_view, kAustrianCategoryCount> kAxleTexts = {
    "2 n\xE1pravy", "3 n\xE1pravy", "4 n\xE1pravy"};

bool IsAustrianCategory(int category) {
    return category >= 0 && category < kAustrianCategoryCount;
}

GermanTariff MakeBuiltInTariff() {
    GermanTariff tariff;
    tariff.validFrom = {2005, 1, 1};
    // "Mýtné 2005"
    tariff.title = "M\xFDtn\xE9 2005";
    tariff.axleColumns = {1, 4};
    tariff.weightClasses = {{"", 0, 2}};
    const auto rates = [](std::int64_t upToThree, std::int64_t fromFour) {
        return std::vector<Decimal>{Decimal::Of(upToThree, 2), Decimal::Of(fromFour, 2)};
    };
    tariff.categories = {
        // "Třídy škodlivin S4, S5 a EEV třídy 1, EURO-4,5"
        {"Kategorie A",
         "T\xF8\xED"
         "dy \x9A"
         "kodlivin S4, S5 a EEV t\xF8\xED"
         "dy 1, EURO-4,5",
         rates(9, 10)},
        {"Kategorie B", "EURO-2, EURO-3 (S2,S3)", rates(11, 12)},
        {"Kategorie C", "EURO-0, EURO-1 (S1)", rates(13, 14)},
    };
    tariff.builtIn = true;
    return tariff;
}

} // namespace

std::optional<Decimal> GermanTariff::Rate(const GermanVehicle& vehicle) const {
    if (vehicle.category < 0 || vehicle.category >= static_cast<int>(categories.size()) ||
        vehicle.weightClass < 0 || vehicle.weightClass >= static_cast<int>(weightClasses.size()))
        return std::nullopt;
    const WeightClass& weights = weightClasses[static_cast<std::size_t>(vehicle.weightClass)];
    std::size_t column = weights.firstColumn;
    while (column + 1 < weights.firstColumn + weights.columns &&
           axleColumns[column + 1] <= vehicle.axles)
        ++column;
    return categories[static_cast<std::size_t>(vehicle.category)].rates.at(column);
}

std::optional<std::string_view> GermanTariff::Description(int category) const {
    if (category < 0 || category >= static_cast<int>(categories.size()))
        return std::nullopt;
    return categories[static_cast<std::size_t>(category)].description;
}

std::string GermanTariff::Label() const {
    return Utf8ToCp1250("Sazebník: ") + (builtIn ? Utf8ToCp1250("vestavěný") : title) +
           Utf8ToCp1250(", platný od ") + FormatDate(validFrom);
}

std::string GermanTariff::AxleSteps() const {
    std::string steps;
    for (const WeightClass& weights : weightClasses) {
        if (weights.columns < 2)
            continue;
        if (!steps.empty())
            steps += "; ";
        if (!weights.label.empty())
            steps += weights.label + ": ";
        steps += Utf8ToCp1250("sazba se mění");
        for (std::size_t column = weights.firstColumn + 1;
             column < weights.firstColumn + weights.columns; ++column) {
            steps += column > weights.firstColumn + 1 ? " a od " : " od ";
            steps += std::to_string(axleColumns[column]);
        }
        steps += Utf8ToCp1250(" náprav");
    }
    return steps.empty() ? Utf8ToCp1250("sazba na počtu náprav nezávisí") : steps;
}

const GermanTariff& BuiltInTariff() {
    static const GermanTariff tariff = MakeBuiltInTariff();
    return tariff;
}

std::optional<std::string_view> AustrianCategoryName(int category) {
    if (!IsAustrianCategory(category))
        return std::nullopt;
    return kAustrianNames[category];
}

std::optional<std::string_view> AustrianCategoryText(int category) {
    if (!IsAustrianCategory(category))
        return std::nullopt;
    return kAxleTexts[category];
}

} // namespace vemo
