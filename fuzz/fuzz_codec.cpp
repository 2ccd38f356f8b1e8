// Base64 both ways on arbitrary bytes: every decoder agrees, and encoding round-trips.
#include "text/BaseXCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string>

static const std::string kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::string encoded = vemo::Base64Encode(input);
    if (vemo::Base64Decode(encoded) != input)
        std::abort();

    const std::string decoded = vemo::Base64Decode(input);
    if (decoded != vemo::DecodeBaseX(input, kAlphabet, 6))
        std::abort();
    vemo::Base64Reader reader(input);
    std::string streamed;
    for (int b; (b = reader.Next()) >= 0;)
        streamed += static_cast<char>(b);
    if (streamed != decoded)
        std::abort();

    if (size > 0) {
        const int bits = 1 + data[0] % 6; // the alphabet holds 64 characters
        const std::string alphabet = kAlphabet.substr(0, std::size_t{1} << bits);
        if (vemo::DecodeBaseX(vemo::EncodeBaseX(input, alphabet, bits, data[0] % 5), alphabet,
                              bits) != input)
            std::abort();
    }
    return 0;
}
