// The quote dialog and the saved routes, driven through the window: Ctrl+P and the route lists'
// context menus, the rate typed into the dialog, its buttons clicked, files picked through the
// window's file chooser.
#include "tests/support/RouteFixture.h"
#include "tests/support/Tables.h"
#include "ui/QuoteDialog.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>

namespace {

enum class Opener { CtrlP, GermanMenu, AustrianMenu };
constexpr const char* kOpenerNames[] = {"CtrlP", "GermanMenu", "AustrianMenu"};

void PrintTo(Opener opener, std::ostream* out) {
    *out << kOpenerNames[static_cast<int>(opener)];
}

class QuoteTest : public RouteWindowTest {
protected:
    void SetUp() override {
        RouteWindowTest::SetUp();
        today = QDate(2026, 12, 8);
        QApplication::clipboard()->setText(kUntouched);
    }

    TfrmNabidka* OpenQuote(const OpenWindow& frm, Opener opener = Opener::CtrlP) {
        if (opener == Opener::CtrlP) {
            // In the section list of the page in front, wherever it is.
            TListBox* list =
                frm->pgcMain->currentWidget() == frm->tbsAU ? frm->lbxAUCis : frm->lbxCis;
            // Keys reach the active window; offscreen, a closed menu may leave none active
            // when an earlier window of the test is gone.
            frm.get()->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(frm.get(), 1000));
            list->setFocus(Qt::TabFocusReason);
            QTest::keyClick(list, Qt::Key_P, Qt::ControlModifier);
        } else {
            TListBox* list = opener == Opener::GermanMenu ? frm->lbxTrasa : frm->lbxAUTrasa;
            ShowPageOf(*frm, list);
            EXPECT_TRUE(UseContextMenu(list, QStringLiteral("Nabídka…")).chosen);
        }
        // A dialog closed before is gone once its deletion has run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto quotes = frm.get()->findChildren<TfrmNabidka*>();
        EXPECT_EQ(quotes.size(), 1);
        TfrmNabidka* quote = quotes.size() == 1 ? quotes.front() : nullptr;
        EXPECT_TRUE(quote && quote->isVisible()) << "no quote dialog";
        return quote;
    }

    // Replaces the box's text as a user does: everything selected, then typed over.
    void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        TypeText(edit, text);
    }

    void FillIn(TfrmNabidka* quote, const QString& rate) {
        Retype(quote->Controls().edtZakaznik, QStringLiteral("Spedice Novák, obj. 4711"));
        Retype(quote->Controls().edtKurz, rate);
        Retype(quote->Controls().edtZdrojKurzu, QStringLiteral("ČNB 8. 12. 2026"));
    }

    // Saves the worked examples as a route file through the German route list's menu.
    QString SaveWorkedExamples() {
        auto frm = OpenWorkedExamples();
        const QString file = Path("trasa.txt");
        chosenFiles = {file};
        EXPECT_TRUE(UseContextMenu(frm->lbxTrasa, QStringLiteral("Uložit trasu…")).chosen);
        EXPECT_TRUE(QFile::exists(file));
        return file;
    }

    void OpenRoute(const OpenWindow& frm, const QString& file) {
        chosenFiles = {file};
        ShowPageOf(*frm, frm->lbxAUTrasa);
        EXPECT_TRUE(UseContextMenu(frm->lbxAUTrasa, QStringLiteral("Otevřít trasu…")).chosen);
    }

    static inline const QString kUntouched = QStringLiteral("untouched");
};

// ---- The amounts ----------------------------------------------------------------------------

class QuoteOpeners : public QuoteTest, public ::testing::WithParamInterface<Opener> {};

// Every way to the quote shows both tabs' worked examples, and none changes the window.
TEST_P(QuoteOpeners, ShowBothTabsAndChangeNothing) {
    auto frm = OpenWorkedExamples();
    const WindowState before(*frm);
    TfrmNabidka* quote = OpenQuote(frm, GetParam());
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    const QString page = quote->Controls().memNabidka->toPlainText();
    for (const char* shown : {"(AS) Ort 1 – (AK) Ort 2", "Ort 1 – Ort 2", "53,97", "280,12",
                              "334,09", "Kurz: 25,10 Kč za 1 € (ČNB 8. 12. 2026)"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(shown))) << shown;
    EXPECT_FALSE(quote->Controls().lblKurz->isVisible());
    Click(quote->Controls().btnZavrit);
    EXPECT_EQ(WindowState(*frm), before);
    EXPECT_TRUE(reports.empty());
}

