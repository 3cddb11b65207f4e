// The random source, the deal and the shuffle. Time comes from a fake clock,
// which is also the generator's seed.
#include "BoardTestLayouts.h"

#include "board/Random.h"
#include "board/Rules.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

using board::CBoard;
using platform::CScopedFakeClock;

// The face the deal gives with the given deal number: four copies of each of
// faces 1..34, then one of each of 35..42.
int FaceOfDealIndex(int dealIndex) { return dealIndex < 136 ? dealIndex / 4 + 1 : dealIndex - 136 + 35; }

// Every tile's (dealIndex, matchGroup, face), in tile order.
using SIdentity = std::tuple<int, int, int>;
std::vector<SIdentity> Identities(const CBoard& board)
{
    std::vector<SIdentity> result;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        result.emplace_back(tile.dealIndex, tile.matchGroup, tile.face);
    }
    return result;
}

std::vector<uint8_t> OccupiedCells(const CBoard& board)
{
    std::vector<uint8_t> result;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                result.push_back(board.Cell(z, y, x).occupied);
            }
        }
    }
    return result;
}

// Checks that each present tile's identity is a whole dealt identity and that
// its four cells carry it.
void ExpectIdentitiesIntact(const CBoard& board)
{
    for (int t = 0; t < board::kTileCount; ++t) {
        SCOPED_TRACE(t);
        const board::CTile& tile = board.Tile(t);
        if (!tile.present) {
            continue;
        }
        ASSERT_GE(tile.dealIndex, 0);
        ASSERT_LT(tile.dealIndex, board::kTileCount);
        EXPECT_EQ(tile.face, FaceOfDealIndex(tile.dealIndex));
        EXPECT_EQ(tile.matchGroup, board::MatchGroupOfFace(tile.face));
        for (const board::CBoardCell* cell : tile.cells) {
            EXPECT_TRUE(cell->occupied);
            EXPECT_EQ(std::make_tuple(cell->dealIndex, cell->matchGroup, cell->face),
                std::make_tuple(tile.dealIndex, tile.matchGroup, tile.face));
        }
    }
}

std::unique_ptr<CBoard> DealtFullBoard(uint32_t ticks)
{
    CScopedFakeClock clock(ticks);
    auto board = board_test::FullBoard();
    EXPECT_TRUE(board::DealFaces(*board));
    return board;
}

TEST(RandomTest, TheGeneratorGivesTheClassicFifteenBitSequence)
{
    board::SeedRandom(1);
    const std::vector<int> expected = {41, 18467, 6334, 26500, 19169};
    std::vector<int> drawn;
    for (size_t i = 0; i < expected.size(); ++i) {
        drawn.push_back(board::NextRandom());
    }
    EXPECT_EQ(drawn, expected);
}

TEST(RandomTest, SeedingFromTheClockRestartsTheSequenceWithinOneTick)
{
    CScopedFakeClock clock(1);
    board::SeedRandomFromClock();
    EXPECT_EQ(board::DrawRandomTile(), 41);
    EXPECT_EQ(board::DrawRandomTile(), 18467 % 144);
    board::SeedRandomFromClock();
    EXPECT_EQ(board::DrawRandomTile(), 41);
    clock->Advance(1);
    board::SeedRandomFromClock();
    EXPECT_NE(board::DrawRandomTile(), 41);
}

TEST(RandomTest, ResultsStayWithinFifteenBitsAndReachEveryTile)
{
    board::SeedRandom(0xFFFFFFFFu);
    std::vector<int> hits(board::kTileCount, 0);
    for (int i = 0; i < 100000; ++i) {
        const int value = board::NextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, board::kRandomMax);
        ++hits[value % board::kTileCount];
    }
    EXPECT_EQ(std::count(hits.begin(), hits.end(), 0), 0);
}

