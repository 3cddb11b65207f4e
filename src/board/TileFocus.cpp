// Moving the keyboard focus among the free tiles.
#include "board/TileFocus.h"

#include "board/Board.h"
#include "board/BoardGeometry.h"
#include "board/Rules.h"

#include <cstdlib>
#include <limits>

namespace board {

namespace {

// The middle of the tile's face as drawn (two cells wide, two rows high).
SPixelPoint TileCentre(const CBoard& board, int tile)
{
    const CBoardCell& cell = *board.Tile(tile).cells[0];
    const SPixelPoint corner = CellPixel({cell.column, cell.row, cell.level});
    return {corner.x + kCellWidthPx, corner.y + kCellHeightPx};
}

bool IsFocusable(const CBoard& board, int tile) { return board.Tile(tile).present && IsTileFree(board, tile); }

// The focusable tile with the smallest cost; cost < 0 leaves a tile out.
template <typename Cost> int Cheapest(const CBoard& board, Cost cost)
{
    int best = -1;
    long long bestCost = std::numeric_limits<long long>::max();
    for (int t = 0; t < kTileCount; ++t) {
        if (!IsFocusable(board, t)) {
            continue;
        }
        const long long c = cost(t);
        if (c >= 0 && c < bestCost) {
            best = t;
            bestCost = c;
        }
    }
    return best;
}

long long SquaredDistance(SPixelPoint a, SPixelPoint b)
{
    const long long dx = a.x - b.x;
    const long long dy = a.y - b.y;
    return dx * dx + dy * dy;
}

} // namespace

int FirstFocusTile(const CBoard& board)
{
    const SPixelPoint corner{kBoardOriginXPx, kBoardOriginYPx};
    return Cheapest(board, [&](int t) { return SquaredDistance(TileCentre(board, t), corner); });
}

int NextFocusTile(const CBoard& board, int from, EFocusDirection direction)
{
    if (from < 0 || from >= kTileCount || !board.Tile(from).IsPlaced()) {
        return -1;
    }
    const SPixelPoint origin = TileCentre(board, from);
    // Along: how far the tile lies in the direction; across: how far beside.
    const auto offsets = [&](int t, long long& along, long long& across) {
        const SPixelPoint p = TileCentre(board, t);
        const long long dx = p.x - origin.x;
        const long long dy = p.y - origin.y;
        switch (direction) {
        case EFocusDirection::Left:
            along = -dx, across = std::llabs(dy);
            break;
        case EFocusDirection::Right:
            along = dx, across = std::llabs(dy);
            break;
        case EFocusDirection::Up:
            along = -dy, across = std::llabs(dx);
            break;
        case EFocusDirection::Down:
            along = dy, across = std::llabs(dx);
            break;
        }
    };
    return Cheapest(board, [&](int t) -> long long {
        long long along = 0;
        long long across = 0;
        offsets(t, along, across);
        // A tile one level up lies a few pixels up and right of its
        // neighbour below: that is beside, not above.
        return t != from && along > 2 * kLevelShiftPx ? along + 2 * across : -1;
    });
}

int NearestFreeTile(const CBoard& board, int from)
{
    if (from < 0 || from >= kTileCount || !board.Tile(from).IsPlaced()) {
        return FirstFocusTile(board);
    }
    if (IsFocusable(board, from)) {
        return from;
    }
    const SPixelPoint origin = TileCentre(board, from);
    return Cheapest(board, [&](int t) { return SquaredDistance(TileCentre(board, t), origin); });
}

} // namespace board
