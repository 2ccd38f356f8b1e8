// The route commands the mouse and the keyboard reach without the buttons and menus: a
// double-click in the lists, Ctrl+S and Ctrl+O anywhere in the window.
#include "tests/support/RouteFixture.h"
#include "tests/support/Tables.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

namespace {

struct DoubleClickCase {
    const char* name;
    bool austrian;
    // On the first entry of the route list, which holds both sections; else on the second
    // section. Either way the route ends up holding the second section alone.
    bool onRoute;
};

void PrintTo(const DoubleClickCase& c, std::ostream* out) {
    *out << c.name;
}

class DoubleClicks : public RouteWindowTest, public ::testing::WithParamInterface<DoubleClickCase> {
protected:
    // As the window system delivers it: press, release, press, double-click, release. A lone
    // double-click event, which no window system sends, leaves the list's press unfinished.
    static void DoubleClick(TListBox* list, Qt::MouseButton button, QPoint inViewport) {
        QWidget* window = list->window();
        QTest::mouseDClick(window->windowHandle(), button, {},
                           list->viewport()->mapTo(window, inViewport));
    }
};

// A double-click adds the section as ">>" does, or removes the route entry as "<<" does: once,
// and only that entry, whatever was selected before.
TEST_P(DoubleClicks, AddOrRemoveTheEntry) {
    const DoubleClickCase& c = GetParam();
    auto frm = Open(kWorkedGerman, kWorkedAustrian);
    ShowPageOf(*frm, c.austrian ? frm->lbxAUCis : frm->lbxCis);
    TListBox* sections = c.austrian ? frm->lbxAUCis : frm->lbxCis;
    TListBox* route = c.austrian ? frm->lbxAUTrasa : frm->lbxTrasa;
    SelectRows(sections, {0, 1});
    if (c.onRoute) {
        Click(c.austrian ? frm->btnAUSelect : frm->btnSelect);
        SelectRows(route, {0, 1});
    }
    TListBox* list = c.onRoute ? route : sections;
    DoubleClick(list, Qt::LeftButton, list->visualItemRect(list->item(c.onRoute ? 0 : 1)).center());

    ASSERT_EQ(route->count(), 1);
    EXPECT_EQ(route->item(0)->text(), sections->item(1)->text());
    // The second section's length or amount in category A.
    EXPECT_EQ((c.austrian ? frm->lblAUMaut : frm->lblKm)->text(),
              QString::fromUtf8(c.austrian ? "2,8 €" : "7 km"));
    if (!c.onRoute) {
        EXPECT_EQ(vemo::ui::ListSelectedRows(sections), std::vector<int>{1});
        EXPECT_EQ((c.austrian ? frm->lblAUUsek : frm->lblUsek)->text(), sections->item(1)->text());
    }
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Lists, DoubleClicks,
                         ::testing::Values(DoubleClickCase{"GermanSectionAdded", false, false},
                                           DoubleClickCase{"GermanRouteEntryRemoved", false, true},
                                           DoubleClickCase{"AustrianSectionAdded", true, false},
                                           DoubleClickCase{"AustrianRouteEntryRemoved", true,
                                                           true}),
                         testrows::ByName());

// A double-click with another button, or beside the entries, changes no route.
TEST_F(DoubleClicks, OnlyTheLeftButtonOnAnEntry) {
    auto frm = Open(kWorkedGerman, kWorkedAustrian);
    const QPoint onEntry = frm->lbxCis->visualItemRect(frm->lbxCis->item(0)).center();
    DoubleClick(frm->lbxCis, Qt::MiddleButton, onEntry);
    DoubleClick(frm->lbxCis, Qt::LeftButton, {onEntry.x(), frm->lbxCis->viewport()->height() - 2});
    EXPECT_EQ(frm->lbxTrasa->count(), 0);
    EXPECT_EQ(frm->lblKm->text(), "0 km");
}

using Frm = Ui::frmVemo;

struct KeyPlace {
    const char* name;
    QWidget* (*control)(const Frm& frm);
};

void PrintTo(const KeyPlace& c, std::ostream* out) {
    *out << c.name;
}

class RouteKeys : public RouteWindowTest, public ::testing::WithParamInterface<KeyPlace> {
protected:
    void Press(const OpenWindow& frm, QWidget* control, Qt::Key key) {
        ShowPageOf(*frm, control);
        frm.get()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get(), 1000));
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    }
};

// Ctrl+S saves both routes and Ctrl+O opens them again, wherever the focus is.
TEST_P(RouteKeys, SaveAndOpenFromAnywhereInTheWindow) {
    auto frm = OpenWorkedExamples();
    QWidget* control = GetParam().control(*frm);
    const QString file = Path("trasa.txt");
    chosenFiles = {file};
    Press(frm, control, Qt::Key_S);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(fileRequests.back().save);
    EXPECT_TRUE(QFile::exists(file));

    SelectRows(frm->lbxTrasa, {0, 1});
    Click(frm->btnUnselect);
    ASSERT_EQ(frm->lblKm->text(), "0 km");
    chosenFiles = {file};
    Press(frm, control, Qt::Key_O);
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_FALSE(fileRequests.back().save);
    EXPECT_EQ(frm->lblKm->text(), "19,5 km");
    EXPECT_EQ(frm->lbxTrasa->count(), 2);
    EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Focus, RouteKeys,
    ::testing::Values(
        KeyPlace{"TabBar", [](const Frm& frm) -> QWidget* { return frm.pgcMain->tabBar(); }},
        KeyPlace{"SectionList", [](const Frm& frm) -> QWidget* { return frm.lbxCis; }},
        KeyPlace{"CategoryText",
                 [](const Frm& frm) -> QWidget* { return frm.cboKategorie->lineEdit(); }},
        KeyPlace{"RateBox", [](const Frm& frm) -> QWidget* { return frm.curSazba; }},
        KeyPlace{"HelpBox", [](const Frm& frm) -> QWidget* { return frm.memHelp; }},
        KeyPlace{"AustrianRoute", [](const Frm& frm) -> QWidget* { return frm.lbxAUTrasa; }}),
    testrows::ByName());

} // namespace
