#pragma once
// The quote model (data/documents/QuoteDocument.h) as the user reads it: the page the dialog shows
// and the PDF prints (HTML for QTextDocument, amounts grouped as the locale groups them), the A4
// PDF with the customer and the page number on every page, and plain text for the clipboard, whose
// amounts stand ungrouped in cells of their own (tab-separated) so that they paste into a
// spreadsheet as columns. The comparison with a saved route is for the dispatcher: it has its own
// text and never reaches the customer's page.

#include "data/documents/QuoteDocument.h"
#include "text/TextRoutines.h"

#include <QByteArray>
#include <QString>

namespace vemo::ui {

// What the page says beside the model: who made it, when and for whom, and the rate's source.
struct QuoteHead {
    QString program; // "Vemo Maut 1.0"
    QString issued;  // "8. 12. 2026"
    QString customer;
    QString rateSource; // "ČNB 8. 12. 2026"
};

// The locale's numbers: the decimal separator in numbers, the group separator on the page.
struct QuoteNumbers {
    LocaleSettings numbers;
    QString groupSeparator;
};

QString QuotePlainText(const QuoteDocument& quote, const QuoteHead& head,
                       const QuoteNumbers& numbers);
QString QuoteHtml(const QuoteDocument& quote, const QuoteHead& head, const QuoteNumbers& numbers);
// The page on A4, every page headed by the customer and "strana N/M"; the title, program and
// date in the document's properties.
QByteArray QuotePdf(const QuoteDocument& quote, const QuoteHead& head, const QuoteNumbers& numbers);

// The saved totals beside today's; empty when the quote has no saved route.
QString ComparisonPlainText(const QuoteDocument& quote, const QuoteNumbers& numbers);
QString ComparisonHtml(const QuoteDocument& quote, const QuoteNumbers& numbers);

} // namespace vemo::ui
