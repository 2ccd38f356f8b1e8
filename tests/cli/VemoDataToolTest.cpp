// End-to-end runs of the vemo-data tool on real files.

#include "data/store/Errors.h"
#include "tests/support/TestFiles.h"
#include "tests/support/ToolRun.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"

#include <QLocale>
#include <gtest/gtest.h>

// FIFOs, device links and a small tmpfs exist only on Linux.
#if defined(__linux__)
#include "tests/support/SmallDisk.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <locale.h>
#endif

#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

using testfiles::ReadFile;
using testfiles::WriteFile;
using Result = testfiles::ToolResult;

class VemoDataToolTest : public testing::Test {
protected:
    // Runs the tool in the scratch folder with LC_ALL set.
    Result Run(const std::vector<std::string>& args, const char* locale = "C.UTF-8") {
        return RunProgram(VEMO_DATA_TOOL, args, locale);
    }

    Result RunProgram(const char* program, const std::vector<std::string>& args,
                      const char* locale = "C.UTF-8") {
        return testfiles::RunTool(program, args, dir_, locale);
    }

    // The tool runs in a folder named as a Czech user's are.
    testfiles::ScratchDir scratch_{"Mýtné 2027"};
    const fs::path& dir_ = scratch_.Path();
};

using vemo::Base64Encode;

// Whether the tool reads numbers and sorts as in locale when run with it. Windows programs
// follow the user's regional settings instead of LC_ALL.
bool ToolLocaleIs(const std::string& locale) {
#if defined(_WIN32)
    const QLocale user = QLocale::system();
    if (locale.rfind("cs_CZ", 0) == 0)
        return user.language() == QLocale::Czech;
    return user.decimalPoint() == QStringLiteral(".");
#else
    return locale == "C.UTF-8" || testfiles::LocaleAvailable(locale.c_str());
#endif
}

// A German data file with every line end, "=" padding, a Windows-1250 byte and a NUL, after
// which nothing is read.
const std::string kGermanFile = Base64Encode("Dalnice;x;od;z;y;do;do;km") + "\r\n" +
                                Base64Encode("3;;AS;K\xF6ln;;AK;Bonn;12.5") + "==\n" +
                                Base64Encode("10;;AS;A;;AS;B;3") + "\r" +
                                Base64Encode(" 3\t;;AD;Br\xFC"
                                             "hl;;AS;\xC8"
                                             "ern\xE1;2,5") +
                                "\n\r" + Base64Encode("1;;AS;C;;AS;D;1") + "=\r\n" + "\0"s +
                                Base64Encode("99;;AS;E;;AS;F;1") + "\r\n";

TEST_F(VemoDataToolTest, DecodePrintsEveryLineInUtf8OrRaw) {
    WriteFile(dir_ / "data.sdf", kGermanFile);
    const std::string lines[] = {"Dalnice;x;od;z;y;do;do;km",
                                 "3;;AS;K\xF6ln;;AK;Bonn;12.5",
                                 "10;;AS;A;;AS;B;3",
                                 " 3\t;;AD;Br\xFC"
                                 "hl;;AS;\xC8"
                                 "ern\xE1;2,5",
                                 "",
                                 "1;;AS;C;;AS;D;1"};
    std::string raw;
    for (const auto& line : lines)
        raw += line + "\n";

    const Result utf8 = Run({"decode", "data.sdf"});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_EQ(utf8.err, "");
    EXPECT_EQ(utf8.out, "Dalnice;x;od;z;y;do;do;km\n3;;AS;K\xC3\xB6ln;;AK;Bonn;12.5\n"
                        "10;;AS;A;;AS;B;3\n 3\t;;AD;Br\xC3\xBChl;;AS;\xC4\x8C"
                        "ern\xC3\xA1;2,5\n"
                        "\n1;;AS;C;;AS;D;1\n");
    EXPECT_EQ(Run({"--raw", "decode", "data.sdf"}).out, raw);
}

