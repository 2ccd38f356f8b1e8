// The Windows command line split into the program name and the arguments the maintainer switch
// counts.
#include "ui/CommandLine.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    std::string name;
    std::u16string line;
    std::vector<std::u16string> arguments;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheArguments) {
    const SplitCase& c = GetParam();
    const QStringList got = SplitCommandLine(QStringView(c.line));
    QStringList expected;
    for (const auto& argument : c.arguments)
        expected.append(QStringView(argument).toString());
    EXPECT_EQ(got, expected) << got.join(u'|').toStdString();
}

// NUL cannot sit in a string literal's middle here without ending it, so it is built apart.
const std::u16string kNulInside = std::u16string(u"vemo.exe QZX") + u'\0' + u" second";

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"ProgramOnly", u"vemo-maut.exe", {u"vemo-maut.exe"}}, SplitCase{"Empty", u"", {}},
        SplitCase{"OnlyBlanks", u" \t ", {}},
        SplitCase{"WordAlone", u"vemo-maut.exe QZX", {u"vemo-maut.exe", u"QZX"}},
        SplitCase{"QuotedProgramWithBlank",
                  u"\"C:\\Program Files\\Vemo Maut\\vemo-maut.exe\" QZX",
                  {u"C:\\Program Files\\Vemo Maut\\vemo-maut.exe", u"QZX"}},
        SplitCase{"QuotedWord", u"vemo.exe \"QZX\"", {u"vemo.exe", u"QZX"}},
        SplitCase{"QuotesInsideAWord", u"vemo.exe Q\"Z\"X", {u"vemo.exe", u"QZX"}},
        SplitCase{"QuotedBlankStaysInside", u"vemo.exe \"QZX \"", {u"vemo.exe", u"QZX "}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", u"vemo.exe \"QZX  x", {u"vemo.exe", u"QZX  x"}},
        SplitCase{"EmptyQuotesAreAnArgument", u"vemo.exe QZX \"\"", {u"vemo.exe", u"QZX", u""}},
        SplitCase{"TabsAndControlCodesSeparate",
                  u"vemo.exe\tQZX\x01\x1f"
                  u"a",
                  {u"vemo.exe", u"QZX", u"a"}},
        SplitCase{"TrailingBlanksAddNothing", u"vemo.exe QZX \r\n", {u"vemo.exe", u"QZX"}},
        SplitCase{"BackslashIsAnOrdinaryCharacter",
                  u"vemo.exe \"QZX\\\" b",
                  {u"vemo.exe", u"QZX\\", u"b"}},
        SplitCase{"NulEndsTheLine", kNulInside, {u"vemo.exe", u"QZX"}},
        SplitCase{"TwoArguments", u"vemo.exe QZX QZX", {u"vemo.exe", u"QZX", u"QZX"}}),
    testrows::ByName());

} // namespace
