#include "data/documents/RouteFile.h"

#include "data/documents/Quote.h"
#include "data/rules/BilledToll.h"
#include "data/rules/TariffFile.h"
#include "data/store/Errors.h"
#include "data/store/UserFile.h"
#include "text/Cp1250.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace vemo {

namespace {

// Record names, in UTF-8 as the file holds them.
constexpr std::string_view kFormat = "Vemo Maut trasa";
constexpr std::string_view kVersion = "2";
// The first version, without weight class and billed tolls, is still read.
constexpr std::string_view kFirstVersion = "1";
constexpr std::string_view kSaved = "Uloženo";
constexpr std::string_view kTariff = "Sazebník";
constexpr std::string_view kGerman = "Německo";
constexpr std::string_view kAustrian = "Rakousko";
constexpr std::string_view kGermanEntry = "Německo úsek";
constexpr std::string_view kAustrianEntry = "Rakousko úsek";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The significant digits the number format writes at most.
constexpr std::size_t kTollDigits = 10;

// A Windows-1250 text as one field of a line.
std::string Field(std::string_view cp1250) {
    std::string field;
    for (const char c : Cp1250ToUtf8(cp1250)) {
        switch (c) {
        case '\\':
            field += "\\\\";
            break;
        case '\t':
            field += "\\t";
            break;
        case '\n':
            field += "\\n";
            break;
        case '\r':
            field += "\\r";
            break;
        default:
            field += c;
        }
    }
    return field;
}

// The significant digits and the decimals of a number written as the number format writes it
// with a point ("-1.5E-7", "2.145"); nothing for any other text.
struct DecimalShape {
    std::size_t digits = 0;
    long long decimals = 0;
};

std::optional<DecimalShape> ShapeOf(std::string_view text) {
    const auto digit = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    std::size_t i = text.starts_with('-') ? 1 : 0;
    std::string mantissa;
    long long fraction = 0;
    bool point = false;
    for (; digit(i) || (i < text.size() && text[i] == '.' && !point); ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        mantissa += text[i];
        if (point)
            ++fraction;
    }
    if (mantissa.empty())
        return std::nullopt;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (!digit(i))
            return std::nullopt;
        // Held at a bound far beyond any double, so that no count of digits overflows.
        for (; digit(i); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;
    const std::size_t first = mantissa.find_first_not_of('0');
    if (first == std::string::npos)
        return DecimalShape{};
    const std::size_t last = mantissa.find_last_not_of('0');
    const auto trailingZeros = static_cast<long long>(mantissa.size() - 1 - last);
    return DecimalShape{last + 1 - first, std::max(0LL, fraction - trailingZeros - exponent)};
}

// A toll as the file keeps it. A total may hold digits beyond a quote's last decimal (what is
// left after sections of many digits were taken off): they come to no heller, and are dropped
// so that the file reads back.
std::string Amount(double value) {
    // 10^Decimal::kMaxScale, exact in a double.
    constexpr double kScale = [] {
        double scale = 1;
        for (int i = 0; i < Decimal::kMaxScale; ++i)
            scale *= 10;
        return scale;
    }();
    std::string text = FormatNumber(value, LocaleSettings());
    const std::optional<DecimalShape> shape = ShapeOf(text);
    if (shape && shape->decimals > Decimal::kMaxScale)
        text = FormatNumber(std::round(value * kScale) / kScale, LocaleSettings());
    return text;
}

std::string Line(std::initializer_list<std::string_view> fields) {
    std::string line;
    for (const std::string_view field : fields) {
        if (!line.empty())
            line += '\t';
        line.append(field);
    }
    return line + '\n';
}

// The backslash at pos and the whole character after it, if any.
std::string_view EscapeAt(std::string_view text, std::size_t pos) {
    std::size_t end = std::min(pos + 2, text.size());
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return text.substr(pos, end - pos);
}

class Parser {
public:
    explicit Parser(std::string_view shownName) : shownName_(shownName) {}

    RouteFile Parse(std::string_view content) {
        if (content.starts_with(kByteOrderMark))
            content.remove_prefix(kByteOrderMark.size());
        RouteFile route;
        std::set<std::string_view> seen;
        for (std::size_t start = 0; start <= content.size(); ++line_) {
            std::size_t end = content.find('\n', start);
            if (end == std::string_view::npos)
                end = content.size();
            std::string_view text = content.substr(start, end - start);
            start = end + 1;
            if (text.ends_with('\r'))
                text.remove_suffix(1);
            if (line_ == 1) {
                FirstLine(text);
                continue;
            }
            if (text.empty())
                continue;
            CheckBytes(text);
            Record(Fields(text), route, seen);
        }
        for (const std::string_view name : {kSaved, kGerman, kAustrian}) {
            if (!seen.contains(name)) {
                line_ = 0;
                Fail(Cz("chybí záznam ") + Quoted(Cz(name)));
            }
        }
        return route;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        std::string message =
            Cz("Soubor ") + std::string(shownName_) + Cz(" není platný soubor trasy (");
        if (line_ > 0)
            message += Cz("řádek ") + std::to_string(line_) + ": ";
        throw Error(message + what + ")");
    }

    // The program writes UTF-8 and never a NUL, which would also end a data file's read.
    void CheckBytes(std::string_view text) const {
        if (text.find('\0') != std::string_view::npos)
            Fail(Cz("obsahuje nulový bajt"));
        if (!IsUtf8(text))
            Fail(Cz("text není v kódování UTF-8"));
    }

    void FirstLine(std::string_view text) {
        const std::size_t tab = text.find('\t');
        if (text.substr(0, tab) != kFormat || tab == std::string_view::npos)
            throw Error(Cz("Soubor ") + std::string(shownName_) +
                        Cz(" není soubor trasy programu Vemo Maut"));
        const std::string_view version = text.substr(tab + 1);
        CheckBytes(version);
        firstVersion_ = version == kFirstVersion;
        if (version != kVersion && !firstVersion_)
            throw Error(Cz("Soubor ") + std::string(shownName_) + Cz(" je trasa ve formátu ") +
                        Quoted(Utf8ToCp1250(version)) + Cz(", který tato verze programu nezná"));
    }

    // The fields of a line, their escapes undone.
    std::vector<std::string> Fields(std::string_view text) const {
        std::vector<std::string> fields(1);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\t') {
                fields.emplace_back();
            } else if (c != '\\') {
                fields.back() += c;
            } else {
                const std::size_t escape = i++;
                const char next = i < text.size() ? text[i] : '\0';
                switch (next) {
                case '\\':
                    fields.back() += '\\';
                    break;
                case 't':
                    fields.back() += '\t';
                    break;
                case 'n':
                    fields.back() += '\n';
                    break;
                case 'r':
                    fields.back() += '\r';
                    break;
                default:
                    Fail(Cz("neznámá posloupnost ") + Quoted(Utf8ToCp1250(EscapeAt(text, escape))));
                }
            }
        }
        return fields;
    }

