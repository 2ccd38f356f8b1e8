#include "TollData.h"
#include "BaseXCodec.h"
#include "Errors.h"
#include "TextRoutines.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using testfiles::ReadFile;
using testfiles::ScratchDir;
using testfiles::WorkingDir;
using testfiles::WriteFile;

namespace {

const std::string kCannotCreate = "Nelze vytvo\xF8it soubor ";

// A table as the data files hold it: every row encoded, the header first.
vemo::LineTable EncodedTable(const std::vector<std::string>& rows) {
    vemo::LineTable table;
    table.Append(vemo::Base64Encode("motorway;x;from;name;y;to;name;km"));
    for (const auto& row : rows)
        table.Append(vemo::Base64Encode(row));
    return table;
}

std::string FileOf(const vemo::LineTable& table) {
    std::string bytes;
    for (const auto& line : table.Lines())
        bytes += line + "\r\n";
    return bytes;
}

struct EntryCase {
    const char* name;
    std::string row;
    std::string german;
    std::string austrian;
};

class SectionEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(SectionEntryTest, BuildsBothShapes) {
    EXPECT_EQ(vemo::GermanSectionEntry(GetParam().row), GetParam().german);
    EXPECT_EQ(vemo::AustrianSectionEntry(GetParam().row), GetParam().austrian);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SectionEntryTest,
    testing::Values(EntryCase{"Full", "3;x;AS;K\xF6ln;y;AK;Bonn;12,5;z",
                              "(AS) K\xF6ln : (AK) Bonn;12,5", "AS-K\xF6ln : y/AK/Bonn"},
                    EntryCase{"FieldsTrimmed",
                              " 3 ;x; AS 1 ;\tK\xF6ln \r; y ;\x01"
                              "AK;Bonn\t; 12,5 ;",
                              "(AS 1) K\xF6ln : (AK) Bonn;12,5", "AS 1-K\xF6ln : y/AK/Bonn"},
                    EntryCase{"ShortRow", "3;x;AS", "(AS)  : () ;", "AS- : //"},
                    EntryCase{"Empty", "", "()  : () ;", "- : //"},
                    EntryCase{"EmptyFieldsBetween", "1;;a;;;b;;c", "(a)  : (b) ;c", "a- : /b/"}),
    [](const auto& info) { return std::string(info.param.name); });

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
            std::vector<std::string> german;
            std::vector<std::string> austrian;
            for (int i = 1; i < table.Count(); ++i) {
                const std::string row = vemo::Base64Decode(table.Get(i));
                if (vemo::Trim(vemo::GetField(row, ";", 1)) == key) {
                    german.push_back(vemo::GermanSectionEntry(row));
                    austrian.push_back(vemo::AustrianSectionEntry(row));
                }
            }
            ASSERT_EQ(vemo::GermanSectionListing(table, key), german) << round << " " << key;
            ASSERT_EQ(vemo::AustrianSectionListing(table, key), austrian) << round << " " << key;
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
    [](const auto& info) { return std::string(info.param.name); });

class ConversionTest : public testing::Test {
protected:
    std::string ConvertedGerman(const std::string& source) {
        WriteFile(vemo::kGermanSourceFile, source);
        vemo::LineTable table;
        vemo::ConvertGerman(table);
        const std::string file = ReadFile(vemo::kGermanDataFile);
        EXPECT_EQ(FileOf(table), file) << "the table holds the lines just saved";
        return file;
    }
    std::string ConvertedAustrian(const std::string& source) {
        WriteFile(vemo::kAustrianSourceFile, source);
        vemo::LineTable table;
        vemo::ConvertAustrian(table);
        return ReadFile(vemo::kAustrianDataFile);
    }

    ScratchDir dir_;
    WorkingDir cwd_{dir_.Path()};
};

