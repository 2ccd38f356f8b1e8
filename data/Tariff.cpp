#include "Tariff.h"

#include <array>

namespace vemo {

namespace {

struct RateRow {
    std::string_view description;
    double upToThreeAxles;
    double fromFourAxles;
};

constexpr std::array<RateRow, kCategoryCount> kRates = {{
    {"T\xF8\xED"
     "dy \x9A"
     "kodlivin S4, S5 a EEV t\xF8\xED"
     "dy 1, EURO-4,5",
     0.09, 0.10},
    {"EURO-2, EURO-3 (S2,S3)", 0.11, 0.12},
    {"EURO-0, EURO-1 (S1)", 0.13, 0.14},
}};

constexpr std::array<std::string_view, kCategoryCount> kAxleTexts = {"2 n\xE1pravy", "3 n\xE1pravy",
                                                                     "4 n\xE1pravy"};

bool IsCategory(int category) {
    return category >= 0 && category < kCategoryCount;
}

} // namespace

std::optional<std::string_view> GermanCategoryText(int category) {
    if (!IsCategory(category))
        return std::nullopt;
    return kRates[category].description;
}

std::optional<double> GermanRate(int category, int axles) {
    if (!IsCategory(category))
        return std::nullopt;
    return axles > 3 ? kRates[category].fromFourAxles : kRates[category].upToThreeAxles;
}

std::optional<std::string_view> AustrianCategoryText(int category) {
    if (!IsCategory(category))
        return std::nullopt;
    return kAxleTexts[category];
}

std::string_view GermanMotorwayKey(std::string_view selectorText) {
    return selectorText.empty() ? selectorText : selectorText.substr(1);
}

double SectionLength(std::string_view entry, const LocaleSettings& locale) {
    const std::size_t semicolon = entry.find(';');
    if (semicolon == std::string_view::npos)
        return 0;
    return ParseNumber(entry.substr(semicolon + 1, 200), 0, locale);
}

double CategoryAmount(std::string_view entry, int category, const LocaleSettings& locale) {
    if (!IsCategory(category))
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
    return ParseNumber(amount, 0, locale);
}

double ReadRunningTotal(std::string_view caption, const LocaleSettings& locale) {
    const std::size_t blank = caption.find(' ');
    const std::string_view number =
        blank == std::string_view::npos ? std::string_view() : caption.substr(0, blank);
    return ParseNumber(number, 0, locale);
}

std::string RunningTotalCaption(long double value, std::string_view unit,
                                const LocaleSettings& locale) {
    std::string caption = FormatNumber(value, locale);
    caption += ' ';
    caption.append(unit);
    return caption;
}

std::string RunningTotalStep(std::string_view caption, double delta, std::string_view unit,
                             const LocaleSettings& locale) {
    return RunningTotalCaption(static_cast<long double>(ReadRunningTotal(caption, locale)) +
                                   static_cast<long double>(delta),
                               unit, locale);
}

std::string GermanTollCaption(std::string_view kmCaption, double rate,
                              const LocaleSettings& locale) {
    return RunningTotalCaption(static_cast<long double>(ReadRunningTotal(kmCaption, locale)) * rate,
                               kEuroUnit, locale);
}

} // namespace vemo
