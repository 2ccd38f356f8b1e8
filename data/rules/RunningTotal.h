#pragma once
// A running total lives only as a label's caption: a number in the number format, a blank and
// a unit ("19,5 km", "2,145 €"). Each step reads the number back, adds one value and writes the
// caption again, so a total carries the format's ten significant digits from step to step.

#include "text/TextRoutines.h"

#include <string>
#include <string_view>

namespace vemo {

// Units written after a running total and the toll (Windows-1250: 0x80 is the euro sign).
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