TEST_F(VemoDataToolTest, MotorwaysAndSections) {
    WriteFile(dir_ / "data.sdf", kGermanFile);
    const Result motorways = Run({"motorways", "data.sdf"});
    EXPECT_EQ(motorways.status, 0);
    EXPECT_EQ(motorways.out, "A\nA1\nA10\nA3\n");

    const Result sections = Run({"sections", "data.sdf", "A3"});
    EXPECT_EQ(sections.status, 0);
    EXPECT_EQ(sections.out, "(AS) K\xC3\xB6ln : (AK) Bonn;12.5\n"
                            "(AD) Br\xC3\xBChl : (AS) \xC4\x8C"
                            "ern\xC3\xA1;2,5\n");
    EXPECT_EQ(Run({"--raw", "sections", "data.sdf", "A3"}).out,
              "(AS) K\xF6ln : (AK) Bonn;12.5\n(AD) Br\xFC"
              "hl : (AS) \xC8"
              "ern\xE1;2,5\n");
    // The first character is the selector's "A", whatever it is: "3" leaves the empty key of
    // the empty line.
    EXPECT_EQ(Run({"sections", "data.sdf", "a3"}).out, sections.out);
    EXPECT_EQ(Run({"sections", "data.sdf", "3"}).out, "()  : () ;\n");
}

