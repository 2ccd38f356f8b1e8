#include "ui/QuoteText.h"

#include "data/BilledToll.h"
#include "data/Errors.h"
#include "ui/Cp1250Text.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace vemo::ui {

namespace {

QString Hundredths(Cents value, const LocaleSettings& locale) {
    return ToQString(FormatHundredths(value, locale));
}

QString Koruny(const QuoteAmount& amount, const LocaleSettings& locale) {
    return amount.hellers ? Hundredths(*amount.hellers, locale) : QString();
}

QString RateLine(const QuoteSheet& sheet, const LocaleSettings& locale) {
    if (!sheet.rate)
        return QStringLiteral("Kurz nezadán, koruny se nepočítají.");
    QString line = QStringLiteral("Kurz: %1 Kč za 1 €")
                       .arg(ToQString(FormatExchangeRate(*sheet.rate, locale)));
    if (!sheet.rateSource.trimmed().isEmpty())
        line += QStringLiteral(" (%1)").arg(SingleLine(sheet.rateSource.trimmed()));
    return line;
}

QString SavedHeading(const SavedTotals& saved) {
    return QStringLiteral("Uložená trasa (uloženo %1) a dnes").arg(saved.savedOn);
}

const QString kNote = QStringLiteral(
    "Německé mýtné je bez DPH, rakouské s 20% rakouskou DPH. Mýtné je účtováno po úsecích, "
    "každý úsek zaokrouhlený na centy; koruny jsou zaokrouhleny na celé haléře.");

QString Html(const QString& text) {
    return SingleLine(text).toHtmlEscaped();
}

void CountryHtml(QString& html, const QuoteCountry& country) {
    html += QStringLiteral("<h3>%1</h3>").arg(Html(country.name));
    if (country.entries.isEmpty())
        html += QStringLiteral("<p><i>Trasa je prázdná.</i></p>");
    for (const QString& entry : country.entries)
        html += QStringLiteral("<p style='margin:0; white-space:pre-wrap'>%1</p>").arg(Html(entry));
    html += QStringLiteral("<table cellspacing='0' cellpadding='1' style='margin-top:4px'>");
    for (const ShownTotal& total : country.totals)
        html += QStringLiteral("<tr><td>%1</td><td style='padding-left:12px'>%2</td></tr>")
                    .arg(Html(total.caption), Html(total.value));
    html += QStringLiteral("</table>");
}

// A table row of cells; the first cell is the caption, the others are amounts.
QString Row(const QStringList& cells, bool head, bool bold) {
    QString row = QStringLiteral("<tr>");
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QString tag = head ? QStringLiteral("th") : QStringLiteral("td");
        const QString align = i == 0 ? QStringLiteral("left") : QStringLiteral("right");
        QString cell = Html(cells[i]);
        if (bold)
            cell = QStringLiteral("<b>%1</b>").arg(cell);
        row += QStringLiteral("<%1 align='%2'>%3</%1>").arg(tag, align, cell);
    }
    return row + QStringLiteral("</tr>");
}

QFont QuoteFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(10);
    return font;
}

} // namespace

std::vector<QuoteLine> QuoteLines(const QuoteSheet& sheet, const LocaleSettings& locale) {
    const QuoteAmounts a = ComputeQuote(sheet.germanToll, sheet.austrianToll, sheet.rate);
    const auto line = [&](const QString& caption, const QuoteAmount& amount) {
        return QuoteLine{caption, Hundredths(amount.cents, locale), Koruny(amount, locale)};
    };
    return {line(QStringLiteral("Německo: mýtné (bez DPH)"), a.german),
            line(QStringLiteral("Rakousko: mýtné bez DPH"), a.austrianNet),
            line(QStringLiteral("Rakousko: DPH %1 %").arg(kAustrianVatPercent), a.austrianVat),
            line(QStringLiteral("Rakousko: mýtné s DPH"), a.austrianGross),
            line(QStringLiteral("Celkem"), a.total)};
}

std::vector<ChangeLine> ChangeLines(const QuoteSheet& sheet, const LocaleSettings& locale) {
    if (!sheet.saved)
        return {};
    const auto line = [&](const QString& caption, Cents saved, Cents today) {
        const PriceChange change = ComparePrices(saved, today);
        return ChangeLine{caption, Hundredths(change.saved, locale),
                          Hundredths(change.today, locale),
                          ToQString(FormatSignedHundredths(change.difference, locale)),
                          change.percent ? ToQString(FormatSignedPercent(*change.percent, locale))
                                         : QStringLiteral("–")};
    };
    const Cents savedTotal =
        ComputeQuote(sheet.saved->germanToll, sheet.saved->austrianToll, std::nullopt).total.cents;
    const Cents todayTotal =
        ComputeQuote(sheet.germanToll, sheet.austrianToll, std::nullopt).total.cents;
    return {
        line(QStringLiteral("Německo (bez DPH)"), sheet.saved->germanToll, sheet.germanToll),
        line(QStringLiteral("Rakousko (bez DPH)"), sheet.saved->austrianToll, sheet.austrianToll),
        line(QStringLiteral("Celkem (s DPH)"), savedTotal, todayTotal)};
}

