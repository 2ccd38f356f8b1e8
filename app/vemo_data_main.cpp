// vemo-data: the maintainer's command-line view of the data layer. Every result comes from the
// data layer as the window would get it; this file only parses arguments and prints.

#include "app/ConsoleOutput.h"
#include "data/rules/Conversion.h"
#include "data/rules/LocaleCollation.h"
#include "data/rules/MotorwayIndex.h"
#include "data/rules/NumberCheck.h"
#include "data/rules/Tariff.h"
#include "data/rules/TariffFile.h"
#include "data/rules/TollData.h"
#include "data/store/Errors.h"
#include "data/store/LineTable.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"

#include <QDate>
#include <QLocale>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cwchar>
#include <shellapi.h>
#endif
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The usage text, in lines of at most 79 columns: an 80-column console wraps a full line.
constexpr const char* kUsage =
    "Použití: vemo-data [--raw] PŘÍKAZ ARGUMENTY\n"
    "\n"
    "  decode SOUBOR\n"
    "      všechny řádky SOUBORU dekódované, včetně záhlaví\n"
    "  encode [--austrian] ZDROJ [CÍL]\n"
    "      převede zdrojové CSV na datový soubor CÍL, bez něj na data.sdf\n"
    "      (s --austrian na data2.sdf), jako tlačítko \"Data\" v okně\n"
    "  encode --tariff ZDROJ [CÍL]\n"
    "      zkontroluje zdroj sazebníků (sazby.csv) tak, jak by ho dnes četla\n"
    "      kalkulačka, a převede ho na CÍL, bez něj na sazby.sdf\n"
    "  tariff [--date D.M.RRRR] [SOUBOR]\n"
    "      všechny sazebníky ze SOUBORU, bez něj ze sazby.sdf; sazebník platný\n"
    "      ke dni (bez --date dnes) označí znakem *\n"
    "  motorways [--austrian] SOUBOR\n"
    "      dálnice ze SOUBORU, jedna na řádek, v pořadí výběru v okně\n"
    "  sections [--austrian] SOUBOR DÁLNICE\n"
    "      úseky DÁLNICE zadané tak, jak ji ukazuje výběr (\"A3\")\n"
    "  check [--austrian] SOUBOR\n"
    "      řádky s čísly, která se nedají přečíst (viz níže; řádky se počítají\n"
    "      od 1 za záhlavím); jsou-li nějaké, končí s návratovým kódem 1\n"
    "\n"
    "  --austrian  rakouská data (data2.sdf, au_maut.csv) místo německých\n"
    "  --tariff    sazebníky (sazby.sdf, sazby.csv) místo dat úseků\n"
    "  --date      den, podle kterého se určí platný sazebník\n"
    "  --raw       texty jako bajty ve Windows-1250\n"
    "  --help      vypíše tento text\n"
    "  --version   vypíše verzi\n"
    "\n"
    "Návratový kód: 0 hotovo, 1 chyba souboru nebo nalezené problémy, 2 chybné\n"
    "argumenty.\n"
#ifdef _WIN32
    "Bez --raw píše do konzole Unicode, do souboru nebo roury UTF-8. Čísla a řazení\n"
    "se řídí místním nastavením Windows (Nastavení > Čas a jazyk > Oblast).\n"
    "Kalkulačka čte délky a částky s desetinnou čárkou i tečkou; příkaz check\n"
    "najde čísla, která nastavení neodpovídají. Podrobnosti: README.txt u programu.\n";
#else
    "Bez --raw píše texty v UTF-8. Čísla a řazení se řídí národním prostředím\n"
    "(LC_ALL, LC_NUMERIC, LANG). Kalkulačka čte délky a částky s desetinnou\n"
    "čárkou i tečkou; příkaz check najde čísla, která prostředí neodpovídají.\n"
    "Podrobnosti: man vemo-data.\n";
#endif

// After a usage error: the first line of the usage text and where the rest is.
constexpr const char* kUsageHint =
    "Použití: vemo-data [--raw] PŘÍKAZ ARGUMENTY; nápověda: vemo-data --help\n";

struct Options {
    bool austrian = false;
    bool tariff = false;
    std::optional<vemo::CalendarDate> date;
    bool raw = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> words;
};

// What is wrong, in the tool's words, and the command-line word it concerns, shown as given.
struct UsageError {
    std::string reason;
    std::string word;
};

