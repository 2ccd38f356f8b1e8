#pragma once
// The amounts of a quote for a customer, each one that can be invoiced: whole cents. The German
// toll is the billed one, without VAT; the Austrian toll is billed net with 20 % Austrian VAT on
// top, the VAT rounded half up to the cent. Koruny are the euros times the rate the user gives,
// worked out exactly (decimal arithmetic, not binary) and rounded to whole hellers half away
// from zero, each row on its own, and a row that adds others adds their rounded hellers, so that
// both columns add up as printed.

#include "data/rules/BilledToll.h"
#include "data/rules/Decimal.h"
#include "text/TextRoutines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

inline constexpr int kAustrianVatPercent = 20;
// Amounts of a quote stay below this many euros, so that every koruna figure is exact.
inline constexpr double kLargestQuoteAmount = kLargestBill / 100.0;

// Koruny per euro as the user typed it, exactly: units / 10^decimals.
struct ExchangeRate {
    std::int64_t units = 0;
    int decimals = 0;

    double Value() const;
    Decimal AsDecimal() const;
};

// A positive number with a decimal comma or point, at most six digits before the separator and
// six after it, blanks around it ignored. Nothing for anything else: empty, zero, a sign,
// letters, grouping, an exponent.
std::optional<ExchangeRate> ParseExchangeRate(std::string_view text);
// The rate with the decimals it was typed with and the locale's separator: "25,10".
std::string FormatExchangeRate(const ExchangeRate& rate, const LocaleSettings& locale);

// One amount: euro cents, and koruny in hellers when there is a rate.
struct QuoteAmount {
    Cents cents = 0;
    std::optional<Cents> hellers;
};

struct QuoteAmounts {
    QuoteAmount german;        // the German toll as billed, no VAT
    QuoteAmount austrianNet;   // the Austrian toll as billed
    QuoteAmount austrianVat;   // kAustrianVatPercent of it
    QuoteAmount austrianGross; // net and VAT
    QuoteAmount total;         // the German toll and the Austrian gross
};

// The amounts for the billed tolls germanToll and austrianNet. Koruny only with a rate. Throws
// Error for a toll of kLargestQuoteAmount or more.
QuoteAmounts ComputeQuote(Cents germanToll, Cents austrianNet,
                          const std::optional<ExchangeRate>& rate);

// A total saved earlier beside today's.
struct PriceChange {
    Cents saved = 0;
    Cents today = 0;
    Cents difference = 0;          // today - saved
    std::optional<double> percent; // of saved; nothing when saved is 0
};
PriceChange ComparePrices(Cents saved, Cents today);

// A change with its sign: "+0,71", "-1,20", "0,00" (cents as the unit with two decimals) and
// "+5,3", "-0,4", "0,0" (one decimal, for percent).
std::string FormatSignedHundredths(Cents value, const LocaleSettings& locale);
std::string FormatSignedPercent(double percent, const LocaleSettings& locale);

} // namespace vemo
