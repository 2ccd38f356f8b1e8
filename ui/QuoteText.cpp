#include "ui/QuoteText.h"

#include "data/rules/BilledToll.h"
#include "data/store/Errors.h"
#include "ui/Cp1250Text.h"
#include "ui/RouteClipboard.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QTextDocument>

namespace vemo::ui {

namespace {

const QString kNote =
    QStringLiteral("Německé mýtné je bez DPH, rakouské s %1% rakouskou DPH. Mýtné je účtováno po "
                   "úsecích, každý úsek zaokrouhlený na centy; koruny jsou zaokrouhleny na celé "
                   "haléře.")
        .arg(kAustrianVatPercent);

QString Text(const std::string& cp1250) {
    return SingleLine(ToQString(cp1250));
}

QString Html(const QString& text) {
    return SingleLine(text).toHtmlEscaped();
}

// Hundredths with two decimals; on the page with the locale's groups ("2 049,92"), on the
// clipboard without ("2049,92").
QString Amount(Cents hundredths, const QuoteNumbers& numbers, bool grouped) {
    QString text = ToQString(FormatHundredths(hundredths, numbers.numbers));
    if (!grouped)
        return text;
    const qsizetype first = text.startsWith(u'-') ? 1 : 0;
    for (qsizetype at = text.size() - 3 - 3; at > first; at -= 3)
        text.insert(at, numbers.groupSeparator);
    return text;
}

QString Koruny(const QuoteAmount& amount, const QuoteNumbers& numbers, bool grouped) {
    return amount.hellers ? Amount(*amount.hellers, numbers, grouped) : QString();
}

QString SectionText(const QuoteSection& section) {
    return Text(section.points.from) + QStringLiteral(" – ") + Text(section.points.to);
}

QString Km(const QuoteSection& section, const QuoteNumbers& numbers) {
    return section.km ? ToQString(FormatNumber(*section.km, numbers.numbers)) : QString();
}

QString RateLine(const QuoteDocument& quote, const QuoteHead& head, const QuoteNumbers& numbers) {
    if (!quote.rate)
        return QStringLiteral("Kurz nezadán, koruny se nepočítají.");
    QString line = QStringLiteral("Kurz: %1 Kč za 1 €")
                       .arg(ToQString(FormatExchangeRate(*quote.rate, numbers.numbers)));
    if (!head.rateSource.trimmed().isEmpty())
        line += QStringLiteral(" (%1)").arg(SingleLine(head.rateSource.trimmed()));
    return line;
}

QString ComparisonHeading(const QuoteDocument& quote) {
    return QStringLiteral("Uložená trasa (uloženo %1) a dnes").arg(ToQString(quote.savedOn));
}

QString Percent(const PriceChange& change, const QuoteNumbers& numbers) {
    return change.percent ? ToQString(FormatSignedPercent(*change.percent, numbers.numbers))
                          : QStringLiteral("–");
}

QStringList ComparisonCells(const ComparisonLine& line, const QuoteNumbers& numbers, bool grouped) {
    return {Text(line.caption), Amount(line.change.saved, numbers, grouped),
            Amount(line.change.today, numbers, grouped),
            (line.change.difference > 0 ? QStringLiteral("+") : QString()) +
                Amount(line.change.difference, numbers, grouped),
            Percent(line.change, numbers)};
}

// A table row of cells: the first one the caption, the others numbers aligned right.
QString Row(const QStringList& cells, bool head, bool bold) {
    QString row = QStringLiteral("<tr>");
    const QString tag = head ? QStringLiteral("th") : QStringLiteral("td");
    for (qsizetype i = 0; i < cells.size(); ++i) {
        QString cell = Html(cells[i]);
        if (bold)
            cell = QStringLiteral("<b>%1</b>").arg(cell);
        const bool text = i == 0 || (i == 1 && cells.size() > 3);
        row += QStringLiteral("<%1 align='%2'>%3</%1>")
                   .arg(tag, text ? QStringLiteral("left") : QStringLiteral("right"), cell);
    }
    return row + QStringLiteral("</tr>");
}

const QString kTable = QStringLiteral("<table border='1' cellspacing='0' cellpadding='3' "
                                      "width='100%' style='border-collapse:collapse'>");

void CountryHtml(QString& html, const QuoteCountry& country, const QuoteNumbers& numbers) {
    html += QStringLiteral("<h3>%1</h3><p style='margin-top:0'>").arg(Html(Text(country.heading)));
    for (const std::string& note : country.notes)
        html += Html(Text(note)) + QStringLiteral("<br>");
    html += QStringLiteral("</p>") + kTable;
    const bool german = !country.sections.empty() && country.sections.front().km.has_value();
    QStringList head = {QStringLiteral("Dálnice"), QStringLiteral("Úsek")};
    if (german)
        head << QStringLiteral("km");
    html += Row(head << QStringLiteral("€"), true, false);
    for (const QuoteSection& section : country.sections) {
        QStringList cells = {Text(section.motorway), SectionText(section)};
        if (german)
            cells << Km(section, numbers);
        html += Row(cells << Amount(section.amount, numbers, true), false, false);
    }
    QStringList total = {Text(country.totalCaption), QString()};
    if (german)
        total << QString();
    html += Row(total << Amount(country.total, numbers, true), false, true);
    html += QStringLiteral("</table>");
}

QFont QuoteFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(10);
    // Latin text needs no shaping; without it no ligature ("ff", "fi") replaces the letters,
    // and text copied from the PDF reads as written.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace

QString QuotePlainText(const QuoteDocument& quote, const QuoteHead& head,
                       const QuoteNumbers& numbers) {
    QStringList lines = {QStringLiteral("Nabídka mýtného"), head.program,
                         QStringLiteral("Datum:\t") + head.issued,
                         QStringLiteral("Zákazník / zakázka:\t") + SingleLine(head.customer)};
    for (const QuoteCountry& country : quote.countries) {
        lines << QString() << Text(country.heading);
        for (const std::string& note : country.notes)
            lines << Text(note);
        const bool german = country.sections.front().km.has_value();
        lines << (german ? QStringLiteral("Dálnice\tÚsek\tkm\t€")
                         : QStringLiteral("Dálnice\tÚsek\t€"));
        for (const QuoteSection& section : country.sections) {
            QStringList cells = {Text(section.motorway), SectionText(section)};
            if (german)
                cells << Km(section, numbers);
            lines << (cells << Amount(section.amount, numbers, false)).join(u'\t');
        }
        lines << Text(country.totalCaption) +
                     (german ? QStringLiteral("\t\t\t") : QStringLiteral("\t\t")) +
                     Amount(country.total, numbers, false);
    }
    lines << QString() << QStringLiteral("Položka\t€\tKč");
    for (const QuoteLine& line : quote.lines)
        lines << Text(line.caption) + u'\t' + Amount(line.amount.cents, numbers, false) + u'\t' +
                     Koruny(line.amount, numbers, false);
    if (quote.rate)
        lines << QStringLiteral("Kurz (Kč za 1 €):\t%1\t%2")
                     .arg(ToQString(FormatExchangeRate(*quote.rate, numbers.numbers)),
                          SingleLine(head.rateSource.trimmed()));
    else
        lines << RateLine(quote, head, numbers);
    lines << QString() << kNote;
    return lines.join(u'\n');
}

QString QuoteHtml(const QuoteDocument& quote, const QuoteHead& head, const QuoteNumbers& numbers) {
    QString html = QStringLiteral("<html><body><h2>Nabídka mýtného</h2>");
    html += QStringLiteral("<p>%1<br>Datum: %2<br>Zákazník / zakázka: <b>%3</b></p>")
                .arg(Html(head.program), Html(head.issued), Html(head.customer));
    for (const QuoteCountry& country : quote.countries)
        CountryHtml(html, country, numbers);
    if (quote.countries.empty())
        html += QStringLiteral("<p><i>Obě trasy jsou prázdné.</i></p>");

    html += QStringLiteral("<h3>Mýtné</h3>") + kTable;
    html +=
        Row({QStringLiteral("Položka"), QStringLiteral("€"), QStringLiteral("Kč")}, true, false);
    for (std::size_t i = 0; i < quote.lines.size(); ++i) {
        const QuoteLine& line = quote.lines[i];
        html += Row({Text(line.caption), Amount(line.amount.cents, numbers, true),
                     Koruny(line.amount, numbers, true)},
                    false, i + 1 == quote.lines.size());
    }
    html += QStringLiteral("</table><p>%1</p>").arg(Html(RateLine(quote, head, numbers)));
    html += QStringLiteral("<p style='font-size:8pt'>%1<br>Vytvořeno programem %2 dne %3.</p>")
                .arg(Html(kNote), Html(head.program), Html(head.issued));
    return html + QStringLiteral("</body></html>");
}

QString ComparisonPlainText(const QuoteDocument& quote, const QuoteNumbers& numbers) {
    if (quote.comparison.empty())
        return {};
    QStringList lines = {ComparisonHeading(quote) +
                         QStringLiteral("\tUloženo €\tDnes €\tRozdíl €\tRozdíl %")};
    for (const ComparisonLine& line : quote.comparison)
        lines << ComparisonCells(line, numbers, false).join(u'\t');
    return lines.join(u'\n');
}

QString ComparisonHtml(const QuoteDocument& quote, const QuoteNumbers& numbers) {
    if (quote.comparison.empty())
        return {};
    QString html = QStringLiteral("<html><body><b>%1</b>").arg(Html(ComparisonHeading(quote)));
    html += kTable;
    html += Row({QString(), QStringLiteral("Uloženo €"), QStringLiteral("Dnes €"),
                 QStringLiteral("Rozdíl €"), QStringLiteral("Rozdíl %")},
                true, false);
    for (const ComparisonLine& line : quote.comparison)
        html += Row(ComparisonCells(line, numbers, true), false, false);
    return html + QStringLiteral("</table></body></html>");
}

QByteArray QuotePdf(const QuoteDocument& quote, const QuoteHead& head,
                    const QuoteNumbers& numbers) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Nabídka mýtného %1").arg(head.issued));
        writer.setCreator(head.program);

