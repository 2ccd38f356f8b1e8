// Start-up load, index build and section listing on a German table of full size.
#include "BaseXCodec.h"
#include "LineTable.h"
#include "LocaleCollation.h"
#include "TextRoutines.h"
#include "TollData.h"

#include <QLocale>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 200000;
constexpr int kMotorways = 100;

struct Fixture {
    fs::path dir;
    vemo::LineTable table;
    std::string largestKey;
    int largestRows = 0;
};

std::string Name(std::mt19937& rng, int length) {
    static const std::string letters = "abcdefghijklmnopqrstuvwxyz\xE8\x9A\xF8\xFD\xE1";
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string name(1, static_cast<char>('A' + rng() % 26));
    while (static_cast<int>(name.size()) < length)
        name += letters[pick(rng)];
    return name;
}

// 200,000 rows of 100 motorways of uneven length, each motorway's rows together, 12 fields and
// 80 to 120 bytes a row, as data.sdf in a scratch folder (with a small data2.sdf beside it).
const Fixture& Data() {
    static const Fixture fixture = [] {
        Fixture f;
        std::string pattern = (fs::temp_directory_path() / "vemo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        f.dir = pattern;

        std::mt19937 rng(1250);
        std::vector<double> weights;
        for (int m = 0; m < kMotorways; ++m)
            weights.push_back(1.0 + (m * 37 % 100) / 20.0);
        double total = 0;
        for (double w : weights)
            total += w;

        f.table.Append(vemo::Base64Encode(
            "Dalnice;Smer;Oznaceni;Od;Km od;Oznaceni;Do;Delka;Kategorie;Pasy;Stat;Poznamka"));
        const char* kinds[] = {"AS", "AK", "AD", "AN", "BS", "TR"};
        int row = 0;
        for (int m = 0; m < kMotorways && row < kRows; ++m) {
            const int count = m + 1 == kMotorways
                                  ? kRows - row
                                  : static_cast<int>(kRows * weights[m] / total + 0.5);
            const std::string number = std::to_string(m < 50 ? m + 1 : 3 * m + 100);
            if (count > f.largestRows) {
                f.largestRows = count;
                f.largestKey = number;
            }
            for (int i = 0; i < count && row < kRows; ++i, ++row) {
                const int target = 80 + static_cast<int>(rng() % 41);
                std::string line = number + ";" + std::to_string(i % 2) + ";" + kinds[rng() % 6] +
                                   ";" + Name(rng, 8) + ";" + std::to_string(rng() % 900) + ";" +
                                   kinds[rng() % 6] + ";" + Name(rng, 8) + ";" +
                                   std::to_string(rng() % 30) + "," + std::to_string(rng() % 10) +
                                   ";A;2;D;";
                if (static_cast<int>(line.size()) < target)
                    line += Name(rng, target - static_cast<int>(line.size()));
                f.table.Append(vemo::Base64Encode(line.substr(0, target)));
            }
        }
        f.table.SaveToFile((f.dir / vemo::kGermanDataFile).string());

        vemo::LineTable austrian;
        austrian.Append(vemo::Base64Encode("Autobahn;x;Von;Bis;2;3;4"));
        for (int i = 0; i < 2000; ++i) {
            std::string line = "A";
            line += std::to_string(i % 20);
            line += ";;";
            line += Name(rng, 10);
            line += ';';
            line += Name(rng, 10);
            line += ";1,50;2,25;3,10";
            austrian.Append(vemo::Base64Encode(line));
        }
        austrian.SaveToFile((f.dir / vemo::kAustrianDataFile).string());
        return f;
    }();
    return fixture;
}

void BM_StartupLoad(benchmark::State& state) {
    const Fixture& f = Data();
    const fs::path previous = fs::current_path();
    fs::current_path(f.dir);
    const vemo::Collation czech = vemo::LocaleCollation(QLocale("cs_CZ"));
    for (auto _ : state) {
        vemo::TollLists lists(czech);
        vemo::StartupLoad(lists, {});
        benchmark::DoNotOptimize(lists.germanIndex.Count());
        if (lists.germanIndex.Count() != kMotorways)
            state.SkipWithError("wrong index");
    }
    fs::current_path(previous);
}
BENCHMARK(BM_StartupLoad)->Unit(benchmark::kMillisecond);

void BM_LoadGermanFile(benchmark::State& state) {
    const std::string file = (Data().dir / vemo::kGermanDataFile).string();
    for (auto _ : state) {
        vemo::LineTable table;
        table.LoadFromFile(file);
        benchmark::DoNotOptimize(table.Count());
    }
}
BENCHMARK(BM_LoadGermanFile)->Unit(benchmark::kMillisecond);

// The same lines split from memory with CR LF, CR alone and LF alone as line ends.
void BM_SplitLines(benchmark::State& state) {
    const char* ends[] = {"\r\n", "\r", "\n"};
    std::string content;
    for (const auto& line : Data().table.Lines())
        content += line + ends[state.range(0)];
    for (auto _ : state) {
        const auto lines = vemo::SplitLines(content);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_SplitLines)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_BuildGermanIndex(benchmark::State& state) {
    const vemo::Collation czech = vemo::LocaleCollation(QLocale("cs_CZ"));
    for (auto _ : state) {
        vemo::SortedUniqueList index(czech);
        vemo::BuildGermanIndex(Data().table, index);
        benchmark::DoNotOptimize(index.Count());
    }
}
BENCHMARK(BM_BuildGermanIndex)->Unit(benchmark::kMillisecond);

void BM_ListLargestMotorway(benchmark::State& state) {
    const Fixture& f = Data();
    for (auto _ : state) {
        const auto entries = vemo::GermanSectionListing(f.table, f.largestKey);
        if (static_cast<int>(entries.size()) != f.largestRows)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["rows"] = f.largestRows;
}
BENCHMARK(BM_ListLargestMotorway)->Unit(benchmark::kMillisecond);

void BM_ListMissingMotorway(benchmark::State& state) {
    for (auto _ : state) {
        const auto entries = vemo::GermanSectionListing(Data().table, "999");
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_ListMissingMotorway)->Unit(benchmark::kMillisecond);

void BM_GetField(benchmark::State& state) {
    const std::string row = "7;1;AS;Frankfurt-S\xFC"
                            "d;412;AK;Darmstadt;12,5;A;2;D;Baustelle ab "
                            "Mai, einspurig";
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::string field = vemo::GetField(row, ";", index);
        benchmark::DoNotOptimize(field.data());
    }
}
BENCHMARK(BM_GetField)->Arg(1)->Arg(8)->Arg(12);

void CleanUp() {
    std::error_code ignored;
    fs::remove_all(Data().dir, ignored);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CleanUp();
    return 0;
}
