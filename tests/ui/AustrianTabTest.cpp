// The "Rakousko" tab driven through its real widgets on data files in a temporary folder.
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

class AustrianTabTest : public UiTest {
protected:
    // Sections of motorway "A1" with the given "A/B/C" amounts.
    OpenWindow Open(const std::vector<std::string>& amounts) {
        WriteDataFile("data.sdf", {"header", "1;0;AS;Nord;;AS;Sued;1"});
        WriteDataFile("data2.sdf", testrows::AustrianRows(testrows::Numbered(amounts)));
        auto frm = CreateWindow();
        frm->pgcMain->setCurrentWidget(frm->tbsAU);
        PickSelectorEntry(frm->cboAUDalnice, 0); // "A1"
        return frm;
    }
};

} // namespace

TEST_F(AustrianTabTest, WorkedExample) {
    auto frm = Open({"3,5/5,2/7,1", "2,8/4,1/6,05"});
    ASSERT_EQ(frm->lbxAUCis->count(), 2);
    EXPECT_EQ(frm->lbxAUCis->item(0)->text(), "Ort 0-Ort 1 : 3,5/5,2/7,1");
    EXPECT_EQ(frm->lblAUMaut->text(), "");
    EXPECT_EQ(frm->lblAUKategorie->text(), "2 nápravy");

    // A category change shows the total of the listed route in that category: none yet.
    PickSelectorEntry(frm->cboAUKategorie, 1);
    EXPECT_EQ(frm->lblAUKategorie->text(), "3 nápravy");
    EXPECT_EQ(frm->lblAUMaut->text(), "0 €");

    SelectRows(frm->lbxAUCis, {0, 1});
    Click(frm->btnAUSelect);
    EXPECT_EQ(frm->lbxAUTrasa->count(), 2);
    EXPECT_EQ(frm->lblAUMaut->text(), "9,3 €");

    SelectRows(frm->lbxAUTrasa, {0});
    Click(frm->btnAUUnselect);
    EXPECT_EQ(frm->lblAUMaut->text(), "4,1 €");

    // The remaining entry in the new category, and an empty route at 0.
    PickSelectorEntry(frm->cboAUKategorie, 2);
    EXPECT_EQ(frm->lblAUKategorie->text(), "4 nápravy");
    EXPECT_EQ(frm->lblAUMaut->text(), "6,05 €");
    SelectRows(frm->lbxAUTrasa, {0});
    Click(frm->btnAUUnselect);
    EXPECT_EQ(frm->lbxAUTrasa->count(), 0);
    EXPECT_EQ(frm->lblAUMaut->text(), "0 €");
    EXPECT_TRUE(reports.empty());
}

TEST_F(AustrianTabTest, FirstAdditionWritesTheAmountAlone) {
    auto frm = Open({"3,5/5,2/7,1"});
    PickSelectorEntry(frm->cboAUKategorie, 1);
    SelectRows(frm->lbxAUCis, {0});
    Click(frm->btnAUSelect);
    EXPECT_EQ(frm->lblAUMaut->text(), "5,2 €");
}

TEST_F(AustrianTabTest, EveryCategoryTakesItsOwnAmount) {
    const struct {
        int category;
        const char* total;
    } cases[] = {{0, "1,125 €"}, {1, "2 €"}, {2, "3,5 €"}};
    for (const auto& c : cases) {
        auto frm = Open({"1,125/2/3,5"});
        PickSelectorEntry(frm->cboAUKategorie, c.category);
        SelectRows(frm->lbxAUCis, {0});
        Click(frm->btnAUSelect);
        EXPECT_EQ(frm->lblAUMaut->text(), QString::fromUtf8(c.total)) << c.category;
    }
}

TEST_F(AustrianTabTest, TotalsWithMoreThanTwoDecimalsAreShownInFull) {
    auto frm = Open({"1,125/0/0", "2/0/0"});
    SelectRows(frm->lbxAUCis, {0, 1});
    Click(frm->btnAUSelect);
    EXPECT_EQ(frm->lblAUMaut->text(), "3,125 €");
}

TEST_F(AustrianTabTest, WithoutACategoryEntriesCountZero) {
    // State: the category text typed over so that it names no entry.
    auto frm = Open({"3,5/5,2/7,1"});
    frm->cboAUKategorie->lineEdit()->selectAll();
    TypeText(frm->cboAUKategorie->lineEdit(), "bez kategorie");
    EXPECT_EQ(frm->lblAUKategorie->text(), "2 nápravy");
    SelectRows(frm->lbxAUCis, {0});
    Click(frm->btnAUSelect);
    EXPECT_EQ(frm->lbxAUTrasa->count(), 1);
    EXPECT_EQ(frm->lblAUMaut->text(), "0 €");
    SelectRows(frm->lbxAUTrasa, {0});
    Click(frm->btnAUUnselect);
    EXPECT_EQ(frm->lbxAUTrasa->count(), 0);
    EXPECT_EQ(frm->lblAUMaut->text(), "0 €");
}

