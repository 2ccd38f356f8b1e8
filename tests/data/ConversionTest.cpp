#include "data/rules/Conversion.h"
#include "data/rules/MotorwayIndex.h"
#include "data/store/Errors.h"
#include "tests/support/FakeSaveSystem.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WorkingDir;
using testfiles::WriteFile;
using testrows::FileOf;
using testrows::kCannotCreate;

namespace {

class ConversionTest : public testing::Test {
protected:
    std::string ConvertedGerman(const std::string& source) {
        WriteFile(vemo::kGermanSourceFile, source);
        vemo::LineTable table;
        vemo::ConvertGerman(table);
        const std::string file = ReadFile(vemo::kGermanDataFile);
        EXPECT_EQ(FileOf(table), file) << "the table holds the lines just saved";
        return file;
    }
    std::string ConvertedAustrian(const std::string& source) {
        WriteFile(vemo::kAustrianSourceFile, source);
        vemo::LineTable table;
        vemo::ConvertAustrian(table);
        return ReadFile(vemo::kAustrianDataFile);
    }

    ScratchDir dir_;
    WorkingDir cwd_{dir_.Path()};
};

TEST_F(ConversionTest, GermanSourceLineForLine) {
    using vemo::Base64Encode;
    const std::string expected = Base64Encode("h;x") + "\r\n\r\n" + Base64Encode("3\t;a;K\xF6ln") +
                                 "\r\n" + Base64Encode("1") + "\r\n";
    EXPECT_EQ(ConvertedGerman("h;x\r\n\r\n3\t;a;K\xF6ln\r\n1"), expected);
    EXPECT_EQ(ConvertedGerman("h;x\n\n3\t;a;K\xF6ln\n1\n"), expected) << "LF only";
    EXPECT_EQ(ConvertedGerman("h;x\r\r3\t;a;K\xF6ln\r1\r"), expected) << "CR only";
    EXPECT_EQ(ConvertedGerman("h;x\n\n3\t;a;K\xF6ln\n1\n"), expected) << "twice";
    EXPECT_EQ(ConvertedGerman(""), "");
    EXPECT_TRUE(std::filesystem::exists(vemo::kGermanDataFile));
}

TEST_F(ConversionTest, AustrianTabsAndSemicolonsGiveTheSameFile) {
    const std::string tabs = ConvertedAustrian("h\tx\r\nA1\t\tWien\tLinz\t1,5\t2\t3\r\n");
    const std::string semicolons = ConvertedAustrian("h;x\r\nA1;;Wien;Linz;1,5;2;3\r\n");
    EXPECT_EQ(tabs, semicolons);
    EXPECT_EQ(tabs, vemo::Base64Encode("h;x") + "\r\n" +
                        vemo::Base64Encode("A1;;Wien;Linz;1,5;2;3") + "\r\n");
    vemo::LineTable table;
    table.LoadFromFile(vemo::kAustrianDataFile);
    EXPECT_EQ(vemo::AustrianSectionListing(table, "A1"),
              std::vector<std::string>{"Wien-Linz : 1,5/2/3"});
}

TEST_F(ConversionTest, MissingSourceChangesNothing) {
    WriteFile(vemo::kGermanDataFile, "b2xk\r\n");
    vemo::LineTable table;
    table.Append("b2xk");
    try {
        vemo::ConvertGerman(table);
        FAIL() << "converted";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + "maut_55a.csv");
    }
    try {
        vemo::ConvertAustrian(table);
        FAIL() << "converted";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + "au_maut.csv");
    }
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"b2xk"});
    EXPECT_EQ(ReadFile(vemo::kGermanDataFile), "b2xk\r\n");
}

TEST_F(ConversionTest, FailedSaveLeavesNewLinesInTable) {
    WriteFile(vemo::kGermanSourceFile, "h\r\n3;a\r\n");
    vemo::LineTable table;
    try {
        vemo::ConvertGerman(table, vemo::kGermanSourceFile, "missing/data.sdf");
        FAIL() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + "missing/data.sdf");
    }
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"aA", "Mzth"}));
}

struct WriteFailureCase {
    const char* name;
    std::function<void(vemo::LineTable&)> convert;
    const char* source;
    const char* target;
};

void PrintTo(const WriteFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class ConversionWriteFailureTest : public ConversionTest,
                                   public testing::WithParamInterface<WriteFailureCase> {};

// State: a data file. Action: a conversion whose write fails. Expected: the write error, the old
// data file byte for byte (the conversion saves with the safe save), the new lines in the table.
TEST_P(ConversionWriteFailureTest, KeepsTheOldDataFile) {
    WriteFile(GetParam().source, "h;x\r\nA1;;Wien;Linz;1;2;3\r\n");
    WriteFile(GetParam().target, "b2xk\r\n");
    vemo::LineTable table;
    const testsupport::FailingSaves failing;
    EXPECT_THROW(GetParam().convert(table), vemo::Error);
    EXPECT_TRUE(failing.Failed());
    EXPECT_EQ(ReadFile(GetParam().target), "b2xk\r\n");
    EXPECT_EQ(table.Count(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, ConversionWriteFailureTest,
    testing::Values(WriteFailureCase{"German", [](vemo::LineTable& t) { vemo::ConvertGerman(t); },
                                     vemo::kGermanSourceFile, vemo::kGermanDataFile},
                    WriteFailureCase{"Austrian",
                                     [](vemo::LineTable& t) { vemo::ConvertAustrian(t); },
                                     vemo::kAustrianSourceFile, vemo::kAustrianDataFile}),
    testrows::ByName());

} // namespace
