// Start-up with a data file missing: the report comes before the window, which then opens with
// what was loaded and the stored state of the steps that did not run.
#include "tests/support/UiFixture.h"
#include "ui/ErrorReport.h"
#include "ui/ListBox.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const char* const kGerman[] = {"BAB;Nr;Typ;Od;km;Typ;Do;Delka", "3;0;AS;Nord;;AK;S\xFC"
                                                                "d;5"};
const char* const kAustrian[] = {"Autobahn;x;Von;Bis;A;B;C", "A1;;Wien;Linz;10;20;30"};

std::vector<std::string> Lines(const char* const (&lines)[2]) {
    return {lines[0], lines[1]};
}

// FormCreate stopped after the data step: help box and category defaults stay as stored.
void ExpectStoredCategoryAndHelp(const Ui::frmVemo& frm) {
    EXPECT_FALSE(frm.memHelp->isReadOnly());
    EXPECT_EQ(frm.memHelp->toPlainText().split(u'\n').size(), 7);
    EXPECT_TRUE(frm.memHelp->toPlainText().startsWith(QString::fromUtf8("AD:\tdálniční")));
    EXPECT_EQ(frm.cboKategorie->currentText(), "cboKategorie");
    EXPECT_EQ(vemo::ui::SelectorItemIndex(frm.cboKategorie), -1);
    EXPECT_EQ(frm.cboAUKategorie->currentIndex(), -1);
    EXPECT_EQ(frm.lblAUKategorie->text(), "");
}

class StartupTest : public UiTest {};

TEST_F(StartupTest, GermanFileMissing) {
    WriteDataFile("data2.sdf", Lines(kAustrian));
    bool windowVisibleAtReport = true;
    TfrmVemo::Options options = RecordingOptions({}, QLocale(QLocale::Czech));
    options.reportError = [&](QWidget* parent, const QString& message) {
        windowVisibleAtReport = parent && parent->isVisible();
        reports.push_back(message);
    };
    auto frm = ShowWindow(std::make_unique<TfrmVemo>(options));

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Nelze vytvořit soubor data.sdf");
    EXPECT_EQ(vemo::ui::ErrorReportText(reports[0]), "Nelze vytvořit soubor data.sdf.");
    EXPECT_FALSE(windowVisibleAtReport);
    EXPECT_EQ(frm->cboDalnice->count(), 0);
    EXPECT_EQ(frm->cboAUDalnice->count(), 0);
    ExpectStoredCategoryAndHelp(*frm);
    // The lists exist, and "data2.sdf" was never read.
    ASSERT_NE(frm.get()->Lists(), nullptr);
    EXPECT_EQ(frm.get()->Lists()->germanTable.Count(), 0);
    EXPECT_EQ(frm.get()->Lists()->austrianTable.Count(), 0);
    EXPECT_EQ(frm->pgcMain->currentWidget(), frm->tbsDE);
    EXPECT_TRUE(frm.get()->close());
    EXPECT_EQ(frm.get()->Lists(), nullptr);
}

TEST_F(StartupTest, AustrianFileMissing) {
    WriteDataFile("data.sdf", Lines(kGerman));
    auto frm = CreateWindow();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Nelze vytvořit soubor data2.sdf");
    ASSERT_EQ(frm->cboDalnice->count(), 1);
    EXPECT_EQ(frm->cboDalnice->itemText(0), "A3");
    EXPECT_EQ(frm->cboAUDalnice->count(), 0);
    ExpectStoredCategoryAndHelp(*frm);

    // The German side works.
    PickSelectorEntry(frm->cboDalnice, 0);
    ASSERT_EQ(frm->lbxCis->count(), 1);
    EXPECT_EQ(vemo::ui::ListEntry(frm->lbxCis, 0), "(AS) Nord : (AK) S\xFC"
                                                   "d;5");
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(StartupTest, HeaderOnlyAustrianFileIsNoError) {
    WriteDataFile("data.sdf", Lines(kGerman));
    WriteFile("data2.sdf", "");
    auto frm = CreateWindow();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(frm->cboAUDalnice->count(), 0);
    EXPECT_TRUE(frm->memHelp->isReadOnly());
    EXPECT_EQ(frm->lblAUKategorie->text(), QString::fromUtf8("2 nápravy"));
}

// The real report: a modal box found and closed by a timer, before the window shows.
TEST_F(StartupTest, TheReportIsAModalStopBoxCaptionedWithTheProgramTitle) {
    struct Seen {
        bool box = false;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*>::size_type buttons = 0;
        QString buttonText;
        bool windowVisible = true;
    } seen;
    TfrmVemo* windowSeen = nullptr;

    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen.box = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->buttons().size();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            seen.buttonText = ok->text();
        }
        seen.windowVisible = false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<TfrmVemo*>(w) && w->isVisible()) {
                seen.windowVisible = true;
            }
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box->reject();
        }
    });
    // Whatever happens, no modal box is left to hang the run.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    poll.start();
    guard.start(10000);

    TfrmVemo::Options options;
    options.readLocale = [] { return vemo::ui::UiLocaleFor(QLocale(QLocale::Czech)); };
    auto frm = std::make_unique<TfrmVemo>(options); // no data files at all
    windowSeen = frm.get();
    poll.stop();
    guard.stop();

    ASSERT_TRUE(seen.box) << "no report was shown";
    EXPECT_EQ(seen.title, "Vemo Maut");
    EXPECT_EQ(seen.text, "Nelze vytvořit soubor data.sdf.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_FALSE(seen.windowVisible);
    EXPECT_EQ(windowSeen->Controls().cboKategorie->currentText(), "cboKategorie");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
