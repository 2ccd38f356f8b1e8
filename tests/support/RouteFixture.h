#pragma once
// The window with both tabs' tables, as the tests of the commands on top of the routes use it:
// sections written into the data files, the worked examples of both tabs built by clicks, the
// context menus of the lists opened and used as a user does, and the state of everything the
// handlers write.

#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"
#include "ui/ListBox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <string>
#include <utility>
#include <vector>

// What the context menu offered, and whether the wanted command was there and enabled.
struct MenuVisit {
    QStringList commands;  // captions, with " (off)" behind a disabled one
    QStringList shortcuts; // the keys the menu shows beside them, empty where none
    bool chosen = false;
};

class RouteWindowTest : public UiTest {
public:
    // Sections as (name of the point it leads to, length or "A/B/C" amounts).
    using Sections = testrows::Legs;

    static inline const Sections kWorkedGerman = testrows::kWorkedGerman;
    static inline const Sections kWorkedAustrian = testrows::kWorkedAustrian;

protected:
    // German sections of motorway 1 with the given names and lengths; Austrian sections of
    // motorway "A1" with the given names and "A/B/C" amounts. Open writes them and opens the
    // window with both motorways chosen.
    void WriteTables(const Sections& germanSections, const Sections& austrianSections) {
        WriteDataFile("data.sdf", testrows::GermanRows(testrows::Chained(germanSections)));
        WriteDataFile("data2.sdf", testrows::AustrianRows(testrows::Chained(austrianSections)));
    }

    OpenWindow Open(const Sections& germanSections, const Sections& austrianSections) {
        WriteTables(germanSections, austrianSections);
        auto frm = CreateWindow();
        if (!germanSections.empty()) {
            PickSelectorEntry(frm->cboDalnice, 0);
        }
        if (!austrianSections.empty()) {
            frm->pgcMain->setCurrentWidget(frm->tbsAU);
            PickSelectorEntry(frm->cboAUDalnice, 0);
            frm->pgcMain->setCurrentWidget(frm->tbsDE);
        }
        return frm;
    }

    // The worked examples of both tabs: two German sections of 12,5 and 7 km under
    // "Kategorie B" (19,5 km, 0,11 €/km, 2,145 €) and two Austrian sections under "Kategorie B"
    // (5,2 + 4,1 = 9,3 €). Both sections stay selected in both section lists.
    OpenWindow OpenWorkedExamples() {
        auto frm = Open(kWorkedGerman, kWorkedAustrian);
        SelectRows(frm->lbxCis, {0, 1});
        Click(frm->btnSelect);
        PickSelectorEntry(frm->cboKategorie, 1);

        frm->pgcMain->setCurrentWidget(frm->tbsAU);
        PickSelectorEntry(frm->cboAUKategorie, 1);
        SelectRows(frm->lbxAUCis, {0, 1});
        Click(frm->btnAUSelect);
        frm->pgcMain->setCurrentWidget(frm->tbsDE);

        EXPECT_EQ(frm->lblKm->text(), "19,5 km");
        EXPECT_EQ(frm->lblMaut->text(), QString::fromUtf8("2,145 €"));
        EXPECT_EQ(frm->lblAUMaut->text(), QString::fromUtf8("9,3 €"));
        return frm;
    }

    static void ShowPageOf(const Ui::frmVemo& frm, QWidget* control) {
        frm.pgcMain->setCurrentWidget(frm.tbsDE->isAncestorOf(control) ? frm.tbsDE : frm.tbsAU);
    }

    void PressCopy(TListBox* list) {
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    }

    // A right click as the windowing system delivers it: the press reaches the window, which
    // asks the list for its context menu. The menu is then read and the command chosen with
    // the keyboard (or the menu closed with Escape when the command is missing or disabled).
    // The keys that ask for a list's context menu, as the windowing system sends them: the Menu
    // key arrives as a context-menu event, Shift+F10 as a key press.
    enum class MenuOpener { RightClick, MenuKey, ShiftF10 };

    MenuVisit UseContextMenu(TListBox* list, const QString& command, int row = -1,
                             MenuOpener opener = MenuOpener::RightClick) {
        MenuVisit visit;
        QTimer::singleShot(0, list, [&visit, command] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                return;
            }
            QAction* wanted = nullptr;
            for (QAction* action : menu->actions()) {
                visit.commands.append(action->text() +
                                      (action->isEnabled() ? QString() : QStringLiteral(" (off)")));
                visit.shortcuts.append(action->isShortcutVisibleInContextMenu()
                                           ? action->shortcut().toString()
                                           : QString());
                if (action->text() == command && action->isEnabled()) {
                    wanted = action;
                }
            }
            if (wanted) {
                menu->setActiveAction(wanted);
                QTest::keyClick(menu, Qt::Key_Return);
                visit.chosen = true;
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        const QPoint inList = row >= 0 ? list->visualItemRect(list->item(row)).center()
                                       : list->viewport()->rect().center();
        QWidget* window = list->window();
        if (opener == MenuOpener::RightClick) {
            QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                              list->viewport()->mapTo(window, inList));
        } else if (opener == MenuOpener::MenuKey) {
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, inList,
                                      list->viewport()->mapToGlobal(inList));
            QApplication::sendEvent(list->viewport(), &menuKey);
        } else {
            list->setFocus(Qt::TabFocusReason);
            QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        }
        // The timer has run inside the menu's own loop; this only lets a stray one finish.
        QCoreApplication::processEvents();
        return visit;
    }

    static QString Clipboard() { return QApplication::clipboard()->text(); }
};

// Everything a handler of either tab writes, and the selection of the four lists.
struct WindowState {
    QString usek, auUsek, kategorie, km, maut, auMaut, auKategorie, sazba;
    QString category, axles, auCategory; // the selectors' and the spin edit's texts
    std::vector<std::vector<int>> selections;
    std::vector<QStringList> entries;

    explicit WindowState(const Ui::frmVemo& frm)
        : usek(frm.lblUsek->text()), auUsek(frm.lblAUUsek->text()),
          kategorie(frm.lblKategorie->text()), km(frm.lblKm->text()), maut(frm.lblMaut->text()),
          auMaut(frm.lblAUMaut->text()), auKategorie(frm.lblAUKategorie->text()),
          sazba(frm.curSazba->DisplayText()), category(frm.cboKategorie->currentText()),
          axles(frm.speNapravy->Text()), auCategory(frm.cboAUKategorie->currentText()) {
        for (const QListWidget* list : {frm.lbxCis, frm.lbxTrasa, frm.lbxAUCis, frm.lbxAUTrasa}) {
            selections.push_back(vemo::ui::ListSelectedRows(list));
            QStringList texts;
            for (int row = 0; row < list->count(); ++row)
                texts.append(list->item(row)->text());
            entries.push_back(texts);
        }
    }
    bool operator==(const WindowState&) const = default;
};

inline void PrintTo(const WindowState& s, std::ostream* out) {
    *out << s.usek.toStdString() << " | " << s.km.toStdString() << " | " << s.maut.toStdString()
         << " | " << s.auMaut.toStdString() << " | " << s.sazba.toStdString() << " | "
         << s.category.toStdString() << " | " << s.axles.toStdString() << " | "
         << s.auCategory.toStdString();
}
