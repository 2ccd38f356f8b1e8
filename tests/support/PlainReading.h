#pragma once
// The plain reading of a table that the fast paths are checked against, by the tests and the
// fuzz targets alike: every row decoded whole, every field taken on its own with GetField.

#include "data/store/LineTable.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

#include <string>
#include <string_view>
#include <vector>

namespace plain {

// The lines of content read a byte at a time: it ends at the first NUL; CR, LF and CR LF end
// a line; a line end at the very end opens no further line.
inline std::vector<std::string> Lines(std::string_view content) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < content.size() && content[i] != '\0'; ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
        } else {
            line += c;
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

// Trimmed field 1 of table row row.
inline std::string FirstField(const vemo::LineTable& table, int row) {
    return std::string(vemo::Trim(vemo::GetField(vemo::Base64Decode(table.Get(row)), ";", 1)));
}

// A section entry put together piece by piece: a one-digit piece is that trimmed field of row,
// any other piece stands as it is.
inline std::string Entry(const std::string& row, const std::vector<std::string>& pieces) {
    std::string entry;
    for (const auto& piece : pieces) {
        if (piece.size() == 1 && piece[0] >= '1' && piece[0] <= '9')
            entry += vemo::Trim(vemo::GetField(row, ";", piece[0] - '0'));
        else
            entry += piece;
    }
    return entry;
}

// The entries of every data row whose trimmed field 1 is key, in file order.
inline std::vector<std::string> Listing(const vemo::LineTable& table, std::string_view key,
                                        bool german) {
    std::vector<std::string> entries;
    for (int i = 1; i < table.Count(); ++i) {
        const std::string row = vemo::Base64Decode(table.Get(i));
        if (vemo::Trim(vemo::GetField(row, ";", 1)) != key)
            continue;
        if (german)
            entries.push_back(Entry(row, {"(", "3", ") ", "4", " : (", "6", ") ", "7", ";", "8"}));
        else
            entries.push_back(Entry(row, {"3", "-", "4", " : ", "5", "/", "6", "/", "7"}));
    }
    return entries;
}

} // namespace plain
