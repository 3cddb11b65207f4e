// Boards and layouts for the board and rules tests: a full 144-tile layout,
// and boards holding only a few tiles at chosen places.
#pragma once

#include "board/Board.h"
#include "board/LayoutFile.h"

#include <memory>
#include <vector>

namespace board_test {

// Top-left cell of a tile: column, row, level.
struct STilePlace {
    int column = 0;
    int row = 0;
    int level = 0;
};

// 144 tiles that do not overlap: 128 side by side on level 0 (columns 0..30,
// rows 0..14, both even) and 16 on level 1 along the top row.
inline board::SLayoutData FullLayout()
{
    board::SLayoutData layout;
    int tile = 0;
    for (int level = 0; level < 2; ++level) {
        for (int row = 0; row < board::kRows && tile < board::kTileCount; row += 2) {
            for (int column = 0; column < board::kColumns && tile < board::kTileCount; column += 2) {
                layout.cells[tile++] = board::TileCells({column, row, level});
            }
        }
    }
    layout.records = {{{"Ada", 1000}, {"Bo", 2000}, {"Cy", 3}}};
    return layout;
}

// A board whose tiles 0..n-1 lie at the given places, present, with no face
// yet; tiles n..143 are not placed.
inline std::unique_ptr<board::CBoard> BoardWithTiles(const std::vector<STilePlace>& places)
{
    auto result = std::make_unique<board::CBoard>();
    for (size_t t = 0; t < places.size(); ++t) {
        const STilePlace& place = places[t];
        result->PlaceTile(static_cast<int>(t), {place.column, place.row, place.level}, 0, 0, 0);
    }
    return result;
}

// A freshly constructed board with the full layout standing on it (as after a
// load, without records).
inline std::unique_ptr<board::CBoard> FullBoard()
{
    const board::SLayoutData layout = FullLayout();
    auto result = std::make_unique<board::CBoard>();
    for (int t = 0; t < board::kTileCount; ++t) {
        result->PlaceTile(t, layout.cells[t][0], 0, 0, 0);
    }
    return result;
}

} // namespace board_test