TEST_F(ConversionTest, GermanSourceLineForLine) {
    using vemo::Base64Encode;
    const std::string expected = Base64Encode("h;x") + "\r\n\r\n" + Base64Encode("3\t;a;K\xF6ln") +
                                 "\r\n" + Base64Encode("1") + "\r\n";
    EXPECT_EQ(ConvertedGerman("h;x\r\n\r\n3\t;a;K\xF6ln\r\n1"), expected);
    EXPECT_EQ(ConvertedGerman("h;x\n\n3\t;a;K\xF6ln\n1\n"), expected) << "LF only";
    EXPECT_EQ(ConvertedGerman("h;x\r\r3\t;a;K\xF6ln\r1\r"), expected) << "CR only";
    EXPECT_EQ(ConvertedGerman("h;x\n\n3\t;a;K\xF6ln\n1\n"), expected) << "twice";
    EXPECT_EQ(ConvertedGerman(""), "");
    EXPECT_TRUE(std::filesystem::exists(vemo::kGermanDataFile));
}

TEST_F(ConversionTest, AustrianTabsAndSemicolonsGiveTheSameFile) {
    const std::string tabs = ConvertedAustrian("h\tx\r\nA1\t\tWien\tLinz\t1,5\t2\t3\r\n");
    const std::string semicolons = ConvertedAustrian("h;x\r\nA1;;Wien;Linz;1,5;2;3\r\n");
    EXPECT_EQ(tabs, semicolons);
    EXPECT_EQ(tabs, vemo::Base64Encode("h;x") + "\r\n" +
                        vemo::Base64Encode("A1;;Wien;Linz;1,5;2;3") + "\r\n");
    vemo::LineTable table;
    table.LoadFromFile(vemo::kAustrianDataFile);
    EXPECT_EQ(vemo::AustrianSectionListing(table, "A1"),
              std::vector<std::string>{"Wien-Linz : 1,5/2/3"});
}

TEST_F(ConversionTest, MissingSourceChangesNothing) {
    WriteFile(vemo::kGermanDataFile, "b2xk\r\n");
    vemo::LineTable table;
    table.Append("b2xk");
    try {
        vemo::ConvertGerman(table);
        FAIL() << "converted";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + "maut_55a.csv");
    }
    try {
        vemo::ConvertAustrian(table);
        FAIL() << "converted";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + "au_maut.csv");
    }
    EXPECT_EQ(table.Lines(), std::vector<std::string>{"b2xk"});
    EXPECT_EQ(ReadFile(vemo::kGermanDataFile), "b2xk\r\n");
}

TEST_F(ConversionTest, FailedSaveLeavesNewLinesInTable) {
    WriteFile(vemo::kGermanSourceFile, "h\r\n3;a\r\n");
    vemo::LineTable table;
    try {
        vemo::ConvertGerman(table, vemo::kGermanSourceFile, "missing/data.sdf");
        FAIL() << "saved";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(error.Message(), kCannotCreate + "missing/data.sdf");
    }
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"aA", "Mzth"}));
}

TEST(NumberProblemsTest, ReportsFieldsTheParseCannotRead) {
    vemo::LocaleSettings comma;
    comma.decimalSeparator = ',';
    const vemo::LineTable german = EncodedTable({
        "3;;a;b;;c;d; 12,5 ",
        "3;;a;b;;c;d;12.5",
        "3;;a;b;;c;d;",
        "3;;a;b;;c;d;1 234,5",
        "3",
    });
    const auto problems = vemo::GermanNumberProblems(german, comma);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].row, 2);
    EXPECT_EQ(problems[0].field, 8);
    EXPECT_EQ(problems[0].text, "12.5");
    EXPECT_EQ(problems[1].row, 3);
    EXPECT_EQ(problems[1].text, "");
    EXPECT_EQ(problems[2].row, 5);

    const vemo::LineTable austrian = EncodedTable({"A1;;a;b;1,5;x;2", "A1;;a;b;0;-1;1E3"});
    const auto au = vemo::AustrianNumberProblems(austrian, comma);
    ASSERT_EQ(au.size(), 1u);
    EXPECT_EQ(au[0].row, 1);
    EXPECT_EQ(au[0].field, 6);
    EXPECT_EQ(au[0].text, "x");
    EXPECT_EQ(vemo::AustrianNumberProblems(austrian, vemo::LocaleSettings()).size(), 2u);
}

} // namespace