        QTextDocument document;
        // Laid out for the writer's resolution, so that point sizes come out as points on paper.
        document.documentLayout()->setPaintDevice(&writer);
        document.setDefaultFont(QuoteFont());
        document.setHtml(QuoteHtml(quote, head, numbers));
        // Every page starts with a line for the customer and the page number.
        QFont headFont = QuoteFont();
        headFont.setPointSizeF(8);
        const qreal headHeight = QFontMetricsF(headFont, &writer).height() * 2;
        const QSizeF body(writer.width(), writer.height() - headHeight);
        document.setPageSize(body);
        const int pages = document.pageCount();

        QPainter painter;
        if (!painter.begin(&writer))
            throw Error(FromQString(QStringLiteral("PDF nelze vytvořit")));
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.setFont(headFont);
            const QRectF line(0, 0, body.width(), headHeight / 2);
            const QString customer = SingleLine(head.customer.trimmed());
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("Nabídka mýtného %1%2")
                                 .arg(head.issued, customer.isEmpty()
                                                       ? QString()
                                                       : QStringLiteral(" – ") + customer));
            painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("strana %1/%2").arg(i + 1).arg(pages));
            const QRectF shown(QPointF(0, i * body.height()), body);
            painter.save();
            painter.translate(0, headHeight - shown.top());
            document.drawContents(&painter, shown);
            painter.restore();
        }
        painter.end();
    }
    return bytes;
}

} // namespace vemo::ui
