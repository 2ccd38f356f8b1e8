// The "Německo" tab driven through its real widgets: selector picks, list clicks, button clicks
// and spin-edit keys, on data files written into a temporary folder.
#include "tests/support/UiFixture.h"
#include "ui/CurrencyEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

class GermanTabTest : public UiTest {
protected:
    // Rows of motorway 1 with the given lengths (field 8), and one row of motorway 2.
    OpenWindow Open(const std::vector<std::string>& lengths) {
        std::vector<std::string> lines = {"BAB;Nr;Typ;Od;km;Typ;Do;Delka"};
        for (std::size_t i = 0; i < lengths.size(); ++i)
            lines.push_back("1;" + std::to_string(i) + ";AS;Ort " + std::to_string(i) +
                            ";;AK;Ort " + std::to_string(i + 1) + ";" + lengths[i]);
        lines.push_back("2;0;AD;Nord;;AS;S\xFC"
                        "d;3");
        WriteDataFile("data.sdf", lines);
        WriteDataFile("data2.sdf", {"header"});
        auto frm = CreateWindow();
        PickSelectorEntry(frm->cboDalnice, 0); // "A1"
        return frm;
    }

    void SetAxles(const Ui::frmVemo& frm, int axles) {
        QLineEdit* edit = frm.speNapravy->Edit();
        while (frm.speNapravy->Value() < axles)
            QTest::keyClick(edit, Qt::Key_Up);
        while (frm.speNapravy->Value() > axles)
            QTest::keyClick(edit, Qt::Key_Down);
    }
};

} // namespace

TEST_F(GermanTabTest, WorkedExample) {
    // State: two sections of 12,5 and 7 km, no category, rate 0, 3 axles.
    auto frm = Open({"12,5", "7"});
    ASSERT_EQ(frm->lbxCis->count(), 2);
    EXPECT_EQ(frm->lblKm->text(), "0 km");
    EXPECT_EQ(frm->lblMaut->text(), "");

    // Action: both selected, ">>".
    SelectRows(frm->lbxCis, {0, 1});
    Click(frm->btnSelect);
    // Expected: both in the route, 19,5 km, toll at rate 0.
    EXPECT_EQ(frm->lbxTrasa->count(), 2);
    EXPECT_EQ(frm->lblKm->text(), "19,5 km");
    EXPECT_EQ(frm->lblMaut->text(), "0 €");

    PickSelectorEntry(frm->cboKategorie, 1);
    EXPECT_EQ(frm->lblKategorie->text(), "EURO-2, EURO-3 (S2,S3)");
    EXPECT_DOUBLE_EQ(frm->curSazba->Value(), 0.11);
    EXPECT_EQ(frm->lblMaut->text(), "2,145 €");

    SetAxles(*frm, 4);
    EXPECT_DOUBLE_EQ(frm->curSazba->Value(), 0.12);
    EXPECT_EQ(frm->lblMaut->text(), "2,34 €");

    SelectRows(frm->lbxTrasa, {1});
    Click(frm->btnUnselect);
    EXPECT_EQ(frm->lbxTrasa->count(), 1);
    EXPECT_EQ(frm->lblKm->text(), "12,5 km");
    EXPECT_EQ(frm->lblMaut->text(), "1,5 €");
    EXPECT_TRUE(reports.empty());
}

TEST_F(GermanTabTest, AddingWithNothingSelectedOnlyRewritesTheToll) {
    auto frm = Open({"12,5"});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lbxTrasa->count(), 0);
    EXPECT_EQ(frm->lblKm->text(), "0 km");
    EXPECT_EQ(frm->lblMaut->text(), "0 €");

    Click(frm->btnUnselect);
    EXPECT_EQ(frm->lblKm->text(), "0 km");
    EXPECT_EQ(frm->lblMaut->text(), "0 €");
}

TEST_F(GermanTabTest, TheSameSelectionTwiceCountsTwice) {
    auto frm = Open({"12,5", "7"});
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lblKm->text(), "12,5 km");
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lbxTrasa->count(), 2);
    EXPECT_EQ(frm->lblKm->text(), "25 km");
    // The section list keeps its selection; the route entries come unselected.
    EXPECT_TRUE(frm->lbxCis->item(0)->isSelected());
    EXPECT_TRUE(frm->lbxTrasa->selectedItems().isEmpty());
}

TEST_F(GermanTabTest, RemovingNonAdjacentEntriesSubtractsTheirSumAndEndsAtZero) {
    auto frm = Open({"1,1", "2,2", "3,3", "4,4"});
    SelectRows(frm->lbxCis, {0, 1, 2, 3});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lblKm->text(), "11 km");

    SelectRows(frm->lbxTrasa, {0, 2});
    Click(frm->btnUnselect);
    ASSERT_EQ(frm->lbxTrasa->count(), 2);
    EXPECT_EQ(frm->lbxTrasa->item(0)->text(), "(AS) Ort 1 : (AK) Ort 2;2,2");
    EXPECT_EQ(frm->lbxTrasa->item(1)->text(), "(AS) Ort 3 : (AK) Ort 4;4,4");
    EXPECT_EQ(frm->lblKm->text(), "6,6 km");

    SelectRows(frm->lbxTrasa, {0, 1});
    Click(frm->btnUnselect);
    EXPECT_EQ(frm->lbxTrasa->count(), 0);
    EXPECT_EQ(frm->lblKm->text(), "0 km");
}