// The words after the program's name: bytes as typed on Linux; UTF-8 from the wide command line
// on Windows, whose ANSI argv cannot hold every file name.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    static_cast<void>(argc);
    static_cast<void>(argv);
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> words;
    for (int i = 1; wide && i < count; ++i) {
        const int wideSize = static_cast<int>(std::wcslen(wide[i]));
        const int size =
            WideCharToMultiByte(CP_UTF8, 0, wide[i], wideSize, nullptr, 0, nullptr, nullptr);
        std::string word(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], wideSize, word.data(), size, nullptr, nullptr);
        words.push_back(std::move(word));
    }
    LocalFree(wide);
    return words;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

// Reads args into options. A fault is thrown only once every option is read, so that --raw
// holds for its message wherever it stands.
void ParseArguments(const std::vector<std::string>& args, Options& options) {
    std::optional<UsageError> fault;
    const auto refuse = [&fault](UsageError error) {
        if (!fault)
            fault = std::move(error);
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.words.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--austrian") {
            options.austrian = true;
        } else if (arg == "--tariff") {
            options.tariff = true;
        } else if (arg == "--date") {
            if (++i == args.size()) {
                refuse({"volba --date potřebuje datum (D.M.RRRR)", ""});
                break;
            }
            options.date = vemo::ParseDate(args[i]);
            if (!options.date)
                refuse({"volba --date: není datum (D.M.RRRR): ", args[i]});
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            refuse({"neznámá volba ", std::string(arg)});
        }
    }
    if (fault)
        throw *fault;
}

class Printer {
public:
    explicit Printer(bool raw) : raw_(raw) {}

    std::string Text(std::string_view cp1250) const {
        return raw_ ? std::string(cp1250) : vemo::Cp1250ToUtf8(cp1250);
    }
    // Command-line text to the data's Windows-1250.
    std::string Argument(std::string_view arg) const {
#ifdef _WIN32
        // Windows arguments are text, taken as UTF-8 whatever the output mode.
        return vemo::Utf8ToCp1250(arg);
#else
        return raw_ ? std::string(arg) : vemo::Utf8ToCp1250(arg);
#endif
    }
    // A command-line word shown back in a message, in the output's encoding.
    std::string Echo(std::string_view arg) const {
#ifdef _WIN32
        return raw_ ? vemo::Utf8ToCp1250(arg) : std::string(arg);
#else
        return std::string(arg);
#endif
    }
    // The tool's own words, UTF-8 in the source, in the output's encoding.
    std::string Own(std::string_view utf8) const {
        return raw_ ? vemo::Utf8ToCp1250(utf8) : std::string(utf8);
    }
    // An error's message and reason: the words in the output's encoding, the file name as the
    // user typed it.
    std::string Message(const vemo::Error& error) const {
        return raw_ ? error.Message() : error.Utf8Message();
    }
    std::string Reason(const vemo::Error& error) const {
        return raw_ ? vemo::Utf8ToCp1250(error.Reason()) : error.Reason();
    }
    void Line(std::string_view cp1250) const {
        if (raw_) {
            // Raw lines go out as they are, without a copy each, on a console too.
            std::fwrite(cp1250.data(), 1, cp1250.size(), stdout);
            std::fputc('\n', stdout);
        } else {
            vemo::WriteText(stdout, Text(cp1250) + '\n');
        }
    }
    // Text already in the output's encoding, to stream.
    void Write(std::FILE* stream, std::string_view text) const {
        if (raw_)
            std::fwrite(text.data(), 1, text.size(), stream);
        else
            vemo::WriteText(stream, text);
    }

private:
    bool raw_;
};

void Expect(const Options& options, std::size_t minWords, std::size_t maxWords,
            bool austrianAllowed, bool tariffAllowed = false, bool dateAllowed = false) {
    if (options.words.size() < minWords || options.words.size() > maxWords)
        throw UsageError{"nesprávný počet argumentů příkazu ", options.words[0]};
    if (options.austrian && !austrianAllowed)
        throw UsageError{"volba --austrian neplatí pro příkaz ", options.words[0]};
    if (options.tariff && !tariffAllowed)
        throw UsageError{"volba --tariff neplatí pro příkaz ", options.words[0]};
    if (options.date && !dateAllowed)
        throw UsageError{"volba --date neplatí pro příkaz ", options.words[0]};
    if (options.austrian && options.tariff)
        throw UsageError{"volby --austrian a --tariff se navzájem vylučují", ""};
}

