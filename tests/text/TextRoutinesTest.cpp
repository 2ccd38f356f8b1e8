#include "text/TextRoutines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>

using namespace vemo;

namespace {

// Windows-1250 upper-casing of the letters a Czech or German text uses.
LocaleSettings Czech() {
    LocaleSettings s;
    s.decimalSeparator = ',';
    s.currencySymbol = "K\xE8"; // Kč
    for (int b = 0xE0; b <= 0xFE; ++b)
        if (b != 0xF7)
            s.upper[b] = static_cast<unsigned char>(b - 0x20);
    s.upper[0x9A] = 0x8A; // š
    s.upper[0x9E] = 0x8E; // ž
    return s;
}

LocaleSettings English() {
    LocaleSettings s;
    s.currencySymbol = "$";
    return s;
}

constexpr double kDefault = -999.0;

} // namespace

TEST(GetFieldTest, Examples) {
    const struct {
        std::string text, separator;
        int index;
        std::string field;
    } cases[] = {
        {"a;b;c", ";", 1, "a"},
        {"a;b;c", ";", 3, "c"},
        {"a;b;c", ";", 4, ""},
        {"a;b;c", ";", 0, ""},
        {"", ";", 1, ""},
        {"abc", ";", 1, "abc"},
        {"abc", ";", 2, ""},
        {"a;;c", ";", 2, ""},
        {"a;;c", ";", 3, "c"},
        {";a", ";", 1, ""},
        {"a;b;", ";", 3, ""},
        {" a ; b ", ";", 2, " b "},
        {"a, b, c", ", ", 2, "b"},
        {"a;b", "", 1, "a;b"},
        {"a;b", "", 2, ""},
        {"a;b;c", ";", -1, ""},
        {"a;b;", ";", 4, ""},
        {"a;b", ";", 2, "b"},
        // Deleting "ab" from "aabb" joins a second one: three fields, the walk repeats the rest.
        {"aabb", "ab", 2, "b"},
        {"aabb", "ab", 3, "b"},
        {"aabb", "ab", 4, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetField(c.text, c.separator, c.index), c.field)
            << '"' << c.text << "\" sep \"" << c.separator << "\" #" << c.index;
        EXPECT_EQ(GetFieldView(c.text, c.separator, c.index), c.field);
    }
}

TEST(GetFieldTest, TwelveFieldRowWithHighBytes) {
    const std::string row = "9;12;AS;M\xFC"
                            "nchen-Nord;7;AK;Neufahrn;8,4;;x;y;\x80";
    EXPECT_EQ(GetField(row, ";", 4), "M\xFC"
                                     "nchen-Nord");
    EXPECT_EQ(GetField(row, ";", 8), "8,4");
    EXPECT_EQ(GetField(row, ";", 9), "");
    EXPECT_EQ(GetField(row, ";", 12), "\x80");
    EXPECT_EQ(GetField(row, ";", 13), "");
}

TEST(TrimTest, RemovesControlBytesAndBlanksOnly) {
    EXPECT_EQ(Trim(" \t3\r\n"), "3");
    EXPECT_EQ(Trim("\x01\x20"), "");
    EXPECT_EQ(Trim("\xA0"
                   "3\xA0"),
              "\xA0"
              "3\xA0"); // non-breaking space is a letter here
    EXPECT_EQ(Trim("a b"), "a b");
}

TEST(ParseNumberTest, CzechExamples) {
    const LocaleSettings cz = Czech();
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"12,5", 12.5},
        {"12.5", kDefault},
        {"1 234,5", 1234.5},
        {"-0,75", -0.75},
        {",5", 0.5},
        {"5,", 5},
        {"1,5E3", 1500},
        {"1E-5", 0.00001},
        {"12,50 K\xE8", 12.5},
        {"12,50 K\xC8", 12.5},
        {"12,50 k\xE8", 12.5},
        {"K\xE8"
         "5K\xE8",
         kDefault},
        {"", kDefault},
        {"-", kDefault},
        {"abc", kDefault},
        {"1,2,3", kDefault},
        {"1\xA0"
         "234,5",
         kDefault},
        {",", 0},
        {"1E", 1},
        {"1e+", 1},
        {"+7", 7},
        {"  42  ", 42},
        {"4\t2", kDefault},
        {"1e5x", kDefault},
        {"1E400", kDefault},
        {"1E-400", 0},
        {"12 km", kDefault},
        {"0,00000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000001",
         0},
        {"K\xE8", kDefault},
        {"5 K\xE8 ", 5},
        {"--5", kDefault},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseNumber(c.text, kDefault, cz), c.value) << c.text;
}

