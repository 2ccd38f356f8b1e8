// The number parse never fails on any bytes, and every formatted value parses back to the
// value of its digits.
#include "text/TextRoutines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vemo::LocaleSettings locale;
    locale.decimalSeparator = size > 0 && (data[0] & 1) ? ',' : '.';
    // "Kč" or "€" in Windows-1250.
    locale.currencySymbol = size > 0 && (data[0] & 2) ? "K\xE8" : "\x80";

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double parsed = vemo::ParseNumber(text, 0, locale);
    if (std::isnan(parsed) || std::isinf(parsed))
        std::abort();

    const double values[] = {parsed, [&] {
                                 double d = 0;
                                 if (size >= sizeof d)
                                     std::memcpy(&d, data + size - sizeof d, sizeof d);
                                 return d;
                             }()};
    for (const double value : values) {
        if (!std::isfinite(value))
            continue;
        const std::string written = vemo::FormatNumber(value, locale);
        const double back = vemo::ParseNumber(written, NAN, locale);
        if (std::isnan(back)) {
            // Only a value that rounds past the largest double cannot be read back.
            if (std::fabs(value) < 1.7e308)
                std::abort();
            continue;
        }
        if (std::fabs(back - value) > std::fabs(value) * 1e-9 + 1e-300 && back != 0)
            std::abort();
        if (vemo::FormatNumber(back, locale) != written && back != 0)
            std::abort();
    }
    return 0;
}
