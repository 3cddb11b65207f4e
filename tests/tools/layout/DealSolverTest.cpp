// The deal solver on small boards laid by hand, against a plain exhaustive
// search on random small boards, and on real deals, where every win it
// claims is replayed through the game's own rules.
#include "DealSolver.h"
#include "LayoutSolve.h"
#include "LayoutTool.h"

#include "LayoutText.h"
#include "board/Rules.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <ranges>
#include <set>
#include <sstream>
#include <tuple>

namespace layout_tool {
namespace {

using board::SCellPosition;

struct SPlaced {
    SCellPosition topLeft;
    int group;
};

std::unique_ptr<board::CBoard> Lay(const std::vector<SPlaced>& tiles)
{
    auto made = std::make_unique<board::CBoard>();
    for (size_t t = 0; t < tiles.size(); ++t) {
        EXPECT_TRUE(made->PlaceTile(int(t), tiles[t].topLeft, int(t), tiles[t].group, tiles[t].group));
    }
    return made;
}

// Plays the moves with the game's rules; true when each was a legal move and
// the board ends empty.
bool ReplayClears(board::CBoard& board, const std::vector<board::STilePair>& moves)
{
    for (const auto& [first, second] : moves) {
        const board::CTile& a = board.Tile(first);
        const board::CTile& b = board.Tile(second);
        if (!a.present || !b.present || !board::IsTileFree(board, first) || !board::IsTileFree(board, second)
            || !board::TilesMatch(board, first, second)) {
            return false;
        }
        board::RemovePair(board, first, second);
    }
    return std::ranges::none_of(std::views::iota(0, board::kTileCount), [&](int t) { return board.Tile(t).present; });
}

// Every move tried, no reductions, lost positions remembered.
bool ClearsByBruteForce(board::CBoard& board, std::set<std::vector<bool>>& lost)
{
    std::vector<bool> present(board::kTileCount);
    std::vector<int> free;
    for (int t = 0; t < board::kTileCount; ++t) {
        present[t] = board.Tile(t).present;
        if (present[t] && board::IsTileFree(board, t)) {
            free.push_back(t);
        }
    }
    if (std::find(present.begin(), present.end(), true) == present.end()) {
        return true;
    }
    if (lost.contains(present)) {
        return false;
    }
    for (size_t i = 0; i < free.size(); ++i) {
        for (size_t j = i + 1; j < free.size(); ++j) {
            if (!board::TilesMatch(board, free[i], free[j])) {
                continue;
            }
            board::RemovePair(board, free[i], free[j]);
            const bool cleared = ClearsByBruteForce(board, lost);
            for (const int t : {free[i], free[j]}) {
                board.Tile(t).present = 1;
                for (board::CBoardCell* cell : board.Tile(t).cells) {
                    cell->occupied = 1;
                }
            }
            if (cleared) {
                return true;
            }
        }
    }
    lost.insert(present);
    return false;
}

TEST(DealSolverTest, HandLaidBoards)
{
    CDealSolver solver;
    const std::tuple<const char*, std::vector<SPlaced>, ESolveResult> cases[] = {
        {"a row A A B B: only the ends are free and differ",
            {{{0, 0, 0}, 1}, {{2, 0, 0}, 1}, {{4, 0, 0}, 2}, {{6, 0, 0}, 2}}, ESolveResult::Lost},
        {"two pairs that each cover the other's partner",
            {{{0, 0, 0}, 1}, {{0, 0, 1}, 2}, {{8, 0, 0}, 2}, {{8, 0, 1}, 1}}, ESolveResult::Lost},
        {"a Flower takes any Flower, a Season any Season",
            {{{0, 0, 0}, board::kFlowerGroup}, {{2, 0, 0}, board::kSeasonGroup}, {{4, 0, 0}, board::kSeasonGroup},
                {{6, 0, 0}, board::kFlowerGroup}},
            ESolveResult::Won},
        // Three A free at the start, each on a tile: the first pair tried
        // (the two on the D tiles) leaves the third A on C, whose partner
        // lies on the last A, and loses; either pair with that third A wins.
        {"the right pair among three free tiles",
            {{{0, 0, 0}, 4}, {{0, 0, 1}, 1}, {{4, 0, 0}, 4}, {{4, 0, 1}, 1}, {{8, 0, 0}, 3}, {{8, 0, 1}, 1},
                {{12, 0, 0}, 1}, {{12, 0, 1}, 3}},
            ESolveResult::Won},
    };
    for (const auto& [what, tiles, expected] : cases) {
        SCOPED_TRACE(what);
        auto laid = Lay(tiles);
        const SSolveOutcome outcome = solver.Solve(*laid);
        EXPECT_EQ(outcome.result, expected);
        if (outcome.result == ESolveResult::Won) {
            EXPECT_TRUE(ReplayClears(*laid, outcome.moves));
        }
    }
}

// A random board of `spots` positions on level 0 and `raised` tiles on the
// levels above, each on one or two tiles below; mostly groups of four, some
// of two.
std::vector<SPlaced> RandomBoard(std::mt19937& random, int columns, int spots, int raised, int levels)
{
    std::vector<SCellPosition> places;
    for (int column = 0; column < columns; column += 2) {
        for (int row = 0; row < 4; row += 2) {
            places.push_back({column, row, 0});
        }
    }
    std::shuffle(places.begin(), places.end(), random);
    places.resize(size_t(spots));
    for (int i = 0; i < raised; ++i) {
        const SCellPosition under = places[random() % places.size()];
        if (under.level + 1 < levels) {
            places.push_back({under.column + int(random() % 2), under.row + int(random() % 2), under.level + 1});
        }
    }
    std::vector<SPlaced> tiles;
    std::set<std::tuple<int, int, int>> used;
    for (const SCellPosition& place : places) {
        bool clash = false;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                clash = clash || used.contains({place.column + dx, place.row + dy, place.level});
            }
        }
        if (!clash) {
            used.insert({place.column, place.row, place.level});
            tiles.push_back({place, 0});
        }
    }
    tiles.resize(tiles.size() & ~size_t{1});
    std::vector<int> groups;
    for (size_t i = 0; i < tiles.size(); i += 2) {
        // Groups of four counted up from 1, and of two, where a pair draws a
        // group of its own, counted down from 34 (the last face that pairs).
        const int group = random() % 3 == 0 ? 34 - int(i) / 2 : 1 + int(i) / 4;
        groups.insert(groups.end(), {group, group});
    }
    std::shuffle(groups.begin(), groups.end(), random);
    for (size_t i = 0; i < tiles.size(); ++i) {
        tiles[i].group = groups[i];
    }
    return tiles;
}

