// The whole-file read and the safe save: what a load takes from files that are not plain
// finished files, and that no failing call of a save can cost the old file a byte.
#include "data/DataFile.h"
#include "data/Errors.h"
#include "data/LineTable.h"
#include "data/TollData.h"

#include "tests/support/NonRegularFiles.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

// FIFOs, sockets, device links and a small tmpfs exist only on Linux; Windows has its own cases.
#if defined(__linux__)
#include "data/Conversion.h"
#include "tests/support/SmallDisk.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <vector>

using namespace std::string_literals;
using testfiles::FileNames;
using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WriteFile;
namespace fs = std::filesystem;
using namespace testsupport;

namespace {

const std::string kCannotCreate = "Nelze vytvo\xF8it soubor ";
const std::string kWriteError = "Stream write error";

class NotARegularFileTest : public testing::TestWithParam<SpecialCase> {};

TEST_P(NotARegularFileTest, LoadRefusesItAndKeepsTheTable) {
    ScratchDir dir;
    const fs::path file = dir.Path() / "data.sdf";
    GetParam().make(file);
    vemo::LineTable table;
    table.Append("kept");
    Watchdog watchdog;
    try {
        table.LoadFromFile(file.string());
        ADD_FAILURE() << "loaded " << table.Count() << " lines";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + file.string());
        EXPECT_FALSE(error.Reason().empty());
    }
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"kept"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotARegularFileTest,
                         testing::Values(
#if defined(__linux__)
                             kFifo, kLinkToDevZero, kLinkToDevUrandom,
                             SpecialCase{"Socket",
                                         [](const fs::path& f) {
                                             const int s = socket(AF_UNIX, SOCK_STREAM, 0);
                                             sockaddr_un address{};
                                             address.sun_family = AF_UNIX;
                                             ASSERT_LT(f.string().size(), sizeof address.sun_path);
                                             std::strcpy(address.sun_path, f.c_str());
                                             ASSERT_EQ(bind(s,
                                                            reinterpret_cast<sockaddr*>(&address),
                                                            sizeof address),
                                                       0);
                                             close(s);
                                         }},
#endif
                             kFolder, SpecialCase{"Missing", [](const fs::path&) {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A file whose content changes between the open and the reads.
struct ChangeCase {
    const char* name;
    std::string before;
    std::function<void(const fs::path&)> change;
    std::string read;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadDataFileTest : public testing::TestWithParam<ChangeCase> {};

TEST_P(ReadDataFileTest, TakesWhatTheFileHeldWhenOpened) {
    ScratchDir dir;
    const fs::path file = dir.Path() / "data.sdf";
    WriteFile(file, GetParam().before);
    const auto change = [&] {
        if (GetParam().change)
            GetParam().change(file);
    };
    EXPECT_EQ(vemo::ReadDataFile(file.string(), change).View(), GetParam().read);
}

void Append(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << bytes;
}

const std::string kLong(200000, 'x');

INSTANTIATE_TEST_SUITE_P(Content, ReadDataFileTest,
                         testing::Values(
                             ChangeCase{"Unchanged", "a\r\nb\r\n", nullptr, "a\r\nb\r\n"},
                             ChangeCase{"Empty", "", nullptr, ""},
                             ChangeCase{"NulEndsTheContent", "a\r\nb\0c\r\n"s, nullptr, "a\r\nb"},
                             ChangeCase{"NulAfterALongStretch", kLong + "\0tail"s, nullptr, kLong},
                             ChangeCase{"GrowsAfterOpen", "a\r\nb\r\n",
                                        [](const fs::path& f) { Append(f, "c\r\n" + kLong); },
                                        "a\r\nb\r\n"},
                             ChangeCase {
                                 "EmptyAtOpenThenWritten", "",
                                     [](const fs::path& f) { Append(f, "late\r\n"); }, ""
                             }
#if !defined(_WIN32)
                             // Windows refuses the writer while the file is read (below).
                             ,
                             ChangeCase{"ShrinksAfterOpen", "abcdef",
                                        [](const fs::path& f) { fs::resize_file(f, 3); }, "abc"}
#endif
                             ),
                         [](const auto& info) { return std::string(info.param.name); });

// The native calls, with one call made to fail and writes optionally cut short.
class FaultySaveSystem : public vemo::SaveSystem {
public:
    enum class Call { CreateTemp, Write, Sync, Close, Rename };

    FaultySaveSystem(int failAt, std::size_t maxWrite) : failAt_(failAt), maxWrite_(maxWrite) {}

    bool CreateTemp(const std::string& target, std::string& tempName) override {
        return !Fails(Call::CreateTemp) && native_.CreateTemp(target, tempName);
    }
    long long Write(const char* data, std::size_t size) override {
        if (Fails(Call::Write))
            return -1;
        return native_.Write(data, std::min(size, maxWrite_));
    }
    bool Sync() override { return !Fails(Call::Sync) && native_.Sync(); }
    bool Close() override {
        // The descriptor goes in any case, as a failed close(2) leaves it.
        const bool closed = native_.Close();
        return !Fails(Call::Close) && closed;
    }
    bool Rename(const std::string& from, const std::string& to) override {
        return !Fails(Call::Rename) && native_.Rename(from, to);
    }
    bool Remove(const std::string& name) override { return native_.Remove(name); }
    std::string Reason() const override { return injected_ ? "injected" : native_.Reason(); }

    const std::vector<Call>& Calls() const { return calls_; }

private:
    // Calls after the failure only clean up; they pass through and are not counted.
    bool Fails(Call call) {
        if (injected_)
            return false;
        calls_.push_back(call);
        injected_ = static_cast<int>(calls_.size()) == failAt_;
        return injected_;
    }

    vemo::NativeSaveSystem native_;
    int failAt_;
    std::size_t maxWrite_;
    std::vector<Call> calls_;
    bool injected_ = false;
};

const char* CallName(FaultySaveSystem::Call call) {
    switch (call) {
    case FaultySaveSystem::Call::CreateTemp:
        return "create temporary file";
    case FaultySaveSystem::Call::Write:
        return "write";
    case FaultySaveSystem::Call::Sync:
        return "sync";
    case FaultySaveSystem::Call::Close:
        return "close";
    case FaultySaveSystem::Call::Rename:
        return "rename";
    }
    return "?";
}

std::string Content(int lines) {
    std::string content;
    for (int i = 0; i < lines; ++i)
        content += "bmV3IGxpbmUgd2l0aCBzb21lIHRleHQ" + std::to_string(i) + "\r\n";
    return content;
}

struct MatrixCase {
    const char* name;
    std::string content;
    std::size_t maxWrite;
    bool targetExists;
};

void PrintTo(const MatrixCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveFaultMatrixTest : public testing::TestWithParam<MatrixCase> {};

// State: an old file (or none) and new content. Action: a save whose N-th call fails, for every
// N up to the calls a whole save makes. Expected: the error of that call, the old file byte for
// byte, no temporary file; with no call failing, the new content.
TEST_P(SaveFaultMatrixTest, EveryFailingCallLeavesTheOldFile) {
    const MatrixCase& param = GetParam();
    const std::string old = "b2xk\r\nZGF0YQ\r\n";
    ScratchDir dir;
    const std::string target = dir.File("data.sdf");
    const std::set<std::string> before =
        param.targetExists ? std::set<std::string>{"data.sdf"} : std::set<std::string>{};

    std::size_t calls = 0;
    std::set<std::string> failedCalls;
    for (int failAt = 1;; ++failAt) {
        if (param.targetExists)
            WriteFile(target, old);
        else
            fs::remove(target);
        FaultySaveSystem system(failAt, param.maxWrite);
        try {
            vemo::SaveDataFile(target, param.content, system);
        } catch (const vemo::Error& error) {
            ASSERT_EQ(system.Calls().size(), static_cast<std::size_t>(failAt));
            const FaultySaveSystem::Call call = system.Calls().back();
            SCOPED_TRACE("call " + std::to_string(failAt) + ": " + CallName(call));
            failedCalls.insert(CallName(call));
            const bool creating = call == FaultySaveSystem::Call::CreateTemp ||
                                  call == FaultySaveSystem::Call::Rename;
            EXPECT_EQ(error.Message(), creating ? kCannotCreate + target : kWriteError);
            EXPECT_EQ(error.Reason(), "injected");
            if (param.targetExists) {
                EXPECT_EQ(ReadFile(target), old);
            }
            EXPECT_EQ(FileNames(dir.Path()), before);
            continue;
        }
        // Nothing failed: this is the whole save, and every call before it was made to fail.
        calls = system.Calls().size();
        EXPECT_EQ(failAt, static_cast<int>(calls) + 1);
        EXPECT_EQ(ReadFile(target), param.content);
        EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"data.sdf"});
        break;
    }
    const std::size_t writes = (param.content.size() + param.maxWrite - 1) / param.maxWrite;
    EXPECT_EQ(calls, 4 + writes);
    EXPECT_EQ(failedCalls.size(), param.content.empty() ? 4u : 5u);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveFaultMatrixTest,
    testing::Values(MatrixCase{"SmallTable", Content(3), vemo::kSaveWriteBlock, true},
                    MatrixCase{"SmallTableShortWrites", Content(3), 40, true},
                    MatrixCase{"LargeTable", Content(8000), vemo::kSaveWriteBlock, true},
                    MatrixCase{"LargeTableShortWrites", Content(8000), 50000, true},
                    MatrixCase{"EmptyTable", "", vemo::kSaveWriteBlock, true},
                    MatrixCase{"NoOldFile", Content(3), 40, false}),
    [](const auto& info) { return std::string(info.param.name); });

#if defined(__linux__)
TEST(SaveDataFileTest, ReplacesTheTargetOfALinkAndKeepsTheLink) {
    ScratchDir dir;
    WriteFile(dir.Path() / "real.sdf", "old\r\n");
    fs::create_symlink("real.sdf", dir.Path() / "data.sdf");
    vemo::SaveDataFile(dir.File("data.sdf"), "new\r\n");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "data.sdf"));
    EXPECT_EQ(ReadFile(dir.Path() / "real.sdf"), "new\r\n");
    EXPECT_EQ(FileNames(dir.Path()), (std::set<std::string>{"data.sdf", "real.sdf"}));
}

TEST(SaveDataFileTest, FifoAsTargetIsRefusedWithoutWaiting) {
    ScratchDir dir;
    const std::string target = dir.File("data.sdf");
    ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
    Watchdog watchdog;
    try {
        vemo::SaveDataFile(target, "new\r\n");
        ADD_FAILURE() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + target);
    }
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"data.sdf"});
}

