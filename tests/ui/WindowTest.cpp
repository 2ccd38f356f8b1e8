// The window after a normal start: stored layout and how it follows a larger window, start
// state, the controls' event contract, page switching, the locale and closing.
#include "tests/support/UiFixture.h"
#include "ui/Cp1250Text.h"
#include "ui/ListBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

namespace {

const QStringList kHelpLines = {
    QString::fromUtf8("AD:\tdálniční trojúhelník"),
    QString::fromUtf8("AK:\tdálniční křižovatka"),
    QString::fromUtf8("AS:\tdálniční výjezd/přivaděč"),
    QString::fromUtf8("AN:\tpřipojení"),
    QString::fromUtf8("BS:\tmísto pomoci-AS"),
    QString::fromUtf8("BG:\tspolková hranice"),
    QString::fromUtf8("TR:\tčerpací stanice/odpočívadlo"),
};

QStringList Items(const QComboBox* selector) {
    QStringList items;
    for (int i = 0; i < selector->count(); ++i) {
        items.append(selector->itemText(i));
    }
    return items;
}

// The stored layout, with how each control follows a window larger than 537 × 511: for its
// left, top, right and bottom edge, '0' stays, 'h' moves by half the growth (the section list
// and the route list share the width), '1' by all of it.
struct StoredBox {
    QWidget* control;
    const char* name;
    QRect box;
    const char* follows;
};

std::vector<StoredBox> StoredBoxes(const Ui::frmVemo& frm) {
    return {
        {frm.pgcMain, "pgcMain", {0, 0, 537, 511}, "0011"},
        {frm.cboDalnice, "cboDalnice", {62, 6, 157, 21}, "0000"},
        {frm.lbxTrasa, "lbxTrasa", {297, 8, 220, 237}, "h011"},
        {frm.btnSelect, "btnSelect", {224, 59, 69, 25}, "h0h0"},
        {frm.btnUnselect, "btnUnselect", {224, 90, 69, 25}, "h0h0"},
        {frm.btnCreateData, "btnCreateData", {221, 218, 75, 25}, "h0h0"},
        {frm.lbxCis, "lbxCis", {10, 58, 209, 185}, "00h1"},
        {frm.cboKategorie, "cboKategorie", {8, 286, 129, 21}, "0101"},
        {frm.cboHmotnost, "cboHmotnost", {199, 286, 84, 21}, "0101"},
        {frm.memHelp, "memHelp", {0, 354, 525, 99}, "0111"},
        {frm.curSazba, "curSazba", {388, 294, 129, 21}, "1111"},
        {frm.speNapravy, "speNapravy", {90, 324, 121, 21}, "0101"},
        {frm.lblKm, "lblKm", {423, 274, 90, 13}, "1111"},
        {frm.lblMaut, "lblMaut", {400, 326, 117, 13}, "h111"},
        {frm.lblMautVyuctovani, "lblMautVyuctovani", {296, 338, 221, 12}, "h111"},
        {frm.Bevel1, "Bevel1", {2, 271, 287, 80}, "01h1"},
        {frm.Bevel2, "Bevel2", {292, 271, 235, 79}, "h111"},
        {frm.cboAUDalnice, "cboAUDalnice", {62, 6, 157, 21}, "0000"},
        {frm.lbxAUCis, "lbxAUCis", {10, 58, 209, 277}, "00h1"},
        {frm.lbxAUTrasa, "lbxAUTrasa", {297, 8, 220, 326}, "h011"},
        {frm.btnAUSelect, "btnAUSelect", {224, 59, 69, 25}, "h0h0"},
        {frm.btnAUUnselect, "btnAUUnselect", {224, 90, 69, 25}, "h0h0"},
        {frm.btnAUCreateData, "btnAUCreateData", {221, 218, 75, 25}, "h0h0"},
        {frm.cboAUKategorie, "cboAUKategorie", {14, 390, 129, 21}, "0101"},
        {frm.lblAUMaut, "lblAUMaut", {402, 372, 115, 13}, "h111"},
    };
}

// The labels that size to their text: their stored place, and how it follows the window.
struct StoredCaption {
    QLabel* label;
    QPoint place;
    const char* caption;
    const char* follows;
};

std::vector<StoredCaption> StoredCaptions(const Ui::frmVemo& frm) {
    return {
        {frm.Label1, {10, 10}, "Dálnice:", "0000"},
        {frm.Label2, {230, 12}, "Opis trasy:", "h0h0"},
        {frm.Label5, {11, 42}, "Úseky:", "0000"},
        {frm.lblUsek, {6, 250}, "", "0101"},
        {frm.Label7, {6, 269}, "Parametry vozidla:", "0101"},
        {frm.lblKategorie, {8, 310}, "", "0101"},
        {frm.Label8, {8, 332}, "Počet náprav:", "0101"},
        {frm.Label15, {143, 290}, "Hmotnost:", "0101"},
        {frm.Label3, {298, 274}, "Celkem km:", "h1h1"},
        {frm.Label4, {298, 295}, "Sazba za km:", "h1h1"},
        {frm.Label6, {296, 326}, "Celkem Vemo Maut:", "h1h1"},
        {frm.Label9, {10, 10}, "Dálnice:", "0000"},
        {frm.Label10, {230, 12}, "Opis trasy:", "h0h0"},
        {frm.Label11, {11, 42}, "Úseky:", "0000"},
        {frm.lblAUUsek, {11, 346}, "", "0101"},
        {frm.Label12, {10, 371}, "Kategorie vozidla:", "0101"},
        {frm.Label13, {298, 372}, "Celkem Vemo Maut:", "h1h1"},
        {frm.Label14, {152, 394}, "Při změně kategorie se mýtné trasy přepočítá.", "0101"},
        {frm.lblAUKategorie, {10, 416}, "2 nápravy", "0101"},
    };
}

// The box as the anchors put it in a window grown by growth.
QRect Anchored(const QRect& box, const char* follows, QSize growth) {
    const auto share = [](char follow, int by) {
        return follow == '1' ? by : follow == 'h' ? by / 2 : 0;
    };
    return QRect(QPoint(box.left() + share(follows[0], growth.width()),
                        box.top() + share(follows[1], growth.height())),
                 QPoint(box.right() + share(follows[2], growth.width()),
                        box.bottom() + share(follows[3], growth.height())));
}

// Every control of the stored layout where its anchors put it for the window's present size.
void ExpectAnchoredLayout(const Ui::frmVemo& frm, QSize window, const char* when) {
    const QSize growth = window - QSize(537, 511);
    for (const StoredBox& c : StoredBoxes(frm))
        EXPECT_EQ(c.control->geometry(), Anchored(c.box, c.follows, growth))
            << c.name << " " << when;
    for (const StoredCaption& c : StoredCaptions(frm))
        EXPECT_EQ(c.label->pos(), Anchored({c.place, QSize(1, 1)}, c.follows, growth).topLeft())
            << c.label->objectName().toStdString() << " " << when;
}

class WindowTest : public UiTest {
protected:
    OpenWindow Open(QStringList args = {}) {
        WriteDataFile("data.sdf", {"BAB;Nr;Typ;Od;km;Typ;Do;Delka",
                                   "2;0;AS;Nord;;AK;S\xFC"
                                   "d;5",
                                   "10;0;AD;West;;AS;Ost;12", "1;0;AS;K\xF6ln;;AK;Bonn;7,5",
                                   "1;1;AK;Bonn;;AS;Koblenz;3"});
        WriteDataFile("data2.sdf", {"Autobahn;x;Von;Bis;A;B;C", "A1;;Wien;Linz;10,5;20;30",
                                    "A10;;Salzburg;Villach;1;2;3"});
        return CreateWindow(std::move(args));
    }
};

TEST_F(WindowTest, StartStateAfterANormalStart) {
    auto frm = Open();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(frm->pgcMain->currentWidget(), frm->tbsDE);
    EXPECT_EQ(Items(frm->cboDalnice), (QStringList{"A1", "A10", "A2"}));
    EXPECT_EQ(frm->cboDalnice->currentIndex(), -1);
    EXPECT_EQ(frm->cboDalnice->currentText(), "");
    EXPECT_EQ(Items(frm->cboAUDalnice), (QStringList{"A1", "A10"}));
    EXPECT_EQ(frm->cboAUDalnice->currentIndex(), -1);
    for (QListWidget* list : {frm->lbxCis, frm->lbxTrasa, frm->lbxAUCis, frm->lbxAUTrasa}) {
        EXPECT_EQ(list->count(), 0) << list->objectName().toStdString();
    }
    EXPECT_EQ(frm->cboKategorie->currentText(), "");
    EXPECT_EQ(vemo::ui::SelectorItemIndex(frm->cboKategorie), -1);
    EXPECT_EQ(frm->lblKategorie->text(), "");
    EXPECT_EQ(frm->speNapravy->Value(), 3);
    EXPECT_EQ(frm->speNapravy->Text(), "3");
    EXPECT_EQ(frm->curSazba->Value(), 0.0);
    EXPECT_EQ(frm->curSazba->text(), QString::fromUtf8("0,00 €"));
    EXPECT_EQ(frm->lblKm->text(), "0 km");
    EXPECT_EQ(frm->lblMaut->text(), "");
    EXPECT_EQ(frm->lblAUMaut->text(), "");
    EXPECT_EQ(vemo::ui::SelectorItemIndex(frm->cboAUKategorie), 0);
    EXPECT_EQ(frm->cboAUKategorie->currentText(), "Kategorie A");
    EXPECT_EQ(frm->lblAUKategorie->text(), QString::fromUtf8("2 nápravy"));
    EXPECT_EQ(frm->lblUsek->text(), "");
    EXPECT_EQ(frm->lblAUUsek->text(), "");
    EXPECT_TRUE(frm->btnCreateData->isHidden());
    EXPECT_TRUE(frm->btnAUCreateData->isHidden());
    EXPECT_EQ(frm->memHelp->toPlainText(), kHelpLines.join(u'\n'));
    EXPECT_TRUE(frm->memHelp->isReadOnly());
    ASSERT_NE(frm.get()->Lists(), nullptr);
    EXPECT_EQ(frm.get()->Lists()->germanTable.Count(), 5);
    EXPECT_EQ(frm.get()->Lists()->austrianTable.Count(), 3);
}

TEST_F(WindowTest, WindowFrameFontAndTabs) {
    auto frm = Open();
    EXPECT_EQ(frm.get()->windowTitle(), QString::fromUtf8("Vemo Maut - výpočet mýtného"));
    EXPECT_EQ(frm.get()->size(), QSize(537, 511));
    // The stored size is the smallest; the window may grow from there.
    EXPECT_EQ(frm.get()->minimumSize(), QSize(537, 511));
    EXPECT_GT(frm.get()->maximumWidth(), 537);
    EXPECT_GT(frm.get()->maximumHeight(), 511);
    EXPECT_EQ(frm.get()->pos(), QPoint(269, 124));
    // An ordinary top-level window, so that task bars and Alt+Tab list it.
    EXPECT_EQ(frm.get()->windowType(), Qt::Window);
    EXPECT_EQ(frm.get()->parentWidget(), nullptr);
    const Qt::WindowFlags flags = frm.get()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(frm.get()->windowIcon().isNull());

    EXPECT_EQ(frm->pgcMain->geometry(), QRect(0, 0, 537, 511));
    ASSERT_EQ(frm->pgcMain->count(), 2);
    EXPECT_EQ(frm->pgcMain->tabText(0), QString::fromUtf8("Německo"));
    EXPECT_EQ(frm->pgcMain->tabText(1), QString::fromUtf8("Rakousko"));
    for (int tab = 0; tab < 2; ++tab) {
        EXPECT_EQ(frm->pgcMain->tabBar()->tabRect(tab).size(), QSize(200, 30));
        EXPECT_EQ(frm->pgcMain->tabIcon(tab).pixmap(16, 16).size(), QSize(16, 16));
    }

    const QFont font = frm->memHelp->font();
    EXPECT_EQ(font.pixelSize(), 11);
    EXPECT_TRUE(font.bold());
    if (QFile::exists("/usr/share/wine/fonts/tahomabd.ttf")) {
        EXPECT_EQ(QFontInfo(frm->Label1->font()).family(), "Tahoma");
    }
}

TEST_F(WindowTest, ControlsSitInTheirStoredBoxes) {
    auto frm = Open();
    for (const StoredBox& c : StoredBoxes(*frm)) {
        ASSERT_NE(c.control, nullptr) << c.name;
        EXPECT_EQ(c.control->objectName(), c.name);
        EXPECT_EQ(frm.get()->findChild<QWidget*>(c.name), c.control) << c.name;
        EXPECT_EQ(c.control->geometry(), c.box) << c.name;
    }
    EXPECT_EQ(frm->btnSelect->text(), ">>");
    EXPECT_EQ(frm->btnAUUnselect->text(), "<<");
    EXPECT_EQ(frm->btnCreateData->text(), "Data");
    EXPECT_EQ(frm->btnAUCreateData->text(), "Data");
}

TEST_F(WindowTest, CaptionsStartAtTheirPlaceAndAreNotClipped) {
    auto frm = Open();
    for (const StoredCaption& c : StoredCaptions(*frm)) {
        const std::string name = c.label->objectName().toStdString();
        EXPECT_EQ(c.label->text(), QString::fromUtf8(c.caption)) << name;
        EXPECT_EQ(c.label->pos(), c.place) << name;
        EXPECT_GE(c.label->width(), c.label->fontMetrics().horizontalAdvance(c.label->text()))
            << name;
        EXPECT_GE(c.label->height(), 13) << name;
    }
    // The empty labels that size to their text keep their stored 3 × 13 box until they get one.
    EXPECT_EQ(frm->lblKategorie->geometry(), QRect(8, 310, 3, 13));
    EXPECT_EQ(frm->lblUsek->geometry(), QRect(6, 250, 3, 13));
    EXPECT_EQ(frm->lblAUUsek->geometry(), QRect(11, 346, 3, 13));
}

// The window grows as a desktop form does, by an odd width too: every control follows its
// anchors, and back at the stored size every control stands in its stored box again.
TEST_F(WindowTest, ControlsFollowTheirAnchorsWhenTheWindowGrows) {
    auto frm = Open();
    for (const QSize size : {QSize(864, 700), QSize(537, 511)}) {
        frm.get()->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return frm.get()->size() == size; }, 2000));
        ExpectAnchoredLayout(*frm, size, size.width() == 537 ? "back at 537" : "at 864 x 700");
    }
    EXPECT_TRUE(reports.empty());
}