QString QuotePlainText(const QuoteSheet& sheet, const LocaleSettings& locale) {
    QStringList lines = {QStringLiteral("Nabídka mýtného"), sheet.program,
                         QStringLiteral("Datum:\t") + sheet.issued,
                         QStringLiteral("Zákazník / zakázka:\t") + SingleLine(sheet.customer)};
    for (const QuoteCountry* country : {&sheet.german, &sheet.austrian}) {
        lines << QString() << country->name;
        for (const QString& entry : country->entries)
            lines << SingleLine(entry);
        for (const ShownTotal& total : country->totals) {
            QString line = SingleLine(total.caption);
            if (!total.value.isEmpty())
                line += u'\t' + SingleLine(total.value);
            lines << line;
        }
    }
    lines << QString() << QStringLiteral("Položka\t€\tKč");
    for (const QuoteLine& line : QuoteLines(sheet, locale))
        lines << line.caption + u'\t' + line.euros + u'\t' + line.koruny;
    if (sheet.rate)
        lines << QStringLiteral("Kurz (Kč za 1 €):\t%1\t%2")
                     .arg(ToQString(FormatExchangeRate(*sheet.rate, locale)),
                          SingleLine(sheet.rateSource.trimmed()));
    else
        lines << RateLine(sheet, locale);
    if (sheet.saved) {
        lines << QString()
              << SavedHeading(*sheet.saved) +
                     QStringLiteral("\tUloženo €\tDnes €\tRozdíl €\tRozdíl %");
        for (const ChangeLine& line : ChangeLines(sheet, locale))
            lines << QStringList{line.caption, line.saved, line.today, line.difference,
                                 line.percent}
                         .join(u'\t');
    }
    lines << QString() << kNote;
    return lines.join(u'\n');
}

QString QuoteHtml(const QuoteSheet& sheet, const LocaleSettings& locale) {
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h2>Nabídka mýtného</h2>");
    html += QStringLiteral("<p>%1<br>Datum: %2<br>Zákazník / zakázka: <b>%3</b></p>")
                .arg(Html(sheet.program), Html(sheet.issued), Html(sheet.customer));
    CountryHtml(html, sheet.german);
    CountryHtml(html, sheet.austrian);

    html += QStringLiteral("<h3>Mýtné</h3><table border='1' cellspacing='0' cellpadding='4' "
                           "width='100%' style='border-collapse:collapse'>");
    html +=
        Row({QStringLiteral("Položka"), QStringLiteral("€"), QStringLiteral("Kč")}, true, false);
    const std::vector<QuoteLine> lines = QuoteLines(sheet, locale);
    for (std::size_t i = 0; i < lines.size(); ++i)
        html +=
            Row({lines[i].caption, lines[i].euros, lines[i].koruny}, false, i + 1 == lines.size());
    html += QStringLiteral("</table><p>%1</p>").arg(Html(RateLine(sheet, locale)));

    if (sheet.saved) {
        html += QStringLiteral("<h3>%1</h3><table border='1' cellspacing='0' cellpadding='4' "
                               "width='100%' style='border-collapse:collapse'>")
                    .arg(Html(SavedHeading(*sheet.saved)));
        html += Row({QString(), QStringLiteral("Uloženo €"), QStringLiteral("Dnes €"),
                     QStringLiteral("Rozdíl €"), QStringLiteral("Rozdíl %")},
                    true, false);
        for (const ChangeLine& line : ChangeLines(sheet, locale))
            html += Row({line.caption, line.saved, line.today, line.difference, line.percent},
                        false, false);
        html += QStringLiteral("</table>");
    }
    html += QStringLiteral("<p style='font-size:8pt'>%1<br>Vytvořeno programem %2 dne %3.</p>")
                .arg(Html(kNote), Html(sheet.program), Html(sheet.issued));
    return html + QStringLiteral("</body></html>");
}

QByteArray QuotePdf(const QuoteSheet& sheet, const LocaleSettings& locale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Nabídka mýtného %1").arg(sheet.issued));
        writer.setCreator(sheet.program);

        QTextDocument document;
        // Laid out for the writer's resolution, so that point sizes come out as points on paper.
        document.documentLayout()->setPaintDevice(&writer);
        document.setDefaultFont(QuoteFont());
        document.setHtml(QuoteHtml(sheet, locale));
        const QSizeF page(writer.width(), writer.height());
        document.setPageSize(page);

        QPainter painter;
        if (!painter.begin(&writer))
            throw Error(FromQString(QStringLiteral("PDF nelze vytvořit")));
        for (int i = 0; i < document.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            const QRectF shown(QPointF(0, i * page.height()), page);
            painter.save();
            painter.translate(0, -shown.top());
            document.drawContents(&painter, shown);
            painter.restore();
        }
        painter.end();
    }
    return bytes;
}

} // namespace vemo::ui
