// Both tabs with 5,000 sections of one motorway: choosing it, ">>" with all selected and "<<"
// with all route entries selected.
#include "text/BaseXCodec.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

constexpr int kSections = 5000;

void WriteData(const std::string& name, bool austrian) {
    std::ofstream out(name, std::ios::binary);
    out << vemo::Base64Encode("header") << "\r\n";
    for (int i = 0; i < kSections; ++i) {
        const std::string n = std::to_string(i);
        const std::string row = austrian
                                    ? "A1;West;Ort " + n + ";Ort " + n + "x;1,25;2,5;3,75"
                                    : "1;" + n + ";AS;Ort " + n + ";;AS;Ort " + n + "x;12,5;note";
        out << vemo::Base64Encode(row) << "\r\n";
    }
}

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<TfrmVemo> frm;

    Window() {
        QDir::setCurrent(dir.path());
        WriteData("data.sdf", false);
        WriteData("data2.sdf", true);
        TfrmVemo::Options options;
        options.readLocale = [] {
            return vemo::ui::UiLocaleFor(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        };
        options.reportError = [](QWidget*, const QString&) { std::abort(); };
        frm = std::make_unique<TfrmVemo>(options);
        QComboBox* category = frm->Controls().cboKategorie;
        category->setCurrentIndex(1);
        emit category->activated(1);
    }
};

Window& TheWindow() {
    static Window window;
    return window;
}

// A tab's controls; its handlers run as the controls' signals reach them, through the error
// report, as a user's pick and clicks would run them.
struct Tab {
    QComboBox* motorway;
    QListWidget* sections;
    QListWidget* route;
    QPushButton* add;
    QPushButton* remove;

    void Choose() const { emit motorway->activated(motorway->currentIndex()); }
};

Tab German(const Ui::frmVemo& f) {
    return {f.cboDalnice, f.lbxCis, f.lbxTrasa, f.btnSelect, f.btnUnselect};
}
Tab Austrian(const Ui::frmVemo& f) {
    return {f.cboAUDalnice, f.lbxAUCis, f.lbxAUTrasa, f.btnAUSelect, f.btnAUUnselect};
}

// The tab's motorway chosen and all of its sections selected.
void SelectAllSections(const Tab& t) {
    t.motorway->setCurrentIndex(0);
    t.Choose();
    t.sections->selectAll();
}

void Choose(benchmark::State& state, Tab (*tab)(const Ui::frmVemo&)) {
    const Tab t = tab(TheWindow().frm->Controls());
    t.motorway->setCurrentIndex(0);
    for (auto _ : state)
        t.Choose();
    if (t.sections->count() != kSections)
        state.SkipWithError("section list not filled");
}

void AddAll(benchmark::State& state, Tab (*tab)(const Ui::frmVemo&)) {
    const Tab t = tab(TheWindow().frm->Controls());
    SelectAllSections(t);
    for (auto _ : state) {
        state.PauseTiming();
        vemo::ui::ListClear(t.route);
        state.ResumeTiming();
        t.add->click();
    }
    if (t.route->count() != kSections)
        state.SkipWithError("route not filled");
}

void RemoveAll(benchmark::State& state, Tab (*tab)(const Ui::frmVemo&)) {
    const Tab t = tab(TheWindow().frm->Controls());
    SelectAllSections(t);
    for (auto _ : state) {
        state.PauseTiming();
        vemo::ui::ListClear(t.route);
        t.add->click();
        t.route->selectAll();
        state.ResumeTiming();
        t.remove->click();
    }
    if (t.route->count() != 0)
        state.SkipWithError("route not emptied");
}

// The list helpers on 5,000 rows: fill, select all, delete every other row, then the rest.
void ListBoxFiveThousandRows(benchmark::State& state) {
    std::vector<std::string> entries;
    for (int i = 0; i < kSections; ++i)
        entries.push_back("row " + std::to_string(i));
    std::vector<int> everyOther;
    for (int row = 0; row < kSections; row += 2)
        everyOther.push_back(row);
    QListWidget list;
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (auto _ : state) {
        vemo::ui::ListAppend(&list, entries);
        list.selectAll();
        vemo::ui::ListDeleteRows(&list, everyOther);
        vemo::ui::ListDeleteRows(&list, vemo::ui::ListSelectedRows(&list));
    }
    if (list.count() != 0)
        state.SkipWithError("list not emptied");
}

BENCHMARK(ListBoxFiveThousandRows)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Choose, German, German)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AddAll, German, German)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RemoveAll, German, German)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Choose, Austrian, Austrian)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AddAll, Austrian, Austrian)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RemoveAll, Austrian, Austrian)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TheWindow().frm.reset();
    return 0;
}
