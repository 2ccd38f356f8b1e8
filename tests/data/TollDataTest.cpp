#include "data/rules/TollData.h"
#include "data/store/Errors.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WorkingDir;
using testfiles::WriteFile;

using testrows::EncodedTable;
using testrows::FileOf;
using testrows::kCannotCreate;

namespace {

// State: which data files exist. Action: start-up load. Expected: what is loaded, which
// selectors were filled, and the error.
struct StartupCase {
    const char* name;
    bool german;
    bool austrian;
    std::string austrianContent;
    std::vector<std::string> germanIndex;
    std::vector<std::string> austrianIndex;
    std::vector<std::string> fills;
    std::string error;
    int austrianRows;
};

class StartupLoadTest : public testing::TestWithParam<StartupCase> {};

TEST_P(StartupLoadTest, StopsAtFirstMissingFile) {
    const StartupCase& c = GetParam();
    ScratchDir dir;
    WorkingDir cwd(dir.Path());
    const vemo::LineTable germanTable = EncodedTable({"3;a;AS;X;b;AS;Y;1", "1;a;AS;X;b;AS;Y;2"});
    if (c.german)
        WriteFile(vemo::kGermanDataFile, FileOf(germanTable));
    if (c.austrian)
        WriteFile(vemo::kAustrianDataFile, c.austrianContent);

    vemo::TollLists lists(vemo::PlainCaseInsensitiveCollation());
    std::vector<std::string> fills;
    vemo::StartupSink sink;
    sink.fillGerman = [&](const vemo::SortedUniqueList& index) {
        EXPECT_EQ(&index, &lists.germanIndex);
        fills.push_back("german");
    };
    sink.fillAustrian = [&](const vemo::SortedUniqueList& index) {
        EXPECT_EQ(&index, &lists.austrianIndex);
        fills.push_back("austrian");
    };
    std::string error;
    try {
        vemo::StartupLoad(lists, sink);
    } catch (const vemo::Error& e) {
        error = e.Message();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(fills, c.fills);
    EXPECT_EQ(lists.germanIndex.Items(), c.germanIndex);
    EXPECT_EQ(lists.austrianIndex.Items(), c.austrianIndex);
    EXPECT_EQ(lists.germanTable.Lines(),
              c.german ? germanTable.Lines() : std::vector<std::string>{});
    EXPECT_EQ(lists.austrianTable.Count(), c.austrianRows);
}

const std::string kAustrianFile = FileOf(EncodedTable({"A1;;Wien;Linz;1;2;3", "S6;;a;b;1;2;3"}));

INSTANTIATE_TEST_SUITE_P(
    Files, StartupLoadTest,
    testing::Values(
        StartupCase{"Both",
                    true,
                    true,
                    kAustrianFile,
                    {"A1", "A3"},
                    {"A1", "S6"},
                    {"german", "austrian"},
                    "",
                    3},
        StartupCase{
            "GermanMissing", false, true, kAustrianFile, {}, {}, {}, kCannotCreate + "data.sdf", 0},
        StartupCase{"AustrianMissing",
                    true,
                    false,
                    "",
                    {"A1", "A3"},
                    {},
                    {"german"},
                    kCannotCreate + "data2.sdf",
                    0},
        StartupCase{"AustrianHeaderOnly",
                    true,
                    true,
                    "aGVhZGVy\r\n",
                    {"A1", "A3"},
                    {},
                    {"german", "austrian"},
                    "",
                    1}),
    testrows::ByName());

} // namespace