TEST_F(GermanTabTest, RateFollowsCategoryAndAxles) {
    auto frm = Open({"10"});
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);

    const struct {
        int category;
        int axles;
        double rate;
        const char* toll;
    } steps[] = {
        {0, 3, 0.09, "0,9 €"}, {0, 4, 0.10, "1 €"},   {0, 5, 0.10, "1 €"},    {2, 5, 0.14, "1,4 €"},
        {2, 2, 0.13, "1,3 €"}, {1, 1, 0.11, "1,1 €"}, {1, 18, 0.12, "1,2 €"},
    };
    for (const auto& step : steps) {
        if (frm->cboKategorie->currentIndex() != step.category)
            PickSelectorEntry(frm->cboKategorie, step.category);
        SetAxles(*frm, step.axles);
        EXPECT_DOUBLE_EQ(frm->curSazba->Value(), step.rate) << step.category << "/" << step.axles;
        EXPECT_EQ(frm->lblMaut->text(), QString::fromUtf8(step.toll));
    }
}

TEST_F(GermanTabTest, AnAxleChangeWithinOneRateRecomputesNothing) {
    // State: category A at 4 axles.
    auto frm = Open({"10"});
    PickSelectorEntry(frm->cboKategorie, 0);
    SetAxles(*frm, 4);
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    QSignalSpy rateChanges(frm->curSazba, &TCurrencyEdit::Changed);
    frm->lblMaut->setText("marker");
    // Action: 5 axles. Expected: the rate stays, so the toll is not written again.
    SetAxles(*frm, 5);
    EXPECT_EQ(rateChanges.count(), 0);
    EXPECT_EQ(frm->lblMaut->text(), "marker");
}

TEST_F(GermanTabTest, AxlesWithoutACategoryChangeNothing) {
    auto frm = Open({"10"});
    SetAxles(*frm, 5);
    SetAxles(*frm, 2);
    EXPECT_EQ(frm->curSazba->Value(), 0);
    EXPECT_EQ(frm->lblMaut->text(), "");
    EXPECT_EQ(frm->lblKategorie->text(), "");
}

TEST_F(GermanTabTest, TypedCategoryTextThatNamesNoEntryChangesNothing) {
    auto frm = Open({"10"});
    PickSelectorEntry(frm->cboKategorie, 2);
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    ASSERT_EQ(frm->lblMaut->text(), "1,3 €");

    frm->cboKategorie->lineEdit()->selectAll();
    TypeText(frm->cboKategorie->lineEdit(), "Kategorie Ž");
    EXPECT_EQ(frm->lblKategorie->text(), "EURO-0, EURO-1 (S1)");
    EXPECT_DOUBLE_EQ(frm->curSazba->Value(), 0.13);
    EXPECT_EQ(frm->lblMaut->text(), "1,3 €");
}

TEST_F(GermanTabTest, TollIsShownInFullNotCutToCents) {
    auto frm = Open({"123,45"});
    PickSelectorEntry(frm->cboKategorie, 2);
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lblMaut->text(), "16,0485 €");
}

TEST_F(GermanTabTest, ALengthTheParseCannotReadCountsZero) {
    auto frm = Open({"12.5", "x", "", "7"});
    SelectRows(frm->lbxCis, {0, 1, 2, 3});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lbxTrasa->count(), 4);
    EXPECT_EQ(frm->lblKm->text(), "7 km");
}

TEST_F(GermanTabTest, ChangingTheMotorwayKeepsTheRoute) {
    auto frm = Open({"12,5", "7"});
    SelectRows(frm->lbxCis, {1});
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboDalnice, 1); // "A2"
    ASSERT_EQ(frm->lbxCis->count(), 1);
    EXPECT_EQ(frm->lbxCis->item(0)->text(), "(AD) Nord : (AS) Süd;3");
    EXPECT_EQ(frm->lbxTrasa->count(), 1);
    EXPECT_EQ(frm->lblKm->text(), "7 km");

    // Choosing the same motorway again lists its rows once.
    PickSelectorEntry(frm->cboDalnice, 0);
    PickSelectorEntry(frm->cboDalnice, 0);
    EXPECT_EQ(frm->lbxCis->count(), 2);
}

TEST_F(GermanTabTest, ClickingAnEntryShowsItsFullTextUntilAnotherIsClicked) {
    auto frm = Open({"12,5", "7"});
    ClickRow(frm->lbxCis, 1);
    EXPECT_EQ(frm->lblUsek->text(), "(AS) Ort 1 : (AK) Ort 2;7");
    Click(frm->btnSelect);
    ClickRow(frm->lbxTrasa, 0);
    EXPECT_EQ(frm->lblUsek->text(), "(AS) Ort 1 : (AK) Ort 2;7");
    ClickRow(frm->lbxCis, 0);
    EXPECT_EQ(frm->lblUsek->text(), "(AS) Ort 0 : (AK) Ort 1;12,5");
    // Removing the route entry leaves the label as it was.
    ClickRow(frm->lbxTrasa, 0);
    Click(frm->btnUnselect);
    EXPECT_EQ(frm->lblUsek->text(), "(AS) Ort 1 : (AK) Ort 2;7");
    // The keyboard moves the focus mark and the label follows.
    ClickRow(frm->lbxCis, 0);
    QTest::keyClick(frm->lbxCis, Qt::Key_Down);
    EXPECT_EQ(frm->lblUsek->text(), "(AS) Ort 1 : (AK) Ort 2;7");
}
