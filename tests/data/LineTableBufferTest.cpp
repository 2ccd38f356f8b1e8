// The line table's one buffer: splitting across the blocks a file is read in, replacing and
// appending lines (also from the table itself), copies, and lines too long for the packed form.
#include "data/store/ByteBuffer.h"
#include "data/store/LineTable.h"

#include "tests/support/PlainReading.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

// A line end placed at every offset around the 64-byte groups the splitter looks at and the
// half-megabyte blocks a file is read in, with the line after it.
struct BoundaryCase {
    const char* name;
    std::string lineEnd;
};

void PrintTo(const BoundaryCase& c, std::ostream* os) {
    *os << c.name;
}

class LineTableBlockTest : public testing::TestWithParam<std::tuple<std::size_t, BoundaryCase>> {
protected:
    std::string Content() const {
        const auto& [length, end] = GetParam();
        std::string content(length, 'x');
        content += end.lineEnd;
        content += "next";
        content += end.lineEnd;
        content += "last";
        return content;
    }
};

TEST_P(LineTableBlockTest, BytesSplitLikeThePlainReading) {
    const std::string content = Content();
    vemo::LineTable table;
    table.LoadFromBytes(content);
    EXPECT_EQ(table.Lines(), plain::Lines(content));
}

TEST_P(LineTableBlockTest, FileSplitsLikeThePlainReading) {
    const std::string content = Content();
    testfiles::ScratchDir dir;
    testfiles::WriteFile(dir.File("t.sdf"), content);
    vemo::LineTable table;
    table.LoadFromFile(dir.File("t.sdf"));
    EXPECT_EQ(table.Lines(), plain::Lines(content));
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineTableBlockTest,
    testing::Combine(testing::Values(62, 63, 64, 65, 127, 128, (1 << 19) - 2, (1 << 19) - 1,
                                     1 << 19, (1 << 19) + 1),
                     testing::Values(BoundaryCase{"CrLf", "\r\n"}, BoundaryCase{"Cr", "\r"},
                                     BoundaryCase{"Lf", "\n"}, BoundaryCase{"LfCr", "\n\r"},
                                     BoundaryCase{"CrCrLf", "\r\r\n"},
                                     BoundaryCase{"TabIsNoLineEnd", "\t\r\n"},
                                     BoundaryCase{"Nul", "\0"s}, BoundaryCase{"CrNul", "\r\0"s})),
    [](const auto& info) {
        return std::get<1>(info.param).name + std::string("After") +
               std::to_string(std::get<0>(info.param));
    });

// A table and a plain list of strings under the same operations must hold the same lines.
struct EditCase {
    const char* name;
    int appends;  // weight of Append of a fresh line
    int replaces; // weight of Set with a fresh line
    int copies;   // weight of Set or Append of a line of the table itself
    int reloads;  // weight of LoadFromBytes, Clear, copy and move
};

class LineTableEditTest : public testing::TestWithParam<EditCase> {};

