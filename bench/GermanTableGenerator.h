#pragma once
// A German toll table of realistic shape for the benchmarks: rows laid out like the German source
// CSV (motorway, section, kind and name of both points, kilometre mark, length, note), motorways
// of very uneven length with each motorway's rows together and in ascending order, as the source
// lists them. The defaults give 200,000 rows on 100 motorways, the largest (151) with about an
// eighth of them, some 27 MB of Base64 lines.
#include "text/BaseXCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace benchdata {

struct GermanTable {
    std::vector<std::string> rows; // decoded, the header first
    std::string largestMotorway;   // field 1 of the motorway with the most rows
    int largestRows = 0;
};

namespace detail {

inline std::string PlaceName(std::mt19937& rng) {
    static const char* stems[] = {"K\xF6ln",
                                  "Frankfurt",
                                  "W\xFCrzburg",
                                  "N\xFCrnberg",
                                  "Hamburg",
                                  "Hannover",
                                  "Dortmund",
                                  "Bielefeld",
                                  "Kassel",
                                  "Regensburg",
                                  "Passau",
                                  "Augsburg",
                                  "Ingolstadt",
                                  "Heilbronn",
                                  "Karlsruhe",
                                  "Mannheim",
                                  "Wiesbaden",
                                  "Gie\xDF"
                                  "en",
                                  "Erfurt",
                                  "Chemnitz",
                                  "Magdeburg",
                                  "Rostock",
                                  "Schwerin",
                                  "L\xFC"
                                  "beck",
                                  "Oldenburg",
                                  "Osnabr\xFC"
                                  "ck",
                                  "M\xFCnster",
                                  "Duisburg",
                                  "Wuppertal",
                                  "Siegen",
                                  "Limburg",
                                  "Montabaur",
                                  "Koblenz",
                                  "Trier",
                                  "Saarbr\xFC"
                                  "cken",
                                  "Kaiserslautern",
                                  "Pforzheim",
                                  "Ulm",
                                  "Memmingen",
                                  "Kempten",
                                  "Rosenheim",
                                  "Traunstein",
                                  "Deggendorf",
                                  "Bayreuth",
                                  "Hof",
                                  "Plauen",
                                  "Zwickau",
                                  "Gera",
                                  "Jena",
                                  "Weimar",
                                  "Eisenach",
                                  "G\xF6ttingen",
                                  "Northeim",
                                  "Hildesheim",
                                  "Celle",
                                  "Soltau",
                                  "Bremen",
                                  "Buchholz",
                                  "Rade"};
    static const char* tails[] = {"",
                                  "",
                                  "",
                                  "-Nord",
                                  "-S\xFC"
                                  "d",
                                  "-Ost",
                                  "-West",
                                  "-Mitte",
                                  " am Main",
                                  "/Randersacker",
                                  " (Westf.)",
                                  "-Flughafen",
                                  " ob der Tauber",
                                  "-Kreuz"};
    std::string name = stems[rng() % std::size(stems)];
    if (rng() % 3 == 0)
        name += std::string("-") + stems[rng() % std::size(stems)];
    name += tails[rng() % std::size(tails)];
    return name;
}

inline std::string Decimal(int tenths) {
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

} // namespace detail

// Rows of the table; Rows data rows on Motorways motorways whose lengths follow a Zipf law.
inline GermanTable MakeGermanTable(int rows = 200000, int motorways = 100, unsigned seed = 1250) {
    std::mt19937 rng(seed);
    GermanTable table;
    table.rows.reserve(static_cast<std::size_t>(rows) + 1);
    // "BAB;Úsek č.;Typ od;Od;km od;Typ do;Do;Délka km;Poznámka", as the sample's header.
    table.rows.push_back("BAB;\xDAsek \xE8.;Typ od;Od;km od;Typ do;Do;D\xE9lka km;Pozn\xE1mka");

    // Motorway numbers as the network has them: one and two digits, then some of three.
    std::vector<int> numbers;
    for (int n = 1; static_cast<int>(numbers.size()) < motorways; ++n)
        numbers.push_back(n <= 70 ? n : 100 + (n - 70) * 17);
    if (std::find(numbers.begin(), numbers.end(), 151) == numbers.end())
        numbers.back() = 151;
    std::sort(numbers.begin(), numbers.end());

    // Weights 1/k^0.8 by rank, the largest on 151 and the others shuffled.
    std::vector<double> weights(numbers.size());
    for (std::size_t k = 0; k < weights.size(); ++k)
        weights[k] = 1.0 / std::pow(static_cast<double>(k + 1), 0.8);
    std::shuffle(weights.begin() + 1, weights.end(), rng);
    const auto at151 = std::find(numbers.begin(), numbers.end(), 151) - numbers.begin();
    std::swap(weights[0], weights[static_cast<std::size_t>(at151)]);
    double total = 0;
    for (double w : weights)
        total += w;

    static const char* kinds[] = {"AS", "AS", "AS", "AS", "AK", "AD", "AN", "BS", "BG", "TR"};
    static const char* notes[] = {
        "",
        "Katzenbergtunnel, H\xF6"
        "chstgeschwindigkeit 80 km/h",
        "Anschlussstelle nur in Fahrtrichtung Nord, Abfahrt f\xFCr LKW gesperrt",
        "Ausbau sechsstreifig, Verkehrsf\xFChrung 4+0 bis Ende 2027",
        "Rastanlage mit Tankstelle, LKW-Stellpl\xE4tze begrenzt",
        "Mainbr\xFC"
        "cke Marktbreit",
        "Baustelle bis 30.06., Fahrstreifen eingeschr\xE4nkt",
        "Mautpflicht ab 7,5 t zGG, Ausweichstrecke gesperrt",
        "Talbr\xFC"
        "cke, Seitenwind"};
    int written = 0;
    for (std::size_t m = 0; m < numbers.size(); ++m) {
        const int count = m + 1 == numbers.size()
                              ? rows - written
                              : static_cast<int>(std::lround(rows * weights[m] / total));
        const std::string number = std::to_string(numbers[m]);
        if (count > table.largestRows) {
            table.largestRows = count;
            table.largestMotorway = number;
        }
        int mark = static_cast<int>(rng() % 2000);
        std::string from = detail::PlaceName(rng);
        std::string fromKind = kinds[rng() % std::size(kinds)];
        for (int i = 0; i < count; ++i) {
            const int length = 5 + static_cast<int>(rng() % 150);
            std::string to = detail::PlaceName(rng);
            std::string toKind = kinds[rng() % std::size(kinds)];
            std::string row = number + ";" + std::to_string(i + 1) + ";" + fromKind + ";" + from +
                              ";" + detail::Decimal(mark) + ";" + toKind + ";" + to + ";" +
                              detail::Decimal(length) + ";" + notes[rng() % std::size(notes)];
            table.rows.push_back(std::move(row));
            mark += length;
            from = std::move(to);
            fromKind = std::move(toKind);
        }
        written += count;
    }
    return table;
}

// Writes the rows with CR LF after each; Encode makes the data file's Base64 lines.
inline bool WriteLines(const std::vector<std::string>& rows, const std::string& path, bool encode) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& row : rows) {
        const std::string line = encode ? vemo::Base64Encode(row) : row;
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        out.write("\r\n", 2);
    }
    out.close();
    return static_cast<bool>(out);
}

} // namespace benchdata
