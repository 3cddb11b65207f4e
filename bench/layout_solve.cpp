// Time per Turtle deal of `velmora-layout solve`: each repetition deals the
// next deal as the game does and solves it with the default node budget, so
// the aggregates are the mean, median and 99th percentile over deals.
#include "DealSolver.h"
#include "LayoutSolve.h"

#include "LayoutText.h"
#include "platform/Files.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kDeals = 1000;

std::vector<board::SCellPosition> Turtle()
{
    const auto bytes = platform::ReadWholeFile(VELMORA_LAYOUTS_DIR "/Turtle.txt");
    std::vector<board::SCellPosition> cells;
    if (bytes) {
        for (const auto& tile : board::ParseLayoutText(std::string(bytes->begin(), bytes->end())).tiles) {
            cells.push_back(tile.topLeft);
        }
    }
    return cells;
}

void BM_SolveTurtleDeal(benchmark::State& state)
{
    static const std::vector<board::SCellPosition> turtle = Turtle();
    static layout_tool::CDealSolver solver;
    static auto board = std::make_unique<board::CBoard>();
    static uint64_t deal = 0;
    if (turtle.size() != size_t{board::kTileCount}) {
        state.SkipWithError("Turtle.txt not found");
        return;
    }
    for (auto _ : state) {
        layout_tool::DealAtTicks(*board, turtle, layout_tool::DealTicks(1, deal++));
        benchmark::DoNotOptimize(solver.Solve(*board).result);
    }
}

double Percentile99(const std::vector<double>& values)
{
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
}

BENCHMARK(BM_SolveTurtleDeal)
    ->Iterations(1)
    ->Repetitions(kDeals)
    ->ComputeStatistics("p99", Percentile99)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