std::string OpenerName(const ::testing::TestParamInfo<Opener>& info) {
    return kOpenerNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Commands, QuoteOpeners,
                         ::testing::Values(Opener::CtrlP, Opener::GermanMenu, Opener::AustrianMenu),
                         OpenerName);

// The amounts themselves are data/documents/Quote's; here they arrive on the clipboard as cells.
TEST_F(QuoteTest, ClipboardHoldsTheWholeQuote) {
    auto frm = OpenWorkedExamples();
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    Click(quote->Controls().btnKopirovat);
    EXPECT_EQ(
        Clipboard().toStdString(),
        "Nabídka mýtného\nVemo Maut " VEMO_VERSION "\nDatum:\t8. 12. 2026\n"
        "Zákazník / zakázka:\tSpedice Novák, obj. 4711\n\n"
        "Německo: Kategorie B, 3 nápravy\nSazebník: vestavěný, platný od 1. 1. 2005\n"
        "Sazba: 0,11 €/km\nCelkem: 19,5 km\nDálnice\tÚsek\tkm\t€\n"
        "A1\t(AS) Start – (AK) Ort 1\t12,5\t1,38\nA1\t(AS) Ort 1 – (AK) Ort 2\t7\t0,77\n"
        "Mýtné dle vyúčtování (bez DPH)\t\t\t2,15\n\n"
        "Rakousko: Kategorie B, 3 nápravy\nDálnice\tÚsek\t€\nA1\tStart – Ort 1\t5,20\n"
        "A1\tOrt 1 – Ort 2\t4,10\nMýtné dle vyúčtování bez DPH\t\t9,30\n\n"
        "Položka\t€\tKč\nNěmecko: mýtné (bez DPH)\t2,15\t53,97\n"
        "Rakousko: mýtné bez DPH\t9,30\t233,43\nRakousko: DPH 20 %\t1,86\t46,69\n"
        "Rakousko: mýtné s DPH\t11,16\t280,12\nCelkem\t13,31\t334,09\n"
        "Kurz (Kč za 1 €):\t25,10\tČNB 8. 12. 2026\n\n"
        "Německé mýtné je bez DPH, rakouské s 20% rakouskou DPH. Mýtné je účtováno po "
        "úsecích, každý úsek zaokrouhlený na centy; koruny jsou zaokrouhleny na celé haléře.");
    // The next quote of the run starts from the rate typed last.
    Click(quote->Controls().btnZavrit);
    quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    EXPECT_EQ(quote->Controls().edtKurz->text(), "25,10");
    EXPECT_EQ(quote->Controls().edtZdrojKurzu->text(), "ČNB 8. 12. 2026");
}

// ---- Bad rates and PDF targets ---------------------------------------------------------------

struct BadRateCase {
    const char* name;
    QString rate;
    QString message;
};

void PrintTo(const BadRateCase& c, std::ostream* out) {
    *out << c.name;
}

class BadRates : public QuoteTest, public ::testing::WithParamInterface<BadRateCase> {};

TEST_P(BadRates, AreReportedAndNothingIsWrittenOrCopied) {
    auto frm = OpenWorkedExamples();
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, GetParam().rate);
    EXPECT_EQ(quote->Controls().lblKurz->text(), GetParam().message);
    chosenFiles = {Path("nabidka.pdf")};
    Click(quote->Controls().btnKopirovat);
    Click(quote->Controls().btnPdf);
    EXPECT_EQ(reports, (std::vector<QString>{GetParam().message, GetParam().message}));
    EXPECT_EQ(Clipboard(), kUntouched);
    EXPECT_TRUE(fileRequests.empty());
    EXPECT_FALSE(QFile::exists(Path("nabidka.pdf")));
}

const QString kRateHint = QStringLiteral("kolik korun stojí 1 €, například 25,10");

