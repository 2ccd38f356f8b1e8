#include "data/rules/MotorwayIndex.h"

#include "data/rules/SectionEntry.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

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

// Whether trimmed field 1 of an encoded line equals key. key must itself be trimmed and hold no
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

} // namespace

void BuildGermanIndex(const LineTable& table, SortedUniqueList& index) {
    BuildIndex(table, index, kGermanMotorwayPrefix);
}

void BuildAustrianIndex(const LineTable& table, SortedUniqueList& index) {
    BuildIndex(table, index, "");
}

std::string_view GermanMotorwayKey(std::string_view selectorText) {
    return selectorText.empty() ? selectorText : selectorText.substr(kGermanMotorwayPrefix.size());
}

std::vector<std::string> GermanSectionListing(const LineTable& table, std::string_view key) {
    return SectionListing(table, key,
                          [](const std::string& row) { return GermanSectionEntry(row); });
}

std::vector<std::string> AustrianSectionListing(const LineTable& table, std::string_view key) {
    return SectionListing(table, key,
                          [](const std::string& row) { return AustrianSectionEntry(row); });
}

std::vector<std::string> SectionRows(const LineTable& table, std::string_view key) {
    return SectionListing(table, key, [](std::string row) { return row; });
}

} // namespace vemo
