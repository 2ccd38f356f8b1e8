#include "ui/QuoteDialog.h"

#include "data/store/Errors.h"
#include "data/store/UserFile.h"
#include "ui/Cp1250Text.h"
#include "ui/RouteClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kRateHint = QStringLiteral("kolik korun stojí 1 €, například 25,10");
// The size the page reads well at, where the screen has room for it.
constexpr QSize kPreferredSize(640, 760);

// The rate as typed, without the spaces a paste may bring (no-break ones included).
QString RateOf(const QString& text) {
    return text.trimmed();
}

// What is wrong with the rate as typed; empty when it is a rate.
QString RateProblem(const QString& text) {
    if (RateOf(text).isEmpty())
        return QStringLiteral("Zadejte kurz, tedy %1").arg(kRateHint);
    if (!vemo::ParseExchangeRate(vemo::ui::FromQString(RateOf(text))))
        return QStringLiteral("Kurz „%1“ není kladné číslo. Zadejte, %2")
            .arg(vemo::ui::SingleLine(RateOf(text)), kRateHint);
    return {};
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter in a box must not save or copy by surprise; on a button it presses that button.
    button->setAutoDefault(false);
    button->installEventFilter(parent);
    return button;
}

QTextBrowser* MakePage(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* page = new QTextBrowser(parent);
    page->setObjectName(QLatin1String(name));
    page->setAccessibleName(accessibleName);
    return page;
}

} // namespace

TfrmNabidka::TfrmNabidka(Inputs inputs, QWidget* parent)
    : QDialog(parent), inputs_(std::move(inputs)) {
    setObjectName(QStringLiteral("frmNabidka"));
    setWindowTitle(QStringLiteral("Nabídka"));
    // The window's own font is bold and small; a page of text reads better in the desktop's.
    setFont(QApplication::font());

    ui.edtZakaznik = new QLineEdit(this);
    ui.edtZakaznik->setObjectName(QStringLiteral("edtZakaznik"));
    ui.edtKurz = new QLineEdit(inputs_.rate, this);
    ui.edtKurz->setObjectName(QStringLiteral("edtKurz"));
    ui.edtKurz->setPlaceholderText(QStringLiteral("25,10"));
    ui.edtZdrojKurzu = new QLineEdit(inputs_.rateSource, this);
    ui.edtZdrojKurzu->setObjectName(QStringLiteral("edtZdrojKurzu"));
    ui.edtZdrojKurzu->setPlaceholderText(QStringLiteral("ČNB 8. 12. 2026"));
    ui.lblKurz = new QLabel(this);
    ui.lblKurz->setObjectName(QStringLiteral("lblKurz"));
    ui.memNabidka = MakePage("memNabidka", QStringLiteral("Nabídka"), this);
    ui.memPorovnani = MakePage("memPorovnani", QStringLiteral("Porovnání s uloženou trasou"), this);
    ui.btnPdf = MakeButton(QStringLiteral("Uložit jako PDF…"), "btnPdf", this);
    ui.btnKopirovat = MakeButton(QStringLiteral("Kopírovat"), "btnKopirovat", this);
    ui.btnKopirovatPorovnani =
        MakeButton(QStringLiteral("Kopírovat porovnání"), "btnKopirovatPorovnani", this);
    ui.btnZavrit = MakeButton(QStringLiteral("Zavřít"), "btnZavrit", this);
    // The comparison is the dispatcher's: it stays out of the customer's page.
    const bool compared = inputs_.saved.has_value();
    ui.memPorovnani->setVisible(compared);
    ui.btnKopirovatPorovnani->setVisible(compared);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Zákazník / zakázka:"), ui.edtZakaznik);
    form->addRow(QStringLiteral("&Kurz (Kč za 1 €):"), ui.edtKurz);
    form->addRow(QStringLiteral("&Datum nebo zdroj kurzu:"), ui.edtZdrojKurzu);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {ui.btnPdf, ui.btnKopirovat, ui.btnKopirovatPorovnani})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(ui.btnZavrit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ui.lblKurz);
    layout->addWidget(ui.memNabidka, 3);
    layout->addWidget(ui.memPorovnani, 1);
    layout->addLayout(buttons);

    for (QLineEdit* edit : {ui.edtZakaznik, ui.edtKurz, ui.edtZdrojKurzu})
        connect(edit, &QLineEdit::textChanged, this, [this] { Guard(&TfrmNabidka::Refresh); });
    connect(ui.btnPdf, &QPushButton::clicked, this, [this] { Guard(&TfrmNabidka::btnPdfClick); });
    connect(ui.btnKopirovat, &QPushButton::clicked, this,
            [this] { Guard(&TfrmNabidka::btnKopirovatClick); });
    connect(ui.btnKopirovatPorovnani, &QPushButton::clicked, this,
            [this] { Guard(&TfrmNabidka::btnKopirovatPorovnaniClick); });
    connect(ui.btnZavrit, &QPushButton::clicked, this, &QDialog::accept);

    // No larger than the screen at any scale; the page scrolls within.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : kPreferredSize;
    resize(kPreferredSize.boundedTo(room).expandedTo(minimumSizeHint().boundedTo(room)));

    Guard(&TfrmNabidka::Refresh);
    (inputs_.rate.isEmpty() ? ui.edtKurz : ui.edtZakaznik)->setFocus(Qt::OtherFocusReason);
}

