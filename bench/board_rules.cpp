// Cost of the rules on the Turtle: the free test over all 144 tiles, counting
// the available pairs, and a new game's deal and shuffles. The Turtle comes
// from assets/layouts/Turtle.txt under VELMORA_SOURCE_DIR when it is there,
// otherwise from the classic positions built below.
#include "board/Board.h"
#include "board/LayoutText.h"
#include "board/Rules.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Classic Turtle, as top-left cells (two cells per tile each way): 87 tiles
// on level 0 with three single tiles at the sides half a row down, then
// squares of 6, 4 and 2 tiles and one on top.
std::vector<board::SCellPosition> ClassicTurtle()
{
    std::vector<board::SCellPosition> cells;
    const int rowLengths[] = {12, 8, 10, 12, 12, 10, 8, 12};
    for (int row = 0; row < 8; ++row) {
        const int first = 1 + (12 - rowLengths[row]) / 2;
        for (int i = 0; i < rowLengths[row]; ++i) {
            cells.push_back({2 * (first + i), 2 * row, 0});
        }
    }
    cells.push_back({0, 7, 0});
    cells.push_back({26, 7, 0});
    cells.push_back({28, 7, 0});
    const int squares[][2] = {{1, 6}, {2, 4}, {3, 2}}; // level, tiles per side
    for (const auto& square : squares) {
        const int start = (14 - square[1]) / 2;
        for (int row = 0; row < square[1]; ++row) {
            for (int column = 0; column < square[1]; ++column) {
                cells.push_back({2 * (start + column), 2 * (1 + (6 - square[1]) / 2 + row), square[0]});
            }
        }
    }
    cells.push_back({13, 7, 4});
    return cells;
}

std::vector<board::SCellPosition> TurtleTopLefts(std::string& source)
{
    const auto text = platform::ReadWholeFile(testing_support::SourceDir() + "/assets/layouts/Turtle.txt");
    if (text) {
        if (const auto layout = board::CompileLayoutText(std::string(text->begin(), text->end()))) {
            source = "Turtle.txt";
            return board::TopLeftCells(*layout);
        }
    }
    source = "built-in Turtle";
    return ClassicTurtle();
}

std::unique_ptr<board::CBoard> TurtleBoard(std::string& source)
{
    const auto cells = TurtleTopLefts(source);
    auto result = std::make_unique<board::CBoard>();
    for (int t = 0; t < board::kTileCount; ++t) {
        if (cells.size() != board::kTileCount || !result->PlaceTile(t, cells[t], 0, 0, 0)) {
            return nullptr;
        }
    }
    // No two tiles may share a cell.
    int occupied = 0;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                occupied += result->Cell(z, y, x).occupied;
            }
        }
    }
    return occupied == board::kTileCount * board::kCellsPerTile ? std::move(result) : nullptr;
}

std::unique_ptr<board::CBoard> TurtleBoardOrSkip(benchmark::State& state, std::string& source)
{
    auto board = TurtleBoard(source);
    if (!board) {
        state.SkipWithError("the Turtle is not a valid layout");
    }
    return board;
}

void BM_IsTileFreeAllTiles(benchmark::State& state)
{
    std::string source;
    const auto board = TurtleBoardOrSkip(state, source);
    if (!board) {
        return;
    }
    for (auto _ : state) {
        int free = 0;
        for (int t = 0; t < board::kTileCount; ++t) {
            free += board::IsTileFree(*board, t) ? 1 : 0;
        }
        benchmark::DoNotOptimize(free);
    }
    state.SetItemsProcessed(state.iterations() * board::kTileCount);
    state.SetLabel(source);
}
BENCHMARK(BM_IsTileFreeAllTiles);

void BM_CountAvailablePairs(benchmark::State& state)
{
    std::string source;
    const auto board = TurtleBoardOrSkip(state, source);
    if (!board) {
        return;
    }
    platform::CScopedFakeClock clock(1234);
    board::DealNewGame(*board);
    for (auto _ : state) {
        benchmark::DoNotOptimize(board::CountAvailablePairs(*board));
    }
    state.SetLabel(source);
}
BENCHMARK(BM_CountAvailablePairs);

// Deal, Shuffle, then shuffle until a pair is free; a new seed each time.
void BM_NewGameDealAndShuffle(benchmark::State& state)
{
    std::string source;
    const auto board = TurtleBoardOrSkip(state, source);
    if (!board) {
        return;
    }
    platform::CScopedFakeClock clock(1);
    int64_t extraShuffles = 0;
    for (auto _ : state) {
        clock->Advance(1);
        board::DealFaces(*board);
        board::Shuffle(*board);
        extraShuffles += board::ShuffleUntilPlayable(*board);
    }
    state.counters["extraShuffles"]
        = benchmark::Counter(static_cast<double>(extraShuffles), benchmark::Counter::kAvgIterations);
    state.SetLabel(source);
}
BENCHMARK(BM_NewGameDealAndShuffle);

void BM_Shuffle(benchmark::State& state)
{
    std::string source;
    const auto board = TurtleBoardOrSkip(state, source);
    if (!board) {
        return;
    }
    platform::CScopedFakeClock clock(1);
    board::DealFaces(*board);
    for (auto _ : state) {
        clock->Advance(1);
        board::Shuffle(*board);
    }
    state.SetLabel(source);
}
BENCHMARK(BM_Shuffle);

} // namespace
