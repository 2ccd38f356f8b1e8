// The copy commands of the lists: the text that Ctrl+C and the context menu put on the
// clipboard on both tabs, and that copying leaves the window exactly as it was.
#include "ui/RouteClipboard.h"
#include "tests/support/RouteFixture.h"
#include "tests/support/Tables.h"
#include "ui/ListBox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

// ---- The text alone --------------------------------------------------------------------------

struct TextCase {
    const char* name;
    QStringList entries;
    std::vector<vemo::ui::ShownTotal> totals;
    bool wholeRoute;
    QString expected;
};

// Parameters print as their names in test listings.
void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class ClipboardText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ClipboardText, OneEntryALineThenTheTotals) {
    const TextCase& c = GetParam();
    const QString text = c.wholeRoute ? vemo::ui::RouteClipboardText(c.entries, c.totals)
                                      : vemo::ui::EntriesClipboardText(c.entries);
    EXPECT_EQ(text.toStdString(), c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardText,
    ::testing::Values(
        TextCase{"RouteWithItsTotals",
                 {"(AS) A : (AK) B;12,5", "(AS) B : (AK) C;7"},
                 {{"Celkem km:", "19,5 km"}, {"Celkem Vemo Maut:", QString::fromUtf8("2,145 €")}},
                 true,
                 QString::fromUtf8("(AS) A : (AK) B;12,5\n(AS) B : (AK) C;7\nCelkem km: 19,5 km\n"
                                   "Celkem Vemo Maut: 2,145 €")},
        TextCase{"EmptyRouteStillCarriesItsTotals",
                 {},
                 {{"Celkem km:", "0 km"}},
                 true,
                 "Celkem km: 0 km"},
        TextCase{"TotalNotShownYetLeavesItsCaptionAlone",
                 {"x"},
                 {{"Celkem Vemo Maut:", ""}},
                 true,
                 "x\nCelkem Vemo Maut:"},
        TextCase{"LineBreaksInsideAnEntryKeepItOnOneLine",
                 {"a\r\nb", "c\td", "e\nf"},
                 {{"Celkem km:", "1\n km"}},
                 true,
                 "a  b\nc d\ne f\nCelkem km: 1  km"},
        TextCase{"SameEntryTwiceStaysTwice", {"x;1", "x;1"}, {}, true, "x;1\nx;1"},
        TextCase{"SelectionAloneHasNoTotals", {"x;1", "y;2"}, {}, false, "x;1\ny;2"},
        TextCase{"BlanksAndSignsOfTheEntryStay",
                 {QString::fromUtf8("  Šumava <ž> & €  ")},
                 {},
                 false,
                 QString::fromUtf8("  Šumava <ž> & €  ")},
        TextCase{"NoEntriesNoText", {}, {}, false, ""}),
    testrows::ByName());

// ---- The commands in the window --------------------------------------------------------------

class CopyCommands : public RouteWindowTest {
protected:
    void SetUp() override {
        RouteWindowTest::SetUp();
        QApplication::clipboard()->setText(kUntouched);
    }

    static inline const QString kUntouched = QStringLiteral("untouched");
};

const QString kGermanRoute = QString::fromUtf8("(AS) Start : (AK) Ort 1;12,5\n"
                                               "(AS) Ort 1 : (AK) Ort 2;7\n"
                                               "Kategorie: Kategorie B\n"
                                               "Počet náprav: 3\n"
                                               "Sazebník: vestavěný, platný od 1. 1. 2005\n"
                                               "Celkem km: 19,5 km\n"
                                               "Sazba za km: 0,11 €\n"
                                               "Celkem Vemo Maut: 2,145 €\n"
                                               "Mýtné dle vyúčtování: 2,15 €");
const QString kAustrianRoute = QString::fromUtf8("Start-Ort 1 : 3,5/5,2/7,1\n"
                                                 "Ort 1-Ort 2 : 2,8/4,1/6,05\n"
                                                 "Kategorie vozidla: 3 nápravy\n"
                                                 "Celkem Vemo Maut: 9,3 €");

struct CommandCase {
    const char* name;
    TListBox* Ui::frmVemo::*list;
    std::vector<int> selectFirst; // rows the user selects in that list before copying
    const char* menuCommand;      // null: Ctrl+C
    QString expected;
};

// Parameters print as their names in test listings.
void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << c.name;
}

