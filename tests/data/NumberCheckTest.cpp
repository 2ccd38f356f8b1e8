#include "data/rules/NumberCheck.h"
#include "tests/support/Tables.h"

#include <gtest/gtest.h>

using testrows::EncodedTable;

namespace {

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
