#pragma once
// The amounts of a quote for a customer. The German toll is billed without VAT, the Austrian
// one with 20 % Austrian VAT on top. Euros are worked out exactly from the numbers the tabs
// show (decimal arithmetic, not binary) and written with the number format, never cut to cents;
// koruny are the euros times the rate the user gives, rounded to whole hellers half away from
// zero, each row on its own, and a row that adds others adds their rounded hellers, so that the
// koruna column adds up as printed.

#include "text/TextRoutines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

inline constexpr int kAustrianVatPercent = 20;
// Amounts of a quote stay below this many euros, so that every koruna figure is exact.
inline constexpr double kLargestQuoteAmount = 1e10;
// Decimals an amount keeps at most; one below 10^-18 € comes to no heller at any rate.
inline constexpr int kQuoteDecimals = 18;

// Koruny per euro as the user typed it, exactly: units / 10^decimals.
struct ExchangeRate {
    std::int64_t units = 0;
    int decimals = 0;

    double Value() const;
};

// A positive number with a decimal comma or point, at most six digits before the separator and
// six after it, blanks around it ignored. Nothing for anything else: empty, zero, a sign,
// letters, grouping, an exponent.
std::optional<ExchangeRate> ParseExchangeRate(std::string_view text);
// The rate with the decimals it was typed with and the locale's separator: "25,10".
std::string FormatExchangeRate(const ExchangeRate& rate, const LocaleSettings& locale);

// One amount: euros, and koruny in hellers when there is a rate.
struct QuoteAmount {
    double euros = 0;
    std::optional<std::int64_t> hellers;
};

struct QuoteAmounts {
    QuoteAmount german;        // the German toll, no VAT
    QuoteAmount austrianNet;   // the Austrian toll as the tab shows it
    QuoteAmount austrianVat;   // kAustrianVatPercent of it
    QuoteAmount austrianGross; // net and VAT
    QuoteAmount total;         // the German toll and the Austrian gross
};

// The amounts for germanToll and austrianNet as the tabs' totals read (each taken as the number
// format writes it, ten significant digits). Koruny only with a rate. Throws Error for an amount
// of kLargestQuoteAmount or more, or one that is no finite number.
QuoteAmounts ComputeQuote(double germanToll, double austrianNet,
                          const std::optional<ExchangeRate>& rate);

// Hellers as koruny with two decimals and the locale's decimal separator, no grouping: "1234,56".
std::string FormatKoruny(std::int64_t hellers, const LocaleSettings& locale);

// A total saved earlier beside today's.
struct PriceChange {
    double saved = 0;
    double today = 0;
    double difference = 0;         // today - saved, exact from the shown numbers
    std::optional<double> percent; // of saved; nothing when saved is 0
};
PriceChange ComparePrices(double saved, double today);

// A change with its sign: "+0,705", "-1,2", "0" (number format) and "+5,3", "-0,4", "0,0" (one
// decimal, for percent).
std::string FormatSignedNumber(double value, const LocaleSettings& locale);
std::string FormatSignedPercent(double percent, const LocaleSettings& locale);

} // namespace vemo
