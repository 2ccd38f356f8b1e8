// The whole-file read and the safe save: what a load takes from files that are not plain
// finished files, and that no failing call of a save can cost the old file a byte.
#include "data/store/DataFile.h"
#include "data/rules/TollData.h"
#include "data/store/Errors.h"
#include "data/store/LineTable.h"

#include "tests/support/FakeSaveSystem.h"
#include "tests/support/NonRegularFiles.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

// FIFOs, sockets, device links and a small tmpfs exist only on Linux; Windows has its own cases.
#if defined(__linux__)
#include "tests/support/SmallDisk.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

using namespace std::string_literals;
using testfiles::FileNames;
using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WriteFile;
namespace fs = std::filesystem;
using namespace testsupport;
using testsupport::FakeSaveSystem;
using testsupport::SaveContent;

namespace {

using testrows::kCannotCreate;
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
                         testrows::ByName());

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
                         testrows::ByName());

// A name with Czech letters in a folder named so, as the window and vemo-data hand it on: the
// file gets that very name, and its filesystem path finds it.
TEST(DataFileNameTest, CzechFolderAndFileName) {
    const ScratchDir dir("Mýtné 2027");
    const std::string file = dir.File("Šťastný.sdf");
    vemo::SaveDataFile(file, "a\r\n");
    vemo::SaveDataFile(file, "b\r\nc\r\n");
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"Šťastný.sdf"});
    EXPECT_EQ(vemo::ReadDataFile(file).View(), "b\r\nc\r\n");
    std::error_code error;
    EXPECT_EQ(fs::file_size(vemo::FilePath(file), error), 6u) << error.message();
}

struct MatrixCase {
    const char* name;
    std::string content;
    std::size_t maxWrite;
    bool targetExists;
    std::size_t piece = 0; // handed over in pieces of this size; 0: whole
};

void PrintTo(const MatrixCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveFaultMatrixTest : public testing::TestWithParam<MatrixCase> {};

// State: an old file (or none) and new content, whole or in pieces. Action: a save whose N-th
// call fails, for every N up to the calls a whole save makes. Expected: the error of that call,
// the old file byte for byte (the new one when only the folder's sync failed, after the rename),
// no temporary file; with no call failing, the new content.
TEST_P(SaveFaultMatrixTest, EveryFailingCallLeavesTheOldFile) {
    using Call = FakeSaveSystem::Call;
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
        FakeSaveSystem system(param.maxWrite);
        system.FailAt(failAt);
        try {
            if (param.piece == 0)
                vemo::SaveDataFile(target, param.content, system);
            else
                vemo::SaveDataFile(
                    target,
                    [&param](const auto& put) {
                        for (std::size_t at = 0; at < param.content.size(); at += param.piece)
                            put(std::string_view(param.content).substr(at, param.piece));
                    },
                    system);
        } catch (const vemo::Error& error) {
            ASSERT_EQ(system.Calls().size(), static_cast<std::size_t>(failAt));
            const Call call = system.Calls().back();
            SCOPED_TRACE("call " + std::to_string(failAt) + ": " + FakeSaveSystem::Name(call));
            failedCalls.insert(FakeSaveSystem::Name(call));
            const bool creating =
                call == Call::CreateTemp || call == Call::KeepAttributes || call == Call::Rename;
            EXPECT_EQ(error.Message(), creating ? kCannotCreate + target : kWriteError);
            EXPECT_EQ(error.Reason(), "injected");
            if (call == Call::SyncFolder) {
                EXPECT_EQ(ReadFile(target), param.content);
                EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"data.sdf"});
                continue;
            }
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
    EXPECT_EQ(calls, 6 + writes);
    EXPECT_EQ(failedCalls.size(), param.content.empty() ? 6u : 7u);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveFaultMatrixTest,
    testing::Values(MatrixCase{"SmallTable", SaveContent(3), vemo::kSaveWriteBlock, true},
                    MatrixCase{"SmallTableShortWrites", SaveContent(3), 40, true},
                    MatrixCase{"LargeTable", SaveContent(8000), vemo::kSaveWriteBlock, true},
                    MatrixCase{"LargeTableShortWrites", SaveContent(8000), 50000, true},
                    MatrixCase{"EmptyTable", "", vemo::kSaveWriteBlock, true},
                    MatrixCase{"NoOldFile", SaveContent(3), 40, false},
                    MatrixCase{"LargeTableInPieces", SaveContent(6000), vemo::kSaveWriteBlock, true,
                               100}),
    testrows::ByName());

