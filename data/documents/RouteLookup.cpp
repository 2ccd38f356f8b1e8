#include "data/documents/RouteLookup.h"

#include "data/rules/MotorwayIndex.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_set>

namespace vemo {

namespace {

std::vector<std::string> GermanRows(const LineTable& table, std::string_view motorway) {
    return SectionRows(table, GermanMotorwayKey(motorway));
}

std::string GermanEntry(std::string_view row) {
    return GermanSectionEntry(row);
}

std::string AustrianEntry(std::string_view row) {
    return AustrianSectionEntry(row);
}

std::vector<std::string> Listing(const RouteTables& tables, std::string_view motorway) {
    std::vector<std::string> entries = tables.rows(tables.table, motorway);
    for (std::string& row : entries)
        row = tables.entry(row);
    return entries;
}

} // namespace

RouteTables GermanRouteTables(const LineTable& table, const SortedUniqueList& index) {
    return {table, index, GermanRows, GermanEntry, GermanSectionPoints, GermanSectionName};
}

RouteTables AustrianRouteTables(const LineTable& table, const SortedUniqueList& index) {
    return {table, index, SectionRows, AustrianEntry, AustrianSectionPoints, AustrianSectionName};
}

std::vector<RouteSection> RouteSectionsOf(const std::vector<std::string>& entries,
                                          const RouteTables& tables) {
    std::map<std::string, RouteSection, std::less<>> found;
    std::set<std::string_view> open(entries.begin(), entries.end());
    // Motorway by motorway until every entry has its own; most routes need only a few.
    for (const std::string& motorway : tables.index.Items()) {
        if (open.empty())
            break;
        for (const std::string& row : tables.rows(tables.table, motorway)) {
            std::string entry = tables.entry(row);
            if (open.erase(entry) > 0)
                found.emplace(entry, RouteSection{motorway, tables.points(row), entry});
        }
    }
    std::vector<RouteSection> sections;
    sections.reserve(entries.size());
    for (const std::string& entry : entries) {
        const auto it = found.find(entry);
        sections.push_back(it != found.end()
                               ? it->second
                               : RouteSection{{}, {std::string(tables.name(entry)), {}}, entry});
    }
    return sections;
}

std::vector<RouteFileEntry> RouteEntriesOf(const std::vector<std::string>& entries,
                                           const RouteTables& tables) {
    std::vector<RouteFileEntry> saved;
    for (RouteSection& section : RouteSectionsOf(entries, tables))
        saved.push_back({std::move(section.motorway), std::move(section.entry)});
    return saved;
}

FoundRoute FindRoute(const std::vector<RouteFileEntry>& saved, const RouteTables& tables) {
    const std::unordered_set<std::string_view> motorways(tables.index.Items().begin(),
                                                         tables.index.Items().end());
    std::map<std::string, std::vector<std::string>, std::less<>> listings;
    FoundRoute found;
    for (const RouteFileEntry& e : saved) {
        if (!motorways.contains(e.motorway)) {
            found.missing.push_back(e);
            continue;
        }
        auto listing = listings.find(e.motorway);
        if (listing == listings.end())
            listing = listings.emplace(e.motorway, Listing(tables, e.motorway)).first;
        const std::vector<std::string>& sections = listing->second;
        auto match = std::find(sections.begin(), sections.end(), e.entry);
        if (match == sections.end()) {
            const std::string_view name = tables.name(e.entry);
            match = std::find_if(sections.begin(), sections.end(),
                                 [&](const std::string& s) { return tables.name(s) == name; });
        }
        if (match == sections.end())
            found.missing.push_back(e);
        else
            found.entries.push_back(*match);
    }
    return found;
}

} // namespace vemo
