// The window's start-up as the program does it (layout, FormCreate with the start-up load, show)
// in a folder with the sample data and in one with the 200,000-row German table of
// GermanTableGenerator.h beside the sample's Austrian file.
#include "bench/GermanTableGenerator.h"

#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

struct Folders {
    QTemporaryDir sample;
    QTemporaryDir large;

    Folders() {
        const fs::path data = fs::path(VEMO_SOURCE_DIR) / "sample";
        for (const QTemporaryDir* dir : {&sample, &large})
            fs::copy_file(data / "data2.sdf", fs::path(dir->path().toStdString()) / "data2.sdf");
        fs::copy_file(data / "data.sdf", fs::path(sample.path().toStdString()) / "data.sdf");
        if (!benchdata::WriteLines(benchdata::MakeGermanTable().rows,
                                   (fs::path(large.path().toStdString()) / "data.sdf").string(),
                                   true))
            std::abort();
    }
};

const Folders& TheFolders() {
    static const Folders folders;
    return folders;
}

void StartUp(benchmark::State& state, bool large) {
    const QString folder = large ? TheFolders().large.path() : TheFolders().sample.path();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    for (auto _ : state) {
        TfrmVemo::Options options;
        options.readLocale = [] {
            return vemo::ui::UiLocaleFor(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        };
        options.reportError = [](QWidget*, const QString&) { std::abort(); };
        auto frm = std::make_unique<TfrmVemo>(options);
        frm->show();
        QApplication::processEvents();
        if (frm->Controls().cboDalnice->count() == 0)
            state.SkipWithError("no motorways");
        state.PauseTiming();
        frm.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    QDir::setCurrent(previous);
}

BENCHMARK_CAPTURE(StartUp, SampleData, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUp, LargeGermanTable, true)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