// Entries cut at the lists' edge read whole in the maximised window, without a tooltip; restored,
// the window has its stored layout again.
TEST_F(WindowTest, LongEntriesReadWholeInTheMaximisedWindow) {
    // Longer than the stored lists are wide, short enough for a maximised window on a screen of
    // 1024 pixels (the Windows tests' under Wine).
    const std::string far = "Frankfurter Kreuz, Richtung Flughafen";
    WriteDataFile("data.sdf", {"BAB;Nr;Typ;Od;km;Typ;Do;Delka", "5;0;AS;Nord;;AK;" + far + ";7"});
    WriteDataFile("data2.sdf", {"Autobahn;x;Von;Bis;A;B;C", "A1;;Wien;" + far + ";1;2;3"});
    auto frm = CreateWindow();
    PickSelectorEntry(frm->cboDalnice, 0);
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    frm->pgcMain->setCurrentWidget(frm->tbsAU);
    PickSelectorEntry(frm->cboAUDalnice, 0);
    SelectRows(frm->lbxAUCis, {0});
    Click(frm->btnAUSelect);
    const auto tips = [&frm] {
        QStringList shown;
        for (QListWidget* list : {frm->lbxCis, frm->lbxTrasa, frm->lbxAUCis, frm->lbxAUTrasa}) {
            frm->pgcMain->setCurrentWidget(frm->tbsDE->isAncestorOf(list) ? frm->tbsDE
                                                                          : frm->tbsAU);
            QToolTip::hideText();
            RestPointerOn(list, 0);
            shown.append(ShownTip());
        }
        QToolTip::hideText();
        return shown;
    };
    for (const QString& tip : tips())
        EXPECT_TRUE(tip.contains(QString::fromStdString(far))) << "cut: " << tip.toStdString();

    frm.get()->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm.get()->height() > 511; }, 2000));
    ExpectAnchoredLayout(*frm, frm.get()->size(), "maximised");
    EXPECT_EQ(tips(), QStringList(4, QString()));

    frm.get()->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm.get()->size() == QSize(537, 511); }, 2000));
    ExpectAnchoredLayout(*frm, QSize(537, 511), "restored");
    EXPECT_TRUE(reports.empty());
}

