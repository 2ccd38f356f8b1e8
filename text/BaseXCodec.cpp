#include "text/BaseXCodec.h"

#include <array>
#include <cstdint>

namespace vemo {
namespace {

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// mask[n] keeps the low n bits of the accumulator.
constexpr std::array<std::uint16_t, 17> kMask = {0x0000, 0x0001, 0x0003, 0x0007, 0x000F, 0x001F,
                                                 0x003F, 0x007F, 0x00FF, 0x01FF, 0x03FF, 0x07FF,
                                                 0x0FFF, 0x1FFF, 0x3FFF, 0x7FFF, 0xFFFF};

// Entry of a byte: its 1-based position in the alphabet (the later one if it stands twice), 0 if
// it is not in it. Built per call, so decoding needs no shared state.
using DecodeTable = std::array<std::uint8_t, 256>;

DecodeTable BuildDecodeTable(std::string_view alphabet) {
    DecodeTable table{};
    for (std::size_t i = 0; i < alphabet.size() && i < 255; ++i)
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i + 1);
    return table;
}

// The Base64 table as values 0..63, 0xFF outside the alphabet: one test per group of four.
constexpr std::array<std::uint8_t, 256> kBase64Values = [] {
    std::array<std::uint8_t, 256> values{};
    for (auto& v : values)
        v = 0xFF;
    for (std::size_t i = 0; i < kBase64Alphabet.size(); ++i)
        values[static_cast<unsigned char>(kBase64Alphabet[i])] = static_cast<std::uint8_t>(i);
    return values;
}();

bool ValidAlphabet(std::string_view alphabet, int bits) {
    return bits >= 1 && bits <= 7 && alphabet.size() >= (std::size_t{1} << bits);
}

} // namespace

std::string EncodeBaseX(std::string_view data, std::string_view alphabet, int bits, int block) {
    if (!ValidAlphabet(alphabet, bits))
        return {};
    std::size_t length = (data.size() * 8 + bits - 1) / bits;
    if (block > 0 && length % block > 0)
        length += block - length % block;
    // Sized once; whatever the groups leave unwritten is the padding.
    std::string out(length, '=');
    std::size_t written = 0;
    std::uint32_t acc = 0;
    int pending = 0;
    for (const char c : data) {
        acc = (acc << 8) | static_cast<unsigned char>(c);
        pending += 8;
        while (pending >= bits) {
            pending -= bits;
            out[written++] = alphabet[acc >> pending];
            acc &= kMask[pending];
        }
    }
    if (pending > 0)
        out[written++] = alphabet[acc << (bits - pending)];
    return out;
}

std::string DecodeBaseX(std::string_view text, std::string_view alphabet, int bits) {
    if (!ValidAlphabet(alphabet, bits))
        return {};
    const DecodeTable table = BuildDecodeTable(alphabet);
    std::string out(text.size() * bits / 8, '\0');
    std::size_t written = 0;
    std::uint32_t acc = 0;
    int pending = 0;
    for (const char c : text) {
        const std::uint8_t entry = table[static_cast<unsigned char>(c)];
        if (entry == 0)
            break;
        acc = (acc << bits) | (entry - 1u);
        pending += bits;
        while (pending >= 8) {
            pending -= 8;
            out[written++] = static_cast<char>((acc >> pending) & 0xFF);
            acc &= kMask[pending];
        }
    }
    out.resize(written);
    return out;
}

std::string Base64Encode(std::string_view data) {
    return EncodeBaseX(data, kBase64Alphabet, 6, 0);
}

std::string Base64Decode(std::string_view text) {
    // Same result as DecodeBaseX with the Base64 alphabet, four characters at a time.
    std::string out(text.size() * 6 / 8, '\0');
    char* o = out.data();
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const std::uint32_t a = kBase64Values[s[i]], b = kBase64Values[s[i + 1]],
                            c = kBase64Values[s[i + 2]], d = kBase64Values[s[i + 3]];
        if ((a | b | c | d) & 0x80)
            break;
        const std::uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
        o[0] = static_cast<char>(v >> 16);
        o[1] = static_cast<char>(v >> 8);
        o[2] = static_cast<char>(v);
        o += 3;
    }
    std::uint32_t acc = 0;
    int pending = 0;
    for (; i < n; ++i) {
        const std::uint32_t v = kBase64Values[s[i]];
        if (v & 0x80)
            break;
        acc = (acc << 6) | v;
        pending += 6;
        if (pending >= 8) {
            pending -= 8;
            *o++ = static_cast<char>(acc >> pending);
            acc &= kMask[pending];
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

int Base64Reader::Next() {
    // Four characters at a time while all of them belong to the alphabet; acc_ holds fewer
    // than 8 bits here, so 24 more still fit.
    if (bits_ < 8 && text_.size() - pos_ >= 4) {
        const auto* s = reinterpret_cast<const unsigned char*>(text_.data() + pos_);
        const std::uint32_t a = kBase64Values[s[0]], b = kBase64Values[s[1]],
                            c = kBase64Values[s[2]], d = kBase64Values[s[3]];
        if (((a | b | c | d) & 0x80) == 0) {
            acc_ = (acc_ << 24) | (a << 18) | (b << 12) | (c << 6) | d;
            bits_ += 24;
            pos_ += 4;
        }
    }
    while (bits_ < 8) {
        if (pos_ >= text_.size())
            return -1;
        const std::uint32_t v = kBase64Values[static_cast<unsigned char>(text_[pos_])];
        if (v & 0x80) {
            pos_ = text_.size();
            return -1;
        }
        ++pos_;
        acc_ = (acc_ << 6) | v;
        bits_ += 6;
    }
    bits_ -= 8;
    const int byte = static_cast<int>((acc_ >> bits_) & 0xFF);
    acc_ &= (1u << bits_) - 1u;
    return byte;
}

} // namespace vemo