// Random small boards, where a wrong reduction, a pair pruned that could
// win, or evidence carried into a position it no longer fits would show as
// a different answer. The deeper boards stack tiles three high, so that
// searches go many moves deep and split checks are inherited, mended and
// peeled again along the way.
TEST(DealSolverTest, AgreesWithExhaustiveSearchOnRandomBoards)
{
    // What, columns, spots, raised tiles, levels and rounds.
    const std::tuple<const char*, int, int, int, int, int> shapes[] = {
        {"two levels", 14, 12, 4, 2, 300},
        {"three levels, long rows", 24, 20, 12, 3, 300},
        {"four levels", 28, 20, 24, 4, 300},
    };
    CDealSolver solver; // one solver for all, as the solve command uses it
    std::mt19937 random(77);
    for (const auto& [what, columns, spots, raised, levels, rounds] : shapes) {
        SCOPED_TRACE(what);
        int won = 0;
        int lostCount = 0;
        for (int round = 0; round < rounds; ++round) {
            const std::vector<SPlaced> tiles = RandomBoard(random, columns, spots, raised, levels);
            auto laid = Lay(tiles);
            const SSolveOutcome outcome = solver.Solve(*laid);
            std::set<std::vector<bool>> lost;
            auto reference = Lay(tiles);
            const bool clears = ClearsByBruteForce(*reference, lost);
            ASSERT_EQ(outcome.result, clears ? ESolveResult::Won : ESolveResult::Lost) << "round " << round;
            if (clears) {
                ++won;
                ASSERT_TRUE(ReplayClears(*laid, outcome.moves)) << "round " << round;
            } else {
                ++lostCount;
            }
        }
        // Both answers must have come up often enough to mean something.
        EXPECT_GT(won, rounds / 10);
        EXPECT_GT(lostCount, rounds / 20);
    }
}

