// The user's locale as the data layer takes it: the comparison of the sorted lists and selectors,
// and the number settings.
#include "data/rules/LocaleCollation.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(LocaleCollationTest, CzechLettersAndCase) {
    const auto czech = vemo::LocaleCollation(QLocale("cs_CZ"));
    EXPECT_EQ(czech("A1", "a1"), 0);
    EXPECT_EQ(czech("\xC8"
                    "esk\xE1",
                    "\xE8"
                    "esk\xE1"),
              0);                     // Česká / česká
    EXPECT_LT(czech("c", "\xE8"), 0); // c before č
    EXPECT_LT(czech("\xE8", "d"), 0); // č before d
    EXPECT_NE(czech("c", "\xE8"), 0);
}

TEST(LocaleNumberSettingsTest, CzechLocale) {
    const vemo::LocaleSettings czech = vemo::LocaleNumberSettings(QLocale("cs_CZ"));
    EXPECT_EQ(czech.decimalSeparator, ',');
    EXPECT_EQ(czech.currencySymbol, "K\xE8"); // "Kč"
    EXPECT_EQ(czech.upper['a'], 'A');
    EXPECT_EQ(czech.upper[0xE8], 0xC8); // č -> Č
    EXPECT_EQ(czech.upper[0x9A], 0x8A); // š -> Š
    EXPECT_EQ(czech.upper[0xDF], 0xDF); // ß has no single upper-case letter
    EXPECT_EQ(czech.upper['1'], '1');

    const vemo::LocaleSettings english = vemo::LocaleNumberSettings(QLocale("en_US"));
    EXPECT_EQ(english.decimalSeparator, '.');
    EXPECT_EQ(english.currencySymbol, "$");
}

} // namespace
