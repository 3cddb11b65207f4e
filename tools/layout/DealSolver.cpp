// The search behind `velmora-layout solve`. Whether a tile is free depends
// only on the set of tiles still present, so the tiles that lie on, left of
// and right of each tile are worked out once per board as masks, and the
// free test becomes three mask intersections.
#include "DealSolver.h"

#include "board/Rules.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace layout_tool {

using board::kColumns;
using board::kLevels;
using board::kRows;
using board::kTileCount;

namespace {

// The three ways to make two pairs of a group's four tiles, by their places
// among the group's tiles.
// How many changes a suggested pairing gets before the search goes on: many
// for the first, whose groups are all open, a few further down.
constexpr int kRootMends = 200;
constexpr int kMends = 10;
constexpr int kRest = 5;
// The first attempt is this many games long; each later one is longer by
// kGrowthPercent and chooses the group it settles with some noise.
constexpr uint64_t kFirstAttemptNodes = 2000;
constexpr uint64_t kGrowthPercent = 150;
constexpr int kKeyScale = 16;
constexpr unsigned kKeyNoise = 64;

constexpr int kSplits[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};
// Under each split, the place of each place's partner.
constexpr int kMateOf[3][4] = {{1, 0, 3, 2}, {2, 3, 0, 1}, {3, 2, 1, 0}};

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

bool IsSettled(uint8_t splits)
{
    return std::has_single_bit(splits);
}

} // namespace

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
        above[t] = left[t] = right[t] = blocks[t] = {};
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
}

// Plays a game out, every tile that can go going in each round; a tile with
// a partner goes only together with it, a tile of an unsettled group once it
// is free and another of its group is free too or already gone. In a round
// every tile is judged by the position at its start. Fills in the round each
// tile went in, or the tiles left when the game sticks.
bool CDealSolver::Peels(const Partners& partner, const Splits& splits, Rounds& rounds, STileMask& stuck) const
{
    STileMask remaining = present;
    STileMask free = initiallyFree;
    STileMask gone;
    for (int round = 0;; ++round) {
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
            const std::array<int16_t, 4>& group = fours[fourOf[t]];
            const int place = placeOf[t];
            for (uint8_t open = splits[fourOf[t]]; open != 0; open &= uint8_t(open - 1)) {
                if (freeOrGone.Has(group[kMateOf[std::countr_zero(open)][place]])) {
                    taken.Set(t);
                    break;
                }
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
            rounds[u] = static_cast<uint8_t>(round);
        });
        ForEachTile((touched & remaining).Minus(free), [&](int t) {
            if (IsFreeIn(remaining, t)) {
                free.Set(t);
            }
        });
    }
    stuck = remaining;
    return remaining.IsEmpty();
}

void CDealSolver::Pair(Partners& partner, int four, int split) const
{
    const std::array<int16_t, 4>& t = fours[four];
    const int* places = kSplits[split];
    partner[t[places[0]]] = t[places[1]];
    partner[t[places[1]]] = t[places[0]];
    partner[t[places[2]]] = t[places[3]];
    partner[t[places[3]]] = t[places[2]];
}

// The pairs of the groups of two and of the settled groups of four.
CDealSolver::Partners CDealSolver::SettledPartners(const Splits& splits) const
{
    Partners partner = pairs;
    for (size_t i = 0; i < fours.size(); ++i) {
        if (IsSettled(splits[i])) {
            Pair(partner, int(i), std::countr_zero(splits[i]));
        }
    }
    return partner;
}

// Whether a played-out game took the group's tiles in the split's pairs,
// each pair in one round: then it is also a game with the group so split.
bool CDealSolver::Together(const Rounds& rounds, int four, int split) const
{
    const std::array<int16_t, 4>& t = fours[four];
    const int* places = kSplits[split];
    return rounds[t[places[0]]] == rounds[t[places[1]]] && rounds[t[places[2]]] == rounds[t[places[3]]];
}

