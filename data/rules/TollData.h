#pragma once
// The four lists the window keeps (two tables and their motorway indexes), the fixed file names
// and the start-up load that fills them.

#include "data/rules/SortedUniqueList.h"
#include "data/store/LineTable.h"

#include <functional>

namespace vemo {

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

// Called when an index is complete, to fill its selector.
struct StartupSink {
    std::function<void(const SortedUniqueList&)> fillGerman;
    std::function<void(const SortedUniqueList&)> fillAustrian;
};

// Loads "data.sdf", builds the German index and fills its selector, then the same for
// "data2.sdf". Throws FileError at the first file that cannot be opened; what came before stays.
void StartupLoad(TollLists& lists, const StartupSink& sink);

} // namespace vemo
