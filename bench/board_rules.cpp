// Cost of the rules on the Turtle: the free test over all 144 tiles, counting
// the available pairs, a new game's deal and shuffles, the tile pick under the
// pointer and the board drawing's walk over the tiles (onto a canvas that
// draws nothing, so only the walk is measured). The Turtle comes
// from assets/layouts/Turtle.txt under VELMORA_SOURCE_DIR when it is there,
// otherwise from the classic positions built below.
#include "LayoutText.h"
#include "board/Board.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/Rules.h"
#include "board/TilePick.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
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

// One pick per iteration, the pointer stepping over the board area on a
// coarse grid that is prime to the cell sizes (hits on every level and misses).
void BM_PickTileUnderPointer(benchmark::State& state)
{
    std::string source;
    const auto board = TurtleBoardOrSkip(state, source);
    if (!board) {
        return;
    }
    std::vector<std::pair<int, int>> points;
    for (int y = 0; y < 500; y += 7) {
        for (int x = 0; x < 800; x += 11) {
            points.emplace_back(x, y);
        }
    }
    size_t next = 0;
    int64_t hits = 0;
    for (auto _ : state) {
        const auto [x, y] = points[next];
        next = next + 1 == points.size() ? 0 : next + 1;
        const int tile = board::PickTile(*board, x, y);
        hits += tile >= 0;
        benchmark::DoNotOptimize(tile);
    }
    state.counters["hitRate"] = benchmark::Counter(static_cast<double>(hits), benchmark::Counter::kAvgIterations);
    state.SetLabel(source);
}
BENCHMARK(BM_PickTileUnderPointer);

class CNullCanvas final : public board::IBoardCanvas {
public:
    void DrawSpritePart(CSprite* sprite, int32_t x, int32_t, const platform::Rect&) override { Count(sprite, x); }
    void DrawSprite(CSprite* sprite, int32_t x, int32_t) override { Count(sprite, x); }
    void BlendSprite(CSprite* sprite, int32_t x, int32_t, const platform::Rect&) override { Count(sprite, x); }
    int64_t sum = 0;

private:
    void Count(CSprite* sprite, int32_t x) { sum += x + (sprite != nullptr); }
};

// The dealt Turtle with a selection and a hinted pair, every call of the
// frame's board drawing made but nothing drawn.
void BM_DrawBoardWalk(benchmark::State& state)
{
    std::string source;
    const auto board = TurtleBoardOrSkip(state, source);
    if (!board) {
        return;
    }
    platform::CScopedFakeClock clock(1234);
    board::DealNewGame(*board);
    const auto pair = board::FindFirstPair(*board);
    board->Tile(pair->first).hinted = 1;
    board->Tile(pair->second).hinted = 1;
    board->Tile(0).selected = 1;
    CNullCanvas canvas;
    for (auto _ : state) {
        board::DrawBoard(canvas, *board, {}, board::kBoardOriginXPx, board::kBoardOriginYPx);
    }
    benchmark::DoNotOptimize(canvas.sum);
    state.SetLabel(source);
}
BENCHMARK(BM_DrawBoardWalk);

} // namespace
