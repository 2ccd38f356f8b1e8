#pragma once
// The quote as one model, computed once from both tabs: each country's vehicle, sections and
// billed toll, the amounts in euros and koruny with their captions, and a saved route's totals
// beside today's. The page, the PDF and the clipboard only write it. Texts are Windows-1250.

#include "data/documents/Quote.h"
#include "data/documents/RouteLookup.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

// The German tab as the quote prices it: the rate and what it was taken for.
struct GermanQuoteInput {
    std::vector<RouteSection> sections;
    Decimal rate;
    std::string category; // empty when none was chosen
    std::string weightClass;
    int axles = 3;
    std::string tariff; // the tariff's label
};

// The Austrian tab: the category whose amounts are billed.
struct AustrianQuoteInput {
    std::vector<RouteSection> sections;
    int category = -1;
};

// Billed totals of a route saved earlier.
struct SavedQuote {
    CalendarDate savedOn;
    Cents germanToll = 0;
    Cents austrianToll = 0;
};

struct QuoteSection {
    std::string motorway;
    SectionPoints points;
    std::optional<double> km; // German sections
    Cents amount = 0;
};

struct QuoteCountry {
    std::string heading;            // "Německo: Euro 6, CO2 třída 1, nad 18 t, 5 náprav"
    std::vector<std::string> notes; // the tariff, the rate, the kilometres
    std::vector<QuoteSection> sections;
    std::string totalCaption; // "Mýtné dle vyúčtování (bez DPH)"
    Cents total = 0;
};

// A row of the amounts table; the last one is the sum.
struct QuoteLine {
    std::string caption;
    QuoteAmount amount;
};

// A row of the comparison: saved and today's billed tolls.
struct ComparisonLine {
    std::string caption;
    PriceChange change;
};

struct QuoteDocument {
    std::vector<QuoteCountry> countries; // those whose route has sections
    std::vector<QuoteLine> lines;
    std::optional<ExchangeRate> rate;
    std::string savedOn; // "1. 12. 2026", with the comparison
    std::vector<ComparisonLine> comparison;
};

// Throws Error for a section or an amount beyond any bill.
QuoteDocument BuildQuote(const GermanQuoteInput& german, const AustrianQuoteInput& austrian,
                         const std::optional<ExchangeRate>& rate,
                         const std::optional<SavedQuote>& saved, const LocaleSettings& locale);

// "1 náprava", "3 nápravy", "5 náprav".
std::string AxleCount(int axles);

} // namespace vemo
