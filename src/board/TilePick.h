// The tile under the pointer: the levels from the top down, and within a
// level the cells in drawing order, each cell tested against its own pick
// box; the first cell whose box holds the pointer decides.
#pragma once

#include <array>

namespace board {

class CBoard;

// A cell's pick box relative to its pixel (board origin (65, 25)). All four
// bounds are exclusive: the pointer must lie strictly inside. A tile's
// top-left cell takes the whole tile; its other cells take smaller boxes.
struct SPickBox {
    int left;
    int top;
    int right;
    int bottom;
    bool Holds(int dx, int dy) const { return left < dx && dx < right && top < dy && dy < bottom; }
};
inline constexpr std::array<SPickBox, 4> kPickBoxes = {{
    {0, 0, 40, 57},
    {1, 0, 21, 57},
    {0, 1, 40, 29},
    {1, 1, 21, 29},
}};

// The tile at the first matching cell (the first present tile there in
// table order, as TileAt gives it), or -1 when no box holds (x, y). Whether
// the tile is free is the caller's question: a blocked tile on top is not
// looked through.
int PickTile(const CBoard& board, int x, int y);

} // namespace board
