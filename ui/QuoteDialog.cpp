#include "ui/QuoteDialog.h"

#include "data/Errors.h"
#include "data/UserFile.h"
#include "ui/Cp1250Text.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kRateHint = QStringLiteral("kolik korun stojí 1 €, například 25,10");

// The rate as typed. A pasted one may bring spaces that Windows-1250 has no byte for (U+202F,
// U+2009), so every kind of space is trimmed here, before the conversion.
std::optional<vemo::ExchangeRate> Rate(const QString& text) {
    return vemo::ParseExchangeRate(vemo::ui::FromQString(text.trimmed()));
}

// What is wrong with the rate as typed; empty when it is a rate.
QString RateProblem(const QString& text) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("Zadejte kurz, tedy %1").arg(kRateHint);
    if (!Rate(text))
        return QStringLiteral("Kurz „%1“ není kladné číslo. Zadejte, %2")
            .arg(vemo::ui::SingleLine(text.trimmed()), kRateHint);
    return {};
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter in a box must not save or copy by surprise.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmNabidka::TfrmNabidka(Inputs inputs, QWidget* parent)
    : QDialog(parent), inputs_(std::move(inputs)) {
    setObjectName(QStringLiteral("frmNabidka"));
    setWindowTitle(QStringLiteral("Nabídka"));
    // The window's own font is bold and small; a page of text reads better in the desktop's.
    setFont(QApplication::font());

    edtZakaznik = new QLineEdit(this);
    edtZakaznik->setObjectName(QStringLiteral("edtZakaznik"));
    edtKurz = new QLineEdit(inputs_.rate, this);
    edtKurz->setObjectName(QStringLiteral("edtKurz"));
    edtKurz->setPlaceholderText(QStringLiteral("25,10"));
    edtZdrojKurzu = new QLineEdit(inputs_.rateSource, this);
    edtZdrojKurzu->setObjectName(QStringLiteral("edtZdrojKurzu"));
    edtZdrojKurzu->setPlaceholderText(QStringLiteral("ČNB 8. 12. 2026"));
    lblKurz = new QLabel(this);
    lblKurz->setObjectName(QStringLiteral("lblKurz"));
    memNabidka = new QTextBrowser(this);
    memNabidka->setObjectName(QStringLiteral("memNabidka"));
    memNabidka->setAccessibleName(QStringLiteral("Nabídka"));
    memNabidka->setMinimumSize(560, 460);
    btnPdf = MakeButton(QStringLiteral("Uložit jako PDF…"), "btnPdf", this);
    btnKopirovat = MakeButton(QStringLiteral("Kopírovat"), "btnKopirovat", this);
    btnZavrit = MakeButton(QStringLiteral("Zavřít"), "btnZavrit", this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Zákazník / zakázka:"), edtZakaznik);
    form->addRow(QStringLiteral("&Kurz (Kč za 1 €):"), edtKurz);
    form->addRow(QStringLiteral("&Datum nebo zdroj kurzu:"), edtZdrojKurzu);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPdf);
    buttons->addWidget(btnKopirovat);
    buttons->addStretch();
    buttons->addWidget(btnZavrit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblKurz);
    layout->addWidget(memNabidka, 1);
    layout->addLayout(buttons);

    for (QLineEdit* edit : {edtZakaznik, edtKurz, edtZdrojKurzu})
        connect(edit, &QLineEdit::textChanged, this, [this] { Guard(&TfrmNabidka::Refresh); });
    connect(btnPdf, &QPushButton::clicked, this, [this] { Guard(&TfrmNabidka::btnPdfClick); });
    connect(btnKopirovat, &QPushButton::clicked, this,
            [this] { Guard(&TfrmNabidka::btnKopirovatClick); });
    connect(btnZavrit, &QPushButton::clicked, this, &QDialog::accept);

    Guard(&TfrmNabidka::Refresh);
    (inputs_.rate.isEmpty() ? edtKurz : edtZakaznik)->setFocus(Qt::OtherFocusReason);
}

QString TfrmNabidka::RateText() const {
    return edtKurz->text();
}

QString TfrmNabidka::RateSourceText() const {
    return edtZdrojKurzu->text();
}

void TfrmNabidka::Guard(void (TfrmNabidka::*handler)()) {
    vemo::ui::RunGuarded(this, inputs_.reportError, [this, handler] { (this->*handler)(); });
}

vemo::ui::QuoteSheet TfrmNabidka::Sheet(bool withRate) const {
    vemo::ui::QuoteSheet sheet = inputs_.sheet;
    sheet.customer = edtZakaznik->text().trimmed();
    sheet.rate = Rate(edtKurz->text());
    sheet.rateSource = edtZdrojKurzu->text().trimmed();
    if (withRate && !sheet.rate)
        throw vemo::Error(vemo::ui::FromQString(RateProblem(edtKurz->text())));
    return sheet;
}

void TfrmNabidka::Refresh() {
    const QString problem = RateProblem(edtKurz->text());
    lblKurz->setText(problem);
    lblKurz->setVisible(!problem.isEmpty());
    memNabidka->setHtml(vemo::ui::QuoteHtml(Sheet(false), inputs_.numbers));
}

void TfrmNabidka::btnPdfClick() {
    const vemo::ui::QuoteSheet sheet = Sheet(true);
    const QString path = inputs_.chooseFile(
        this, {QStringLiteral("Uložit nabídku jako PDF"), QStringLiteral("nabidka.pdf"),
               QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"), true});
    if (path.isEmpty())
        return;
    const QByteArray pdf = vemo::ui::QuotePdf(sheet, inputs_.numbers);
    vemo::SaveUserFile(vemo::ui::NativeFileName(path), vemo::ui::ShownFileName(path),
                       std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

void TfrmNabidka::btnKopirovatClick() {
    QApplication::clipboard()->setText(vemo::ui::QuotePlainText(Sheet(true), inputs_.numbers));
}
