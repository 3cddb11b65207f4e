// Which placed tile covers which cell, sorted into the order the board is
// drawn in, so that drawing and picking visit only the cells tiles stand on
// instead of comparing every cell of the grid with every tile.
#pragma once

#include "board/LayoutFile.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <span>

namespace board {

class CBoard;

// One cell of one placed tile.
struct SCellEntry {
    int16_t tile = 0;
    int8_t corner = 0; // the tile's cell: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    int8_t level = 0;
    int8_t row = 0;
    int8_t column = 0;
};

// Entries are ordered by level from the lowest, row from the top, column from
// the right, then tile number: the drawing order of the pieces. A tile's
// positions never change during a game, so the index is built once per set of
// positions; a tile taken off the board keeps its entries and readers skip it
// by its present flag.
class CCellIndex {
public:
    static constexpr int kCellCount = kLevels * kRows * kColumns;

    void Build(const CBoard& board);

    // All entries of one level (0..7), in drawing order.
    std::span<const SCellEntry> Level(int level) const
    {
        assert(level >= 0 && level < kLevels);
        return Range(DrawRank(level, 0, kColumns - 1), DrawRank(level + 1, 0, kColumns - 1));
    }
    // The entries of one cell inside the grid, in tile order (more than one
    // only where a layout lets tiles overlap).
    std::span<const SCellEntry> Cell(int level, int row, int column) const
    {
        assert(IsInsideGrid({column, row, level}));
        const int rank = DrawRank(level, row, column);
        return Range(rank, rank + 1);
    }

private:
    // A cell's place in the drawing order; the column counts from the right.
    static constexpr int DrawRank(int level, int row, int column)
    {
        return (level * kRows + row) * kColumns + (kColumns - 1 - column);
    }
    std::span<const SCellEntry> Range(int firstRank, int endRank) const
    {
        return {entries.data() + rankStart[firstRank], entries.data() + rankStart[endRank]};
    }

    // rankStart[rank] is the first entry of the cell with that rank;
    // rankStart[kCellCount] the number of entries.
    std::array<uint16_t, kCellCount + 1> rankStart{};
    std::array<SCellEntry, kTileCount * kCellsPerTile> entries{};
};

} // namespace board