INSTANTIATE_TEST_SUITE_P(
    Texts, BadRates,
    ::testing::Values(
        BadRateCase{"Empty", "", QStringLiteral("Zadejte kurz, tedy ") + kRateHint},
        BadRateCase{"Zero", "0,00",
                    QStringLiteral("Kurz „0,00“ není kladné číslo. Zadejte, ") + kRateHint},
        BadRateCase{"Words", "dnešní",
                    QStringLiteral("Kurz „dnešní“ není kladné číslo. Zadejte, ") + kRateHint},
        BadRateCase{"TwoSeparators", "25,1,0",
                    QStringLiteral("Kurz „25,1,0“ není kladné číslo. Zadejte, ") + kRateHint}),
    testrows::ByName());

// A rate copied from a web page may bring spaces along that Windows-1250 has no byte for.
TEST_F(QuoteTest, PastedRateIsReadWithoutItsSpaces) {
    auto frm = OpenWorkedExamples();
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QString());
    const QString pasted = QStringLiteral("\u202f25,10\u00a0");
    QApplication::clipboard()->setText(pasted);
    quote->Controls().edtKurz->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(quote->Controls().edtKurz, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(quote->Controls().edtKurz->text(), pasted);
    EXPECT_FALSE(quote->Controls().lblKurz->isVisible())
        << quote->Controls().lblKurz->text().toStdString();
    Click(quote->Controls().btnKopirovat);
    EXPECT_TRUE(Clipboard().contains(QStringLiteral("Celkem\t13,31\t334,09")));
    EXPECT_TRUE(reports.empty());
}

// The dialog fits the screen it opens on, and Enter presses the button with the focus, never
// one from a box.
TEST_F(QuoteTest, DialogFitsTheScreenAndEnterPressesTheFocusedButton) {
    auto frm = OpenWorkedExamples();
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    EXPECT_TRUE(quote->screen()->availableGeometry().contains(quote->geometry()));
    FillIn(quote, QStringLiteral("25,10"));
    QTest::keyClick(quote->Controls().edtKurz, Qt::Key_Return);
    EXPECT_EQ(Clipboard(), kUntouched);
    quote->Controls().btnKopirovat->setFocus(Qt::TabFocusReason);
    QTest::keyClick(quote->Controls().btnKopirovat, Qt::Key_Return);
    EXPECT_TRUE(Clipboard().startsWith(QStringLiteral("Nabídka mýtného")));
}

TEST_F(QuoteTest, PdfTargetThatCannotBeWritten) {
    auto frm = OpenWorkedExamples();
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    const QString missingFolder = Path("chybí/nabidka.pdf");
    const QString folder = Path("slozka.pdf");
    ASSERT_TRUE(QDir().mkdir(folder));
    chosenFiles = {missingFolder, folder};
    Click(quote->Controls().btnPdf);
    Click(quote->Controls().btnPdf);
    // Each report names the file and the system's reason.
    ASSERT_EQ(reports.size(), 2u);
    for (const QString& path : {missingFolder, folder}) {
        const QString cannot =
            QStringLiteral("Soubor %1 nelze uložit: ").arg(QDir::toNativeSeparators(path));
        EXPECT_TRUE(reports[path == folder].startsWith(cannot) &&
                    reports[path == folder].size() > cannot.size())
            << reports[path == folder].toStdString();
    }
    EXPECT_EQ(QDir(Path("")).entryList(QDir::Files).join(u' '), "data.sdf data2.sdf");
}

// The page as a reader of the PDF sees it: a long route over two pages, each headed by the
// customer and its number, the text as written. pdftotext comes with Debian's poppler-utils.
TEST_F(QuoteTest, PdfHoldsTheQuote) {
    Sections longRoute;
    for (int i = 1; i <= 70; ++i)
        longRoute.push_back({"Waldaschaff " + std::to_string(i), "1"});
    auto frm = Open(longRoute, {});
    frm->lbxCis->setFocus(Qt::TabFocusReason);
    QTest::keyClick(frm->lbxCis, Qt::Key_A, Qt::ControlModifier);
    Click(frm->btnSelect);
    PickSelectorEntry(frm->cboKategorie, 1);
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    const QString file = Path("nabidka.pdf");
    chosenFiles = {file};
    Click(quote->Controls().btnPdf);
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].suffix, "pdf");
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    // A folder named in VEMO_TEST_OUTPUT keeps the page for a look, the Windows build's too.
    const QString keep = qEnvironmentVariable("VEMO_TEST_OUTPUT");
    if (!keep.isEmpty())
        QFile::copy(file, QDir(keep).filePath(QStringLiteral("nabidka.pdf")));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
