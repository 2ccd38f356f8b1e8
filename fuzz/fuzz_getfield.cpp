// GetField against the plain reading of its rules: count by deleting the first separator again
// and again, then walk the fields.
#include "text/TextRoutines.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Reference(std::string text, const std::string& separator, int index) {
    if (text.empty())
        return {};
    std::size_t count = 1;
    if (!separator.empty()) {
        std::string copy = text;
        for (std::size_t pos; (pos = copy.find(separator)) != std::string::npos;) {
            copy.erase(pos, separator.size());
            ++count;
        }
    }
    if (index <= 0 || static_cast<std::size_t>(index) > count)
        return {};
    std::string rest = text, field;
    for (int i = 1; i <= index; ++i) {
        if (rest.empty())
            return {};
        const std::size_t pos = separator.empty() ? std::string::npos : rest.find(separator);
        if (pos == std::string::npos) {
            field = rest;
        } else {
            field = rest.substr(0, pos);
            rest.erase(0, pos + separator.size());
        }
    }
    return field;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 512)
        return 0;
    const int index = static_cast<int8_t>(data[0]) % 20;
    const std::size_t sepLength = data[1] % 4;
    if (size < 2 + sepLength)
        return 0;
    const std::string separator(reinterpret_cast<const char*>(data + 2), sepLength);
    const std::string text(reinterpret_cast<const char*>(data + 2 + sepLength),
                           size - 2 - sepLength);
    if (vemo::GetField(text, separator, index) != Reference(text, separator, index))
        std::abort();
    return 0;
}
