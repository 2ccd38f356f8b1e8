#pragma once
// Bytes written as text over an alphabet of 2^k characters, and read back.
// Everything works on byte strings; Windows-1250 bytes pass through untouched.

#include <cstddef>
#include <string>
#include <string_view>

namespace vemo {

// Encodes data with bits bits per character of alphabet; pads with "=" to a multiple of block
// characters (0: no padding).
std::string EncodeBaseX(std::string_view data, std::string_view alphabet, int bits, int block);
// Decodes text; reading stops at the first byte outside the alphabet, leftover bits are dropped.
std::string DecodeBaseX(std::string_view text, std::string_view alphabet, int bits);

// Standard Base64 without padding.
std::string Base64Encode(std::string_view data);
// Standard Base64; stops at the first byte outside the 64 characters ("=", CR, blank, ...).
std::string Base64Decode(std::string_view text);

// Decodes Base64 a byte at a time, for readers that need only the start of a line.
// Yields exactly the bytes of Base64Decode(text), in order.
class Base64Reader {
public:
    explicit Base64Reader(std::string_view text) : text_(text) {}
    // Next decoded byte, or -1 at the end.
    int Next();

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    unsigned acc_ = 0;
    int bits_ = 0;
};

} // namespace vemo
