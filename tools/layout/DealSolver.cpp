// The search behind `velmora-layout solve`. A position is the set of tiles
// still present; whether a tile is free depends only on that set, so the
// tiles that lie on, left of and right of each tile are worked out once per
// board as masks, and the free test becomes three mask intersections.
#include "DealSolver.h"

#include "board/Rules.h"

#include <algorithm>
#include <random>

namespace layout_tool {

using board::kColumns;
using board::kLevels;
using board::kRows;
using board::kTileCount;

namespace {

constexpr int kLostTableBits = 20;
constexpr size_t kLostTableSize = size_t{1} << kLostTableBits;
constexpr size_t kLostBucketSize = 4;
constexpr uint32_t kZobristSeed = 20231;
constexpr uint64_t kFirstAttemptNodes = 30;

// Match groups 1..34 are the faces that come four times; the Flowers and the
// Seasons make two more groups of four.
int GroupIndex(int matchGroup)
{
    if (matchGroup >= 1 && matchGroup <= 34) {
        return matchGroup - 1;
    }
    if (matchGroup == board::kFlowerGroup) {
        return 34;
    }
    if (matchGroup == board::kSeasonGroup) {
        return 35;
    }
    return -1;
}

template <typename Visit> void ForEachTile(const STileMask& mask, Visit visit)
{
    for (int w = 0; w < 3; ++w) {
        for (uint64_t bits = mask.words[w]; bits != 0; bits &= bits - 1) {
            visit(w * 64 + std::countr_zero(bits));
        }
    }
}

STileMask Without(STileMask mask, const STileMask& removed)
{
    for (int w = 0; w < 3; ++w) {
        mask.words[w] &= ~removed.words[w];
    }
    return mask;
}

} // namespace

// Only positions that were searched to the end without a win are kept; a
// position pushed out of its bucket is merely searched again.
struct CDealSolver::SLostEntry {
    STileMask present;
    uint32_t generation = 0;
};

CDealSolver::CDealSolver()
    : lost(kLostTableSize)
{
    std::mt19937_64 random(kZobristSeed);
    for (auto& key : zobrist) {
        key = random();
    }
}

CDealSolver::~CDealSolver() = default;

void CDealSolver::ReadBoard(const board::CBoard& board)
{
    // Which present tiles cover each cell.
    std::vector<STileMask> cells(size_t{kLevels} * kRows * kColumns);
    const auto cellAt = [&cells](int level, int row, int column) -> const STileMask* {
        if (level < 0 || level >= kLevels || row < 0 || row >= kRows || column < 0 || column >= kColumns) {
            return nullptr;
        }
        return &cells[(size_t(level) * kRows + row) * kColumns + column];
    };
    for (int t = 0; t < kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        if (tile.present && tile.IsPlaced()) {
            for (const board::CBoardCell* cell : tile.cells) {
                cells[(size_t(cell->level) * kRows + cell->row) * kColumns + cell->column].Set(t);
            }
        }
    }
    const auto gather = [&](STileMask& into, int level, int row, int column) {
        if (const STileMask* cell = cellAt(level, row, column)) {
            for (int w = 0; w < 3; ++w) {
                into.words[w] |= cell->words[w];
            }
        }
    };

    groupTiles = {};
    for (int t = 0; t < kTileCount; ++t) {
        above[t] = left[t] = right[t] = blocks[t] = coveredBy[t] = {};
        groupOf[t] = -1;
        const board::CTile& tile = board.Tile(t);
        if (!tile.present || !tile.IsPlaced()) {
            continue;
        }
        const int z = tile.cells[0]->level;
        const int y = tile.cells[0]->row;
        const int x = tile.cells[0]->column;
        for (int dy = 0; dy < 2; ++dy) {
            gather(above[t], z + 1, y + dy, x);
            gather(above[t], z + 1, y + dy, x + 1);
            gather(left[t], z, y + dy, x - 1);
            gather(right[t], z, y + dy, x + 2);
        }
        above[t].Clear(t);
        left[t].Clear(t);
        right[t].Clear(t);
        groupOf[t] = GroupIndex(tile.matchGroup);
        if (groupOf[t] >= 0) {
            groupTiles[groupOf[t]].Set(t);
        }
    }
    for (int t = 0; t < kTileCount; ++t) {
        ForEachTile(above[t], [&](int u) { blocks[u].Set(t); });
        ForEachTile(left[t], [&](int u) { blocks[u].Set(t); });
        ForEachTile(right[t], [&](int u) { blocks[u].Set(t); });
    }
    // Everything that lies on a tile, directly or through the tiles on it:
    // the higher levels are complete before the level below reads them.
    for (int level = kLevels - 1; level >= 0; --level) {
        for (int t = 0; t < kTileCount; ++t) {
            const board::CTile& tile = board.Tile(t);
            if (!tile.present || !tile.IsPlaced() || tile.cells[0]->level != level) {
                continue;
            }
            coveredBy[t] = above[t];
            ForEachTile(above[t], [&](int u) {
                for (int w = 0; w < 3; ++w) {
                    coveredBy[t].words[w] |= coveredBy[u].words[w];
                }
            });
            coveredBy[t].Clear(t);
        }
    }
}

STileMask CDealSolver::FreeTiles(const STileMask& present) const
{
    STileMask free;
    ForEachTile(present, [&](int t) {
        if (!present.Intersects(above[t]) && (!present.Intersects(left[t]) || !present.Intersects(right[t]))) {
            free.Set(t);
        }
    });
    return free;
}

// A pair can only be taken when both tiles are free at once, which two tiles
// can never be when one lies (through others) on the other: that one keeps
// the tiles between them, and so the lower tile, covered until it is gone.
// A position is lost when some group cannot be split into pairs that avoid
// such a cover.
bool CDealSolver::IsDeadlocked(const STileMask& present) const
{
    const auto covers = [this](int a, int b) { return coveredBy[a].Has(b) || coveredBy[b].Has(a); };
    for (const STileMask& group : groupTiles) {
        const STileMask members = present & group;
        const int count = members.Count();
        if (count % 2 != 0) {
            return true;
        }
        if (count != 2 && count != 4) {
            continue;
        }
        std::array<int, 4> tiles{};
        int n = 0;
        ForEachTile(members, [&](int t) { tiles[n++] = t; });
        if (count == 2) {
            if (covers(tiles[0], tiles[1])) {
                return true;
            }
            continue;
        }
        const bool anySplit = (!covers(tiles[0], tiles[1]) && !covers(tiles[2], tiles[3]))
            || (!covers(tiles[0], tiles[2]) && !covers(tiles[1], tiles[3]))
            || (!covers(tiles[0], tiles[3]) && !covers(tiles[1], tiles[2]));
        if (!anySplit) {
            return true;
        }
    }
    return !CanPeel(present);
}

// How many tiles taking the pair away frees: only tiles the pair lay on or
// beside can change.
int CDealSolver::NewlyFreed(const STileMask& present, int first, int second) const
{
    STileMask child = present;
    child.Clear(first);
    child.Clear(second);
    STileMask touched = blocks[first];
    for (int w = 0; w < 3; ++w) {
        touched.words[w] |= blocks[second].words[w];
    }
    int freed = 0;
    ForEachTile(child & touched, [&](int t) {
        const bool wasFree
            = !present.Intersects(above[t]) && (!present.Intersects(left[t]) || !present.Intersects(right[t]));
        const bool isFree = !child.Intersects(above[t]) && (!child.Intersects(left[t]) || !child.Intersects(right[t]));
        freed += isFree && !wasFree;
    });
    return freed;
}

// A looser game that can be won whenever the real one can: the tiles of a
// group with four left go one by one as soon as each is free, and only a
// group with two left needs both free together. Taking tiles away never
// blocks another, so taking whatever can go, until nothing more can, empties
// the board exactly when some order of the looser game does; if it sticks,
// the real game is lost. Then each group of four is tried in each of its
// three splits into fixed pairs, the others left loose: when no split of one
// group peels, the real game is lost too.
bool CDealSolver::CanPeel(const STileMask& present) const
{
    std::array<int, board::kTileCount> partner;
    partner.fill(-1);
    std::array<std::array<int, 4>, kGroupCount> fours{};
    std::array<bool, kGroupCount> isFour{};
    for (int g = 0; g < kGroupCount; ++g) {
        const STileMask members = present & groupTiles[g];
        const int count = members.Count();
        if (count == 2) {
            int first = -1;
            ForEachTile(members, [&](int t) {
                if (first < 0) {
                    first = t;
                } else {
                    partner[first] = t;
                    partner[t] = first;
                }
            });
        } else if (count == 4) {
            int n = 0;
            ForEachTile(members, [&](int t) { fours[g][n++] = t; });
            isFour[g] = true;
        }
    }
    std::array<int, board::kTileCount> round{};
    if (!Peels(present, partner, &round)) {
        return false;
    }
    static constexpr int kSplits[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};
    for (int g = 0; g < kGroupCount; ++g) {
        if (!isFour[g]) {
            continue;
        }
        const std::array<int, 4>& t = fours[g];
        // A split whose pairs went in one round each peels just the same.
        bool anySplit = false;
        for (const auto& split : kSplits) {
            anySplit
                = anySplit || (round[t[split[0]]] == round[t[split[1]]] && round[t[split[2]]] == round[t[split[3]]]);
        }
        for (const auto& split : kSplits) {
            if (anySplit) {
                break;
            }
            partner[t[split[0]]] = t[split[1]];
            partner[t[split[1]]] = t[split[0]];
            partner[t[split[2]]] = t[split[3]];
            partner[t[split[3]]] = t[split[2]];
            anySplit = Peels(present, partner, nullptr);
        }
        for (const int tile : t) {
            partner[tile] = -1;
        }
        if (!anySplit) {
            return false;
        }
    }
    return true;
}

bool CDealSolver::Peels(const STileMask& present, const std::array<int, board::kTileCount>& partner,
    std::array<int, board::kTileCount>* round) const
{
    // Passes over the tiles whose neighbourhood changed in the pass before
    // (all tiles in the first); what a pass takes goes at its end.
    STileMask remaining = present;
    STileMask candidates = present;
    const auto isFree = [this, &remaining](int t) {
        return !remaining.Intersects(above[t]) && (!remaining.Intersects(left[t]) || !remaining.Intersects(right[t]));
    };
    for (int pass = 0; !candidates.IsEmpty(); ++pass) {
        STileMask taken;
        ForEachTile(candidates, [&](int t) {
            if (!taken.Has(t) && isFree(t) && (partner[t] < 0 || isFree(partner[t]))) {
                taken.Set(t);
                if (partner[t] >= 0) {
                    taken.Set(partner[t]);
                }
            }
        });
        remaining = Without(remaining, taken);
        candidates = {};
        ForEachTile(taken, [&](int u) {
            if (round) {
                (*round)[u] = pass;
            }
            for (int w = 0; w < 3; ++w) {
                candidates.words[w] |= blocks[u].words[w] & remaining.words[w];
            }
        });
    }
    return remaining.IsEmpty();
}

bool CDealSolver::IsKnownLost(const STileMask& present, uint64_t hash) const
{
    const size_t bucket = (hash & (kLostTableSize - 1)) & ~(kLostBucketSize - 1);
    for (size_t i = bucket; i < bucket + kLostBucketSize; ++i) {
        if (lost[i].generation == generation && lost[i].present == present) {
            return true;
        }
    }
    return false;
}

void CDealSolver::RememberLost(const STileMask& present, uint64_t hash)
{
    const size_t bucket = (hash & (kLostTableSize - 1)) & ~(kLostBucketSize - 1);
    size_t slot = bucket + (hash >> 62); // replaced when the bucket is full
    for (size_t i = bucket; i < bucket + kLostBucketSize; ++i) {
        if (lost[i].generation != generation) {
            slot = i;
            break;
        }
    }
    lost[slot] = {present, generation};
}

ESolveResult CDealSolver::Search(const STileMask& start, uint64_t startHash)
{
    if (start.IsEmpty()) {
        return ESolveResult::Won;
    }
    if (++nodes > budget) {
        return ESolveResult::Unknown;
    }
    if (IsKnownLost(start, startHash)) {
        return ESolveResult::Lost;
    }
    const size_t pathLength = path.size();
    const auto lose = [&](const STileMask& position, uint64_t hash) {
        RememberLost(position, hash);
        path.resize(pathLength);
        return ESolveResult::Lost;
    };

    // A group whose present tiles are all free goes at once: any clearing
    // order still works without them, since taking tiles away never makes
    // another tile less free.
    STileMask present = start;
    uint64_t hash = startHash;
    STileMask free = FreeTiles(present);
    for (bool reduced = true; reduced;) {
        reduced = false;
        for (const STileMask& group : groupTiles) {
            const STileMask members = present & group;
            if (members.IsEmpty() || !(members == (free & group)) || members.Count() % 2 != 0) {
                continue;
            }
            int waiting = -1;
            ForEachTile(members, [&](int t) {
                hash ^= zobrist[t];
                if (waiting < 0) {
                    waiting = t;
                } else {
                    path.push_back({waiting, t});
                    waiting = -1;
                }
            });
            present = Without(present, members);
            reduced = true;
        }
        if (reduced) {
            if (present.IsEmpty()) {
                return ESolveResult::Won;
            }
            free = FreeTiles(present);
        }
    }
    if (!(present == start) && IsKnownLost(present, hash)) {
        return lose(start, startHash);
    }
    if (IsDeadlocked(present)) {
        RememberLost(present, hash);
        return lose(start, startHash);
    }

    std::array<SMove, kTileCount> moves;
    int moveCount = 0;
    const auto opens = [&](int t) { return (blocks[t] & present).Count(); };
    for (const STileMask& group : groupTiles) {
        std::array<int, 4> tiles{};
        int n = 0;
        ForEachTile(free & group, [&](int t) {
            if (n < 4) {
                tiles[n++] = t;
            }
        });
        // A free tile that lies on and beside nothing present is inert: it
        // can wait for any partner, and two of them are interchangeable. Of
        // three free tiles with an inert one, taking the other two and
        // leaving it is never worse; a pair of two inert ones frees nothing
        // and can wait for the group's last tiles.
        int inert = 0;
        bool keptWithInert = false;
        for (int i = 0; i < n; ++i) {
            inert += opens(tiles[i]) == 0;
        }
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                const int a = tiles[i];
                const int b = tiles[j];
                const int inertInPair = (opens(a) == 0) + (opens(b) == 0);
                if (inertInPair == 2 || (n == 3 && inert == 1 && inertInPair == 1)) {
                    continue;
                }
                if (n == 3 && inert == 2 && keptWithInert) {
                    continue;
                }
                keptWithInert = keptWithInert || inertInPair == 1;
                // The first attempt takes the pairs that free most first;
                // a later one, after that order failed, goes at random.
                const int score = attempt == 0 ? NewlyFreed(present, a, b) * 4 + opens(a) + opens(b)
                                               : static_cast<int>(jitter() & 0xffff);
                moves[moveCount++] = {a, b, score};
            }
        }
    }
    std::stable_sort(
        moves.begin(), moves.begin() + moveCount, [](const SMove& a, const SMove& b) { return a.score > b.score; });

    for (int m = 0; m < moveCount; ++m) {
        STileMask child = present;
        child.Clear(moves[m].first);
        child.Clear(moves[m].second);
        path.push_back({moves[m].first, moves[m].second});
        const ESolveResult result = Search(child, hash ^ zobrist[moves[m].first] ^ zobrist[moves[m].second]);
        if (result != ESolveResult::Lost) {
            return result;
        }
        path.pop_back();
    }
    if (!(present == start)) {
        RememberLost(present, hash);
    }
    return lose(start, startHash);
}

