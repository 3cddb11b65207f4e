// Checks of a layout's tiles against the grid, each other, the rules and the
// screen.
#include "LayoutCheck.h"

#include "board/Board.h"
#include "board/BoardGeometry.h"
#include "board/Rules.h"

#include <algorithm>
#include <memory>

namespace board {
namespace {

constexpr int kMinFreeAtStart = 2;

std::string Where(const SCellPosition& cell)
{
    return "column " + std::to_string(cell.column) + ", row " + std::to_string(cell.row) + ", level "
        + std::to_string(cell.level);
}

std::string DescribeRect(const SPixelRect& rect)
{
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + ", "
        + std::to_string(rect.bottom) + ")";
}

bool SquareFitsGrid(const SCellPosition& topLeft)
{
    return IsInsideGrid(topLeft) && topLeft.column + 1 < kColumns && topLeft.row + 1 < kRows;
}

bool Intersects(const SPixelRect& a, const SPixelRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const SPixelRect& outer, const SPixelRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right
        && inner.bottom <= outer.bottom;
}

bool AllStandOnBoard(const std::vector<SCellPosition>& topLefts)
{
    return topLefts.size() == static_cast<size_t>(kTileCount)
        && std::all_of(topLefts.begin(), topLefts.end(), SquareFitsGrid);
}

// A board with the layout's tiles placed, without faces.
std::unique_ptr<CBoard> StandOnBoard(const std::vector<SCellPosition>& topLefts)
{
    auto placed = std::make_unique<CBoard>();
    for (int t = 0; t < kTileCount; ++t) {
        placed->PlaceTile(t, topLefts[t], 0, 0, 0);
    }
    return placed;
}

// For each cell of the grid, the first tile (in tile order) covering it.
class CCellOwners {
public:
    CCellOwners() { owners.fill(-1); }
    int& At(const SCellPosition& cell) { return owners[(cell.level * kRows + cell.row) * kColumns + cell.column]; }

private:
    std::array<int, kLevels * kRows * kColumns> owners;
};

void CheckCount(const std::vector<SCellPosition>& topLefts, std::vector<SLayoutProblem>& problems)
{
    if (topLefts.size() != static_cast<size_t>(kTileCount)) {
        problems.push_back(
            {-1, -1, "the layout has " + std::to_string(topLefts.size()) + " tiles; it needs exactly 144"});
    }
}

// Grid, shared cells and support from below, in one pass over the cells.
void CheckCells(const std::vector<SCellPosition>& topLefts, std::vector<SLayoutProblem>& problems)
{
    CCellOwners owners;
    for (size_t t = 0; t < topLefts.size(); ++t) {
        const int tile = static_cast<int>(t);
        if (!SquareFitsGrid(topLefts[t])) {
            problems.push_back({tile, -1, "the tile at " + Where(topLefts[t]) + " leaves the 32 x 16 x 8 grid"});
            continue;
        }
        int sharedWith = -1;
        for (const auto& cell : TileCells(topLefts[t])) {
            int& owner = owners.At(cell);
            if (owner < 0) {
                owner = tile;
            } else if (sharedWith < 0) {
                sharedWith = owner;
            }
        }
        if (sharedWith >= 0) {
            problems.push_back({tile, sharedWith,
                "the tile at " + Where(topLefts[t]) + " shares a cell with the tile at "
                    + Where(topLefts[sharedWith])});
        }
    }
    for (size_t t = 0; t < topLefts.size(); ++t) {
        const SCellPosition& topLeft = topLefts[t];
        if (!SquareFitsGrid(topLeft) || topLeft.level == 0) {
            continue;
        }
        const auto cells = TileCells({topLeft.column, topLeft.row, topLeft.level - 1});
        const bool supported = std::any_of(
            cells.begin(), cells.end(), [&owners](const SCellPosition& below) { return owners.At(below) >= 0; });
        if (!supported) {
            problems.push_back({static_cast<int>(t), -1,
                "the tile at " + Where(topLeft) + " floats: nothing lies under it on level "
                    + std::to_string(topLeft.level - 1)});
        }
    }
}

void CheckPictures(const std::vector<SCellPosition>& topLefts, std::vector<SLayoutProblem>& problems)
{
    for (size_t t = 0; t < topLefts.size(); ++t) {
        if (!SquareFitsGrid(topLefts[t])) {
            continue;
        }
        const SPixelRect picture = TilePictureArea(topLefts[t]);
        const int tile = static_cast<int>(t);
        if (!Contains(kBoardAreaPx, picture)) {
            problems.push_back({tile, -1,
                "the picture of the tile at " + Where(topLefts[t]) + ", " + DescribeRect(picture)
                    + ", leaves the board area " + DescribeRect(kBoardAreaPx)});
        } else if (Intersects(kZandorPanelPx, picture)) {
            problems.push_back({tile, -1,
                "the picture of the tile at " + Where(topLefts[t]) + ", " + DescribeRect(picture)
                    + ", lies under the Zandor target panel " + DescribeRect(kZandorPanelPx)});
        }
    }
}

// A small generator of its own, so that the search neither disturbs nor
// depends on the game's random state.
class CSearchRandom {
public:
    explicit CSearchRandom(uint32_t seed)
        : state(seed)
    {
    }
    uint32_t Next(uint32_t bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }

private:
    uint32_t state;
};

// Takes a random free tile, preferring higher ones (they free what lies
// beneath them).
int PickFreeTile(const std::vector<int>& free, const std::vector<SCellPosition>& topLefts, CSearchRandom& random)
{
    uint32_t total = 0;
    for (const int t : free) {
        total += 1u + static_cast<uint32_t>(topLefts[t].level) * 3u;
    }
    uint32_t pick = random.Next(total);
    for (const int t : free) {
        const uint32_t weight = 1u + static_cast<uint32_t>(topLefts[t].level) * 3u;
        if (pick < weight) {
            return t;
        }
        pick -= weight;
    }
    return free.back();
}

bool TryClearing(const std::vector<SCellPosition>& topLefts, CSearchRandom& random)
{
    const auto game = StandOnBoard(topLefts);
    for (int left = kTileCount; left > 0; left -= 2) {
        std::vector<int> free;
        for (int t = 0; t < kTileCount; ++t) {
            if (game->Tile(t).present && IsTileFree(*game, t)) {
                free.push_back(t);
            }
        }
        if (free.size() < 2) {
            return false;
        }
        const int first = PickFreeTile(free, topLefts, random);
        free.erase(std::find(free.begin(), free.end(), first));
        const int second = PickFreeTile(free, topLefts, random);
        RemovePair(*game, first, second);
    }
    return true;
}

} // namespace

SPixelRect TilePictureArea(const SCellPosition& topLeft)
{
    const auto [x, y] = CellPixel(topLeft);
    return {x, y, x + kTilePictureWidthPx, y + kTilePictureHeightPx};
}

std::vector<SLayoutProblem> CheckLayout(const std::vector<SCellPosition>& topLefts)
{
    std::vector<SLayoutProblem> problems;
    CheckCount(topLefts, problems);
    CheckCells(topLefts, problems);
    CheckPictures(topLefts, problems);
    const int free = CountFreeAtStart(topLefts);
    if (free >= 0 && free < kMinFreeAtStart) {
        problems.push_back({-1, -1,
            (free == 0 ? std::string("no tile is") : "only " + std::to_string(free) + " tile is")
                + " free at the start; a game needs at least two"});
    }
    return problems;
}

int CountFreeAtStart(const std::vector<SCellPosition>& topLefts)
{
    if (!AllStandOnBoard(topLefts)) {
        return -1;
    }
    const auto game = StandOnBoard(topLefts);
    int free = 0;
    for (int t = 0; t < kTileCount; ++t) {
        free += IsTileFree(*game, t) ? 1 : 0;
    }
    return free;
}

bool FindsClearingOrder(const std::vector<SCellPosition>& topLefts, uint32_t seed, int attempts)
{
    if (!AllStandOnBoard(topLefts)) {
        return false;
    }
    CSearchRandom random(seed);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (TryClearing(topLefts, random)) {
            return true;
        }
    }
    return false;
}

} // namespace board