TEST_F(VemoDataToolTest, AustrianLayout) {
    WriteFile(dir_ / "au_maut.csv", "h\tx\r\nS6\t\tWien\tM\xFCrz\t1.5\t2\t3\nA1;;a;b;1;x;3\n");
    ASSERT_EQ(Run({"encode", "--austrian", "au_maut.csv"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "data2.sdf"), Base64Encode("h;x") + "\r\n" +
                                                Base64Encode("S6;;Wien;M\xFCrz;1.5;2;3") + "\r\n" +
                                                Base64Encode("A1;;a;b;1;x;3") + "\r\n");
    EXPECT_EQ(Run({"--austrian", "motorways", "data2.sdf"}).out, "A1\nS6\n");
    EXPECT_EQ(Run({"sections", "--austrian", "data2.sdf", "S6"}).out,
              "Wien-M\xC3\xBCrz : 1.5/2/3\n");
    const Result check = Run({"check", "--austrian", "data2.sdf"});
    EXPECT_EQ(check.status, 1);
    if (ToolLocaleIs("C.UTF-8")) {
        EXPECT_EQ(check.out, "řádek 2, pole 6: \"x\"\n");
    }
}

TEST_F(VemoDataToolTest, EncodeWritesTheDataFile) {
    WriteFile(dir_ / "maut_55a.csv", "h;x\n\n3\t;a\r");
    const Result result = Run({"encode", "maut_55a.csv"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
    const std::string expected = Base64Encode("h;x") + "\r\n\r\n" + Base64Encode("3\t;a") + "\r\n";
    EXPECT_EQ(ReadFile(dir_ / "data.sdf"), expected);
    ASSERT_EQ(Run({"encode", "maut_55a.csv", "other.sdf"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "other.sdf"), expected);
}

const std::string kRow = "řádek ";

TEST_F(VemoDataToolTest, CheckFollowsTheLocale) {
    WriteFile(dir_ / "data.sdf", kGermanFile);
    if (ToolLocaleIs("C.UTF-8")) {
        const Result point = Run({"check", "data.sdf"});
        EXPECT_EQ(point.status, 1);
        EXPECT_EQ(point.out, kRow + "3, pole 8: \"2,5\"\n" + kRow + "4, pole 8: \"\"\n");

        WriteFile(dir_ / "clean.sdf", Base64Encode("h") + "\r\n" + Base64Encode("1;;;;;;;1.5"));
        EXPECT_EQ(Run({"check", "clean.sdf"}).status, 0);
    }

    if (!ToolLocaleIs("cs_CZ.UTF-8"))
        GTEST_SKIP() << "no cs_CZ.UTF-8 locale";
    const Result comma = Run({"check", "data.sdf"}, "cs_CZ.UTF-8");
    EXPECT_EQ(comma.status, 1);
    EXPECT_EQ(comma.out, kRow + "1, pole 8: \"12.5\"\n" + kRow + "4, pole 8: \"\"\n");
}

TEST_F(VemoDataToolTest, CzechSortingPutsCaronLettersInPlace) {
    if (!ToolLocaleIs("cs_CZ.UTF-8"))
        GTEST_SKIP() << "no cs_CZ.UTF-8 locale";
    WriteFile(dir_ / "au.csv", "h\nd\n\xE8\nc\nC\n");
    ASSERT_EQ(Run({"encode", "--austrian", "au.csv", "au.sdf"}).status, 0);
    EXPECT_EQ(Run({"motorways", "--austrian", "au.sdf"}, "cs_CZ.UTF-8").out, "c\n\xC4\x8D\nd\n");
    EXPECT_EQ(Run({"--raw", "motorways", "--austrian", "au.sdf"}, "cs_CZ.UTF-8").out,
              "c\n\xE8\nd\n");
}

// A motorway without rows is a failure, named on stderr; stdout stays empty for scripts.
TEST_F(VemoDataToolTest, SectionsOfAMotorwayWithoutRowsSaySoOnStderrOnly) {
    WriteFile(dir_ / "data.sdf", kGermanFile);
    WriteFile(dir_ / "data2.sdf", Base64Encode("h") + "\r\n" + Base64Encode("S6;;a;b;1;2;3"));
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {"row after the NUL", {"sections", "data.sdf", "A99"}, "A99 nemá v souboru data.sdf"},
        {"unknown motorway", {"sections", "data.sdf", "A7"}, "A7 nemá v souboru data.sdf"},
        {"Austrian", {"sections", "--austrian", "data2.sdf", "A1"}, "A1 nemá v souboru data2.sdf"},
        {"selector text in UTF-8",
         {"sections", "data.sdf", "A\xC4\x8C"},
         "A\xC4\x8C nemá v souboru data.sdf"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        EXPECT_EQ(result.status, 1) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
        EXPECT_EQ(result.err, "vemo-data: dálnice " + c.err + " žádné úseky\n") << c.name;
    }
    const Result found = Run({"sections", "--austrian", "data2.sdf", "S6"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.err, "");
    EXPECT_EQ(found.out, "a-b : 1/2/3\n");
}

// The system's words for a missing file, which the tool adds to the file error.
std::string MissingFileReason() {
#if defined(_WIN32)
    return vemo::SystemReason(2); // ERROR_FILE_NOT_FOUND, in the user's language
#else
    return "No such file or directory";
#endif
}

// glibc's Czech words for a missing file, or empty where its translations are not installed.
std::string CzechMissingFileReason() {
#if defined(_WIN32)
    return {};
#else
    locale_t czech = newlocale(LC_ALL_MASK, "cs_CZ.UTF-8", nullptr);
    if (!czech)
        return {};
    const std::string reason = strerror_l(ENOENT, czech);
    freelocale(czech);
    return reason == MissingFileReason() ? std::string() : reason;
#endif
}

// A file error names the file as the user typed it, in the tool's words' encoding or not, and
// the system's reason follows the user's language.
TEST_F(VemoDataToolTest, FileErrorsReadAsTyped) {
    const std::string name = "\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD.sdf"; // žluťoučký.sdf
    WriteFile(dir_ / "maut_55a.csv", "h;x\r\n");
    fs::create_directory(dir_ / "out");
    testfiles::WriteProtect protect(dir_ / "out");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* locale;
        std::string err; // how the error line starts; empty: the case cannot run here
    };
    const Case cases[] = {
        {"UTF-8",
         {"decode", name},
         "C.UTF-8",
         "vemo-data: Nelze vytvo\xC5\x99it soubor " + name + ": " + MissingFileReason() + "\n"},
        {"raw",
         {"--raw", "decode", name},
         "C.UTF-8",
         "vemo-data: Nelze vytvo\xF8it soubor " + name + ": " +
             vemo::Utf8ToCp1250(MissingFileReason()) + "\n"},
        {"Czech reason",
         {"decode", name},
         "cs_CZ.UTF-8",
         CzechMissingFileReason().empty() ? ""
                                          : "vemo-data: Nelze vytvo\xC5\x99it soubor " + name +
                                                ": " + CzechMissingFileReason() + "\n"},
        {"folder not writable",
         {"encode", "maut_55a.csv", "out/data.sdf"},
         "C.UTF-8",
         protect.Active()
             ? "vemo-data: Nelze vytvo\xC5\x99it soubor out/data.sdf: do slo\xC5\xBEky "
               "nelze zapisovat ("
             : ""},
    };
    for (const Case& c : cases) {
        if (c.err.empty())
            continue;
        const Result result = Run(c.args, c.locale);
        EXPECT_EQ(result.status, 1) << c.name;
        EXPECT_EQ(result.err.substr(0, c.err.size()), c.err) << c.name;
    }
}

TEST_F(VemoDataToolTest, FileErrorsNameTheFile) {
    const std::string message = "vemo-data: Nelze vytvo\xC5\x99it soubor ";
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"decode", "missing.sdf"},
                                               {"motorways", "missing.sdf"},
                                               {"sections", "missing.sdf", "A1"},
                                               {"check", "--austrian", "missing.sdf"}}) {
        const Result result = Run(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.out, "") << args[0];
        EXPECT_EQ(result.err, message + "missing.sdf: " + MissingFileReason() + "\n") << args[0];
    }
    const Result encode = Run({"encode", "--austrian", "au_maut.csv"});
    EXPECT_EQ(encode.status, 1);
    EXPECT_EQ(encode.err, message + "au_maut.csv: " + MissingFileReason() + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "data2.sdf"));
    EXPECT_EQ(Run({"--raw", "decode", "missing.sdf"}).err,
              "vemo-data: Nelze vytvo\xF8it soubor missing.sdf: " + MissingFileReason() + "\n");
}

