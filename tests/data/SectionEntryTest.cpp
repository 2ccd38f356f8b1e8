#include "data/rules/SectionEntry.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using testrows::DecimalComma;

struct EntryCase {
    const char* name;
    std::string row;
    std::string german;
    std::string austrian;
};

class SectionEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(SectionEntryTest, BuildsBothShapes) {
    EXPECT_EQ(vemo::GermanSectionEntry(GetParam().row), GetParam().german);
    EXPECT_EQ(vemo::AustrianSectionEntry(GetParam().row), GetParam().austrian);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SectionEntryTest,
    testing::Values(EntryCase{"Full", "3;x;AS;K\xF6ln;y;AK;Bonn;12,5;z",
                              "(AS) K\xF6ln : (AK) Bonn;12,5", "AS-K\xF6ln : y/AK/Bonn"},
                    EntryCase{"FieldsTrimmed",
                              " 3 ;x; AS 1 ;\tK\xF6ln \r; y ;\x01"
                              "AK;Bonn\t; 12,5 ;",
                              "(AS 1) K\xF6ln : (AK) Bonn;12,5", "AS 1-K\xF6ln : y/AK/Bonn"},
                    EntryCase{"ShortRow", "3;x;AS", "(AS)  : () ;", "AS- : //"},
                    EntryCase{"Empty", "", "()  : () ;", "- : //"},
                    EntryCase{"EmptyFieldsBetween", "1;;a;;;b;;c", "(a)  : (b) ;c", "a- : /b/"}),
    testrows::ByName());

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
                    LengthCase{"PointReadsAsWritten", "a;12.5", 12.5},
                    LengthCase{"GroupedWithPoint", "a;1.234,5", 0},
                    LengthCase{"SecondSemicolonStaysInTheText", "a;1;2", 0},
                    LengthCase{"TwoHundredCharacters", "a;" + std::string(198, '0') + "12", 12},
                    LengthCase{"CutAfterTwoHundred", "a;" + std::string(199, '0') + "12", 1}),
    testrows::ByName());

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
    testrows::ByName());

// Lengths and amounts read the same whichever decimal separator the desktop and the data use.
TEST(SectionEntryTest, EitherDecimalSeparator) {
    const vemo::LocaleSettings point; // a decimal point
    const vemo::LocaleSettings comma = DecimalComma();
    const struct {
        const char* text;
        double value;
    } cases[] = {{"12,5", 12.5}, {"12.5", 12.5}, {"1 234,5", 1234.5}, {"7", 7},
                 {"1,2,3", 0},   {"1.2,3", 0},   {",5", 0.5},         {"x", 0}};
    for (const auto& c : cases) {
        for (const vemo::LocaleSettings* locale : {&point, &comma}) {
            const char separator = locale->decimalSeparator;
            EXPECT_EQ(vemo::SectionLength("(AS) a : (AK) b;"s + c.text, *locale), c.value)
                << c.text << " with " << separator;
            const std::string entry = "a-b : "s + c.text + "/" + c.text + "/" + c.text;
            for (int category = 0; category < 3; ++category)
                EXPECT_EQ(vemo::CategoryAmount(entry, category, *locale), c.value)
                    << c.text << " with " << separator << ", category " << category;
        }
    }
}

} // namespace
