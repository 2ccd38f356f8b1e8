// The route file: its text, read back whole, refused with the line when it is not one, and its
// entries found again in tables that have changed since.
#include "data/documents/RouteFile.h"
#include "data/documents/RouteLookup.h"
#include "data/rules/SortedUniqueList.h"
#include "data/store/Errors.h"
#include "tests/support/Tables.h"
#include "tests/support/TestFiles.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

vemo::RouteFile SampleRoute() {
    vemo::RouteFile route;
    route.saved = {2026, 12, 8};
    route.tariff = vemo::Utf8ToCp1250("Sazebník: vestavěný, platný od 1. 1. 2005");
    route.germanCategory = "Kategorie B";
    route.weightClass = "nad 18 t";
    route.axles = 4;
    route.germanToll = 2.2968;
    route.germanBilled = 230;
    route.austrianCategory = "Kategorie C";
    route.austrianToll = 13.155;
    route.austrianBilled = 1316;
    route.germanRoute = {{"A3", "(AS) Start : (AK) Ort 1;12,5"},
                         {"A3", vemo::Utf8ToCp1250("(AS) Köln\\Süd : (AK) Tab\there;7")}};
    route.austrianRoute = {{"A13", vemo::Utf8ToCp1250("Innsbruck-Brenner : 24,02/33,64/50,43")},
                           {"", "line\r\nbreak : 1/2/3"}};
    return route;
}

// The file is what users keep, so its text is pinned, not only its round trip.
TEST(RouteFile, TextOfASavedRoute) {
    EXPECT_EQ(vemo::RouteFileText(SampleRoute()),
              "Vemo Maut trasa\t2\n"
              "Uloženo\t8.12.2026\n"
              "Sazebník\tSazebník: vestavěný, platný od 1. 1. 2005\n"
              "Německo\tKategorie B\tnad 18 t\t4\t2.2968\t2.30\n"
              "Rakousko\tKategorie C\t13.155\t13.16\n"
              "Německo úsek\tA3\t(AS) Start : (AK) Ort 1;12,5\n"
              "Německo úsek\tA3\t(AS) Köln\\\\Süd : (AK) Tab\\there;7\n"
              "Rakousko úsek\tA13\tInnsbruck-Brenner : 24,02/33,64/50,43\n"
              "Rakousko úsek\t\tline\\r\\nbreak : 1/2/3\n");
}

TEST(RouteFile, ReadsBackWhatItWrote) {
    const vemo::RouteFile route = SampleRoute();
    EXPECT_EQ(vemo::ParseRouteFile(vemo::RouteFileText(route), "t"), route);
    // As an editor on Windows may leave it: a byte-order mark, CR LF and empty lines.
    std::string edited = "\xEF\xBB\xBF";
    for (const char c : vemo::RouteFileText(route))
        edited += c == '\n' ? std::string("\r\n\r\n") : std::string(1, c);
    EXPECT_EQ(vemo::ParseRouteFile(edited, "t"), route);
}

// A file of the first version has no weight class, and its totals rounded to the cent stand
// for the billed tolls.
TEST(RouteFile, ReadsTheFirstVersion) {
    const vemo::RouteFile route = vemo::ParseRouteFile(
        "Vemo Maut trasa\t1\nUloženo\t8.12.2026\nNěmecko\tKategorie B\t4\t2.2968\n"
        "Rakousko\tKategorie C\t1.125\n",
        "t");
    EXPECT_EQ(route.weightClass, "");
    EXPECT_EQ(route.axles, 4);
    EXPECT_EQ(route.germanBilled, 230);
    EXPECT_EQ(route.austrianBilled, 113);
}

struct TollCase {
    const char* name;
    double toll;
    const char* written;
    double read;
};

void PrintTo(const TollCase& c, std::ostream* out) {
    *out << c.name;
}

class SavedTolls : public ::testing::TestWithParam<TollCase> {};

