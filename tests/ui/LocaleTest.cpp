// The user's regional settings as the core sees them: single Windows-1250 bytes.
#include "ui/PlatformLocale.h"

#include <gtest/gtest.h>

namespace {

unsigned char Upper(const vemo::ui::UiLocale& locale, unsigned char byte) {
    return locale.numbers.upper[byte];
}

TEST(UiLocaleForTest, CzechSeparatorsAndCurrency) {
    const vemo::ui::UiLocale czech =
        vemo::ui::UiLocaleFor(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(czech.numbers.decimalSeparator, ',');
    EXPECT_EQ(czech.decimalSeparator, QChar(u','));
    EXPECT_EQ(czech.numbers.currencySymbol, std::string("K\xE8"));
    EXPECT_FALSE(czech.groupSeparator.isEmpty());
    EXPECT_EQ(czech.locale.language(), QLocale::Czech);
}

TEST(UiLocaleForTest, EnglishAndGerman) {
    const vemo::ui::UiLocale english =
        vemo::ui::UiLocaleFor(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.numbers.decimalSeparator, '.');
    EXPECT_EQ(english.groupSeparator, QStringLiteral(","));
    EXPECT_EQ(english.numbers.currencySymbol, "$");

    const vemo::ui::UiLocale german =
        vemo::ui::UiLocaleFor(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.numbers.decimalSeparator, ',');
    EXPECT_EQ(german.numbers.currencySymbol, std::string("\x80"));
}

TEST(UiLocaleForTest, UpperCasingStaysInTheCodePage) {
    const vemo::ui::UiLocale czech =
        vemo::ui::UiLocaleFor(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    struct Case {
        unsigned char lower;
        unsigned char upper;
    };
    const Case cases[] = {
        {'a', 'A'},   {'z', 'Z'}, {'A', 'A'}, {'5', '5'}, {';', ';'}, {0xE8, 0xC8}, // č Č
        {0x9A, 0x8A},                                                               // š Š
        {0x9E, 0x8E},                                                               // ž Ž
        {0xF8, 0xD8},                                                               // ř Ř
        {0xF9, 0xD9},                                                               // ů Ů
        {0xB3, 0xA3},                                                               // ł Ł
        {0xDF, 0xDF}, // ß has no single capital
        {0x80, 0x80}, // €
        {0x00, 0x00},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Upper(czech, c.lower), c.upper) << int(c.lower);
    }
}

} // namespace
