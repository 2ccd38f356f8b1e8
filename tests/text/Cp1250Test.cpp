#include "text/Cp1250.h"

#include <gtest/gtest.h>

using namespace vemo;

TEST(Cp1250Test, EveryByteSurvivesTheRoundTripThroughUnicode) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        EXPECT_EQ(UnicodeToCp1250(Cp1250ToUnicode(static_cast<unsigned char>(b))), b);
    }
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(Cp1250Test, CzechAndGermanLetters) {
    EXPECT_EQ(Cp1250ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Cp1250ToUtf8("v\xFDpo\xE8"
                           "et m\xFDtn\xE9ho"),
              "výpočet mýtného");
    EXPECT_EQ(Utf8ToCp1250("Nelze vytvořit"), "Nelze vytvo\xF8it");
    EXPECT_EQ(Utf8ToCp1250("Würzburg-Heidingsfeld, Gießen"), "W\xFCrzburg-Heidingsfeld, Gie\xDF"
                                                             "en");
}

TEST(Cp1250Test, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(UnicodeToCp1250(U'\u4E2D'), std::nullopt);
    EXPECT_EQ(UnicodeToCp1250(U'\u20AC'), 0x80);
    EXPECT_EQ(Utf8ToCp1250("\u00E6\u4E2D"), "??");
    EXPECT_EQ(Utf8ToCp1250("a\xFF"
                           "b"),
              "a?b");                          // malformed UTF-8
    EXPECT_EQ(Utf8ToCp1250("\xE2\x82"), "??"); // cut short
}
