#include "data/rules/SourceText.h"

#include "data/store/Errors.h"
#include "text/Cp1250.h"

#include <cstdio>
#include <string>

namespace vemo {

namespace {

// U+FEFF in UTF-8.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsUtf8Source(const LineTable& lines) {
    if (lines.Count() > 0 && lines.Get(0).starts_with(kByteOrderMark))
        return true;
    bool nonAscii = false;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Get(i);
        for (const char c : line)
            nonAscii = nonAscii || static_cast<unsigned char>(c) >= 0x80;
        if (!IsUtf8(line))
            return false;
    }
    return nonAscii;
}

} // namespace

void SourceToCp1250(LineTable& lines, std::string_view fileName) {
    if (!IsUtf8Source(lines))
        return;
    // "Soubor X nelze převést do Windows-1250: řádek N" and why (Windows-1250).
    const auto refusal = [fileName](int line, const std::string& why) {
        return Error::Naming(Utf8ToCp1250("Soubor "), std::string(fileName),
                             Utf8ToCp1250(" nelze převést do Windows-1250: řádek ") +
                                 std::to_string(line) + why);
    };
    LineTable converted;
    for (int i = 0; i < lines.Count(); ++i) {
        std::string_view line = lines.Get(i);
        if (i == 0 && line.starts_with(kByteOrderMark))
            line.remove_prefix(kByteOrderMark.size());
        // Only a source marked by the byte-order mark gets here with such a line; its bytes that
        // are no UTF-8 are no character at all, so the line is named alone.
        if (!IsUtf8(line))
            throw refusal(i + 1, Utf8ToCp1250(" není platné UTF-8"));
        char32_t missing = 0;
        const std::optional<std::string> bytes = Utf8ToCp1250Exact(line, missing);
        if (!bytes) {
            char codePoint[16];
            std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(missing));
            throw refusal(i + 1, Utf8ToCp1250(" obsahuje znak ") + codePoint +
                                     Utf8ToCp1250(", který Windows-1250 nemá"));
        }
        converted.Append(*bytes);
    }
    lines = std::move(converted);
}

} // namespace vemo
