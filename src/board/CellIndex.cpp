// Building the cell index: a counting sort of the placed tiles' cells by
// their drawing rank, stable in tile order.
#include "board/CellIndex.h"

#include "board/Board.h"

#include <algorithm>

namespace board {

void CCellIndex::Build(const CBoard& board)
{
    rankStart.fill(0);
    // Count each rank's entries one slot ahead, then sum up to the starts.
    for (int t = 0; t < kTileCount; ++t) {
        for (const CBoardCell* cell : board.Tile(t).cells) {
            if (!cell) {
                continue;
            }
            ++rankStart[DrawRank(cell->level, cell->row, cell->column) + 1];
        }
    }
    for (int rank = 0; rank < kCellCount; ++rank) {
        rankStart[rank + 1] += rankStart[rank];
    }
    std::array<uint16_t, kCellCount> next{};
    std::copy(rankStart.begin(), rankStart.end() - 1, next.begin());
    for (int t = 0; t < kTileCount; ++t) {
        const CTile& tile = board.Tile(t);
        for (int k = 0; k < kCellsPerTile; ++k) {
            if (!tile.cells[k]) {
                continue;
            }
            const CBoardCell& cell = *tile.cells[k];
            entries[next[DrawRank(cell.level, cell.row, cell.column)]++]
                = {static_cast<int16_t>(t), static_cast<int8_t>(k), static_cast<int8_t>(cell.level),
                    static_cast<int8_t>(cell.row), static_cast<int8_t>(cell.column)};
        }
    }
}

} // namespace board
