#include "data/rules/BilledToll.h"

#include "data/rules/SectionEntry.h"
#include "data/store/Errors.h"
#include "text/Cp1250.h"

#include <optional>

namespace vemo {

namespace {

// Every section stays below kLargestBill, so a route list of fewer than a million sections
// sums within 64 bits; the quote checks the sum itself.
Cents Sum(const std::vector<std::string>& entries, auto&& billed) {
    Cents sum = 0;
    for (const std::string& entry : entries)
        sum += billed(entry);
    return sum;
}

Cents ToCents(const std::optional<Decimal>& amount, std::string_view entry) {
    const std::optional<Cents> cents = amount ? amount->Hundredths() : std::nullopt;
    if (cents && (*cents < 0 ? -*cents : *cents) < kLargestBill)
        return *cents;
    throw Error(Utf8ToCp1250("Mýtné úseku ") + std::string(entry) +
                Utf8ToCp1250(" je pro vyúčtování příliš velké"));
}

} // namespace

Cents BilledGermanSection(std::string_view entry, const Decimal& rate,
                          const LocaleSettings& locale) {
    const std::optional<Decimal> km = Decimal::FromDouble(SectionLength(entry, locale));
    return ToCents(km ? std::optional<Decimal>(*km * rate) : std::nullopt, entry);
}

Cents BilledAustrianSection(std::string_view entry, int category, const LocaleSettings& locale) {
    return ToCents(Decimal::FromDouble(CategoryAmount(entry, category, locale)), entry);
}

Cents BilledGermanToll(const std::vector<std::string>& entries, const Decimal& rate,
                       const LocaleSettings& locale) {
    return Sum(entries,
               [&](std::string_view entry) { return BilledGermanSection(entry, rate, locale); });
}

Cents BilledAustrianToll(const std::vector<std::string>& entries, int category,
                         const LocaleSettings& locale) {
    return Sum(entries, [&](std::string_view entry) {
        return BilledAustrianSection(entry, category, locale);
    });
}

std::string FormatHundredths(Cents hundredths, const LocaleSettings& locale,
                             std::string_view groupSeparator) {
    const Cents magnitude = hundredths < 0 ? -hundredths : hundredths;
    std::string whole = std::to_string(magnitude / 100);
    for (std::size_t at = whole.size(); at > 3; at -= 3)
        whole.insert(at - 3, groupSeparator);
    const Cents cents = magnitude % 100;
    return (hundredths < 0 ? "-" : "") + whole + locale.decimalSeparator +
           static_cast<char>('0' + cents / 10) + static_cast<char>('0' + cents % 10);
}

} // namespace vemo
