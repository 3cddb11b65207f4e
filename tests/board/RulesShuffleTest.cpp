// The random source, the deal and the shuffle. Time comes from a fake clock,
// which is also the generator's seed.
#include "BoardTestLayouts.h"

#include "board/Random.h"
#include "board/Rules.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Checks that each present tile's identity is a whole dealt identity, that
// its four cells carry it, and that no other cell is occupied.
void ExpectIdentitiesIntact(const CBoard& board)
{
    int present = 0;
    for (int t = 0; t < board::kTileCount; ++t) {
        SCOPED_TRACE(t);
        const board::CTile& tile = board.Tile(t);
        if (!tile.present) {
            continue;
        }
        ++present;
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
    EXPECT_EQ(board_test::CountOccupiedCells(board), 4 * present);
}

std::unique_ptr<CBoard> DealtFullBoard(uint32_t ticks)
{
    CScopedFakeClock clock(ticks);
    auto board = board_test::FullBoard();
    EXPECT_TRUE(board::DealFaces(*board));
    return board;
}

TEST(RandomTest, TheClassicFifteenBitSequenceRestartsAtEverySeedFromTheClock)
{
    CScopedFakeClock clock(1);
    for (int round = 0; round < 2; ++round) {
        board::SeedRandomFromClock();
        const std::vector<int> drawn = {board::NextRandom(), board::NextRandom(), board::NextRandom(),
            board::NextRandom(), board::DrawRandomTile()};
        EXPECT_EQ(drawn, (std::vector<int>{41, 18467, 6334, 26500, 19169 % 144}));
    }
    clock->Advance(1);
    board::SeedRandomFromClock();
    EXPECT_NE(board::NextRandom(), 41);
}

TEST(RulesShuffleTest, DealGivesEveryFaceItsCopiesInFaceOrder)
{
    const uint32_t ticks[] = {0, 1, 977, 65535, 123456789, 0xFFFFFFFFu};
    for (const uint32_t tick : ticks) {
        SCOPED_TRACE(tick);
        const auto board = DealtFullBoard(tick);
        // Distinct deal numbers, each with its face, give the face counts.
        std::set<int> dealIndices;
        for (int t = 0; t < board::kTileCount; ++t) {
            dealIndices.insert(board->Tile(t).dealIndex);
        }
        EXPECT_EQ(dealIndices.size(), 144u);
        ExpectIdentitiesIntact(*board);
    }
}

TEST(RulesShuffleTest, TheDealFollowsTheClockAndDealingAgainStartsAfresh)
{
    EXPECT_EQ(Identities(*DealtFullBoard(500)), Identities(*DealtFullBoard(500)));
    EXPECT_NE(Identities(*DealtFullBoard(500)), Identities(*DealtFullBoard(501)));
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
    EXPECT_EQ(board_test::CountOccupiedCells(*empty), 0);

    const auto few = board_test::BoardWithTiles({{0, 0, 0}, {2, 0, 0}});
    EXPECT_FALSE(board::DealFaces(*few));
    EXPECT_EQ(few->Tile(0).face, 0);
}

TEST(RulesShuffleTest, ShuffleMovesIdentitiesNeverPositions)
{
    // Per tile everything a shuffle must leave: its cells and its flags.
    const auto places = [](const CBoard& board) {
        std::vector<std::tuple<std::array<board::CBoardCell*, 4>, int, int, int>> result;
        for (int t = 0; t < board::kTileCount; ++t) {
            const board::CTile& tile = board.Tile(t);
            result.emplace_back(tile.cells, tile.present, tile.selected, tile.hinted);
        }
        return result;
    };
    const auto presentIdentities = [](const CBoard& board) {
        std::multiset<SIdentity> result;
        for (int t = 0; t < board::kTileCount; ++t) {
            if (board.Tile(t).present) {
                result.insert(Identities(board)[t]);
            }
        }
        return result;
    };
    const uint32_t ticks[] = {0, 42, 99999, 0x80000000u};
    for (const uint32_t tick : ticks) {
        SCOPED_TRACE(tick);
        const auto board = DealtFullBoard(tick + 7);
        board::RemovePair(*board, 5, 77); // a game in progress
        board->Tile(9).selected = 1;
        board->Tile(12).hinted = 1;
        const auto placesBefore = places(*board);
        const auto presentBefore = presentIdentities(*board);
        const auto identitiesBefore = Identities(*board);

        CScopedFakeClock clock(tick);
        board::Shuffle(*board);

        EXPECT_EQ(places(*board), placesBefore);
        EXPECT_EQ(presentIdentities(*board), presentBefore);
        ExpectIdentitiesIntact(*board);
        // Taken tiles keep what they had; the rest is rearranged.
        EXPECT_EQ(Identities(*board)[5], identitiesBefore[5]);
        EXPECT_EQ(Identities(*board)[77], identitiesBefore[77]);
        EXPECT_NE(Identities(*board), identitiesBefore);
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

// A clock that moves on a millisecond each time it is read, so that every
// shuffle of a loop draws a fresh sequence (within one tick they all repeat).
class CSteppingClock final : public platform::ITickSource {
public:
    explicit CSteppingClock(uint32_t start)
        : now(start)
        , previous(platform::SetTickSource(this))
    {
    }
    ~CSteppingClock() override { platform::SetTickSource(previous); }
    uint32_t Ticks() override { return now++; }
    void Wait(uint32_t ms) override { now += ms; }

private:
    uint32_t now;
    platform::ITickSource* previous;
};

TEST(RulesShuffleTest, ShuffleUntilPlayableStopsAtTheFirstPlayableArrangement)
{
    int longSearches = 0;
    for (uint32_t start = 0; start < 20; ++start) {
        SCOPED_TRACE(start);
        const auto board = StuckRow();
        int shuffles = 0;
        {
            CSteppingClock clock(start);
            shuffles = board::ShuffleUntilPlayable(*board);
        }
        ASSERT_LT(shuffles, board::kMaxExtraShuffles);
        EXPECT_EQ(board::CountAvailablePairs(*board), 1);
        // One shuffle fewer had left the board stuck.
        const auto replay = StuckRow();
        CSteppingClock clock(start);
        for (int i = 0; i < shuffles - 1; ++i) {
            board::Shuffle(*replay);
        }
        EXPECT_EQ(board::CountAvailablePairs(*replay), 0);
        longSearches += shuffles > 1 ? 1 : 0;
    }
    EXPECT_GT(longSearches, 0);
}

TEST(RulesShuffleTest, ShuffleUntilPlayableLeavesAPlayableBoardAloneAndGivesUpAtTheLimit)
{
    CScopedFakeClock clock(5);
    const auto board = board_test::BoardWithTiles({{0, 0, 0}, {6, 0, 0}, {12, 0, 0}});
    board_test::SetFaces(*board, {1, 2, 1});
    const auto before = Identities(*board);
    EXPECT_EQ(board::ShuffleUntilPlayable(*board), 0);
    EXPECT_EQ(Identities(*board), before);

    board::RemovePair(*board, 0, 2);
    board->PlaceTile(0, {20, 0, 0}, 0, 3, 3);
    EXPECT_EQ(board::ShuffleUntilPlayable(*board), board::kMaxExtraShuffles);
    EXPECT_EQ(board::CountAvailablePairs(*board), 0);
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
