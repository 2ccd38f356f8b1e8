// The data files shipped in sample/ are exactly what the conversion makes of the shipped sources,
// and the shipped tariff is the toll law's.
#include "data/rules/Conversion.h"
#include "data/rules/MotorwayIndex.h"
#include "data/rules/TariffFile.h"
#include "data/rules/TollData.h"
#include "tests/support/TestFiles.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <QDir>
#include <array>

using testfiles::ReadFile;

namespace {

const std::string kSample = std::string(VEMO_SOURCE_DIR) + "/sample/";

} // namespace

TEST(SampleDataTest, DataFilesAreTheConversionOfTheSources) {
    const testfiles::ScratchDir dir;
    const std::string target = dir.Path().string() + "/";
    vemo::LineTable german, austrian;
    vemo::ConvertGerman(german, kSample + "maut_55a.csv", target + "data.sdf");
    vemo::ConvertAustrian(austrian, kSample + "au_maut.csv", target + "data2.sdf");
    EXPECT_EQ(ReadFile(target + "data.sdf"), ReadFile(kSample + "data.sdf"));
    EXPECT_EQ(ReadFile(target + "data2.sdf"), ReadFile(kSample + "data2.sdf"));
}

TEST(SampleDataTest, EveryMotorwayHasItsSectionsAndEveryNumberReads) {
    vemo::LineTable german, austrian;
    german.LoadFromFile(kSample + "data.sdf");
    austrian.LoadFromFile(kSample + "data2.sdf");
    vemo::SortedUniqueList germanIndex(vemo::PlainCaseInsensitiveCollation());
    vemo::SortedUniqueList austrianIndex(vemo::PlainCaseInsensitiveCollation());
    vemo::BuildGermanIndex(german, germanIndex);
    vemo::BuildAustrianIndex(austrian, austrianIndex);
    EXPECT_GE(germanIndex.Count(), 5);
    EXPECT_GE(austrianIndex.Count(), 5);
    for (const std::string& motorway : germanIndex.Items())
        EXPECT_GE(vemo::GermanSectionListing(german, motorway.substr(1)).size(), 9u) << motorway;
    for (const std::string& motorway : austrianIndex.Items())
        EXPECT_GE(vemo::AustrianSectionListing(austrian, motorway).size(), 5u) << motorway;
    // The flat toll through the Brenner stretch, under each category.
    const auto a13 = vemo::AustrianSectionListing(austrian, "A13");
    EXPECT_NE(std::find(a13.begin(), a13.end(), "Innsbruck-Amras-Brenner : 24,02/33,64/50,43"),
              a13.end());
}

TEST(SampleDataTest, TariffFileIsTheConversionOfItsSource) {
    const testfiles::ScratchDir dir;
    const std::string target = dir.Path().string() + "/sazby.sdf";
    vemo::ConvertTariff(kSample + "sazby.csv", target, {2026, 12, 9});
    EXPECT_EQ(ReadFile(target), ReadFile(kSample + "sazby.sdf"));
}

// The tariff of 1 July 2024 is the sum of the parts the toll law sets per kilometre, in
// thousandths of a euro: infrastructure, noise, air by Euro class and CO2 class. Columns:
// 3,5–7,5 t, 7,5–12 t, 12–18 t, over 18 t with up to 3, with 4 and with 5 or more axles.
TEST(SampleDataTest, TariffOf2024IsTheSumOfTheLawsParts) {
    using Parts = std::array<int, 6>;
    const Parts infrastructure = {52, 66, 107, 141, 155, 155};
    const Parts noise = {14, 16, 16, 16, 12, 12};
    const Parts euro6 = {11, 15, 15, 22, 23, 23}, euro5 = {43, 43, 52, 62, 62, 62},
                euro4 = {55, 59, 63, 80, 87, 87}, euro3 = {79, 88, 101, 134, 149, 149},
                euro2 = {98, 113, 121, 164, 182, 182}, euro1 = {102, 114, 123, 169, 187, 187};
    const Parts co2Euro6 = {74, 80, 100, 124, 134, 158}, co2Euro45 = {80, 80, 100, 134, 134, 160},
                co2Euro23 = {80, 80, 104, 138, 138, 162}, co2Euro1 = {80, 80, 104, 158, 158, 162};
    const struct {
        const char* category;
        Parts air;
        Parts co2;
    } categories[] = {
        {"Euro 6, CO2 třída 1", euro6, co2Euro6},
        {"Euro 6, CO2 třída 2", euro6, {70, 76, 96, 118, 128, 150}},
        {"Euro 6, CO2 třída 3", euro6, {67, 72, 90, 111, 120, 142}},
        {"Euro 6, CO2 třída 4", euro6, {37, 40, 50, 63, 68, 79}},
        {"Euro 5 / EEV", euro5, co2Euro45},
        {"Euro 4", euro4, co2Euro45},
        {"Euro 3", euro3, co2Euro23},
        {"Euro 2", euro2, co2Euro23},
        {"Euro 1 a starší", euro1, co2Euro1},
    };
    const auto tariffs = vemo::ReadTariffFile(kSample + "sazby.sdf").value();
    const vemo::GermanTariff& tariff = vemo::TariffInForce(tariffs, {2024, 7, 1}, "sazby.sdf");
    ASSERT_EQ(tariff.categories.size(), std::size(categories));
    for (std::size_t i = 0; i < std::size(categories); ++i) {
        const vemo::TariffCategory& category = tariff.categories[i];
        EXPECT_EQ(vemo::Cp1250ToUtf8(category.name), categories[i].category);
        for (std::size_t column = 0; column < 6; ++column) {
            const int sum = infrastructure[column] + noise[column] + categories[i].air[column] +
                            categories[i].co2[column];
            EXPECT_EQ(category.rates.at(column), vemo::Decimal::Of(sum, 3))
                << categories[i].category << ", column " << column + 1;
        }
    }
}
