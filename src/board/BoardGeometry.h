// Where the board's cells land in the 800 x 600 picture, and how a tile
// picture is cut into the four pieces the board is drawn with. Shared by the
// board drawing, the layout checks and the tools that picture layouts.
#pragma once

#include "board/LayoutFile.h"

#include <array>

namespace board {

inline constexpr int kBoardOriginXPx = 65;
inline constexpr int kBoardOriginYPx = 25;
inline constexpr int kCellWidthPx = 20;
inline constexpr int kCellHeightPx = 28;
// Each level lies this far right of and above the one below it.
inline constexpr int kLevelShiftPx = 4;
// A tile picture's drawn area (face and edge) inside its 64 x 64 bitmap.
inline constexpr int kTilePictureWidthPx = 45;
inline constexpr int kTilePictureHeightPx = 61;

struct SPixelPoint {
    int x = 0;
    int y = 0;
};

// The top-left pixel of a cell for a board drawn at the given origin.
constexpr SPixelPoint CellPixel(const SCellPosition& cell, int originX = kBoardOriginXPx, int originY = kBoardOriginYPx)
{
    return {originX + kCellWidthPx * cell.column + kLevelShiftPx * cell.level,
        originY + kCellHeightPx * cell.row - kLevelShiftPx * cell.level};
}

// One piece per cell of a tile, in the tile's cell order (top-left,
// top-right, bottom-left, bottom-right): the source rectangle of the picture
// (right and bottom exclusive) and where it is drawn relative to its own
// cell's pixel. Together the pieces put the picture's (0, 0)-(45, 61) at the
// tile's top-left cell, overlapping by two pixels at the seams.
struct STilePiece {
    int left;
    int top;
    int right;
    int bottom;
    int offsetX;
    int offsetY;
};
inline constexpr std::array<STilePiece, kCellsPerTile> kTilePieces = {{
    {0, 0, 23, 31, 0, 0},
    {21, 0, 44, 31, 1, 0},
    {0, 29, 23, 61, 0, 1},
    {21, 29, 45, 61, 1, 1},
}};

} // namespace board
