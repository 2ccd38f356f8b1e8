#pragma once
// Field extraction, number parse and format, replace-all on single-byte texts.
// Positions count from 1; no routine changes its arguments.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The user's regional settings as the number routines see them, in single-byte text.
struct LocaleSettings {
    char decimalSeparator = '.';
    std::string currencySymbol;           // may be empty
    std::array<unsigned char, 256> upper; // single-byte upper-casing

    LocaleSettings(); // ASCII upper-casing, "." and no currency symbol
};

// Field index (from 1) of text split at separator; the empty text when there is none.
std::string GetField(std::string_view text, std::string_view separator, int index);
// The same without a copy: a view into text.
std::string_view GetFieldView(std::string_view text, std::string_view separator, int index);

// Removes every byte with a code of 32 or less from both ends.
std::string_view Trim(std::string_view text);

// Reads a number written in the locale; nothing when text is no number.
std::optional<double> ReadNumber(std::string_view text, const LocaleSettings& locale);
// The same with defaultValue for a text that is no number, as the calculator reads its totals.
double ParseNumber(std::string_view text, double defaultValue, const LocaleSettings& locale);

// A whole number of decimal digits alone (no sign, no blanks) that an int holds; nothing else.
std::optional<int> ReadWholeNumber(std::string_view text);

// Writes value in the shortest general form with at most 10 significant digits.
// Takes long double so that a sum or product of two doubles is written before it is rounded.
std::string FormatNumber(long double value, const LocaleSettings& locale);

// Replaces oldText by newText from left to right. A replacement never rescans text it wrote
// itself: the loop ends when the next oldText would begin at or before the end of the last newText.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText);

} // namespace vemo
