#pragma once
// A route's entries in the tables loaded now: the motorway and the two points of each entry the
// route list holds, and a saved route's entries found again after the data has changed.

#include "data/documents/RouteFile.h"
#include "data/rules/SectionEntry.h"
#include "data/rules/SortedUniqueList.h"
#include "data/store/LineTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// One tab's tables as the window holds them, with the rows listed for a motorway's index entry,
// the section entry and the points of a row, and the section name of an entry.
struct RouteTables {
    const LineTable& table;
    const SortedUniqueList& index;
    std::vector<std::string> (*rows)(const LineTable& table, std::string_view motorway);
    std::string (*entry)(std::string_view row);
    SectionPoints (*points)(std::string_view row);
    std::string_view (*name)(std::string_view entry);
};
RouteTables GermanRouteTables(const LineTable& table, const SortedUniqueList& index);
RouteTables AustrianRouteTables(const LineTable& table, const SortedUniqueList& index);

// An entry of a route list with its motorway and points; the motorway empty and the points the
// entry's section name when no motorway lists it.
struct RouteSection {
    std::string motorway;
    SectionPoints points;
    std::string entry;
};
// The first motorway in index order whose rows hold each entry.
std::vector<RouteSection> RouteSectionsOf(const std::vector<std::string>& entries,
                                          const RouteTables& tables);
// The same as the route file keeps them.
std::vector<RouteFileEntry> RouteEntriesOf(const std::vector<std::string>& entries,
                                           const RouteTables& tables);

// A saved route looked up in today's tables: entries that are there, and those left out.
struct FoundRoute {
    std::vector<std::string> entries;
    std::vector<RouteFileEntry> missing;
};
// Each entry's motorway must be in the index; in its listing the entry is the one with the
// same text, or else the first with the same section name (the values behind it may have
// changed since, and today's are taken). Every other entry is missing.
FoundRoute FindRoute(const std::vector<RouteFileEntry>& saved, const RouteTables& tables);

} // namespace vemo
