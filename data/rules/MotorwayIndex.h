#pragma once
// The motorway indexes that fill the selectors, and the rows a selector's text lists: the German
// index puts kGermanMotorwayPrefix before each motorway number and the listing takes it off
// again, the Austrian index and listing use field 1 as it stands.

#include "data/rules/SortedUniqueList.h"
#include "data/store/LineTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

inline constexpr std::string_view kGermanMotorwayPrefix = "A";

// kGermanMotorwayPrefix + trimmed field 1 of every German data row; trimmed field 1 of every
// Austrian data row. Row 0, the header, is skipped.
void BuildGermanIndex(const LineTable& table, SortedUniqueList& index);
void BuildAustrianIndex(const LineTable& table, SortedUniqueList& index);

// The key of a German selector text: the text without its first character (the prefix), the
// empty text for an empty one.
std::string_view GermanMotorwayKey(std::string_view selectorText);

// Section entries of every data row whose trimmed field 1 equals key exactly (letter case
// significant), in file order. key is GermanMotorwayKey of the selector's text for Germany, the
// text as it stands for Austria.
std::vector<std::string> GermanSectionListing(const LineTable& table, std::string_view key);
std::vector<std::string> AustrianSectionListing(const LineTable& table, std::string_view key);
// The decoded rows behind those entries, German or Austrian.
std::vector<std::string> SectionRows(const LineTable& table, std::string_view key);

} // namespace vemo
