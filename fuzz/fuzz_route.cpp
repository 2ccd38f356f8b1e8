// The route file on arbitrary bytes: refused with a vemo::Error, or a route that, written back
// and read again, is the same route, whose entries bill and whose billed tolls the quote prices
// and compares. Anything else escaping is a fault.
#include "data/documents/Quote.h"
#include "data/documents/RouteFile.h"
#include "data/rules/BilledToll.h"
#include "data/store/Errors.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

void CheckQuote(vemo::Cents germanToll, vemo::Cents austrianNet,
                const std::optional<vemo::ExchangeRate>& rate) {
    vemo::QuoteAmounts q;
    try {
        q = vemo::ComputeQuote(germanToll, austrianNet, rate);
    } catch (const vemo::Error&) {
        return;
    }
    const vemo::QuoteAmount* rows[] = {&q.german, &q.austrianNet, &q.austrianVat, &q.austrianGross,
                                       &q.total};
    for (const vemo::QuoteAmount* row : rows)
        Check(row->hellers.has_value() == rate.has_value());
    // Both columns add up as printed.
    Check(q.total.cents == q.german.cents + q.austrianNet.cents + q.austrianVat.cents);
    if (rate) {
        Check(*q.austrianGross.hellers == *q.austrianNet.hellers + *q.austrianVat.hellers);
        Check(*q.total.hellers == *q.german.hellers + *q.austrianGross.hellers);
    }
}

void CheckChange(vemo::Cents saved, vemo::Cents today) {
    const vemo::PriceChange change = vemo::ComparePrices(saved, today);
    Check(change.difference == today - saved);
    Check(change.percent.has_value() == (saved != 0));
    Check(!change.percent || std::isfinite(*change.percent));
}

// Every entry bills to the cent or is refused as beyond any bill.
void CheckEntries(const vemo::RouteFile& route) {
    const vemo::LocaleSettings locale;
    const vemo::Decimal rate = vemo::Decimal::Of(348, 3);
    for (const vemo::RouteFileEntry& e : route.germanRoute) {
        try {
            const vemo::Cents cents = vemo::BilledGermanSection(e.entry, rate, locale);
            Check((cents < 0 ? -cents : cents) < vemo::kLargestBill);
        } catch (const vemo::Error&) {
        }
    }
    for (const vemo::RouteFileEntry& e : route.austrianRoute) {
        for (int category = -1; category <= 2; ++category) {
            try {
                vemo::BilledAustrianSection(e.entry, category, locale);
            } catch (const vemo::Error&) {
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    vemo::RouteFile route;
    try {
        route = vemo::ParseRouteFile(content, "trasa.txt");
    } catch (const vemo::Error&) {
        return 0;
    }

    // Saved again it reads back as the same route, its tolls as the number format writes them.
    const std::string text = vemo::RouteFileText(route);
    vemo::RouteFile again;
    try {
        again = vemo::ParseRouteFile(text, "trasa.txt");
    } catch (const vemo::Error&) {
        std::abort();
    }
    Check(vemo::RouteFileText(again) == text);
    again.germanToll = route.germanToll;
    again.austrianToll = route.austrianToll;
    Check(again == route);

    // The rates a user may type: none yet, a usual one, the largest and the smallest.
    static const std::optional<vemo::ExchangeRate> rates[] = {
        std::nullopt, vemo::ParseExchangeRate("25,10"), vemo::ParseExchangeRate("999999,999999"),
        vemo::ParseExchangeRate("0,000001")};
    Check(rates[1] && rates[2] && rates[3]);
    for (const auto& rate : rates)
        CheckQuote(route.germanBilled, route.austrianBilled, rate);
    CheckChange(route.germanBilled, route.austrianBilled);
    CheckChange(route.austrianBilled, route.germanBilled);
    CheckEntries(route);
    return 0;
}
