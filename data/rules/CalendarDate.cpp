#include "data/rules/CalendarDate.h"

#include "text/TextRoutines.h"

#include <algorithm>

namespace vemo {

std::string FormatDate(const CalendarDate& date, std::string_view separator) {
    std::string text = std::to_string(date.day);
    text.append(separator);
    text += std::to_string(date.month);
    text.append(separator);
    return text + std::to_string(date.year);
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::size_t dot = i < 2 ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return std::nullopt;
        const std::optional<int> part = ReadWholeNumber(Trim(text.substr(0, dot)));
        if (!part)
            return std::nullopt;
        parts[i] = *part;
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    const CalendarDate date{parts[2], parts[1], parts[0]};
    if (date.year < 1000 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return std::nullopt;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int days = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
    if (date.day > days)
        return std::nullopt;
    return date;
}

CalendarDate ToCalendarDate(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

} // namespace vemo
