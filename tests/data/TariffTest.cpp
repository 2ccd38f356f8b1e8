#include "Tariff.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

vemo::LocaleSettings DecimalComma() {
    vemo::LocaleSettings locale;
    locale.decimalSeparator = ',';
    return locale;
}

std::string Name(const char* name) {
    return name;
}

struct RateCase {
    const char* name;
    int category;
    int axles;
    std::optional<double> rate;
};

class GermanRateTest : public testing::TestWithParam<RateCase> {};

TEST_P(GermanRateTest, FollowsCategoryAndAxles) {
    EXPECT_EQ(vemo::GermanRate(GetParam().category, GetParam().axles), GetParam().rate);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GermanRateTest,
    testing::Values(RateCase{"AOneAxle", 0, 1, 0.09}, RateCase{"AThreeAxles", 0, 3, 0.09},
                    RateCase{"AFourAxles", 0, 4, 0.10}, RateCase{"AFiveAxles", 0, 5, 0.10},
                    RateCase{"BThreeAxles", 1, 3, 0.11}, RateCase{"BFourAxles", 1, 4, 0.12},
                    RateCase{"CThreeAxles", 2, 3, 0.13}, RateCase{"CEighteenAxles", 2, 18, 0.14},
                    RateCase{"NoCategory", -1, 3, std::nullopt},
                    RateCase{"PastTheLastCategory", 3, 3, std::nullopt}),
    [](const auto& info) { return Name(info.param.name); });

struct TextCase {
    const char* name;
    int category;
    std::optional<std::string> german;
    std::optional<std::string> austrian;
};

class CategoryTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(CategoryTextTest, BothTabs) {
    const auto german = vemo::GermanCategoryText(GetParam().category);
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
                         [](const auto& info) { return Name(info.param.name); });

struct KeyCase {
    const char* name;
    std::string selector;
    std::string key;
};

class GermanMotorwayKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(GermanMotorwayKeyTest, DropsTheFirstCharacter) {
    EXPECT_EQ(vemo::GermanMotorwayKey(GetParam().selector), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Selectors, GermanMotorwayKeyTest,
    testing::Values(KeyCase{"Prefixed", "A3", "3"}, KeyCase{"TwoDigits", "A10", "10"},
                    KeyCase{"PrefixOnly", "A", ""}, KeyCase{"Empty", "", ""},
                    KeyCase{"TypedWithoutPrefix", "31", "1"},
                    KeyCase{"IndexEntry", std::string(vemo::kGermanMotorwayPrefix) + "45", "45"}),
    [](const auto& info) { return Name(info.param.name); });

struct LengthCase {
    const char* name;
    std::string entry;
    double km;
};

class SectionLengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(SectionLengthTest, ReadsBehindTheFirstSemicolon) {
    EXPECT_EQ(vemo::SectionLength(GetParam().entry, DecimalComma()), GetParam().km);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SectionLengthTest,
    testing::Values(LengthCase{"Decimal", "(AS) K\xF6ln : (AK) Bonn;12,5", 12.5},
                    LengthCase{"Whole", "(AS) a : (AK) b;7", 7},
                    LengthCase{"NoSemicolon", "(AS) a : (AK) b", 0},
                    LengthCase{"NothingBehind", "(AS) a : (AK) b;", 0},
                    LengthCase{"NoNumber", "(AS) a : (AK) b;x", 0},
                    LengthCase{"PointIsNoSeparatorHere", "a;12.5", 0},
                    LengthCase{"SecondSemicolonStaysInTheText", "a;1;2", 0},
                    LengthCase{"TwoHundredCharacters", "a;" + std::string(198, '0') + "12", 12},
                    LengthCase{"CutAfterTwoHundred", "a;" + std::string(199, '0') + "12", 1}),
    [](const auto& info) { return Name(info.param.name); });

struct AmountCase {
    const char* name;
    std::string entry;
    int category;
    double amount;
};

class CategoryAmountTest : public testing::TestWithParam<AmountCase> {};

TEST_P(CategoryAmountTest, ReadsTheCategorysShare) {
    EXPECT_EQ(vemo::CategoryAmount(GetParam().entry, GetParam().category, DecimalComma()),
              GetParam().amount);
}

const std::string kEntry = "A1-Wien : West/AS/Linz : 3,5/5,2/7,1";
const std::string kLongThird = "a : 1/2/" + std::string(99, '0') + "55";

INSTANTIATE_TEST_SUITE_P(
    Entries, CategoryAmountTest,
    testing::Values(AmountCase{"First", "a : 3,5/5,2/7,1", 0, 3.5},
                    AmountCase{"Second", "a : 3,5/5,2/7,1", 1, 5.2},
                    AmountCase{"Third", "a : 3,5/5,2/7,1", 2, 7.1},
                    AmountCase{"NoCategory", "a : 3,5/5,2/7,1", -1, 0},
                    AmountCase{"PastTheLastCategory", "a : 3,5/5,2/7,1", 3, 0},
                    AmountCase{"FirstColonCounts", kEntry, 0, 0},
                    AmountCase{"FirstColonCountsSecond", kEntry, 1, 0},
                    AmountCase{"NoColonTakesTheWholeEntry", "1/2/3", 1, 2},
                    AmountCase{"ThirdAfterFurtherSlashes", "a : 1/2/3/4", 2, 0},
                    AmountCase{"OnlyOneAmountFirst", "a : 4", 0, 4},
                    AmountCase{"OnlyOneAmountSecond", "a : 4", 1, 0},
                    AmountCase{"OnlyOneAmountThird", "a : 4", 2, 0},
                    AmountCase{"TwoAmountsSecond", "a : 4/5", 1, 5},
                    AmountCase{"TwoAmountsThird", "a : 4/5", 2, 0},
                    AmountCase{"NoNumber", "a : x/y/z", 1, 0},
                    AmountCase{"ThirdCutAfterHundred", kLongThird, 2, 5},
                    AmountCase{"ThirdWithinHundred", "a : 1/2/" + std::string(98, '0') + "55", 2,
                               55}),
    [](const auto& info) { return Name(info.param.name); });

struct ReadCase {
    const char* name;
    std::string caption;
    double total;
};

class ReadRunningTotalTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRunningTotalTest, ReadsBeforeTheFirstBlank) {
    EXPECT_EQ(vemo::ReadRunningTotal(GetParam().caption, DecimalComma()), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(Captions, ReadRunningTotalTest,
                         testing::Values(ReadCase{"Km", "12,5 km", 12.5},
                                         ReadCase{"Euro", "-1,95 \x80", -1.95},
                                         ReadCase{"Start", "0 km", 0}, ReadCase{"Empty", "", 0},
                                         ReadCase{"NoBlank", "12,5", 0},
                                         ReadCase{"NoNumber", "x km", 0},
                                         ReadCase{"LeadingBlank", " 12,5 km", 0}),
                         [](const auto& info) { return Name(info.param.name); });

// A sequence of steps on one caption, as the route buttons make them.
struct StepsCase {
    const char* name;
    std::string start;
    std::string_view unit;
    std::vector<double> deltas;
    std::vector<std::string> captions; // after each step
};

class RunningTotalStepTest : public testing::TestWithParam<StepsCase> {};

TEST_P(RunningTotalStepTest, WritesEachStep) {
    std::string caption = GetParam().start;
    std::vector<std::string> captions;
    for (const double delta : GetParam().deltas) {
        caption = vemo::RunningTotalStep(caption, delta, GetParam().unit, DecimalComma());
        captions.push_back(caption);
    }
    EXPECT_EQ(captions, GetParam().captions);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, RunningTotalStepTest,
    testing::Values(
        // The German tab's example: two sections of 12,5 and 7 km added, the 7 km removed.
        StepsCase{"GermanExample",
                  "0 km",
                  vemo::kKmUnit,
                  {12.5, 7, -7},
                  {"12,5 km", "19,5 km", "12,5 km"}},
        // The Austrian tab's example: B amounts added, one removed under B, one under C.
        StepsCase{"AustrianExample",
                  "",
                  vemo::kEuroUnit,
                  {5.2, 4.1, -5.2, -6.05},
                  {"5,2 \x80", "9,3 \x80", "4,1 \x80", "-1,95 \x80"}},
        StepsCase{"TenthsAddUp",
                  "",
                  vemo::kEuroUnit,
                  {0.1, 0.2, -0.1, -0.2},
                  {"0,1 \x80", "0,3 \x80", "0,2 \x80", "0 \x80"}},
        StepsCase{
            "ThreeDecimalsInFull", "", vemo::kEuroUnit, {1.125, 2}, {"1,125 \x80", "3,125 \x80"}},
        StepsCase{"NoCategoryCountsZero", "", vemo::kEuroUnit, {0}, {"0 \x80"}},
        StepsCase{"UnreadableCaptionStartsAtZero", "abc", vemo::kKmUnit, {2}, {"2 km"}},
        StepsCase{"TenSignificantDigits",
                  "0 km",
                  vemo::kKmUnit,
                  {1234567.891234, 0.000001},
                  {"1234567,891 km", "1234567,891 km"}}),
    [](const auto& info) { return Name(info.param.name); });

struct TollCase {
    const char* name;
    std::string km;
    int category;
    int axles;
    std::string toll;
};

class GermanTollTest : public testing::TestWithParam<TollCase> {};

TEST_P(GermanTollTest, KilometresTimesRate) {
    const double rate = vemo::GermanRate(GetParam().category, GetParam().axles).value_or(0);
    EXPECT_EQ(vemo::GermanTollCaption(GetParam().km, rate, DecimalComma()), GetParam().toll);
}

INSTANTIATE_TEST_SUITE_P(
    Tolls, GermanTollTest,
    testing::Values(TollCase{"NoCategoryYet", "19,5 km", -1, 3, "0 \x80"},
                    TollCase{"ExampleCategoryB", "19,5 km", 1, 3, "2,145 \x80"},
                    TollCase{"ExampleFourAxles", "19,5 km", 1, 4, "2,34 \x80"},
                    TollCase{"ExampleAfterRemoval", "12,5 km", 1, 4, "1,5 \x80"},
                    TollCase{"FourDecimalsInFull", "123,45 km", 2, 3, "16,0485 \x80"},
                    TollCase{"EmptyRoute", "", 0, 3, "0 \x80"}),
    [](const auto& info) { return Name(info.param.name); });

} // namespace