QString TfrmNabidka::RateText() const {
    return ui.edtKurz->text();
}

QString TfrmNabidka::RateSourceText() const {
    return ui.edtZdrojKurzu->text();
}

bool TfrmNabidka::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmNabidka::Guard(void (TfrmNabidka::*handler)()) {
    vemo::ui::RunGuarded(this, inputs_.reportError, [this, handler] { (this->*handler)(); });
}

vemo::ui::QuoteHead TfrmNabidka::Head() const {
    vemo::ui::QuoteHead head = inputs_.head;
    head.customer = ui.edtZakaznik->text().trimmed();
    head.rateSource = ui.edtZdrojKurzu->text().trimmed();
    return head;
}

void TfrmNabidka::RequireRate() const {
    if (!quote_.rate)
        throw vemo::Error(vemo::ui::FromQString(RateProblem(ui.edtKurz->text())));
}

void TfrmNabidka::Refresh() {
    const QString problem = RateProblem(ui.edtKurz->text());
    ui.lblKurz->setText(problem);
    ui.lblKurz->setVisible(!problem.isEmpty());
    quote_ =
        vemo::BuildQuote(inputs_.german, inputs_.austrian,
                         vemo::ParseExchangeRate(vemo::ui::FromQString(RateOf(ui.edtKurz->text()))),
                         inputs_.saved, inputs_.numbers.numbers);
    ui.memNabidka->setHtml(vemo::ui::QuoteHtml(quote_, Head(), inputs_.numbers));
    ui.memPorovnani->setHtml(vemo::ui::ComparisonHtml(quote_, inputs_.numbers));
}

void TfrmNabidka::btnPdfClick() {
    RequireRate();
    const QString path = inputs_.chooseFile(
        this, {QStringLiteral("Uložit nabídku jako PDF"), QStringLiteral("nabidka.pdf"),
               QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"), true});
    if (path.isEmpty())
        return;
    const QByteArray pdf = vemo::ui::QuotePdf(quote_, Head(), inputs_.numbers);
    vemo::SaveUserFile(vemo::ui::NativeFileName(path), vemo::ui::ShownFileName(path),
                       std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

void TfrmNabidka::btnKopirovatClick() {
    RequireRate();
    QApplication::clipboard()->setText(vemo::ui::QuotePlainText(quote_, Head(), inputs_.numbers));
}

void TfrmNabidka::btnKopirovatPorovnaniClick() {
    QApplication::clipboard()->setText(vemo::ui::ComparisonPlainText(quote_, inputs_.numbers));
}
