// Line-table load, both section listings and both index builds on arbitrary bytes, each checked
// against the plain reading: split by hand, decode every row whole.
#include "data/rules/MotorwayIndex.h"
#include "data/rules/SortedUniqueList.h"
#include "data/rules/TollData.h"
#include "data/store/LineTable.h"
#include "tests/support/PlainReading.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

void CheckListings(const vemo::LineTable& table, std::string_view key) {
    Check(vemo::GermanSectionListing(table, key) == plain::Listing(table, key, true));
    Check(vemo::AustrianSectionListing(table, key) == plain::Listing(table, key, false));
}

void CheckIndex(const vemo::LineTable& table, const std::string& prefix, bool german) {
    const vemo::Collation collation = vemo::PlainCaseInsensitiveCollation();
    vemo::SortedUniqueList index(collation);
    if (german)
        vemo::BuildGermanIndex(table, index);
    else
        vemo::BuildAustrianIndex(table, index);

    for (int i = 1; i < index.Count(); ++i)
        Check(collation(index.Get(i - 1), index.Get(i)) < 0);
    // Every row is represented by the first row entry equal to it under the collation.
    std::vector<bool> seen(static_cast<std::size_t>(index.Count()));
    for (int i = 1; i < table.Count(); ++i) {
        const std::string entry = prefix + plain::FirstField(table, i);
        int found = -1;
        for (int j = 0; j < index.Count() && found < 0; ++j) {
            if (collation(index.Get(j), entry) == 0)
                found = j;
        }
        Check(found >= 0);
        if (!seen[static_cast<std::size_t>(found)]) {
            Check(index.Get(found) == entry);
            seen[static_cast<std::size_t>(found)] = true;
        }
    }
    for (const bool s : seen)
        Check(s);
}

void CheckTable(const vemo::LineTable& table, std::string_view key) {
    CheckListings(table, key);
    if (table.Count() > 1)
        CheckListings(table, plain::FirstField(table, 1));
    if (table.Count() <= 300) {
        CheckIndex(table, "A", true);
        CheckIndex(table, "", false);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string_view key = input.substr(1, keyLength);
    const std::string_view content = input.substr(1 + keyLength);

    vemo::LineTable table;
    table.LoadFromBytes(content);
    for (const auto& line : table.Lines())
        Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    Check(table.Lines() == plain::Lines(content));
    CheckTable(table, key);

    // Lines replaced and appended from the table itself, as a list of strings would do it.
    std::vector<std::string> model = table.Lines();
    for (std::size_t i = 0; i < content.size() && !model.empty(); i += 3) {
        const std::size_t from = static_cast<unsigned char>(content[i]) % model.size();
        const std::size_t to = (i / 3) % model.size();
        const std::string_view line = table.Get(static_cast<int>(from));
        if (content[i] & 1) {
            table.Set(static_cast<int>(to), line.substr(line.size() / 2));
            model[to] = model[from].substr(model[from].size() / 2);
        } else {
            table.Append(line);
            model.push_back(model[from]);
        }
    }
    Check(table.Lines() == model);
    table.LoadFromBytes(content);

    // The same lines as the conversion writes them, so that decoded rows hold the input's
    // separators and blanks.
    vemo::LineTable encoded;
    for (const auto& line : table.Lines())
        encoded.Append(vemo::Base64Encode(line));
    CheckTable(encoded, key);
    return 0;
}
