#pragma once
// The platform's linguistic, case-insensitive comparison (Qt Core's QCollator) for the sorted
// lists and selectors. Digits compare as characters.

#include "data/rules/SortedUniqueList.h"
#include "text/TextRoutines.h"

class QLocale;

namespace vemo {

Collation LocaleCollation(const QLocale& locale);

// The number routines' settings for a locale: its decimal point as one Windows-1250 byte ("."
// when it has none), its currency symbol in Windows-1250, and upper-casing by the Unicode rules
// wherever the upper-case letter exists in the code page.
LocaleSettings LocaleNumberSettings(const QLocale& locale);

} // namespace vemo