TEST_P(LineTableEditTest, HoldsWhatAListOfStringsHolds) {
    const EditCase& c = GetParam();
    // Not std::mt19937, which crashes the Windows data tests (see TollDataTest.cpp).
    std::minstd_rand rng(1250);
    vemo::LineTable table;
    std::vector<std::string> model;
    const auto fresh = [&rng] {
        // Mostly short, now and then long enough to outgrow the buffer at once.
        const std::size_t length = rng() % 10 == 0 ? 300 + rng() % 3000 : rng() % 40;
        return std::string(length, static_cast<char>('a' + rng() % 26));
    };
    std::discrete_distribution<int> pick({double(c.appends), double(c.replaces), double(c.copies),
                                          double(c.copies), double(c.reloads)});
    for (int step = 0; step < 3000; ++step) {
        const int what = pick(rng);
        const int count = static_cast<int>(model.size());
        if (what == 0 || count == 0) {
            const std::string line = fresh();
            table.Append(line);
            model.push_back(line);
        } else if (what == 1) {
            const int at = static_cast<int>(rng() % static_cast<unsigned>(count));
            const std::string line = fresh();
            table.Set(at, line);
            model[static_cast<std::size_t>(at)] = line;
        } else if (what == 2) {
            const int from = static_cast<int>(rng() % static_cast<unsigned>(count));
            const int to = static_cast<int>(rng() % static_cast<unsigned>(count));
            table.Set(to, table.Get(from));
            model[static_cast<std::size_t>(to)] = model[static_cast<std::size_t>(from)];
        } else if (what == 3) {
            const int from = static_cast<int>(rng() % static_cast<unsigned>(count));
            table.Append(table.Get(from));
            model.push_back(model[static_cast<std::size_t>(from)]);
        } else {
            switch (rng() % 4) {
            case 0:
                table.LoadFromBytes("one\r\ntwo\n\nthree");
                model = {"one", "two", "", "three"};
                break;
            case 1:
                table.Clear();
                model.clear();
                break;
            case 2: {
                vemo::LineTable copy(table);
                copy.Append("only in the copy");
                table = copy;
                table.Set(table.Count() - 1, "changed");
                EXPECT_EQ(copy.Get(copy.Count() - 1), "only in the copy");
                model.push_back("changed");
                break;
            }
            default: {
                vemo::LineTable moved(std::move(table));
                table = std::move(moved);
                break;
            }
            }
        }
        ASSERT_EQ(table.Count(), static_cast<int>(model.size())) << "step " << step;
    }
    EXPECT_EQ(table.Lines(), model);
}

INSTANTIATE_TEST_SUITE_P(Edits, LineTableEditTest,
                         testing::Values(EditCase{"AppendOnly", 1, 0, 0, 0},
                                         EditCase{"ReplaceMostly", 1, 20, 0, 0},
                                         EditCase{"FromItselfMostly", 1, 1, 10, 0},
                                         EditCase{"EverythingMixed", 3, 3, 3, 1}),
                         testrows::ByName());

TEST(LineTableBufferTest, LoadedLinesCanBeReplacedAndAppendedFromThemselves) {
    vemo::LineTable table;
    table.LoadFromBytes("alpha\r\nbeta\r\ngamma");
    table.Set(0, table.Get(2));
    table.Append(table.Get(1));
    table.Set(1, table.Get(1).substr(1, 2));
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"gamma", "et", "gamma", "beta"}));
}

TEST(LineTableBufferTest, OutsideIndexThrowsAndChangesNothing) {
    vemo::LineTable table;
    table.LoadFromBytes("a\nb");
    for (const int index : {-1, 2, 1000}) {
        EXPECT_THROW(table.Get(index), std::out_of_range) << index;
        EXPECT_THROW(table.Set(index, "x"), std::out_of_range) << index;
    }
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"a", "b"}));
}

TEST(LineTableBufferTest, MovedFromTableIsEmptyAndUsable) {
    vemo::LineTable table;
    table.LoadFromBytes("a\nb");
    vemo::LineTable moved(std::move(table));
    EXPECT_EQ(table.Count(), 0); // NOLINT(bugprone-use-after-move): the state after a move
    table.Append("new");
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"new"});
    EXPECT_EQ(moved.Lines(), (std::vector<std::string>{"a", "b"}));
}

// Lengths around 16 MiB, where a line's length no longer fits beside its offset.
class LineTableLongLineTest : public testing::TestWithParam<std::size_t> {};

