#include "data/rules/SourceText.h"

#include "data/rules/Conversion.h"
#include "data/store/Errors.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using testfiles::FileNames;
using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WorkingDir;
using testfiles::WriteFile;

namespace {

struct SourceCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines; // Windows-1250; empty with an error
    std::string error;              // UTF-8
};

class SourceTextTest : public testing::TestWithParam<SourceCase> {};

// "Hösbach" and "Würzburg" (ö, ü) and "Třebíč" are Windows-1250 characters in either encoding.
TEST_P(SourceTextTest, RecognisesUtf8AndConvertsIt) {
    vemo::LineTable lines;
    lines.LoadFromBytes(GetParam().content);
    const std::vector<std::string> before = lines.Lines();
    try {
        vemo::SourceToCp1250(lines, "maut_55a.csv");
        EXPECT_TRUE(GetParam().error.empty()) << "converted";
        EXPECT_EQ(lines.Lines(), GetParam().lines);
    } catch (const vemo::Error& error) {
        EXPECT_EQ(vemo::Cp1250ToUtf8(error.Message()), GetParam().error);
        EXPECT_EQ(lines.Lines(), before) << "the lines stay as they were";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SourceTextTest,
    testing::Values(SourceCase{"Utf8",
                               "BAB;Ort\n3;H\xC3\xB6sbach;T\xC5\x99"
                               "eb\xC3\xAD\xC4\x8D\n",
                               {"BAB;Ort", "3;H\xF6sbach;T\xF8"
                                           "eb\xED\xE8"},
                               ""},
                    SourceCase{"Utf8WithByteOrderMark",
                               "\xEF\xBB\xBF"
                               "BAB;Ort\n3;Hamm\n",
                               {"BAB;Ort", "3;Hamm"},
                               ""},
                    SourceCase{"Cp1250StaysAsItIs",
                               "3;H\xF6sbach\n3;W\xFCrzburg\n",
                               {"3;H\xF6sbach", "3;W\xFCrzburg"},
                               ""},
                    SourceCase{"Cp1250ThatLooksLikeUtf8OnOneLine",
                               "3;H\xC3\xB6sbach\n3;W\xFCrzburg\n",
                               {"3;H\xC3\xB6sbach", "3;W\xFCrzburg"},
                               ""},
                    SourceCase{"AsciiStaysAsItIs", "3;Hamm\n", {"3;Hamm"}, ""},
                    SourceCase{
                        "CharacterWithoutAByte",
                        "BAB;Ort\n3;Hamm\n3;\xC3\xB8re\n",
                        {},
                        "Soubor maut_55a.csv nelze převést do Windows-1250: řádek 3 obsahuje znak "
                        "U+00F8, který Windows-1250 nemá"},
                    // A Windows-1250 source saved with the mark holds no U+FFFD to name.
                    SourceCase{"MarkedSourceWithCp1250Byte",
                               "\xEF\xBB\xBF"
                               "BAB;Ort\n3;M\xFCnchen\n",
                               {},
                               "Soubor maut_55a.csv nelze převést do Windows-1250: řádek 2 není "
                               "platné UTF-8"},
                    SourceCase{"MarkedSourceCutShortOnTheMarksLine",
                               "\xEF\xBB\xBF"
                               "BAB;\xC5\n3;Hamm\n",
                               {},
                               "Soubor maut_55a.csv nelze převést do Windows-1250: řádek 1 není "
                               "platné UTF-8"}),
    testrows::ByName());

// A refused conversion writes nothing and leaves the table as it was.
TEST(SourceTextTest, RefusedConversionWritesNothing) {
    ScratchDir dir;
    WorkingDir cwd(dir.Path());
    WriteFile("au_maut.csv", "Dalnice\tOd\nA1\t\xE2\x82\xAC\t\xE2\x84\x96\n"); // €, then №
    vemo::LineTable table;
    table.Append("kept");
    EXPECT_THROW(vemo::ConvertAustrian(table), vemo::Error);
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"kept"});
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"au_maut.csv"});
}

TEST(Utf8Test, WellFormedOnly) {
    struct Case {
        const char* name;
        std::string bytes;
        bool utf8;
    } const cases[] = {{"Ascii", "abc", true},
                       {"TwoBytes", "\xC3\xB6", true},
                       {"ThreeBytes", "\xE2\x82\xAC", true},
                       {"FourBytes", "\xF0\x9F\x9A\x9B", true},
                       {"Cp1250Letter", "\xF6", false},
                       {"CutShort", "\xE2\x82", false},
                       {"Overlong", "\xC0\xAF", false},
                       {"OverlongThree", "\xE0\x80\xAF", false},
                       {"Surrogate", "\xED\xA0\x80", false},
                       {"BeyondLastCodePoint", "\xF4\x90\x80\x80", false},
                       {"LeadByteF5", "\xF5\x80\x80\x80", false},
                       {"StrayContinuation", "a\x80", false}};
    for (const Case& c : cases)
        EXPECT_EQ(vemo::IsUtf8(c.bytes), c.utf8) << c.name;
}

} // namespace
