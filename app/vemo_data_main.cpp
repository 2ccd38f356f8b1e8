// vemo-data: the maintainer's command-line view of the data layer. Every result comes from the
// data layer as the window would get it; this file only parses arguments and prints.

#include "data/Conversion.h"
#include "data/Errors.h"
#include "data/LineTable.h"
#include "data/LocaleCollation.h"
#include "data/MotorwayIndex.h"
#include "data/NumberCheck.h"
#include "data/Tariff.h"
#include "data/TariffFile.h"
#include "data/TollData.h"
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
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: vemo-data [--raw] COMMAND ARGUMENTS\n"
    "\n"
    "  decode FILE                          every line of FILE decoded, header included\n"
    "  encode [--austrian] SOURCE [TARGET]  convert a source CSV into a data file; TARGET is\n"
    "                                       data.sdf (data2.sdf with --austrian) by default\n"
    "  encode --tariff SOURCE [TARGET]      check a tariff source (sazby.csv) and convert it;\n"
    "                                       TARGET is sazby.sdf by default\n"
    "  tariff [--date D.M.YYYY] [FILE]      every tariff of FILE (sazby.sdf), the one in force\n"
    "                                       on the date (today by default) marked with *\n"
    "  motorways [--austrian] FILE          the motorway index, one entry a line, in index order\n"
    "  sections [--austrian] FILE MOTORWAY  the section entries of MOTORWAY as the selector\n"
    "                                       shows it (\"A3\")\n"
    "  check [--austrian] FILE              rows whose numeric fields cannot be read as numbers\n"
    "                                       in the user's locale (rows count from 1 after the\n"
    "                                       header); exit status 1 if there are any\n"
    "\n"
    "  --austrian  the Austrian layout (data2.sdf, au_maut.csv) instead of the German one\n"
    "  --tariff    the tariff file (sazby.sdf, sazby.csv)\n"
    "  --date      the day that decides which tariff is in force\n"
    "  --raw       print texts as Windows-1250 bytes instead of UTF-8\n"
    "  --help      print this text\n"
    "  --version   print the version\n"
    "\n"
    "Numbers and sorting follow the locale (LC_ALL, LC_NUMERIC, LANG): a file written with\n"
    "decimal commas reads as 0 under a locale with a decimal point; check finds such fields.\n"
    "Exit status: 0 done, 1 file error or problems found, 2 wrong arguments. See vemo-data(1).\n";

struct Options {
    bool austrian = false;
    bool tariff = false;
    std::optional<vemo::CalendarDate> date;
    bool raw = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> words;
};

struct UsageError {
    std::string reason;
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

Options ParseArguments(const std::vector<std::string>& args) {
    Options options;
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
            if (++i == args.size())
                throw UsageError{"--date needs a date (D.M.YYYY)"};
            options.date = vemo::ParseDate(args[i]);
            if (!options.date)
                throw UsageError{"--date: not a date (D.M.YYYY): " + args[i]};
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            throw UsageError{"unknown option " + std::string(arg)};
        }
    }
    return options;
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
    // An error's message and reason: the words in the output's encoding, the file name as the
    // user typed it.
    std::string Message(const vemo::Error& error) const {
        return raw_ ? error.Message() : error.Utf8Message();
    }
    std::string Reason(const vemo::Error& error) const {
        return raw_ ? vemo::Utf8ToCp1250(error.Reason()) : error.Reason();
    }
    void Line(std::string_view cp1250) const {
        // Raw lines go out as they are, without a copy each.
        const std::string text = raw_ ? std::string() : Text(cp1250);
        const std::string_view out = raw_ ? cp1250 : std::string_view(text);
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fputc('\n', stdout);
    }

private:
    bool raw_;
};

void Expect(const Options& options, std::size_t minWords, std::size_t maxWords,
            bool austrianAllowed, bool tariffAllowed = false, bool dateAllowed = false) {
    if (options.words.size() < minWords || options.words.size() > maxWords)
        throw UsageError{"wrong number of arguments for " + options.words[0]};
    if (options.austrian && !austrianAllowed)
        throw UsageError{"--austrian does not apply to " + options.words[0]};
    if (options.tariff && !tariffAllowed)
        throw UsageError{"--tariff does not apply to " + options.words[0]};
    if (options.date && !dateAllowed)
        throw UsageError{"--date does not apply to " + options.words[0]};
    if (options.austrian && options.tariff)
        throw UsageError{"--austrian and --tariff exclude each other"};
}

vemo::CalendarDate Today() {
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

// Every tariff with its columns and rates; the one in force on date is marked "*".
int ListTariffs(const Options& options, const Printer& out) {
    const std::string fileName =
        options.words.size() > 1 ? options.words[1] : std::string(vemo::kTariffFile);
    const vemo::CalendarDate date = options.date.value_or(Today());
    const vemo::LocaleSettings locale = vemo::LocaleNumberSettings(QLocale::system());
    std::optional<std::vector<vemo::GermanTariff>> tariffs = vemo::ReadTariffFile(fileName);
    if (!tariffs) {
        // As for an empty listing, the note goes to stderr and stdout keeps the listing alone.
        std::fprintf(stderr,
                     "vemo-data: %s does not exist; the calculator uses its built-in tariff\n",
                     out.Echo(fileName).c_str());
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
        std::string axles = vemo::Utf8ToCp1250("    Nápravy od:");
        for (const int column : tariff.axleColumns) {
            axles += ' ';
            axles += std::to_string(column);
        }
        out.Line(axles);
        for (const vemo::TariffCategory& category : tariff.categories) {
            std::string line = "    " + category.name + ":";
            for (const double rate : category.rates) {
                line += ' ';
                line += vemo::FormatNumber(rate, locale);
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
        // An empty listing would look like a silent failure; the status stays 0, as for any
        // listing, and stdout stays empty for scripts that read it.
        if (entries.empty())
            std::fprintf(stderr, "vemo-data: no rows for motorway %s in %s\n",
                         out.Echo(options.words[2]).c_str(), out.Echo(options.words[1]).c_str());
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
            out.Line("row " + std::to_string(problem.row) + ", field " +
                     std::to_string(problem.field) + ": \"" + problem.text + "\"");
        return problems.empty() ? 0 : 1;
    }
    if (command == "tariff") {
        Expect(options, 1, 2, false, false, true);
        return ListTariffs(options, out);
    }
    throw UsageError{"unknown command " + command};
}

// One error line as command-line tools write them: the program's name, the message the window
// would show (without its full stop), then the system's reason where there is one.
void PrintError(const std::string& message, const std::string& reason = {}) {
    std::string line = "vemo-data: " + message;
    if (!reason.empty())
        line += ": " + reason;
    std::fprintf(stderr, "%s\n", line.c_str());
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
        options = ParseArguments(Arguments(argc, argv));
        if (options.help) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (options.version) {
            std::fputs("vemo-data " VEMO_VERSION "\n", stdout);
            return 0;
        }
        if (options.words.empty())
            throw UsageError{"no command"};
        const Printer out(options.raw);
        const int status = Run(options, out);
        errno = 0;
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            const int cause = errno;
            PrintError(vemo::WriteError().Message(), cause != 0 ? std::strerror(cause) : "");
            return 1;
        }
        return status;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "vemo-data: %s\n\n%s", error.reason.c_str(), kUsage);
        return 2;
    } catch (const vemo::Error& error) {
        const Printer out(options.raw);
        PrintError(out.Message(error), out.Reason(error));
        return 1;
    } catch (const std::exception& error) {
        PrintError(error.what());
        return 1;
    }
}
