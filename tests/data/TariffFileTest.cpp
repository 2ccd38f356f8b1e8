#include "data/rules/TariffFile.h"

#include "data/store/Errors.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WorkingDir;
using testfiles::WriteFile;
using testrows::kBuiltInTariffSource;
using testrows::kFourColumnTariffSource;

namespace {

// Source lines written in UTF-8 here, in Windows-1250 as the parse gets them.
std::vector<std::string> Cp1250Lines(const std::vector<std::string>& utf8) {
    std::vector<std::string> lines;
    for (const std::string& line : utf8)
        lines.push_back(vemo::Utf8ToCp1250(line));
    return lines;
}

std::string Utf8(const std::string& cp1250) {
    return vemo::Cp1250ToUtf8(cp1250);
}

TEST(TariffFileTest, BuiltInTableIsItsOwnSource) {
    const auto tariffs = vemo::ParseTariffs(Cp1250Lines(kBuiltInTariffSource), "sazby.csv");
    ASSERT_EQ(tariffs.size(), 1u);
    const vemo::GermanTariff& parsed = tariffs[0];
    const vemo::GermanTariff& builtIn = vemo::BuiltInTariff();
    EXPECT_EQ(parsed.validFrom, builtIn.validFrom);
    EXPECT_EQ(parsed.title, builtIn.title);
    EXPECT_EQ(parsed.axleColumns, builtIn.axleColumns);
    EXPECT_EQ(parsed.rateDecimals, builtIn.rateDecimals);
    ASSERT_EQ(parsed.categories.size(), builtIn.categories.size());
    for (std::size_t i = 0; i < parsed.categories.size(); ++i) {
        EXPECT_EQ(parsed.categories[i].name, builtIn.categories[i].name);
        EXPECT_EQ(parsed.categories[i].description, builtIn.categories[i].description);
        EXPECT_EQ(parsed.categories[i].rates, builtIn.categories[i].rates);
    }
    EXPECT_EQ(Utf8(builtIn.Label()), "Sazebník: vestavěný, platný od 1. 1. 2005");
    EXPECT_EQ(Utf8(parsed.Label()), "Sazebník: Mýtné 2005, platný od 1. 1. 2005");
}

struct RateCase {
    const char* name;
    const std::vector<std::string>* source;
    vemo::GermanVehicle vehicle;
    const char* rate; // nullptr: none
};

class TariffRateTest : public testing::TestWithParam<RateCase> {};

// The rate is the chosen class's column with the largest axle count not above the vehicle's,
// the class's first column below all of them.
TEST_P(TariffRateTest, ColumnOfTheClassByAxles) {
    const vemo::GermanTariff tariff =
        vemo::ParseTariffs(Cp1250Lines(*GetParam().source), "sazby.csv").at(0);
    const auto rate = tariff.Rate(GetParam().vehicle);
    EXPECT_EQ(rate ? rate->Text(',') : "none", GetParam().rate ? GetParam().rate : "none");
}

const auto* const kFour = &kFourColumnTariffSource;
const auto* const kClasses = &testrows::kWeightClassTariffSource;

INSTANTIATE_TEST_SUITE_P(
    Cases, TariffRateTest,
    testing::Values(RateCase{"BelowEveryCount", kFour, {3, 0, 1}, "0,1"},
                    RateCase{"FirstCount", kFour, {3, 0, 2}, "0,1"},
                    RateCase{"BetweenCounts", kFour, {3, 0, 4}, "0,348"},
                    RateCase{"AboveTheLastCount", kFour, {3, 0, 18}, "0,35"},
                    RateCase{"NoSuchCategory", kFour, {4, 0, 3}, nullptr},
                    RateCase{"NoCategory", kFour, {-1, 0, 3}, nullptr},
                    RateCase{"OneColumnClassAtAnyAxles", kClasses, {0, 0, 5}, "0,177"},
                    RateCase{"HeaviestUpToThreeAxles", kClasses, {0, 1, 3}, "0,303"},
                    RateCase{"HeaviestFourAxles", kClasses, {0, 1, 4}, "0,324"},
                    RateCase{"HeaviestFiveAxles", kClasses, {1, 1, 18}, "0,389"},
                    RateCase{"NoSuchClass", kClasses, {0, 2, 3}, nullptr},
                    RateCase{"NoClass", kClasses, {0, -1, 3}, nullptr}),
    testrows::ByName());

TEST(TariffFileTest, WeightClassesInFileOrder) {
    const vemo::GermanTariff tariff =
        vemo::ParseTariffs(Cp1250Lines(testrows::kWeightClassTariffSource), "sazby.csv").at(0);
    ASSERT_EQ(tariff.weightClasses.size(), 2u);
    EXPECT_EQ(Utf8(tariff.weightClasses[0].label), "7,5–12 t");
    EXPECT_EQ(tariff.weightClasses[1].columns, 3u);
    EXPECT_EQ(tariff.HeaviestClass(), 1);
    EXPECT_EQ(Utf8(tariff.AxleSteps()), "nad 18 t: sazba se mění od 4 a od 5 náprav");
    EXPECT_EQ(Utf8(vemo::BuiltInTariff().AxleSteps()), "sazba se mění od 4 náprav");
}

struct GoodCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::size_t> categories; // per tariff
    const char* firstRate;               // of the first tariff's first category
};

