// The window as assistive tools and keyboard users meet it: names and descriptions of the
// controls, captions tied to their controls, totals read with their names and announced when
// they change, the frame that marks the focused control, and whole entries as tooltips.
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QFocusFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolTip>

#include <functional>

namespace {

QString AccessibleText(QObject* object, QAccessible::Text kind) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(kind) : QStringLiteral("<no interface>");
}

class Accessibility : public UiTest {
protected:
    // German sections of motorway 1 and Austrian sections of "A1", named as given.
    OpenWindow Open(const std::vector<std::string>& germanTargets = {"Ort 1"},
                    const std::vector<std::string>& austrianTargets = {"Ort 1"}) {
        std::vector<testrows::Section> german;
        for (const std::string& target : germanTargets)
            german.push_back({"Start", target, "12,5"});
        std::vector<testrows::Section> austrian;
        for (const std::string& target : austrianTargets)
            austrian.push_back({"Start", target, "3,5/5,2/7,1"});
        WriteDataFile("data.sdf", testrows::GermanRows(german));
        WriteDataFile("data2.sdf", testrows::AustrianRows(austrian));
        return CreateWindow({"QZX"}); // the "Data" buttons take the focus too
    }

    static QFocusFrame* FocusMark(const OpenWindow& frm) {
        return frm.get()->findChild<QFocusFrame*>();
    }
};

TEST_F(Accessibility, EveryControlHasItsNameAndADescription) {
    auto frm = Open();
    struct Case {
        QWidget* control;
        const char* name;
        // What the interface reports as the name where Qt's Linux interface differs: a tab bar
        // names its current tab, a selector that shows a text names that text (the caption then
        // comes through the label relation).
        const char* readName;
    };
    const Case cases[] = {
        {frm->pgcMain->tabBar(), "", "Německo"},
        {frm->cboDalnice, "Dálnice", nullptr},
        {frm->lbxTrasa, "Opis trasy", nullptr},
        {frm->btnSelect, "Přidat do trasy", nullptr},
        {frm->btnUnselect, "Odebrat z trasy", nullptr},
        {frm->btnCreateData, "Data", nullptr},
        {frm->lbxCis, "Úseky", nullptr},
        {frm->cboKategorie, "Kategorie", nullptr},
        {frm->memHelp, "Vysvětlivky zkratek", nullptr},
        {frm->curSazba, "Sazba za km", nullptr},
        {frm->speNapravy, "Počet náprav", nullptr},
        {frm->speNapravy->Edit(), "Počet náprav", nullptr},
        {frm->cboAUDalnice, "Dálnice", nullptr},
        {frm->lbxAUCis, "Úseky", nullptr},
        {frm->lbxAUTrasa, "Opis trasy", nullptr},
        {frm->btnAUSelect, "Přidat do trasy", nullptr},
        {frm->btnAUUnselect, "Odebrat z trasy", nullptr},
        {frm->btnAUCreateData, "Data", nullptr},
        {frm->cboAUKategorie, "Kategorie vozidla", "Kategorie A"},
    };
    for (const Case& c : cases) {
        const std::string id = c.control->objectName().toStdString();
        EXPECT_EQ(c.control->accessibleName().toStdString(), c.name) << id;
        const char* readName = c.readName ? c.readName : c.name;
#if defined(_WIN32)
        // Qt for Windows reads an editable selector by its name, not by its text.
        if (const auto* box = qobject_cast<QComboBox*>(c.control); box && box->isEditable())
            readName = c.name;
#endif
        EXPECT_EQ(AccessibleText(c.control, QAccessible::Name).toStdString(), readName) << id;
        // Qt's tab bar interface reports no description of its own.
        if (c.control != frm->speNapravy->Edit() && c.control != frm->pgcMain->tabBar()) {
            EXPECT_FALSE(AccessibleText(c.control, QAccessible::Description).isEmpty()) << id;
        }
    }
    // The names say what the buttons do; their captions stay as stored.
    EXPECT_EQ(frm->btnSelect->text(), ">>");
    EXPECT_EQ(frm->btnUnselect->text(), "<<");
    EXPECT_EQ(frm->btnAUSelect->text(), ">>");
    EXPECT_EQ(frm->btnAUUnselect->text(), "<<");
}

// Whatever takes the focus, down to the edits inside the selectors and the spin edit, is named.
TEST_F(Accessibility, NothingThatTakesTheFocusIsNameless) {
    auto frm = Open();
    int focusable = 0;
    for (QWidget* widget : frm.get()->findChildren<QWidget*>()) {
        // Popup lists of the selectors live in windows of their own.
        if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() ||
            widget->window() != frm.get()) {
            continue;
        }
        ++focusable;
        EXPECT_FALSE(AccessibleText(widget, QAccessible::Name).isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString()
            << " in " << widget->parentWidget()->objectName().toStdString();
    }
    EXPECT_GE(focusable, 18);
}

