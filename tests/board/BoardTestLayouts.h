// Boards for the board and rules tests: a full 144-tile layout, and boards
// holding only a few tiles at chosen places.
#pragma once

#include "board/Board.h"
#include "board/Rules.h"

#include <memory>
#include <vector>

namespace board_test {

// Top-left cell of a tile.
struct STilePlace {
    int column = 0;
    int row = 0;
    int level = 0;
};

// 144 tiles that do not overlap: 128 side by side on level 0 (even columns
// and rows) and 16 on level 1 along the top row.
inline board::SLayoutData FullLayout()
{
    board::SLayoutData layout;
    for (int t = 0; t < board::kTileCount; ++t) {
        layout.cells[t] = board::TileCells({(t % 16) * 2, (t / 16) % 8 * 2, t / 128});
    }
    layout.records = {{{"Ada", 1000}, {"Bo", 2000}, {"Cy", 3}}};
    return layout;
}

// Tiles 0..n-1 at the given places, present and without faces; the other
// tiles are not placed.
inline std::unique_ptr<board::CBoard> BoardWithTiles(const std::vector<STilePlace>& places)
{
    auto result = std::make_unique<board::CBoard>();
    for (size_t t = 0; t < places.size(); ++t) {
        result->PlaceTile(static_cast<int>(t), {places[t].column, places[t].row, places[t].level}, 0, 0, 0);
    }
    return result;
}

inline std::unique_ptr<board::CBoard> FullBoard()
{
    const board::SLayoutData layout = FullLayout();
    auto result = std::make_unique<board::CBoard>();
    for (int t = 0; t < board::kTileCount; ++t) {
        result->PlaceTile(t, layout.cells[t][0], 0, 0, 0);
    }
    return result;
}

// Tile t gets faces[t] with its match group.
inline void SetFaces(board::CBoard& board, const std::vector<int>& faces)
{
    for (size_t t = 0; t < faces.size(); ++t) {
        board.SetTileIdentity(static_cast<int>(t), static_cast<int>(t), board::MatchGroupOfFace(faces[t]), faces[t]);
    }
}

inline int CountOccupiedCells(const board::CBoard& board)
{
    int count = 0;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                count += board.Cell(z, y, x).occupied;
            }
        }
    }
    return count;
}

} // namespace board_test