// --help and --version answer without a window; for the calculator only as its one argument.
TEST_F(VemoDataToolTest, VersionAndHelpOfBothPrograms) {
    struct Case {
        const char* name;
        const char* program;
        std::vector<std::string> args;
        std::string outPattern;
    };
    const Case cases[] = {
        {"tool version", VEMO_DATA_TOOL, {"--version"}, "vemo-data [0-9]+(\\.[0-9]+)*\n"},
        {"tool version after a command",
         VEMO_DATA_TOOL,
         {"decode", "x", "--version"},
         "vemo-data [0-9]+(\\.[0-9]+)*\n"},
#ifdef VEMO_MAUT_PROGRAM
        {"calculator version", VEMO_MAUT_PROGRAM, {"--version"}, "vemo-maut [0-9]+(\\.[0-9]+)*\n"},
        {"calculator help",
         VEMO_MAUT_PROGRAM,
         {"--help"},
         "Použití: vemo-maut \\[QZX\\]\n(.|\n)*--version(.|\n)*"},
#endif
    };
    for (const Case& c : cases) {
        const Result result = RunProgram(c.program, c.args);
        EXPECT_EQ(result.status, 0) << c.name;
        EXPECT_EQ(result.err, "") << c.name;
        EXPECT_TRUE(std::regex_match(result.out, std::regex(c.outPattern)))
            << c.name << ": " << result.out;
    }
}