class GoodSourceTest : public testing::TestWithParam<GoodCase> {};

TEST_P(GoodSourceTest, Parses) {
    const auto tariffs = vemo::ParseTariffs(Cp1250Lines(GetParam().lines), "sazby.csv");
    std::vector<std::size_t> categories;
    for (const auto& tariff : tariffs)
        categories.push_back(tariff.categories.size());
    EXPECT_EQ(categories, GetParam().categories);
    EXPECT_EQ(tariffs.at(0).categories.at(0).rates.at(0).Text(','), GetParam().firstRate);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, GoodSourceTest,
    testing::Values(
        GoodCase{"DecimalPoint", {"Sazebník;1.1.2025;T", "Nápravy;1", "A;;0.25"}, {1}, "0,25"},
        GoodCase{"WholeNumberRate", {"Sazebník;1.1.2025;T", "Nápravy;1", "A;;1"}, {1}, "1"},
        GoodCase{"NineDecimals",
                 {"Sazebník;1.1.2025;T", "Nápravy;1", "A;;0,123456789"},
                 {1},
                 "0,123456789"},
        GoodCase{"OneWeightClassForAllColumns",
                 {"Sazebník;1.1.2025;T", "Nápravy;1;4", "Hmotnost;nad 18 t;nad 18 t", "A;;1;2"},
                 {1},
                 "1"},
        GoodCase{"SpreadsheetFillsEveryLine",
                 {"Sazebník;1.1.2025;T;;", "Nápravy;1;4;", ";;;;", "A;x;0,1;0,2;", "  "},
                 {1},
                 "0,1"},
        GoodCase{"BlanksAroundFields",
                 {" Sazebník ; 01. 01. 2025 ; T ", "Nápravy; 1 ; 2", "A ; x ; 0,5 ; 0,6"},
                 {1},
                 "0,5"},
        GoodCase{"SeveralTariffsAnyOrder",
                 {"Sazebník;1.1.2027;Later", "Nápravy;1", "A;;0,3", "B;;0,4", "",
                  "Sazebník;1.1.2025;Now", "Nápravy;1", "A;;0,2"},
                 {2, 1},
                 "0,3"}),
    testrows::ByName());

struct BadCase {
    const char* name;
    std::vector<std::string> lines;
    std::string message; // after "Chyba v souboru sazby.csv na řádku "
};

class BadSourceTest : public testing::TestWithParam<BadCase> {};

TEST_P(BadSourceTest, NamesTheLineAndTheFault) {
    try {
        vemo::ParseTariffs(Cp1250Lines(GetParam().lines), "sazby.csv");
        FAIL() << "parsed";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(Utf8(error.Message()), GetParam().message);
    }
}

const std::string kAt = "Chyba v souboru sazby.csv na řádku ";

