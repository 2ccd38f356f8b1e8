#pragma once
// The toll rates and category texts. A German tariff holds, from the day it is valid, a rate in
// euros per kilometre for each emission category and axle column; the built-in one is the toll
// of 1 January 2005. The Austrian categories carry an axle text each. Texts are Windows-1250.

#include "data/rules/CalendarDate.h"
#include "data/rules/Decimal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The axle counts a vehicle may have, as the axle box holds them.
inline constexpr int kFewestAxles = 1;
inline constexpr int kMostAxles = 18;

// The most decimals a rate may have: as many as the rate box shows.
inline constexpr int kMostRateDecimals = 9;

struct TariffCategory {
    std::string name;           // the selector's entry, "Kategorie A"
    std::string description;    // the text beside it, "EURO-2, EURO-3 (S2,S3)"
    std::vector<Decimal> rates; // euros per kilometre, one per axle column, exactly as written
};

// The columns of one weight class, side by side in the tariff: firstColumn and the columns
// after it.
struct WeightClass {
    std::string label; // "nad 18 t"; empty in a tariff without weight classes
    std::size_t firstColumn = 0;
    std::size_t columns = 0;
};

// What a German rate is taken for: the tariff's category and weight class by index, and the
// number of axles.
struct GermanVehicle {
    int category = -1;
    int weightClass = 0;
    int axles = 3;
    friend bool operator==(const GermanVehicle&, const GermanVehicle&) = default;
};

struct GermanTariff {
    CalendarDate validFrom;
    std::string title;
    // The axle counts from which each rate column applies; within a weight class strictly
    // ascending, the class's first column also serving every count below its first.
    std::vector<int> axleColumns;
    // In file order, the heaviest last; one class without a label when the tariff names none.
    std::vector<WeightClass> weightClasses;
    std::vector<TariffCategory> categories;
    // The most decimals any rate of the tariff is written with (at least 2), for the rate box.
    int rateDecimals = 2;
    // The tariff compiled into the program, not read from a file.
    bool builtIn = false;

    // The rate of the vehicle's category in its weight class: the class's column whose axle
    // count is the largest not above the vehicle's axles, its first column when the axles are
    // below every count. Nothing for a category or class index outside the tariff.
    std::optional<Decimal> Rate(const GermanVehicle& vehicle) const;
    std::optional<std::string_view> Description(int category) const;
    // Whether the user chooses a weight class: the tariff has more than one.
    bool HasWeightClasses() const { return weightClasses.size() > 1; }
    // The class a vehicle is in until the user chooses: the last, heaviest one.
    int HeaviestClass() const { return static_cast<int>(weightClasses.size()) - 1; }
    // "Sazebník: <title>, platný od <d. m. yyyy>", "vestavěný" in place of the built-in title.
    std::string Label() const;
    // Where the axle count changes the rate: "sazba se mění od 4 náprav", with the class before
    // it where the tariff has several ("nad 18 t: sazba se mění od 4 a od 5 náprav").
    std::string AxleSteps() const;
};

// "Kategorie A" to "C" with the rates of 1 January 2005: 0.09 to 0.14 €/km, one column up to
// three axles and one from four.
const GermanTariff& BuiltInTariff();

// The Austrian categories are the item indexes 0, 1, 2 of their selector.
inline constexpr int kAustrianCategoryCount = 3;
// The Austrian selector's entry of category ("Kategorie A" ...); nothing for any other index.
std::optional<std::string_view> AustrianCategoryName(int category);
// The Austrian axle text of category ("2 nápravy" ...); nothing for any other index.
std::optional<std::string_view> AustrianCategoryText(int category);

} // namespace vemo