// Whatever face stands in for Tahoma, no caption runs into or touches the control beside it.
TEST_F(WindowTest, CaptionsKeepClearOfTheControlBesideThem) {
    auto frm = Open();
    struct Case {
        QLabel* caption;
        QWidget* beside;
    };
    const Case cases[] = {
        {frm->Label1, frm->cboDalnice},   {frm->Label2, frm->lbxTrasa},
        {frm->Label8, frm->speNapravy},   {frm->Label4, frm->curSazba},
        {frm->Label9, frm->cboAUDalnice}, {frm->Label10, frm->lbxAUTrasa},
        {frm->Label3, frm->lblKm},
    };
    for (const Case& c : cases) {
        const int end =
            c.caption->x() + c.caption->fontMetrics().horizontalAdvance(c.caption->text());
        EXPECT_LE(end + 2, c.beside->x()) << c.caption->objectName().toStdString() << " in "
                                          << QFontInfo(c.caption->font()).family().toStdString();
    }
}

TEST_F(WindowTest, LabelsThatSizeToTheirTextFollowPlainSetText) {
    auto frm = Open();
    for (QLabel* label : {frm->lblKategorie, frm->lblUsek, frm->lblAUUsek, frm->lblAUKategorie}) {
        const std::string name = label->objectName().toStdString();
        const QPoint place = label->pos();
        const QString wide = QString::fromUtf8("(AS) Köln : (AK) Bonn;7,5 — dlouhý popis úseku");
        label->setText(wide);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(wide)) << name;
        const int wideWidth = label->width();
        label->setText("x");
        EXPECT_LT(label->width(), wideWidth) << name;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance("x")) << name;
        EXPECT_EQ(label->pos(), place) << name;
    }
    // The fixed total boxes keep their size and put the text at their right edge.
    for (QLabel* label : {frm->lblKm, frm->lblMaut, frm->lblAUMaut}) {
        const QRect box = label->geometry();
        label->setText(QString::fromUtf8("12 345,5 €"));
        EXPECT_EQ(label->geometry(), box);
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    }
}

