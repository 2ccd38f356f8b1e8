#include "data/rules/TariffFile.h"

#include "data/rules/SourceText.h"
#include "data/store/DataFile.h"
#include "data/store/Errors.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

[[noreturn]] void Fail(std::string_view fileName, int line, const std::string& what) {
    throw Error::Naming(Cz("Chyba v souboru "), std::string(fileName),
                        Cz(" na řádku ") + std::to_string(line) + ": " + what);
}

// The trimmed fields of a line; empty fields at its end are dropped, as spreadsheets fill every
// line up to the widest one.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t stop = line.find(';', start);
        fields.push_back(Trim(line.substr(start, stop - start)));
        if (stop == std::string_view::npos)
            break;
        start = stop + 1;
    }
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return fields;
}

// "1 sazbu", "3 sazby", "5 sazeb": a count of rates as Czech says it after "má".
std::string RateCount(std::size_t count) {
    const char* word = count == 1 ? "sazbu" : count >= 2 && count <= 4 ? "sazby" : "sazeb";
    return std::to_string(count) + " " + word;
}

class Parser {
public:
    explicit Parser(std::string_view fileName) : fileName_(fileName) {}

    void Line(int number, std::string_view line) {
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.empty())
            return;
        const bool afterAxles = afterAxles_;
        afterAxles_ = false;
        if (fields[0] == Cz("Sazebník")) {
            Finish();
            Start(number, fields);
        } else if (tariffs_.empty()) {
            Fail(fileName_, number, Cz("řádek před prvním řádkem Sazebník"));
        } else if (fields[0] == Cz("Nápravy")) {
            Axles(number, fields);
        } else if (fields[0] == Cz("Hmotnost")) {
            if (!afterAxles)
                Fail(fileName_, number, Cz("řádek Hmotnost musí stát hned za řádkem Nápravy"));
            Weights(number, fields);
        } else {
            Category(number, fields);
        }
    }

    std::vector<GermanTariff> Result() {
        Finish();
        if (tariffs_.empty())
            throw Error::Naming(Cz("Soubor "), std::string(fileName_),
                                Cz(" neobsahuje žádný sazebník"));
        return std::move(tariffs_);
    }

private:
    void Start(int number, const std::vector<std::string_view>& fields) {
        if (fields.size() != 3 || fields[2].empty())
            Fail(fileName_, number, Cz("řádek Sazebník má mít datum platnosti a název"));
        const std::optional<CalendarDate> date = ParseDate(fields[1]);
        if (!date)
            Fail(fileName_, number,
                 Cz("datum ") + Quoted(fields[1]) + Cz(" nelze přečíst (má být d.m.rrrr)"));
        for (const GermanTariff& earlier : tariffs_) {
            if (earlier.validFrom == *date)
                Fail(fileName_, number, Cz("dva sazebníky platné od ") + FormatDate(*date));
        }
        GermanTariff tariff;
        tariff.validFrom = *date;
        tariff.title = std::string(fields[2]);
        tariffs_.push_back(std::move(tariff));
        startLine_ = number;
        finished_ = false;
    }

    void Axles(int number, const std::vector<std::string_view>& fields) {
        GermanTariff& tariff = tariffs_.back();
        if (!tariff.axleColumns.empty())
            Fail(fileName_, number, Cz("druhý řádek Nápravy v jednom sazebníku"));
        if (fields.size() < 2)
            Fail(fileName_, number, Cz("řádek Nápravy bez počtu náprav"));
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::optional<int> axles = ReadWholeNumber(fields[i]);
            if (!axles || *axles < 1)
                Fail(fileName_, number,
                     Cz("počet náprav ") + Quoted(fields[i]) + Cz(" není celé číslo od 1"));
            tariff.axleColumns.push_back(*axles);
        }
        axleLine_ = number;
        afterAxles_ = true;
    }

    // Consecutive equal labels make one weight class.
    void Weights(int number, const std::vector<std::string_view>& fields) {
        GermanTariff& tariff = tariffs_.back();
        if (fields.size() != tariff.axleColumns.size() + 1)
            Fail(fileName_, number,
                 Cz("řádek Hmotnost má mít tolik hmotností, kolik je sloupců náprav (") +
                     std::to_string(tariff.axleColumns.size()) + ")");
        for (std::size_t i = 1; i < fields.size(); ++i) {
            if (fields[i].empty())
                Fail(fileName_, number,
                     Cz("hmotnost ve sloupci ") + std::to_string(i) + Cz(" je prázdná"));
            if (!tariff.weightClasses.empty() && tariff.weightClasses.back().label == fields[i]) {
                ++tariff.weightClasses.back().columns;
                continue;
            }
            for (const WeightClass& earlier : tariff.weightClasses) {
                if (earlier.label == fields[i])
                    Fail(fileName_, number,
                         Cz("hmotnost ") + Quoted(fields[i]) + Cz(" se vrací po jiné hmotnosti"));
            }
            tariff.weightClasses.push_back({std::string(fields[i]), i - 1, 1});
        }
    }

    // The block's columns as the categories will use them: one class without a Hmotnost line,
    // and the axle counts rising within every class.
    void SettleColumns() {
        GermanTariff& tariff = tariffs_.back();
        if (tariff.weightClasses.empty())
            tariff.weightClasses.push_back({"", 0, tariff.axleColumns.size()});
        for (const WeightClass& weights : tariff.weightClasses) {
            for (std::size_t column = weights.firstColumn + 1;
                 column < weights.firstColumn + weights.columns; ++column) {
                if (tariff.axleColumns[column] > tariff.axleColumns[column - 1])
                    continue;
                Fail(fileName_, axleLine_,
                     weights.label.empty() ? Cz("počty náprav nejdou vzestupně")
                                           : Cz("počty náprav ve třídě ") + Quoted(weights.label) +
                                                 Cz(" nejdou vzestupně"));
            }
        }
    }

    void Category(int number, const std::vector<std::string_view>& fields) {
        GermanTariff& tariff = tariffs_.back();
        if (tariff.axleColumns.empty())
            Fail(fileName_, number, Cz("chybí řádek Nápravy před kategorií ") + Quoted(fields[0]));
        if (tariff.categories.empty())
            SettleColumns();
        if (fields[0].empty())
            Fail(fileName_, number, Cz("kategorie nemá název"));
        for (const TariffCategory& category : tariff.categories) {
            if (category.name == fields[0])
                Fail(fileName_, number,
                     Cz("kategorie ") + Quoted(fields[0]) + Cz(" je v sazebníku dvakrát"));
        }
        const std::size_t rates = fields.size() < 2 ? 0 : fields.size() - 2;
        if (rates != tariff.axleColumns.size())
            Fail(fileName_, number,
                 Cz("kategorie ") + Quoted(fields[0]) + Cz(" má ") + RateCount(rates) +
                     Cz(", sloupců náprav je ") + std::to_string(tariff.axleColumns.size()));
        TariffCategory category{std::string(fields[0]), std::string(fields[1]), {}};
        for (std::size_t i = 2; i < fields.size(); ++i) {
            int decimals = 0;
            const std::optional<Decimal> rate = Decimal::Parse(fields[i], &decimals);
            if (!rate)
                Fail(fileName_, number, Cz("sazbu ") + Quoted(fields[i]) + Cz(" nelze přečíst"));
            if (decimals > kMostRateDecimals)
                Fail(fileName_, number,
                     Cz("sazba ") + Quoted(fields[i]) + Cz(" má víc než ") +
                         std::to_string(kMostRateDecimals) + Cz(" desetinných míst"));
            category.rates.push_back(*rate);
            tariff.rateDecimals = std::max(tariff.rateDecimals, decimals);
        }
        tariff.categories.push_back(std::move(category));
    }

    void Finish() {
        if (tariffs_.empty() || finished_)
            return;
        finished_ = true;
        const GermanTariff& tariff = tariffs_.back();
        if (tariff.axleColumns.empty())
            Fail(fileName_, startLine_,
                 Cz("sazebníku ") + Quoted(tariff.title) + Cz(" chybí řádek Nápravy"));
        if (tariff.categories.empty()) {
            SettleColumns();
            Fail(fileName_, startLine_,
                 Cz("sazebník ") + Quoted(tariff.title) + Cz(" nemá žádnou kategorii"));
        }
    }

    std::string_view fileName_;
    std::vector<GermanTariff> tariffs_;
    int startLine_ = 0;
    int axleLine_ = 0;
    // Whether the line before was the block's Nápravy line, which a Hmotnost line must follow.
    bool afterAxles_ = false;
    bool finished_ = false;
};

