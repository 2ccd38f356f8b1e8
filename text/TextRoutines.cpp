#include "text/TextRoutines.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vemo {

LocaleSettings::LocaleSettings() {
    for (int i = 0; i < 256; ++i)
        upper[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i);
}

namespace {

// The number of fields: one more than the separators that "find the first and delete it" removes.
// A deletion can join the text around it into a new separator, so for longer separators the
// count follows the deletions on a stack; the leftmost match is always the first to complete.
std::size_t FieldCount(std::string_view text, std::string_view separator) {
    if (separator.empty())
        return 1;
    std::size_t deletions = 0;
    if (separator.size() == 1) {
        for (const char c : text)
            deletions += c == separator[0];
        return deletions + 1;
    }
    std::string stack;
    stack.reserve(text.size());
    for (const char c : text) {
        stack += c;
        if (stack.size() >= separator.size() &&
            std::string_view(stack).substr(stack.size() - separator.size()) == separator) {
            stack.resize(stack.size() - separator.size());
            ++deletions;
        }
    }
    return deletions + 1;
}

std::string UpperCase(std::string_view text, const LocaleSettings& locale) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(locale.upper[static_cast<unsigned char>(c)]);
    return out;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal exponent of the first significant digit, saturated; only its sign matters.
long long DecimalMagnitude(std::string_view intDigits, std::string_view fracDigits,
                           bool negativeExponent, std::string_view expDigits) {
    constexpr long long kLimit = 1'000'000'000'000LL;
    long long exponent = 0;
    for (const char c : expDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > kLimit) {
            exponent = kLimit;
            break;
        }
    }
    if (negativeExponent)
        exponent = -exponent;
    const std::size_t firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos)
        return exponent + static_cast<long long>(intDigits.size() - firstInt) - 1;
    const std::size_t firstFrac = fracDigits.find_first_not_of('0');
    if (firstFrac == std::string_view::npos)
        return -1; // all zeros
    return exponent - static_cast<long long>(firstFrac) - 1;
}

} // namespace

std::string_view GetFieldView(std::string_view text, std::string_view separator, int index) {
    if (text.empty() || index <= 0 || static_cast<std::size_t>(index) > FieldCount(text, separator))
        return {};
    std::string_view rest = text;
    std::string_view field;
    for (int i = 1; i <= index; ++i) {
        if (rest.empty())
            return {};
        const std::size_t pos = separator.empty() ? std::string_view::npos : rest.find(separator);
        if (pos == std::string_view::npos) {
            field = rest;
        } else {
            field = rest.substr(0, pos);
            rest.remove_prefix(pos + separator.size());
        }
    }
    return field;
}

std::string GetField(std::string_view text, std::string_view separator, int index) {
    return std::string(GetFieldView(text, separator, index));
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}

