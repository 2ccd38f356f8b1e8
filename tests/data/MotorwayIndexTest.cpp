// The motorway index skips a row whose encoding starts like the last offered row's; neighbour
// rows whose encodings share a long start must still give every motorway.
#include "data/rules/MotorwayIndex.h"
#include "data/rules/SectionEntry.h"
#include "data/rules/SortedUniqueList.h"
#include "data/rules/TollData.h"
#include "data/store/LineTable.h"
#include "tests/support/PlainReading.h"
#include "tests/support/Tables.h"
#include "text/BaseXCodec.h"
#include "text/TextRoutines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using testrows::EncodedTable;

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
    testrows::ByName());

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

struct KeyCase {
    const char* name;
    std::string selector;
    std::string key;
};

class GermanMotorwayKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(GermanMotorwayKeyTest, DropsTheFirstCharacter) {
    EXPECT_EQ(vemo::GermanMotorwayKey(GetParam().selector), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Selectors, GermanMotorwayKeyTest,
    testing::Values(KeyCase{"Prefixed", "A3", "3"}, KeyCase{"TwoDigits", "A10", "10"},
                    KeyCase{"PrefixOnly", "A", ""}, KeyCase{"Empty", "", ""},
                    KeyCase{"TypedWithoutPrefix", "31", "1"},
                    KeyCase{"IndexEntry", std::string(vemo::kGermanMotorwayPrefix) + "45", "45"}),
    testrows::ByName());

TEST(SectionListingTest, GermanMatchesTrimmedFieldOneWithCase) {
    // State: rows of motorway 3 with blanks around the number, a near miss and other motorways.
    vemo::LineTable table = EncodedTable({
        "3;;AS;One;;AS;Two;1,5",
        "30;;AS;Thirty;;AS;X;9",
        " 3\t;;AS;Two;;AS;Three;2",
        "03;;AS;Zero;;AS;X;9",
        "3 4;;AS;Gap;;AS;X;9",
        "",
        "3",
    });
    table.Set(1, std::string(table.Get(1)) + "=="); // padding ends the decode
    const std::vector<std::string> three = {"(AS) One : (AS) Two;1,5", "(AS) Two : (AS) Three;2",
                                            "()  : () ;"};
    EXPECT_EQ(vemo::GermanSectionListing(table, "3"), three);
    EXPECT_EQ(vemo::GermanSectionListing(table, "3"), three) << "listing again";
    EXPECT_EQ(vemo::GermanSectionListing(table, "3 4"),
              std::vector<std::string>{"(AS) Gap : (AS) X;9"});
    EXPECT_EQ(vemo::GermanSectionListing(table, ""), std::vector<std::string>{"()  : () ;"});
    // A key with blanks at its end or a ";" can equal no trimmed field.
    EXPECT_TRUE(vemo::GermanSectionListing(table, "3 ").empty());
    EXPECT_TRUE(vemo::GermanSectionListing(table, " 3").empty());
    EXPECT_TRUE(vemo::GermanSectionListing(table, "3;").empty());
    EXPECT_TRUE(vemo::GermanSectionListing(table, "4").empty());
}

TEST(SectionListingTest, AustrianIsCaseSensitiveAndSkipsHeader) {
    vemo::LineTable table;
    table.Append(vemo::Base64Encode("A1;header;a;b;1;2;3"));
    table.Append(vemo::Base64Encode("A1;;Wien;Linz;1,5;2,5;3,5"));
    table.Append(vemo::Base64Encode("a1;;Graz;Linz;1;2;3"));
    table.Append(vemo::Base64Encode("A1 ;;Linz;Salzburg;4;5;6"));
    EXPECT_EQ(vemo::AustrianSectionListing(table, "A1"),
              (std::vector<std::string>{"Wien-Linz : 1,5/2,5/3,5", "Linz-Salzburg : 4/5/6"}));
    EXPECT_EQ(vemo::AustrianSectionListing(table, "a1"),
              std::vector<std::string>{"Graz-Linz : 1/2/3"});
    EXPECT_TRUE(vemo::AustrianSectionListing(vemo::LineTable(), "A1").empty());
}

// Listing by decoding field 1 alone must give what decoding every row whole gives.
TEST(SectionListingTest, EqualsWholeRowDecodeOnRandomTables) {
    // Not std::mt19937: with its members instantiated here, the Windows build (mingw-w64, static
    // Qt) crashed in Qt's random generator whenever a temporary folder was made.
    std::minstd_rand random(20240611);
    const std::string pieces[] = {"3", "A1", "a1", " ", "\t", ";", "x", "\xE8", "\x01", "30"};
    const std::string keys[] = {"3", "A1", "a1", "", "30", "x", "3 3", "\xE8"};
    for (int round = 0; round < 200; ++round) {
        vemo::LineTable table;
        const int rows = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < rows; ++i) {
            std::string row;
            const int n = static_cast<int>(random() % 12);
            for (int p = 0; p < n; ++p)
                row += pieces[random() % std::size(pieces)];
            std::string line = vemo::Base64Encode(row);
            switch (random() % 6) {
            case 0:
                line += "=";
                break;
            case 1:
                line.insert(random() % (line.size() + 1), " ");
                break;
            case 2:
                line = line.substr(0, random() % (line.size() + 1));
                break;
            default:
                break;
            }
            table.Append(line);
        }
        for (const auto& key : keys) {
            ASSERT_EQ(vemo::GermanSectionListing(table, key), plain::Listing(table, key, true))
                << round << " " << key;
            ASSERT_EQ(vemo::AustrianSectionListing(table, key), plain::Listing(table, key, false))
                << round << " " << key;
        }
    }
}

TEST(MotorwayIndexTest, OrderUniquenessAndPrefix) {
    const vemo::LineTable table =
        EncodedTable({"10;a", "2;b", " 1\t;c", "1;d", "", "2", "b1", "B1"});
    vemo::SortedUniqueList german(vemo::PlainCaseInsensitiveCollation());
    vemo::BuildGermanIndex(table, german);
    EXPECT_EQ(german.Items(), (std::vector<std::string>{"A", "A1", "A10", "A2", "Ab1"}));

    vemo::SortedUniqueList austrian(vemo::PlainCaseInsensitiveCollation());
    vemo::BuildAustrianIndex(table, austrian);
    EXPECT_EQ(austrian.Items(), (std::vector<std::string>{"", "1", "10", "2", "b1"}));

    vemo::SortedUniqueList none(vemo::PlainCaseInsensitiveCollation());
    vemo::BuildGermanIndex(EncodedTable({}), none);
    vemo::BuildAustrianIndex(vemo::LineTable(), none);
    EXPECT_EQ(none.Count(), 0);
}

} // namespace
