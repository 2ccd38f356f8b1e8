#include "data/rules/Conversion.h"

#include "data/rules/SourceText.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

namespace vemo {

namespace {

void Convert(LineTable& table, const std::string& source, const std::string& target,
             bool tabsToSemicolons) {
    // The table changes only once the source has been read and is Windows-1250 throughout.
    LineTable lines;
    lines.LoadFromFile(source);
    SourceToCp1250(lines, source);
    // Every line is replaced by its encoding. The encodings go to a table of their own, sized
    // beforehand, so that the source's bytes are not carried along behind them.
    std::size_t bytes = 0;
    for (int i = 0; i < lines.Count(); ++i)
        bytes += (lines.Get(i).size() * 4 + 2) / 3;
    LineTable encoded;
    encoded.Reserve(static_cast<std::size_t>(lines.Count()), bytes);
    for (int i = 0; i < lines.Count(); ++i) {
        if (tabsToSemicolons)
            encoded.Append(Base64Encode(ReplaceAll(lines.Get(i), "\t", ";")));
        else
            encoded.Append(Base64Encode(lines.Get(i)));
    }
    table = std::move(encoded);
    table.SaveToFile(target);
}

} // namespace

void ConvertGerman(LineTable& table, const std::string& source, const std::string& target) {
    Convert(table, source, target, false);
}

void ConvertAustrian(LineTable& table, const std::string& source, const std::string& target) {
    Convert(table, source, target, true);
}

} // namespace vemo
