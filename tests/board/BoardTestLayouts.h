// Layouts and boards shared by the board tests: one sound 144-tile layout,
// and boards holding only a few tiles at chosen places.
#pragma once

#include "board/Board.h"
#include "board/Rules.h"

#include <memory>
#include <vector>

namespace board_test {

// 96 tiles on level 0 (12 x 8 from column 2) and 48 on level 1 (12 x 4 from
// row 4), in canonical order; no tile overlaps or floats.
inline board::SLayoutData BlockLayout()
{
    board::SLayoutData data;
    int t = 0;
    for (int z = 0; z < 2; ++z) {
        for (int r = 4 * z; r < 16 - 4 * z; r += 2) {
            for (int c = 2; c < 26; c += 2) {
                data.cells[t++] = board::TileCells({c, r, z});
            }
        }
    }
    data.records = {{{"Ada", 1000}, {"Bo", 2000}, {"Cy", 3}}};
    return data;
}

// Tiles 0..n-1 with these top-left cells, present and without faces; the
// other tiles are not placed.
inline std::unique_ptr<board::CBoard> BoardWithTiles(const std::vector<board::SCellPosition>& places)
{
    auto result = std::make_unique<board::CBoard>();
    for (size_t t = 0; t < places.size(); ++t) {
        result->PlaceTile(static_cast<int>(t), places[t], 0, 0, 0);
    }
    return result;
}

inline std::vector<board::SCellPosition> TopLeftCells(const board::SLayoutData& data)
{
    std::vector<board::SCellPosition> cells;
    for (const auto& tile : data.cells) {
        cells.push_back(tile[0]);
    }
    return cells;
}

inline std::unique_ptr<board::CBoard> BlockBoard() { return BoardWithTiles(board_test::TopLeftCells(BlockLayout())); }

inline int CountOccupiedCells(const board::CBoard& board)
{
    int count = 0;
    for (int i = 0; i < board::kLevels * board::kRows * board::kColumns; ++i) {
        const int level = i / (board::kRows * board::kColumns);
        count += board.Cell(level, i / board::kColumns % board::kRows, i % board::kColumns).occupied;
    }
    return count;
}

} // namespace board_test