    void Record(const std::vector<std::string>& fields, RouteFile& route,
                std::set<std::string_view>& seen) {
        const std::string_view name = fields[0];
        const auto expect = [&](std::size_t count, std::string_view record) {
            if (fields.size() != count)
                Fail(Cz("záznam ") + Quoted(Cz(record)) + Cz(" má mít ") +
                     std::to_string(count - 1) + Cz(" pole za názvem"));
            if (record != kGermanEntry && record != kAustrianEntry && !seen.insert(record).second)
                Fail(Cz("záznam ") + Quoted(Cz(record)) + Cz(" je v souboru podruhé"));
        };
        if (name == kSaved) {
            expect(2, kSaved);
            const std::optional<CalendarDate> date = ParseDate(fields[1]);
            if (!date)
                Fail(Cz("datum ") + Quoted(Cz(fields[1])) + Cz(" není platné"));
            route.saved = *date;
        } else if (name == kTariff) {
            expect(2, kTariff);
            route.tariff = Cz(fields[1]);
        } else if (name == kGerman) {
            // Version 1: category, axles, toll; then the weight class after the category and
            // the billed toll at the end.
            expect(firstVersion_ ? 4 : 6, kGerman);
            const std::size_t shift = firstVersion_ ? 0 : 1;
            route.germanCategory = Cz(fields[1]);
            if (!firstVersion_)
                route.weightClass = Cz(fields[2]);
            route.axles = Axles(fields[2 + shift]);
            route.germanToll = Toll(fields[3 + shift]);
            route.germanBilled = firstVersion_ ? ToCents(route.germanToll) : Billed(fields[5]);
        } else if (name == kAustrian) {
            expect(firstVersion_ ? 3 : 4, kAustrian);
            route.austrianCategory = AustrianCategory(fields[1]);
            route.austrianToll = Toll(fields[2]);
            route.austrianBilled = firstVersion_ ? ToCents(route.austrianToll) : Billed(fields[3]);
        } else if (name == kGermanEntry) {
            expect(3, kGermanEntry);
            route.germanRoute.push_back({Cz(fields[1]), Cz(fields[2])});
        } else if (name == kAustrianEntry) {
            expect(3, kAustrianEntry);
            route.austrianRoute.push_back({Cz(fields[1]), Cz(fields[2])});
        } else {
            Fail(Cz("neznámý záznam ") + Quoted(Cz(name)));
        }
    }

