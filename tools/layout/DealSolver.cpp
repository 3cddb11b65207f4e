// The search behind `velmora-layout solve`. A position is the set of tiles
// still present; whether a tile is free depends only on that set, so the
// tiles that lie on, left of and right of each tile are worked out once per
// board as masks, and the free test becomes three mask intersections.
#include "DealSolver.h"

#include "board/Rules.h"

#include <algorithm>
#include <cassert>
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
// The first attempt follows the ordering heuristic alone; each later one
// gets kGrowthPercent more positions and breaks the heuristic's ties, and
// some of its preferences, at random.
constexpr uint64_t kFirstAttemptNodes = 200;
constexpr uint64_t kGrowthPercent = 125;
constexpr int kFreedWeight = 4;
constexpr int kBelowWeight = 1;
constexpr int kHeuristicWeight = 16;
constexpr unsigned kNoise = 128;


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

} // namespace

// Only positions that were searched to the end without a win are kept; a
// position pushed out of its bucket is merely searched again.
struct CDealSolver::SLostEntry {
    STileMask present;
    uint32_t generation = 0;
};

CDealSolver::CDealSolver()
    : levels(kMaxDepth)
    , witnessRounds(size_t{kMaxDepth} * kCheckCount)
    , stuckTiles(size_t{kMaxDepth} * kCheckCount)
    , lost(kLostTableSize)
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
        above[t] = left[t] = right[t] = blocks[t] = below[t] = {};
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
    // Every tile a tile lies on, directly or through others: a tile's
    // supports are complete once the levels below it are.
    for (int level = 0; level < kLevels; ++level) {
        for (int t = 0; t < kTileCount; ++t) {
            const board::CTile& tile = board.Tile(t);
            if (!tile.present || !tile.IsPlaced() || tile.cells[0]->level != level) {
                continue;
            }
            below[t] = {};
            for (int u = 0; u < kTileCount; ++u) {
                if (above[u].Has(t)) {
                    below[t] = below[t] | below[u];
                    below[t].Set(u);
                }
            }
        }
    }
}

STileMask CDealSolver::FreeTiles(const STileMask& present) const
{
    STileMask free;
    ForEachTile(present, [&](int t) {
        if (IsFreeIn(present, t)) {
            free.Set(t);
        }
    });
    return free;
}

// How many tiles taking the pair away frees: only tiles the pair lay on or
// beside can change.
int CDealSolver::NewlyFreed(const STileMask& present, int first, int second) const
{
    STileMask child = present;
    child.Clear(first);
    child.Clear(second);
    int freed = 0;
    ForEachTile(child & (blocks[first] | blocks[second]),
        [&](int t) { freed += IsFreeIn(child, t) && !IsFreeIn(present, t); });
    return freed;
}

// The looser game: a tile with a partner goes only together with it, both
// free; a tile of a group still four strong goes alone, once it is free and
// another of its group is free too or already gone. Every clearing order of
// the real game is one of the looser game, and taking a tile away never
// stops another from going, so taking whatever can go, round by round,
// empties the board exactly when some order of the looser game does. In a
// round every tile is judged by the position at its start.
bool CDealSolver::Peels(const SPeelStart& start, const Partners& partner, Rounds* rounds, STileMask* stuck) const
{
    STileMask remaining = start.remaining;
    STileMask free = start.free;
    STileMask gone = start.gone;
    for (int round = start.round;; ++round) {
        const STileMask freeOrGone = free | gone;
        STileMask taken;
        ForEachTile(free, [&](int t) {
            const int mate = partner[t];
            if (mate >= 0) {
                if (free.Has(mate)) {
                    taken.Set(t);
                }
                return;
            }
            STileMask mates = groupTiles[groupOf[t]] & freeOrGone;
            mates.Clear(t);
            if (!mates.IsEmpty()) {
                taken.Set(t);
            }
        });
        if (taken.IsEmpty()) {
            break;
        }
        remaining = remaining.Minus(taken);
        gone = gone | taken;
        free = free.Minus(taken);
        STileMask touched;
        ForEachTile(taken, [&](int u) {
            touched = touched | blocks[u];
            if (rounds) {
                (*rounds)[u] = static_cast<uint8_t>(round);
            }
        });
        ForEachTile((touched & remaining).Minus(free), [&](int t) {
            if (IsFreeIn(remaining, t)) {
                free.Set(t);
            }
        });
    }
    if (stuck) {
        *stuck = remaining;
    }
    return remaining.IsEmpty();
}

