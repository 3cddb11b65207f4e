// Decides whether a dealt board can be cleared when every face is known: a
// depth-first search over the removal of pairs, with a table of positions
// already found lost, the reductions that can never cost a win, and a test
// that finds many lost positions without searching them.
#pragma once

#include "board/Board.h"
#include "board/Rules.h"

#include <array>
#include <bit>
#include <cstdint>
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
    uint64_t nodes = 0; // positions visited
    std::vector<board::STilePair> moves; // a clearing order when won
};

inline constexpr uint64_t kDefaultNodeBudget = 50'000;

class CDealSolver {
public:
    CDealSolver();
    ~CDealSolver();
    CDealSolver(const CDealSolver&) = delete;
    CDealSolver& operator=(const CDealSolver&) = delete;

    // Solves the board as it stands: its present tiles with their match
    // groups, blocked by the game's free test. A search that visits more
    // than nodeBudget positions gives up with Unknown. Tiles that share a
    // cell are treated as both covering it. A group (a face, or the Flowers,
    // or the Seasons) may have two or four tiles, as in every deal.
    SSolveOutcome Solve(const board::CBoard& board, uint64_t nodeBudget = kDefaultNodeBudget);

private:
    static constexpr int kGroupCount = 36;
    static constexpr int kSplitCount = 3; // ways to make two pairs of four tiles
    static constexpr int kCheckCount = kGroupCount * kSplitCount;
    static constexpr int kMaxDepth = board::kTileCount / 2 + 2;

    // A pair of tiles found free and matching, with how much its removal is
    // likely to open up.
    struct SMove {
        int first;
        int second;
        int score;
    };

    using Partners = std::array<int16_t, board::kTileCount>;
    using Rounds = std::array<uint8_t, board::kTileCount>;

    // Whether the looser game peels with one group of four split into the
    // given pairs, and the evidence: the round each tile went in when it
    // peels, the tiles it stuck on when it does not. Evidence is stored per
    // depth and slot; a position inherits its parent's where it still holds.
    enum class ECheck : uint8_t { Untested, Peels, Sticks };
    static constexpr uint16_t kNoEvidence = 0xffff;
    struct SSplitCheck {
        ECheck state = ECheck::Untested;
        uint16_t evidence = 0;
    };
    // What the search knows about the position at one depth.
    struct SLevel {
        STileMask present;
        std::array<uint8_t, kGroupCount> count{};
        std::array<SSplitCheck, kCheckCount> checks{};
        std::array<uint8_t, kGroupCount> peelingSplits{}; // a bit per split
    };

    void ReadBoard(const board::CBoard& board);
    STileMask FreeTiles(const STileMask& present) const;
    bool IsFreeIn(const STileMask& present, int tile) const
    {
        return !present.Intersects(above[tile]) && (!present.Intersects(left[tile]) || !present.Intersects(right[tile]));
    }
    bool CanStillBeWon(int depth, const STileMask& free);
    // Where a peel starts: the tiles left, those free among them, those
    // already gone and the number of the first round.
    struct SPeelStart {
        STileMask remaining;
        STileMask free;
        STileMask gone;
        int round = 0;
    };
    bool Peels(const SPeelStart& start, const Partners& partner, Rounds* rounds, STileMask* stuck) const;
    int NewlyFreed(const STileMask& present, int first, int second) const;
    ESolveResult Search(const STileMask& present, uint64_t hash, int depth);
    bool IsKnownLost(const STileMask& present, uint64_t hash) const;
    void RememberLost(const STileMask& present, uint64_t hash);

    // Per tile: the tiles lying on it, beside it on the left and on the
    // right, and the tiles it lies on or beside (whose freedom it decides).
    std::array<STileMask, board::kTileCount> above{}, left{}, right{}, blocks{};
    // Per tile: every tile it lies on, directly or through others.
    std::array<STileMask, board::kTileCount> below{};
    std::array<int, board::kTileCount> groupOf{};
    std::array<STileMask, kGroupCount> groupTiles{};
    std::array<uint64_t, board::kTileCount> zobrist{};

    std::vector<SLevel> levels;
    std::vector<Rounds> witnessRounds; // [depth * kCheckCount + slot]
    std::vector<STileMask> stuckTiles; // the same

    struct SLostEntry;
    std::vector<SLostEntry> lost;
    uint32_t generation = 0;

    uint64_t nodes = 0;
    int attempt = 0;
    std::minstd_rand jitter;
    uint64_t budget = 0;
    std::vector<board::STilePair> path;
};

} // namespace layout_tool
