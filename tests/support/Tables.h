#pragma once
// The shared vocabulary of the data tests: tables as the data files hold them, their bytes on
// disk, and the number settings of a Czech desktop.

#include "data/LineTable.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

#include <string>
#include <vector>

namespace testrows {

// "Nelze vytvořit soubor " (Windows-1250), the start of every file error.
inline const std::string kCannotCreate = "Nelze vytvo\xF8it soubor ";

// The number settings with a decimal comma and no currency symbol.
inline vemo::LocaleSettings DecimalComma() {
    vemo::LocaleSettings locale;
    locale.decimalSeparator = ',';
    return locale;
}

// A table as the data files hold it: every row encoded, a header first.
inline vemo::LineTable EncodedTable(const std::vector<std::string>& rows) {
    vemo::LineTable table;
    table.Append(vemo::Base64Encode("motorway;x;from;name;y;to;name;km"));
    for (const auto& row : rows)
        table.Append(vemo::Base64Encode(row));
    return table;
}

// The bytes of a data file that holds table.
inline std::string FileOf(const vemo::LineTable& table) {
    std::string bytes;
    for (const auto& line : table.Lines())
        bytes += line + "\r\n";
    return bytes;
}

} // namespace testrows