    int Axles(std::string_view text) const {
        const std::optional<int> axles =
            text.starts_with('+') ? std::nullopt : ReadWholeNumber(text);
        if (!axles || *axles < kFewestAxles || *axles > kMostAxles)
            Fail(Cz("počet náprav ") + Quoted(Cz(text)) + Cz(" není celé číslo od ") +
                 std::to_string(kFewestAxles) + Cz(" do ") + std::to_string(kMostAxles));
        return *axles;
    }

    // A toll as the program writes it, read back exactly: a quote takes it as the number
    // format writes it, to its last decimal.
    double Toll(std::string_view text) const {
        const std::optional<DecimalShape> shape = ShapeOf(text);
        if (!shape)
            FailToll(text, "není číslo s desetinnou tečkou");
        if (shape->digits > kTollDigits)
            FailToll(text, "má více než " + std::to_string(kTollDigits) + " platných číslic");
        if (shape->decimals > Decimal::kMaxScale)
            FailToll(text,
                     "má více než " + std::to_string(Decimal::kMaxScale) + " desetinných míst");
        // The number parse reads every such text; it fails only where a double overflows.
        const std::optional<double> toll = ReadNumber(text, LocaleSettings());
        if (!toll || std::fabs(*toll) >= kLargestQuoteAmount)
            FailToll(text, "je příliš velké");
        return *toll;
    }

    [[noreturn]] void FailToll(std::string_view text, std::string_view whyUtf8) const {
        Fail(Cz("mýtné ") + Quoted(Cz(text)) + " " + Cz(whyUtf8));
    }

    // A billed toll: cents as the unit with a decimal point and two decimals, "2.30", "-0.05".
    Cents Billed(std::string_view text) const {
        const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
        const std::size_t point = digits.find('.');
        int decimals = 0;
        const std::optional<Decimal> amount =
            point == std::string_view::npos ? std::nullopt : Decimal::Parse(digits, &decimals);
        const std::optional<Cents> cents = amount ? amount->Hundredths() : std::nullopt;
        if (!cents || decimals != 2 || point == 0 || *cents >= kLargestBill)
            Fail(Cz("vyúčtované mýtné ") + Quoted(Cz(text)) +
                 Cz(" není částka s desetinnou tečkou a dvěma desetinnými místy"));
        return text.starts_with('-') ? -*cents : *cents;
    }

    // A total of the first version as a billed toll: rounded to the cent.
    static Cents ToCents(double toll) {
        // Toll() has refused what is not finite or too large for a bill.
        return *Decimal::FromDouble(toll)->Hundredths();
    }

    std::string AustrianCategory(std::string_view text) const {
        const std::string category = Cz(text);
        if (category.empty())
            return category; // none chosen
        for (int i = 0; i < kAustrianCategoryCount; ++i) {
            if (AustrianCategoryName(i) == category)
                return category;
        }
        Fail(Cz("rakouská kategorie ") + Quoted(category) + Cz(" neexistuje"));
    }

    std::string_view shownName_;
    int line_ = 1;
    bool firstVersion_ = false;
};

} // namespace

std::string RouteFileText(const RouteFile& route) {
    std::string text = Line({kFormat, kVersion});
    text += Line({kSaved, FormatDate(route.saved, ".")});
    text += Line({kTariff, Field(route.tariff)});
    text += Line({kGerman, Field(route.germanCategory), Field(route.weightClass),
                  std::to_string(route.axles), Amount(route.germanToll),
                  FormatHundredths(route.germanBilled, LocaleSettings())});
    text += Line({kAustrian, Field(route.austrianCategory), Amount(route.austrianToll),
                  FormatHundredths(route.austrianBilled, LocaleSettings())});
    for (const RouteFileEntry& e : route.germanRoute)
        text += Line({kGermanEntry, Field(e.motorway), Field(e.entry)});
    for (const RouteFileEntry& e : route.austrianRoute)
        text += Line({kAustrianEntry, Field(e.motorway), Field(e.entry)});
    return text;
}

RouteFile ParseRouteFile(std::string_view content, std::string_view shownName) {
    return Parser(shownName).Parse(content);
}

void SaveRouteFile(const std::string& fileName, std::string_view shownName,
                   const RouteFile& route) {
    SaveUserFile(fileName, shownName, RouteFileText(route));
}

RouteFile ReadRouteFile(const std::string& fileName, std::string_view shownName) {
    return ParseRouteFile(ReadUserFile(fileName, shownName, kLargestRouteFile), shownName);
}

} // namespace vemo
