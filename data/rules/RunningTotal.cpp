#include "data/rules/RunningTotal.h"

namespace vemo {

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
