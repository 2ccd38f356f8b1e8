#include "data/Conversion.h"

#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

namespace vemo {

namespace {

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

void ConvertGerman(LineTable& table, const std::string& source, const std::string& target) {
    Convert(table, source, target, false);
}

void ConvertAustrian(LineTable& table, const std::string& source, const std::string& target) {
    Convert(table, source, target, true);
}

} // namespace vemo
