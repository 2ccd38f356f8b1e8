#include "TollData.h"

#include "BaseXCodec.h"
#include "Tariff.h"
#include "TextRoutines.h"

#include <algorithm>
#include <array>

namespace vemo {

namespace {

// Field 1 of an encoded line, untrimmed, into a buffer the caller reuses; the rest of the line
// is never decoded. True when a ";" ended the field.
bool DecodeFirstField(std::string_view line, std::string& out) {
    out.clear();
    Base64Reader reader(line);
    for (int c = reader.Next(); c >= 0; c = reader.Next()) {
        if (c == ';')
            return true;
        out.push_back(static_cast<char>(c));
    }
    return false;
}

// Whether trimmed field 1 of an encoded line equals Key. Key must itself be trimmed and hold no
// ";", so that the blanks skipped on either side cannot belong to it.
bool FirstFieldEquals(std::string_view line, std::string_view key) {
    Base64Reader reader(line);
    int c = reader.Next();
    while (c >= 0 && c <= 32)
        c = reader.Next();
    for (const char k : key) {
        if (c != static_cast<unsigned char>(k))
            return false;
        c = reader.Next();
    }
    for (; c >= 0 && c != ';'; c = reader.Next()) {
        if (c > 32)
            return false;
    }
    return true;
}

// The rows of a large table lie far apart in memory, and reading a row's first bytes would wait
// for them; asking for a row some way ahead hides that wait.
void PrefetchRow(const LineTable& table, int index) {
#if defined(__GNUC__)
    constexpr int kAhead = 16;
    if (index + kAhead < table.Count())
        __builtin_prefetch(table.Get(index + kAhead).data());
#else
    (void)table;
    (void)index;
#endif
}

std::string_view TrimmedField(std::string_view row, int index) {
    return Trim(GetFieldView(row, ";", index));
}

// Trimmed fields 1 to count of a decoded row (element 0 stays empty), as TrimmedField gives
// them, from one pass over the row instead of one search from its start per field.
template <std::size_t count>
std::array<std::string_view, count + 1> TrimmedFields(std::string_view row) {
    std::array<std::string_view, count + 1> fields{};
    std::size_t start = 0;
    for (std::size_t n = 1; n <= count && start <= row.size(); ++n) {
        const std::size_t stop = std::min(row.find(';', start), row.size());
        fields[n] = Trim(row.substr(start, stop - start));
        start = stop + 1;
    }
    return fields;
}

template <typename MakeEntry>
std::vector<std::string> SectionListing(const LineTable& table, std::string_view key,
                                        MakeEntry makeEntry) {
    std::vector<std::string> entries;
    // A trimmed field never starts or ends with a blank and never holds ";".
    if (Trim(key).size() != key.size() || key.find(';') != std::string_view::npos)
        return entries;
    for (int i = 1; i < table.Count(); ++i) {
        PrefetchRow(table, i);
        const std::string_view line = table.Get(i);
        if (FirstFieldEquals(line, key))
            entries.push_back(makeEntry(Base64Decode(line)));
    }
    return entries;
}

void BuildIndex(const LineTable& table, SortedUniqueList& index, std::string_view prefix) {
    std::string field;
    std::string entry;
    // The characters of the last offered row that decode to its field 1 and the ";" after it. A
    // row that starts with the same characters has the same field 1, and offering that again
    // changes nothing; a motorway's rows stand together, so most rows end here undecoded.
    std::string_view offered;
    for (int i = 1; i < table.Count(); ++i) {
        PrefetchRow(table, i);
        const std::string_view line = table.Get(i);
        if (!offered.empty() && line.starts_with(offered))
            continue;
        const bool separated = DecodeFirstField(line, field);
        entry.assign(prefix);
        entry.append(Trim(field));
        index.Add(entry);
        // n bytes come from the first ceil(4n / 3) characters.
        offered = separated ? line.substr(0, (4 * (field.size() + 1) + 2) / 3) : std::string_view();
    }
}

std::vector<NumberProblem> NumberProblems(const LineTable& table, const LocaleSettings& locale,
                                          int firstField, int lastField) {
    std::vector<NumberProblem> problems;
    for (int i = 1; i < table.Count(); ++i) {
        const std::string row = Base64Decode(table.Get(i));
        for (int field = firstField; field <= lastField; ++field) {
            const std::string_view text = TrimmedField(row, field);
            if (!ReadNumber(text, locale))
                problems.push_back({i, field, std::string(text)});
        }
    }
    return problems;
}

void Convert(LineTable& table, const std::string& source, const std::string& target,
             bool tabsToSemicolons) {
    table.LoadFromFile(source);
    // Every line is replaced by its encoding. The encodings go to a table of their own, sized
    // beforehand, so that the source's bytes are not carried along behind them.
    std::size_t bytes = 0;
    for (int i = 0; i < table.Count(); ++i)
        bytes += (table.Get(i).size() * 4 + 2) / 3;
    LineTable encoded;
    encoded.Reserve(static_cast<std::size_t>(table.Count()), bytes);
    for (int i = 0; i < table.Count(); ++i) {
        if (tabsToSemicolons)
            encoded.Append(Base64Encode(ReplaceAll(table.Get(i), "\t", ";")));
        else
            encoded.Append(Base64Encode(table.Get(i)));
    }
    table = std::move(encoded);
    table.SaveToFile(target);
}

} // namespace

void BuildGermanIndex(const LineTable& table, SortedUniqueList& index) {
    BuildIndex(table, index, kGermanMotorwayPrefix);
}

void BuildAustrianIndex(const LineTable& table, SortedUniqueList& index) {
    BuildIndex(table, index, "");
}

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

std::string GermanSectionEntry(std::string_view row) {
    const auto field = TrimmedFields<8>(row);
    std::string entry;
    entry.reserve(row.size() + 16);
    entry += '(';
    entry += field[3];
    entry += ") ";
    entry += field[4];
    entry += " : (";
    entry += field[6];
    entry += ") ";
    entry += field[7];
    entry += ';';
    entry += field[8];
    return entry;
}

std::string AustrianSectionEntry(std::string_view row) {
    const auto field = TrimmedFields<7>(row);
    std::string entry;
    entry.reserve(row.size() + 8);
    entry += field[3];
    entry += '-';
    entry += field[4];
    entry += " : ";
    entry += field[5];
    entry += '/';
    entry += field[6];
    entry += '/';
    entry += field[7];
    return entry;
}

std::vector<std::string> GermanSectionListing(const LineTable& table, std::string_view key) {
    return SectionListing(table, key,
                          [](const std::string& row) { return GermanSectionEntry(row); });
}

std::vector<std::string> AustrianSectionListing(const LineTable& table, std::string_view key) {
    return SectionListing(table, key,
                          [](const std::string& row) { return AustrianSectionEntry(row); });
}

void ConvertGerman(LineTable& table, const std::string& source, const std::string& target) {
    Convert(table, source, target, false);
}

void ConvertAustrian(LineTable& table, const std::string& source, const std::string& target) {
    Convert(table, source, target, true);
}

std::vector<NumberProblem> GermanNumberProblems(const LineTable& table,
                                                const LocaleSettings& locale) {
    return NumberProblems(table, locale, 8, 8);
}

std::vector<NumberProblem> AustrianNumberProblems(const LineTable& table,
                                                  const LocaleSettings& locale) {
    return NumberProblems(table, locale, 5, 7);
}

} // namespace vemo