// Of the allowed splits, the one whose pairs went closest together in a
// played-out game: holding a tile back the fewest rounds for its partner
// blocks the least.
int CDealSolver::NaturalSplit(const Rounds& rounds, int four, uint8_t allowed) const
{
    const std::array<int16_t, 4>& t = fours[four];
    int best = -1;
    int bestGap = 0;
    for (int s = 0; s < kSplitCount; ++s) {
        if (!((allowed >> s) & 1)) {
            continue;
        }
        const int* places = kSplits[s];
        const int gap = std::abs(rounds[t[places[0]]] - rounds[t[places[1]]])
            + std::abs(rounds[t[places[2]]] - rounds[t[places[3]]]);
        if (best < 0 || gap < bestGap) {
            best = s;
            bestGap = gap;
        }
    }
    return best;
}

// A game that took every tile with its partner, as a clearing order: the
// pairs of one round were all free at its start, and taking the earlier
// ones away keeps them free.
std::vector<board::STilePair> CDealSolver::MovesOf(const Rounds& rounds, const Partners& partner) const
{
    std::vector<board::STilePair> moves;
    ForEachTile(present, [&](int t) {
        if (t < partner[t]) {
            moves.push_back({t, partner[t]});
        }
    });
    std::stable_sort(moves.begin(), moves.end(),
        [&](const board::STilePair& a, const board::STilePair& b) { return rounds[a.first] < rounds[b.first]; });
    return moves;
}

// Keeps only the played-out games that took each settled group in its
// pairs: those are games of the position too.
void CDealSolver::KeepFitting(const Splits& splits, std::vector<uint32_t>& witnesses) const
{
    std::erase_if(witnesses, [&](uint32_t w) {
        for (int i = 0; i < int(fours.size()); ++i) {
            if (IsSettled(splits[i]) && !Together(witnessPool[w], i, std::countr_zero(splits[i]))) {
                return true;
            }
        }
        return false;
    });
}

// Plays a game out with the given pairs, counted against the budget; one
// that clears the board is kept as a witness.
std::optional<bool> CDealSolver::PlayOut(
    const Partners& partner, const Splits& splits, std::vector<uint32_t>& witnesses, STileMask& stuck)
{
    if (nodes >= budget) {
        return std::nullopt;
    }
    ++nodes;
    Rounds rounds;
    if (!Peels(partner, splits, rounds, stuck)) {
        return false;
    }
    witnesses.push_back(uint32_t(witnessPool.size()));
    witnessPool.push_back(rounds);
    return true;
}

// Strikes off every split under which even the looser game sticks, until
// each split left has a game that clears the board to show for it. A split
// shown by one of the games already played needs no game of its own.
CDealSolver::EProgress CDealSolver::Strike(Splits& splits, std::vector<uint32_t>& witnesses)
{
    Partners settled = SettledPartners(splits);
    STileMask stuck;
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < int(fours.size()); ++i) {
            const bool wasSettled = IsSettled(splits[i]);
            for (int s = 0; s < kSplitCount; ++s) {
                if (!((splits[i] >> s) & 1)) {
                    continue;
                }
                const bool shown = std::any_of(witnesses.begin(), witnesses.end(),
                    [&](uint32_t w) { return Together(witnessPool[w], i, s); });
                if (shown) {
                    continue;
                }
                Partners partner = settled;
                Pair(partner, i, s);
                const auto cleared = PlayOut(partner, splits, witnesses, stuck);
                if (!cleared) {
                    return EProgress::OverBudget;
                }
                if (!*cleared) {
                    splits[i] &= uint8_t(~(1u << s));
                    changed = true;
                }
            }
            if (splits[i] == 0) {
                return EProgress::Lost;
            }
            if (!wasSettled && IsSettled(splits[i])) {
                Pair(settled, i, std::countr_zero(splits[i]));
                KeepFitting(splits, witnesses);
                changed = true;
            }
        }
    }
    return EProgress::Open;
}

