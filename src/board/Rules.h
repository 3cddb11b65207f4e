// The rules of the game that work on a board alone: which tiles are free,
// which match, the deal, the shuffle, the hint, removing a pair and the end of
// a game.
#pragma once

#include "board/Board.h"

#include <cstdint>
#include <optional>

namespace board {

inline constexpr int kFaceCount = 42;
inline constexpr int kFlowerGroup = 101;
inline constexpr int kSeasonGroup = 102;
inline constexpr int kShufflePasses = 10;
inline constexpr int kMaxExtraShuffles = 10000;
// What a game that ends with tiles left but no move possible is charged per
// remaining tile.
inline constexpr int32_t kStuckTilePenaltyMs = 15000;

// Faces 1..34 come four times and match their own face; the Flowers (35..38)
// and the Seasons (39..42) come once and match any tile of their family.
int CopiesOfFace(int face);
int MatchGroupOfFace(int face);

// True when nothing lies on the tile (even half over it) and one of its long
// sides is open. Does not look at the tile's present flag: callers test that.
// A tile that was never placed is not free.
bool IsTileFree(const CBoard& board, int tile);

// Two different tiles match when their match groups are equal.
bool TilesMatch(const CBoard& board, int first, int second);

// The number of unordered pairs of present, free, matching tiles: three free
// tiles of one group give 3, four give 6. 0 means no move without a shuffle.
int CountAvailablePairs(const CBoard& board);

struct STilePair {
    int first = -1;
    int second = -1;
    bool operator==(const STilePair&) const = default;
};

// The first pair in tile order (lowest first tile, then lowest partner) of
// present, free, matching tiles, without marking it.
std::optional<STilePair> FindFirstPair(const CBoard& board);

// Marks the first pair as hinted; false (and nothing marked) when none exists.
bool FindHintPair(CBoard& board);

// Gives every tile of a freshly loaded layout its face: faces in order 1..42,
// each copy on a random tile that has none yet; dealIndex counts 0..143 in
// that order. Refuses (false, nothing changed) a board whose tiles are not
// all placed, as after a refused layout.
bool DealFaces(CBoard& board);

// Ten passes over the tiles, each present tile exchanging its identity with a
// random present tile. Positions, present, selected and hinted flags stay.
void Shuffle(CBoard& board);

// While no pair is available, shuffles again, at most 10,000 times; the board
// keeps its last arrangement when the limit is reached. Returns the number of
// shuffles done.
int ShuffleUntilPlayable(CBoard& board);

// A new game on a freshly loaded layout: deal, shuffle, then shuffle until a
// pair is available. False when the deal was refused.
bool DealNewGame(CBoard& board);

// Takes both tiles off the board (present flags and their cells' occupied
// flags) and clears every selection.
void RemovePair(CBoard& board, int first, int second);

// True when the game has ended: the board is empty, or fewer than two present
// tiles are free so that no move is ever possible again. In the latter case
// the clock is charged 15,000 ms per remaining tile (taken off the time left
// for Vesk Style, added for every other type) and the board is reset.
bool CheckGameEnd(CBoard& board, int gameType, int32_t& clockMs);

} // namespace board
