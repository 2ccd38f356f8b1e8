#pragma once
// The quote as the user reads it, in three forms of one content: the page the dialog shows and
// the PDF prints (HTML for QTextDocument), the A4 PDF itself, and plain text for the clipboard,
// whose amounts stand in cells of their own (tab-separated) so that they paste into a
// spreadsheet as columns. The amounts come from data/Quote.h; this only writes them.

#include "data/Quote.h"
#include "text/TextRoutines.h"
#include "ui/RouteClipboard.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vemo::ui {

// One tab's part: its route as the list shows it and its totals as the tab shows them.
struct QuoteCountry {
    QString name; // "Německo"
    QStringList entries;
    std::vector<ShownTotal> totals;
};

// The totals a route was saved with beside today's.
struct SavedTotals {
    QString savedOn;      // "1. 12. 2026"
    Cents germanToll = 0; // as billed
    Cents austrianToll = 0;
};

struct QuoteSheet {
    QString program; // "Vemo Maut 1.0"
    QString issued;  // "8. 12. 2026"
    QString customer;
    QuoteCountry german;
    QuoteCountry austrian;
    Cents germanToll = 0;   // the German toll as billed
    Cents austrianToll = 0; // the Austrian toll as billed, without VAT
    std::optional<ExchangeRate> rate;
    QString rateSource; // "ČNB 8. 12. 2026"
    std::optional<SavedTotals> saved;
};

// One line of the amounts table: its caption, euros and koruny as written (koruny empty
// without a rate).
struct QuoteLine {
    QString caption;
    QString euros;
    QString koruny;
};
// The amounts table; numbers without their unit, which the column heads carry.
std::vector<QuoteLine> QuoteLines(const QuoteSheet& sheet, const LocaleSettings& locale);

// The saved totals beside today's: caption, saved, today, difference in € and in %.
struct ChangeLine {
    QString caption, saved, today, difference, percent;
};
std::vector<ChangeLine> ChangeLines(const QuoteSheet& sheet, const LocaleSettings& locale);

QString QuotePlainText(const QuoteSheet& sheet, const LocaleSettings& locale);
QString QuoteHtml(const QuoteSheet& sheet, const LocaleSettings& locale);
// The page on A4 with the sheet's title, program and date in the document's properties.
QByteArray QuotePdf(const QuoteSheet& sheet, const LocaleSettings& locale);

} // namespace vemo::ui