// Plays every group split as its tiles went closest together in a game
// already played, then mends that pairing while it sticks: a group with a
// tile left free but waiting for a partner that is not is split another
// way, and the change kept when fewer tiles are left. Fills in the pairing
// and, when it still sticks, the tiles left.
std::optional<bool> CDealSolver::Dive(
    const Splits& splits, const Rounds& guide, int mends, std::array<int, kGroupCount>& natural, STileMask& stuck)
{
    Partners partner = pairs;
    for (int i = 0; i < int(fours.size()); ++i) {
        natural[i] = NaturalSplit(guide, i, splits[i]);
        Pair(partner, i, natural[i]);
    }
    Rounds rounds;
    const auto play = [&](const Partners& tried, STileMask& leftOver) -> std::optional<bool> {
        if (nodes >= budget) {
            return std::nullopt;
        }
        ++nodes;
        return Peels(tried, splits, rounds, leftOver);
    };
    auto cleared = play(partner, stuck);
    // A change that leaves fewer tiles is taken at once; when none does,
    // the best of those tried is taken anyway, and the group changed is
    // left alone for a while so that the search does not turn back.
    std::array<int, kGroupCount> restingUntil{};
    for (int mend = 0; cleared && !*cleared && mend < mends; ++mend) {
        // The groups of the tiles left free.
        std::array<bool, kGroupCount> waiting{};
        ForEachTile(stuck, [&](int t) {
            if (IsFreeIn(stuck, t) && partner[t] >= 0) {
                waiting[groupOf[t]] = true;
            }
        });
        bool improved = false;
        int bestGroup = -1;
        int bestSplit = 0;
        int bestCount = 0;
        STileMask bestBehind;
        for (int i = 0; i < int(fours.size()) && !improved && cleared && !*cleared; ++i) {
            if (!waiting[groupOf[fours[i][0]]] || IsSettled(splits[i]) || restingUntil[i] > mend) {
                continue;
            }
            for (int s = 0; s < kSplitCount && !improved; ++s) {
                if (s == natural[i] || !((splits[i] >> s) & 1)) {
                    continue;
                }
                Partners tried = partner;
                Pair(tried, i, s);
                STileMask behind;
                cleared = play(tried, behind);
                if (!cleared) {
                    return std::nullopt;
                }
                const int count = behind.Count();
                if (*cleared || count < stuck.Count()) {
                    partner = tried;
                    natural[i] = s;
                    stuck = behind;
                    improved = true;
                } else if (bestGroup < 0 || count < bestCount || (count == bestCount && jitter() % 2 == 0)) {
                    bestGroup = i;
                    bestSplit = s;
                    bestCount = count;
                    bestBehind = behind;
                }
            }
        }
        if (!improved) {
            if (bestGroup < 0) {
                break;
            }
            Pair(partner, bestGroup, bestSplit);
            natural[bestGroup] = bestSplit;
            stuck = bestBehind;
            restingUntil[bestGroup] = mend + kRest;
        }
    }
    if (!cleared) {
        return std::nullopt;
    }
    if (*cleared) {
        solution = MovesOf(rounds, partner);
    }
    return *cleared;
}

ESolveResult CDealSolver::Search(Splits splits, std::vector<uint32_t> witnesses, int depth)
{
    const size_t poolMark = witnessPool.size();
    const auto lose = [&] {
        witnessPool.resize(poolMark);
        return ESolveResult::Lost;
    };
    for (;;) {
        KeepFitting(splits, witnesses);
        STileMask stuck;
        if (witnesses.empty()) {
            // The loosest game of the position: when it sticks, so does
            // every split.
            const auto cleared = PlayOut(SettledPartners(splits), splits, witnesses, stuck);
            if (!cleared) {
                return ESolveResult::Unknown;
            }
            if (!*cleared) {
                return lose();
            }
        }
        // The pairing the latest game suggests, before anything is struck.
        std::array<int, kGroupCount> natural{};
        const auto dove = Dive(splits, witnessPool[witnesses.back()], depth == 0 ? kRootMends : kMends, natural, stuck);
        if (!dove) {
            return ESolveResult::Unknown;
        }
        if (*dove) {
            return ESolveResult::Won;
        }

        const EProgress progress = Strike(splits, witnesses);
        if (progress == EProgress::OverBudget) {
            return ESolveResult::Unknown;
        }
        if (progress == EProgress::Lost) {
            return lose();
        }
        // A game that happened to take every group in pairs has won.
        for (const uint32_t w : witnesses) {
            Partners partner = pairs;
            bool paired = true;
            for (int i = 0; i < int(fours.size()) && paired; ++i) {
                int s = 0;
                while (s < kSplitCount && !(((splits[i] >> s) & 1) && Together(witnessPool[w], i, s))) {
                    ++s;
                }
                paired = s < kSplitCount;
                if (paired) {
                    Pair(partner, i, s);
                }
            }
            if (paired) {
                solution = MovesOf(witnessPool[w], partner);
                return ESolveResult::Won;
            }
        }

        // Settle the group with the fewest splits left, among those the
        // most of whose tiles the suggested pairing left behind, as the
        // latest game suggests; if that loses, the split is struck off and
        // the position looked at again.
        int chosen = -1;
        int chosenKey = 0;
        for (int i = 0; i < int(fours.size()); ++i) {
            if (IsSettled(splits[i])) {
                continue;
            }
            int behind = 0;
            for (const int16_t t : fours[i]) {
                behind += stuck.Has(t);
            }
            // Each split struck off counts as one more tile left behind.
            int key = (kSplitCount - std::popcount(splits[i]) + behind) * kKeyScale;
            if (attempt > 0) {
                key += int(jitter() % kKeyNoise);
            }
            if (chosen < 0 || key > chosenKey) {
                chosen = i;
                chosenKey = key;
            }
        }
        const int split = NaturalSplit(witnessPool[witnesses.back()], chosen, splits[chosen]);
        Splits child = splits;
        child[chosen] = uint8_t(1u << split);
        const ESolveResult result = Search(child, witnesses, depth + 1);
        if (result != ESolveResult::Lost) {
            return result;
        }
        splits[chosen] &= uint8_t(~(1u << split));
    }
}