// Every entry of a folder and below, links not followed: a link as "-> " and where it points,
// a regular file as its content.
std::map<std::string, std::string> Entries(const fs::path& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().lexically_relative(dir).generic_string();
        if (entry.is_symlink())
            entries[name] = "-> " + fs::read_symlink(entry.path()).generic_string();
        else if (entry.is_regular_file())
            entries[name] = ReadFile(entry.path());
        else
            entries[name] = entry.is_directory() ? "(folder)" : "(other)";
    }
    return entries;
}

// A target the save refuses: the message names it, the reason says why, and nothing in the
// folder changes.
struct RefusedCase {
    const char* name;
    std::function<void(const fs::path& dir)> make;
    std::function<std::string()> reason; // how the reason starts
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedTargetTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTargetTest, IsNamedWithTheReasonAndNothingChanges) {
    ScratchDir dir;
    GetParam().make(dir.Path());
    const auto before = Entries(dir.Path());
    const std::string target = dir.File("data.sdf");
    Watchdog watchdog;
    try {
        vemo::SaveDataFile(target, "new\r\n");
        ADD_FAILURE() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + target);
        EXPECT_EQ(error.Reason().rfind(GetParam().reason(), 0), 0u) << error.Reason();
    }
    EXPECT_EQ(Entries(dir.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedTargetTest,
    testing::Values(
        // Every name of the file would have to see the new content; a rename gives it to one.
        RefusedCase{"HardLinked",
                    [](const fs::path& d) {
                        WriteFile(d / "other.sdf", "old\r\n");
                        fs::create_hard_link(d / "other.sdf", d / "data.sdf");
                    },
                    [] { return std::string("soubor má více pevných odkazů"); }}
#if defined(__linux__)
        ,
        RefusedCase{"Fifo", [](const fs::path& d) { kFifo.make(d / "data.sdf"); },
                    [] { return std::string("není to obyčejný soubor"); }},
        RefusedCase{"LinksInALoop",
                    [](const fs::path& d) {
                        fs::create_symlink("loop.sdf", d / "data.sdf");
                        fs::create_symlink("data.sdf", d / "loop.sdf");
                    },
                    [] { return vemo::SystemReason(ELOOP); }},
        RefusedCase{"DanglingLinkIntoNoFolder",
                    [](const fs::path& d) { fs::create_symlink("no/real.sdf", d / "data.sdf"); },
                    [] { return vemo::SystemReason(ENOENT); }}
#endif
        ),
    testrows::ByName());

#if defined(__linux__)
// A save through a link writes the file the link leads to, also one that is not there yet, and
// the links stay as they were.
struct LinkCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links; // name, where it points
    std::string written;                                    // the file that gets the content
    bool writtenExists;
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveThroughLinkTest : public testing::TestWithParam<LinkCase> {};

TEST_P(SaveThroughLinkTest, WritesWhereTheLinkLeadsAndKeepsTheLink) {
    const LinkCase& c = GetParam();
    ScratchDir dir;
    fs::create_directory(dir.Path() / "sub");
    if (c.writtenExists)
        WriteFile(dir.Path() / c.written, "old\r\n");
    for (const auto& [name, to] : c.links)
        fs::create_symlink(to, dir.Path() / name);
    auto expected = Entries(dir.Path());
    expected[c.written] = "new\r\n";

    vemo::SaveDataFile(dir.File("data.sdf"), "new\r\n");
    EXPECT_EQ(Entries(dir.Path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Links, SaveThroughLinkTest,
    testing::Values(
        LinkCase{"ToAFile", {{"data.sdf", "real.sdf"}}, "real.sdf", true},
        LinkCase{"Dangling", {{"data.sdf", "real.sdf"}}, "real.sdf", false},
        LinkCase{"DanglingIntoASubfolder", {{"data.sdf", "sub/real.sdf"}}, "sub/real.sdf", false},
        // A relative link in a subfolder is read from that subfolder.
        LinkCase{"ChainEndingDangling",
                 {{"data.sdf", "sub/mid.sdf"}, {"sub/mid.sdf", "real.sdf"}},
                 "sub/real.sdf",
                 false}),
    testrows::ByName());

// What a file is besides its content.
struct Look {
    unsigned mode = 0;
    unsigned owner = 0;
    unsigned group = 0;
    std::map<std::string, std::string> attributes;
    bool operator==(const Look&) const = default;
};

void PrintTo(const Look& look, std::ostream* os) {
    *os << std::oct << look.mode << std::dec << " " << look.owner << ":" << look.group;
    for (const auto& [name, value] : look.attributes)
        *os << " " << name << "(" << value.size() << " bytes)";
}

Look LookOf(const fs::path& file) {
    struct stat status {};
    EXPECT_EQ(stat(file.c_str(), &status), 0);
    Look look{status.st_mode & 07777u, status.st_uid, status.st_gid, {}};
    std::string names(65536, '\0');
    const ssize_t size = listxattr(file.c_str(), names.data(), names.size());
    for (std::size_t at = 0; size > 0 && at < static_cast<std::size_t>(size);) {
        const std::string name = names.c_str() + at;
        std::string value(65536, '\0');
        const ssize_t length = getxattr(file.c_str(), name.c_str(), value.data(), value.size());
        value.resize(static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
        look.attributes[name] = value;
        at += name.size() + 1;
    }
    return look;
}

// An ACL giving the user nobody read access: user::rw- user:nobody:r-- group::r-- mask::r--
// other::---, in the kernel's little-endian form.
std::string NobodyMayReadAcl() {
    std::string acl;
    const auto put = [&acl](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(2, 4); // version
    for (const auto& [tag, permissions, id] :
         std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>>{
             {0x01, 6, 0xFFFFFFFF},
             {0x02, 4, 65534},
             {0x04, 4, 0xFFFFFFFF},
             {0x10, 4, 0xFFFFFFFF},
             {0x20, 0, 0xFFFFFFFF}}) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    }
    return acl;
}

// Makes the old file what the case is about; the reason it cannot here, or empty.
struct KeepCase {
    const char* name;
    std::function<std::string(const fs::path& old)> make;
};

void PrintTo(const KeepCase& c, std::ostream* os) {
    *os << c.name;
}

std::string Mode(const fs::path& file, mode_t mode) {
    return chmod(file.c_str(), mode) == 0 ? "" : std::strerror(errno);
}

std::string Attribute(const fs::path& file, const char* name, const std::string& value) {
    return setxattr(file.c_str(), name, value.data(), value.size(), 0) == 0 ? ""
                                                                            : std::strerror(errno);
}

class SaveKeepsTheFileTest : public testing::TestWithParam<KeepCase> {};

// State: an old data file with the case's mode, owner or attributes, or none. Action: a save.
// Expected: the new content, with all of the old file's mode, owner, group and attributes; a
// new file looks like one an ordinary create makes.
TEST_P(SaveKeepsTheFileTest, NewContentKeepsWhatTheFileWas) {
    ScratchDir dir;
    const fs::path target = dir.Path() / "data.sdf";
    WriteFile(target, "old\r\n");
    if (const std::string why = GetParam().make(target); !why.empty())
        GTEST_SKIP() << why;
    Look expected;
    if (fs::exists(target)) {
        expected = LookOf(target);
    } else {
        WriteFile(dir.Path() / "ordinary.sdf", "");
        expected = LookOf(dir.Path() / "ordinary.sdf");
        fs::remove(dir.Path() / "ordinary.sdf");
    }
    vemo::SaveDataFile(target.string(), "new\r\n");
    EXPECT_EQ(LookOf(target), expected);
    EXPECT_EQ(ReadFile(target), "new\r\n");
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"data.sdf"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveKeepsTheFileTest,
    testing::Values(KeepCase{"Private0600", [](const fs::path& f) { return Mode(f, 0600); }},
                    KeepCase{"GroupWritable0664", [](const fs::path& f) { return Mode(f, 0664); }},
                    KeepCase{"Executable0755", [](const fs::path& f) { return Mode(f, 0755); }},
                    KeepCase{"OwnedByNobody0600",
                             [](const fs::path& f) -> std::string {
                                 if (geteuid() != 0)
                                     return "only root gives a file away";
                                 if (chown(f.c_str(), 65534, 65534) != 0)
                                     return std::strerror(errno);
                                 return Mode(f, 0600);
                             }},
                    KeepCase{"UserAttribute",
                             [](const fs::path& f) {
                                 return Attribute(f, "user.vemo.source", "maut_55a");
                             }},
                    KeepCase{"AccessControlList",
                             [](const fs::path& f) {
                                 return Attribute(f, "system.posix_acl_access", NobodyMayReadAcl());
                             }},
                    KeepCase{"NoOldFile",
                             [](const fs::path& f) {
                                 fs::remove(f);
                                 return std::string();
                             }}),
    testrows::ByName());

// Names up to the 255 bytes a Linux file system allows save like short ones, new and over an
// old file: the temporary name must not grow with the target's.
class LongNameTest : public testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(LongNameTest, SavesNewAndOverTheOldFile) {
    ScratchDir dir;
    const std::string& name = GetParam().second;
    ASSERT_LE(name.size(), 255u);
    vemo::SaveDataFile(dir.File(name), "first\r\n");
    vemo::SaveDataFile(dir.File(name), "second\r\n");
    EXPECT_EQ(ReadFile(dir.Path() / name), "second\r\n");
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{name});
}

std::string CzechName(std::size_t bytes) {
    std::string name;
    while (name.size() + 2 + 4 <= bytes)
        name += "\xC5\xBE"; // ž
    name += std::string(bytes - 4 - name.size(), 'x');
    return name + ".sdf";
}

INSTANTIATE_TEST_SUITE_P(Names, LongNameTest,
                         testing::Values(std::pair{"Ascii240", std::string(236, 'd') + ".sdf"},
                                         std::pair{"Ascii250", std::string(246, 'd') + ".sdf"},
                                         std::pair{"Ascii255", std::string(251, 'd') + ".sdf"},
                                         std::pair{"Czech255Bytes", CzechName(255)}),
                         [](const auto& info) { return std::string(info.param.first); });

// The holder of a write lease (Samba's oplocks) is told to let go, and the load waits for it
// as a plain open would, instead of failing at once.
volatile sig_atomic_t leaseBroken = 0;
int leaseHolder = -1;

TEST(ReadDataFileTest, WaitsForALeaseHolderToLetGo) {
    ScratchDir dir;
    const fs::path file = dir.Path() / "data.sdf";
    WriteFile(file, "a\r\nb\r\n");
    struct sigaction release {};
    release.sa_handler = [](int) {
        fcntl(leaseHolder, F_SETLEASE, F_UNLCK);
        leaseBroken = 1;
    };
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGIO, &release, &previous), 0);
    leaseBroken = 0;
    leaseHolder = open(file.c_str(), O_RDONLY);
    ASSERT_GE(leaseHolder, 0);
    if (fcntl(leaseHolder, F_SETLEASE, F_WRLCK) != 0) {
        const std::string why = std::strerror(errno);
        close(leaseHolder);
        sigaction(SIGIO, &previous, nullptr);
        GTEST_SKIP() << "no lease here: " << why;
    }
    {
        Watchdog watchdog;
        EXPECT_EQ(std::string(vemo::ReadDataFile(file.string()).View()), "a\r\nb\r\n");
    }
    EXPECT_EQ(leaseBroken, 1);
    close(leaseHolder);
    sigaction(SIGIO, &previous, nullptr);
}

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer would end the program at an allocation beyond its limit; the test below needs
// the failed allocation that a plain build gets.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

// A file larger than any address space (sparse, on a tmpfs) is the file error with the system's
// words for missing memory, and the table stays as it was.
TEST(ReadDataFileTest, FileLargerThanMemoryIsAFileError) {
    ScratchDir dir;
    const fs::path disk = dir.Path() / "disk";
    fs::create_directory(disk);
    testsupport::SmallDisk mounted(disk);
    if (!mounted.Problem().empty())
        GTEST_SKIP() << "no tmpfs here (" << mounted.Problem() << ")";
    const std::string file = (disk / "data.sdf").string();
    WriteFile(file, "");
    fs::resize_file(file, std::uintmax_t{1} << 62);
    vemo::LineTable table;
    table.Append("kept");
    try {
        table.LoadFromFile(file);
        ADD_FAILURE() << "loaded " << table.Count() << " lines";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + file);
        EXPECT_EQ(error.Reason(), vemo::NoMemoryReason());
    }
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"kept"});
}

