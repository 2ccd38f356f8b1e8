#pragma once
// The maintainer conversions: a source CSV file turned into a data file, one Base64 line per
// source line, the header included.

#include "data/rules/TollData.h"
#include "data/store/LineTable.h"

#include <string>

namespace vemo {

// Loads the source into the table, encodes every line (the Austrian one with tabs turned into
// ";" first) and saves the table as the data file.
void ConvertGerman(LineTable& table, const std::string& source = kGermanSourceFile,
                   const std::string& target = kGermanDataFile);
void ConvertAustrian(LineTable& table, const std::string& source = kAustrianSourceFile,
                     const std::string& target = kAustrianDataFile);

} // namespace vemo
