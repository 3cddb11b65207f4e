// The random source, the deal and the shuffle. Time comes from a fake clock,
// which is also the generator's seed.
#include "BoardTestLayouts.h"

#include "board/Random.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

using board::CBoard;
using platform::CScopedFakeClock;

// Every tile's (dealIndex, matchGroup, face), in tile order.
using SIdentity = std::tuple<int, int, int>;
std::vector<SIdentity> Identities(const CBoard& board)
{
    std::vector<SIdentity> result;
    for (int t = 0; t < board::kTileCount; ++t) {
        result.emplace_back(board.Tile(t).dealIndex, board.Tile(t).matchGroup, board.Tile(t).face);
    }
    return result;
}

// Each present tile carries a whole dealt identity (four copies of faces
// 1..34 dealt first, then one of each of 35..42) in its four cells, no other
// cell is occupied, and the present tiles' deal numbers are distinct.
void ExpectIdentitiesIntact(const CBoard& board)
{
    std::set<int> dealIndices;
    int present = 0;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        if (!tile.present) {
            continue;
        }
        ++present;
        dealIndices.insert(tile.dealIndex);
        ASSERT_TRUE(tile.dealIndex >= 0 && tile.dealIndex < board::kTileCount) << t;
        EXPECT_EQ(tile.face, tile.dealIndex < 136 ? tile.dealIndex / 4 + 1 : tile.dealIndex - 136 + 35) << t;
        EXPECT_EQ(tile.matchGroup, board::MatchGroupOfFace(tile.face)) << t;
        for (const board::CBoardCell* cell : tile.cells) {
            EXPECT_TRUE(cell->occupied && cell->dealIndex == tile.dealIndex && cell->matchGroup == tile.matchGroup
                && cell->face == tile.face)
                << t;
        }
    }
    EXPECT_EQ(static_cast<int>(dealIndices.size()), present);
    EXPECT_EQ(board_test::CountOccupiedCells(board), 4 * present);
}

std::unique_ptr<CBoard> DealtBoard(uint32_t ticks)
{
    CScopedFakeClock clock(ticks);
    auto board = board_test::BlockBoard();
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

TEST(RulesShuffleTest, DealGivesEveryFaceItsCopiesInDealOrderAndANewGameOffersAPair)
{
    for (const uint32_t tick : {0u, 1u, 977u, 65535u, 123456789u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(tick);
        ExpectIdentitiesIntact(*DealtBoard(tick));
        CScopedFakeClock clock(tick);
        const auto board = board_test::BlockBoard();
        ASSERT_TRUE(board::DealNewGame(*board));
        EXPECT_GT(board::CountAvailablePairs(*board), 0);
        ExpectIdentitiesIntact(*board);
    }
}

TEST(RulesShuffleTest, TheDealFollowsTheClockDealsAgainAfreshAndRefusesAnIncompleteBoard)
{
    EXPECT_EQ(Identities(*DealtBoard(500)), Identities(*DealtBoard(500)));
    EXPECT_NE(Identities(*DealtBoard(500)), Identities(*DealtBoard(501)));
    const auto board = DealtBoard(10);
    CScopedFakeClock clock(11);
    ASSERT_TRUE(board::DealFaces(*board));
    EXPECT_EQ(Identities(*board), Identities(*DealtBoard(11)));

    const auto empty = std::make_unique<CBoard>();
    EXPECT_FALSE(board::DealFaces(*empty) || board::DealNewGame(*empty));
    EXPECT_EQ(board_test::CountOccupiedCells(*empty), 0);
    const auto few = board_test::BoardWithTiles({{0, 0, 0}, {2, 0, 0}});
    EXPECT_FALSE(board::DealFaces(*few));
    EXPECT_EQ(few->Tile(0).face, 0);
}

TEST(RulesShuffleTest, ShuffleMovesIdentitiesNeverPositionsOrFlags)
{
    const auto places = [](const CBoard& board) {
        std::vector<std::tuple<std::array<board::CBoardCell*, 4>, int, int, int>> result;
        for (int t = 0; t < board::kTileCount; ++t) {
            const board::CTile& tile = board.Tile(t);
            result.emplace_back(tile.cells, tile.present, tile.selected, tile.hinted);
        }
        return result;
    };
    for (const uint32_t tick : {0u, 42u, 99999u, 0x80000000u}) {
        SCOPED_TRACE(tick);
        const auto board = DealtBoard(tick + 7);
        board::RemovePair(*board, 5, 77); // a game in progress
        board->Tile(9).selected = 1;
        board->Tile(12).hinted = 1;
        const auto placesBefore = places(*board);
        auto identities = Identities(*board);
        CScopedFakeClock clock(tick);
        board::Shuffle(*board);
        EXPECT_EQ(places(*board), placesBefore);
        ExpectIdentitiesIntact(*board);
        // Taken tiles keep what they had; the present ones are rearranged.
        const auto after = Identities(*board);
        EXPECT_EQ(after[5], identities[5]);
        EXPECT_EQ(after[77], identities[77]);
        EXPECT_NE(after, identities);
        std::sort(identities.begin(), identities.end());
        auto sorted = after;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, identities);
    }
}

TEST(RulesShuffleTest, ShufflesWithinOneTickRepeatTheSameExchanges)
{
    CScopedFakeClock clock(31337);
    const auto once = DealtBoard(1);
    const auto twice = DealtBoard(1);
    board::Shuffle(*once);
    board::Shuffle(*twice);
    EXPECT_EQ(Identities(*once), Identities(*twice));
    // The same exchanges applied to another arrangement give another result.
    board::Shuffle(*twice);
    EXPECT_NE(Identities(*twice), Identities(*once));
    clock->Advance(1);
    const auto later = DealtBoard(1);
    board::Shuffle(*later);
    EXPECT_NE(Identities(*later), Identities(*once));
}

// A clock that moves on a millisecond each time it is read, so that every
// shuffle of a loop draws a fresh sequence.
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

// Tile 1 lies between tiles 0 and 2: the free outer two differ, so no pair
// can be taken until a shuffle brings the two 1s out.
std::unique_ptr<CBoard> StuckRow()
{
    auto board = board_test::BoardWithTiles({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}});
    board_test::SetFaces(*board, {1, 1, 2});
    return board;
}

TEST(RulesShuffleTest, ShuffleUntilPlayableStopsAtTheFirstPlayableArrangementOrTheLimit)
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

} // namespace