TEST(ParseNumberTest, FollowsTheLocaleSeparator) {
    const LocaleSettings en = English();
    EXPECT_EQ(ParseNumber("12.5", kDefault, en), 12.5);
    EXPECT_EQ(ParseNumber("12,5", kDefault, en), kDefault);
    EXPECT_EQ(ParseNumber("$12.5", kDefault, en), 12.5);
    EXPECT_EQ(ParseNumber("1,234.5", kDefault, en), kDefault); // thousands separator is no blank
}

TEST(ParseNumberTest, OnlyFailureGivesTheDefault) {
    // A NaN default comes back only from a text that is no number.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(ParseNumber("x", nan, Czech())));
    EXPECT_EQ(ParseNumber("0", nan, Czech()), 0);
}

TEST(ParseNumberTest, ReadNumberTellsFailureApart) {
    const LocaleSettings cz = Czech();
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"0", 0.0},         {"-0,5", -0.5},      {"12,5", 12.5},         {"1e3", 1000.0},
        {"", std::nullopt}, {"x", std::nullopt}, {"12.5", std::nullopt}, {"1e999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadNumber(c.text, cz), c.value) << c.text;
}

TEST(FormatNumberTest, Examples) {
    const LocaleSettings cz = Czech();
    const struct {
        long double value;
        std::string text;
    } cases[] = {
        {12.5, "12,5"},
        {1234.567, "1234,567"},
        {0.1 + 0.2, "0,3"},
        {100, "100"},
        {0, "0"},
        {-0.0, "0"},
        {-3.75, "-3,75"},
        {2.0 / 3.0, "0,6666666667"},
        {123456.789012345, "123456,789"},
        {9999999999.0, "9999999999"},
        {9999999999.5, "1E10"},
        {12345678901.0, "1,23456789E10"},
        {0.0001, "0,0001"},
        {0.00009999, "9,999E-5"},
        {0.00001, "1E-5"},
        {99.99999999999, "100"},
        {1e10, "1E10"},
        {-1.5e-7, "-1,5E-7"},
        {1e100, "1E100"},
        {123.45L * 0.13L, "16,0485"},
        {19.5L * 0.11L, "2,145"},
        {12.5L * 0.09L, "1,125"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, cz), c.text) << static_cast<double>(c.value);
    EXPECT_EQ(FormatNumber(12.5, English()), "12.5");
}

TEST(FormatNumberTest, EveryTextReadsBackToTheValueOfItsDigits) {
    // State: doubles spread over many magnitudes, sums of two of them among them.
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 14);
    const LocaleSettings cz = Czech();
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(rng) * std::pow(10.0, exponent(rng));
        // Action
        const std::string text = FormatNumber(value, cz);
        const double back = ParseNumber(text, kDefault, cz);
        // Expected: the parse reads it, within the 10 digits the format keeps, and writing it
        // again gives the same text.
        ASSERT_NE(back, kDefault) << text;
        ASSERT_NEAR(back, value, std::fabs(value) * 1e-9) << text;
        ASSERT_EQ(FormatNumber(back, cz), text);
    }
}

TEST(ReplaceAllTest, Examples) {
    const struct {
        std::string text, oldText, newText, result;
    } cases[] = {
        {"a\tb\tc", "\t", ";", "a;b;c"},
        {"\t\t\t", "\t", ";", ";;;"},
        {"no tabs", "\t", ";", "no tabs"},
        {"abc", "", "x", "abc"},
        {"xax", "a", "a", "xax"},
        {"aa", "a", "ba", "baa"},
        {"abcabc", "bc", "X", "aXaX"},
        {"", "\t", ";", ""},
        // Would never end if searched again from the start: stops after the first replacement.
        {"a", "a", "ab", "ab"},
        {"x;y;z", ";", "; ", "x; y;z"},
        // An occurrence formed across the deletion point begins at P and ends the loop.
        {"aabb", "ab", "", "ab"},
        {"aaa", "a", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.oldText, c.newText), c.result)
            << c.text << " / " << c.oldText << " -> " << c.newText;
}