// Real deals: a claimed win replays through the game's rules, a search cut
// short is unknown, not lost, and a deal is the game's deal at its tick.
TEST(DealSolverTest, TurtleDealsWinsReplayAndBudgetsRunOut)
{
    const auto text = platform::ReadWholeFile(std::string(VELMORA_LAYOUTS_DIR) + "/Turtle.txt").value_or(platform::Bytes{});
    const auto turtle = board::TopLeftCells(board::CompileLayoutText(std::string(text.begin(), text.end())).value());
    CDealSolver solver;
    auto dealt = std::make_unique<board::CBoard>();
    int won = 0;
    int unknown = 0;
    for (uint64_t i = 0; i < 20; ++i) {
        ASSERT_TRUE(DealAtTicks(*dealt, turtle, DealTicks(1, i)));
        const SSolveOutcome outcome = solver.Solve(*dealt);
        unknown += outcome.result == ESolveResult::Unknown;
        if (outcome.result == ESolveResult::Won) {
            ++won;
            EXPECT_TRUE(ReplayClears(*dealt, outcome.moves)) << "deal " << i;
        }
    }
    EXPECT_GE(won, 15);
    EXPECT_LE(unknown, 2); // a few in a hundred deals outrun the budget

    ASSERT_TRUE(DealAtTicks(*dealt, turtle, DealTicks(1, 0)));
    const SSolveOutcome cut = solver.Solve(*dealt, 1);
    EXPECT_EQ(cut.result, ESolveResult::Unknown);
    EXPECT_TRUE(cut.moves.empty());
    EXPECT_NE(solver.Solve(*dealt).result, ESolveResult::Unknown); // nothing stale from the cut search

    // The same tick count deals the same faces; the next deal's ticks others.
    auto twin = std::make_unique<board::CBoard>();
    int same[2] = {};
    for (const uint64_t deal : {0, 1}) {
        ASSERT_TRUE(DealAtTicks(*twin, turtle, DealTicks(1, deal)));
        for (int t = 0; t < board::kTileCount; ++t) {
            same[deal] += twin->Tile(t).face == dealt->Tile(t).face;
        }
    }
    EXPECT_TRUE(same[0] == board::kTileCount && same[1] < 20) << same[0] << " " << same[1];
    EXPECT_FALSE(DealAtTicks(*twin, std::vector<SCellPosition>(10), 5));
}

TEST(DealSolverTest, SolveCommandReportsSharesAndInterval)
{
    const auto [low, high] = WilsonInterval(30, 1000);
    EXPECT_NEAR(low, 0.02109, 1e-4);
    EXPECT_NEAR(high, 0.04250, 1e-4);
    EXPECT_EQ(WilsonInterval(0, 10).first, 0.0);
    EXPECT_NEAR(WilsonInterval(10, 10).first, 0.7225, 1e-3);

    std::ostringstream out, err;
    const std::string turtle = std::string(VELMORA_LAYOUTS_DIR) + "/Turtle.txt";
    ASSERT_EQ(RunLayoutTool({"solve", turtle, "--deals", "12", "--seed", "3", "--budget", "1"}, out, err), kExitOk)
        << err.str();
    EXPECT_NE(out.str().find("Turtle: 12 deals"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("unknown:    12"), std::string::npos) << out.str();

    // The deals over a tiny budget, searched again with the default one.
    std::ostringstream again, againErr;
    ASSERT_EQ(RunLayoutTool({"solve", turtle, "--deals", "4", "--seed", "2", "--budget", "1", "--retry", "50000"},
                  again, againErr),
        kExitOk);
    EXPECT_NE(again.str().find("searched again with a budget of 50000 games: 4 deals, 4 decided"), std::string::npos)
        << again.str();
}

} // namespace
} // namespace layout_tool
