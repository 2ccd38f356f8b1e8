// The toll as billed: each section rounded half up to the cent from the exact product, then
// summed; the exact decimals it rests on.
#include "data/rules/BilledToll.h"
#include "data/store/Errors.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using testrows::DecimalComma;

struct SectionCase {
    const char* name;
    const char* entry;
    const char* rate;
    const char* billed;
};

class BilledGermanSections : public ::testing::TestWithParam<SectionCase> {};

TEST_P(BilledGermanSections, LengthTimesRateToTheCent) {
    const auto rate = vemo::Decimal::Parse(GetParam().rate);
    ASSERT_TRUE(rate);
    EXPECT_EQ(
        vemo::FormatHundredths(vemo::BilledGermanSection(GetParam().entry, *rate, DecimalComma()),
                               DecimalComma()),
        GetParam().billed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BilledGermanSections,
    ::testing::Values(SectionCase{"RoundsUp", "(AS) A : (AS) B;6,6", "0,348", "2,30"},
                      // 1,5 × 0,35 is 0,525 exactly; as binary doubles it falls below the half.
                      SectionCase{"HalfCentUpNotBinary", "(AS) A : (AS) B;1,5", "0,35", "0,53"},
                      SectionCase{"RoundsDown", "(AS) A : (AS) B;12,4", "0,151", "1,87"},
                      SectionCase{"PointInTheData", "(AS) A : (AS) B;4.0", "0,324", "1,30"},
                      SectionCase{"NoLength", "(AS) A : (AS) B", "0,348", "0,00"},
                      SectionCase{"TinyLength", "(AS) A : (AS) B;1E-150", "0,348", "0,00"}),
    testrows::ByName());

// The sum adds the rounded sections: 3 × 0,525 would be 1,575 and 1,58; 2 × 1,125 would be
// 2,25.
TEST(BilledToll, SumsTheRoundedSections) {
    const std::vector<std::string> entries(3, "(AS) A : (AS) B;1,5");
    EXPECT_EQ(vemo::BilledGermanToll(entries, *vemo::Decimal::Parse("0,35"), DecimalComma()), 159);
    const std::vector<std::string> austrian = {"A-B : 1,125/2/3", "B-C : 1,125/2/3,005"};
    EXPECT_EQ(vemo::BilledAustrianToll(austrian, 0, DecimalComma()), 226);
    EXPECT_EQ(vemo::BilledAustrianToll(austrian, 2, DecimalComma()), 601);
    EXPECT_EQ(vemo::BilledAustrianToll(austrian, -1, DecimalComma()), 0);
}

TEST(BilledToll, SectionBeyondAnyBillIsRefused) {
    EXPECT_THROW(vemo::BilledGermanSection("(AS) A : (AS) B;1E14", *vemo::Decimal::Parse("100"),
                                           DecimalComma()),
                 vemo::Error);
    EXPECT_THROW(vemo::BilledAustrianSection("A-B : 1E300/1/1", 0, DecimalComma()), vemo::Error);
}

TEST(BilledToll, HundredthsWithGroupsOnRequest) {
    EXPECT_EQ(vemo::FormatHundredths(204992, DecimalComma()), "2049,92");
    EXPECT_EQ(vemo::FormatHundredths(204992, DecimalComma(), " "), "2 049,92");
    EXPECT_EQ(vemo::FormatHundredths(-100000005, DecimalComma(), "."), "-1.000.000,05");
    EXPECT_EQ(vemo::FormatHundredths(7, DecimalComma()), "0,07");
}

TEST(Decimal, FromTheShortestTextOfADouble) {
    EXPECT_EQ(vemo::Decimal::FromDouble(0.1), vemo::Decimal::Of(1, 1));
    EXPECT_EQ(vemo::Decimal::FromDouble(-2.2968), vemo::Decimal::Of(-22968, 4));
    EXPECT_EQ(vemo::Decimal::FromDouble(123400.0),
              vemo::Decimal::Of(1234, 0) * vemo::Decimal::Of(100, 0));
    EXPECT_EQ(vemo::Decimal::FromDouble(1e-150), vemo::Decimal());
    EXPECT_EQ(vemo::Decimal::FromDouble(1e15), std::nullopt);
    EXPECT_EQ(vemo::Decimal::FromDouble(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(vemo::Decimal::Parse("1 000"), std::nullopt);
    EXPECT_EQ(vemo::Decimal::Parse("1234567890123456"), std::nullopt);
}

} // namespace