TEST_F(WindowTest, ColoursAndTransparency) {
    auto frm = Open();
    const QColor paleYellow(255, 255, 193);
    const QColor lightCyan(128, 255, 255);
    for (QWidget* box : std::initializer_list<QWidget*>{frm->lbxCis, frm->lbxTrasa, frm->lbxAUCis,
                                                        frm->lbxAUTrasa, frm->memHelp}) {
        EXPECT_EQ(box->palette().color(QPalette::Base), paleYellow)
            << box->objectName().toStdString();
    }
    for (QLabel* label : {frm->Label6, frm->lblMaut, frm->Label13, frm->lblAUMaut}) {
        EXPECT_TRUE(label->autoFillBackground()) << label->objectName().toStdString();
        EXPECT_EQ(label->palette().color(QPalette::Window), lightCyan)
            << label->objectName().toStdString();
    }
    for (QLabel* label : {frm->Label1, frm->Label2, frm->Label5, frm->Label3, frm->lblKm,
                          frm->Label4, frm->lblUsek, frm->Label9, frm->Label10, frm->Label11}) {
        EXPECT_FALSE(label->autoFillBackground()) << label->objectName().toStdString();
    }
    for (QLabel* label : {frm->Label7, frm->lblKategorie, frm->Label8, frm->Label12, frm->lblAUUsek,
                          frm->lblAUKategorie, frm->Label14}) {
        EXPECT_TRUE(label->autoFillBackground()) << label->objectName().toStdString();
        EXPECT_NE(label->palette().color(QPalette::Window), lightCyan);
    }
    EXPECT_EQ(frm->Bevel1->frameShadow(), QFrame::Raised);
    EXPECT_EQ(frm->Bevel2->frameShadow(), QFrame::Sunken);
}