TEST(RulesShuffleTest, DealGivesEveryFaceItsCopiesInFaceOrder)
{
    const uint32_t ticks[] = {0, 1, 977, 65535, 123456789, 0xFFFFFFFFu};
    for (const uint32_t tick : ticks) {
        SCOPED_TRACE(tick);
        const auto board = DealtFullBoard(tick);

        std::map<int, int> copies;
        std::vector<int> dealIndices;
        for (int t = 0; t < board::kTileCount; ++t) {
            ++copies[board->Tile(t).face];
            dealIndices.push_back(board->Tile(t).dealIndex);
        }
        for (int face = 1; face <= board::kFaceCount; ++face) {
            EXPECT_EQ(copies[face], face <= 34 ? 4 : 1) << "face " << face;
        }
        EXPECT_EQ(copies.size(), 42u);
        std::sort(dealIndices.begin(), dealIndices.end());
        for (int i = 0; i < board::kTileCount; ++i) {
            ASSERT_EQ(dealIndices[i], i);
        }
        ExpectIdentitiesIntact(*board);
        const auto occupied = OccupiedCells(*board);
        EXPECT_EQ(std::count(occupied.begin(), occupied.end(), 1), 576);
    }
}

TEST(RulesShuffleTest, TheDealFollowsTheClock)
{
    EXPECT_EQ(Identities(*DealtFullBoard(500)), Identities(*DealtFullBoard(500)));
    EXPECT_NE(Identities(*DealtFullBoard(500)), Identities(*DealtFullBoard(501)));
}

TEST(RulesShuffleTest, DealingAgainGivesAFreshDeal)
{
    const auto board = DealtFullBoard(10);
    CScopedFakeClock clock(11);
    ASSERT_TRUE(board::DealFaces(*board));
    EXPECT_EQ(Identities(*board), Identities(*DealtFullBoard(11)));
}

TEST(RulesShuffleTest, DealRefusesABoardWithoutAWholeLayout)
{
    CScopedFakeClock clock(3);
    const auto empty = std::make_unique<CBoard>();
    EXPECT_FALSE(board::DealFaces(*empty));
    EXPECT_FALSE(board::DealNewGame(*empty));
    const auto occupied = OccupiedCells(*empty);
    EXPECT_EQ(std::count(occupied.begin(), occupied.end(), 1), 0);

    const auto few = board_test::BoardWithTiles({{0, 0, 0}, {2, 0, 0}});
    EXPECT_FALSE(board::DealFaces(*few));
    EXPECT_EQ(few->Tile(0).face, 0);
}

TEST(RulesShuffleTest, ShuffleMovesIdentitiesNeverPositions)
{
    const uint32_t ticks[] = {0, 42, 99999, 0x80000000u};
    for (const uint32_t tick : ticks) {
        SCOPED_TRACE(tick);
        const auto board = DealtFullBoard(tick + 7);
        // A game in progress: two tiles taken, one selected, two hinted.
        board::RemovePair(*board, 5, 77);
        board->Tile(9).selected = 1;
        board->Tile(12).hinted = 1;
        board->Tile(140).hinted = 1;

        std::vector<std::array<board::CBoardCell*, 4>> cellsBefore;
        std::vector<std::tuple<int, int, int>> flagsBefore;
        std::multiset<SIdentity> presentBefore;
        for (int t = 0; t < board::kTileCount; ++t) {
            const board::CTile& tile = board->Tile(t);
            cellsBefore.push_back(tile.cells);
            flagsBefore.emplace_back(tile.present, tile.selected, tile.hinted);
            if (tile.present) {
                presentBefore.emplace(tile.dealIndex, tile.matchGroup, tile.face);
            }
        }
        const auto occupiedBefore = OccupiedCells(*board);
        const auto identitiesBefore = Identities(*board);

        CScopedFakeClock clock(tick);
        board::Shuffle(*board);

        std::multiset<SIdentity> presentAfter;
        for (int t = 0; t < board::kTileCount; ++t) {
            const board::CTile& tile = board->Tile(t);
            EXPECT_EQ(tile.cells, cellsBefore[t]);
            EXPECT_EQ(std::make_tuple(int{tile.present}, int{tile.selected}, int{tile.hinted}), flagsBefore[t]);
            if (tile.present) {
                presentAfter.emplace(tile.dealIndex, tile.matchGroup, tile.face);
            }
        }
        EXPECT_EQ(presentAfter, presentBefore);
        EXPECT_EQ(OccupiedCells(*board), occupiedBefore);
        // Taken tiles keep what they had; the rest is rearranged.
        EXPECT_EQ(Identities(*board)[5], identitiesBefore[5]);
        EXPECT_EQ(Identities(*board)[77], identitiesBefore[77]);
        EXPECT_NE(Identities(*board), identitiesBefore);
        ExpectIdentitiesIntact(*board);
    }
}

