// The tile rules.
#include "board/Rules.h"

#include "board/Random.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace board {
namespace {

inline constexpr int kLastPairedFace = 34;
inline constexpr int kLastFlowerFace = 38;
inline constexpr int kTopLevel = kLevels - 1;
// A tile at this column or further right has nothing beside it on the right.
inline constexpr int kRightEdgeColumn = kColumns - 2;

bool IsPresentAndFree(const CBoard& board, int tile) { return board.Tile(tile).present && IsTileFree(board, tile); }

void ExchangeIdentities(CBoard& board, int first, int second)
{
    const CTile a = board.Tile(first);
    const CTile& b = board.Tile(second);
    board.SetTileIdentity(first, b.dealIndex, b.matchGroup, b.face);
    board.SetTileIdentity(second, a.dealIndex, a.matchGroup, a.face);
}

void TakeOffBoard(CBoard& board, int tile)
{
    CTile& taken = board.Tile(tile);
    taken.present = 0;
    for (CBoardCell* cell : taken.cells) {
        if (cell) {
            cell->occupied = 0;
        }
    }
}

} // namespace

int CopiesOfFace(int face) { return face <= kLastPairedFace ? 4 : 1; }

int MatchGroupOfFace(int face)
{
    if (face <= kLastPairedFace) {
        return face;
    }
    return face <= kLastFlowerFace ? kFlowerGroup : kSeasonGroup;
}

bool IsTileFree(const CBoard& board, int tile)
{
    const CBoardCell* topLeft = board.Tile(tile).cells[0];
    if (!topLeft) {
        return false;
    }
    const int z = topLeft->level;
    const int y = topLeft->row;
    const int x = topLeft->column;
    // A placed tile's square lies inside the grid; IsCellOccupied would read
    // nothing outside it even if it did not.
    assert(y + 1 < kRows && x + 1 < kColumns);

    const auto occupied = [&board](int level, int row, int column) { return board.IsCellOccupied(level, row, column); };
    if (z < kTopLevel
        && (occupied(z + 1, y, x) || occupied(z + 1, y, x + 1) || occupied(z + 1, y + 1, x)
            || occupied(z + 1, y + 1, x + 1))) {
        return false;
    }
    if (x == 0) {
        return true;
    }
    if (!occupied(z, y, x - 1) && !occupied(z, y + 1, x - 1)) {
        return true;
    }
    if (x >= kRightEdgeColumn) {
        return true;
    }
    return !occupied(z, y, x + 2) && !occupied(z, y + 1, x + 2);
}

bool TilesMatch(const CBoard& board, int first, int second)
{
    return first != second && board.Tile(first).matchGroup == board.Tile(second).matchGroup;
}

int CountAvailablePairs(const CBoard& board)
{
    // k free tiles of one group make k * (k - 1) / 2 pairs; sorting the groups
    // of the free tiles puts each group's tiles in one run.
    std::array<int32_t, kTileCount> groups{};
    int count = 0;
    for (int t = 0; t < kTileCount; ++t) {
        if (IsPresentAndFree(board, t)) {
            groups[count++] = board.Tile(t).matchGroup;
        }
    }
    std::sort(groups.begin(), groups.begin() + count);
    int pairs = 0;
    for (int start = 0; start < count;) {
        int end = start + 1;
        while (end < count && groups[end] == groups[start]) {
            ++end;
        }
        const int run = end - start;
        pairs += run * (run - 1) / 2;
        start = end;
    }
    return pairs;
}

std::optional<STilePair> FindFirstPair(const CBoard& board)
{
    for (int i = 0; i < kTileCount; ++i) {
        if (!IsPresentAndFree(board, i)) {
            continue;
        }
        for (int j = 0; j < kTileCount; ++j) {
            if (TilesMatch(board, i, j) && IsPresentAndFree(board, j)) {
                return STilePair{i, j};
            }
        }
    }
    return std::nullopt;
}

bool FindHintPair(CBoard& board)
{
    const auto pair = FindFirstPair(board);
    if (!pair) {
        return false;
    }
    board.Tile(pair->first).hinted = 1;
    board.Tile(pair->second).hinted = 1;
    return true;
}

bool DealFaces(CBoard& board)
{
    for (int t = 0; t < kTileCount; ++t) {
        if (!board.Tile(t).present || !board.Tile(t).IsPlaced()) {
            return false;
        }
    }
    // A tile still to be dealt is recognised by match group 0, so a second
    // deal starts from a clean table instead of searching forever.
    for (int t = 0; t < kTileCount; ++t) {
        board.SetTileIdentity(t, 0, 0, 0);
    }
    SeedRandomFromClock();
    int dealCounter = 0;
    for (int face = 1; face <= kFaceCount; ++face) {
        for (int copy = 0; copy < CopiesOfFace(face); ++copy) {
            int tile = DrawRandomTile();
            while (board.Tile(tile).matchGroup != 0) {
                tile = DrawRandomTile();
            }
            board.SetTileIdentity(tile, dealCounter, MatchGroupOfFace(face), face);
            for (CBoardCell* cell : board.Tile(tile).cells) {
                cell->occupied = 1;
            }
            ++dealCounter;
        }
    }
    return true;
}

void Shuffle(CBoard& board)
{
    SeedRandomFromClock();
    for (int pass = 0; pass < kShufflePasses; ++pass) {
        for (int i = 0; i < kTileCount; ++i) {
            if (!board.Tile(i).present) {
                continue;
            }
            const int j = DrawRandomTile();
            if (board.Tile(j).present) {
                ExchangeIdentities(board, i, j);
            }
        }
    }
}

int ShuffleUntilPlayable(CBoard& board)
{
    int shuffles = 0;
    while (shuffles < kMaxExtraShuffles && CountAvailablePairs(board) == 0) {
        Shuffle(board);
        ++shuffles;
    }
    return shuffles;
}

bool DealNewGame(CBoard& board)
{
    if (!DealFaces(board)) {
        return false;
    }
    Shuffle(board);
    ShuffleUntilPlayable(board);
    return true;
}

void RemovePair(CBoard& board, int first, int second)
{
    TakeOffBoard(board, first);
    TakeOffBoard(board, second);
    board.ClearSelection();
}

bool CheckGameEnd(CBoard& board, int gameType, int32_t& clockMs)
{
    int present = 0;
    int free = 0;
    for (int t = 0; t < kTileCount; ++t) {
        if (board.Tile(t).present) {
            ++present;
            free += IsTileFree(board, t) ? 1 : 0;
        }
    }
    if (present == 0) {
        return true;
    }
    if (free >= 2) {
        return false;
    }
    const int64_t penaltyMs = int64_t{kStuckTilePenaltyMs} * present;
    const int64_t charged
        = gameType == kGameTypeVeskStyle ? int64_t{clockMs} - penaltyMs : int64_t{clockMs} + penaltyMs;
    // The clock is a signed 32-bit count; saturate rather than wrap.
    clockMs = static_cast<int32_t>(
        std::clamp<int64_t>(charged, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    board.ResetBoard();
    return true;
}

} // namespace board
