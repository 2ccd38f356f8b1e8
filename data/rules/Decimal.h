#pragma once
// Exact decimal numbers for what is billed: a rate of the tariff, a section's kilometres, an
// amount in cents. Binary floating point holds 6,6 km and 0,348 €/km only nearly, and a product
// that should end in a half cent can come out below it; here every product is exact and the
// only rounding is the one the bill prescribes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// Euro cents (or hellers of koruny): hundredths of the unit.
using Cents = std::int64_t;

class Decimal {
public:
    Decimal() = default;
    // units / 10^scale, scale from 0 to kMaxScale.
    static Decimal Of(std::int64_t units, int scale);
    // The number the shortest text of value denotes, which is the number the data wrote: 0.1
    // for the double nearest to 0.1. Nothing for a value that is not finite or whose magnitude
    // is 10^15 or more; decimals beyond kMaxScale are rounded half away from zero.
    static std::optional<Decimal> FromDouble(double value);
    // Digits with at most one decimal comma or point, no sign, no blanks, at most 15 digits in
    // all; the number of decimals it was written with in decimals. Nothing for anything else.
    static std::optional<Decimal> Parse(std::string_view text, int* decimals = nullptr);

    // The exact product; one whose magnitude no hundredths can hold stays too large.
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) = default;

    // Hundredths of the value, rounded half away from zero (for positive amounts, half up as the
    // bill rounds); nothing when their magnitude would reach kLargestHundredths.
    std::optional<Cents> Hundredths() const;
    double ToDouble() const;
    // The digits with decimalSeparator before the decimals, no trailing zeros beyond
    // minDecimals: "0,348", "12"; "0,10" with two.
    std::string Text(char decimalSeparator, int minDecimals = 0) const;

    static constexpr int kMaxScale = 18;
    // 10^18: 64 bits hold nine such and their sum.
    static constexpr Cents kLargestHundredths = 1'000'000'000'000'000'000;

private:
    Decimal(__int128 units, int scale);

    // Kept without trailing zeros, so that equal numbers are equal members.
    __int128 units_ = 0;
    int scale_ = 0;
    bool tooLarge_ = false;
};

} // namespace vemo
