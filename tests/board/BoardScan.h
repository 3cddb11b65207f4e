// The board drawing and the tile pick written as plain scans of the whole
// grid, cell by cell against every tile: slow, but obviously in the order the
// board must be drawn and picked. The indexed versions are checked against
// these.
#pragma once

#include "board/Board.h"
#include "board/BoardDrawing.h"
#include "board/TileSet.h"

#include <vector>

namespace board_test {

inline bool LiesAt(const board::CBoardCell* cell, int z, int r, int c)
{
    return cell && cell->level == z && cell->row == r && cell->column == c;
}

// One cell of a present tile.
struct SScanStep {
    int z, r, c, t, k;
};

// The cells of the present tiles on one level, found by comparing every cell
// with every tile: rows from the top, columns from the right, tiles in table
// order, corners in order.
inline std::vector<SScanStep> ScanLevel(const board::CBoard& board, int z)
{
    std::vector<SScanStep> steps;
    for (int r = 0; r < 16; ++r) {
        for (int c = 31; c >= 0; --c) {
            for (int t = 0; t < 144; ++t) {
                for (int k = 0; k < 4; ++k) {
                    if (board.Tile(t).present && LiesAt(board.Tile(t).cells[k], z, r, c)) {
                        steps.push_back({z, r, c, t, k});
                    }
                }
            }
        }
    }
    return steps;
}

// Levels from the lowest: every piece, then the marks at each tile's top-left
// cell.
inline void ScanDrawBoard(
    board::IBoardCanvas& canvas, const board::CBoard& board, const board::SBoardPictures& pictures, int x0, int y0)
{
    static constexpr platform::Rect kSources[4] = {{0, 0, 23, 31}, {21, 0, 44, 31}, {0, 29, 23, 61}, {21, 29, 45, 61}};
    static constexpr int kOffsets[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int z = 0; z < 8; ++z) {
        const std::vector<SScanStep> steps = ScanLevel(board, z);
        for (const SScanStep& s : steps) {
            canvas.DrawSpritePart(pictures.faces ? pictures.faces->Face(board.Tile(s.t).face) : nullptr,
                x0 + 20 * s.c + 4 * z + kOffsets[s.k][0], y0 + 28 * s.r - 4 * z + kOffsets[s.k][1], kSources[s.k]);
        }
        for (const SScanStep& s : steps) {
            const int x = x0 + 20 * s.c + 4 * z;
            const int y = y0 + 28 * s.r - 4 * z;
            if (s.k == 0 && board.Tile(s.t).hinted) {
                canvas.DrawSprite(pictures.hintMark, x, y);
            }
            if (s.k == 0 && board.Tile(s.t).selected) {
                canvas.BlendSprite(pictures.overlay, x, y, {0, 0, 44, 60});
            }
        }
    }
}

// Each corner's pick box relative to its cell's pixel, all bounds exclusive.
inline bool InPickBox(int k, int px, int py, int x, int y)
{
    static constexpr int kBoxes[4][4] = {{0, 0, 40, 57}, {1, 0, 21, 57}, {0, 1, 40, 29}, {1, 1, 21, 29}};
    const int* box = kBoxes[k];
    return px + box[0] < x && x < px + box[2] && py + box[1] < y && y < py + box[3];
}

// Every (cell, tile, corner) the pick's scan compares the pointer with, in
// its order: levels from the top, then as ScanLevel.
inline std::vector<SScanStep> PickScanOrder(const board::CBoard& board)
{
    std::vector<SScanStep> steps;
    for (int z = 7; z >= 0; --z) {
        const std::vector<SScanStep> level = ScanLevel(board, z);
        steps.insert(steps.end(), level.begin(), level.end());
    }
    return steps;
}

// The scan for one pointer position: the first step whose box holds it
// decides, and the tile is the first present one in table order on that cell.
inline int ScanPickTile(const std::vector<SScanStep>& steps, int x, int y)
{
    for (const SScanStep& s : steps) {
        if (InPickBox(s.k, 65 + 20 * s.c + 4 * s.z, 25 + 28 * s.r - 4 * s.z, x, y)) {
            for (const SScanStep& first : steps) {
                if (first.z == s.z && first.r == s.r && first.c == s.c) {
                    return first.t;
                }
            }
        }
    }
    return -1;
}

} // namespace board_test
