#include "data/rules/Tariff.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using testrows::DecimalComma;

struct RateCase {
    const char* name;
    int category;
    int axles;
    const char* rate; // nullptr: none
};

class GermanRateTest : public testing::TestWithParam<RateCase> {};

TEST_P(GermanRateTest, FollowsCategoryAndAxles) {
    const auto rate = vemo::BuiltInTariff().Rate({GetParam().category, 0, GetParam().axles});
    EXPECT_EQ(rate ? rate->Text(',') : "none", GetParam().rate ? GetParam().rate : "none");
}

INSTANTIATE_TEST_SUITE_P(
    Table, GermanRateTest,
    testing::Values(RateCase{"AOneAxle", 0, 1, "0,09"}, RateCase{"AThreeAxles", 0, 3, "0,09"},
                    RateCase{"AFourAxles", 0, 4, "0,1"}, RateCase{"AFiveAxles", 0, 5, "0,1"},
                    RateCase{"BThreeAxles", 1, 3, "0,11"}, RateCase{"BFourAxles", 1, 4, "0,12"},
                    RateCase{"CThreeAxles", 2, 3, "0,13"},
                    RateCase{"CEighteenAxles", 2, 18, "0,14"},
                    RateCase{"NoCategory", -1, 3, nullptr},
                    RateCase{"PastTheLastCategory", 3, 3, nullptr}),
    testrows::ByName());

struct TextCase {
    const char* name;
    int category;
    std::optional<std::string> german;
    std::optional<std::string> austrian;
};

class CategoryTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(CategoryTextTest, BothTabs) {
    const auto german = vemo::BuiltInTariff().Description(GetParam().category);
    const auto austrian = vemo::AustrianCategoryText(GetParam().category);
    EXPECT_EQ(german ? std::optional<std::string>(*german) : std::nullopt, GetParam().german);
    EXPECT_EQ(austrian ? std::optional<std::string>(*austrian) : std::nullopt, GetParam().austrian);
}

INSTANTIATE_TEST_SUITE_P(Table, CategoryTextTest,
                         testing::Values(TextCase{"A", 0,
                                                  "T\xF8\xED"
                                                  "dy \x9A"
                                                  "kodlivin S4, S5 a EEV t\xF8\xED"
                                                  "dy 1, EURO-4,5",
                                                  "2 n\xE1pravy"},
                                         TextCase{"B", 1, "EURO-2, EURO-3 (S2,S3)", "3 n\xE1pravy"},
                                         TextCase{"C", 2, "EURO-0, EURO-1 (S1)", "4 n\xE1pravy"},
                                         TextCase{"NoCategory", -1, std::nullopt, std::nullopt},
                                         TextCase{"PastTheLastCategory", 3, std::nullopt,
                                                  std::nullopt}),
                         testrows::ByName());

} // namespace
