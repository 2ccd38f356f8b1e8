// The data files shipped in sample/ are exactly what the conversion makes of the shipped sources.
#include "data/Conversion.h"
#include "data/MotorwayIndex.h"
#include "data/TollData.h"
#include "tests/support/TestFiles.h"
#include "text/BaseXCodec.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

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