// The system's error code for a file that does not exist.
#ifdef _WIN32
constexpr int kFileNotFound = ERROR_FILE_NOT_FOUND;
#else
constexpr int kFileNotFound = ENOENT;
#endif

vemo::CalendarDate Today() {
    return vemo::ToCalendarDate(QDate::currentDate());
}

// Every tariff with its columns and rates; the one in force on date is marked "*".
int ListTariffs(const Options& options, const Printer& out) {
    const bool fileNamed = options.words.size() > 1;
    const std::string fileName = fileNamed ? options.words[1] : std::string(vemo::kTariffFile);
    const vemo::CalendarDate date = options.date.value_or(Today());
    const vemo::LocaleSettings locale = vemo::LocaleNumberSettings(QLocale::system());
    std::optional<std::vector<vemo::GermanTariff>> tariffs = vemo::ReadTariffFile(fileName);
    // A file the user names must be there: the built-in tariff stands in only for sazby.sdf, as
    // in the calculator, and would hide a mistyped name.
    if (!tariffs && fileNamed)
        throw vemo::FileError(fileName, vemo::SystemReason(kFileNotFound));
    if (!tariffs) {
        // As for an empty listing, the note goes to stderr and stdout keeps the listing alone.
        out.Write(stderr, out.Own("vemo-data: soubor ") + out.Echo(fileName) +
                              out.Own(" neexistuje; kalkulačka počítá s vestavěným sazebníkem\n"));
        tariffs = std::vector<vemo::GermanTariff>{vemo::BuiltInTariff()};
    }
    const vemo::GermanTariff* inForce = nullptr;
    std::optional<vemo::Error> noneInForce;
    try {
        inForce = &vemo::TariffInForce(*tariffs, date, fileName);
    } catch (const vemo::Error& error) {
        noneInForce = error;
    }
    for (const vemo::GermanTariff& tariff : *tariffs) {
        out.Line((&tariff == inForce ? "* " : "  ") + tariff.Label());
        // Each weight class with the axle counts of its columns; the rates of a category by class.
        const auto columnsOf = [](const vemo::WeightClass& weights, auto&& item) {
            std::string text;
            for (std::size_t c = weights.firstColumn; c < weights.firstColumn + weights.columns;
                 ++c)
                text += ' ' + item(c);
            return text;
        };
        for (const vemo::WeightClass& weights : tariff.weightClasses) {
            const std::string head = weights.label.empty()
                                         ? vemo::Utf8ToCp1250("    Nápravy od:")
                                         : vemo::Utf8ToCp1250("    Hmotnost ") + weights.label +
                                               vemo::Utf8ToCp1250(", nápravy od:");
            out.Line(head + columnsOf(weights, [&tariff](std::size_t c) {
                         return std::to_string(tariff.axleColumns[c]);
                     }));
        }
        for (const vemo::TariffCategory& category : tariff.categories) {
            std::string line = "    " + category.name + ":";
            for (const vemo::WeightClass& weights : tariff.weightClasses) {
                if (&weights != &tariff.weightClasses.front())
                    line += " |";
                line += columnsOf(weights, [&](std::size_t c) {
                    return category.rates[c].Text(locale.decimalSeparator);
                });
            }
            if (!category.description.empty())
                line += " (" + category.description + ")";
            out.Line(line);
        }
    }
    if (!inForce)
        throw *noneInForce;
    return 0;
}

vemo::LineTable Load(const std::string& fileName) {
    vemo::LineTable table;
    table.LoadFromFile(fileName);
    return table;
}