TEST(RulesShuffleTest, ShufflesWithinOneTickRepeatTheSameExchanges)
{
    CScopedFakeClock clock(31337);
    const auto once = DealtFullBoard(1);
    const auto twice = DealtFullBoard(1);
    board::Shuffle(*once);
    board::Shuffle(*twice);
    EXPECT_EQ(Identities(*once), Identities(*twice));

    // The same exchanges applied to another arrangement give another result.
    board::Shuffle(*twice);
    EXPECT_NE(Identities(*twice), Identities(*once));

    clock->Advance(1);
    const auto later = DealtFullBoard(1);
    board::Shuffle(*later);
    EXPECT_NE(Identities(*later), Identities(*once));
}

// Tile 1 lies between tiles 0 and 2: only the outer two are free, and their
// faces differ, so no pair can be taken until a shuffle brings the two 1s out.
std::unique_ptr<CBoard> StuckRow()
{
    auto board = board_test::BoardWithTiles({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}});
    board->SetTileIdentity(0, 0, 1, 1);
    board->SetTileIdentity(1, 1, 1, 1);
    board->SetTileIdentity(2, 4, 2, 2);
    return board;
}

TEST(RulesShuffleTest, ShuffleUntilPlayableStopsAtTheFirstPlayableArrangement)
{
    int playable = 0;
    for (uint32_t tick = 0; tick < 30; ++tick) {
        SCOPED_TRACE(tick);
        CScopedFakeClock clock(tick);
        const auto board = StuckRow();
        ASSERT_EQ(board::CountAvailablePairs(*board), 0);

        const int shuffles = board::ShuffleUntilPlayable(*board);

        if (shuffles == board::kMaxExtraShuffles) {
            EXPECT_EQ(board::CountAvailablePairs(*board), 0);
            continue;
        }
        ++playable;
        ASSERT_GE(shuffles, 1);
        EXPECT_EQ(board::CountAvailablePairs(*board), 1);
        // One shuffle fewer had left the board stuck.
        const auto replay = StuckRow();
        for (int i = 0; i < shuffles - 1; ++i) {
            board::Shuffle(*replay);
        }
        EXPECT_EQ(board::CountAvailablePairs(*replay), 0);
    }
    EXPECT_GT(playable, 0);
}

TEST(RulesShuffleTest, ShuffleUntilPlayableGivesUpAfterTenThousandShuffles)
{
    CScopedFakeClock clock(5);
    const auto board = board_test::BoardWithTiles({{0, 0, 0}, {6, 0, 0}});
    board->SetTileIdentity(0, 0, 1, 1);
    board->SetTileIdentity(1, 4, 2, 2);
    EXPECT_EQ(board::ShuffleUntilPlayable(*board), board::kMaxExtraShuffles);
    EXPECT_EQ(board::CountAvailablePairs(*board), 0);
}

TEST(RulesShuffleTest, ShuffleUntilPlayableLeavesAPlayableBoardAlone)
{
    CScopedFakeClock clock(2);
    const auto board = board_test::BoardWithTiles({{0, 0, 0}, {6, 0, 0}, {12, 0, 0}});
    board->SetTileIdentity(0, 0, 1, 1);
    board->SetTileIdentity(1, 4, 2, 2);
    board->SetTileIdentity(2, 1, 1, 1);
    const auto before = Identities(*board);
    EXPECT_EQ(board::ShuffleUntilPlayable(*board), 0);
    EXPECT_EQ(Identities(*board), before);
}

TEST(RulesShuffleTest, ANewGameOffersAPair)
{
    const uint32_t ticks[] = {0, 1, 2, 777, 0xFFFFFFFEu};
    for (const uint32_t tick : ticks) {
        SCOPED_TRACE(tick);
        CScopedFakeClock clock(tick);
        const auto board = board_test::FullBoard();
        ASSERT_TRUE(board::DealNewGame(*board));
        EXPECT_GT(board::CountAvailablePairs(*board), 0);
        ExpectIdentitiesIntact(*board);
    }
}

} // namespace