SSolveOutcome CDealSolver::Solve(const board::CBoard& board, uint64_t nodeBudget)
{
    ReadBoard(board);
    nodes = 0;
    budget = nodeBudget;
    solution.clear();
    witnessPool.clear();
    fours.clear();
    pairs.fill(-1);

    present = {};
    SSolveOutcome outcome;
    outcome.result = ESolveResult::Lost;
    for (int t = 0; t < kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        if (tile.present && tile.IsPlaced()) {
            present.Set(t);
            if (groupOf[t] < 0) {
                return outcome; // a tile that matches nothing
            }
        }
    }
    for (int g = 0; g < kGroupCount; ++g) {
        std::array<int16_t, 4> tiles{};
        int count = 0;
        ForEachTile(groupTiles[g], [&](int t) {
            if (count < 4) {
                tiles[count] = static_cast<int16_t>(t);
            }
            ++count;
        });
        if (count == 2) {
            pairs[tiles[0]] = tiles[1];
            pairs[tiles[1]] = tiles[0];
        } else if (count == 4) {
            for (int place = 0; place < 4; ++place) {
                fourOf[tiles[place]] = static_cast<int16_t>(fours.size());
                placeOf[tiles[place]] = static_cast<int8_t>(place);
            }
            fours.push_back(tiles);
        } else if (count != 0) {
            // An odd group can never be cleared; more than four of one kind
            // is not dealt by the game and not handled here.
            outcome.result = count % 2 != 0 ? ESolveResult::Lost : ESolveResult::Unknown;
            return outcome;
        }
    }
    initiallyFree = {};
    ForEachTile(present, [&](int t) {
        if (IsFreeIn(present, t)) {
            initiallyFree.Set(t);
        }
    });

    if (present.IsEmpty()) {
        outcome.result = ESolveResult::Won;
        return outcome;
    }
    // Attempts of growing size, each after the first choosing its groups
    // with some chance: a search that went wrong early costs little.
    Splits splits{};
    std::fill(splits.begin(), splits.begin() + long(fours.size()), kAllSplits);
    outcome.result = ESolveResult::Unknown;
    uint64_t attemptNodes = kFirstAttemptNodes;
    for (attempt = 0; outcome.result == ESolveResult::Unknown && nodes < nodeBudget; ++attempt) {
        budget = std::min(nodeBudget, nodes + attemptNodes);
        jitter.seed(uint32_t(attempt) * 7919 + 1);
        witnessPool.clear();
        outcome.result = Search(splits, {}, 0);
        attemptNodes = attemptNodes * kGrowthPercent / 100;
    }
    outcome.nodes = nodes;
    if (outcome.result == ESolveResult::Won) {
        outcome.moves = solution;
    }
    return outcome;
}

} // namespace layout_tool