// The tool stops with the file error at once where a load could wait or read without end.
TEST_F(VemoDataToolTest, NonRegularDataFileIsAFileError) {
    const std::string message = "Nelze vytvo\xC5\x99it soubor data.sdf";
    const struct {
        const char* name;
        std::function<void(const fs::path&)> make;
    } cases[] = {
#if defined(__linux__)
        {"fifo", [](const fs::path& f) { ASSERT_EQ(mkfifo(f.c_str(), 0600), 0); }},
        {"/dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }},
        {"/dev/urandom", [](const fs::path& f) { fs::create_symlink("/dev/urandom", f); }},
#endif
        {"folder", [](const fs::path& f) { fs::create_directory(f); }},
    };
    for (const auto& c : cases) {
        const fs::path file = dir_ / "data.sdf";
        c.make(file);
        for (const char* command : {"decode", "motorways"}) {
            const Result result = Run({command, "data.sdf"});
            EXPECT_EQ(result.status, 1) << c.name << " " << command;
            EXPECT_NE(result.err.find(message), std::string::npos) << c.name << ": " << result.err;
            EXPECT_EQ(result.out, "") << c.name;
        }
        fs::remove(file);
    }
}

#if defined(__linux__)
// State: a data file on a full disk. Action: encode a source whose data file does not fit.
// Expected: exit status 1 with the write error, the old data file byte for byte.
TEST_F(VemoDataToolTest, EncodeOnAFullDiskKeepsTheOldFile) {
    const fs::path disk = dir_ / "disk";
    fs::create_directory(disk);
    testsupport::SmallDisk mounted(disk);
    if (!mounted.Problem().empty())
        GTEST_SKIP() << "no tmpfs here (" << mounted.Problem() << ")";
    WriteFile(dir_ / "maut_55a.csv", "h;x\r\n1;0;AS;A;;AK;B;12,5\r\n");
    WriteFile(disk / "data.sdf", "b2xk\r\n");
    testsupport::SmallDisk::Fill(disk, 0);
    ASSERT_FALSE(HasFatalFailure());

    const Result result = Run({"encode", "maut_55a.csv", "disk/data.sdf"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("vemo-data: Stream write error: ", 0), 0u) << result.err;
    EXPECT_EQ(ReadFile(disk / "data.sdf"), "b2xk\r\n");
}
#endif

// A tariff source checked and encoded, then listed by date; a bad one is refused with its line.
TEST_F(VemoDataToolTest, TariffEncodeAndList) {
    WriteFile(dir_ / "sazby.csv", "Sazebn\xEDk;1.1.2005;Star\xFD\r\nN\xE1pravy;1;4\r\n"
                                  "A;Euro 6;0,2;0.348\r\n\r\nSazebn\xEDk;1.1.2099;Nov\xFD\r\n"
                                  "N\xE1pravy;1;1;4\r\nHmotnost;12\x96"
                                  "18 t;nad 18 t;nad 18 t\r\n"
                                  "B;;1;2;3\r\n");
    WriteFile(dir_ / "bad.csv", "Sazebn\xEDk;1.1.2005;T\r\nN\xE1pravy;4;2\r\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } const cases[] = {
        {"NoFileMeansBuiltIn",
         {"tariff"},
         0,
         "* Sazebník: vestavěný, platný od 1. 1. 2005\n    Nápravy od: 1 4\n"
         "    Kategorie A: 0.09 0.1 (Třídy škodlivin S4, S5 a EEV třídy 1, EURO-4,5)\n"
         "    Kategorie B: 0.11 0.12 (EURO-2, EURO-3 (S2,S3))\n"
         "    Kategorie C: 0.13 0.14 (EURO-0, EURO-1 (S1))\n",
         "vemo-data: soubor sazby.sdf neexistuje; kalkulačka počítá s vestavěným sazebníkem\n"},
        {"Encode", {"encode", "--tariff", "sazby.csv"}, 0, "", ""},
        {"ListToday",
         {"tariff"},
         0,
         "* Sazebník: Starý, platný od 1. 1. 2005\n    Nápravy od: 1 4\n"
         "    A: 0.2 0.348 (Euro 6)\n  Sazebník: Nový, platný od 1. 1. 2099\n"
         "    Hmotnost 12–18 t, nápravy od: 1\n    Hmotnost nad 18 t, nápravy od: 1 4\n"
         "    B: 1 | 2 3\n",
         ""},
        {"ListOnALaterDay",
         {"tariff", "--date", "1.1.2099", "sazby.sdf"},
         0,
         "  Sazebník: Starý, platný od 1. 1. 2005\n    Nápravy od: 1 4\n"
         "    A: 0.2 0.348 (Euro 6)\n* Sazebník: Nový, platný od 1. 1. 2099\n"
         "    Hmotnost 12–18 t, nápravy od: 1\n    Hmotnost nad 18 t, nápravy od: 1 4\n"
         "    B: 1 | 2 3\n",
         ""},
        {"RefuseBadSource",
         {"encode", "--tariff", "bad.csv", "bad.sdf"},
         1,
         "",
         "vemo-data: Chyba v souboru bad.csv na řádku 2: počty náprav nejdou vzestupně\n"},
        {"NamedFileMissing",
         {"tariff", "bad.sdf"},
         1,
         "",
         "vemo-data: Nelze vytvořit soubor bad.sdf: " + MissingFileReason() + "\n"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        EXPECT_EQ(result.status, c.status) << c.name;
        // The rates are listed with the decimal separator of the user's numbers, which on
        // Windows are the regional settings and not LC_ALL.
        const std::string separator = ToolLocaleIs("C.UTF-8") ? "$1.$2" : "$1,$2";
        EXPECT_EQ(result.out, std::regex_replace(c.out, std::regex("(\\d)\\.(\\d)"), separator))
            << c.name;
        EXPECT_EQ(result.err.substr(0, c.err.size()), c.err) << c.name;
    }
    EXPECT_FALSE(fs::exists(dir_ / "bad.sdf"));
}

// Full names through that folder to files with Czech letters, as in "C:\Users\Dvořák\Mýtné
// 2027": every file is found and written under the name given. Each row works on what the rows
// before it wrote.
TEST_F(VemoDataToolTest, CzechFolderAndFileNames) {
    const std::string germanSource = scratch_.File("mýto Dvořák.csv");
    const std::string german = scratch_.File("Šťastný.sdf");
    const std::string austrianSource = scratch_.File("úseky Dvořák.csv");
    const std::string austrian = scratch_.File("Šťastný 2.sdf");
    const std::string tariffSource = scratch_.File("sazby Dvořák.csv");
    const std::string tariff = scratch_.File("sazby Šťastný.sdf");
    const std::string missing = scratch_.File("chybí Šťastný.sdf");
    WriteFile(testfiles::PathOf(germanSource), "BAB;x\r\n3;;AS;K\xF6ln;;AK;Bonn;12\r\n");
    WriteFile(testfiles::PathOf(austrianSource), "h\tx\r\nS6\t\tWien\tM\xFCrz\t1\t2\t3\r\n");
    WriteFile(testfiles::PathOf(tariffSource),
              vemo::Utf8ToCp1250("Sazebník;1.1.2005;Mýtné Dvořák\r\nNápravy;2\r\nA;;1\r\n"));
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err; // how the error output starts
    } const cases[] = {
        {"EncodeGerman", {"encode", germanSource, german}, 0, "", ""},
        {"Decode", {"decode", german}, 0, "BAB;x\n3;;AS;Köln;;AK;Bonn;12\n", ""},
        {"Sections", {"sections", german, "A3"}, 0, "(AS) Köln : (AK) Bonn;12\n", ""},
        {"Check", {"check", german}, 0, "", ""},
        {"EncodeAustrian", {"encode", "--austrian", austrianSource, austrian}, 0, "", ""},
        {"AustrianSections",
         {"sections", "--austrian", austrian, "S6"},
         0,
         "Wien-Mürz : 1/2/3\n",
         ""},
        {"EncodeTariff", {"encode", "--tariff", tariffSource, tariff}, 0, "", ""},
        {"Tariff",
         {"tariff", tariff},
         0,
         "* Sazebník: Mýtné Dvořák, platný od 1. 1. 2005\n    Nápravy od: 2\n    A: 1\n",
         ""},
        {"Missing",
         {"decode", missing},
         1,
         "",
         "vemo-data: Nelze vytvořit soubor " + missing + ": "},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.out, c.out) << c.name;
        EXPECT_EQ(result.err.substr(0, c.err.size()), c.err) << c.name << ": " << result.err;
    }
    EXPECT_EQ(testfiles::FileNames(dir_),
              (std::set<std::string>{"mýto Dvořák.csv", "Šťastný.sdf", "úseky Dvořák.csv",
                                     "Šťastný 2.sdf", "sazby Dvořák.csv", "sazby Šťastný.sdf"}));
}

const std::string kUsageHint =
    "Použití: vemo-data [--raw] PŘÍKAZ ARGUMENTY; nápověda: vemo-data --help\n";

// A usage error names what is wrong in Czech, points to --help and exits with status 2.
TEST_F(VemoDataToolTest, UsageErrorsSayWhatIsWrong) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string reason;
    };
    const Case cases[] = {
        {"no command", {}, "chybí příkaz"},
        {"unknown command", {"frobnicate", "x"}, "neznámý příkaz frobnicate"},
        {"too few arguments", {"decode"}, "nesprávný počet argumentů příkazu decode"},
        {"too many arguments", {"decode", "a", "b"}, "nesprávný počet argumentů příkazu decode"},
        {"--austrian misplaced",
         {"--austrian", "decode", "a"},
         "volba --austrian neplatí pro příkaz decode"},
        {"sections without motorway",
         {"sections", "data.sdf"},
         "nesprávný počet argumentů příkazu sections"},
        {"unknown option", {"--verbose", "decode", "a"}, "neznámá volba --verbose"},
        {"--tariff misplaced",
         {"--tariff", "check", "a"},
         "volba --tariff neplatí pro příkaz check"},
        {"--date misplaced",
         {"--date", "1.1.2026", "encode", "a"},
         "volba --date neplatí pro příkaz encode"},
        {"--date without a date", {"tariff", "--date"}, "volba --date potřebuje datum (D.M.RRRR)"},
        {"--date not a day",
         {"tariff", "--date", "30.2.2026"},
         "volba --date: není datum (D.M.RRRR): 30.2.2026"},
        {"--austrian with --tariff",
         {"encode", "--austrian", "--tariff", "a"},
         "volby --austrian a --tariff se navzájem vylučují"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        EXPECT_EQ(result.status, 2) << c.name;
        EXPECT_EQ(result.err, "vemo-data: " + c.reason + "\n" + kUsageHint) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
    }
}

