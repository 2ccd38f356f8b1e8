#pragma once
// A day of the calendar, as tariffs start and routes are saved: read from "d.m.yyyy", written
// as Czech writes a date.

#include <QDate>

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// A day of the calendar; compares in time order.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // yyyymmdd, which orders days as time does.
    long Key() const { return year * 10000L + month * 100L + day; }
    friend bool operator==(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() == b.Key();
    }
    friend bool operator<(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() < b.Key();
    }
    friend bool operator<=(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() <= b.Key();
    }
    friend bool operator>(const CalendarDate& a, const CalendarDate& b) {
        return a.Key() > b.Key();
    }
};

// "8. 12. 2026", as Czech writes a date; "8.12.2026" with separator ".".
std::string FormatDate(const CalendarDate& date, std::string_view separator = ". ");

// "d.m.yyyy" (blanks after the dots and leading zeros allowed) as a real day of the calendar.
std::optional<CalendarDate> ParseDate(std::string_view text);

// A day of Qt's calendar as the core counts it.
CalendarDate ToCalendarDate(const QDate& date);

} // namespace vemo
