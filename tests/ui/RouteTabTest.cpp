// What both tabs share, driven on each through the controls its description names: the route
// list and its running total follow ">>" and "<<" alike, whether the total counts kilometres or
// amounts. What only one tab does is in GermanTabTest and AustrianTabTest.
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"
#include "ui/AustrianTab.h"
#include "ui/GermanTab.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

struct RouteTabCase {
    const char* name;
    vemo::ui::RouteTabControls (*controls)(const Ui::frmVemo& ui);
    const char* unit; // behind the total's number
};

void PrintTo(const RouteTabCase& c, std::ostream* out) {
    *out << c.name;
}

class RouteTabTest : public UiTest, public testing::WithParamInterface<RouteTabCase> {
protected:
    // Sections of the first motorway of both tabs with the given values (kilometres, or one
    // amount for every Austrian category) and one of 3 on the second motorway; the tab in front
    // with its first motorway chosen.
    OpenWindow Open(const std::vector<std::string>& values) {
        std::vector<std::string> amounts;
        for (const std::string& value : values)
            amounts.push_back(value + "/" + value + "/" + value);
        std::vector<std::string> german = testrows::GermanRows(testrows::Numbered(values));
        // Windows-1250 in the data, as the lists show it: "Süd".
        const std::string south = "S\xFC"
                                  "d";
        german.push_back(testrows::GermanRows({{"Nord", south, "3"}}, "2").back());
        std::vector<std::string> austrian = testrows::AustrianRows(testrows::Numbered(amounts));
        austrian.push_back(testrows::AustrianRows({{"Nord", south, "3/3/3"}}, "S16").back());
        WriteDataFile("data.sdf", german);
        WriteDataFile("data2.sdf", austrian);
        auto frm = CreateWindow();
        tab = GetParam().controls(*frm);
        frm->pgcMain->setCurrentWidget(tab.page);
        PickSelectorEntry(tab.motorway, 0);
        return frm;
    }

    QString Total(const char* number) const {
        return QString::fromUtf8(number) + QString::fromUtf8(GetParam().unit);
    }

    vemo::ui::RouteTabControls tab{};
};

TEST_P(RouteTabTest, NothingSelectedLeavesRouteAndTotal) {
    auto frm = Open({"12,5"});
    const QString before = tab.total->text();
    Click(tab.add);
    Click(tab.remove);
    EXPECT_EQ(tab.route->count(), 0);
    EXPECT_EQ(tab.total->text(), before);
}

TEST_P(RouteTabTest, TheSameSelectionTwiceCountsTwice) {
    auto frm = Open({"12,5", "7"});
    SelectRows(tab.sections, {0});
    Click(tab.add);
    EXPECT_EQ(tab.total->text(), Total("12,5"));
    Click(tab.add);
    EXPECT_EQ(tab.route->count(), 2);
    EXPECT_EQ(tab.total->text(), Total("25"));
    // The section list keeps its selection; the route entries come unselected.
    EXPECT_TRUE(tab.sections->item(0)->isSelected());
    EXPECT_TRUE(tab.route->selectedItems().isEmpty());
}

// Tenths add up exactly, entries apart from each other go in one press, and an emptied route
// is back at zero.
TEST_P(RouteTabTest, RemovingNonAdjacentEntriesKeepsTheOthersInOrderAndEndsAtZero) {
    auto frm = Open({"0,1", "0,2", "0,4", "0,8"});
    SelectRows(tab.sections, {0, 1, 2, 3});
    Click(tab.add);
    EXPECT_EQ(tab.total->text(), Total("1,5"));

    SelectRows(tab.route, {1, 3});
    Click(tab.remove);
    ASSERT_EQ(tab.route->count(), 2);
    EXPECT_EQ(tab.route->item(0)->text(), tab.sections->item(0)->text());
    EXPECT_EQ(tab.route->item(1)->text(), tab.sections->item(2)->text());
    EXPECT_EQ(tab.total->text(), Total("0,5"));

    SelectRows(tab.route, {0, 1});
    Click(tab.remove);
    EXPECT_EQ(tab.route->count(), 0);
    EXPECT_EQ(tab.total->text(), Total("0"));
}

TEST_P(RouteTabTest, ChangingTheMotorwayKeepsRouteAndTotal) {
    auto frm = Open({"12,5", "7"});
    SelectRows(tab.sections, {1});
    Click(tab.add);
    PickSelectorEntry(tab.motorway, 1);
    ASSERT_EQ(tab.sections->count(), 1);
    EXPECT_TRUE(tab.sections->item(0)->text().contains(QString::fromUtf8("Nord")));
    EXPECT_TRUE(tab.sections->item(0)->text().contains(QString::fromUtf8("Süd")));
    EXPECT_EQ(tab.route->count(), 1);
    EXPECT_EQ(tab.total->text(), Total("7"));

    // A route may join sections of several motorways.
    SelectRows(tab.sections, {0});
    Click(tab.add);
    EXPECT_EQ(tab.total->text(), Total("10"));

    // Choosing the same motorway again lists its rows once.
    PickSelectorEntry(tab.motorway, 0);
    PickSelectorEntry(tab.motorway, 0);
    EXPECT_EQ(tab.sections->count(), 2);
}

TEST_P(RouteTabTest, ClickingAnEntryShowsItsFullTextUntilAnotherIsClicked) {
    auto frm = Open({"12,5", "7"});
    const QString first = tab.sections->item(0)->text();
    const QString second = tab.sections->item(1)->text();
    ClickRow(tab.sections, 1);
    EXPECT_EQ(tab.entry->text(), second);
    Click(tab.add);
    ClickRow(tab.route, 0);
    EXPECT_EQ(tab.entry->text(), second);
    ClickRow(tab.sections, 0);
    EXPECT_EQ(tab.entry->text(), first);
    // Removing the route entry leaves the label as it was.
    ClickRow(tab.route, 0);
    Click(tab.remove);
    EXPECT_EQ(tab.entry->text(), second);
    // The keyboard moves the focus mark and the label follows.
    ClickRow(tab.sections, 0);
    QTest::keyClick(tab.sections, Qt::Key_Down);
    EXPECT_EQ(tab.entry->text(), second);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, RouteTabTest,
    testing::Values(RouteTabCase{"German", vemo::ui::GermanRouteControls, " km"},
                    RouteTabCase{"Austrian", vemo::ui::AustrianRouteControls, " €"}),
    testrows::ByName());

} // namespace