// --raw gives every message in Windows-1250, a usage error found before it too; after "--" it
// is a word like any other.
TEST_F(VemoDataToolTest, RawHoldsForUsageErrorsWhereverItStands) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string reason; // UTF-8
        bool raw;
    };
    const Case cases[] = {
        {"unknown option after it", {"--raw", "--bogus"}, "neznámá volba --bogus", true},
        {"unknown option before it", {"--bogus", "decode", "--raw"}, "neznámá volba --bogus", true},
        {"date after it",
         {"tariff", "--date", "1.13.2026", "--raw"},
         "volba --date: není datum (D.M.RRRR): 1.13.2026",
         true},
        {"command's arguments",
         {"decode", "--raw"},
         "nesprávný počet argumentů příkazu decode",
         true},
        {"as the date",
         {"tariff", "--date", "--raw"},
         "volba --date: není datum (D.M.RRRR): --raw",
         false},
        {"after --", {"--", "--raw"}, "neznámý příkaz --raw", false},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        const std::string err = "vemo-data: " + c.reason + "\n" + kUsageHint;
        EXPECT_EQ(result.status, 2) << c.name;
        EXPECT_EQ(result.err, c.raw ? vemo::Utf8ToCp1250(err) : err) << c.name;
    }
}

// The number of characters of a UTF-8 line.
std::size_t Columns(const std::string& line) {
    return static_cast<std::size_t>(
        std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Both programs' help: in lines that an 80-column console shows without wrapping, naming the
// settings numbers follow and the documentation of the system the program runs on.
TEST_F(VemoDataToolTest, HelpFitsAConsoleAndSpeaksOfItsSystem) {
    struct Case {
        const char* name;
        const char* program;
        std::string start;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<std::string> windowsWords = {"nastavením Windows", "README.txt"};
    const std::vector<std::string> linuxWords = {"LC_ALL", "man "};
#if defined(_WIN32)
    const auto& system = windowsWords;
    const auto& other = linuxWords;
#else
    const auto& system = linuxWords;
    const auto& other = windowsWords;
#endif
    std::vector<Case> cases = {
        {"tool", VEMO_DATA_TOOL, "Použití: vemo-data [--raw] PŘÍKAZ ARGUMENTY\n", system, other},
    };
#ifdef VEMO_MAUT_PROGRAM
    cases.push_back({"calculator", VEMO_MAUT_PROGRAM, "Použití: vemo-maut [QZX]\n", system, other});
#endif
    for (const Case& c : cases) {
        const Result result = RunProgram(c.program, {"--help"});
        EXPECT_EQ(result.status, 0) << c.name;
        EXPECT_EQ(result.out.rfind(c.start, 0), 0u) << c.name << ": " << result.out;
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(Columns(line), 79u) << c.name << ": " << line;
        for (const auto& text : c.present)
            EXPECT_NE(result.out.find(text), std::string::npos) << c.name << ": " << text;
        for (const auto& text : c.absent)
            EXPECT_EQ(result.out.find(text), std::string::npos) << c.name << ": " << text;
    }
}

} // namespace
