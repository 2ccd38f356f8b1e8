#pragma once
// The toll rules of both tabs: the German rate table, the Austrian category texts, the values read
// from a section entry, the motorway key of the German selector and the running-total step. Texts
// are Windows-1250; numbers are read and written in the given locale settings.

#include "TextRoutines.h"

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// Categories are the item indexes 0, 1, 2 of the tabs' category selectors ("Kategorie A" to "C").
inline constexpr int kCategoryCount = 3;

// The German description of category; nothing for any other index (no category chosen).
std::optional<std::string_view> GermanCategoryText(int category);
// The German rate in euros per kilometre of category with axles; nothing for any other index.
std::optional<double> GermanRate(int category, int axles);
// The Austrian axle text of category ("2 nápravy" ...); nothing for any other index.
std::optional<std::string_view> AustrianCategoryText(int category);

// The German index puts kGermanMotorwayPrefix before each motorway number; the key of a selector
// text is that text without its first character, the empty text for an empty one.
inline constexpr std::string_view kGermanMotorwayPrefix = "A";
std::string_view GermanMotorwayKey(std::string_view selectorText);

// The kilometres of a German section entry: the text behind its first ";", at most 200
// characters, read with the number parse; 0 without a ";" or when it is no number.
double SectionLength(std::string_view entry, const LocaleSettings& locale);

// The amount of an Austrian section entry for category: behind its first " : " stand the amounts
// "A/B/C"; the third is read from at most 100 characters. 0 for an index outside 0..2 and for
// what the number parse cannot read.
double CategoryAmount(std::string_view entry, int category, const LocaleSettings& locale);

// Units written after a running total and the toll.
inline constexpr std::string_view kKmUnit = "km";
inline constexpr std::string_view kEuroUnit = "\x80";

// The number before the caption's first blank; 0 when caption has no blank or is no number.
double ReadRunningTotal(std::string_view caption, const LocaleSettings& locale);
// The number format of value, a blank and unit.
std::string RunningTotalCaption(long double value, std::string_view unit,
                                const LocaleSettings& locale);
// One step of a running total: reads caption, adds delta and writes the result with unit. The
// sum is formed in long double and written at once, so it carries the format's ten digits.
std::string RunningTotalStep(std::string_view caption, double delta, std::string_view unit,
                             const LocaleSettings& locale);

// The German toll: the kilometres read from kmCaption times rate, written with the euro sign.
std::string GermanTollCaption(std::string_view kmCaption, double rate,
                              const LocaleSettings& locale);

} // namespace vemo
