#pragma once
// The section entry: the text that stands for one data row in a section or route list. Both
// sides of its format live here, the entry built from a decoded row and the values the route
// buttons read back from it. Texts are Windows-1250.

#include "text/TextRoutines.h"

#include <string>
#include <string_view>

namespace vemo {

// "(" f3 ") " f4 " : (" f6 ") " f7 ";" f8 from the trimmed fields of a decoded German row.
std::string GermanSectionEntry(std::string_view row);
// f3 "-" f4 " : " f5 "/" f6 "/" f7 from the trimmed fields of a decoded Austrian row.
std::string AustrianSectionEntry(std::string_view row);

// The two points a section joins, as the entry names them: "(AS) Hösbach" and "(AS)
// Bessenbach" from a German row, "Innsbruck-Amras" and "Brenner" from an Austrian one.
struct SectionPoints {
    std::string from;
    std::string to;
};
SectionPoints GermanSectionPoints(std::string_view row);
SectionPoints AustrianSectionPoints(std::string_view row);

// The kilometres of a German section entry: the text behind its first ";", at most 200
// characters, read with the number parse with a decimal comma or point, whichever it uses; 0
// without a ";" or when it is no number.
double SectionLength(std::string_view entry, const LocaleSettings& locale);

// The amount of an Austrian section entry for category (0, 1, 2): behind its first " : " stand
// the amounts "A/B/C"; the third is read from at most 100 characters. 0 for an index outside
// 0..2 and for what the number parse cannot read; a decimal comma or point, whichever the
// amount uses.
double CategoryAmount(std::string_view entry, int category, const LocaleSettings& locale);

// The section's name in an entry, which stays when its values change: a German entry's text
// before its first ";", an Austrian entry's before its first " : "; the whole entry without one.
std::string_view GermanSectionName(std::string_view entry);
std::string_view AustrianSectionName(std::string_view entry);

} // namespace vemo
