// The route file on arbitrary bytes: refused with a vemo::Error, or a route that, written back
// and read again, is the same route, and whose tolls the quote prices and compares. Anything
// else escaping is a fault.
#include "data/Errors.h"
#include "data/Quote.h"
#include "data/RouteFile.h"

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

void CheckQuote(double germanToll, double austrianNet,
                const std::optional<vemo::ExchangeRate>& rate) {
    vemo::QuoteAmounts q;
    try {
        q = vemo::ComputeQuote(germanToll, austrianNet, rate);
    } catch (const vemo::Error&) {
        return;
    }
    const vemo::QuoteAmount* rows[] = {&q.german, &q.austrianNet, &q.austrianVat,
                                       &q.austrianGross, &q.total};
    for (const vemo::QuoteAmount* row : rows)
        Check(std::isfinite(row->euros) && row->hellers.has_value() == rate.has_value());
    // The koruna column adds up as printed.
    if (rate) {
        Check(*q.austrianGross.hellers == *q.austrianNet.hellers + *q.austrianVat.hellers);
        Check(*q.total.hellers == *q.german.hellers + *q.austrianGross.hellers);
    }
}

void CheckChange(double saved, double today) {
    const vemo::PriceChange change = vemo::ComparePrices(saved, today);
    Check(std::isfinite(change.saved) && std::isfinite(change.today) &&
          std::isfinite(change.difference));
    Check(change.percent.has_value() == (change.saved != 0));
    Check(!change.percent || std::isfinite(*change.percent));
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
        CheckQuote(route.germanToll, route.austrianToll, rate);
    CheckChange(route.germanToll, route.austrianToll);
    CheckChange(route.austrianToll, route.germanToll);
    return 0;
}
