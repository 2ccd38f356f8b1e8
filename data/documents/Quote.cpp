#include "data/documents/Quote.h"

#include "data/store/Errors.h"
#include "text/Cp1250.h"

#include <charconv>
#include <cmath>

namespace vemo {

namespace {

constexpr int kRateDigits = 6;

Cents Checked(Cents cents) {
    if ((cents < 0 ? -cents : cents) >= kLargestBill)
        throw Error(Utf8ToCp1250("Částka ") + FormatHundredths(cents, LocaleSettings()) +
                    Utf8ToCp1250(" € je pro nabídku příliš velká"));
    return cents;
}

// Cents are below kLargestBill and rates below 10^6, so hellers stay below 10^18.
QuoteAmount Amount(Cents cents, const std::optional<ExchangeRate>& rate) {
    QuoteAmount amount{cents, std::nullopt};
    if (rate)
        amount.hellers = (Decimal::Of(cents, 2) * rate->AsDecimal()).Hundredths();
    return amount;
}

QuoteAmount Sum(const QuoteAmount& a, const QuoteAmount& b) {
    QuoteAmount sum{a.cents + b.cents, std::nullopt};
    if (a.hellers && b.hellers)
        sum.hellers = *a.hellers + *b.hellers;
    return sum;
}

} // namespace

double ExchangeRate::Value() const {
    return AsDecimal().ToDouble();
}

Decimal ExchangeRate::AsDecimal() const {
    return Decimal::Of(units, decimals);
}

std::optional<ExchangeRate> ParseExchangeRate(std::string_view text) {
    text = Trim(text);
    ExchangeRate rate;
    int whole = 0;
    bool separator = false;
    for (const char c : text) {
        if (c == ',' || c == '.') {
            if (separator)
                return std::nullopt;
            separator = true;
        } else if (c >= '0' && c <= '9') {
            if ((separator ? rate.decimals : whole) == kRateDigits)
                return std::nullopt;
            ++(separator ? rate.decimals : whole);
            rate.units = rate.units * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (rate.units <= 0)
        return std::nullopt;
    return rate;
}

std::string FormatExchangeRate(const ExchangeRate& rate, const LocaleSettings& locale) {
    std::string digits = std::to_string(rate.units);
    if (rate.decimals == 0)
        return digits;
    if (static_cast<int>(digits.size()) <= rate.decimals)
        digits.insert(0, static_cast<std::size_t>(rate.decimals) + 1 - digits.size(), '0');
    digits.insert(digits.end() - rate.decimals, locale.decimalSeparator);
    return digits;
}

QuoteAmounts ComputeQuote(Cents germanToll, Cents austrianNet,
                          const std::optional<ExchangeRate>& rate) {
    const Cents vat =
        *(Decimal::Of(Checked(austrianNet), 2) * Decimal::Of(kAustrianVatPercent, 2)).Hundredths();
    QuoteAmounts amounts;
    amounts.german = Amount(Checked(germanToll), rate);
    amounts.austrianNet = Amount(austrianNet, rate);
    amounts.austrianVat = Amount(vat, rate);
    amounts.austrianGross = Sum(amounts.austrianNet, amounts.austrianVat);
    amounts.total = Sum(amounts.german, amounts.austrianGross);
    return amounts;
}

PriceChange ComparePrices(Cents saved, Cents today) {
    PriceChange change{saved, today, today - saved, std::nullopt};
    if (saved != 0)
        change.percent = static_cast<double>(change.difference) / static_cast<double>(saved) * 100;
    return change;
}

std::string FormatSignedHundredths(Cents value, const LocaleSettings& locale) {
    return (value > 0 ? "+" : "") + FormatHundredths(value, locale);
}

std::string FormatSignedPercent(double percent, const LocaleSettings& locale) {
    // to_chars, unlike printf, writes a point whatever the C library's locale.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(percent),
                                   std::chars_format::fixed, 1)
                         .ptr;
    std::string text(buffer, end);
    for (char& c : text) {
        if (c == '.')
            c = locale.decimalSeparator;
    }
    if (text == std::string("0") + locale.decimalSeparator + "0")
        return text;
    return (percent > 0 ? "+" : "-") + text;
}

} // namespace vemo