#if defined(_WIN32)
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "no pdftotext under Wine: the PDF's text is not checked";
#else
    // make test installs it: a green run has read the page.
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is missing";
#endif
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput()).simplified();
    for (const char* shown :
         {"Nabídka mýtného 8. 12. 2026 – Spedice Novák, obj. 4711 strana 1/2",
          "Nabídka mýtného 8. 12. 2026 – Spedice Novák, obj. 4711 strana 2/2",
          "A1 (AS) Waldaschaff 69 – (AK) Waldaschaff 70 1 0,11",
          "Sazebník: vestavěný, platný od 1. 1. 2005", "Německo: mýtné (bez DPH) 7,70 193,27",
          "Celkem 7,70 193,27", "Kurz: 25,10 Kč za 1 € (ČNB 8. 12. 2026)",
          "Vytvořeno programem Vemo Maut " VEMO_VERSION " dne 8. 12. 2026"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
}

// Files named with Czech letters in a folder named so (the scratch folder's "Mýtné 2027"), as in
// a user folder "C:\Users\Dvořák": each gets the very name chosen, and the route opens again.
TEST_F(QuoteTest, CzechFileNamesAreKept) {
    auto frm = OpenWorkedExamples();
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    chosenFiles = {Path("Šťastný.pdf")};
    Click(quote->Controls().btnPdf);
    Click(quote->Controls().btnZavrit);
    const QString route = Path("trasa Dvořák.txt");
    chosenFiles = {route};
    EXPECT_TRUE(UseContextMenu(frm->lbxTrasa, QStringLiteral("Uložit trasu…")).chosen);
    const QStringList totals = {frm->lblKm->text(), frm->lblMaut->text(), frm->lblAUMaut->text()};
    QApplication::closeAllWindows();

    auto opened = CreateWindow();
    OpenRoute(opened, route);
    EXPECT_EQ(reports, std::vector<QString>());
    EXPECT_EQ(
        QStringList({opened->lblKm->text(), opened->lblMaut->text(), opened->lblAUMaut->text()}),
        totals);
    QStringList files = QDir(Path("")).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, QStringList({"data.sdf", "data2.sdf", "trasa Dvořák.txt", "Šťastný.pdf"}));
}