struct FullDiskCase {
    const char* name;
    bool austrian;
    int lines;
    std::size_t freeBytes;
};

void PrintTo(const FullDiskCase& c, std::ostream* os) {
    *os << c.name;
}

class FullDiskTest : public testing::TestWithParam<FullDiskCase> {};

// State: a data file on a full disk (or one with 4 KiB left). Action: a conversion whose data
// file does not fit. Expected: "Stream write error", the old data file byte for byte, nothing
// else left on the disk; the table holds the new lines.
TEST_P(FullDiskTest, ConversionKeepsTheOldDataFile) {
    const FullDiskCase& param = GetParam();
    ScratchDir dir;
    const fs::path disk = dir.Path() / "disk";
    fs::create_directory(disk);
    testsupport::SmallDisk mounted(disk);
    if (!mounted.Problem().empty())
        GTEST_SKIP() << "no tmpfs here (" << mounted.Problem() << ")";

    std::string source;
    for (int i = 0; i < param.lines; ++i)
        source += "1;0;AS;Start " + std::to_string(i) + ";;AK;Ende;12,5\r\n";
    const fs::path sourceFile = dir.Path() / "source.csv";
    WriteFile(sourceFile, source);
    const std::string old = "b2xk\r\nZGF0YQ\r\n";
    const std::string target = (disk / "data.sdf").string();
    WriteFile(target, old);
    testsupport::SmallDisk::Fill(disk, param.freeBytes);
    ASSERT_FALSE(HasFatalFailure());

    vemo::LineTable table;
    try {
        if (param.austrian)
            vemo::ConvertAustrian(table, sourceFile.string(), target);
        else
            vemo::ConvertGerman(table, sourceFile.string(), target);
        ADD_FAILURE() << "saved " << fs::file_size(target) << " bytes";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kWriteError);
        EXPECT_EQ(error.Reason(), std::generic_category().message(ENOSPC));
    }
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(FileNames(disk), (std::set<std::string>{"data.sdf", "filler"}));
    EXPECT_EQ(table.Count(), param.lines);
}

