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

// The built-in tariff written as a tariff source (UTF-8 here; the files hold Windows-1250).
inline const std::vector<std::string> kBuiltInTariffSource = {
    "Sazebník;1.1.2005;Mýtné 2005",
    "Nápravy;1;4",
    "Kategorie A;Třídy škodlivin S4, S5 a EEV třídy 1, EURO-4,5;0,09;0,10",
    "Kategorie B;EURO-2, EURO-3 (S2,S3);0,11;0,12",
    "Kategorie C;EURO-0, EURO-1 (S1);0,13;0,14",
};

// A tariff of four categories with rate columns from 2, 3, 4 and 5 axles, valid from 1.1.2026;
// its rates need three decimals.
inline const std::vector<std::string> kFourColumnTariffSource = {
    "Sazebník;1.1.2026;Mýtné 2026",
    "Nápravy;2;3;4;5",
    "Euro 3;EURO-3 a starší;0,3;0,31;0,32;0,33",
    "Euro 4;EURO-4;0,25;0,26;0,27;0,28",
    "Euro 5;EURO-5, EEV;0,15;0,16;0,17;0,18",
    "Euro 6;EURO-6;0,1;0,2;0,348;0,35",
};

} // namespace testrows
