#include "data/Quote.h"

#include "data/Errors.h"
#include "text/Cp1250.h"

#include <charconv>
#include <cmath>

namespace vemo {

namespace {

// 128 bits hold every product and sum below: amounts keep at most ten significant digits and
// stay below kLargestQuoteAmount, rates below 10^6 with six decimals.
using Wide = __int128;

constexpr int kRateDigits = 6;
// The largest Wide, and the largest power of ten it holds.
constexpr Wide kWidest = ((Wide{1} << 126) - 1) * 2 + 1;
constexpr int kWidestPower = 38;

// value = units / 10^scale, exactly.
struct Decimal {
    Wide units = 0;
    int scale = 0;
};

[[noreturn]] void TooManyDigits() {
    throw Error(Utf8ToCp1250("Částka má pro přesný výpočet nabídky příliš mnoho číslic"));
}

// 10^n for 0 <= n <= kWidestPower.
Wide Pow10(int n) {
    if (n > kWidestPower)
        TooManyDigits();
    Wide power = 1;
    while (n-- > 0)
        power *= 10;
    return power;
}

Wide Magnitude(Wide w) {
    return w < 0 ? -w : w;
}

// a × b and a + b, or an Error where the result would not fit.
Wide Times(Wide a, Wide b) {
    if (b != 0 && Magnitude(a) > kWidest / Magnitude(b))
        TooManyDigits();
    return a * b;
}

Wide Plus(Wide a, Wide b) {
    if (b > 0 ? a > kWidest - b : a < -kWidest - b)
        TooManyDigits();
    return a + b;
}

// units / 10^n, rounded half away from zero.
Wide DivideRounded(Wide units, int n) {
    if (n <= 0)
        return Times(units, Pow10(-n));
    // Every Wide is below half of 10^39: nothing of it is left.
    if (n > kWidestPower)
        return 0;
    const Wide divisor = Pow10(n);
    Wide quotient = units / divisor;
    const Wide rest = units % divisor;
    if (2 * Magnitude(rest) >= divisor)
        quotient += units < 0 ? -1 : 1;
    return quotient;
}

Wide AtScale(const Decimal& d, int scale) {
    return DivideRounded(d.units, d.scale - scale);
}

Decimal Add(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale, b.scale);
    return {Plus(AtScale(a, scale), AtScale(b, scale)), scale};
}

Decimal Subtract(const Decimal& a, const Decimal& b) {
    return Add(a, {-b.units, b.scale});
}

// The number as the number format writes it ("2.145", "1.5E-7"), read back as a decimal.
Decimal Shown(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= kLargestQuoteAmount) {
        LocaleSettings point;
        throw Error(Utf8ToCp1250("Částka ") + FormatNumber(value, point) +
                    Utf8ToCp1250(" € je pro nabídku příliš velká"));
    }
    const std::string text = FormatNumber(value, LocaleSettings());
    Decimal d;
    std::size_t i = 0;
    const bool negative = text[i] == '-';
    if (negative)
        ++i;
    bool fraction = false;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            fraction = true;
            continue;
        }
        d.units = d.units * 10 + (text[i] - '0');
        if (fraction)
            ++d.scale;
    }
    if (i < text.size()) {
        int exponent = 0;
        const char* first = text.data() + i + 1;
        std::from_chars(first, text.data() + text.size(), exponent);
        d.scale -= exponent;
    }
    if (negative)
        d.units = -d.units;
    if (d.scale < 0) {
        d.units = Times(d.units, Pow10(-d.scale));
        d.scale = 0;
    } else if (d.scale > kQuoteDecimals) {
        d.units = DivideRounded(d.units, d.scale - kQuoteDecimals);
        d.scale = kQuoteDecimals;
    }
    return d;
}

std::string Digits(Wide units) {
    if (units == 0)
        return "0";
    const bool negative = units < 0;
    std::string digits;
    for (; units != 0; units /= 10) {
        const int digit = static_cast<int>(units % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
    }
    return negative ? "-" + digits : digits;
}

double ToDouble(const Decimal& d) {
    const std::string text = Digits(d.units) + "e-" + std::to_string(d.scale);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

QuoteAmount Amount(const Decimal& euros, const std::optional<ExchangeRate>& rate) {
    QuoteAmount amount{ToDouble(euros), std::nullopt};
    if (rate)
        amount.hellers = static_cast<std::int64_t>(
            DivideRounded(Times(euros.units, rate->units), euros.scale + rate->decimals - 2));
    return amount;
}

QuoteAmount Sum(const Decimal& euros, const QuoteAmount& a, const QuoteAmount& b) {
    QuoteAmount sum{ToDouble(euros), std::nullopt};
    if (a.hellers && b.hellers)
        sum.hellers = *a.hellers + *b.hellers;
    return sum;
}

} // namespace

double ExchangeRate::Value() const {
    return ToDouble({units, decimals});
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

QuoteAmounts ComputeQuote(double germanToll, double austrianNet,
                          const std::optional<ExchangeRate>& rate) {
    const Decimal german = Shown(germanToll);
    const Decimal net = Shown(austrianNet);
    const Decimal vat{Times(net.units, kAustrianVatPercent), net.scale + 2};
    const Decimal gross = Add(net, vat);

    QuoteAmounts amounts;
    amounts.german = Amount(german, rate);
    amounts.austrianNet = Amount(net, rate);
    amounts.austrianVat = Amount(vat, rate);
    amounts.austrianGross = Sum(gross, amounts.austrianNet, amounts.austrianVat);
    amounts.total = Sum(Add(german, gross), amounts.german, amounts.austrianGross);
    return amounts;
}

std::string FormatKoruny(std::int64_t hellers, const LocaleSettings& locale) {
    const std::int64_t magnitude = hellers < 0 ? -hellers : hellers;
    std::string cents = std::to_string(magnitude % 100);
    if (cents.size() < 2)
        cents.insert(cents.begin(), '0');
    return (hellers < 0 ? "-" : "") + std::to_string(magnitude / 100) + locale.decimalSeparator +
           cents;
}

PriceChange ComparePrices(double saved, double today) {
    const Decimal before = Shown(saved);
    const Decimal now = Shown(today);
    PriceChange change{ToDouble(before), ToDouble(now), ToDouble(Subtract(now, before)),
                       std::nullopt};
    if (before.units != 0)
        change.percent = change.difference / change.saved * 100;
    return change;
}

std::string FormatSignedNumber(double value, const LocaleSettings& locale) {
    return (value > 0 ? "+" : "") + FormatNumber(value, locale);
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
