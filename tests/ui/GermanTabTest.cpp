// The "Německo" tab driven through its real widgets: selector picks, list clicks, button clicks
// and spin-edit keys, on data files written into a temporary folder.
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"
#include "text/Cp1250.h"
#include "ui/CurrencyEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

class GermanTabTest : public UiTest {
protected:
    // Rows of motorway 1 from "Ort 0" on with the given lengths (field 8).
    OpenWindow Open(const std::vector<std::string>& lengths) {
        WriteDataFile("data.sdf", testrows::GermanRows(testrows::Numbered(lengths)));
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

TEST_F(GermanTabTest, RateFollowsCategoryAndAxles) {
    auto frm = Open({"10"});
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);

    // The rate table itself is the tariff's test; here each control's change reaches the toll.
    const struct {
        int category;
        int axles;
        double rate;
        const char* toll;
    } steps[] = {
        {0, 3, 0.09, "0,9 €"}, // the first category
        {2, 3, 0.13, "1,3 €"}, // a category change
        {2, 4, 0.14, "1,4 €"}, // an axle change into the next column
        {1, 1, 0.11, "1,1 €"}, // both
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
    auto frm = Open({"12 km", "x", "", "7"});
    SelectRows(frm->lbxCis, {0, 1, 2, 3});
    Click(frm->btnSelect);
    EXPECT_EQ(frm->lbxTrasa->count(), 4);
    EXPECT_EQ(frm->lblKm->text(), "7 km");
}

namespace {

class TariffFileTest : public GermanTabTest {};

struct TariffCase {
    const char* name;
    QDate today;
    QStringList categories; // as cboKategorie offers them
    int category;           // picked
    std::vector<std::pair<int, double>> ratesByAxles;
    QString tariff; // the tooltip of the rate and the category
};

class TariffTabTest : public TariffFileTest, public testing::WithParamInterface<TariffCase> {};

// A tariff file of four categories with columns from 2, 3, 4 and 5 axles, followed by a block
// that waits for 1.1.2027; the window offers the block in force on its day.
TEST_P(TariffTabTest, OffersTheTariffInForce) {
    std::vector<std::string> source = testrows::kFourColumnTariffSource;
    for (const char* line :
         {"Sazebník;1.1.2027;Mýtné 2027", "Nápravy;1", "Lehké;do 12 t;0,05", "Těžké;nad 12 t;0,5"})
        source.push_back(line);
    WriteTariffFile(source);
    today = GetParam().today;
    auto frm = Open({"19,5"});
    EXPECT_TRUE(reports.empty());

    QStringList offered;
    for (int i = 0; i < frm->cboKategorie->count(); ++i)
        offered.append(frm->cboKategorie->itemText(i));
    EXPECT_EQ(offered, GetParam().categories);
    EXPECT_EQ(frm->cboKategorie->toolTip(), GetParam().tariff);
    EXPECT_EQ(frm->curSazba->toolTip(), GetParam().tariff);
    EXPECT_TRUE(frm->curSazba->accessibleDescription().endsWith(GetParam().tariff));

    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, GetParam().category);
    for (const auto& [axles, rate] : GetParam().ratesByAxles) {
        SetAxles(*frm, axles);
        EXPECT_DOUBLE_EQ(frm->curSazba->Value(), rate) << axles << " axles";
        EXPECT_EQ(frm->lblMaut->text(), QString::fromStdString(vemo::FormatNumber(
                                            19.5L * rate, testrows::DecimalComma())) +
                                            " €");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Days, TariffTabTest,
    testing::Values(TariffCase{"FirstBlock",
                               QDate(2026, 12, 8),
                               {"Euro 3", "Euro 4", "Euro 5", "Euro 6"},
                               3,
                               {{3, 0.2}, {4, 0.348}, {5, 0.35}, {18, 0.35}, {2, 0.1}, {1, 0.1}},
                               "Sazebník: Mýtné 2026, platný od 1. 1. 2026"},
                    TariffCase{"LaterBlockOnItsDay",
                               QDate(2027, 1, 1),
                               {"Lehké", "Těžké"},
                               1,
                               {{3, 0.5}, {4, 0.5}},
                               "Sazebník: Mýtné 2027, platný od 1. 1. 2027"}),
    testrows::ByName());

struct BadTariffCase {
    const char* name;
    std::vector<std::string> lines;
    QString report;
};

class BadTariffTest : public TariffFileTest, public testing::WithParamInterface<BadTariffCase> {};

// A tariff file that cannot be used is reported at start-up; no category is offered, so no rate
// is ever set, and the rest of the window starts as usual.
TEST_P(BadTariffTest, IsReportedAndOffersNoCategory) {
    WriteTariffFile(GetParam().lines);
    today = QDate(2026, 12, 8);
    auto frm = Open({"19,5"});
    EXPECT_EQ(reports, std::vector<QString>{GetParam().report});
    EXPECT_EQ(frm->cboKategorie->count(), 0);
    EXPECT_EQ(frm->cboKategorie->currentText(), "");
    EXPECT_TRUE(frm->memHelp->isReadOnly());
    EXPECT_EQ(frm->lblAUKategorie->text(), "2 nápravy");

    TypeText(frm->cboKategorie, QStringLiteral("Kategorie A"));
    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    EXPECT_EQ(frm->curSazba->Value(), 0);
    EXPECT_EQ(frm->lblMaut->text(), "0 €");
    EXPECT_EQ(frm->lblKategorie->text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadTariffTest,
    testing::Values(
        BadTariffCase{"AxlesNotAscending",
                      {"Sazebník;1.1.2026;T", "Nápravy;4;2", "A;;0,1;0,2"},
                      "Chyba v souboru sazby.sdf na řádku 2: počty náprav nejdou vzestupně"},
        BadTariffCase{"EveryTariffStartsLater",
                      {"Sazebník;1.1.2027;T", "Nápravy;1", "A;;0,1"},
                      "V souboru sazby.sdf neplatí k 8. 12. 2026 žádný sazebník (první platí od "
                      "1. 1. 2027)"}),
    testrows::ByName());

} // namespace

namespace {

QStringList Items(const QComboBox* selector) {
    QStringList items;
    for (int i = 0; i < selector->count(); ++i)
        items.append(selector->itemText(i));
    return items;
}

// The weight class picks the rate's column with the category and the axles; the billed toll
// stands beside the product.
TEST_F(TariffFileTest, WeightClassAndBilledToll) {
    WriteTariffFile(testrows::kWeightClassTariffSource);
    today = QDate(2026, 12, 9);
    auto frm = Open({"6,6"});
    EXPECT_EQ(Items(frm->cboHmotnost), (QStringList{"7,5–12 t", "nad 18 t"}));
    EXPECT_EQ(frm->cboHmotnost->currentText(), "nad 18 t");
    EXPECT_TRUE(frm->cboHmotnost->isEnabled());
    EXPECT_EQ(frm->speNapravy->accessibleDescription(),
              "Počet náprav vozidla, 1 až 18; nad 18 t: sazba se mění od 4 a od 5 náprav.");

    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, 0);
    SetAxles(*frm, 5);
    EXPECT_EQ(frm->lblMaut->text(), "2,2968 €");
    EXPECT_EQ(frm->lblMautVyuctovani->text(), "Dle vyúčtování: 2,30 €");

    PickSelectorEntry(frm->cboHmotnost, 0);
    EXPECT_EQ(frm->curSazba->Value(), 0.177);
    EXPECT_EQ(frm->lblMautVyuctovani->text(), "Dle vyúčtování: 1,17 €");
    EXPECT_EQ(frm->curSazba->toolTip(),
              "Sazebník: Mýtné 2024, platný od 1. 7. 2024; hmotnost 7,5–12 t");
}

// Text typed into "Kategorie" that selects no entry leaves the rate as it was, and the route
// names the category the rate was taken for.
TEST_F(TariffFileTest, TypedCategoryIsNeverTheCategoryPriced) {
    WriteTariffFile(testrows::kWeightClassTariffSource);
    today = QDate(2026, 12, 9);
    auto frm = Open({"6,6"});
    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, 1);
    TypeText(frm->cboKategorie, QStringLiteral("Euro 9"));
    EXPECT_EQ(frm->curSazba->Value(), 0.353);
    frm->lbxTrasa->setFocus(Qt::TabFocusReason);
    QTest::keyClick(frm->lbxTrasa, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains("\nKategorie: Euro 5 / EEV\nHmotnost: nad 18 t\nPočet náprav: 3\n"))
        << copied.toStdString();
    EXPECT_TRUE(copied.endsWith("Mýtné dle vyúčtování: 2,33 €")) << copied.toStdString();
}

// After midnight the next figure is the new day's: the category kept by name where the new
// tariff has it, none where it has not.
TEST_F(TariffFileTest, TariffFollowsTheDay) {
    std::vector<std::string> source = testrows::kWeightClassTariffSource;
    for (const char* line : {"Sazebník;1.1.2027;Mýtné 2027", "Nápravy;1;4",
                             "Hmotnost;7,5–12 t;nad 18 t", "Euro 6, CO2 třída 1;;0,2;0,4"})
        source.push_back(line);
    WriteTariffFile(source);
    today = QDate(2026, 12, 31);
    auto frm = Open({"10", "5"});
    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, 0);
    PickSelectorEntry(frm->cboHmotnost, 0);
    EXPECT_EQ(frm->lblMaut->text(), "1,77 €");

    today = QDate(2027, 1, 1);
    ClickRow(frm->lbxCis, 1);
    Click(frm->btnSelect);
    EXPECT_EQ(Items(frm->cboKategorie), QStringList{"Euro 6, CO2 třída 1"});
    EXPECT_EQ(frm->cboKategorie->currentText(), "Euro 6, CO2 třída 1");
    EXPECT_EQ(frm->cboHmotnost->currentText(), "7,5–12 t");
    EXPECT_EQ(frm->lblMaut->text(), "3 €");
    EXPECT_EQ(frm->curSazba->toolTip(),
              "Sazebník: Mýtné 2027, platný od 1. 1. 2027; hmotnost 7,5–12 t");

    // Back on the earlier day its tariff prices again, category and class kept by name.
    PickSelectorEntry(frm->cboKategorie, 0);
    today = QDate(2026, 12, 31);
    SetAxles(*frm, 4);
    EXPECT_EQ(frm->cboHmotnost->currentText(), "7,5–12 t");
    EXPECT_EQ(frm->curSazba->Value(), 0.177);
}

TEST_F(TariffFileTest, CategoryTheNewDayLacksIsNoneChosen) {
    std::vector<std::string> source = testrows::kWeightClassTariffSource;
    for (const char* line :
         {"Sazebník;1.1.2027;Mýtné 2027", "Nápravy;1", "Euro 6, CO2 třída 1;;0,2"})
        source.push_back(line);
    WriteTariffFile(source);
    today = QDate(2026, 12, 31);
    auto frm = Open({"10"});
    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, 1);
    today = QDate(2027, 1, 1);
    Click(frm->btnSelect);
    EXPECT_EQ(frm->cboKategorie->currentText(), "");
    EXPECT_EQ(frm->lblKategorie->text(), "");
    EXPECT_FALSE(frm->cboHmotnost->isEnabled());
    EXPECT_EQ(frm->cboHmotnost->count(), 0);
    EXPECT_EQ(frm->lblMaut->text(), "0 €");
}

} // namespace
