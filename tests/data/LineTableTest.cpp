#include "data/LineTable.h"
#include "data/Errors.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>

#include <csignal>
#endif
#include <vector>

using namespace std::string_literals;
using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WriteFile;

namespace {

const std::string kCannotCreate = "Nelze vytvo\xF8it soubor ";

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
    [](const auto& info) { return std::string(info.param.name); });

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

// State: an old data file and a table with other lines. Action: save under a failure.
// Expected: the named error, the old file byte for byte, no temporary file left over.
class SafeSaveTest : public testing::Test {
protected:
    void SetUp() override {
        WriteFile(target_, old_);
        for (int i = 0; i < 2000; ++i)
            table_.Append("bmV3IGxpbmUgd2l0aCBzb21lIHRleHQ" + std::to_string(i));
    }

    // The reason of the error.
    std::string ExpectFailure(const std::string& message) {
        std::string reason;
        try {
            table_.SaveToFile(target_);
            ADD_FAILURE() << "saved";
        } catch (const vemo::Error& error) {
            EXPECT_EQ(error.Message(), message);
            reason = error.Reason();
        }
        EXPECT_EQ(ReadFile(target_), old_);
        return reason;
    }

    void ExpectNoLeftovers() {
        EXPECT_EQ(testfiles::FileNames(dir_.Path()), std::set<std::string>{"data.sdf"});
    }

    ScratchDir dir_;
    std::string target_ = dir_.File("data.sdf");
    std::string old_ = "b2xk\r\nZGF0YQ\r\n";
    vemo::LineTable table_;
};

TEST_F(SafeSaveTest, ReadOnlyTargetIsNotReplaced) {
    testfiles::WriteProtect protect(target_);
    if (!protect.Active())
        GTEST_SKIP() << "cannot write-protect a file here";
    ExpectFailure(kCannotCreate + target_);
    ExpectNoLeftovers();
}

TEST_F(SafeSaveTest, ReadOnlyFolderIsNotWritten) {
    {
        testfiles::WriteProtect protect(dir_.Path());
        if (!protect.Active())
            GTEST_SKIP() << "cannot write-protect a folder here";
        const std::string reason = ExpectFailure(kCannotCreate + target_);
        // The folder is named as the cause, in Czech, with the system's words after it.
        EXPECT_EQ(reason.rfind("do složky nelze zapisovat (", 0), 0u) << reason;
    }
    ExpectNoLeftovers();
}

TEST_F(SafeSaveTest, MissingFolderOrFolderAsTarget) {
    const std::string missing = dir_.File("no/such/dir/data.sdf");
    try {
        table_.SaveToFile(missing);
        ADD_FAILURE() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + missing);
    }
    std::filesystem::create_directory(dir_.File("folder"));
    try {
        table_.SaveToFile(dir_.File("folder"));
        ADD_FAILURE() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + dir_.File("folder"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_.File("folder")));
}

// Linux only: the write failure comes from a file size limit.
#if defined(__linux__)
TEST_F(SafeSaveTest, WriteFailureKeepsOldFile) {
    // A file size limit makes write() fail with EFBIG once the temporary file reaches it.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        table_.SaveToFile(target_);
    } catch (const vemo::Error& error) {
        message = error.Message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, "Stream write error");
    EXPECT_EQ(ReadFile(target_), old_);
    ExpectNoLeftovers();
}

#endif

TEST_F(SafeSaveTest, SuccessReplacesWholeFile) {
    table_.SaveToFile(target_);
    const std::string saved = ReadFile(target_);
    vemo::LineTable reloaded;
    reloaded.LoadFromFile(target_);
    EXPECT_EQ(reloaded.Lines(), table_.Lines());
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
    ExpectNoLeftovers();
}

} // namespace
