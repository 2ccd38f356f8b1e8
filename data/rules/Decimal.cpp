#include "data/rules/Decimal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vemo {

namespace {

using Wide = __int128;

// 10^38 is the last power of ten below 2^127.
constexpr int kLargestPower = 38;
// Two factors of up to kMaxScale decimals each.
constexpr int kMaxProductScale = 2 * Decimal::kMaxScale;

Wide Pow10(int n) {
    Wide power = 1;
    for (int i = 0; i < n && i < kLargestPower; ++i)
        power *= 10;
    return power;
}

Wide Magnitude(Wide units) {
    return units < 0 ? -units : units;
}

// units / 10^n (n up to kLargestPower), rounded half away from zero.
Wide DivideRounded(Wide units, int n) {
    const Wide divisor = Pow10(n);
    Wide quotient = units / divisor;
    if (2 * Magnitude(units % divisor) >= divisor)
        quotient += units < 0 ? -1 : 1;
    return quotient;
}

} // namespace

Decimal::Decimal(__int128 units, int scale) : units_(units), scale_(scale) {
    if (scale_ > kMaxProductScale) {
        units_ = DivideRounded(units_, scale_ - kMaxProductScale);
        scale_ = kMaxProductScale;
    }
    while (scale_ > 0 && units_ % 10 == 0) {
        units_ /= 10;
        --scale_;
    }
    if (units_ == 0)
        scale_ = 0;
}

Decimal Decimal::Of(std::int64_t units, int scale) {
    return Decimal(units, scale < 0 ? 0 : scale > kMaxScale ? kMaxScale : scale);
}

std::optional<Decimal> Decimal::FromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return std::nullopt;
    // The shortest text that reads back as value: at most 17 significant digits.
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = text.find('e');
    Wide units = 0;
    int decimals = 0;
    bool fraction = false;
    for (const char c : text.substr(0, e)) {
        if (c == '.') {
            fraction = true;
        } else if (c >= '0' && c <= '9') {
            units = units * 10 + (c - '0');
            decimals += fraction ? 1 : 0;
        }
    }
    int exponent = 0;
    const char* first = text.data() + e + 1;
    if (*first == '+')
        ++first;
    std::from_chars(first, text.data() + text.size(), exponent);
    int scale = decimals - exponent;
    if (scale < 0) {
        units *= Pow10(-scale); // below 10^15 by the test above
        scale = 0;
    } else if (scale > kMaxScale) {
        units = DivideRounded(units, scale - kMaxScale);
        scale = kMaxScale;
    }
    return Decimal(value < 0 ? -units : units, scale);
}

std::optional<Decimal> Decimal::Parse(std::string_view text, int* decimals) {
    constexpr int kMostDigits = 15;
    Wide units = 0;
    int digits = 0;
    int scale = 0;
    bool separator = false;
    for (const char c : text) {
        if (c == ',' || c == '.') {
            if (separator)
                return std::nullopt;
            separator = true;
        } else if (c >= '0' && c <= '9') {
            if (++digits > kMostDigits)
                return std::nullopt;
            units = units * 10 + (c - '0');
            scale += separator ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (decimals)
        *decimals = scale;
    return Decimal(units, scale);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    // Factors below 10^19 each give a product below 10^38, which 128 bits hold.
    constexpr Wide kLargestFactor = static_cast<Wide>(10'000'000'000'000'000'000ULL);
    if (a.tooLarge_ || b.tooLarge_ || Magnitude(a.units_) >= kLargestFactor ||
        Magnitude(b.units_) >= kLargestFactor) {
        Decimal product;
        product.tooLarge_ = true;
        return product;
    }
    return Decimal(a.units_ * b.units_, a.scale_ + b.scale_);
}

std::optional<Cents> Decimal::Hundredths() const {
    if (tooLarge_)
        return std::nullopt;
    Wide hundredths = 0;
    if (scale_ >= 2) {
        hundredths = DivideRounded(units_, scale_ - 2);
    } else {
        const Wide factor = Pow10(2 - scale_);
        if (Magnitude(units_) >= kLargestHundredths / factor)
            return std::nullopt;
        hundredths = units_ * factor;
    }
    if (Magnitude(hundredths) >= kLargestHundredths)
        return std::nullopt;
    return static_cast<Cents>(hundredths);
}

static std::string Digits(Wide magnitude) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

double Decimal::ToDouble() const {
    if (tooLarge_)
        return std::numeric_limits<double>::infinity();
    // Correctly rounded from the digits, as reading the number's text would be.
    const std::string text = Digits(Magnitude(units_)) + "e-" + std::to_string(scale_);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return units_ < 0 ? -value : value;
}

std::string Decimal::Text(char decimalSeparator, int minDecimals) const {
    if (tooLarge_)
        return "INF";
    std::string digits = Digits(Magnitude(units_));
    int scale = scale_;
    for (; scale < minDecimals; ++scale)
        digits += '0';
    if (scale > 0) {
        if (static_cast<int>(digits.size()) <= scale)
            digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
        digits.insert(digits.end() - scale, decimalSeparator);
    }
    return units_ < 0 ? "-" + digits : digits;
}

} // namespace vemo