TEST_F(Accessibility, CaptionsAreTiedToTheirControlsWithoutMnemonics) {
    auto frm = Open();
    struct Case {
        QLabel* caption;
        QWidget* control;
        const char* text;
    };
    const Case cases[] = {
        {frm->Label1, frm->cboDalnice, "Dálnice:"},
        {frm->Label5, frm->lbxCis, "Úseky:"},
        {frm->Label2, frm->lbxTrasa, "Opis trasy:"},
        {frm->Label7, frm->cboKategorie, "Parametry vozidla:"},
        {frm->Label8, frm->speNapravy, "Počet náprav:"},
        {frm->Label4, frm->curSazba, "Sazba za km:"},
        {frm->Label3, frm->lblKm, "Celkem km:"},
        {frm->Label6, frm->lblMaut, "Celkem Vemo Maut:"},
        {frm->Label9, frm->cboAUDalnice, "Dálnice:"},
        {frm->Label11, frm->lbxAUCis, "Úseky:"},
        {frm->Label10, frm->lbxAUTrasa, "Opis trasy:"},
        {frm->Label12, frm->cboAUKategorie, "Kategorie vozidla:"},
        {frm->Label13, frm->lblAUMaut, "Celkem Vemo Maut:"},
    };
    for (const Case& c : cases) {
        const std::string id = c.caption->objectName().toStdString();
        EXPECT_EQ(c.caption->buddy(), c.control) << id;
        EXPECT_EQ(c.caption->text().toStdString(), c.text) << id;
        // The relation a screen reader follows from the control to its caption. Qt's list
        // interface reports no relations; the lists carry the caption as their name instead.
        if (qobject_cast<QListWidget*>(c.control)) {
            continue;
        }
        bool labelled = false;
        const auto relations =
            QAccessible::queryAccessibleInterface(c.control)->relations(QAccessible::Label);
        for (const auto& [iface, relation] : relations) {
            labelled = labelled || iface->object() == c.caption;
        }
        EXPECT_TRUE(labelled) << id;
    }
}

// Qt announces a new caption as a change of the label's name; that reaches a screen reader only
// through a platform bridge, which the offscreen platform lacks, so the names are checked here.
TEST_F(Accessibility, TotalsReadWithTheirNames) {
    auto frm = Open({"Ort 1", "Ort 2"});
    EXPECT_EQ(AccessibleText(frm->lblKm, QAccessible::Name).toStdString(), "Celkem km: 0 km");
    EXPECT_EQ(AccessibleText(frm->lblMaut, QAccessible::Name).toStdString(), "Celkem Vemo Maut");
    EXPECT_EQ(AccessibleText(frm->lblAUMaut, QAccessible::Name).toStdString(), "Celkem Vemo Maut");

    PickSelectorEntry(frm->cboDalnice, 0);
    SelectRows(frm->lbxCis, {0, 1});
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, 0);
    EXPECT_EQ(AccessibleText(frm->lblKm, QAccessible::Name).toStdString(), "Celkem km: 25 km");
    EXPECT_EQ(AccessibleText(frm->lblMaut, QAccessible::Name).toStdString(),
              "Celkem Vemo Maut: 2,25 €");
    EXPECT_EQ(AccessibleText(frm->lblMaut, QAccessible::Value).toStdString(), "2,25 €");

    frm->pgcMain->setCurrentWidget(frm->tbsAU);
    PickSelectorEntry(frm->cboAUDalnice, 0);
    SelectRows(frm->lbxAUCis, {0});
    Click(frm->btnAUSelect);
    EXPECT_EQ(AccessibleText(frm->lblAUMaut, QAccessible::Name).toStdString(),
              "Celkem Vemo Maut: 3,5 €");
    EXPECT_TRUE(reports.empty());
}

// ---- Focus -----------------------------------------------------------------------------------

TEST_F(Accessibility, TheTabBarHasTheFocusAtStart) {
    auto frm = Open();
    ASSERT_TRUE(frm.get()->isActiveWindow());
    EXPECT_EQ(QApplication::focusWidget(), frm->pgcMain->tabBar());
    QFocusFrame* mark = FocusMark(frm);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->widget(), frm->pgcMain->tabBar());
    EXPECT_TRUE(mark->isVisible());
}

// The Tab key walks both pages; the mark surrounds whichever control it reaches, the empty
// lists and the read-only rate box included.
TEST_F(Accessibility, TheMarkFollowsTheTabKeyOverBothPages) {
    auto frm = Open();
    struct Page {
        QWidget* page;
        std::vector<QWidget*> order;
    };
    const Page pages[] = {
        {frm->tbsDE,
         {frm->cboDalnice, frm->lbxTrasa, frm->btnSelect, frm->btnUnselect, frm->btnCreateData,
          frm->lbxCis, frm->cboKategorie, frm->memHelp, frm->curSazba, frm->speNapravy}},
        {frm->tbsAU,
         {frm->cboAUDalnice, frm->lbxAUCis, frm->lbxAUTrasa, frm->btnAUSelect, frm->btnAUUnselect,
          frm->btnAUCreateData, frm->cboAUKategorie}},
    };
    QFocusFrame* mark = FocusMark(frm);
    ASSERT_NE(mark, nullptr);
    for (const Page& page : pages) {
        frm->pgcMain->setCurrentWidget(page.page);
        frm->pgcMain->tabBar()->setFocus(Qt::TabFocusReason);
        for (QWidget* control : page.order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const std::string id = control->objectName().toStdString();
            ASSERT_EQ(mark->widget(), control) << id;
            EXPECT_TRUE(mark->isVisible()) << id;
            EXPECT_EQ(mark->parentWidget(), page.page) << id;
            EXPECT_TRUE(mark->geometry().contains(control->geometry())) << id;
            EXPECT_NE(mark->geometry(), control->geometry()) << id;
        }
    }
}

