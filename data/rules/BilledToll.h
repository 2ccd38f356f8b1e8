#pragma once
// The toll as it is billed: every toll section on its own, its amount rounded half up to the
// cent, and the rounded amounts summed. The German section's amount is its length times the
// rate, the Austrian one the section's amount for the category; both are taken exactly as the
// data and the tariff write them (vemo::Decimal), never through binary floating point.

#include "data/rules/Decimal.h"
#include "text/TextRoutines.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// A bill stays below 10^10 euros, and so does each of its sections: far beyond any toll, and
// small enough that sums of a million of them and their koruny stay exact.
inline constexpr Cents kLargestBill = 1'000'000'000'000;

// One German section entry: its kilometres (SectionLength) times rate, to the cent. Throws
// Error for a section of kLargestBill or more.
Cents BilledGermanSection(std::string_view entry, const Decimal& rate,
                          const LocaleSettings& locale);
// One Austrian section entry: its amount for category (CategoryAmount), to the cent.
Cents BilledAustrianSection(std::string_view entry, int category, const LocaleSettings& locale);

// The sums of the entries' billed amounts.
Cents BilledGermanToll(const std::vector<std::string>& entries, const Decimal& rate,
                       const LocaleSettings& locale);
Cents BilledAustrianToll(const std::vector<std::string>& entries, int category,
                         const LocaleSettings& locale);

// Hundredths as the unit with two decimals and the locale's separator: "2049,92", or with
// groupSeparator between groups of three digits: "2 049,92".
std::string FormatHundredths(Cents hundredths, const LocaleSettings& locale,
                             std::string_view groupSeparator = {});

} // namespace vemo
