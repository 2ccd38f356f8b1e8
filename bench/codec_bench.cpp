// Base64Decode against Qt's decoder on the same realistic data lines.
#include "text/BaseXCodec.h"

#include <QByteArray>
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

// 200,000 encoded German rows of 80 to 120 bytes each.
const std::vector<std::string>& Lines() {
    static const std::vector<std::string> lines = [] {
        std::mt19937 rng(55);
        std::uniform_int_distribution<int> length(80, 120), letter('a', 'z');
        std::vector<std::string> out;
        out.reserve(200000);
        for (int i = 0; i < 200000; ++i) {
            std::string row = std::to_string(i % 100) + ";" + std::to_string(i) + ";AS;";
            while (static_cast<int>(row.size()) < length(rng))
                row += static_cast<char>(letter(rng));
            row += ";12,5";
            out.push_back(vemo::Base64Encode(row));
        }
        return out;
    }();
    return lines;
}

void BM_Base64Decode(benchmark::State& state) {
    const auto& lines = Lines();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& line : lines)
            bytes += vemo::Base64Decode(line).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_Base64Decode)->Unit(benchmark::kMillisecond);

void BM_QByteArrayFromBase64(benchmark::State& state) {
    const auto& lines = Lines();
    std::vector<QByteArray> qlines;
    for (const auto& line : lines)
        qlines.push_back(QByteArray::fromStdString(line));
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& line : qlines)
            bytes += static_cast<std::size_t>(QByteArray::fromBase64(line).size());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_QByteArrayFromBase64)->Unit(benchmark::kMillisecond);

void BM_Base64ReaderFirstField(benchmark::State& state) {
    const auto& lines = Lines();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& line : lines) {
            vemo::Base64Reader reader(line);
            for (int b; (b = reader.Next()) >= 0 && b != ';';)
                ++bytes;
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Base64ReaderFirstField)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
