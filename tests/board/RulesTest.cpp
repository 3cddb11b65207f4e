// The free test, counting pairs, the hint, removing a pair and the end of a
// game, on small boards built for each case.
#include "BoardTestLayouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <random>

namespace {

using board::CBoard;
using board::SCellPosition;
using board_test::BoardWithTiles;
using board_test::CountOccupiedCells;
using board_test::SetFaces;

TEST(RulesTest, IsTileFreeLooksAboveThenLeftThenRight)
{
    // The first tile is the one under test; the others surround it.
    const struct {
        const char* what;
        std::vector<SCellPosition> places;
        bool free;
    } cases[] = {
        {"alone", {{10, 4, 1}}, true},
        {"left and right neighbours", {{10, 4, 1}, {8, 4, 1}, {12, 4, 1}}, false},
        {"left neighbour only", {{10, 4, 1}, {8, 4, 1}}, true},
        {"left half a row up", {{10, 4, 1}, {8, 3, 1}, {12, 4, 1}}, false},
        {"left half a row down", {{10, 4, 1}, {8, 5, 1}, {12, 4, 1}}, false},
        {"right half a row up", {{10, 4, 1}, {8, 4, 1}, {12, 3, 1}}, false},
        {"right half a row down", {{10, 4, 1}, {8, 4, 1}, {12, 5, 1}}, false},
        {"left a whole row up", {{10, 4, 1}, {8, 2, 1}, {12, 4, 1}}, true},
        {"left half a column away", {{10, 4, 1}, {7, 4, 1}, {12, 4, 1}}, true},
        {"right half a column away", {{10, 4, 1}, {8, 4, 1}, {13, 4, 1}}, true},
        {"neighbours a level below", {{10, 4, 1}, {8, 4, 0}, {12, 4, 0}}, true},
        {"covered whole", {{10, 4, 1}, {10, 4, 2}}, false},
        {"covered on its bottom-right quarter", {{10, 4, 1}, {11, 5, 2}}, false},
        {"covered on its top-left quarter", {{10, 4, 1}, {9, 3, 2}}, false},
        {"covered on its right half", {{10, 4, 1}, {11, 4, 2}}, false},
        {"above, half a row off and beside", {{10, 4, 1}, {8, 5, 2}}, true},
        {"two levels up", {{10, 4, 1}, {10, 4, 3}}, true},
        {"column 0 with a right neighbour", {{0, 4, 1}, {2, 4, 1}}, true},
        {"column 0, covered", {{0, 4, 1}, {2, 4, 1}, {1, 4, 2}}, false},
        {"column 30 with a left neighbour", {{30, 4, 1}, {28, 4, 1}}, true},
        {"column 30, covered", {{30, 4, 1}, {30, 5, 2}}, false},
        {"column 29 with a left neighbour", {{29, 4, 1}, {27, 4, 1}}, true},
        {"column 28 between neighbours", {{28, 4, 1}, {26, 4, 1}, {30, 4, 1}}, false},
        {"level 7 alone", {{10, 4, 7}}, true},
        {"level 7 between neighbours", {{10, 4, 7}, {8, 4, 7}, {12, 4, 7}}, false},
        {"level 6 under level 7", {{10, 4, 6}, {10, 4, 7}}, false},
        {"bottom row between neighbours", {{10, 14, 0}, {8, 13, 0}, {12, 14, 0}}, false},
        {"corner of the top level", {{30, 14, 7}, {28, 13, 7}}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(board::IsTileFree(*BoardWithTiles(c.places), 0), c.free) << c.what;
    }
    EXPECT_FALSE(board::IsTileFree(*std::make_unique<CBoard>(), 0)); // never placed
}

// Free tiles stand apart on row 0; blocked ones on row 6, each under a cover
// whose match group matches nothing.
std::unique_ptr<CBoard> BoardWithFreeAndBlockedFaces(const std::vector<int>& freeFaces, const std::vector<int>& blocked)
{
    std::vector<SCellPosition> places;
    for (size_t i = 0; i < freeFaces.size() + blocked.size(); ++i) {
        const int column = static_cast<int>(4 * (i < freeFaces.size() ? i : i - freeFaces.size()));
        places.push_back({column, i < freeFaces.size() ? 0 : 6, 0});
    }
    auto board = BoardWithTiles(places);
    std::vector<int> faces = freeFaces;
    faces.insert(faces.end(), blocked.begin(), blocked.end());
    SetFaces(*board, faces);
    for (int i = 0; i < static_cast<int>(blocked.size()); ++i) {
        board->PlaceTile(static_cast<int>(places.size()) + i, {4 * i, 6, 1}, 0, 1000 + i, 1);
    }
    return board;
}

TEST(RulesTest, CountAvailablePairsAndTheHintLookAtFreeMatchingTiles)
{
    // Tile numbers: the free tiles first, then the blocked ones.
    const struct {
        const char* what;
        std::vector<int> freeFaces;
        std::vector<int> blockedFaces;
        int pairs;
        std::vector<int> hinted;
    } cases[] = {
        {"empty board", {}, {}, 0, {}},
        {"two Flowers of different faces", {35, 37}, {}, 1, {0, 1}},
        {"a Flower and a Season", {38, 39}, {}, 0, {}},
        {"all Flowers and two Seasons", {35, 36, 37, 38, 40, 41}, {}, 7, {0, 1}},
        {"three of a face", {5, 5, 5}, {}, 3, {0, 1}},
        {"four of a face", {5, 5, 5, 5}, {}, 6, {0, 1}},
        {"lowest first tile, then lowest partner", {3, 7, 7, 3, 3}, {}, 4, {0, 3}},
        {"a Flower with another Flower", {36, 2, 35}, {}, 1, {0, 2}},
        {"neighbouring faces do not match", {9, 10, 18, 19, 27, 28, 34, 35}, {}, 0, {}},
        {"a match among blocked tiles only", {1, 2}, {1, 2}, 0, {}},
        {"partner blocked", {3, 7, 7}, {3}, 1, {1, 2}},
        {"three free and one blocked", {5, 5, 5}, {5}, 3, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto board = BoardWithFreeAndBlockedFaces(c.freeFaces, c.blockedFaces);
        EXPECT_EQ(board::CountAvailablePairs(*board), c.pairs);
        EXPECT_EQ(board::FindHintPair(*board), !c.hinted.empty());
        std::vector<int> hinted;
        for (int t = 0; t < board::kTileCount; ++t) {
            if (board->Tile(t).hinted) {
                hinted.push_back(t);
            }
        }
        EXPECT_EQ(hinted, c.hinted);
    }
}

// Tiles at random places (no two sharing a cell) with few match groups, so
// that many pairs form, some taken off again.
std::unique_ptr<CBoard> RandomBoard(std::mt19937& random)
{
    auto board = std::make_unique<CBoard>();
    const int wanted = static_cast<int>(random() % (board::kTileCount + 1));
    int placed = 0;
    for (int attempt = 0; attempt < 2000 && placed < wanted; ++attempt) {
        const int level = static_cast<int>(random() % 4);
        const SCellPosition topLeft{
            static_cast<int>(random() % 31), static_cast<int>(random() % 15), level * level / 3};
        const auto cells = board::TileCells(topLeft);
        if (std::none_of(cells.begin(), cells.end(), [&board](const SCellPosition& cell) {
                return board->IsCellOccupied(cell.level, cell.row, cell.column);
            })) {
            const int face
                = random() % 8 == 0 ? 35 + static_cast<int>(random() % 8) : 1 + static_cast<int>(random() % 7);
            board->PlaceTile(placed++, topLeft, 0, board::MatchGroupOfFace(face), face);
        }
    }
    for (int t = 0; t < placed; ++t) {
        if (random() % 8 == 0) {
            board::RemovePair(*board, t, t);
        }
    }
    return board;
}

TEST(RulesTest, CountAvailablePairsAndTheFirstPairAgreeWithTheNaiveCountOnRandomBoards)
{
    std::mt19937 random(20240611);
    int boardsWithPairs = 0;
    for (int round = 0; round < 400; ++round) {
        const auto board = RandomBoard(random);
        int orderedPairs = 0;
        std::optional<board::STilePair> firstPair;
        for (int i = 0; i < board::kTileCount; ++i) {
            for (int j = 0; j < board::kTileCount; ++j) {
                if (i != j && board->Tile(i).present && board->Tile(j).present && board::IsTileFree(*board, i)
                    && board::IsTileFree(*board, j) && board->Tile(i).matchGroup == board->Tile(j).matchGroup) {
                    ++orderedPairs;
                    firstPair = firstPair ? firstPair : board::STilePair{i, j};
                }
            }
        }
        ASSERT_EQ(board::CountAvailablePairs(*board), orderedPairs / 2) << "round " << round;
        ASSERT_EQ(board::FindFirstPair(*board), firstPair) << "round " << round;
        boardsWithPairs += orderedPairs > 0 ? 1 : 0;
    }
    EXPECT_GT(boardsWithPairs, 130);
}

TEST(RulesTest, RemovePairFreesItsNeighboursAndDropsEverySelection)
{
    // Tile 1 lies between tiles 0 and 2; tile 3 stands alone.
    const auto board = BoardWithTiles({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {10, 0, 0}});
    SetFaces(*board, {6, 9, 6, 9});
    board->Tile(0).selected = 1;
    board->Tile(3).selected = 1;
    board->Tile(3).hinted = 1;
    ASSERT_FALSE(board::IsTileFree(*board, 1));
    board::RemovePair(*board, 0, 2);
    EXPECT_FALSE(
        board->Tile(0).present || board->Tile(2).present || board->Tile(0).selected || board->Tile(3).selected);
    EXPECT_EQ(CountOccupiedCells(*board), 8);
    EXPECT_EQ(board->TileAt(0, 1, 5), -1);
    EXPECT_TRUE(board->Tile(3).hinted);
    EXPECT_TRUE(board::IsTileFree(*board, 1));
    EXPECT_EQ(board::CountAvailablePairs(*board), 1);
}

TEST(RulesTest, CheckGameEndChargesTheClockForStrandedTiles)
{
    const std::vector<SCellPosition> tower = {{10, 4, 0}, {10, 4, 1}, {10, 4, 2}};
    // Two free tiles that do not match, each on a tile of its own face.
    const std::vector<SCellPosition> twoFree = {{0, 0, 1}, {6, 0, 1}, {0, 0, 0}, {6, 0, 0}};
    const struct {
        const char* what;
        std::vector<SCellPosition> places;
        int gameType;
        int32_t clockBefore;
        bool ended;
        int32_t clockAfter;
    } cases[] = {
        {"Traditional, tower of three", tower, 1, 100000, true, 145000},
        {"Vesk Style, tower of three", tower, 2, 100000, true, 55000},
        {"Zandor, tower of three", tower, 3, 100000, true, 145000},
        {"unknown type counts as Traditional", tower, 0, 100000, true, 145000},
        {"one tile left", {{4, 4, 0}}, 1, 5000, true, 20000},
        {"Vesk Style may go below zero", {{4, 4, 0}}, 2, 5000, true, -10000},
        {"two free tiles, matches only below", twoFree, 1, 100000, false, 100000},
        {"empty board", {}, 2, 100000, true, 100000},
        {"elapsed time saturates", tower, 1, INT32_MAX - 10, true, INT32_MAX},
        {"time left saturates", tower, 2, INT32_MIN + 10, true, INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto board = BoardWithTiles(c.places);
        SetFaces(*board, {1, 2, 1, 2});
        int32_t clock = c.clockBefore;
        EXPECT_EQ(board::CheckGameEnd(*board, c.gameType, clock), c.ended);
        EXPECT_EQ(clock, c.clockAfter);
        // An ended game's board is cleared, so asking again costs nothing more.
        EXPECT_EQ(CountOccupiedCells(*board), c.ended ? 0 : 4 * static_cast<int>(c.places.size()));
        EXPECT_EQ(board::CheckGameEnd(*board, c.gameType, clock), c.ended);
        EXPECT_EQ(clock, c.clockAfter);
    }
}

} // namespace
