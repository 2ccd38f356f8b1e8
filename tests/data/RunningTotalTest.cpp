#include "data/rules/RunningTotal.h"
#include "data/rules/Tariff.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using testrows::DecimalComma;

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
                         testrows::ByName());

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
    testrows::ByName());

struct TollCase {
    const char* name;
    std::string km;
    int category;
    int axles;
    std::string toll;
};

class GermanTollTest : public testing::TestWithParam<TollCase> {};

TEST_P(GermanTollTest, KilometresTimesRate) {
    const auto rate = vemo::BuiltInTariff().Rate({GetParam().category, 0, GetParam().axles});
    EXPECT_EQ(vemo::GermanTollCaption(GetParam().km, rate ? rate->ToDouble() : 0, DecimalComma()),
              GetParam().toll);
}

INSTANTIATE_TEST_SUITE_P(
    Tolls, GermanTollTest,
    testing::Values(TollCase{"NoCategoryYet", "19,5 km", -1, 3, "0 \x80"},
                    TollCase{"ExampleCategoryB", "19,5 km", 1, 3, "2,145 \x80"},
                    TollCase{"ExampleFourAxles", "19,5 km", 1, 4, "2,34 \x80"},
                    TollCase{"ExampleAfterRemoval", "12,5 km", 1, 4, "1,5 \x80"},
                    TollCase{"FourDecimalsInFull", "123,45 km", 2, 3, "16,0485 \x80"},
                    TollCase{"EmptyRoute", "", 0, 3, "0 \x80"}),
    testrows::ByName());

} // namespace
