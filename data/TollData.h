#pragma once
// The four lists, the start-up load, the section listings and the maintainer conversions.

#include "LineTable.h"
#include "SortedUniqueList.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

struct LocaleSettings;

inline constexpr const char* kGermanDataFile = "data.sdf";
inline constexpr const char* kAustrianDataFile = "data2.sdf";
inline constexpr const char* kGermanSourceFile = "maut_55a.csv";
inline constexpr const char* kAustrianSourceFile = "au_maut.csv";

// The tables keep the data files' lines still encoded; row 0 is the header.
struct TollLists {
    explicit TollLists(const Collation& collation)
        : germanIndex(collation), austrianIndex(collation) {}

    LineTable germanTable;
    SortedUniqueList germanIndex;
    LineTable austrianTable;
    SortedUniqueList austrianIndex;
};

// kGermanMotorwayPrefix + trimmed field 1 of every German data row; trimmed field 1 of every
// Austrian data row.
void BuildGermanIndex(const LineTable& table, SortedUniqueList& index);
void BuildAustrianIndex(const LineTable& table, SortedUniqueList& index);

// Called when an index is complete, to fill its selector.
struct StartupSink {
    std::function<void(const SortedUniqueList&)> fillGerman;
    std::function<void(const SortedUniqueList&)> fillAustrian;
};

// Loads "data.sdf", builds the German index and fills its selector, then the same for
// "data2.sdf". Throws FileError at the first file that cannot be opened; what came before stays.
void StartupLoad(TollLists& lists, const StartupSink& sink);

// The section entry of one decoded data row.
std::string GermanSectionEntry(std::string_view row);
std::string AustrianSectionEntry(std::string_view row);

// Entries of every row whose trimmed field 1 equals key exactly, in file order. key is the
// selector's text: GermanMotorwayKey of it for Germany, the text as it stands for Austria.
std::vector<std::string> GermanSectionListing(const LineTable& table, std::string_view key);
std::vector<std::string> AustrianSectionListing(const LineTable& table, std::string_view key);

// Loads the source into the table, encodes every line (the Austrian one with tabs turned into
// ";" first) and saves the table as the data file.
void ConvertGerman(LineTable& table, const std::string& source = kGermanSourceFile,
                   const std::string& target = kGermanDataFile);
void ConvertAustrian(LineTable& table, const std::string& source = kAustrianSourceFile,
                     const std::string& target = kAustrianDataFile);

// A numeric field (German field 8, Austrian fields 5 to 7) that the number parse cannot read in
// the given settings, so that the calculator would count it as 0 without a word.
struct NumberProblem {
    int row = 0;      // table row; the header is row 0
    int field = 0;    // field number from 1
    std::string text; // the trimmed field
};

std::vector<NumberProblem> GermanNumberProblems(const LineTable& table,
                                                const LocaleSettings& locale);
std::vector<NumberProblem> AustrianNumberProblems(const LineTable& table,
                                                  const LocaleSettings& locale);

} // namespace vemo