TEST_P(SavedTolls, AreReadBackAsWritten) {
    vemo::RouteFile route = SampleRoute();
    route.austrianToll = GetParam().toll;
    const std::string text = vemo::RouteFileText(route);
    EXPECT_NE(text.find("Rakousko\tKategorie C\t"s + GetParam().written + "\t"), std::string::npos)
        << text;
    EXPECT_EQ(vemo::ParseRouteFile(text, "t").austrianToll, GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Tolls, SavedTolls,
    ::testing::Values(
        TollCase{"TenDigitsToTheLastDecimal", -1.234567891e-9, "-1.234567891E-9", -1.234567891e-9},
        // What is left of a total after sections of many digits were taken off:
        // the decimals beyond a quote's last one come to no heller.
        TollCase{"ResidueBeyondTheLastDecimal", 1.0 - 0.9999999999999999, "1.11E-16", 1.11e-16}),
    testrows::ByName());

struct BadFileCase {
    const char* name;
    std::string content;
    std::string message; // UTF-8
};

void PrintTo(const BadFileCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kHead = "Vemo Maut trasa\t1\nUloženo\t8.12.2026\n";
const std::string kCategories = "Německo\tKategorie B\t3\t2.145\nRakousko\tKategorie B\t9.3\n";
const std::string kInvalid = "Soubor r.txt není platný soubor trasy (";

class BadRouteFiles : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadRouteFiles, AreRefusedWithTheirLine) {
    try {
        vemo::ParseRouteFile(GetParam().content, "r.txt");
        FAIL() << "accepted";
    } catch (const vemo::Error& error) {
        EXPECT_EQ(vemo::Cp1250ToUtf8(error.Message()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadRouteFiles,
    ::testing::Values(
        BadFileCase{"Empty", "", "Soubor r.txt není soubor trasy programu Vemo Maut"},
        BadFileCase{"SomethingElse", "%PDF-1.4\n%\xE2\xE3\n",
                    "Soubor r.txt není soubor trasy programu Vemo Maut"},
        BadFileCase{"FormatWithoutVersion", "Vemo Maut trasa\n" + kCategories,
                    "Soubor r.txt není soubor trasy programu Vemo Maut"},
        BadFileCase{"LaterVersion", "Vemo Maut trasa\t3\n",
                    "Soubor r.txt je trasa ve formátu „3“, který tato verze programu nezná"},
        BadFileCase{"BilledWithComma", "Vemo Maut trasa\t2\nNěmecko\tA\t\t3\t2.2968\t2,30\n",
                    kInvalid + "řádek 2: vyúčtované mýtné „2,30“ není částka s desetinnou "
                               "tečkou a dvěma desetinnými místy)"},
        BadFileCase{"BilledBeyondTheCent", "Vemo Maut trasa\t2\nRakousko\t\t1.125\t1.125\n",
                    kInvalid + "řádek 2: vyúčtované mýtné „1.125“ není částka s desetinnou "
                               "tečkou a dvěma desetinnými místy)"},
        BadFileCase{"UnknownRecord", kHead + "Polsko\tA2\n",
                    kInvalid + "řádek 3: neznámý záznam „Polsko“)"},
        BadFileCase{"MissingRecord", kHead + "Německo\tKategorie B\t3\t2.145\n",
                    kInvalid + "chybí záznam „Rakousko“)"},
        BadFileCase{"RepeatedRecord", kHead + kCategories + "Rakousko\tKategorie A\t1\n",
                    kInvalid + "řádek 5: záznam „Rakousko“ je v souboru podruhé)"},
        BadFileCase{"FieldMissing", kHead + "Německo\tKategorie B\t3\n",
                    kInvalid + "řádek 3: záznam „Německo“ má mít 3 pole za názvem)"},
        BadFileCase{"AxlesOutOfRange", kHead + "Německo\tKategorie B\t19\t2.145\n",
                    kInvalid + "řádek 3: počet náprav „19“ není celé číslo od 1 do 18)"},
        BadFileCase{"TollWithComma", kHead + "Německo\tKategorie B\t3\t2,145\n",
                    kInvalid + "řádek 3: mýtné „2,145“ není číslo s desetinnou tečkou)"},
        BadFileCase{"TollTooLarge", kHead + "Německo\tKategorie B\t3\t1e10\n",
                    kInvalid + "řádek 3: mýtné „1e10“ je příliš velké)"},
        // The program writes at most ten significant digits, and no toll smaller than a
        // quote's last decimal.
        BadFileCase{"TollBelowTheLastDecimal", kHead + "Německo\tKategorie B\t3\t1E-150\n",
                    kInvalid + "řádek 3: mýtné „1E-150“ má více než 18 desetinných míst)"},
        BadFileCase{"TollWithElevenDigits", kHead + "Rakousko\t\t2.1450000001\n",
                    kInvalid + "řádek 3: mýtné „2.1450000001“ má více než 10 platných číslic)"},
        BadFileCase{"TollWithBlanks", kHead + "Německo\tKategorie B\t3\t1 2 3\n",
                    kInvalid + "řádek 3: mýtné „1 2 3“ není číslo s desetinnou tečkou)"},
        BadFileCase{"AustrianCategoryUnknown", kHead + "Rakousko\tKategorie D\t1\n",
                    kInvalid + "řádek 3: rakouská kategorie „Kategorie D“ neexistuje)"},
        BadFileCase{"BadDate", "Vemo Maut trasa\t1\nUloženo\t31.2.2026\n",
                    kInvalid + "řádek 2: datum „31.2.2026“ není platné)"},
        BadFileCase{"BadEscape", kHead + kCategories + "Německo úsek\tA3\tx\\q\n",
                    kInvalid + "řádek 5: neznámá posloupnost „\\q“)"},
        BadFileCase{"EscapeOfALetterOfTwoBytes", kHead + kCategories + "Německo úsek\tA3\t\\č\n",
                    kInvalid + "řádek 5: neznámá posloupnost „\\č“)"},
        BadFileCase{"BackslashEndsTheLine", kHead + "Německo\tab\\\n",
                    kInvalid + "řádek 3: neznámá posloupnost „\\“)"},
        BadFileCase{"LineOfABackslash", kHead + "\\\r\n",
                    kInvalid + "řádek 3: neznámá posloupnost „\\“)"},
        BadFileCase{"NulByte", kHead + kCategories + "Německo úsek\tA3\tx\0y\n"s,
                    kInvalid + "řádek 5: obsahuje nulový bajt)"},
        BadFileCase{"NotUtf8", kHead + kCategories + "Německo úsek\tA3\tK\xF6ln\n",
                    kInvalid + "řádek 5: text není v kódování UTF-8)"}),
    testrows::ByName());

// What a user picks by mistake, or cannot reach, is named in the message, and a failed save
// leaves no file behind.
TEST(RouteFile, FilesThatCannotBeUsed) {
    testfiles::ScratchDir dir;
    const std::string big = dir.File("big.txt");
    testfiles::WriteFile(big, std::string(vemo::kLargestRouteFile + 1, 'x'));
    const auto message = [](const std::function<void()>& run) {
        try {
            run();
        } catch (const vemo::Error& error) {
            return vemo::Cp1250ToUtf8(error.Message());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { vemo::ReadRouteFile(big, "big.txt"); }),
              "Soubor big.txt je příliš velký");
    // The system's reason follows, in the user's language.
    EXPECT_EQ(message([&] { vemo::ReadRouteFile(dir.Path().string(), "folder"); }),
              "Soubor folder nelze otevřít: není to obyčejný soubor");
    const std::string unreachable = (dir.Path() / "no" / "r.txt").string();
    const std::string unsaved =
        message([&] { vemo::SaveRouteFile(unreachable, "no/r.txt", SampleRoute()); });
    EXPECT_TRUE(unsaved.starts_with("Soubor no/r.txt nelze uložit: ") &&
                unsaved.size() > "Soubor no/r.txt nelze uložit: "s.size())
        << unsaved;
    // The read does not end at a NUL as a data file's does: the entries behind it are not lost
    // unnoticed.
    const std::string nul = dir.File("nul-byte.txt");
    testfiles::WriteFile(nul, kHead + kCategories + "Německo úsek\tA3\tx\0y\n"s);
    EXPECT_THROW(vemo::ReadRouteFile(nul, "nul-byte.txt"), vemo::Error);
    EXPECT_EQ(testfiles::FileNames(dir.Path()), (std::set<std::string>{"big.txt", "nul-byte.txt"}));
}

// ---- Entries found again in today's tables ---------------------------------------------------
// The window's tests reopen routes after changed and missing sections; these are the cases
// they do not reach.

struct FindCase {
    const char* name;
    std::vector<std::string> rows; // German rows of today's table
    std::vector<vemo::RouteFileEntry> saved;
    std::vector<std::string> found;
    std::vector<vemo::RouteFileEntry> missing;
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.name;
}

class FindRoutes : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindRoutes, TakesTodaysEntries) {
    const FindCase& c = GetParam();
    const vemo::LineTable table = testrows::EncodedTable(c.rows);
    vemo::SortedUniqueList index(vemo::PlainCaseInsensitiveCollation());
    for (const std::string& row : c.rows)
        index.Add("A" + row.substr(0, row.find(';')));
    const vemo::FoundRoute route = vemo::FindRoute(c.saved, vemo::GermanRouteTables(table, index));
    EXPECT_EQ(route.entries, c.found);
    EXPECT_EQ(route.missing, c.missing);
}

const std::string kOrt1 = "3;1;AS;Start;;AK;Ort 1;12,5";
const std::string kOrt2 = "3;2;AS;Ort 1;;AK;Ort 2;7";
const vemo::RouteFileEntry kSavedOrt1{"A3", "(AS) Start : (AK) Ort 1;12,5"};
const vemo::RouteFileEntry kSavedOrt2{"A3", "(AS) Ort 1 : (AK) Ort 2;7"};

INSTANTIATE_TEST_SUITE_P(Cases, FindRoutes,
                         ::testing::Values(FindCase{"OrderAndRepeatsKept",
                                                    {kOrt1, kOrt2},
                                                    {kSavedOrt2, kSavedOrt1, kSavedOrt2},
                                                    {kSavedOrt2.entry, kSavedOrt1.entry,
                                                     kSavedOrt2.entry},
                                                    {}},
                                           FindCase{"SameNameOnAnotherMotorwayIsNotIt",
                                                    {kOrt1, "4;2;AS;Ort 1;;AK;Ort 2;7"},
                                                    {kSavedOrt1, kSavedOrt2},
                                                    {kSavedOrt1.entry},
                                                    {kSavedOrt2}}),
                         testrows::ByName());

// Saving names each entry's motorway: the first in index order that lists it.
TEST(RouteFile, EntriesGetTheirMotorway) {
    const vemo::LineTable table = testrows::EncodedTable(
        {"A13;Brenner;Innsbruck;Brenner;1;2;3", "A10;Tauern;Salzburg;Villach;4;5;6",
         "A1;West;Wien;Salzburg;4;5;6", "A2;Sud;Salzburg;Villach;4;5;6"});
    vemo::SortedUniqueList index(vemo::PlainCaseInsensitiveCollation());
    for (const char* motorway : {"A13", "A10", "A1", "A2"})
        index.Add(motorway);
    const auto entries = vemo::RouteEntriesOf(
        {"Innsbruck-Brenner : 1/2/3", "Salzburg-Villach : 4/5/6", "gone : 1/1/1"},
        vemo::AustrianRouteTables(table, index));
    EXPECT_EQ(entries, (std::vector<vemo::RouteFileEntry>{{"A13", "Innsbruck-Brenner : 1/2/3"},
                                                          {"A10", "Salzburg-Villach : 4/5/6"},
                                                          {"", "gone : 1/1/1"}}));
}

} // namespace