std::vector<std::string> DecodedLines(const LineTable& table) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(table.Count()));
    for (int i = 0; i < table.Count(); ++i)
        lines.push_back(Base64Decode(table.Get(i)));
    return lines;
}

} // namespace

std::vector<GermanTariff> ParseTariffs(const std::vector<std::string>& lines,
                                       std::string_view fileName) {
    Parser parser(fileName);
    for (std::size_t i = 0; i < lines.size(); ++i)
        parser.Line(static_cast<int>(i + 1), lines[i]);
    return parser.Result();
}

const GermanTariff* FindTariffInForce(const std::vector<GermanTariff>& tariffs,
                                      CalendarDate today) {
    const GermanTariff* inForce = nullptr;
    for (const GermanTariff& tariff : tariffs) {
        if (tariff.validFrom <= today && (!inForce || tariff.validFrom > inForce->validFrom))
            inForce = &tariff;
    }
    return inForce;
}

const GermanTariff& TariffInForce(const std::vector<GermanTariff>& tariffs, CalendarDate today,
                                  std::string_view fileName) {
    const GermanTariff* inForce = FindTariffInForce(tariffs, today);
    if (!inForce) {
        const auto first = std::min_element(
            tariffs.begin(), tariffs.end(),
            [](const GermanTariff& a, const GermanTariff& b) { return a.validFrom < b.validFrom; });
        std::string after = Cz(" neplatí k ") + FormatDate(today) + Cz(" žádný sazebník");
        if (first != tariffs.end())
            after += Cz(" (první platí od ") + FormatDate(first->validFrom) + ")";
        throw Error::Naming(Cz("V souboru "), std::string(fileName), after);
    }
    return *inForce;
}

std::optional<std::vector<GermanTariff>> ReadTariffFile(const std::string& fileName) {
    std::error_code error;
    if (std::filesystem::symlink_status(FilePath(fileName), error).type() ==
        std::filesystem::file_type::not_found)
        return std::nullopt;
    LineTable table;
    table.LoadFromFile(fileName);
    return ParseTariffs(DecodedLines(table), fileName);
}

std::vector<GermanTariff> ReadTariffsOrBuiltIn(const std::string& fileName) {
    std::optional<std::vector<GermanTariff>> tariffs = ReadTariffFile(fileName);
    return tariffs ? std::move(*tariffs) : std::vector<GermanTariff>{BuiltInTariff()};
}

void ConvertTariff(const std::string& source, const std::string& target, CalendarDate today) {
    LineTable table;
    table.LoadFromFile(source);
    SourceToCp1250(table, source);
    TariffInForce(ParseTariffs(table.Lines(), source), today, source);
    LineTable encoded;
    for (int i = 0; i < table.Count(); ++i)
        encoded.Append(Base64Encode(table.Get(i)));
    encoded.SaveToFile(target);
}

} // namespace vemo
