#pragma once
// The maintainer's check of a table's numeric fields (German field 8, Austrian fields 5 to 7):
// the ones the number parse cannot read in the given settings, so that the calculator would
// count them as 0 without a word.

#include "data/store/LineTable.h"
#include "text/TextRoutines.h"

#include <string>
#include <vector>

namespace vemo {

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
