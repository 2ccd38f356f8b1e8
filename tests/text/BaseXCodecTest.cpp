#include "text/BaseXCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace vemo;

namespace {

const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string RandomBytes(std::mt19937& rng, std::size_t n) {
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng() & 0xFF);
    return s;
}

std::string ReadAll(std::string_view text) {
    Base64Reader reader(text);
    std::string out;
    for (int b; (b = reader.Next()) >= 0;)
        out += static_cast<char>(b);
    return out;
}

} // namespace

TEST(Base64EncodeTest, Examples) {
    const struct {
        std::string bytes, text;
    } cases[] = {
        {"abc", "YWJj"}, {"ab", "YWI"}, {"a", "YQ"}, {"", ""}, {"\x4B\xE8", "S+g"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Base64Encode(c.bytes), c.text) << c.bytes;
}

TEST(Base64DecodeTest, Examples) {
    const struct {
        std::string text, bytes;
    } cases[] = {
        {"YWJj", "abc"}, {"YWI", "ab"},     {"YWI=", "ab"},  {"YWJj\r\n", "abc"},
        {"YW Jj", "a"},  {"YR", "a"},       {"Y", ""},       {"=YWJj", ""},
        {"", ""},        {"YWJj==", "abc"}, {"YW\nJj", "a"}, {"YW-Jj", "a"},
        {"YW_Jj", "a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Base64Decode(c.text), c.bytes) << c.text;
        EXPECT_EQ(ReadAll(c.text), c.bytes) << c.text;
    }
}

TEST(EncodeBaseXTest, PadsToTheBlockOnlyWhenAsked) {
    EXPECT_EQ(EncodeBaseX("ab", kAlphabet, 6, 4), "YWI=");
    EXPECT_EQ(EncodeBaseX("a", kAlphabet, 6, 4), "YQ==");
    EXPECT_EQ(EncodeBaseX("abc", kAlphabet, 6, 4), "YWJj");
    EXPECT_EQ(EncodeBaseX("ab", kAlphabet, 6, 0), "YWI");
}

TEST(Base64Test, EveryLengthRoundTripsWithoutPadding) {
    // State: random bytes of every length up to 200, high bytes included.
    std::mt19937 rng(1250);
    for (std::size_t n = 0; n <= 200; ++n) {
        const std::string bytes = RandomBytes(rng, n);
        // Action
        const std::string text = Base64Encode(bytes);
        // Expected: ceil(8n/6) characters, never "=", and the bytes back from every decoder.
        EXPECT_EQ(text.size(), (n * 8 + 5) / 6);
        EXPECT_EQ(text.find('='), std::string::npos);
        EXPECT_EQ(Base64Decode(text), bytes) << n;
        EXPECT_EQ(DecodeBaseX(text, kAlphabet, 6), bytes) << n;
        EXPECT_EQ(ReadAll(text), bytes) << n;
        EXPECT_EQ(Base64Decode(text + "=="), bytes);
        EXPECT_EQ(Base64Decode(text + "\r\n"), bytes);
    }
}

TEST(Base64Test, AllByteValuesRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
}

TEST(Base64DecodeTest, AForeignByteAtEveryPositionCutsTheDecodeThere) {
    // State: a valid line; every byte outside the alphabet, put at every position.
    std::mt19937 rng(7);
    const std::string text = Base64Encode(RandomBytes(rng, 40));
    for (int foreign = 0; foreign < 256; ++foreign) {
        if (kAlphabet.find(static_cast<char>(foreign)) != std::string::npos)
            continue;
        for (std::size_t pos = 0; pos <= text.size(); ++pos) {
            std::string corrupt = text;
            corrupt.insert(pos, 1, static_cast<char>(foreign));
            // Expected: exactly what the part before it decodes to, from every decoder.
            const std::string expected = DecodeBaseX(text.substr(0, pos), kAlphabet, 6);
            ASSERT_EQ(Base64Decode(corrupt), expected) << foreign << " at " << pos;
            ASSERT_EQ(ReadAll(corrupt), expected) << foreign << " at " << pos;
        }
    }
}

TEST(BaseXTest, EveryWidthRoundTrips) {
    std::mt19937 rng(3);
    const std::string alphabet128 = [] {
        std::string a;
        for (int i = 0; i < 128; ++i)
            a += static_cast<char>(i + 1);
        return a;
    }();
    for (int bits = 1; bits <= 7; ++bits) {
        const std::string alphabet = alphabet128.substr(0, std::size_t{1} << bits);
        for (std::size_t n = 0; n < 20; ++n) {
            const std::string bytes = RandomBytes(rng, n);
            const std::string text = EncodeBaseX(bytes, alphabet, bits, 0);
            EXPECT_EQ(text.size(), (n * 8 + bits - 1) / bits);
            EXPECT_EQ(DecodeBaseX(text, alphabet, bits), bytes) << bits << " bits, " << n;
        }
    }
}

TEST(DecodeBaseXTest, LaterPositionOfARepeatedByteCounts) {
    // "A" stands at 0 and 2 of a four-character 2-bit alphabet: it decodes as 2.
    EXPECT_EQ(DecodeBaseX("AAAA", "ABAC", 2), std::string("\xAA"));
}
