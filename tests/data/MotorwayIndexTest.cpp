// The motorway index skips a row whose encoding starts like the last offered row's; neighbour
// rows whose encodings share a long start must still give every motorway.
#include "BaseXCodec.h"
#include "LineTable.h"
#include "SortedUniqueList.h"
#include "TextRoutines.h"
#include "TollData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NeighbourCase {
    const char* name;
    std::vector<std::string> rows; // decoded, without the header
};

void PrintTo(const NeighbourCase& c, std::ostream* os) {
    *os << c.name;
}

// The index as every row decoded whole gives it.
std::vector<std::string> PlainIndex(const std::vector<std::string>& rows) {
    vemo::SortedUniqueList index(vemo::PlainCaseInsensitiveCollation());
    for (const auto& row : rows)
        index.Add("A" + std::string(vemo::Trim(vemo::GetField(row, ";", 1))));
    return index.Items();
}

class MotorwayIndexTest : public testing::TestWithParam<NeighbourCase> {};

TEST_P(MotorwayIndexTest, EqualsTheIndexOfWholeRows) {
    vemo::LineTable table;
    table.Append(vemo::Base64Encode("header"));
    for (const auto& row : GetParam().rows)
        table.Append(vemo::Base64Encode(row));
    vemo::SortedUniqueList index(vemo::PlainCaseInsensitiveCollation());
    vemo::BuildGermanIndex(table, index);
    EXPECT_EQ(index.Items(), PlainIndex(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(
    Neighbours, MotorwayIndexTest,
    testing::Values(
        // "ab;" fills four characters exactly; "abc;" shares the first three.
        NeighbourCase{"LongerNumberAfter", {"ab;x", "abc;x"}},
        NeighbourCase{"ShorterNumberAfter", {"abc;x", "ab;x"}},
        NeighbourCase{"OneByteLonger", {"1;a", "12;a", "1;a", "123;a", "1234;a"}},
        NeighbourCase{"NoSeparatorAfterOne", {"7;x", "7", "7x", "7;y"}},
        NeighbourCase{"NoSeparatorFirst", {"7", "7;x", "78"}},
        NeighbourCase{"BlanksAroundOnlyInOne", {"3;a", " 3 ;a", "3;b"}},
        NeighbourCase{"SeparatorAtEveryPhase", {"x;", "x;;", "xx;", "xxx;", "xxxx;", "x;"}},
        NeighbourCase{"InvalidRowBetween", {"5;a", "", "5;a", "\x80;a"}},
        NeighbourCase{"CaseDiffersOnly", {"a1;x", "A1;x", "a1;y"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Rows whose encoded start goes past the padding or into bytes outside the alphabet.
TEST(MotorwayIndexTest, EncodedRowsCutShortStillCount) {
    vemo::LineTable table;
    table.Append("aGVhZGVy");
    table.Append(vemo::Base64Encode("12;x")); // "MTI7eA"
    table.Append("MTI=");                     // "12", decoding ends at "="
    table.Append("MTI7");                     // "12;"
    table.Append("MT");                       // "1"
    vemo::SortedUniqueList index(vemo::PlainCaseInsensitiveCollation());
    vemo::BuildGermanIndex(table, index);
    EXPECT_EQ(index.Items(), (std::vector<std::string>{"A1", "A12"}));
}

} // namespace
