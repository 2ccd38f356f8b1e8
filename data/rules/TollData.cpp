#include "data/rules/TollData.h"

#include "data/rules/MotorwayIndex.h"

namespace vemo {

void StartupLoad(TollLists& lists, const StartupSink& sink) {
    lists.germanTable.LoadFromFile(kGermanDataFile);
    BuildGermanIndex(lists.germanTable, lists.germanIndex);
    if (sink.fillGerman)
        sink.fillGerman(lists.germanIndex);

    lists.austrianTable.LoadFromFile(kAustrianDataFile);
    BuildAustrianIndex(lists.austrianTable, lists.austrianIndex);
    if (sink.fillAustrian)
        sink.fillAustrian(lists.austrianIndex);
}

} // namespace vemo
