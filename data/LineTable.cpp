#include "LineTable.h"

#include "DataFile.h"

#include <cstring>

namespace vemo {

std::vector<std::string> SplitLines(std::string_view content) {
    if (const auto nul = content.find('\0'); nul != std::string_view::npos)
        content = content.substr(0, nul);

    std::vector<std::string> lines;
    if (content.empty())
        return lines;
    // Data lines are some 150 bytes long; a rough guess saves most of the regrowth.
    lines.reserve(content.size() / 64 + 1);
    const char* const end = content.data() + content.size();
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    // memchr is far faster than a byte loop. Each hit is kept until the scan passes it, so a
    // file with only one kind of line end is not searched to its end again for every line.
    const char* start = content.data();
    const char* cr = next(start, '\r');
    const char* lf = next(start, '\n');
    while (start < end) {
        if (cr < start)
            cr = next(start, '\r');
        if (lf < start)
            lf = next(start, '\n');
        const char* const stop = cr < lf ? cr : lf;
        if (stop == end)
            break;
        lines.emplace_back(start, stop);
        // CR LF ends one line; LF CR ends two, so only the LF after a CR is swallowed.
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n')
            ++start;
    }
    if (start < end)
        lines.emplace_back(start, end);
    return lines;
}

void LineTable::LoadFromFile(const std::string& fileName) {
    lines_ = SplitLines(ReadDataFile(fileName));
}

void LineTable::LoadFromBytes(std::string_view content) {
    lines_ = SplitLines(content);
}

void LineTable::SaveToFile(const std::string& fileName) const {
    std::string content;
    std::size_t total = 0;
    for (const auto& line : lines_)
        total += line.size() + 2;
    content.reserve(total);
    for (const auto& line : lines_) {
        content += line;
        content += "\r\n";
    }
    SaveDataFile(fileName, content);
}

} // namespace vemo
