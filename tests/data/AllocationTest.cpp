// Loading a table, building its motorway index and passing over rows that do not match a listing
// take a handful of allocations in all, however many lines the table has.
#include "data/rules/SortedUniqueList.h"
#include "data/rules/TollData.h"
#include "data/store/LineTable.h"
#include "text/BaseXCodec.h"

#include "data/rules/MotorwayIndex.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>

namespace {

// Counts the allocations made while a counter is alive; this test program's operator new
// forwards to malloc.
long allocations = 0;
bool counting = false;

class AllocationCount {
public:
    AllocationCount() {
        allocations = 0;
        counting = true;
    }
    ~AllocationCount() { counting = false; }
    AllocationCount(const AllocationCount&) = delete;
    AllocationCount& operator=(const AllocationCount&) = delete;
    long Count() const { return allocations; }
};

} // namespace

void* operator new(std::size_t size) {
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

// Out of line: inlined into a caller, the free() would meet that caller's operator new and
// GCC 12 for mingw-w64 reports the pair as mismatched.
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// 20,000 rows of 40 motorways, each motorway's rows together, CR LF after every line.
std::string DataFileContent() {
    std::string content = vemo::Base64Encode("BAB;x;from;name;y;to;name;km") + "\r\n";
    for (int i = 0; i < 20000; ++i) {
        content += vemo::Base64Encode(std::to_string(i / 500) + ";" + std::to_string(i) +
                                      ";AS;K\xF6ln-Nord;12,0;AK;Bonn;7,5;");
        content += "\r\n";
    }
    return content;
}

struct StepCase {
    const char* name;
    // On a table loaded from fileName, which holds content.
    std::function<void(vemo::LineTable& table, const std::string& fileName,
                       const std::string& content)>
        step;
    long most;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.name;
}

class AllocationTest : public testing::TestWithParam<StepCase> {};

TEST_P(AllocationTest, TakesNoAllocationPerLine) {
    const std::string content = DataFileContent();
    testfiles::ScratchDir dir;
    const std::string fileName = dir.File("data.sdf");
    testfiles::WriteFile(fileName, content);
    vemo::LineTable table;
    table.LoadFromFile(fileName);
    ASSERT_EQ(table.Count(), 20001);

    AllocationCount count;
    GetParam().step(table, fileName, content);
    EXPECT_LE(count.Count(), GetParam().most);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AllocationTest,
    testing::Values(StepCase{"LoadFromFile",
                             [](vemo::LineTable& table, const std::string& fileName,
                                const std::string&) { table.LoadFromFile(fileName); },
                             10},
                    StepCase{"LoadFromBytes",
                             [](vemo::LineTable& table, const std::string&,
                                const std::string& content) { table.LoadFromBytes(content); },
                             10},
                    StepCase{"BuildGermanIndex",
                             [](vemo::LineTable& table, const std::string&, const std::string&) {
                                 vemo::SortedUniqueList index(
                                     vemo::PlainCaseInsensitiveCollation());
                                 vemo::BuildGermanIndex(table, index);
                             },
                             // each of the 40 motorways inserted: its text and the set's node
                             200},
                    StepCase{"ListingWithoutMatches",
                             [](vemo::LineTable& table, const std::string&, const std::string&) {
                                 if (!vemo::GermanSectionListing(table, "999").empty())
                                     std::abort();
                             },
                             2}),
    testrows::ByName());

} // namespace