// The page groups amounts as the locale does; the clipboard keeps cells a spreadsheet reads.
TEST(QuoteText, PageGroupsAmountsClipboardDoesNot) {
    vemo::QuoteDocument quote;
    quote.lines = {{"Celkem", {204992, 5145299}}};
    quote.rate = vemo::ParseExchangeRate("25,10");
    const vemo::ui::QuoteNumbers numbers{testrows::DecimalComma(), QStringLiteral("\u00a0")};
    const QString page = vemo::ui::QuoteHtml(quote, {}, numbers);
    EXPECT_TRUE(page.contains(QStringLiteral("2\u00a0049,92"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("51\u00a0452,99")));
    EXPECT_TRUE(vemo::ui::QuotePlainText(quote, {}, numbers)
                    .contains(QStringLiteral("Celkem\t2049,92\t51452,99")));
}

// ---- Saved routes ----------------------------------------------------------------------------

struct ReopenCase {
    const char* name;
    RouteWindowTest::Sections german; // today's tables
    RouteWindowTest::Sections austrian;
    std::vector<std::string> tariff; // today's tariff source; none: the built-in one
    QString km, maut, auMaut, category;
    QString report;     // what opening reports, if anything
    QString comparison; // the total saved beside today's, as copied
};

void PrintTo(const ReopenCase& c, std::ostream* out) {
    *out << c.name;
}

class ReopenedRoutes : public QuoteTest, public ::testing::WithParamInterface<ReopenCase> {};

TEST_P(ReopenedRoutes, ArePricedWithTodaysTablesAndTariff) {
    const ReopenCase& c = GetParam();
    const QString file = SaveWorkedExamples();
    QApplication::closeAllWindows();
    WriteTables(c.german, c.austrian);
    if (!c.tariff.empty())
        WriteTariffFile(c.tariff);
    const std::string savedFile = ReadFile("trasa.txt");
    const std::string savedData = ReadFile("data.sdf") + ReadFile("data2.sdf");

    auto frm = CreateWindow();
    ASSERT_TRUE(reports.empty());
    OpenRoute(frm, file);
    EXPECT_EQ(frm->lblKm->text(), c.km);
    EXPECT_EQ(frm->lblMaut->text(), c.maut);
    EXPECT_EQ(frm->lblAUMaut->text(), c.auMaut);
    EXPECT_EQ(frm->cboKategorie->currentText(), c.category);
    EXPECT_EQ(frm->lblAUKategorie->text(), "3 nápravy");
    EXPECT_EQ(reports, c.report.isEmpty()
                           ? std::vector<QString>()
                           : std::vector{c.report.arg(QDir::toNativeSeparators(file))});
    // Opening reads: the route file and the data files stay as they were.
    EXPECT_EQ(ReadFile("trasa.txt"), savedFile);
    EXPECT_EQ(ReadFile("data.sdf") + ReadFile("data2.sdf"), savedData);

    // The comparison is the dispatcher's: copied on its own, never on the customer's page.
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    Click(quote->Controls().btnKopirovatPorovnani);
    const QStringList lines = Clipboard().split(u'\n');
    EXPECT_TRUE(lines.contains(c.comparison)) << Clipboard().toStdString();
    Click(quote->Controls().btnKopirovat);
    EXPECT_FALSE(Clipboard().contains(QStringLiteral("Uložená trasa")));
    Click(quote->Controls().btnZavrit);

    // Once the route is changed it is no longer the one saved.
    SelectRows(frm->lbxTrasa, {0});
    Click(frm->btnUnselect);
    quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    EXPECT_FALSE(quote->Controls().btnKopirovatPorovnani->isVisible());
}

const std::vector<std::string> kTariff2026 = {"Sazebník;1.1.2026;Mýtné 2026", "Nápravy;1;4",
                                              "Kategorie A;EURO-6;0,15;0,16",
                                              "Kategorie B;EURO-5;0,2;0,25"};

INSTANTIATE_TEST_SUITE_P(
    Changes, ReopenedRoutes,
    ::testing::Values(
        ReopenCase{"SameTables",
                   RouteWindowTest::kWorkedGerman,
                   RouteWindowTest::kWorkedAustrian,
                   {},
                   "19,5 km",
                   "2,145 €",
                   "9,3 €",
                   "Kategorie B",
                   "",
                   "Celkem (s DPH)\t13,31\t13,31\t0,00\t0,0"},
        ReopenCase{"LengthAndAmountChanged",
                   {{"Ort 1", "12,5"}, {"Ort 2", "8"}},
                   {{"Ort 1", "3,5/5,2/7,1"}, {"Ort 2", "2,8/4,5/6,05"}},
                   {},
                   "20,5 km",
                   "2,255 €",
                   "9,7 €",
                   "Kategorie B",
                   "",
                   "Celkem (s DPH)\t13,31\t13,90\t+0,59\t+4,4"},
        ReopenCase{"SectionGone",
                   {{"Ort 1", "12,5"}},
                   RouteWindowTest::kWorkedAustrian,
                   {},
                   "12,5 km",
                   "1,375 €",
                   "9,3 €",
                   "Kategorie B",
                   QStringLiteral("Trasa ze souboru %1 je otevřena bez toho, co dnešní data "
                                  "nemají:\nNěmecko, A1: (AS) Ort 1 : (AK) Ort 2;7"),
                   "Celkem (s DPH)\t13,31\t12,54\t-0,77\t-5,8"},
        ReopenCase{"MotorwayGone",
                   RouteWindowTest::kWorkedGerman,
                   {},
                   {},
                   "19,5 km",
                   "2,145 €",
                   "0 €",
                   "Kategorie B",
                   QStringLiteral("Trasa ze souboru %1 je otevřena bez toho, co dnešní data "
                                  "nemají:\nRakousko, A1: Start-Ort 1 : 3,5/5,2/7,1\n"
                                  "Rakousko, A1: Ort 1-Ort 2 : 2,8/4,1/6,05"),
                   "Celkem (s DPH)\t13,31\t2,15\t-11,16\t-83,8"},
        ReopenCase{"TariffChanged", RouteWindowTest::kWorkedGerman,
                   RouteWindowTest::kWorkedAustrian, kTariff2026, "19,5 km", "3,9 €", "9,3 €",
                   "Kategorie B", "", "Celkem (s DPH)\t13,31\t15,06\t+1,75\t+13,1"},
        ReopenCase{"CategoryGone",
                   RouteWindowTest::kWorkedGerman,
                   RouteWindowTest::kWorkedAustrian,
                   {"Sazebník;1.1.2026;Mýtné 2026", "Nápravy;1", "Euro 6;EURO-6;0,15"},
                   "19,5 km",
                   "0 €",
                   "9,3 €",
                   "",
                   QStringLiteral("Trasa ze souboru %1 je otevřena bez toho, co dnešní data "
                                  "nemají:\nNěmecko: kategorie „Kategorie B“, kterou dnešní "
                                  "sazebník nemá"),
                   "Celkem (s DPH)\t13,31\t11,16\t-2,15\t-16,2"}),
    testrows::ByName());

// A route saved without an Austrian category opens as the tab shows none: no category and
// no amounts, and the quote names none.
TEST_F(QuoteTest, RouteWithoutAustrianCategory) {
    auto frm = OpenWorkedExamples();
    WriteFile("trasa.txt", "Vemo Maut trasa\t1\nUloženo\t8.12.2026\n"
                           "Německo\tKategorie B\t3\t0\nRakousko\t\t0\n"
                           "Rakousko úsek\tA1\tStart-Ort 1 : 3,5/5,2/7,1\n");
    OpenRoute(frm, Path("trasa.txt"));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(frm->lbxAUTrasa->count(), 1);
    EXPECT_EQ(frm->cboAUKategorie->currentText(), "");
    EXPECT_EQ(frm->lblAUKategorie->text(), "");
    EXPECT_EQ(frm->lblAUMaut->text(), QString::fromUtf8("0 €"));

    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    FillIn(quote, QStringLiteral("25,10"));
    Click(quote->Controls().btnKopirovat);
    EXPECT_TRUE(Clipboard().contains(QStringLiteral("\nRakousko: bez kategorie\n")))
        << Clipboard().toStdString();
}

// The route file keeps the weight class; an older file opens in the heaviest, one that names a
// class today's tariff lacks is reported by it.
TEST_F(QuoteTest, WeightClassOfASavedRoute) {
    WriteTables(kWorkedGerman, {});
    WriteTariffFile(testrows::kWeightClassTariffSource);
    auto frm = CreateWindow();
    PickSelectorEntry(frm->cboKategorie, 0);
    PickSelectorEntry(frm->cboHmotnost, 0);
    chosenFiles = {Path("trasa.txt")};
    EXPECT_TRUE(UseContextMenu(frm->lbxTrasa, QStringLiteral("Uložit trasu…")).chosen);
    EXPECT_NE(ReadFile("trasa.txt").find("Německo\tEuro 6, CO2 třída 1\t7,5–12 t\t3\t"),
              std::string::npos);

    const std::string rest = "Uloženo\t8.12.2026\nRakousko\t\t0\t0.00\n";
    WriteFile("v1.txt", "Vemo Maut trasa\t1\nNěmecko\tEuro 5 / EEV\t3\t0\n" +
                            rest.substr(0, rest.find("\t0.00")) + "\n");
    OpenRoute(frm, Path("v1.txt"));
    EXPECT_EQ(frm->cboHmotnost->currentText(), "nad 18 t");
    EXPECT_EQ(frm->curSazba->Value(), 0.353);

    WriteFile("gone.txt",
              "Vemo Maut trasa\t2\nNěmecko\tEuro 5 / EEV\t3,5–7,5 t\t3\t0\t0.00\n" + rest);
    OpenRoute(frm, Path("gone.txt"));
    EXPECT_EQ(reports, std::vector<QString>{
                           QStringLiteral(
                               "Trasa ze souboru %1 je otevřena bez toho, co dnešní data nemají:\n"
                               "Německo: hmotnost „3,5–7,5 t“, kterou dnešní sazebník nemá")
                               .arg(QDir::toNativeSeparators(Path("gone.txt")))});
    EXPECT_EQ(frm->cboKategorie->currentText(), "Euro 5 / EEV");
    EXPECT_EQ(frm->curSazba->Value(), 0);
}

// Text typed into either category box that selects no entry is never a category: the quote,
// the saved route and the copied route name the categories the tabs priced.
TEST_F(QuoteTest, TypedCategoryTextReachesNoQuoteRouteFileOrClipboard) {
    auto frm = OpenWorkedExamples();
    TypeText(frm->cboKategorie, QStringLiteral("Euro 9"));
    frm->pgcMain->setCurrentWidget(frm->tbsAU);
    TypeText(frm->cboAUKategorie, QStringLiteral("Euro 9"));

    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    const QString page = quote->Controls().memNabidka->toPlainText();
    EXPECT_TRUE(page.contains(QStringLiteral("Německo: Kategorie B, 3 nápravy")));
    EXPECT_TRUE(page.contains(QStringLiteral("Rakousko: Kategorie B, 3 nápravy")));
    EXPECT_FALSE(page.contains(QStringLiteral("Euro 9"))) << page.toStdString();
    Click(quote->Controls().btnZavrit);

    chosenFiles = {Path("trasa.txt")};
    EXPECT_TRUE(UseContextMenu(frm->lbxAUTrasa, QStringLiteral("Uložit trasu…")).chosen);
    const std::string saved = ReadFile("trasa.txt");
    EXPECT_NE(saved.find("Německo\tKategorie B\t"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Rakousko\tKategorie B\t"), std::string::npos) << saved;

    PressCopy(frm->lbxAUTrasa);
    EXPECT_TRUE(Clipboard().endsWith(QStringLiteral("Kategorie vozidla: 3 nápravy\n"
                                                    "Celkem Vemo Maut: 9,3 €")))
        << Clipboard().toStdString();
}

// A quote made after midnight carries the new day's date and the new day's tariff.
TEST_F(QuoteTest, QuoteDateAndTariffAgree) {
    std::vector<std::string> source = testrows::kWeightClassTariffSource;
    for (const char* line : {"Sazebník;1.1.2027;Mýtné 2027", "Nápravy;1", "Euro 5 / EEV;;0,4"})
        source.push_back(line);
    WriteTariffFile(source);
    today = QDate(2026, 12, 31);
    auto frm = Open(kWorkedGerman, {});
    SelectRows(frm->lbxCis, {0});
    Click(frm->btnSelect);
    today = QDate(2027, 1, 1);
    TfrmNabidka* quote = OpenQuote(frm);
    ASSERT_TRUE(quote);
    const QString page = quote->Controls().memNabidka->toPlainText();
    EXPECT_TRUE(page.contains(QStringLiteral("Datum: 1. 1. 2027"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Sazebník: Mýtné 2027, platný od 1. 1. 2027")));
}

struct BadRouteCase {
    const char* name;
    const char* content; // nullptr: no such file
    QString message;     // %1: the file; empty when nothing is reported
};

void PrintTo(const BadRouteCase& c, std::ostream* out) {
    *out << c.name;
}

class BadRouteFiles : public QuoteTest, public ::testing::WithParamInterface<BadRouteCase> {};

TEST_P(BadRouteFiles, LeaveTheWindowAsItWas) {
    const BadRouteCase& c = GetParam();
    auto frm = OpenWorkedExamples();
    const QString file = Path("trasa.txt");
    if (c.content)
        WriteFile("trasa.txt", c.content);
    const WindowState before(*frm);
    OpenRoute(frm, c.message.isEmpty() ? QString() : file);
    EXPECT_EQ(WindowState(*frm), before);
    // A file that cannot be read is reported with the system's reason after the message.
    ASSERT_EQ(reports.size(), c.message.isEmpty() ? 0u : 1u);
    if (!c.message.isEmpty()) {
        EXPECT_TRUE(reports[0].startsWith(c.message.arg(QDir::toNativeSeparators(file))))
            << reports[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadRouteFiles,
    ::testing::Values(
        BadRouteCase{"NotARouteFile", "Dobrý den,\nposílám trasu.\n",
                     "Soubor %1 není soubor trasy programu Vemo Maut"},
        BadRouteCase{"BrokenLine",
                     "Vemo Maut trasa\t1\nUloženo\t8.12.2026\n"
                     "Německo\tKategorie B\t25\t2.145\nRakousko\tKategorie B\t9.3\n",
                     "Soubor %1 není platný soubor trasy (řádek 3: počet náprav „25“ není celé "
                     "číslo od 1 do 18)"},
        BadRouteCase{"Missing", nullptr, "Soubor %1 nelze otevřít"},
        BadRouteCase{"Cancelled", nullptr, ""}),
    testrows::ByName());

} // namespace