SSolveOutcome CDealSolver::Solve(const board::CBoard& board, uint64_t nodeBudget)
{
    ReadBoard(board);
    if (++generation == 0) {
        std::fill(lost.begin(), lost.end(), SLostEntry{});
        generation = 1;
    }
    nodes = 0;
    budget = nodeBudget;
    path.clear();

    STileMask present;
    uint64_t hash = 0;
    bool unmatchable = false;
    for (int t = 0; t < kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        if (tile.present && tile.IsPlaced()) {
            present.Set(t);
            hash ^= zobrist[t];
            unmatchable = unmatchable || groupOf[t] < 0;
        }
    }
    SSolveOutcome outcome;
    if (unmatchable) {
        outcome.result = ESolveResult::Lost;
    } else {
        // Attempts of doubling size: an unlucky order costs little, and the
        // positions one attempt proved lost stay known to the next.
        uint64_t attemptBudget = kFirstAttemptNodes;
        outcome.result = ESolveResult::Unknown;
        for (attempt = 0; outcome.result == ESolveResult::Unknown && nodes < nodeBudget; ++attempt) {
            budget = std::min(nodeBudget, nodes + attemptBudget);
            path.clear();
            jitter.seed(attempt * 7919 + 1);
            outcome.result = Search(present, hash);
            attemptBudget *= 2;
        }
    }
    outcome.nodes = nodes;
    if (outcome.result == ESolveResult::Won) {
        outcome.moves = path;
    }
    return outcome;
}

} // namespace layout_tool
