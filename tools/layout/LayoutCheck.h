// What makes a layout playable and fit for the screen: 144 tiles inside the
// grid, none sharing a cell or floating, at least two free at the start, and
// every tile's picture inside the board area and clear of the Zandor panel.
#pragma once

#include "board/LayoutFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace board {

struct SLayoutProblem {
    int tile = -1; // index into the checked tiles; -1 for the layout as a whole
    int otherTile = -1; // the second tile of a shared cell
    std::string message;
};

// Pixel rectangle in the 800 x 600 picture; right and bottom exclusive.
struct SPixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SPixelRect&) const = default;
};

// Tiles must be drawn within the picture above the status line, and must not
// reach under the Zandor target panel in the top right corner.
inline constexpr SPixelRect kBoardAreaPx = {0, 0, 800, 500};
inline constexpr SPixelRect kZandorPanelPx = {725, 0, 800, 100};

// Where the picture of the tile with this top-left cell is drawn: each level
// lies 4 pixels right of and 4 pixels above the one below it. Meaningful for
// cells inside the grid.
SPixelRect TilePictureArea(const SCellPosition& topLeft);

// Every problem of the layout given by the top-left cells of its tiles in tile
// order; empty when the layout is fit to play.
std::vector<SLayoutProblem> CheckLayout(const std::vector<SCellPosition>& topLefts);

// The number of tiles free before the first move, by the game's own free
// test; -1 when the tiles cannot stand on a board (not 144 inside the grid).
int CountFreeAtStart(const std::vector<SCellPosition>& topLefts);

// Looks for an order of taking pairs of free tiles that empties the board
// (faces aside), by randomised greedy tries from a fixed seed. False means
// none was found in that many tries, not that none exists; a layout of
// tiles that cannot stand on a board is never clearable.
bool FindsClearingOrder(const std::vector<SCellPosition>& topLefts, uint32_t seed, int attempts);

} // namespace board
