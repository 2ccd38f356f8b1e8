#include "data/documents/QuoteDocument.h"

#include "data/rules/BilledToll.h"
#include "data/rules/SectionEntry.h"
#include "data/rules/Tariff.h"
#include "text/Cp1250.h"

namespace vemo {

namespace {

QuoteCountry German(const GermanQuoteInput& german, const LocaleSettings& locale) {
    QuoteCountry country;
    country.heading = Cz("Německo: ");
    country.heading += german.category.empty() ? Cz("bez kategorie") : german.category;
    if (!german.weightClass.empty())
        country.heading += ", " + german.weightClass;
    country.heading += ", " + AxleCount(german.axles);
    double km = 0;
    for (const RouteSection& section : german.sections) {
        const double length = SectionLength(section.entry, locale);
        km += length;
        const Cents amount = BilledGermanSection(section.entry, german.rate, locale);
        country.sections.push_back({section.motorway, section.points, length, amount});
        country.total += amount;
    }
    country.notes = {german.tariff,
                     Cz("Sazba: ") + german.rate.Text(locale.decimalSeparator, 2) + " \x80/km",
                     Cz("Celkem: ") + FormatNumber(km, locale) + " km"};
    country.totalCaption = Cz("Mýtné dle vyúčtování (bez DPH)");
    return country;
}

QuoteCountry Austrian(const AustrianQuoteInput& austrian, const LocaleSettings& locale) {
    QuoteCountry country;
    country.heading = Cz("Rakousko: ");
    const auto name = AustrianCategoryName(austrian.category);
    country.heading +=
        name ? std::string(*name) + ", " + std::string(*AustrianCategoryText(austrian.category))
             : Cz("bez kategorie");
    for (const RouteSection& section : austrian.sections) {
        const Cents amount = BilledAustrianSection(section.entry, austrian.category, locale);
        country.sections.push_back({section.motorway, section.points, std::nullopt, amount});
        country.total += amount;
    }
    country.totalCaption = Cz("Mýtné dle vyúčtování bez DPH");
    return country;
}

} // namespace

std::string AxleCount(int axles) {
    const char* word = axles == 1 ? "náprava" : axles >= 2 && axles <= 4 ? "nápravy" : "náprav";
    return std::to_string(axles) + " " + Cz(word);
}

QuoteDocument BuildQuote(const GermanQuoteInput& german, const AustrianQuoteInput& austrian,
                         const std::optional<ExchangeRate>& rate,
                         const std::optional<SavedQuote>& saved, const LocaleSettings& locale) {
    QuoteDocument quote;
    quote.rate = rate;
    const QuoteCountry germany = German(german, locale);
    const QuoteCountry austria = Austrian(austrian, locale);
    const QuoteAmounts amounts = ComputeQuote(germany.total, austria.total, rate);
    if (!german.sections.empty()) {
        quote.countries.push_back(germany);
        quote.lines.push_back({Cz("Německo: mýtné (bez DPH)"), amounts.german});
    }
    if (!austrian.sections.empty()) {
        quote.countries.push_back(austria);
        quote.lines.push_back({Cz("Rakousko: mýtné bez DPH"), amounts.austrianNet});
        quote.lines.push_back({Cz("Rakousko: DPH ") + std::to_string(kAustrianVatPercent) + " %",
                               amounts.austrianVat});
        quote.lines.push_back({Cz("Rakousko: mýtné s DPH"), amounts.austrianGross});
    }
    quote.lines.push_back({Cz("Celkem"), amounts.total});
    if (saved) {
        const Cents savedTotal =
            ComputeQuote(saved->germanToll, saved->austrianToll, std::nullopt).total.cents;
        quote.savedOn = FormatDate(saved->savedOn);
        quote.comparison = {
            {Cz("Německo (bez DPH)"), ComparePrices(saved->germanToll, germany.total)},
            {Cz("Rakousko (bez DPH)"), ComparePrices(saved->austrianToll, austria.total)},
            {Cz("Celkem (s DPH)"), ComparePrices(savedTotal, amounts.total.cents)}};
    }
    return quote;
}

} // namespace vemo