INSTANTIATE_TEST_SUITE_P(Conversions, FullDiskTest,
                         testing::Values(FullDiskCase{"GermanSmallFull", false, 10, 0},
                                         FullDiskCase{"GermanSmall4KiBFree", false, 150, 4096},
                                         FullDiskCase{"GermanLargeFull", false, 2000, 0},
                                         FullDiskCase{"AustrianSmallFull", true, 10, 0},
                                         FullDiskCase{"AustrianLarge4KiBFree", true, 2000, 4096}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

#if defined(_WIN32)
// Others may read a data file while it is read, but not write it.
TEST(ReadDataFileTest, OthersMayReadButNotWriteWhileItIsRead) {
    ScratchDir dir;
    const fs::path file = dir.Path() / "data.sdf";
    WriteFile(file, "a\r\nb\r\n");
    bool reader = false;
    bool writer = true;
    const vemo::DataFileContent read = vemo::ReadDataFile(file.string(), [&] {
        reader = std::ifstream(file, std::ios::binary).is_open();
        writer = std::ofstream(file, std::ios::binary | std::ios::app).is_open();
    });
    const std::string content(read.View());
    EXPECT_TRUE(reader);
    EXPECT_FALSE(writer);
    EXPECT_EQ(content, "a\r\nb\r\n");
}

// Windows opens a device for these names, in any folder and with any extension.
class ReservedNameTest : public testing::TestWithParam<std::string> {};

TEST_P(ReservedNameTest, IsNeitherLoadedNorSaved) {
    ScratchDir dir;
    const std::string file = dir.File(GetParam());
    vemo::LineTable table;
    table.Append("kept");
    try {
        table.LoadFromFile(file);
        ADD_FAILURE() << "loaded " << table.Count() << " lines";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + file);
    }
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"kept"});
    try {
        vemo::SaveDataFile(file, "new\r\n");
        ADD_FAILURE() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + file);
    }
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Devices, ReservedNameTest,
                         testing::Values("nul", "NUL.sdf", "con.sdf", "aux", "com1.csv"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });
#endif

} // namespace