// The position is lost when the looser game sticks with the groups of two
// paired; more sharply, each group of four must peel in one of its three
// splits into pairs (the others loose), and only the pairs of the splits
// that peel can ever be taken. Most answers carry over from the parent:
// a peel's rounds still peel the smaller position unless a group just
// paired off had its two tiles go in different rounds, and a peel that
// stuck still sticks unless a removed tile was among those it stuck on.
bool CDealSolver::CanStillBeWon(int depth, const STileMask& free)
{
    static constexpr int kSplits[kSplitCount][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};
    SLevel& level = levels[depth];
    const SLevel* parent = depth > 0 ? &levels[depth - 1] : nullptr;
    const STileMask removed = parent ? parent->present.Minus(level.present) : STileMask{};

    Partners partner;
    partner.fill(-1);
    std::array<std::array<int, 4>, kGroupCount> fours{};
    // The group just taken from four to two, if any: moves take one pair,
    // reductions whole groups.
    std::array<int, 2> newlyPaired{};
    int newlyPairedCount = 0;
    bool anyFour = false;
    for (int g = 0; g < kGroupCount; ++g) {
        const int count = level.count[g];
        if (count == 0) {
            continue;
        }
        std::array<int, 4> tiles{};
        int n = 0;
        ForEachTile(level.present & groupTiles[g], [&](int t) { tiles[n++] = t; });
        if (count == 2) {
            partner[tiles[0]] = static_cast<int16_t>(tiles[1]);
            partner[tiles[1]] = static_cast<int16_t>(tiles[0]);
            if (parent && parent->count[g] == 4) {
                newlyPaired = {tiles[0], tiles[1]};
                ++newlyPairedCount;
            }
        } else {
            fours[g] = tiles;
            anyFour = true;
        }
    }
    if (!anyFour) {
        return Peels({level.present, free, {}, 0}, partner, nullptr, nullptr);
    }

    assert(newlyPairedCount <= 1);
    // Inherit what still holds. A peel whose rounds took the newly paired
    // tiles apart is mended by holding the earlier one back to the later
    // one's round, which works unless a tile it lies on or beside went in
    // between and needed it gone; each mended peel is made once. One that
    // cannot be mended so is peeled again from the earlier one's round.
    std::array<uint16_t, kCheckCount> peelAgainFrom;
    peelAgainFrom.fill(kNoEvidence);
    std::array<std::pair<uint16_t, SSplitCheck>, kCheckCount> mended{};
    int mendedCount = 0;
    const auto Repaired = [&](SSplitCheck check, int slot) -> SSplitCheck {
        const Rounds& rounds = witnessRounds[check.evidence];
        int early = newlyPaired[0];
        int late = newlyPaired[1];
        if (rounds[early] == rounds[late]) {
            return check;
        }
        if (rounds[early] > rounds[late]) {
            std::swap(early, late);
        }
        for (int i = 0; i < mendedCount; ++i) {
            if (mended[i].first == check.evidence) {
                return mended[i].second;
            }
        }
        const uint8_t from = rounds[early];
        const uint8_t to = rounds[late];
        bool holds = true;
        ForEachTile(blocks[early] & level.present, [&](int u) {
            if (!holds || rounds[u] <= from || rounds[u] > to) {
                return;
            }
            STileMask then;
            ForEachTile(level.present, [&](int v) {
                if (rounds[v] >= rounds[u]) {
                    then.Set(v);
                }
            });
            then.Set(early);
            holds = IsFreeIn(then, u);
        });
        SSplitCheck result;
        if (holds) {
            const auto evidence = static_cast<uint16_t>(depth * kCheckCount + slot);
            witnessRounds[evidence] = rounds;
            witnessRounds[evidence][early] = to;
            result = {ECheck::Peels, evidence};
        }
        mended[mendedCount++] = {check.evidence, result};
        return result;
    };
    std::array<uint16_t, kCheckCount> witnesses{};
    int witnessCount = 0;
    const auto addWitness = [&](uint16_t evidence) {
        if (std::find(witnesses.begin(), witnesses.begin() + witnessCount, evidence)
            == witnesses.begin() + witnessCount) {
            witnesses[witnessCount++] = evidence;
        }
    };
    for (int g = 0; g < kGroupCount; ++g) {
        if (level.count[g] != 4) {
            continue;
        }
        for (int s = 0; s < kSplitCount; ++s) {
            const int slot = g * kSplitCount + s;
            SSplitCheck check;
            if (parent && parent->count[g] == 4) {
                check = parent->checks[slot];
            }
            if (check.state == ECheck::Peels && newlyPairedCount > 0) {
                const uint16_t inherited = check.evidence;
                check = Repaired(check, slot);
                if (check.state == ECheck::Untested) {
                    peelAgainFrom[slot] = inherited;
                }
            } else if (check.state == ECheck::Sticks && stuckTiles[check.evidence].Intersects(removed)) {
                check.state = ECheck::Untested;
            }
            level.checks[slot] = check;
            if (check.state == ECheck::Peels) {
                addWitness(check.evidence);
            }
        }
    }

    // Decide the rest: by a peel of this position whose rounds happen to
    // take the split's pairs together, or by peeling. The search needs
    // every split that could take a pair free now; of the others, one that
    // peels is enough.
    for (int g = 0; g < kGroupCount; ++g) {
        if (level.count[g] != 4) {
            continue;
        }
        level.peelingSplits[g] = 0;
        const std::array<int, 4>& t = fours[g];
        int wanted = 0;
        for (int s = 0; s < kSplitCount; ++s) {
            const bool firstPairFree = free.Has(t[kSplits[s][0]]) && free.Has(t[kSplits[s][1]]);
            const bool secondPairFree = free.Has(t[kSplits[s][2]]) && free.Has(t[kSplits[s][3]]);
            wanted |= (firstPairFree || secondPairFree) ? 1 << s : 0;
        }
        for (int order = 0; order < 2 * kSplitCount; ++order) {
            // The wanted splits first, then the others.
            const int s = order % kSplitCount;
            if (((wanted >> s) & 1) != (order < kSplitCount) || (order >= kSplitCount && level.peelingSplits[g] != 0)) {
                continue;
            }
            const int slot = g * kSplitCount + s;
            SSplitCheck& check = level.checks[slot];
            const int a = t[kSplits[s][0]], b = t[kSplits[s][1]], c = t[kSplits[s][2]], d = t[kSplits[s][3]];
            for (int w = 0; w < witnessCount && check.state == ECheck::Untested; ++w) {
                const Rounds& rounds = witnessRounds[witnesses[w]];
                if (rounds[a] == rounds[b] && rounds[c] == rounds[d]) {
                    check = {ECheck::Peels, witnesses[w]};
                }
            }
            if (check.state == ECheck::Untested) {
                const auto evidence = static_cast<uint16_t>(depth * kCheckCount + slot);
                partner[a] = static_cast<int16_t>(b);
                partner[b] = static_cast<int16_t>(a);
                partner[c] = static_cast<int16_t>(d);
                partner[d] = static_cast<int16_t>(c);
                SPeelStart peelStart{level.present, free, {}, 0};
                if (peelAgainFrom[slot] != kNoEvidence) {
                    // The earlier rounds of the old peel still hold.
                    const Rounds& old = witnessRounds[peelAgainFrom[slot]];
                    peelStart.round = std::min(old[newlyPaired[0]], old[newlyPaired[1]]);
                    peelStart.remaining = {};
                    ForEachTile(level.present, [&](int u) {
                        if (old[u] >= peelStart.round) {
                            peelStart.remaining.Set(u);
                        }
                    });
                    peelStart.gone = level.present.Minus(peelStart.remaining);
                    peelStart.free = FreeTiles(peelStart.remaining);
                    witnessRounds[evidence] = old;
                }
                const bool peels = Peels(peelStart, partner, &witnessRounds[evidence], &stuckTiles[evidence]);
                partner[a] = partner[b] = partner[c] = partner[d] = -1;
                check = {peels ? ECheck::Peels : ECheck::Sticks, evidence};
                if (peels) {
                    addWitness(evidence);
                }
            }
            if (check.state == ECheck::Peels) {
                level.peelingSplits[g] |= uint8_t(1u << s);
            }
        }
        if (level.peelingSplits[g] == 0) {
            return false;
        }
    }
    return true;
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

ESolveResult CDealSolver::Search(const STileMask& start, uint64_t startHash, int depth)
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
            if (members.IsEmpty() || !(members == (free & group))) {
                continue;
            }
            int waiting = -1;
            int count = 0;
            ForEachTile(members, [&](int) { ++count; });
            if (count % 2 != 0) {
                continue;
            }
            ForEachTile(members, [&](int t) {
                hash ^= zobrist[t];
                if (waiting < 0) {
                    waiting = t;
                } else {
                    path.push_back({waiting, t});
                    waiting = -1;
                }
            });
            present = present.Minus(members);
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

    SLevel& level = levels[depth];
    level.present = present;
    level.count = {};
    bool odd = false;
    ForEachTile(present, [&](int t) { ++level.count[groupOf[t]]; });
    for (const uint8_t count : level.count) {
        odd = odd || count % 2 != 0;
    }
    if (odd || !CanStillBeWon(depth, free)) {
        RememberLost(present, hash);
        return lose(start, startHash);
    }

    std::array<SMove, kTileCount> moves;
    int moveCount = 0;
    const auto opens = [&](int t) { return (blocks[t] & present).Count(); };
    for (int g = 0; g < kGroupCount; ++g) {
        // Each tile's place among the group's present tiles, which names
        // the splits of a group of four.
        std::array<int, 4> members{};
        int memberCount = 0;
        ForEachTile(present & groupTiles[g], [&](int t) { members[memberCount++ & 3] = t; });
        std::array<int, 4> tiles{};
        std::array<int, 4> place{};
        int n = 0;
        for (int i = 0; i < memberCount; ++i) {
            if (free.Has(members[i])) {
                place[n] = i;
                tiles[n++] = members[i];
            }
        }
        // The split of four that pairs places i < j.
        const auto splitOf = [](int i, int j) { return i == 0 ? j - 1 : 5 - (i + j); };
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
                if (memberCount == 4 && !((level.peelingSplits[g] >> splitOf(place[i], place[j])) & 1)) {
                    continue;
                }
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
                const int heuristic = NewlyFreed(present, a, b) * kFreedWeight + opens(a) + opens(b)
                    + kBelowWeight * ((below[a] & present).Count() + (below[b] & present).Count());
                const int score = attempt == 0 ? heuristic
                                               : heuristic * kHeuristicWeight + static_cast<int>(jitter() % kNoise);
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
        const ESolveResult result
            = Search(child, hash ^ zobrist[moves[m].first] ^ zobrist[moves[m].second], depth + 1);
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
            outcome.result = Search(present, hash, 0);
            attemptBudget = attemptBudget * kGrowthPercent / 100;
        }
    }
    outcome.nodes = nodes;
    if (outcome.result == ESolveResult::Won) {
        outcome.moves = path;
    }
    return outcome;
}

} // namespace layout_tool