TEST_P(LineTableLongLineTest, KeepsItsLengthThroughLoadReplaceAndRegrowth) {
    const std::size_t length = GetParam();
    std::string content = "first\r\n";
    content += std::string(length, 'L');
    content += "\r\nlast";
    vemo::LineTable table;
    table.LoadFromBytes(content);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Get(1).size(), length);
    EXPECT_EQ(table.Get(2), "last");

    // Replacing the first line outgrows the buffer and moves every line.
    table.Set(0, std::string(100, 'f'));
    table.Append(table.Get(1));
    EXPECT_EQ(table.Get(1).size(), length);
    EXPECT_EQ(table.Get(3).size(), length);
    EXPECT_EQ(table.Get(2), "last");
    table.Set(1, "short");
    EXPECT_EQ(table.Get(1), "short");
    EXPECT_EQ(table.Get(3), std::string(length, 'L'));
}

INSTANTIATE_TEST_SUITE_P(Lengths, LineTableLongLineTest,
                         testing::Values((std::size_t{1} << 24) - 2, (std::size_t{1} << 24) - 1,
                                         std::size_t{1} << 24),
                         [](const auto& info) { return "Length" + std::to_string(info.param); });

// Requests at and near the largest sizes, and just past the line table's 40-bit offsets and
// int line count: each is refused before any sum can wrap or any memory is asked for, and the
// table goes on as before. Run under AddressSanitizer, a buffer smaller than recorded shows at
// the append.
struct TooLargeCase {
    const char* name;
    std::function<void(vemo::LineTable& table)> request;
    bool lengthError; // std::length_error from the table, else std::bad_alloc from the buffer
};

void PrintTo(const TooLargeCase& c, std::ostream* os) {
    *os << c.name;
}

class TooLargeRequestTest : public testing::TestWithParam<TooLargeCase> {};

TEST_P(TooLargeRequestTest, IsRefusedAndTheTableGoesOn) {
    vemo::LineTable table;
    table.LoadFromBytes("alpha\r\nbeta\r\n");
    table.Set(0, "replaced"); // some unused bytes in the buffer
    if (GetParam().lengthError)
        EXPECT_THROW(GetParam().request(table), std::length_error);
    else
        EXPECT_THROW(GetParam().request(table), std::bad_alloc);
    table.Append(std::string(5000, 'n'));
    table.Append(table.Get(1));
    EXPECT_EQ(table.Lines(),
              (std::vector<std::string>{"replaced", "beta", std::string(5000, 'n'), "beta"}));
}

constexpr std::size_t kMax = SIZE_MAX;
constexpr std::size_t kOffsets = std::size_t{1} << 40;
// The bytes the table's lines use: "replaced" and "beta".
constexpr std::size_t kUsed = 12;

INSTANTIATE_TEST_SUITE_P(
    Sizes, TooLargeRequestTest,
    testing::Values(
        TooLargeCase{"ReserveMaxBytes", [](auto& t) { t.Reserve(0, kMax); }, true},
        // The sum of the used bytes and the request wraps to a few bytes.
        TooLargeCase{"ReserveBytesWrappingToFew", [](auto& t) { t.Reserve(0, kMax - kUsed + 8); },
                     true},
        TooLargeCase{"ReserveBytesPastTheOffsets",
                     [](auto& t) { t.Reserve(0, kOffsets - kUsed + 1); }, true},
        TooLargeCase{"ReserveMaxLines", [](auto& t) { t.Reserve(kMax, 0); }, true},
        TooLargeCase{"ReserveLinesPastInt", [](auto& t) { t.Reserve(std::size_t{INT_MAX} - 1, 0); },
                     true},
        TooLargeCase{"BufferOfMaxBytes", [](auto&) { vemo::ByteBuffer buffer(kMax); }, false},
        // Rounded up to whole huge pages, this would wrap to a block of 0 bytes.
        TooLargeCase{"BufferRoundingPastMax",
                     [](auto&) { vemo::ByteBuffer buffer(kMax - vemo::ByteBuffer::kHugePage + 2); },
                     false},
        TooLargeCase{"BufferJustPastItsMost",
                     [](auto&) { vemo::ByteBuffer buffer(vemo::ByteBuffer::kMaxCapacity + 1); },
                     false}),
    testrows::ByName());

} // namespace