TEST_F(AustrianTabTest, AnAmountTheParseCannotReadCountsZero) {
    auto frm = Open({"2.5/x/", "1/1/1"});
    SelectRows(frm->lbxAUCis, {0, 1});
    for (int category = 0; category < 3; ++category) {
        PickSelectorEntry(frm->cboAUKategorie, category);
        Click(frm->btnAUSelect);
    }
    EXPECT_EQ(frm->lblAUMaut->text(), "3 €");
}

// The walk that once ended below zero: every step shows the sum of the listed route in the
// category shown, and the empty route shows 0.
TEST_F(AustrianTabTest, TotalIsTheListedRouteInTheCategoryShown) {
    auto frm = Open({"0,2/0,3/0,5", "0,4/0,6/0,8", "0,1/0,2/0,3"});
    struct Step {
        const char* name;
        std::function<void()> act;
        QString total;
    };
    const std::vector<Step> steps = {
        {"TwoUnderA",
         [&] {
             SelectRows(frm->lbxAUCis, {0, 1});
             Click(frm->btnAUSelect);
         },
         "0,6 €"},
        {"SwitchedToC", [&] { PickSelectorEntry(frm->cboAUKategorie, 2); }, "1,3 €"},
        {"ThirdUnderC",
         [&] {
             SelectRows(frm->lbxAUCis, {2});
             Click(frm->btnAUSelect);
         },
         "1,6 €"},
        {"TypedTextSelectsNoCategory", [&] { TypeText(frm->cboAUKategorie, QStringLiteral("x")); },
         "1,6 €"},
        {"CPickedAgain", [&] { PickSelectorEntry(frm->cboAUKategorie, 2); }, "1,6 €"},
        {"FirstTwoRemoved",
         [&] {
             SelectRows(frm->lbxAUTrasa, {0, 1});
             Click(frm->btnAUUnselect);
         },
         "0,3 €"},
        {"LastRemovedWithDelete",
         [&] {
             SelectRows(frm->lbxAUTrasa, {0});
             QTest::keyClick(frm->lbxAUTrasa, Qt::Key_Delete);
         },
         "0 €"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(frm->lblAUMaut->text(), step.total) << step.name;
    }
    EXPECT_EQ(frm->lbxAUTrasa->count(), 0);
    EXPECT_EQ(frm->lblAUKategorie->text(), "4 nápravy");
    // The note beside the category and the category's description say so.
    EXPECT_EQ(frm->Label14->text(), "Při změně kategorie se mýtné trasy přepočítá.");
    EXPECT_TRUE(frm->cboAUKategorie->accessibleDescription().endsWith(frm->Label14->text()));
    EXPECT_TRUE(reports.empty());
}

// Data written with decimal commas on a desktop with a decimal point: the entries' numbers read
// as written, the totals follow the desktop.
TEST_F(AustrianTabTest, EntriesReadUnderADecimalPoint) {
    WriteDataFile("data.sdf", {"header", "1;0;AS;Nord;;AS;Sued;12,5", "1;1;AS;Sued;;AS;Ost;7"});
    WriteDataFile("data2.sdf", {"header", "A1;West;Wien;Linz;3,5;5,2;7,1"});
    auto frm = CreateWindow({}, QLocale::c());
    PickSelectorEntry(frm->cboDalnice, 0);
    SelectRows(frm->lbxCis, {0, 1});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lblKm->text(), "19.5 km");
    frm->pgcMain->setCurrentWidget(frm->tbsAU);
    PickSelectorEntry(frm->cboAUDalnice, 0);
    SelectRows(frm->lbxAUCis, {0});
    Click(frm->btnAUSelect);
    EXPECT_EQ(frm->lblAUMaut->text(), "3.5 €");
    // Delete on the German route removes as "<<" does.
    frm->pgcMain->setCurrentWidget(frm->tbsDE);
    SelectRows(frm->lbxTrasa, {1});
    QTest::keyClick(frm->lbxTrasa, Qt::Key_Delete);
    EXPECT_EQ(frm->lbxTrasa->count(), 1);
    EXPECT_EQ(frm->lblKm->text(), "12.5 km");
}