INSTANTIATE_TEST_SUITE_P(
    Sources, BadSourceTest,
    testing::Values(BadCase{"Empty", {"", ";;"}, "Soubor sazby.csv neobsahuje žádný sazebník"},
                    BadCase{"LineBeforeTheFirstTariff",
                            {"", "Nápravy;1"},
                            kAt + "2: řádek před prvním řádkem Sazebník"},
                    BadCase{"TariffWithoutTitle",
                            {"Sazebník;1.1.2025"},
                            kAt + "1: řádek Sazebník má mít "
                                  "datum platnosti a název"},
                    BadCase{"DateNotADay",
                            {"Sazebník;31.2.2025;T"},
                            kAt + "1: datum „31.2.2025“ nelze přečíst (má být d.m.rrrr)"},
                    BadCase{"DateWithoutYear",
                            {"Sazebník;1.1.;T"},
                            kAt + "1: datum „1.1.“ nelze přečíst (má být d.m.rrrr)"},
                    BadCase{"TwoTariffsOfOneDay",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;;1", "Sazebník;1. 1. 2025;U"},
                            kAt + "4: dva sazebníky platné od 1. 1. 2025"},
                    BadCase{"MissingAxles",
                            {"Sazebník;1.1.2025;T", "A;;0,1"},
                            kAt + "2: chybí řádek Nápravy před kategorií „A“"},
                    BadCase{"MissingAxlesAndCategories",
                            {"Sazebník;1.1.2025;T"},
                            kAt + "1: sazebníku „T“ chybí řádek Nápravy"},
                    BadCase{"NoCategory",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "Sazebník;1.1.2026;U"},
                            kAt + "1: sazebník „T“ nemá žádnou kategorii"},
                    BadCase{"AxlesNotAscending",
                            {"Sazebník;1.1.2025;T", "Nápravy;2;2"},
                            kAt + "2: počty náprav nejdou vzestupně"},
                    BadCase{"AxlesBelowOne",
                            {"Sazebník;1.1.2025;T", "Nápravy;0;4"},
                            kAt + "2: počet náprav „0“ není celé číslo od 1"},
                    BadCase{"AxlesNotWhole",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;4,5"},
                            kAt + "2: počet náprav „4,5“ není celé číslo od 1"},
                    BadCase{"SecondAxleLine",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "Nápravy;2"},
                            kAt + "3: druhý řádek Nápravy v jednom sazebníku"},
                    BadCase{"FewerRatesThanColumns",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;4", "A;x;0,1"},
                            kAt + "3: kategorie „A“ má 1 sazbu, sloupců náprav je 2"},
                    BadCase{"MoreRatesThanColumns",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;x;0,1;0,2"},
                            kAt + "3: kategorie „A“ má 2 sazby, sloupců náprav je 1"},
                    BadCase{"RateWithTenDecimals",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;x;0,1234567891"},
                            kAt + "3: sazba „0,1234567891“ má víc než 9 desetinných míst"},
                    BadCase{"CategoryWithoutName",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", ";x;0,1"},
                            kAt + "3: kategorie nemá název"},
                    BadCase{"WeightsBeforeAxles",
                            {"Sazebník;1.1.2025;T", "Hmotnost;a", "Nápravy;1"},
                            kAt + "2: řádek Hmotnost musí stát hned za řádkem Nápravy"},
                    BadCase{"WeightsAfterACategory",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;x;0,1", "Hmotnost;a"},
                            kAt + "4: řádek Hmotnost musí stát hned za řádkem Nápravy"},
                    BadCase{"SecondWeightLine",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "Hmotnost;a", "Hmotnost;a"},
                            kAt + "4: řádek Hmotnost musí stát hned za řádkem Nápravy"},
                    BadCase{"WeightsForFewerColumns",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;4", "Hmotnost;a"},
                            kAt + "3: řádek Hmotnost má mít tolik hmotností, kolik je sloupců "
                                  "náprav (2)"},
                    BadCase{"EmptyWeight",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;1;1", "Hmotnost;a;;b"},
                            kAt + "3: hmotnost ve sloupci 2 je prázdná"},
                    BadCase{"WeightComesBack",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;1;1", "Hmotnost;a;b;a"},
                            kAt + "3: hmotnost „a“ se vrací po jiné hmotnosti"},
                    BadCase{"AxlesNotAscendingInAClass",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;4;4", "Hmotnost;a;b;b", "A;;1;2;3"},
                            kAt + "2: počty náprav ve třídě „b“ nejdou vzestupně"},
                    BadCase{"MissingRateInTheMiddle",
                            {"Sazebník;1.1.2025;T", "Nápravy;1;4;5", "A;x;0,1;;0,3"},
                            kAt + "3: sazbu „“ nelze přečíst"},
                    BadCase{"RateNotANumber",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;x;0,1 €"},
                            kAt + "3: sazbu „0,1 €“ nelze přečíst"},
                    BadCase{"NegativeRate",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;x;-0,1"},
                            kAt + "3: sazbu „-0,1“ nelze přečíst"},
                    BadCase{"CategoryTwice",
                            {"Sazebník;1.1.2025;T", "Nápravy;1", "A;x;0,1", "A;y;0,2"},
                            kAt + "4: kategorie „A“ je v sazebníku dvakrát"}),
    testrows::ByName());

