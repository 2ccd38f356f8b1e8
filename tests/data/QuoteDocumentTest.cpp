// The quote as one model: each country's vehicle, sections with their points and billed
// amounts, the amounts table, and the saved totals beside today's.
#include "data/documents/QuoteDocument.h"
#include "tests/support/Tables.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

namespace {

std::string Utf8(const std::string& cp1250) {
    return vemo::Cp1250ToUtf8(cp1250);
}

std::vector<vemo::RouteSection> Sections(const std::vector<std::string>& rows,
                                         const std::vector<std::string>& entries, bool german) {
    static vemo::SortedUniqueList index(vemo::PlainCaseInsensitiveCollation());
    index.Clear();
    const vemo::LineTable table = testrows::EncodedTable(rows);
    index.Add(german ? "A3" : "A13");
    return vemo::RouteSectionsOf(entries, german ? vemo::GermanRouteTables(table, index)
                                                 : vemo::AustrianRouteTables(table, index));
}

vemo::GermanQuoteInput German() {
    vemo::GermanQuoteInput german;
    german.sections = Sections({"3;1;AS;H\xF6sbach;;AS;Bessenbach/Waldaschaff;4,0",
                                "3;2;AS;Weibersbrunn;;AS;Rohrbrunn;6,6"},
                               {"(AS) Weibersbrunn : (AS) Rohrbrunn;6,6",
                                "(AS) H\xF6sbach : (AS) Bessenbach/Waldaschaff;4,0"},
                               true);
    german.rate = vemo::Decimal::Of(348, 3);
    german.category = "Euro 6, CO2 t\xF8\xED"
                      "da 1";
    german.weightClass = "nad 18 t";
    german.axles = 5;
    german.tariff = "Sazebn\xEDk: M\xFDtn\xE9 2024, platn\xFD od 1. 7. 2024";
    return german;
}

TEST(QuoteDocument, CountriesSectionsAndAmounts) {
    vemo::AustrianQuoteInput austrian;
    austrian.sections = Sections({"A13;Brenner;Innsbruck-Amras;Brenner;24,02;33,64;50,43"},
                                 {"Innsbruck-Amras-Brenner : 24,02/33,64/50,43"}, false);
    austrian.category = 1;
    const vemo::QuoteDocument quote =
        vemo::BuildQuote(German(), austrian, vemo::ParseExchangeRate("25,10"),
                         vemo::SavedQuote{{2026, 12, 1}, 350, 3364}, testrows::DecimalComma());

    ASSERT_EQ(quote.countries.size(), 2u);
    const vemo::QuoteCountry& germany = quote.countries[0];
    EXPECT_EQ(Utf8(germany.heading), "Německo: Euro 6, CO2 třída 1, nad 18 t, 5 náprav");
    EXPECT_EQ(Utf8(germany.notes.at(1)), "Sazba: 0,348 €/km");
    EXPECT_EQ(Utf8(germany.notes.at(2)), "Celkem: 10,6 km");
    ASSERT_EQ(germany.sections.size(), 2u);
    EXPECT_EQ(germany.sections[0].motorway, "A3");
    EXPECT_EQ(Utf8(germany.sections[1].points.from), "(AS) Hösbach");
    EXPECT_EQ(germany.sections[1].points.to, "(AS) Bessenbach/Waldaschaff");
    EXPECT_EQ(germany.sections[0].amount, 230); // 6,6 × 0,348 = 2,2968
    EXPECT_EQ(germany.sections[1].amount, 139); // 4 × 0,348 = 1,392
    EXPECT_EQ(germany.total, 369);
    const vemo::QuoteCountry& austria = quote.countries[1];
    EXPECT_EQ(Utf8(austria.heading), "Rakousko: Kategorie B, 3 nápravy");
    EXPECT_EQ(austria.sections.at(0).points.from, "Innsbruck-Amras");
    EXPECT_EQ(austria.total, 3364);

    std::vector<std::pair<std::string, vemo::Cents>> lines;
    for (const vemo::QuoteLine& line : quote.lines)
        lines.emplace_back(Utf8(line.caption), line.amount.cents);
    EXPECT_EQ(lines,
              (std::vector<std::pair<std::string, vemo::Cents>>{{"Německo: mýtné (bez DPH)", 369},
                                                                {"Rakousko: mýtné bez DPH", 3364},
                                                                {"Rakousko: DPH 20 %", 673},
                                                                {"Rakousko: mýtné s DPH", 4037},
                                                                {"Celkem", 4406}}));
    EXPECT_EQ(quote.savedOn, "1. 12. 2026");
    ASSERT_EQ(quote.comparison.size(), 3u);
    EXPECT_EQ(quote.comparison[0].change.difference, 19);
    EXPECT_EQ(quote.comparison[2].change.saved, 350 + 4037);
}

// A tab without a route is left out of the quote; the sum is there.
TEST(QuoteDocument, EmptyRouteIsLeftOut) {
    const vemo::QuoteDocument quote =
        vemo::BuildQuote(German(), {}, std::nullopt, std::nullopt, testrows::DecimalComma());
    ASSERT_EQ(quote.countries.size(), 1u);
    ASSERT_EQ(quote.lines.size(), 2u);
    EXPECT_EQ(quote.lines[1].amount.cents, 369);
    EXPECT_TRUE(quote.comparison.empty());
}

TEST(QuoteDocument, AxlesInCzech) {
    EXPECT_EQ(Utf8(vemo::AxleCount(1)), "1 náprava");
    EXPECT_EQ(Utf8(vemo::AxleCount(4)), "4 nápravy");
    EXPECT_EQ(Utf8(vemo::AxleCount(5)), "5 náprav");
}

} // namespace
