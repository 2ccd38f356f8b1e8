#include "data/rules/SectionEntry.h"

#include "data/rules/Tariff.h"

#include <algorithm>
#include <array>

namespace vemo {

namespace {

// Trimmed fields 1 to count of a decoded row (element 0 stays empty), as GetField and Trim give
// them, from one pass over the row instead of one search from its start per field.
template <std::size_t count>
std::array<std::string_view, count + 1> TrimmedFields(std::string_view row) {
    std::array<std::string_view, count + 1> fields{};
    std::size_t start = 0;
    for (std::size_t n = 1; n <= count && start <= row.size(); ++n) {
        const std::size_t stop = std::min(row.find(';', start), row.size());
        fields[n] = Trim(row.substr(start, stop - start));
        start = stop + 1;
    }
    return fields;
}

// A number of the data read as the entry writes it: with the settings' decimal separator, or
// else with the other of comma and point, since the data files keep the separator of the desktop
// they were written on.
double EntryNumber(std::string_view text, const LocaleSettings& locale) {
    if (const std::optional<double> value = ReadNumber(text, locale))
        return *value;
    LocaleSettings other = locale;
    other.decimalSeparator = locale.decimalSeparator == ',' ? '.' : ',';
    return ReadNumber(text, other).value_or(0);
}

} // namespace

std::string GermanSectionEntry(std::string_view row) {
    const auto field = TrimmedFields<8>(row);
    std::string entry;
    entry.reserve(row.size() + 16);
    entry += '(';
    entry += field[3];
    entry += ") ";
    entry += field[4];
    entry += " : (";
    entry += field[6];
    entry += ") ";
    entry += field[7];
    entry += ';';
    entry += field[8];
    return entry;
}

std::string AustrianSectionEntry(std::string_view row) {
    const auto field = TrimmedFields<7>(row);
    std::string entry;
    entry.reserve(row.size() + 8);
    entry += field[3];
    entry += '-';
    entry += field[4];
    entry += " : ";
    entry += field[5];
    entry += '/';
    entry += field[6];
    entry += '/';
    entry += field[7];
    return entry;
}

SectionPoints GermanSectionPoints(std::string_view row) {
    const auto field = TrimmedFields<7>(row);
    const auto point = [](std::string_view kind, std::string_view name) {
        std::string text = "(";
        text.append(kind);
        text += ") ";
        text.append(name);
        return text;
    };
    return {point(field[3], field[4]), point(field[6], field[7])};
}

SectionPoints AustrianSectionPoints(std::string_view row) {
    const auto field = TrimmedFields<4>(row);
    return {std::string(field[3]), std::string(field[4])};
}

double SectionLength(std::string_view entry, const LocaleSettings& locale) {
    const std::size_t semicolon = entry.find(';');
    if (semicolon == std::string_view::npos)
        return 0;
    return EntryNumber(entry.substr(semicolon + 1, 200), locale);
}

double CategoryAmount(std::string_view entry, int category, const LocaleSettings& locale) {
    if (category < 0 || category >= kAustrianCategoryCount)
        return 0;
    // An entry without " : " is taken whole, as the deletion up to a missing separator leaves it.
    const std::size_t colon = entry.find(" : ");
    std::string_view amounts = colon == std::string_view::npos ? entry : entry.substr(colon + 3);
    if (category > 0) {
        const std::size_t slash = amounts.find('/');
        amounts = slash == std::string_view::npos ? std::string_view() : amounts.substr(slash + 1);
    }
    const std::size_t slash = amounts.find('/');
    std::string_view amount;
    if (category < 2)
        amount = amounts.substr(0, slash);
    else if (slash != std::string_view::npos)
        amount = amounts.substr(slash + 1, 100);
    return EntryNumber(amount, locale);
}

std::string_view GermanSectionName(std::string_view entry) {
    return entry.substr(0, entry.find(';'));
}

std::string_view AustrianSectionName(std::string_view entry) {
    return entry.substr(0, entry.find(" : "));
}

} // namespace vemo
