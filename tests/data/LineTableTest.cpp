#include "data/store/LineTable.h"
#include "data/store/Errors.h"

#include "tests/support/FakeSaveSystem.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace std::string_literals;
using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WriteFile;
using testrows::kCannotCreate;

namespace {

struct SplitCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
};

class SplitLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, SplitsAtEveryLineEnd) {
    vemo::LineTable table;
    table.LoadFromBytes(GetParam().content);
    EXPECT_EQ(table.Lines(), GetParam().lines);
}

TEST_P(SplitLinesTest, FileLoadsTheSameLines) {
    ScratchDir dir;
    const auto file = dir.File("t.sdf");
    WriteFile(file, GetParam().content);
    vemo::LineTable table;
    table.LoadFromFile(file);
    EXPECT_EQ(table.Lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitLinesTest,
    testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        SplitCase{"LfOnly", "a\nb\n", {"a", "b"}}, SplitCase{"CrOnly", "a\rb\r", {"a", "b"}},
        SplitCase{"LastLineWithoutEnd", "a\r\nb", {"a", "b"}},
        SplitCase{"LfCrEndsTwoLines", "a\n\rb", {"a", "", "b"}},
        SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"EmptyLines", "\r\n\n\r", {"", "", ""}}, SplitCase{"LoneLineEnd", "\n", {""}},
        SplitCase{"NulEndsContent", "a\r\nb\0c\r\nd\r\n"s, {"a", "b"}},
        SplitCase{"NulAtStart", "\0a\r\n"s, {}}, SplitCase{"NulAfterLineEnd", "a\r\n\0b"s, {"a"}},
        SplitCase{"HighBytesPassThrough", "K\xF6ln\x80\r\n\xFF", {"K\xF6ln\x80", "\xFF"}}),
    testrows::ByName());

TEST(LineTableTest, LoadReplacesContentsAndSaveWritesCrLf) {
    ScratchDir dir;
    const auto file = dir.File("t.sdf");
    WriteFile(file, "a\nb\rc\n\r");
    vemo::LineTable table;
    table.Append("old");
    table.LoadFromFile(file);
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"a", "b", "c", ""}));

    table.Set(1, "B");
    table.SaveToFile(file);
    EXPECT_EQ(ReadFile(file), "a\r\nB\r\nc\r\n\r\n");

    table.Clear();
    table.SaveToFile(file);
    EXPECT_EQ(ReadFile(file), "");
    EXPECT_EQ(testfiles::FileNames(dir.Path()), std::set<std::string>{"t.sdf"});
}

// A write that fails keeps the old file: the table saves with the safe save.
TEST(LineTableTest, FailedWriteKeepsTheOldFile) {
    ScratchDir dir;
    const auto file = dir.File("t.sdf");
    WriteFile(file, "old\r\n");
    vemo::LineTable table;
    table.Append("new");
    const testsupport::FailingSaves failing;
    EXPECT_THROW(table.SaveToFile(file), vemo::Error);
    EXPECT_TRUE(failing.Failed());
    EXPECT_EQ(ReadFile(file), "old\r\n");
}

TEST(LineTableTest, MissingFileThrowsAndKeepsContents) {
    ScratchDir dir;
    vemo::LineTable table;
    table.Append("kept");
    try {
        table.LoadFromFile(dir.File("none.sdf"));
        FAIL() << "no error";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + dir.File("none.sdf"));
    }
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"kept"});
}

} // namespace
