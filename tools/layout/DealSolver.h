// Decides whether a dealt board can be cleared when every face is known.
//
// Once it is settled which two tiles of each face go together, the order of
// play no longer matters: taking a pair away never makes another tile less
// free, so taking every free pair, round by round, clears the board exactly
// when some order does. What is searched is therefore the pairing: each face
// on the board four times can be split into two pairs in three ways. A face
// not yet settled is played loosely (any of its tiles goes once it and
// another of the face are free, or the other has gone), which can only make
// the game easier; so a split under which even the looser game sticks can
// never win, and splits are struck off until one pairing clears the board
// or none is left.
#pragma once

#include "board/Board.h"
#include "board/Rules.h"

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace layout_tool {

// A set of tile numbers 0..143.
struct STileMask {
    std::array<uint64_t, 3> words{};

    void Set(int tile) { words[tile >> 6] |= uint64_t{1} << (tile & 63); }
    void Clear(int tile) { words[tile >> 6] &= ~(uint64_t{1} << (tile & 63)); }
    bool Has(int tile) const { return (words[tile >> 6] >> (tile & 63)) & 1; }
    bool Intersects(const STileMask& other) const
    {
        return (words[0] & other.words[0]) | (words[1] & other.words[1]) | (words[2] & other.words[2]);
    }
    STileMask operator&(const STileMask& other) const
    {
        return {{words[0] & other.words[0], words[1] & other.words[1], words[2] & other.words[2]}};
    }
    STileMask operator|(const STileMask& other) const
    {
        return {{words[0] | other.words[0], words[1] | other.words[1], words[2] | other.words[2]}};
    }
    STileMask Minus(const STileMask& other) const
    {
        return {{words[0] & ~other.words[0], words[1] & ~other.words[1], words[2] & ~other.words[2]}};
    }
    bool IsEmpty() const { return (words[0] | words[1] | words[2]) == 0; }
    int Count() const { return std::popcount(words[0]) + std::popcount(words[1]) + std::popcount(words[2]); }
    bool operator==(const STileMask&) const = default;
};

enum class ESolveResult { Won, Lost, Unknown };

struct SSolveOutcome {
    ESolveResult result = ESolveResult::Unknown;
    uint64_t nodes = 0; // games played out
    std::vector<board::STilePair> moves; // a clearing order when won
};

inline constexpr uint64_t kDefaultNodeBudget = 200'000;

class CDealSolver {
public:
    CDealSolver() = default;
    CDealSolver(const CDealSolver&) = delete;
    CDealSolver& operator=(const CDealSolver&) = delete;

    // Solves the board as it stands: its present tiles with their match
    // groups, blocked by the game's free test. A search that plays out more
    // than nodeBudget games gives up with Unknown. Tiles that share a cell
    // are treated as both covering it. A group (a face, or the Flowers, or
    // the Seasons) may have two or four tiles, as in every deal.
    SSolveOutcome Solve(const board::CBoard& board, uint64_t nodeBudget = kDefaultNodeBudget);

private:
    static constexpr int kGroupCount = 36;
    static constexpr int kSplitCount = 3; // ways to make two pairs of four tiles
    static constexpr uint8_t kAllSplits = (1 << kSplitCount) - 1;

    using Partners = std::array<int16_t, board::kTileCount>;
    using Rounds = std::array<uint8_t, board::kTileCount>;
    // Per group of four: the splits not yet struck off. One left means the
    // group is settled.
    using Splits = std::array<uint8_t, kGroupCount>;

    enum class EProgress { Lost, OverBudget, Open };

    void ReadBoard(const board::CBoard& board);
    bool IsFreeIn(const STileMask& position, int tile) const
    {
        return !position.Intersects(above[tile])
            && (!position.Intersects(left[tile]) || !position.Intersects(right[tile]));
    }
    bool Peels(const Partners& partner, const Splits& splits, Rounds& rounds, STileMask& stuck) const;
    Partners SettledPartners(const Splits& splits) const;
    void Pair(Partners& partner, int four, int split) const;
    bool Together(const Rounds& rounds, int four, int split) const;
    int NaturalSplit(const Rounds& rounds, int four, uint8_t allowed) const;
    std::vector<board::STilePair> MovesOf(const Rounds& rounds, const Partners& partner) const;

    void KeepFitting(const Splits& splits, std::vector<uint32_t>& witnesses) const;
    std::optional<bool> PlayOut(
        const Partners& partner, const Splits& splits, std::vector<uint32_t>& witnesses, STileMask& stuck);
    EProgress Strike(Splits& splits, std::vector<uint32_t>& witnesses);
    std::optional<bool> Dive(
        const Splits& splits, const Rounds& guide, int mends, std::array<int, kGroupCount>& natural, STileMask& stuck);
    ESolveResult Search(Splits splits, std::vector<uint32_t> witnesses, int depth);

    // Per tile: the tiles lying on it, beside it on the left and on the
    // right, and the tiles it lies on or beside (whose freedom it decides).
    std::array<STileMask, board::kTileCount> above{}, left{}, right{}, blocks{};
    std::array<int, board::kTileCount> groupOf{};
    std::array<STileMask, kGroupCount> groupTiles{};
    STileMask present;
    STileMask initiallyFree;

    // The groups present four times, their tiles, and the pairs of the
    // groups present twice.
    std::vector<std::array<int16_t, 4>> fours;
    std::array<int16_t, board::kTileCount> fourOf{};
    std::array<int8_t, board::kTileCount> placeOf{};
    Partners pairs{};

    // Played-out games that cleared the board, kept as the round each tile
    // went in: such a game is also a game of any position whose settled
    // groups it took in their pairs.
    std::vector<Rounds> witnessPool;

    uint64_t nodes = 0;
    uint64_t budget = 0;
    int attempt = 0;
    std::minstd_rand jitter;
    std::vector<board::STilePair> solution;
};

} // namespace layout_tool