int Run(const Options& options, const Printer& out) {
    const std::string& command = options.words[0];
    if (command == "decode") {
        Expect(options, 2, 2, false);
        const vemo::LineTable table = Load(options.words[1]);
        for (int i = 0; i < table.Count(); ++i)
            out.Line(vemo::Base64Decode(table.Get(i)));
        return 0;
    }
    if (command == "encode") {
        Expect(options, 2, 3, true, true);
        const std::string target = options.words.size() > 2
                                       ? options.words[2]
                                       : (options.austrian ? vemo::kAustrianDataFile
                                          : options.tariff ? vemo::kTariffFile
                                                           : vemo::kGermanDataFile);
        if (options.tariff) {
            vemo::ConvertTariff(options.words[1], target, Today());
            return 0;
        }
        vemo::LineTable table;
        if (options.austrian)
            vemo::ConvertAustrian(table, options.words[1], target);
        else
            vemo::ConvertGerman(table, options.words[1], target);
        return 0;
    }
    if (command == "motorways") {
        Expect(options, 2, 2, true);
        const vemo::LineTable table = Load(options.words[1]);
        vemo::SortedUniqueList index(vemo::LocaleCollation(QLocale::system()));
        if (options.austrian)
            vemo::BuildAustrianIndex(table, index);
        else
            vemo::BuildGermanIndex(table, index);
        for (const auto& entry : index.Items())
            out.Line(entry);
        return 0;
    }
    if (command == "sections") {
        Expect(options, 3, 3, true);
        const vemo::LineTable table = Load(options.words[1]);
        const std::string selector = out.Argument(options.words[2]);
        const auto entries =
            options.austrian ? vemo::AustrianSectionListing(table, selector)
                             : vemo::GermanSectionListing(table, vemo::GermanMotorwayKey(selector));
        // A motorway without rows is most often a mistyped one: a failure, as for check, with
        // stdout left empty for scripts that read it.
        if (entries.empty()) {
            out.Write(stderr, out.Own("vemo-data: dálnice ") + out.Echo(options.words[2]) +
                                  out.Own(" nemá v souboru ") + out.Echo(options.words[1]) +
                                  out.Own(" žádné úseky\n"));
            return 1;
        }
        for (const auto& entry : entries)
            out.Line(entry);
        return 0;
    }
    if (command == "check") {
        Expect(options, 2, 2, true);
        const vemo::LineTable table = Load(options.words[1]);
        const vemo::LocaleSettings locale = vemo::LocaleNumberSettings(QLocale::system());
        const auto problems = options.austrian ? vemo::AustrianNumberProblems(table, locale)
                                               : vemo::GermanNumberProblems(table, locale);
        for (const auto& problem : problems)
            out.Line(vemo::Utf8ToCp1250("řádek ") + std::to_string(problem.row) + ", pole " +
                     std::to_string(problem.field) + ": \"" + problem.text + "\"");
        return problems.empty() ? 0 : 1;
    }
    if (command == "tariff") {
        Expect(options, 1, 2, false, false, true);
        return ListTariffs(options, out);
    }
    throw UsageError{"neznámý příkaz ", command};
}

// One error line as command-line tools write them: the program's name, the message the window
// would show (without its full stop), then the system's reason where there is one.
void PrintError(const Printer& out, const std::string& message, const std::string& reason = {}) {
    std::string line = "vemo-data: " + message;
    if (!reason.empty())
        line += ": " + reason;
    out.Write(stderr, line + "\n");
}

} // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    // The system's reasons in the user's language, as the window's Qt sets it up; numbers and
    // sorting follow QLocale either way.
    std::setlocale(LC_ALL, "");
#endif
#ifdef _WIN32
    // The output is bytes, LF-ended as on every other platform: no CR LF translation.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    Options options;
    try {
        ParseArguments(Arguments(argc, argv), options);
        const Printer out(options.raw);
        if (options.help) {
            out.Write(stdout, out.Own(kUsage));
            return 0;
        }
        if (options.version) {
            out.Write(stdout, "vemo-data " VEMO_VERSION "\n");
            return 0;
        }
        if (options.words.empty())
            throw UsageError{"chybí příkaz", ""};
        const int status = Run(options, out);
        errno = 0;
        if (std::fflush(stdout) != 0 || std::ferror(stdout) || vemo::ConsoleWriteFailed()) {
            const int cause = errno;
            PrintError(out, vemo::WriteError().Message(), cause != 0 ? std::strerror(cause) : "");
            return 1;
        }
        return status;
    } catch (const UsageError& error) {
        const Printer out(options.raw);
        out.Write(stderr, out.Own("vemo-data: " + error.reason) + out.Echo(error.word) + '\n' +
                              out.Own(kUsageHint));
        return 2;
    } catch (const vemo::Error& error) {
        const Printer out(options.raw);
        PrintError(out, out.Message(error), out.Reason(error));
        return 1;
    } catch (const std::exception& error) {
        PrintError(Printer(options.raw), error.what());
        return 1;
    }
}
