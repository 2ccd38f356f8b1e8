#pragma once
// A route file: both tabs' routes, their categories and the axle count, saved by the user and
// opened again later, when every entry is looked up in the tables loaded then. UTF-8 text, one
// record a line ended by LF (CR LF is read too), fields separated by a tab; inside a field "\\",
// "\t", "\n" and "\r" stand for a backslash, a tab, a line feed and a carriage return:
//
//   Vemo Maut trasa<TAB>2                            the format and its version, always first
//   Uloženo<TAB>8.12.2026                            the day it was saved
//   Sazebník<TAB>Sazebník: vestavěný, platný od 1. 1. 2005
//   Německo<TAB><category><TAB><weight><TAB><axles><TAB><toll><TAB><billed>
//   Rakousko<TAB><category><TAB><toll><TAB><billed>
//   Německo úsek<TAB><motorway><TAB><entry>          one a route entry, in route order
//   Rakousko úsek<TAB><motorway><TAB><entry>
//
// The category is the one the German rate was taken for, empty when none was chosen; the
// weight class its label, empty in a tariff without classes. The motorway is its entry in the
// motorway index ("A3", "A13"), the entry the section entry as the route list showed it. The
// tolls are the tabs' totals as the number format writes them with a decimal point (at most ten
// significant digits, no more than Decimal::kMaxScale decimals); the billed ones are cents as
// the unit with a point and two decimals. Version 1 lacked the weight class and the billed
// tolls; such a file is read with no class and its totals rounded to the cent as the billed
// tolls. Texts are Windows-1250 in the program and UTF-8 in the file.

#include "data/rules/Decimal.h"
#include "data/rules/Tariff.h"
#include "data/store/LineTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// A file larger than this is no route file; it is not read.
inline constexpr std::size_t kLargestRouteFile = 1 << 20;

struct RouteFileEntry {
    std::string motorway;
    std::string entry;
    friend bool operator==(const RouteFileEntry&, const RouteFileEntry&) = default;
};

struct RouteFile {
    CalendarDate saved;
    std::string tariff;         // the tariff's label when it was saved, for the reader
    std::string germanCategory; // the selector's entry; empty when none was chosen
    std::string weightClass;    // the class's label; empty without weight classes
    int axles = 3;
    double germanToll = 0;
    Cents germanBilled = 0;
    std::string austrianCategory;
    double austrianToll = 0;
    Cents austrianBilled = 0;
    std::vector<RouteFileEntry> germanRoute;
    std::vector<RouteFileEntry> austrianRoute;
    friend bool operator==(const RouteFile&, const RouteFile&) = default;
};

// The file's content.
std::string RouteFileText(const RouteFile& route);
// The route of a file's content. Throws Error naming shownName (and the line, where there is
// one) when it is no route file of version 1 or 2: another first line, an unknown record, a
// missing or repeated category record, a wrong count of fields, an axle count outside 1 to 18,
// a toll the program would not write (no number, blanks, more digits or decimals than above)
// or not below kLargestQuoteAmount, a billed toll that is not cents as the program writes them,
// a bad escape, a NUL, bytes that are not UTF-8, an Austrian category other than none and
// "Kategorie A" to "C".
RouteFile ParseRouteFile(std::string_view content, std::string_view shownName);

// Writes the route with the safe save; on failure the file stays as it was and the message
// names shownName.
void SaveRouteFile(const std::string& fileName, std::string_view shownName, const RouteFile& route);
// Reads and parses a route file; one larger than kLargestRouteFile is refused unread.
RouteFile ReadRouteFile(const std::string& fileName, std::string_view shownName);

} // namespace vemo