std::optional<double> ReadNumber(std::string_view text, const LocaleSettings& locale) {
    std::string work = UpperCase(text, locale);
    const std::string symbol = UpperCase(locale.currencySymbol, locale);
    if (!symbol.empty()) {
        const std::size_t pos = work.find(symbol);
        if (pos != std::string::npos)
            work.erase(pos, symbol.size());
    }
    std::erase(work, ' ');

    // sign, digits [separator digits], [E [sign] digits]; the whole text.
    const char decimal =
        static_cast<char>(locale.upper[static_cast<unsigned char>(locale.decimalSeparator)]);
    std::size_t i = 0;
    const std::size_t n = work.size();
    bool negative = false;
    if (i < n && (work[i] == '+' || work[i] == '-'))
        negative = work[i++] == '-';
    const std::size_t intStart = i;
    while (i < n && IsDigit(work[i]))
        ++i;
    const std::string_view intDigits(work.data() + intStart, i - intStart);
    bool hasSeparator = false;
    std::string_view fracDigits;
    if (i < n && work[i] == decimal) {
        hasSeparator = true;
        const std::size_t fracStart = ++i;
        while (i < n && IsDigit(work[i]))
            ++i;
        fracDigits = std::string_view(work.data() + fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty() && !hasSeparator)
        return std::nullopt;
    bool negativeExponent = false;
    std::string_view expDigits;
    if (i < n && (work[i] == 'E' || work[i] == 'e')) {
        ++i;
        if (i < n && (work[i] == '+' || work[i] == '-'))
            negativeExponent = work[i++] == '-';
        const std::size_t expStart = i;
        while (i < n && IsDigit(work[i]))
            ++i;
        expDigits = std::string_view(work.data() + expStart, i - expStart);
    }
    if (i != n)
        return std::nullopt;

    std::string normal;
    normal.reserve(n + 4);
    normal.append(intDigits.empty() ? std::string_view("0") : intDigits);
    if (!fracDigits.empty()) {
        normal += '.';
        normal.append(fracDigits);
    }
    if (!expDigits.empty()) {
        normal += negativeExponent ? "e-" : "e";
        normal.append(expDigits);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to be held reads as zero; too large is no number.
        if (DecimalMagnitude(intDigits, fracDigits, negativeExponent, expDigits) >= 0)
            return std::nullopt;
        value = 0;
    } else if (ec != std::errc() || end != normal.data() + normal.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

double ParseNumber(std::string_view text, double defaultValue, const LocaleSettings& locale) {
    return ReadNumber(text, locale).value_or(defaultValue);
}

std::optional<int> ReadWholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || error != std::errc() ||
        end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FormatNumber(long double value, const LocaleSettings& locale) {
    if (value == 0)
        return "0";
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";

    // 18 significant digits first (correctly rounded), then 10 with an 11th digit of 5 rounding up.
    char buf[64];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    const std::string_view sci(buf, static_cast<std::size_t>(result.ptr - buf));
    const std::size_t ePos = sci.find('e');
    std::string digits;
    digits += sci[0];
    digits.append(sci.substr(2, ePos - 2));
    int exponent = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exponent);

    const bool roundUp = digits[10] >= '5';
    digits.resize(10);
    if (roundUp) {
        int pos = 9;
        while (pos >= 0 && digits[pos] == '9')
            digits[pos--] = '0';
        if (pos >= 0) {
            ++digits[pos];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const int e = exponent + 1; // value = 0.d1d2... x 10^e
    std::string out = value < 0 ? "-" : "";
    if (e >= -3 && e <= 10) {
        if (e >= 1) {
            for (int k = 0; k < e; ++k)
                out += k < static_cast<int>(digits.size()) ? digits[k] : '0';
            if (static_cast<int>(digits.size()) > e) {
                out += locale.decimalSeparator;
                out.append(digits, e);
            }
        } else {
            out += '0';
            out += locale.decimalSeparator;
            out.append(static_cast<std::size_t>(-e), '0');
            out += digits;
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += locale.decimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        if (e - 1 < 0)
            out += '-';
        out += std::to_string(std::abs(e - 1));
    }
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText) {
    if (oldText.empty())
        return std::string(text);
    std::string out;     // the text up to P: everything before it has been settled
    std::size_t pos = 0; // where the unsearched rest of the text begins
    for (;;) {
        const std::size_t found = text.find(oldText, pos);
        if (found == std::string_view::npos)
            break;
        const std::size_t prefixEnd = out.size() + (found - pos);
        out.append(text.substr(pos, found - pos));
        out.append(newText);
        pos = found + oldText.size();
        // An occurrence that would begin inside what was just written (at or before P) ends the
        // loop; searching again from the start would find it and never finish.
        const std::size_t from =
            prefixEnd + 1 >= oldText.size() ? prefixEnd + 1 - oldText.size() : 0;
        const auto at = [&](std::size_t k) {
            return k < out.size() ? out[k] : text[pos + (k - out.size())];
        };
        const std::size_t available = out.size() + (text.size() - pos);
        for (std::size_t s = from; s < out.size() && s + oldText.size() <= available; ++s) {
            std::size_t k = 0;
            while (k < oldText.size() && at(s + k) == oldText[k])
                ++k;
            if (k == oldText.size()) {
                out.append(text.substr(pos));
                return out;
            }
        }
    }
    out.append(text.substr(pos));
    return out;
}

} // namespace vemo