class CopyCommandCases : public CopyCommands, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CopyCommandCases, PutsWhatTheTabShowsAndChangesNothing) {
    const CommandCase& c = GetParam();
    auto frm = OpenWorkedExamples();
    TListBox* list = (*frm).*c.list;
    ShowPageOf(*frm, list);
    for (std::size_t i = 0; i < c.selectFirst.size(); ++i) {
        ClickRow(list, c.selectFirst[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
    }
    // A handler that ran would write the entry label or the toll again.
    frm->lblUsek->setText(QStringLiteral("mark"));
    frm->lblAUUsek->setText(QStringLiteral("mark"));
    const WindowState before(*frm);
    std::vector<std::unique_ptr<QSignalSpy>> selectionSignals;
    for (QListWidget* l : {frm->lbxCis, frm->lbxTrasa, frm->lbxAUCis, frm->lbxAUTrasa}) {
        selectionSignals.push_back(
            std::make_unique<QSignalSpy>(l, &QListWidget::itemSelectionChanged));
    }

    if (c.menuCommand) {
        const MenuVisit visit = UseContextMenu(list, QString::fromUtf8(c.menuCommand));
        EXPECT_TRUE(visit.chosen) << visit.commands.join(", ").toStdString();
    } else {
        PressCopy(list);
    }

    EXPECT_EQ(Clipboard().toStdString(), c.expected.toStdString());
    EXPECT_EQ(WindowState(*frm), before);
    for (const auto& spy : selectionSignals) {
        EXPECT_EQ(spy->count(), 0);
    }
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BothTabs, CopyCommandCases,
    ::testing::Values(
        CommandCase{"GermanRouteByKeys", &Ui::frmVemo::lbxTrasa, {}, nullptr, kGermanRoute},
        CommandCase{
            "GermanRouteByMenu", &Ui::frmVemo::lbxTrasa, {}, "Kopírovat trasu", kGermanRoute},
        CommandCase{"GermanRouteByMenuWithOneEntrySelected",
                    &Ui::frmVemo::lbxTrasa,
                    {1},
                    "Kopírovat trasu",
                    kGermanRoute},
        CommandCase{"GermanSelectedRouteEntryByKeys",
                    &Ui::frmVemo::lbxTrasa,
                    {1},
                    nullptr,
                    "(AS) Ort 1 : (AK) Ort 2;7"},
        CommandCase{"GermanSelectedSectionsByKeys",
                    &Ui::frmVemo::lbxCis,
                    {},
                    nullptr,
                    "(AS) Start : (AK) Ort 1;12,5\n(AS) Ort 1 : (AK) Ort 2;7"},
        CommandCase{"GermanSelectedSectionByMenu",
                    &Ui::frmVemo::lbxCis,
                    {1},
                    "Kopírovat úseky",
                    "(AS) Ort 1 : (AK) Ort 2;7"},
        CommandCase{"AustrianRouteByKeys", &Ui::frmVemo::lbxAUTrasa, {}, nullptr, kAustrianRoute},
        CommandCase{
            "AustrianRouteByMenu", &Ui::frmVemo::lbxAUTrasa, {}, "Kopírovat trasu", kAustrianRoute},
        CommandCase{"AustrianSelectedRouteEntriesByKeys",
                    &Ui::frmVemo::lbxAUTrasa,
                    {1, 0},
                    nullptr,
                    "Start-Ort 1 : 3,5/5,2/7,1\nOrt 1-Ort 2 : 2,8/4,1/6,05"},
        CommandCase{"AustrianSelectedSectionsByMenu",
                    &Ui::frmVemo::lbxAUCis,
                    {},
                    "Kopírovat úseky",
                    "Start-Ort 1 : 3,5/5,2/7,1\nOrt 1-Ort 2 : 2,8/4,1/6,05"}),
    testrows::ByName());

TEST_F(CopyCommands, SectionCommandNeedsASelection) {
    auto frm = Open({{"Ort 1", "1"}}, {});
    ASSERT_EQ(frm->lbxCis->count(), 1);
    const MenuVisit visit = UseContextMenu(frm->lbxCis, QStringLiteral("Kopírovat úseky"));
    EXPECT_EQ(visit.commands, QStringList{QString::fromUtf8("Kopírovat úseky (off)")});
    PressCopy(frm->lbxCis);
    EXPECT_EQ(Clipboard(), kUntouched);
}

TEST_F(CopyCommands, RouteMenuOffersTheRouteCommands) {
    auto frm = Open({}, {});
    const MenuVisit visit = UseContextMenu(frm->lbxTrasa, QStringLiteral("Kopírovat trasu"));
    // Separators have no caption.
    EXPECT_EQ(visit.commands, (QStringList{"Kopírovat trasu", "", "Nabídka…", "", "Uložit trasu…",
                                           "Otevřít trasu…"}));
    // The commands that answer keys anywhere in the window show them.
    EXPECT_EQ(visit.shortcuts, (QStringList{"", "", "Ctrl+P", "", "Ctrl+S", "Ctrl+O"}));
    // An empty route still copies what the tab shows.
    EXPECT_EQ(Clipboard().toStdString(),
              "Kategorie:\nPočet náprav: 3\nSazebník: vestavěný, platný od "
              "1. 1. 2005\nCelkem km: 0 km\nSazba za km: 0,00 €\n"
              "Celkem Vemo Maut:\nMýtné dle vyúčtování:");
}

// The keyboard opens the same menu as the right click: the Menu key and Shift+F10.
TEST_F(CopyCommands, KeysOpenTheContextMenu) {
    auto frm = Open({{"Ort 1", "1"}}, {});
    for (const MenuOpener opener : {MenuOpener::MenuKey, MenuOpener::ShiftF10}) {
        QApplication::clipboard()->clear();
        const MenuVisit visit =
            UseContextMenu(frm->lbxTrasa, QStringLiteral("Kopírovat trasu"), -1, opener);
        EXPECT_TRUE(visit.chosen) << static_cast<int>(opener);
        EXPECT_TRUE(Clipboard().endsWith(QStringLiteral("Mýtné dle vyúčtování:")));
    }
}

// The right click that opens the menu is no click on an entry: selection and entry label stay.
TEST_F(CopyCommands, RightClickLeavesTheSelection) {
    auto frm = Open({{"Ort 1", "1"}, {"Ort 2", "2"}}, {});
    SelectRows(frm->lbxCis, {0});
    ASSERT_EQ(frm->lblUsek->text(), "(AS) Start : (AK) Ort 1;1");
    QSignalSpy selection(frm->lbxCis, &QListWidget::itemSelectionChanged);

    UseContextMenu(frm->lbxCis, QString(), 1); // closed with Escape
    EXPECT_EQ(vemo::ui::ListSelectedRows(frm->lbxCis), std::vector<int>{0});
    EXPECT_EQ(frm->lbxCis->currentRow(), 0);
    EXPECT_EQ(frm->lblUsek->text().toStdString(), "(AS) Start : (AK) Ort 1;1");
    EXPECT_EQ(selection.count(), 0);
}

// Entries hold Windows-1250 bytes; the copy carries the characters the list shows.
TEST_F(CopyCommands, CopyCarriesTheCharactersTheListShows) {
    auto frm = Open({{"\x8A"
                      "umava \x9E"
                      "\xE1"
                      "r",
                      "1"}},
                    {{"\x8Ei\x9Ekov", "0,5/1/2"}});
    SelectRows(frm->lbxCis, {0});
    PressCopy(frm->lbxCis);
    EXPECT_EQ(Clipboard().toStdString(), "(AS) Start : (AK) Šumava žár;1");

    frm->pgcMain->setCurrentWidget(frm->tbsAU);
    SelectRows(frm->lbxAUCis, {0});
    PressCopy(frm->lbxAUCis);
    EXPECT_EQ(Clipboard().toStdString(), "Start-Žižkov : 0,5/1/2");
}

} // namespace
