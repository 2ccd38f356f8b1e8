// The tariff source and the tariff file on arbitrary bytes, read as the conversion and the
// calculator read them: refused with a vemo::Error, or tariffs that keep their promises, and the
// one in force on a day the latest that has started. Anything else escaping is a fault.
#include "data/rules/SourceText.h"
#include "data/rules/Tariff.h"
#include "data/rules/TariffFile.h"
#include "data/store/Errors.h"
#include "data/store/LineTable.h"
#include "text/BaseXCodec.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

// Before and on the built-in tariff's day, a day of today, the ends of the years a date holds.
const vemo::CalendarDate kDays[] = {{1, 1, 1}, {2005, 1, 1}, {2026, 12, 8}, {9999, 12, 31}};

// The column of a weight class for axles: the largest count not above it, the class's first
// below every count.
std::size_t ColumnOf(const std::vector<int>& columns, const vemo::WeightClass& weights, int axles) {
    std::size_t column = weights.firstColumn;
    for (std::size_t i = weights.firstColumn; i < weights.firstColumn + weights.columns; ++i) {
        if (columns[i] <= axles)
            column = i;
    }
    return column;
}

void CheckTariff(const vemo::GermanTariff& tariff) {
    const std::vector<int>& columns = tariff.axleColumns;
    Check(!columns.empty() && columns.front() >= 1 && !tariff.weightClasses.empty());
    // The classes take the columns side by side, and the counts rise within each.
    std::size_t next = 0;
    for (const vemo::WeightClass& weights : tariff.weightClasses) {
        Check(weights.firstColumn == next && weights.columns >= 1);
        next += weights.columns;
        for (std::size_t i = weights.firstColumn + 1; i < next; ++i)
            Check(columns[i - 1] < columns[i]);
    }
    Check(next == columns.size() &&
          tariff.HeaviestClass() + 1 == static_cast<int>(tariff.weightClasses.size()));
    Check(!tariff.categories.empty() && tariff.rateDecimals >= 2);
    std::vector<int> counts = {0, INT_MAX};
    for (const int column : columns)
        counts.insert(counts.end(), {column - 1, column, column + (column < INT_MAX)});
    const int count = static_cast<int>(tariff.categories.size());
    const int classes = static_cast<int>(tariff.weightClasses.size());
    for (int c = 0; c < count; ++c) {
        const auto& rates = tariff.categories[static_cast<std::size_t>(c)].rates;
        Check(rates.size() == columns.size());
        for (const vemo::Decimal& rate : rates)
            Check(std::isfinite(rate.ToDouble()) && rate.ToDouble() >= 0);
        for (int w = 0; w < classes; ++w) {
            const vemo::WeightClass& weights = tariff.weightClasses[static_cast<std::size_t>(w)];
            for (const int axles : counts)
                Check(tariff.Rate({c, w, axles}) == rates[ColumnOf(columns, weights, axles)]);
        }
        Check(tariff.Description(c).has_value());
    }
    Check(!tariff.Rate({-1, 0, 3}) && !tariff.Rate({count, 0, 3}) && !tariff.Rate({0, -1, 3}) &&
          !tariff.Rate({0, classes, 3}) && !tariff.Description(count));
    Check(!tariff.Label().empty() && !tariff.AxleSteps().empty());
}

void CheckTariffs(const std::vector<std::string>& lines, std::string_view fileName) {
    std::vector<vemo::GermanTariff> tariffs;
    try {
        tariffs = vemo::ParseTariffs(lines, fileName);
    } catch (const vemo::Error&) {
        return;
    }
    Check(!tariffs.empty());
    for (std::size_t i = 0; i < tariffs.size(); ++i) {
        CheckTariff(tariffs[i]);
        for (std::size_t j = 0; j < i; ++j)
            Check(!(tariffs[i].validFrom == tariffs[j].validFrom));
    }
    for (const vemo::CalendarDate& day : kDays) {
        const vemo::GermanTariff* latest = nullptr;
        for (const vemo::GermanTariff& tariff : tariffs) {
            if (tariff.validFrom <= day && (!latest || latest->validFrom < tariff.validFrom))
                latest = &tariff;
        }
        try {
            Check(&vemo::TariffInForce(tariffs, day, fileName) == latest);
        } catch (const vemo::Error&) {
            Check(!latest);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // The source as "encode --tariff" and the "Data" button check it: Windows-1250 or UTF-8.
    vemo::LineTable source;
    source.LoadFromBytes(input);
    const std::vector<std::string> before = source.Lines();
    try {
        vemo::SourceToCp1250(source, vemo::kTariffSourceFile);
        CheckTariffs(source.Lines(), vemo::kTariffSourceFile);
    } catch (const vemo::Error&) {
        Check(source.Lines() == before);
    }

    // The file as the calculator reads it at start: one Base64 line per source line.
    vemo::LineTable file;
    file.LoadFromBytes(input);
    std::vector<std::string> decoded;
    for (int i = 0; i < file.Count(); ++i)
        decoded.push_back(vemo::Base64Decode(file.Get(i)));
    CheckTariffs(decoded, vemo::kTariffFile);
    return 0;
}
