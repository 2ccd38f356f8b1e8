#pragma once
// The toll rates and category texts. A German tariff holds, from the day it is valid, a rate in
// euros per kilometre for each emission category and axle column; the built-in one is the toll
// of 1 January 2005. The Austrian categories carry an axle text each. Texts are Windows-1250.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// A day of the calendar; compares in time order.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // yyyymmdd, which orders days as time does.
    long Key() const { return year * 10000L + month * 100L + day; }
    friend bool operator==(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() == b.Key();
    }
    friend bool operator<(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() < b.Key();
    }
    friend bool operator<=(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() <= b.Key();
    }
    friend bool operator>(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() > b.Key();
    }
};

// "8. 12. 2026", as Czech writes a date.
std::string FormatDate(const CalendarDate& date);

struct TariffCategory {
    std::string name;          // the selector's entry, "Kategorie A"
    std::string description;   // the text beside it, "EURO-2, EURO-3 (S2,S3)"
    std::vector<double> rates; // euros per kilometre, one per axle column
};

struct GermanTariff {
    CalendarDate validFrom;
    std::string title;
    // The axle counts from which each rate column applies, strictly ascending; the first column
    // also serves every count below the first.
    std::vector<int> axleColumns;
    std::vector<TariffCategory> categories;
    // The most decimals any rate of the tariff is written with (at least 2), for the rate box.
    int rateDecimals = 2;
    // The tariff compiled into the program, not read from a file.
    bool builtIn = false;

    // The rate of the category at item index category for axles: the column whose axle count is
    // the largest not above axles, the first column when axles is below every count. Nothing for
    // an index outside the categories (no category chosen).
    std::optional<double> Rate(int category, int axles) const;
    std::optional<std::string_view> Description(int category) const;
    // "Sazebník: <title>, platný od <d. m. yyyy>", "vestavěný" in place of the built-in title.
    std::string Label() const;
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
