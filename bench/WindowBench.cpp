// The window's grids at their largest: 65,536 point rows filled into a
// TextGrid and shown by a table view through the window's table model
// (model refresh, view layout and one paint), against the same fill with no
// view, in the same run. Figures are time per row.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <cstdlib>
#include <string>

#include "window/TextGridModel.h"

namespace vantrel {
namespace {

constexpr int kRows = 65536;

// Fills every point row as a download's track would.
void Fill(TextGrid& grid, int pass) {
    grid.SetRowCount(kRows + 1);
    for (int row = 1; row <= kRows; ++row) {
        grid.SetCell(0, row, "2011/1/25  14:13:" + std::to_string((row + pass) % 60));
        grid.SetCell(1, row, "47.3769" + std::to_string(row % 100));
        grid.SetCell(2, row, "8.5417" + std::to_string(row % 100));
        grid.SetCell(3, row, std::to_string(400 + row % 50) + ".5");
        grid.SetCell(4, row, std::to_string(row % 30) + ".04");
    }
}

void PerRow(benchmark::State& state) {
    state.counters["per_row"] = benchmark::Counter(
        kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FillGridOnly(benchmark::State& state) {
    TextGrid grid(5, 2);
    int pass = 0;
    for (auto _ : state) {
        grid.SetRowCount(1);
        Fill(grid, ++pass);
        benchmark::DoNotOptimize(grid.Cell(4, kRows));
    }
    PerRow(state);
}
BENCHMARK(BM_FillGridOnly)->Unit(benchmark::kMillisecond);

void BM_FillGridAndShow(benchmark::State& state) {
    TextGrid grid(5, 2);
    TextGridModel model(grid);
    QTableView view;
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(16);
    view.setModel(&model);
    view.resize(560, 330);
    view.show();
    int pass = 0;
    for (auto _ : state) {
        grid.SetRowCount(1);
        model.Refresh();
        Fill(grid, ++pass);
        model.Refresh();
        view.scrollToBottom();
        view.repaint();
        QApplication::processEvents();
    }
    PerRow(state);
}
BENCHMARK(BM_FillGridAndShow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
