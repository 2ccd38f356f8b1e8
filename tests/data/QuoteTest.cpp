// The quote's amounts: VAT on the Austrian toll, koruny rounded to whole hellers from the exact
// decimal product, the column adding up, the rate as typed, and a saved total beside today's.
#include "data/Quote.h"
#include "data/Errors.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

struct AmountCase {
    const char* name;
    double german;
    double austrian;
    const char* rate;
    // euros and koruny of: German toll, Austrian net, VAT, gross, total ("" without a rate)
    std::array<std::pair<const char*, const char*>, 5> expected;
};

void PrintTo(const AmountCase& c, std::ostream* out) {
    *out << c.name;
}

class QuoteAmounts : public ::testing::TestWithParam<AmountCase> {};

TEST_P(QuoteAmounts, EurosAsShownKorunyToTheHeller) {
    const AmountCase& c = GetParam();
    const auto locale = testrows::DecimalComma();
    const vemo::QuoteAmounts a =
        vemo::ComputeQuote(c.german, c.austrian, vemo::ParseExchangeRate(c.rate));
    const vemo::QuoteAmount* rows[] = {&a.german, &a.austrianNet, &a.austrianVat, &a.austrianGross,
                                       &a.total};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(vemo::FormatNumber(rows[i]->euros, locale), c.expected[i].first) << i;
        EXPECT_EQ(rows[i]->hellers ? vemo::FormatKoruny(*rows[i]->hellers, locale) : "",
                  c.expected[i].second)
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuoteAmounts,
    ::testing::Values(
        AmountCase{"WorkedExamplesOfBothTabs",
                   2.145,
                   9.3,
                   "25,10",
                   {{{"2,145", "53,84"},
                     {"9,3", "233,43"},
                     {"1,86", "46,69"},
                     {"11,16", "280,12"},
                     {"13,305", "333,96"}}}},
        // 10,85 × 25,1 is 272,335 exactly; in binary doubles it falls just below and would
        // round to 272,33.
        AmountCase{"ExactProductNotBinary",
                   10.85,
                   0,
                   "25,10",
                   {{{"10,85", "272,34"},
                     {"0", "0,00"},
                     {"0", "0,00"},
                     {"0", "0,00"},
                     {"10,85", "272,34"}}}},
        // Each row is rounded on its own and the sums add the rounded hellers: 1,05 + 0,21 and
        // 0,03 + 1,26, where 1,254 and 1,279 rounded would give 1,25 and 1,28.
        AmountCase{"SumsAddTheRoundedHellers",
                   0.025,
                   1.045,
                   "1",
                   {{{"0,025", "0,03"},
                     {"1,045", "1,05"},
                     {"0,209", "0,21"},
                     {"1,254", "1,26"},
                     {"1,279", "1,29"}}}},
        AmountCase{"HalfHellerAwayFromZero",
                   1.005,
                   -1.005,
                   "1",
                   {{{"1,005", "1,01"},
                     {"-1,005", "-1,01"},
                     {"-0,201", "-0,20"},
                     {"-1,206", "-1,21"},
                     {"-0,201", "-0,20"}}}},
        AmountCase{"RateWithThreeDecimals",
                   2,
                   0.1,
                   "25.105",
                   {{{"2", "50,21"},
                     {"0,1", "2,51"},
                     {"0,02", "0,50"},
                     {"0,12", "3,01"},
                     {"2,12", "53,22"}}}},
        AmountCase{"TenDigitsOfEuros",
                   1234567.891,
                   0,
                   "25,1",
                   {{{"1234567,891", "30987654,06"},
                     {"0", "0,00"},
                     {"0", "0,00"},
                     {"0", "0,00"},
                     {"1234567,891", "30987654,06"}}}},
        AmountCase{"TinyAmountIsNoHeller",
                   1.5e-7,
                   0,
                   "25",
                   {{{"1,5E-7", "0,00"},
                     {"0", "0,00"},
                     {"0", "0,00"},
                     {"0", "0,00"},
                     {"1,5E-7", "0,00"}}}},
        // A total such as 1E-150 € has no digit within a quote's eighteen decimals.
        AmountCase{"TinierThanTheLastDecimal",
                   1e-150,
                   2e-19,
                   "25",
                   {{{"0", "0,00"}, {"0", "0,00"}, {"0", "0,00"}, {"0", "0,00"}, {"0", "0,00"}}}},
        AmountCase{"NoRateNoKoruny",
                   2.145,
                   9.3,
                   "",
                   {{{"2,145", ""}, {"9,3", ""}, {"1,86", ""}, {"11,16", ""}, {"13,305", ""}}}}),
    testrows::ByName());

TEST(QuoteAmounts, RefusesAmountsBeyondTheLargest) {
    const auto rate = vemo::ParseExchangeRate("25");
    EXPECT_THROW(vemo::ComputeQuote(vemo::kLargestQuoteAmount, 0, rate), vemo::Error);
    EXPECT_THROW(vemo::ComputeQuote(0, -vemo::kLargestQuoteAmount, rate), vemo::Error);
    EXPECT_THROW(vemo::ComputeQuote(std::numeric_limits<double>::infinity(), 0, rate), vemo::Error);
    EXPECT_NO_THROW(vemo::ComputeQuote(9999999999.0, 9999999999.0, rate));
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
    double saved;
    double today;
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
    EXPECT_EQ(vemo::FormatSignedNumber(change.difference, locale), c.difference);
    ASSERT_EQ(change.percent.has_value(), c.percent != nullptr);
    if (c.percent) {
        EXPECT_EQ(vemo::FormatSignedPercent(*change.percent, locale), c.percent);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PriceChanges,
    ::testing::Values(ChangeCase{"TinyChangeReadsAsNone", 1000, 1000.0001, "+0,0001", "0,0"},
                      // 0,1 + 0,2 written as 0,3 and compared exactly.
                      ChangeCase{"ExactFromTheShownNumbers", 0.3, 0.1 + 0.2, "0", "0,0"},
                      ChangeCase{"NothingSaved", 0, 5, "+5", nullptr},
                      ChangeCase{"SavedTinierThanTheLastDecimal", 1e-60, 5, "+5", nullptr}),
    testrows::ByName());

} // namespace
