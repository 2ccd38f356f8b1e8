// The quote's amounts: VAT on the Austrian toll to the cent, koruny rounded to whole hellers from
// the exact decimal product, the columns adding up, the rate as typed, and a saved total beside
// today's.
#include "data/documents/Quote.h"
#include "data/rules/BilledToll.h"
#include "data/store/Errors.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct AmountCase {
    const char* name;
    vemo::Cents german;
    vemo::Cents austrian;
    const char* rate;
    // euros and koruny of: German toll, Austrian net, VAT, gross, total ("" without a rate)
    std::array<std::pair<const char*, const char*>, 5> expected;
};

void PrintTo(const AmountCase& c, std::ostream* out) {
    *out << c.name;
}

class QuoteAmounts : public ::testing::TestWithParam<AmountCase> {};

TEST_P(QuoteAmounts, CentsAndKorunyToTheHeller) {
    const AmountCase& c = GetParam();
    const auto locale = testrows::DecimalComma();
    const vemo::QuoteAmounts a =
        vemo::ComputeQuote(c.german, c.austrian, vemo::ParseExchangeRate(c.rate));
    const vemo::QuoteAmount* rows[] = {&a.german, &a.austrianNet, &a.austrianVat, &a.austrianGross,
                                       &a.total};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(vemo::FormatHundredths(rows[i]->cents, locale), c.expected[i].first) << i;
        EXPECT_EQ(rows[i]->hellers ? vemo::FormatHundredths(*rows[i]->hellers, locale) : "",
                  c.expected[i].second)
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuoteAmounts,
    ::testing::Values(
        // The German toll billed at 2,30, the Austrian net 1,13 with VAT 0,226 rounded up.
        AmountCase{"BilledTollsOfBothTabs",
                   230,
                   113,
                   "25,10",
                   {{{"2,30", "57,73"},
                     {"1,13", "28,36"},
                     {"0,23", "5,77"},
                     {"1,36", "34,13"},
                     {"3,66", "91,86"}}}},
        // 10,85 × 25,1 is 272,335 exactly; in binary doubles it falls just below and would
        // round to 272,33.
        AmountCase{"ExactProductNotBinary",
                   1085,
                   0,
                   "25,10",
                   {{{"10,85", "272,34"},
                     {"0,00", "0,00"},
                     {"0,00", "0,00"},
                     {"0,00", "0,00"},
                     {"10,85", "272,34"}}}},
        // Each row is rounded on its own and the sums add the rounded hellers: 1,26 + 1,51,
        // where 0,11 € would give 2,761 and 2,76.
        AmountCase{"SumsAddTheRoundedHellers",
                   5,
                   5,
                   "25,10",
                   {{{"0,05", "1,26"},
                     {"0,05", "1,26"},
                     {"0,01", "0,25"},
                     {"0,06", "1,51"},
                     {"0,11", "2,77"}}}},
        AmountCase{"HalfHellerAwayFromZero",
                   1,
                   -1,
                   "0,5",
                   {{{"0,01", "0,01"},
                     {"-0,01", "-0,01"},
                     {"0,00", "0,00"},
                     {"-0,01", "-0,01"},
                     {"0,00", "0,00"}}}},
        AmountCase{"RateWithThreeDecimals",
                   200,
                   10,
                   "25.105",
                   {{{"2,00", "50,21"},
                     {"0,10", "2,51"},
                     {"0,02", "0,50"},
                     {"0,12", "3,01"},
                     {"2,12", "53,22"}}}},
        AmountCase{"MillionsOfEuros",
                   123456789,
                   0,
                   "25,1",
                   {{{"1234567,89", "30987654,04"},
                     {"0,00", "0,00"},
                     {"0,00", "0,00"},
                     {"0,00", "0,00"},
                     {"1234567,89", "30987654,04"}}}},
        AmountCase{"NoRateNoKoruny",
                   230,
                   113,
                   "",
                   {{{"2,30", ""}, {"1,13", ""}, {"0,23", ""}, {"1,36", ""}, {"3,66", ""}}}}),
    testrows::ByName());

TEST(QuoteAmounts, RefusesAmountsBeyondTheLargest) {
    const auto rate = vemo::ParseExchangeRate("999999,999999");
    EXPECT_THROW(vemo::ComputeQuote(vemo::kLargestBill, 0, rate), vemo::Error);
    EXPECT_THROW(vemo::ComputeQuote(0, -vemo::kLargestBill, rate), vemo::Error);
    const vemo::QuoteAmounts largest =
        vemo::ComputeQuote(vemo::kLargestBill - 1, vemo::kLargestBill - 1, rate);
    EXPECT_TRUE(largest.total.hellers.has_value());
}

struct RateCase {
    const char* text;
    const char* written; // nullptr: no rate
};

class ExchangeRates : public ::testing::TestWithParam<RateCase> {};

TEST_P(ExchangeRates, PositiveNumberWithCommaOrPoint) {
    const auto rate = vemo::ParseExchangeRate(GetParam().text);
    if (!GetParam().written) {
        EXPECT_FALSE(rate) << vemo::FormatExchangeRate(*rate, testrows::DecimalComma());
        return;
    }
    ASSERT_TRUE(rate);
    EXPECT_EQ(vemo::FormatExchangeRate(*rate, testrows::DecimalComma()), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Texts, ExchangeRates,
                         ::testing::Values(RateCase{"25,10", "25,10"},
                                           RateCase{" 25.105 ", "25,105"}, RateCase{"25", "25"},
                                           RateCase{",5", "0,5"}, RateCase{"0,000001", "0,000001"},
                                           RateCase{"999999,999999", "999999,999999"},
                                           RateCase{"", nullptr}, RateCase{"0", nullptr},
                                           RateCase{"0,00", nullptr}, RateCase{"-25", nullptr},
                                           RateCase{"+25", nullptr}, RateCase{"25,1,0", nullptr},
                                           RateCase{"1 000", nullptr}, RateCase{"2,5e1", nullptr},
                                           RateCase{"25 Kč", nullptr}, RateCase{"1000000", nullptr},
                                           RateCase{"0,0000001", nullptr}, RateCase{",", nullptr}));

struct ChangeCase {
    const char* name;
    vemo::Cents saved;
    vemo::Cents today;
    const char* difference;
    const char* percent; // nullptr: none
};

void PrintTo(const ChangeCase& c, std::ostream* out) {
    *out << c.name;
}

// The window's tests compare dearer, cheaper and equal totals; these are the edges.
class PriceChanges : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(PriceChanges, DifferenceInEurosAndPercent) {
    const ChangeCase& c = GetParam();
    const auto locale = testrows::DecimalComma();
    const vemo::PriceChange change = vemo::ComparePrices(c.saved, c.today);
    EXPECT_EQ(vemo::FormatSignedHundredths(change.difference, locale), c.difference);
    ASSERT_EQ(change.percent.has_value(), c.percent != nullptr);
    if (c.percent) {
        EXPECT_EQ(vemo::FormatSignedPercent(*change.percent, locale), c.percent);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PriceChanges,
                         ::testing::Values(ChangeCase{"TinyChangeReadsAsNone", 100000, 100001,
                                                      "+0,01", "0,0"},
                                           ChangeCase{"Cheaper", 230, 200, "-0,30", "-13,0"},
                                           ChangeCase{"NothingSaved", 0, 500, "+5,00", nullptr}),
                         testrows::ByName());

} // namespace