// Where the system itself refuses the new content: a file size limit or a full disk, with room
// for a few blocks of it or for none.
struct RefusalCase {
    const char* name;
    int error; // EFBIG: a file size limit of room bytes; ENOSPC: a disk with room left
    std::size_t room;
    int lines;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class NativeWriteFailureTest : public testing::TestWithParam<RefusalCase> {};

// State: an old file where the system takes only part of the new content. Action: save.
// Expected: "Stream write error" with the system's words, the old file byte for byte, nothing
// else left beside it.
TEST_P(NativeWriteFailureTest, KeepsTheOldFile) {
    const RefusalCase& param = GetParam();
    ScratchDir dir;
    const fs::path disk = dir.Path() / "disk";
    fs::create_directory(disk);
    std::optional<testsupport::SmallDisk> mounted;
    if (param.error == ENOSPC) {
        mounted.emplace(disk);
        if (!mounted->Problem().empty())
            GTEST_SKIP() << "no tmpfs here (" << mounted->Problem() << ")";
    }
    const std::string old = "b2xk\r\nZGF0YQ\r\n";
    const std::string target = (disk / "data.sdf").string();
    WriteFile(target, old);
    std::set<std::string> names{"data.sdf"};
    if (mounted) {
        testsupport::SmallDisk::Fill(disk, param.room);
        ASSERT_FALSE(HasFatalFailure());
        names.insert("filler");
    }

    // A file size limit makes write() fail with EFBIG once the temporary file reaches it.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (param.error == EFBIG) {
        rlimit small = saved;
        small.rlim_cur = param.room;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    std::string message, reason;
    try {
        vemo::SaveDataFile(target, SaveContent(param.lines));
    } catch (const vemo::Error& error) {
        message = error.Message();
        reason = error.Reason();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, kWriteError);
    EXPECT_EQ(reason, std::generic_category().message(param.error));
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(FileNames(disk), names);
}

INSTANTIATE_TEST_SUITE_P(Refusals, NativeWriteFailureTest,
                         testing::Values(RefusalCase{"FileSizeLimit", EFBIG, 4096, 2000},
                                         RefusalCase{"DiskFull", ENOSPC, 0, 10},
                                         RefusalCase{"DiskFullLarge", ENOSPC, 0, 2000},
                                         RefusalCase{"Disk4KiBFree", ENOSPC, 4096, 2000}),
                         testrows::ByName());
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