// What the user sees: around the focused empty route list the page turns dark, where the same
// pixels show the page's own colour while the list has no focus.
TEST_F(Accessibility, TheMarkIsPlainlyVisibleAroundAnEmptyList) {
    auto frm = Open();
    QListWidget* list = frm->lbxTrasa;
    ASSERT_EQ(list->count(), 0);
    const QRect box = list->geometry();
    const std::vector<QPoint> probes = {{box.left() - 1, box.center().y()},
                                        {box.right() + 1, box.center().y()},
                                        {box.center().x(), box.top() - 1},
                                        {box.center().x(), box.bottom() + 1}};
    auto shades = [&] {
        const QImage image = frm->tbsDE->grab().toImage();
        std::vector<int> result;
        for (const QPoint& p : probes) {
            result.push_back(qGray(image.pixel(p)));
        }
        return result;
    };

    frm->cboDalnice->setFocus(Qt::TabFocusReason);
    const std::vector<int> unfocused = shades();
    QTest::keyClick(frm->cboDalnice, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list);
    const std::vector<int> focused = shades();
    for (std::size_t i = 0; i < probes.size(); ++i) {
        EXPECT_GT(unfocused[i], 160) << "probe " << i;
        EXPECT_LT(focused[i], 100) << "probe " << i;
    }
}

TEST_F(Accessibility, TheMarkStaysWhileAListOpensAndComesBackWithTheFocus) {
    auto frm = Open();
    QFocusFrame* mark = FocusMark(frm);
    ASSERT_NE(mark, nullptr);
    PickSelectorEntry(frm->cboDalnice, 0); // focus into the popup and back
    EXPECT_EQ(mark->widget(), frm->cboDalnice);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(mark->widget(), frm->lbxTrasa);
}

// ---- Whole entries ---------------------------------------------------------------------------

struct TipCase {
    const char* name;
    std::string target;     // the section's end, Windows-1250
    const char* shownEntry; // the tooltip's text as the user reads it; null: no tooltip
};

// Parameters print as their names in test listings.
void PrintTo(const TipCase& c, std::ostream* out) {
    *out << c.name;
}

class EntryTooltip : public Accessibility, public ::testing::WithParamInterface<TipCase> {
protected:
    void TearDown() override {
        QToolTip::hideText();
        Accessibility::TearDown();
    }
};

TEST_P(EntryTooltip, ShowsTheWholeEntryOnlyWhenTheListCutsIt) {
    const TipCase& c = GetParam();
    auto frm = Open({c.target}, {c.target});
    PickSelectorEntry(frm->cboDalnice, 0);
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    frm->pgcMain->setCurrentWidget(frm->tbsAU);
    PickSelectorEntry(frm->cboAUDalnice, 0);

    for (QListWidget* list : {frm->lbxCis, frm->lbxTrasa, frm->lbxAUCis}) {
        frm->pgcMain->setCurrentWidget(frm->tbsDE->isAncestorOf(list) ? frm->tbsDE : frm->tbsAU);
        QToolTip::hideText();
        const QString usek = frm->lblUsek->text();
        RestPointerOn(list, 0);
        const std::string id = list->objectName().toStdString();
        if (c.shownEntry) {
            EXPECT_EQ(ShownTip(), list->item(0)->text()) << id;
            EXPECT_TRUE(list->item(0)->text().contains(QString::fromUtf8(c.shownEntry))) << id;
        } else {
            EXPECT_EQ(ShownTip(), QString()) << id;
        }
        // Resting on an entry is no click.
        EXPECT_EQ(frm->lblUsek->text(), usek) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryTooltip,
    ::testing::Values(TipCase{"ShortEntryNeedsNone", "Bonn", nullptr},
                      TipCase{"LongEntryShowsWhole",
                              "Autobahnkreuz Frankfurter Kreuz West, Richtung Flughafen Terminal 2",
                              "Flughafen Terminal 2"},
                      TipCase{"MarkupSignsShowAsTyped",
                              "Ausfahrt <b>Nord</b> & S\xFC"
                              "d    mit vier Leerzeichen und noch mehr Text",
                              "<b>Nord</b> & Süd    mit"}),
    testrows::ByName());

} // namespace
