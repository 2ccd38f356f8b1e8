// Start-up load, file load, index build, section listings, conversion and the memory a load
// takes, on the German table of GermanTableGenerator.h (200,000 rows, some 27 MB).
#include "bench/GermanTableGenerator.h"

#include "text/BaseXCodec.h"
#if __has_include("DataFile.h")
#include "data/store/DataFile.h"
#endif
#include "data/rules/Conversion.h"
#include "data/rules/LocaleCollation.h"
#include "data/rules/MotorwayIndex.h"
#include "data/rules/TollData.h"
#include "data/store/LineTable.h"
#include "text/TextRoutines.h"

#include <QLocale>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Fixture {
    fs::path dir;
    benchdata::GermanTable rows;
    vemo::LineTable table; // data.sdf as loaded
    std::uintmax_t fileSize = 0;
};

// data.sdf and its source maut_55a.csv in a scratch folder, with a small data2.sdf beside them.
const Fixture& Data() {
    static const Fixture fixture = [] {
        Fixture f;
        std::string pattern = (fs::temp_directory_path() / "vemo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        f.dir = pattern;
        f.rows = benchdata::MakeGermanTable();
        if (!benchdata::WriteLines(f.rows.rows, (f.dir / vemo::kGermanDataFile).string(), true) ||
            !benchdata::WriteLines(f.rows.rows, (f.dir / vemo::kGermanSourceFile).string(), false))
            std::abort();
        f.fileSize = fs::file_size(f.dir / vemo::kGermanDataFile);
        f.table.LoadFromFile((f.dir / vemo::kGermanDataFile).string());

        std::vector<std::string> austrian = {"Autobahn;x;Von;Bis;2;3;4"};
        for (int i = 0; i < 2000; ++i) {
            std::string line = "A";
            line += std::to_string(i % 20);
            line += ";;Ort ";
            line += std::to_string(i);
            line += ";Ort ";
            line += std::to_string(i + 1);
            line += ";1,50;2,25;3,10";
            austrian.push_back(std::move(line));
        }
        if (!benchdata::WriteLines(austrian, (f.dir / vemo::kAustrianDataFile).string(), true))
            std::abort();
        return f;
    }();
    return fixture;
}

// A value in kB from /proc/self/status ("VmRSS", "VmHWM"); -1 when there is none.
long StatusKilobytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size() + 1, name + ":") == 0)
            return std::strtol(line.c_str() + name.size() + 1, nullptr, 10);
    }
    return -1;
}

// Starts the peak resident size over again from the current one.
bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return static_cast<bool>(clear);
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
        if (lists.germanIndex.Count() != 100)
            state.SkipWithError("wrong index");
    }
    fs::current_path(previous);
}
BENCHMARK(BM_StartupLoad)->Unit(benchmark::kMillisecond);

void BM_LoadGermanFile(benchmark::State& state) {
    const Fixture& f = Data();
    const std::string file = (f.dir / vemo::kGermanDataFile).string();
    for (auto _ : state) {
        vemo::LineTable table;
        table.LoadFromFile(file);
        benchmark::DoNotOptimize(table.Count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.fileSize));
}
BENCHMARK(BM_LoadGermanFile)->Unit(benchmark::kMillisecond);

#if __has_include("DataFile.h")
// The floor of a load: the file read into a fresh buffer and nothing else.
void BM_ReadGermanFileOnly(benchmark::State& state) {
    const Fixture& f = Data();
    const std::string file = (f.dir / vemo::kGermanDataFile).string();
    for (auto _ : state) {
        const vemo::DataFileContent content = vemo::ReadDataFile(file);
        benchmark::DoNotOptimize(content.size);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.fileSize));
}
BENCHMARK(BM_ReadGermanFileOnly)->Unit(benchmark::kMillisecond);
#endif

// The resident memory a load adds, against the file's size, with the table still alive.
void BM_LoadPeakMemory(benchmark::State& state) {
    const Fixture& f = Data();
    const std::string file = (f.dir / vemo::kGermanDataFile).string();
    long added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        malloc_trim(0);
        if (!ResetPeak()) {
            state.SkipWithError("cannot reset the peak resident size");
            break;
        }
        const long before = StatusKilobytes("VmRSS");
        state.ResumeTiming();
        vemo::LineTable table;
        table.LoadFromFile(file);
        state.PauseTiming();
        added = StatusKilobytes("VmHWM") - before;
        state.ResumeTiming();
    }
    state.counters["peak_added_MiB"] = static_cast<double>(added) / 1024.0;
    state.counters["peak_per_file"] =
        static_cast<double>(added) * 1024.0 / static_cast<double>(f.fileSize);
}
BENCHMARK(BM_LoadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same lines from memory with CR LF, CR alone and LF alone as line ends.
void BM_LoadFromBytes(benchmark::State& state) {
    const char* ends[] = {"\r\n", "\r", "\n"};
    std::string content;
    for (const auto& line : Data().table.Lines())
        content += line + ends[state.range(0)];
    for (auto _ : state) {
        vemo::LineTable table;
        table.LoadFromBytes(content);
        benchmark::DoNotOptimize(table.Count());
    }
}
BENCHMARK(BM_LoadFromBytes)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
        const auto entries = vemo::GermanSectionListing(f.table, f.rows.largestMotorway);
        if (static_cast<int>(entries.size()) != f.rows.largestRows)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["rows"] = f.rows.largestRows;
}
BENCHMARK(BM_ListLargestMotorway)->Unit(benchmark::kMillisecond);

void BM_ListMissingMotorway(benchmark::State& state) {
    for (auto _ : state) {
        const auto entries = vemo::GermanSectionListing(Data().table, "999");
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_ListMissingMotorway)->Unit(benchmark::kMillisecond);

// The German conversion of the 200,000-line source, saving included.
void BM_ConvertGerman(benchmark::State& state) {
    const Fixture& f = Data();
    const std::string source = (f.dir / vemo::kGermanSourceFile).string();
    const std::string target = (f.dir / "converted.sdf").string();
    for (auto _ : state) {
        vemo::LineTable table;
        vemo::ConvertGerman(table, source, target);
        benchmark::DoNotOptimize(table.Count());
    }
    if (fs::file_size(target) != f.fileSize)
        state.SkipWithError("converted file differs in size");
}
BENCHMARK(BM_ConvertGerman)->Unit(benchmark::kMillisecond);

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
