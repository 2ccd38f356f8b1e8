#pragma once
// The platform's linguistic, case-insensitive comparison (Qt Core's QCollator) for the sorted
// lists and selectors. Digits compare as characters.

#include "SortedUniqueList.h"

class QLocale;

namespace vemo {

Collation LocaleCollation(const QLocale& locale);

} // namespace vemo
