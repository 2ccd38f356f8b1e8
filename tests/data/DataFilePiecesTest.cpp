// The data-file read block by block into one buffer, and the save of content handed over in
// pieces, which must reach the system in the same writes as the whole content.
#include "data/store/DataFile.h"
#include "data/store/Errors.h"

#include "tests/support/FakeSaveSystem.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;
using testfiles::FileNames;
using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WriteFile;
using testsupport::FakeSaveSystem;
using testsupport::SaveContent;

namespace {

// Cuts content into the pieces a save is handed.
struct PieceCase {
    const char* name;
    std::function<std::vector<std::string_view>(std::string_view)> cut;
};

void PrintTo(const PieceCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::string_view> EveryN(std::string_view content, std::size_t n) {
    std::vector<std::string_view> pieces;
    for (std::size_t at = 0; at < content.size(); at += n)
        pieces.push_back(content.substr(at, n));
    return pieces;
}

vemo::ContentPieces Handing(const std::vector<std::string_view>& pieces) {
    return [pieces](const auto& put) {
        for (const auto piece : pieces)
            put(piece);
    };
}

class SaveDataFilePiecesTest : public testing::TestWithParam<std::tuple<PieceCase, std::size_t>> {};

// State: an old file. Action: save the same content whole and in pieces, with writes cut short
// or not. Expected: the same file and the same writes, each offered from the first byte not yet
// written.
TEST_P(SaveDataFilePiecesTest, WritesLikeTheWholeContent) {
    const auto& [pieces, maxWrite] = GetParam();
    const std::string content = SaveContent(6000);
    ScratchDir dir;
    const std::string target = dir.File("data.sdf");

    WriteFile(target, "old\r\n");
    FakeSaveSystem whole(maxWrite);
    vemo::SaveDataFile(target, content, whole);

    WriteFile(target, "old\r\n");
    FakeSaveSystem inPieces(maxWrite);
    vemo::SaveDataFile(target, Handing(pieces.cut(content)), inPieces);

    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(inPieces.Writes(), whole.Writes());
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"data.sdf"});
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, SaveDataFilePiecesTest,
    testing::Combine(
        testing::Values(
            PieceCase{"Whole", [](std::string_view c) { return EveryN(c, c.size()); }},
            PieceCase{"LineAndLineEnd",
                      [](std::string_view c) {
                          std::vector<std::string_view> pieces;
                          for (std::size_t at = 0; at < c.size();) {
                              const std::size_t end = c.find("\r\n", at);
                              pieces.push_back(c.substr(at, end - at));
                              pieces.push_back(c.substr(end, 2));
                              at = end + 2;
                          }
                          return pieces;
                      }},
            PieceCase{"SingleBytes", [](std::string_view c) { return EveryN(c, 1); }},
            PieceCase{"JustUnderABlock",
                      [](std::string_view c) { return EveryN(c, vemo::kSaveWriteBlock - 1); }},
            PieceCase{"LargerThanABlock",
                      [](std::string_view c) { return EveryN(c, vemo::kSaveWriteBlock + 7); }},
            PieceCase{"EmptyPiecesBetween",
                      [](std::string_view c) {
                          std::vector<std::string_view> pieces;
                          for (const auto piece : EveryN(c, 1000)) {
                              pieces.push_back({});
                              pieces.push_back(piece);
                          }
                          return pieces;
                      }}),
        testing::Values(vemo::kSaveWriteBlock, std::size_t{50000}, std::size_t{40})),
    [](const auto& info) {
        return std::get<0>(info.param).name + "Max"s + std::to_string(std::get<1>(info.param));
    });

// Whatever the content throws, a failure of its own as much as one of the data layer, goes on
// to the caller and takes the temporary file with it.
struct ThrowCase {
    const char* name;
    std::function<void()> fail;
};

void PrintTo(const ThrowCase& c, std::ostream* os) {
    *os << c.name;
}

class PiecesThatThrowTest : public testing::TestWithParam<ThrowCase> {};

TEST_P(PiecesThatThrowTest, KeepTheOldFileAndLeaveNothingBehind) {
    ScratchDir dir;
    const std::string target = dir.File("data.sdf");
    WriteFile(target, "old\r\n");
    const vemo::ContentPieces failing = [fail = GetParam().fail](const auto& put) {
        put(std::string(3 * vemo::kSaveWriteBlock, 'x'));
        fail();
    };
    bool thrown = false;
    try {
        vemo::SaveDataFile(target, failing);
    } catch (...) {
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ReadFile(target), "old\r\n");
    EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"data.sdf"});
}

INSTANTIATE_TEST_SUITE_P(
    Throws, PiecesThatThrowTest,
    testing::Values(ThrowCase{"StandardError", [] { throw std::runtime_error("source gone"); }},
                    ThrowCase{"DataLayerError", [] { throw vemo::FileError("maut_55a.csv"); }},
                    ThrowCase{"NoMemory", [] { throw std::bad_alloc(); }}),
    testrows::ByName());

struct ReadCase {
    const char* name;
    std::string content;
    std::size_t size; // of the content as read: up to the first NUL
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadDataFileBlocksTest : public testing::TestWithParam<ReadCase> {};

// Every block read is handed over at once, in order, no larger than a read block, in the buffer
// that the read returns.
TEST_P(ReadDataFileBlocksTest, HandsOverEveryBlockInOrder) {
    const ReadCase& c = GetParam();
    ScratchDir dir;
    WriteFile(dir.File("data.sdf"), c.content);
    std::vector<std::size_t> sizes;
    const char* buffer = nullptr;
    std::size_t capacity = 0;
    const vemo::DataFileContent read =
        vemo::ReadDataFile(dir.File("data.sdf"), {}, [&](const vemo::DataFileContent& sofar) {
            sizes.push_back(sofar.size);
            buffer = sofar.bytes.Data();
            capacity = sofar.bytes.Capacity();
        });
    EXPECT_EQ(read.View(), std::string_view(c.content).substr(0, c.size));
    if (c.content.empty()) {
        EXPECT_TRUE(sizes.empty());
        return;
    }
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), c.size);
    EXPECT_EQ(buffer, read.bytes.Data());
    EXPECT_GE(capacity, c.content.size());
    std::size_t previous = 0;
    for (const std::size_t size : sizes) {
        EXPECT_GT(size, previous);
        EXPECT_LE(size - previous, vemo::kReadBlock);
        previous = size;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadDataFileBlocksTest,
    testing::Values(ReadCase{"Empty", "", 0}, ReadCase{"Small", "a\r\nb\r\n", 6},
                    ReadCase{"ThreeBlocksAndABit", std::string(3 * vemo::kReadBlock + 5, 'x'),
                             3 * vemo::kReadBlock + 5},
                    ReadCase{"NulInTheSecondBlock",
                             std::string(vemo::kReadBlock + 10, 'x') + "\0tail"s +
                                 std::string(vemo::kReadBlock, 'y'),
                             vemo::kReadBlock + 10}),
    testrows::ByName());

} // namespace
