// The board of one game: a grid of 8 levels x 16 rows x 32 half-tile columns,
// the 144 tiles that lie on it, the path of the layout file they came from and
// the three records kept in that file.
#pragma once

#include "board/CellIndex.h"
#include "board/LayoutFile.h"
#include "platform/BinaryIo.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <string_view>

namespace board {

// Game type codes, also the record numbers.
inline constexpr int kGameTypeTraditional = 1;
inline constexpr int kGameTypeVeskStyle = 2;
inline constexpr int kGameTypeZandor = 3;

inline constexpr const char* kInvalidLayoutPath = "Invalid Layout.err";

// One half-tile cell. Its own level, row and column are set when the board is
// built and never change; the three numbers are those of the tile last placed
// on it and are stale (and never read) while the cell is not occupied.
struct CBoardCell {
    uint8_t occupied = 0;
    int32_t dealIndex = 0;
    int32_t matchGroup = 0;
    int32_t face = 0;
    int32_t level = 0;
    int32_t row = 0;
    int32_t column = 0;
};

// One tile. Tiles match when their match groups are equal; dealIndex is the
// order in which the deal gave this identity and travels with it when tiles
// are shuffled. A tile's position is its cells, which never change in a game.
struct CTile {
    uint8_t present = 0;
    uint8_t selected = 0;
    uint8_t hinted = 0;
    int32_t dealIndex = 0;
    int32_t matchGroup = 0;
    int32_t face = 0;
    // Top-left, top-right, bottom-left, bottom-right; all null until the tile
    // is placed.
    std::array<CBoardCell*, kCellsPerTile> cells{};

    bool IsPlaced() const { return cells[0] != nullptr; }
};

// The board is large (the grid alone is 4,096 cells) and tiles point into its
// own grid, so it is neither copied nor moved: create it on the heap.
class CBoard {
public:
    CBoard();
    CBoard(const CBoard&) = delete;
    CBoard& operator=(const CBoard&) = delete;

    // Reads the positions and records of a layout file onto a cleared board:
    // every tile present, no faces yet. A file that is missing, short, or
    // places a tile outside the grid or not on a 2 x 2 square, and a path too
    // long for its 1,024-byte field, are refused: the board is then in its
    // constructed state apart from the path.
    bool LoadLayout(std::string_view path);

    // Rewrites the layout file at the board's path with its own positions and
    // the board's records, replacing the file atomically. The positions are
    // read back from the file first and left standing on the board without
    // faces, so callers follow with ResetBoard. Writes nothing and returns
    // false when the file can no longer be read as a layout.
    bool SaveRecords();

    // Grid and tiles back to their constructed state; path and records stay.
    void ResetBoard();
    void ClearHints();
    void ClearSelection();

    // The first tile in table order that is present and covers this cell;
    // -1 when there is none (or the position is outside the grid).
    int TileAt(int level, int row, int column) const;

    // The placed tiles' cells in drawing order. Positions change only through
    // ResetBoard, LoadLayout, SaveRecords and PlaceTile, which mark the index
    // out of date; it is rebuilt on the next use.
    const CCellIndex& CellIndex() const;

    // Puts tile `tile` on the square whose top-left cell is given, with the
    // given identity, present and its cells occupied (a saved game's tiles).
    // Refuses a tile number or square outside the grid.
    bool PlaceTile(int tile, SCellPosition topLeft, int32_t dealIndex, int32_t matchGroup, int32_t face);

    // Gives a tile an identity and writes it into the tile's four cells.
    void SetTileIdentity(int tile, int32_t dealIndex, int32_t matchGroup, int32_t face);

    CTile& Tile(int tile)
    {
        assert(tile >= 0 && tile < kTileCount);
        return tiles[tile];
    }
    const CTile& Tile(int tile) const
    {
        assert(tile >= 0 && tile < kTileCount);
        return tiles[tile];
    }
    CBoardCell& Cell(int level, int row, int column)
    {
        assert(IsInsideGrid({column, row, level}));
        return grid[level][row][column];
    }
    const CBoardCell& Cell(int level, int row, int column) const
    {
        assert(IsInsideGrid({column, row, level}));
        return grid[level][row][column];
    }
    // False for any position outside the grid. Inline: the free test asks it
    // for up to eight cells per tile.
    bool IsCellOccupied(int level, int row, int column) const
    {
        return static_cast<unsigned>(level) < kLevels && static_cast<unsigned>(row) < kRows
            && static_cast<unsigned>(column) < kColumns && grid[level][row][column].occupied != 0;
    }

    std::string_view LayoutPath() const { return layoutPath.data(); }

    // Record access by game type: 1 selects record 1 (Traditional), 2 record 2
    // (Vesk Style), any other value record 3 (Zandor).
    std::string_view GetRecordHolder(int gameType) const;
    void SetRecordHolder(int gameType, std::string_view name); // keeps at most 31 characters
    int32_t GetRecordValue(int gameType) const;
    void SetRecordValue(int gameType, int32_t value);

private:
    struct CRecord {
        std::array<char, platform::kNameFieldBytes> holder{};
        int32_t value = 0;
    };

    static int RecordIndex(int gameType);
    void SetLayoutPath(std::string_view path);
    void ResetRecords();
    void StandLayout(const SLayoutData& layout);

    std::array<std::array<std::array<CBoardCell, kColumns>, kRows>, kLevels> grid{};
    std::array<CTile, kTileCount> tiles{};
    std::array<char, platform::kPathFieldBytes> layoutPath{};
    std::array<CRecord, kRecordCount> records{};
    // A cache of the positions above, hence mutable.
    mutable CCellIndex cellIndex;
    mutable bool isCellIndexStale = true;
};

} // namespace board
