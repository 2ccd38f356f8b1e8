#pragma once
// The shared vocabulary of the tests: tables as the data files hold them, the rows of sections
// the window tests list, their bytes on disk, the worked examples, the tariffs, the number
// settings of a Czech desktop, and the names of table-driven cases.

#include "data/store/LineTable.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// One section of a motorway: the points it runs from and to, and its length in kilometres (a
// German row) or its "A/B/C" amounts (an Austrian row), as the data file writes them.
struct Section {
    std::string from;
    std::string to;
    std::string value;
};

// Sections one after the other, as (the point each leads to, its value).
using Legs = std::vector<std::pair<std::string, std::string>>;

// The legs as sections, each from where the one before ends, the first from first.
inline std::vector<Section> Chained(const Legs& legs, const std::string& first = "Start") {
    std::vector<Section> sections;
    for (const auto& [to, value] : legs)
        sections.push_back({sections.empty() ? first : sections.back().to, to, value});
    return sections;
}

// Sections from "Ort 0" to "Ort 1", "Ort 1" to "Ort 2" ... with the given values.
inline std::vector<Section> Numbered(const std::vector<std::string>& values) {
    std::vector<Section> sections;
    for (std::size_t i = 0; i < values.size(); ++i)
        sections.push_back({"Ort " + std::to_string(i), "Ort " + std::to_string(i + 1), values[i]});
    return sections;
}

// The decoded lines of "data.sdf": a header, then a row of motorway number motorway for each
// section, "(AS) from : (AK) to;value" as its entry.
inline std::vector<std::string> GermanRows(const std::vector<Section>& sections,
                                           const std::string& motorway = "1") {
    std::vector<std::string> rows = {"BAB;Nr;Typ;Od;km;Typ;Do;Delka"};
    for (std::size_t i = 0; i < sections.size(); ++i)
        rows.push_back(motorway + ";" + std::to_string(i) + ";AS;" + sections[i].from + ";;AK;" +
                       sections[i].to + ";" + sections[i].value);
    return rows;
}

// The decoded lines of "data2.sdf": a header, then a row of motorway for each section,
// "from-to : A/B/C" as its entry.
inline std::vector<std::string> AustrianRows(const std::vector<Section>& sections,
                                             const std::string& motorway = "A1") {
    std::vector<std::string> rows = {"Dalnice;Nazev;Od;Do;A;B;C"};
    for (const Section& section : sections) {
        std::string amounts = section.value;
        for (char& c : amounts) {
            if (c == '/')
                c = ';';
        }
        rows.push_back(motorway + ";West;" + section.from + ";" + section.to + ";" + amounts);
    }
    return rows;
}

// The worked examples of both tabs: German sections of 12,5 and 7 km (19,5 km, under
// "Kategorie B" 2,145 €), Austrian sections of 3,5/5,2/7,1 and 2,8/4,1/6,05 € (under
// "Kategorie B" 9,3 €).
inline const Legs kWorkedGerman = {{"Ort 1", "12,5"}, {"Ort 2", "7"}};
inline const Legs kWorkedAustrian = {{"Ort 1", "3,5/5,2/7,1"}, {"Ort 2", "2,8/4,1/6,05"}};

// Names a table-driven case by its name member, for INSTANTIATE_TEST_SUITE_P.
struct ByName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.name);
    }
};

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

// A tariff with weight classes as the law sets them since 2015, valid from 1.7.2024: one class
// of one column, one whose columns apply from 1, 4 and 5 axles.
inline const std::vector<std::string> kWeightClassTariffSource = {
    "Sazebník;1.7.2024;Mýtné 2024",
    "Nápravy;1;1;4;5",
    "Hmotnost;7,5–12 t;nad 18 t;nad 18 t;nad 18 t",
    "Euro 6, CO2 třída 1;Euro VI;0,177;0,303;0,324;0,348",
    "Euro 5 / EEV;Euro V;0,205;0,353;0,363;0,389",
};

} // namespace testrows
