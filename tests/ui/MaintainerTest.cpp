// The maintainer word shows the two "Data" buttons, which turn the source files into data files.
#include "tests/support/FakeSaveSystem.h"
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"
#include "text/BaseXCodec.h"
#include "ui/ErrorReport.h"
#include "ui/ListBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

class MaintainerTest : public UiTest {
protected:
    void WriteSmallData() {
        WriteDataFile("data.sdf", {"BAB;Nr;Typ;Od;km;Typ;Do;Delka", "1;0;AS;Alt;;AK;Alt2;1"});
        WriteDataFile("data2.sdf", {"Autobahn;x;Von;Bis;A;B;C", "A1;;Alt;Alt2;1;2;3"});
    }
    void ShowPage(const Ui::frmVemo& frm, int page) {
        QTabBar* tabs = frm.pgcMain->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        ASSERT_EQ(frm.pgcMain->currentIndex(), page);
    }
};

TEST_F(MaintainerTest, OnlyTheExactWordAloneShowsTheButtons) {
    WriteSmallData();
    struct Case {
        QStringList args;
        bool shown;
    };
    const std::vector<Case> cases = {
        {{"QZX"}, true},         {{}, false},          {{"qzx"}, false},
        {{"QZX", "QZX"}, false}, {{"QZX", ""}, false}, {{"QZX "}, false},
        {{"QZ"}, false},         {{"QZXX"}, false},    {{""}, false},
    };
    for (const Case& c : cases) {
        auto frm = CreateWindow(c.args);
        const std::string args = c.args.join('|').toStdString();
        EXPECT_EQ(!frm->btnCreateData->isHidden(), c.shown) << args;
        EXPECT_EQ(!frm->btnAUCreateData->isHidden(), c.shown) << args;
        EXPECT_EQ(frm->btnCreateData->isVisible(), c.shown) << args;
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(MaintainerTest, ButtonsShowEvenWhenTheDataFilesAreMissing) {
    auto frm = CreateWindow({"QZX"});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(frm->btnCreateData->isVisible());
    EXPECT_FALSE(frm->btnAUCreateData->isHidden());
}

TEST_F(MaintainerTest, DataButtonsConvertTheSourcesInPlace) {
    WriteSmallData();
    auto frm = CreateWindow({"QZX"});
    PickSelectorEntry(frm->cboDalnice, 0);
    ASSERT_EQ(frm->lbxCis->count(), 1);

    // LF line ends, an empty line and Windows-1250 bytes in the German source.
    const std::vector<std::string> german = {"BAB;Nr;Typ;Od;km;Typ;Do;Delka",
                                             "1;0;AS;M\xFCnchen;;AK;\x8A"
                                             "ag;12,5",
                                             "",
                                             "1;1;AK;\x8A"
                                             "ag;;AS;Ost;3"};
    std::string source;
    for (const std::string& line : german) {
        source += line + "\n";
    }
    WriteFile("maut_55a.csv", source);
    Click(frm->btnCreateData);
    EXPECT_TRUE(reports.empty());

    std::string expected;
    std::vector<std::string> encoded;
    for (const std::string& line : german) {
        encoded.push_back(vemo::Base64Encode(line));
        expected += encoded.back() + "\r\n";
    }
    EXPECT_EQ(ReadFile("data.sdf"), expected);
    EXPECT_EQ(frm.get()->Lists()->germanTable.Lines(), encoded);
    // Selector, section list and totals stay until the user acts; the next pick lists new rows.
    EXPECT_EQ(frm->cboDalnice->count(), 1);
    ASSERT_EQ(frm->lbxCis->count(), 1);
    EXPECT_EQ(vemo::ui::ListEntry(frm->lbxCis, 0), "(AS) Alt : (AK) Alt2;1");
    EXPECT_EQ(frm->lblKm->text(), "0 km");
    PickSelectorEntry(frm->cboDalnice, 0);
    ASSERT_EQ(frm->lbxCis->count(), 2);
    EXPECT_EQ(vemo::ui::ListEntry(frm->lbxCis, 0), "(AS) M\xFCnchen : (AK) \x8A"
                                                   "ag;12,5");

    // Austrian source with tabs; the German table is untouched by it.
    WriteFile("au_maut.csv", "Autobahn\tx\tVon\tBis\tA\tB\tC\r\nA1\t\tWien\tLinz\t10\t20\t30");
    ShowPage(*frm, 1);
    Click(frm->btnAUCreateData);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(ReadFile("data2.sdf"), vemo::Base64Encode("Autobahn;x;Von;Bis;A;B;C") + "\r\n" +
                                         vemo::Base64Encode("A1;;Wien;Linz;10;20;30") + "\r\n");
    EXPECT_EQ(frm.get()->Lists()->germanTable.Lines(), encoded);
}

struct ButtonCase {
    const char* name;
    bool austrian;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << c.name;
}

class DataButtonWriteFailureTest : public MaintainerTest,
                                   public testing::WithParamInterface<ButtonCase> {};

// State: both data files and the tab's source. Action: the tab's "Data" button, its save's write
// failing. Expected: "Stream write error" in the report, both data files byte for byte as before
// (the button saves with the safe save), and the window goes on.
TEST_P(DataButtonWriteFailureTest, IsReportedAndKeepsTheDataFiles) {
    const bool austrian = GetParam().austrian;
    WriteSmallData();
    WriteFile(austrian ? "au_maut.csv" : "maut_55a.csv",
              austrian ? "A1\t\tWien\tLinz\t10\t20\t30\r\n" : "1;0;AS;Start;;AK;Ende;12,5\r\n");
    const std::string german = ReadFile("data.sdf");
    const std::string austrianData = ReadFile("data2.sdf");
    auto frm = CreateWindow({"QZX"});
    ASSERT_TRUE(reports.empty());
    if (austrian)
        ShowPage(*frm, 1);

    const testsupport::FailingSaves failing;
    Click(austrian ? frm->btnAUCreateData : frm->btnCreateData);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(vemo::ui::ErrorReportText(reports[0]), "Stream write error.");
    EXPECT_TRUE(failing.Failed());
    EXPECT_EQ(ReadFile("data.sdf"), german);
    EXPECT_EQ(ReadFile("data2.sdf"), austrianData);
    EXPECT_TRUE(frm.get()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Buttons, DataButtonWriteFailureTest,
                         testing::Values(ButtonCase{"German", false}, ButtonCase{"Austrian", true}),
                         testrows::ByName());

TEST_F(MaintainerTest, AMissingSourceIsReportedAndChangesNothing) {
    WriteSmallData();
    const std::string before = ReadFile("data.sdf");
    auto frm = CreateWindow({"QZX"});
    const std::vector<std::string> table = frm.get()->Lists()->germanTable.Lines();

    Click(frm->btnCreateData);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(vemo::ui::ErrorReportText(reports[0]), "Nelze vytvořit soubor maut_55a.csv.");
    EXPECT_EQ(ReadFile("data.sdf"), before);
    EXPECT_EQ(frm.get()->Lists()->germanTable.Lines(), table);

    ShowPage(*frm, 1);
    Click(frm->btnAUCreateData);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], "Nelze vytvořit soubor au_maut.csv");
    // The program goes on: the window still answers.
    EXPECT_TRUE(frm.get()->isVisible());
}

} // namespace