TEST_F(WindowTest, SelectorsListsAndHelpBoxSettings) {
    auto frm = Open();
    for (QComboBox* selector : {frm->cboDalnice, frm->cboAUDalnice}) {
        EXPECT_FALSE(selector->isEditable());
        EXPECT_EQ(selector->maxVisibleItems(), 20);
    }
    for (QComboBox* selector : {frm->cboKategorie, frm->cboAUKategorie}) {
        EXPECT_TRUE(selector->isEditable());
        EXPECT_EQ(selector->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(selector->maxVisibleItems(), 8);
        EXPECT_EQ(Items(selector), (QStringList{"Kategorie A", "Kategorie B", "Kategorie C"}));
    }
    for (QListWidget* list : {frm->lbxCis, frm->lbxTrasa, frm->lbxAUCis, frm->lbxAUTrasa}) {
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    EXPECT_EQ(frm->memHelp->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(frm->memHelp->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(frm->memHelp->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(frm->speNapravy->MinValue(), 1);
    EXPECT_EQ(frm->speNapravy->MaxValue(), 18);

    // Read-only for the user: typing changes nothing.
    TypeText(frm->memHelp, "xyz");
    EXPECT_EQ(frm->memHelp->toPlainText(), kHelpLines.join(u'\n'));
}

// The Tab key walks the page in front in stored order and skips hidden buttons.
TEST_F(WindowTest, TabOrderOfThePageInFront) {
    for (const bool maintainer : {false, true}) {
        auto frm = Open(maintainer ? QStringList{"QZX"} : QStringList{});
        std::vector<QWidget*> expected = {frm->lbxTrasa, frm->btnSelect, frm->btnUnselect};
        if (maintainer) {
            expected.push_back(frm->btnCreateData);
        }
        for (QWidget* w :
             std::initializer_list<QWidget*>{frm->lbxCis, frm->cboKategorie, frm->memHelp,
                                             frm->curSazba, frm->speNapravy, frm->cboDalnice}) {
            expected.push_back(w);
        }
        frm->cboDalnice->setFocus(Qt::TabFocusReason);
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (next == frm->cboDalnice) {
                // The tab bar takes its turn before the page starts again.
                EXPECT_EQ(QApplication::focusWidget(), frm->pgcMain->tabBar());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            EXPECT_TRUE(focus == next || next->isAncestorOf(focus))
                << "expected " << next->objectName().toStdString() << ", focus on "
                << focus->objectName().toStdString() << " (" << focus->metaObject()->className()
                << ")";
        }
    }
}

TEST_F(WindowTest, UserActionsReachTheHandlersProgramChangesDoNot) {
    auto frm = Open();
    QSignalSpy selection(frm->lbxCis, &QListWidget::itemSelectionChanged);

    // The program fills the list: no click handler, so lblUsek stays empty.
    PickSelectorEntry(frm->cboDalnice, 0);
    EXPECT_EQ(frm->cboDalnice->currentText(), "A1");
    ASSERT_EQ(frm->lbxCis->count(), 2);
    EXPECT_EQ(selection.count(), 0);
    EXPECT_EQ(frm->lblUsek->text(), "");

    ClickRow(frm->lbxCis, 1);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_EQ(frm->lblUsek->text(), vemo::ui::ToQString(vemo::ui::ListEntry(frm->lbxCis, 1)));
    // A click on the entry already selected alone changes no selection but is still a click.
    frm->lblUsek->setText("-");
    ClickRow(frm->lbxCis, 1);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_EQ(frm->lblUsek->text(), vemo::ui::ToQString(vemo::ui::ListEntry(frm->lbxCis, 1)));
    // The keyboard moves the selection and the handler follows.
    QTest::keyClick(frm->lbxCis, Qt::Key_Up);
    EXPECT_EQ(selection.count(), 2);
    EXPECT_EQ(frm->lblUsek->text(), vemo::ui::ToQString(vemo::ui::ListEntry(frm->lbxCis, 0)));

    // Setting the category from the program fires nothing; picking it does.
    frm->cboKategorie->setCurrentIndex(1);
    EXPECT_EQ(frm->lblKategorie->text(), "");
    PickSelectorEntry(frm->cboKategorie, 1);
    EXPECT_EQ(frm->lblKategorie->text(), "EURO-2, EURO-3 (S2,S3)");

    // Typing into the editable selector reaches the handler after every change of the text.
    frm->cboKategorie->setEditText("");
    TypeText(frm->cboKategorie->lineEdit(), "Kategorie C");
    EXPECT_EQ(vemo::ui::SelectorItemIndex(frm->cboKategorie), 2);
    EXPECT_EQ(frm->lblKategorie->text(), "EURO-0, EURO-1 (S1)");
    TypeText(frm->cboKategorie->lineEdit(), QString::fromUtf8("ž"));
    EXPECT_EQ(frm->cboKategorie->currentText(), QString::fromUtf8("Kategorie Cž"));
    EXPECT_EQ(vemo::ui::SelectorItemIndex(frm->cboKategorie), -1);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowTest, PagesKeepTheirStateWhenSwitching) {
    auto frm = Open();
    PickSelectorEntry(frm->cboDalnice, 0);
    ClickRow(frm->lbxCis, 0);
    Click(frm->btnSelect);
    ClickRow(frm->lbxCis, 1);
    const QString km = frm->lblKm->text();
    ASSERT_EQ(frm->lbxTrasa->count(), 1);

    QTabBar* tabs = frm->pgcMain->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(frm->pgcMain->currentWidget(), frm->tbsAU);
    PickSelectorEntry(frm->cboAUDalnice, 0);
    ClickRow(frm->lbxAUCis, 0);
    Click(frm->btnAUSelect);
    const QString toll = frm->lblAUMaut->text();
    EXPECT_FALSE(toll.isEmpty());

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    ASSERT_EQ(frm->pgcMain->currentWidget(), frm->tbsDE);
    EXPECT_EQ(frm->cboDalnice->currentText(), "A1");
    EXPECT_EQ(frm->lbxCis->count(), 2);
    EXPECT_EQ(vemo::ui::ListSelectedRows(frm->lbxCis), std::vector<int>{1});
    EXPECT_EQ(frm->lbxTrasa->count(), 1);
    EXPECT_EQ(frm->lblKm->text(), km);

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(frm->lbxAUTrasa->count(), 1);
    EXPECT_EQ(vemo::ui::ListSelectedRows(frm->lbxAUCis), std::vector<int>{0});
    EXPECT_EQ(frm->lblAUMaut->text(), toll);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowTest, LocaleIsReadAgainWhenTheSystemAnnouncesAChange) {
    WriteDataFile("data.sdf", {"h"});
    WriteDataFile("data2.sdf", {"h"});
    int reads = 0;
    TfrmVemo::Options options = RecordingOptions({}, QLocale::c());
    options.readLocale = [&reads] {
        ++reads;
        return vemo::ui::UiLocaleFor(reads == 1 ? QLocale(QLocale::Czech, QLocale::CzechRepublic)
                                                : QLocale(QLocale::English, QLocale::UnitedStates));
    };
    auto frm = ShowWindow(std::make_unique<TfrmVemo>(options));
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(frm.get()->Locale().numbers.decimalSeparator, ',');

    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(frm.get(), &change);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(frm.get()->Locale().numbers.decimalSeparator, '.');
    EXPECT_EQ(frm->curSazba->text(), QString::fromUtf8("0.00 €"));
}

TEST_F(WindowTest, ClosingRunsFormCloseWithoutAQuestion) {
    auto frm = Open();
    ASSERT_NE(frm.get()->Lists(), nullptr);
    EXPECT_TRUE(frm.get()->close());
    EXPECT_FALSE(frm.get()->isVisible());
    EXPECT_EQ(frm.get()->Lists(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(reports.empty());
}

} // namespace

namespace {

// Closing the window ends the message loop, with code 0.
TEST_F(WindowTest, ClosingTheWindowEndsTheMessageLoopWithCodeZero) {
    auto frm = Open();
    QTimer::singleShot(0, frm.get(), [&frm] { frm.get()->close(); });
    QTimer hang;
    hang.setSingleShot(true);
    QObject::connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    hang.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(frm.get()->Lists(), nullptr);
}

} // namespace

namespace {

// Under a dark desktop palette every control with a stored background keeps it and writes in a
// dark colour on it; the page itself follows the desktop.
TEST_F(WindowTest, FixedBackgroundsKeepDarkTextOnADarkDesktop) {
    const QPalette desktop = QApplication::palette();
    QPalette dark = desktop;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(0x24, 0x24, 0x24));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        dark.setColor(role, Qt::white);
    QApplication::setPalette(dark);
    auto frm = Open();
    const QColor yellow(0xFF, 0xFF, 0xC1);
    const QColor cyan(0x80, 0xFF, 0xFF);
    const struct {
        QWidget* control;
        QPalette::ColorRole background;
        QPalette::ColorRole text;
        QColor color;
    } cases[] = {
        {frm->lbxCis, QPalette::Base, QPalette::Text, yellow},
        {frm->lbxTrasa, QPalette::Base, QPalette::Text, yellow},
        {frm->lbxAUCis, QPalette::Base, QPalette::Text, yellow},
        {frm->lbxAUTrasa, QPalette::Base, QPalette::Text, yellow},
        {frm->memHelp, QPalette::Base, QPalette::Text, yellow},
        {frm->Label6, QPalette::Window, QPalette::WindowText, cyan},
        {frm->lblMaut, QPalette::Window, QPalette::WindowText, cyan},
        {frm->Label13, QPalette::Window, QPalette::WindowText, cyan},
        {frm->lblAUMaut, QPalette::Window, QPalette::WindowText, cyan},
    };
    for (const auto& c : cases) {
        const std::string name = c.control->objectName().toStdString();
        EXPECT_EQ(c.control->palette().color(c.background), c.color) << name;
        EXPECT_EQ(c.control->palette().color(c.text), QColor(Qt::black)) << name;
    }
    EXPECT_EQ(frm->Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    frm.reset();
    QApplication::setPalette(desktop);
}

// A motorway selector with more entries than its popup shows has a scroll bar; a short one not.
TEST_F(WindowTest, SelectorPopupShowsThatThereIsMore) {
    for (const int motorways : {3, 140}) {
        std::vector<std::string> lines = {"BAB;Nr;Typ;Od;km;Typ;Do;Delka"};
        for (int i = 1; i <= motorways; ++i)
            lines.push_back(std::to_string(i) + ";0;AS;a;;AS;b;1");
        WriteDataFile("data.sdf", lines);
        WriteDataFile("data2.sdf", {"header"});
        auto frm = CreateWindow();
        QComboBox* selector = frm->cboDalnice;
        selector->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(selector, Qt::Key_F4);
        QAbstractItemView* view = selector->view();
        ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, 2000));
        EXPECT_EQ(view->verticalScrollBar()->isVisible(), motorways > 20) << motorways;
        QTest::keyClick(view, Qt::Key_Escape);
    }
}

} // namespace
