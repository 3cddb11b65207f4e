// The tile pick over the cell index. Only cells whose widest box could hold
// the pointer are visited: at most two columns and three rows per level,
// taken in the same order as a scan of the whole level would take them.
#include "board/TilePick.h"

#include "board/Board.h"
#include "board/BoardGeometry.h"

#include <algorithm>

namespace board {
namespace {

// The union of the four boxes.
constexpr SPickBox kWidestBox = {0, 0, 40, 57};
static_assert(std::all_of(kPickBoxes.begin(), kPickBoxes.end(), [](const SPickBox& box) {
    return box.left >= kWidestBox.left && box.top >= kWidestBox.top && box.right <= kWidestBox.right
        && box.bottom <= kWidestBox.bottom;
}));

constexpr int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The cells along one axis whose widest box could hold the pointer: the
// indices i with low < offset - step * i < high, clamped to [0, count).
struct SIndexRange {
    int first;
    int last;
};
constexpr SIndexRange CandidateRange(int offset, int step, int low, int high, int count)
{
    // step * i < offset - low  <=>  i <= floor((offset - low - 1) / step)
    // step * i > offset - high <=>  i >= floor((offset - high) / step) + 1
    return {std::max(0, FloorDiv(offset - high, step) + 1), std::min(count - 1, FloorDiv(offset - low - 1, step))};
}

} // namespace

int PickTile(const CBoard& board, int x, int y)
{
    const CCellIndex& index = board.CellIndex();
    for (int z = kLevels - 1; z >= 0; --z) {
        const SPixelPoint levelOrigin = CellPixel({0, 0, z});
        const int dx = x - levelOrigin.x;
        const int dy = y - levelOrigin.y;
        const SIndexRange rows = CandidateRange(dy, kCellHeightPx, kWidestBox.top, kWidestBox.bottom, kRows);
        const SIndexRange columns = CandidateRange(dx, kCellWidthPx, kWidestBox.left, kWidestBox.right, kColumns);
        for (int r = rows.first; r <= rows.last; ++r) {
            for (int c = columns.last; c >= columns.first; --c) {
                const std::span<const SCellEntry> cell = index.Cell(z, r, c);
                for (const SCellEntry& entry : cell) {
                    if (board.Tile(entry.tile).present
                        && kPickBoxes[entry.corner].Holds(dx - kCellWidthPx * c, dy - kCellHeightPx * r)) {
                        return board.TileAt(z, r, c);
                    }
                }
            }
        }
    }
    return -1;
}

} // namespace board