namespace {

// With "sazby.csv" beside it, the German "Data" button converts the tariff too, and refuses a
// bad one with its line, writing nothing; the window keeps the tariff it started with.
TEST_F(MaintainerTest, GermanDataButtonConvertsTheTariffSource) {
    struct Case {
        const char* name;
        std::string source; // Windows-1250
        QString report;     // empty: converted
    } const cases[] = {
        {"Sound", "Sazebn\xEDk;1.1.2005;T\r\nN\xE1pravy;1\r\nA;;0,2\r\n", {}},
        {"Bad", "Sazebn\xEDk;1.1.2005;T\r\nA;;0,2\r\n",
         QString::fromUtf8("Chyba v souboru sazby.csv na řádku 2: chybí řádek Nápravy před "
                           "kategorií „A“")},
    };
    for (const Case& c : cases) {
        reports.clear();
        WriteSmallData();
        WriteFile("maut_55a.csv", "BAB\r\n1;0;AS;Alt;;AK;Alt2;1\r\n");
        WriteFile("sazby.csv", c.source);
        WriteFile("sazby.sdf", "old");
        auto frm = CreateWindow({"QZX"});
        ASSERT_EQ(reports.size(), 1u) << "the old tariff file is reported at start-up";
        reports.clear();
        Click(frm->btnCreateData);
        EXPECT_EQ(reports, c.report.isEmpty() ? std::vector<QString>{} : std::vector{c.report})
            << c.name;
        EXPECT_EQ(ReadFile("sazby.sdf") == "old", !c.report.isEmpty()) << c.name;
        EXPECT_EQ(frm->cboKategorie->count(), 0) << c.name;
    }
}

} // namespace