// The tariff in force is the latest that has begun; later ones wait for their day.
TEST(TariffFileTest, TariffInForceByDate) {
    const auto tariffs = vemo::ParseTariffs(
        Cp1250Lines({"Sazebník;1.1.2027;Next", "Nápravy;1", "A;;0,3", "Sazebník;1.1.2005;Old",
                     "Nápravy;1", "A;;0,1", "Sazebník;1.7.2026;Now", "Nápravy;1", "A;;0,2"}),
        "sazby.sdf");
    struct Case {
        vemo::CalendarDate today;
        const char* title; // nullptr: none in force
    } const cases[] = {{{2004, 12, 31}, nullptr}, {{2005, 1, 1}, "Old"},   {{2026, 6, 30}, "Old"},
                       {{2026, 7, 1}, "Now"},     {{2026, 12, 31}, "Now"}, {{2027, 1, 1}, "Next"}};
    for (const Case& c : cases) {
        const std::string day = vemo::FormatDate(c.today);
        if (c.title) {
            EXPECT_EQ(vemo::TariffInForce(tariffs, c.today, "sazby.sdf").title, c.title) << day;
            continue;
        }
        try {
            vemo::TariffInForce(tariffs, c.today, "sazby.sdf");
            ADD_FAILURE() << day;
        } catch (const vemo::Error& error) {
            EXPECT_EQ(Utf8(error.Message()), "V souboru sazby.sdf neplatí k 31. 12. 2004 žádný "
                                             "sazebník (první platí od 1. 1. 2005)");
        }
    }
}

TEST(TariffFileTest, DatesAreDaysOfTheCalendar) {
    struct Case {
        const char* text;
        std::optional<vemo::CalendarDate> date;
    } const cases[] = {{"1.1.2005", vemo::CalendarDate{2005, 1, 1}},
                       {"08. 12. 2026", vemo::CalendarDate{2026, 12, 8}},
                       {"29.2.2028", vemo::CalendarDate{2028, 2, 29}},
                       {"29.2.2027", std::nullopt},
                       {"29.2.2100", std::nullopt},
                       {"31.4.2026", std::nullopt},
                       {"1.13.2026", std::nullopt},
                       {"0.1.2026", std::nullopt},
                       {"1.1.26", std::nullopt},
                       {"1/1/2026", std::nullopt},
                       {"1.1.2026.", std::nullopt},
                       {"", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(vemo::ParseDate(c.text), c.date) << c.text;
}

class TariffFileOnDisk : public testing::Test {
protected:
    ScratchDir dir_;
    WorkingDir cwd_{dir_.Path()};
};

// No file: the built-in tariff; a file: its tariffs.
TEST_F(TariffFileOnDisk, TariffsOfTheFileOrTheBuiltInOne) {
    const auto builtIn = vemo::ReadTariffsOrBuiltIn("sazby.sdf");
    ASSERT_EQ(builtIn.size(), 1u);
    EXPECT_TRUE(builtIn[0].builtIn);

    std::string file;
    for (const std::string& line : Cp1250Lines(kFourColumnTariffSource))
        file += vemo::Base64Encode(line) + "\r\n";
    WriteFile("sazby.sdf", file);
    const auto tariffs = vemo::ReadTariffsOrBuiltIn("sazby.sdf");
    ASSERT_EQ(tariffs.size(), 1u);
    EXPECT_FALSE(tariffs[0].builtIn);
    EXPECT_EQ(tariffs[0].categories.size(), 4u);
}

// The conversion writes only a source that the calculator would take today.
TEST_F(TariffFileOnDisk, ConvertWritesNothingForABadSource) {
    WriteFile("sazby.sdf", "old");
    WriteFile("sazby.csv", vemo::Utf8ToCp1250("Sazebník;1.1.2030;T\r\nNápravy;1\r\nA;;0,1\r\n"));
    EXPECT_THROW(vemo::ConvertTariff("sazby.csv", "sazby.sdf", {2026, 12, 8}), vemo::Error);
    EXPECT_EQ(ReadFile("sazby.sdf"), "old");

    vemo::ConvertTariff("sazby.csv", "sazby.sdf", {2030, 1, 1});
    EXPECT_EQ(ReadFile("sazby.sdf"), vemo::Base64Encode(vemo::Utf8ToCp1250("Sazebník;1.1.2030;T")) +
                                         "\r\n" +
                                         vemo::Base64Encode(vemo::Utf8ToCp1250("Nápravy;1")) +
                                         "\r\n" + vemo::Base64Encode("A;;0,1") + "\r\n");
}

} // namespace
