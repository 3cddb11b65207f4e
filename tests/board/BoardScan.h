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

inline void ScanDrawBoard(
    board::IBoardCanvas& canvas, const board::CBoard& board, const board::SBoardPictures& pictures, int x0, int y0)
{
    static constexpr platform::Rect kSources[4] = {{0, 0, 23, 31}, {21, 0, 44, 31}, {0, 29, 23, 61}, {21, 29, 45, 61}};
    static constexpr int kOffsets[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int z = 0; z < 8; ++z) {
        for (int r = 0; r < 16; ++r) {
            for (int c = 31; c >= 0; --c) {
                for (int t = 0; t < 144; ++t) {
                    const board::CTile& tile = board.Tile(t);
                    if (!tile.present) {
                        continue;
                    }
                    for (int k = 0; k < 4; ++k) {
                        if (LiesAt(tile.cells[k], z, r, c)) {
                            const int x = x0 + 20 * c + 4 * z;
                            const int y = y0 + 28 * r - 4 * z;
                            canvas.DrawSpritePart(pictures.faces ? pictures.faces->Face(tile.face) : nullptr,
                                x + kOffsets[k][0], y + kOffsets[k][1], kSources[k]);
                        }
                    }
                }
            }
        }
        for (int r = 0; r < 16; ++r) {
            for (int c = 31; c >= 0; --c) {
                for (int t = 0; t < 144; ++t) {
                    const board::CTile& tile = board.Tile(t);
                    if (!tile.present || !LiesAt(tile.cells[0], z, r, c)) {
                        continue;
                    }
                    const int x = x0 + 20 * c + 4 * z;
                    const int y = y0 + 28 * r - 4 * z;
                    if (tile.hinted) {
                        canvas.DrawSprite(pictures.hintMark, x, y);
                    }
                    if (tile.selected) {
                        canvas.BlendSprite(pictures.overlay, x, y, {0, 0, 44, 60});
                    }
                }
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

// One cell of a present tile, in the pick's scan order.
struct SScanStep {
    int z, r, c, t, k;
};

// Every (cell, tile, corner) the pick's scan compares the pointer with, in
// its order: levels from the top, rows from the top, columns from the right,
// tiles in table order, corners in order.
inline std::vector<SScanStep> PickScanOrder(const board::CBoard& board)
{
    std::vector<SScanStep> steps;
    for (int z = 7; z >= 0; --z) {
        for (int r = 0; r < 16; ++r) {
            for (int c = 31; c >= 0; --c) {
                for (int t = 0; t < 144; ++t) {
                    if (!board.Tile(t).present) {
                        continue;
                    }
                    for (int k = 0; k < 4; ++k) {
                        if (LiesAt(board.Tile(t).cells[k], z, r, c)) {
                            steps.push_back({z, r, c, t, k});
                        }
                    }
                }
            }
        }
    }
    return steps;
}

// The scan for one pointer position: the first step whose box holds it
// decides, and the tile is the board's TileAt of that cell.
inline int ScanPickTile(const board::CBoard& board, const std::vector<SScanStep>& steps, int x, int y)
{
    for (const SScanStep& s : steps) {
        if (InPickBox(s.k, 65 + 20 * s.c + 4 * s.z, 25 + 28 * s.r - 4 * s.z, x, y)) {
            return board.TileAt(s.z, s.r, s.c);
        }
    }
    return -1;
}

} // namespace board_test
