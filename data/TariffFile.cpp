#include "data/TariffFile.h"

#include "data/DataFile.h"
#include "data/Errors.h"
#include "data/SourceText.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

// Czech messages are written here in UTF-8 and carried as Windows-1250, like every message.
std::string Cz(std::string_view utf8) {
    return Utf8ToCp1250(utf8);
}

// „text“ in Czech quotation marks (0x84 and 0x93 in Windows-1250).
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\x84';
    quoted.append(text);
    quoted += '\x93';
    return quoted;
}

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

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A rate: digits with a decimal comma or point, no sign; the number of decimals in decimals.
std::optional<double> Rate(std::string_view text, int& decimals) {
    std::string number(text);
    const std::size_t separator = number.find_first_of(",.");
    if (separator != std::string::npos)
        number[separator] = '.';
    const bool digitsOnly = std::all_of(number.begin(), number.end(),
                                        [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
    if (!digitsOnly || number.find_first_of("0123456789") == std::string::npos ||
        number.find('.') != number.rfind('.'))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    decimals = separator == std::string::npos ? 0 : static_cast<int>(number.size() - separator - 1);
    return value;
}

class Parser {
public:
    explicit Parser(std::string_view fileName) : fileName_(fileName) {}

    void Line(int number, std::string_view line) {
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.empty())
            return;
        if (fields[0] == Cz("Sazebník")) {
            Finish();
            Start(number, fields);
        } else if (tariffs_.empty()) {
            Fail(fileName_, number, Cz("řádek před prvním řádkem Sazebník"));
        } else if (fields[0] == Cz("Nápravy")) {
            Axles(number, fields);
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
            const std::optional<int> axles = WholeNumber(fields[i]);
            if (!axles || *axles < 1)
                Fail(fileName_, number,
                     Cz("počet náprav ") + Quoted(fields[i]) + Cz(" není celé číslo od 1"));
            if (!tariff.axleColumns.empty() && *axles <= tariff.axleColumns.back())
                Fail(fileName_, number, Cz("počty náprav nejdou vzestupně"));
            tariff.axleColumns.push_back(*axles);
        }
    }

    void Category(int number, const std::vector<std::string_view>& fields) {
        GermanTariff& tariff = tariffs_.back();
        if (tariff.axleColumns.empty())
            Fail(fileName_, number, Cz("chybí řádek Nápravy před kategorií ") + Quoted(fields[0]));
        for (const TariffCategory& category : tariff.categories) {
            if (category.name == fields[0])
                Fail(fileName_, number,
                     Cz("kategorie ") + Quoted(fields[0]) + Cz(" je v sazebníku dvakrát"));
        }
        const std::size_t rates = fields.size() < 2 ? 0 : fields.size() - 2;
        if (rates != tariff.axleColumns.size())
            Fail(fileName_, number,
                 Cz("kategorie ") + Quoted(fields[0]) + Cz(" má ") + std::to_string(rates) +
                     Cz(" sazeb, sloupců náprav je ") + std::to_string(tariff.axleColumns.size()));
        TariffCategory category{std::string(fields[0]), std::string(fields[1]), {}};
        for (std::size_t i = 2; i < fields.size(); ++i) {
            int decimals = 0;
            const std::optional<double> rate = Rate(fields[i], decimals);
            if (!rate)
                Fail(fileName_, number, Cz("sazbu ") + Quoted(fields[i]) + Cz(" nelze přečíst"));
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
        if (tariff.categories.empty())
            Fail(fileName_, startLine_,
                 Cz("sazebník ") + Quoted(tariff.title) + Cz(" nemá žádnou kategorii"));
    }

    std::string_view fileName_;
    std::vector<GermanTariff> tariffs_;
    int startLine_ = 0;
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

std::optional<CalendarDate> ParseDate(std::string_view text) {
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::size_t dot = i < 2 ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return std::nullopt;
        const std::optional<int> part = WholeNumber(Trim(text.substr(0, dot)));
        if (!part)
            return std::nullopt;
        parts[i] = *part;
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    const CalendarDate date{parts[2], parts[1], parts[0]};
    if (date.year < 1000 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return std::nullopt;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int days = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
    if (date.day > days)
        return std::nullopt;
    return date;
}

std::vector<GermanTariff> ParseTariffs(const std::vector<std::string>& lines,
                                       std::string_view fileName) {
    Parser parser(fileName);
    for (std::size_t i = 0; i < lines.size(); ++i)
        parser.Line(static_cast<int>(i + 1), lines[i]);
    return parser.Result();
}

const GermanTariff& TariffInForce(const std::vector<GermanTariff>& tariffs, CalendarDate today,
                                  std::string_view fileName) {
    const GermanTariff* inForce = nullptr;
    const GermanTariff* first = nullptr;
    for (const GermanTariff& tariff : tariffs) {
        if (tariff.validFrom <= today && (!inForce || tariff.validFrom > inForce->validFrom))
            inForce = &tariff;
        if (!first || tariff.validFrom < first->validFrom)
            first = &tariff;
    }
    if (!inForce) {
        std::string after = Cz(" neplatí k ") + FormatDate(today) + Cz(" žádný sazebník");
        if (first)
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

GermanTariff StartupTariff(const std::string& fileName, CalendarDate today) {
    const std::optional<std::vector<GermanTariff>> tariffs = ReadTariffFile(fileName);
    if (!tariffs)
        return BuiltInTariff();
    return TariffInForce(*tariffs, today, fileName);
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
