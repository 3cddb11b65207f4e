// The tile rules on boards built for each case, the random source, the deal
// and the shuffle. Time comes from a fake clock, which is also the seed.
#include "BoardTestLayouts.h"

#include "board/Random.h"
#include "board/TileFocus.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <tuple>

namespace {

using board::CBoard;
using board::SCellPosition;
using board_test::BoardWithTiles;
using board_test::CountOccupiedCells;
using platform::CScopedFakeClock;

TEST(RulesTest, IsTileFreeLooksAboveThenLeftThenRight)
{
    // The first tile is the one under test; the others surround it.
    const std::tuple<const char*, std::vector<SCellPosition>, bool> cases[] = {
        {"alone", {{10, 4, 1}}, true},
        {"left and right neighbours", {{10, 4, 1}, {8, 4, 1}, {12, 4, 1}}, false},
        {"left neighbour only", {{10, 4, 1}, {8, 4, 1}}, true},
        {"left half a row up", {{10, 4, 1}, {8, 3, 1}, {12, 4, 1}}, false},
        {"left half a row down", {{10, 4, 1}, {8, 5, 1}, {12, 4, 1}}, false},
        {"right half a row up", {{10, 4, 1}, {8, 4, 1}, {12, 3, 1}}, false},
        {"right half a row down", {{10, 4, 1}, {8, 4, 1}, {12, 5, 1}}, false},
        {"left a whole row up", {{10, 4, 1}, {8, 2, 1}, {12, 4, 1}}, true},
        {"left half a column away", {{10, 4, 1}, {7, 4, 1}, {12, 4, 1}}, true},
        {"neighbours a level below", {{10, 4, 1}, {8, 4, 0}, {12, 4, 0}}, true},
        {"covered whole", {{10, 4, 1}, {10, 4, 2}}, false},
        {"covered on its bottom-right quarter", {{10, 4, 1}, {11, 5, 2}}, false},
        {"covered on its top-left quarter", {{10, 4, 1}, {9, 3, 2}}, false},
        {"above, half a row off and beside", {{10, 4, 1}, {8, 5, 2}}, true},
        {"two levels up", {{10, 4, 1}, {10, 4, 3}}, true},
        {"column 0 with a right neighbour", {{0, 4, 1}, {2, 4, 1}}, true},
        {"column 0, covered", {{0, 4, 1}, {2, 4, 1}, {1, 4, 2}}, false},
        {"column 30 with a left neighbour", {{30, 4, 1}, {28, 4, 1}}, true},
        {"column 30, covered", {{30, 4, 1}, {30, 5, 2}}, false},
        {"column 28 between neighbours", {{28, 4, 1}, {26, 4, 1}, {30, 4, 1}}, false},
    };
    for (const auto& [what, places, free] : cases) {
        EXPECT_EQ(board::IsTileFree(*BoardWithTiles(places), 0), free) << what;
    }
    EXPECT_FALSE(board::IsTileFree(*std::make_unique<CBoard>(), 0)); // never placed
}

TEST(RulesTest, CountAvailablePairsAndTheHintLookAtFreeMatchingTiles)
{
    // Tiles stand apart on row 0, numbered as listed; a negative face lies
    // under a cover that matches nothing. Then the pairs and the hinted tiles.
    const std::tuple<std::vector<int>, int, std::vector<int>> cases[] = {
        {{35, 37}, 1, {0, 1}}, // Flowers match each other
        {{38, 39}, 0, {}}, // a Flower and a Season do not
        {{35, 36, 37, 38, 40, 41}, 7, {0, 1}},
        {{9, 10, 18, 19, 27, 28, 34, 35}, 0, {}}, // neighbouring faces, the last paired one and a Flower
        {{5, 5, 5, 5}, 6, {0, 1}}, // four of a face make six pairs
        {{3, 7, 7, 3, 3}, 4, {0, 3}}, // the lowest first tile, then its lowest partner
        {{3, 7, 7, -3}, 1, {1, 2}}, // the partner is blocked
        {{1, 2, -1, -2}, 0, {}}, // matches only with blocked tiles
    };
    for (const auto& [faces, pairs, hinted] : cases) {
        SCOPED_TRACE(testing::PrintToString(faces));
        auto board = std::make_unique<CBoard>();
        const int count = static_cast<int>(faces.size());
        for (int t = 0; t < count; ++t) {
            const int face = std::abs(faces[t]);
            board->PlaceTile(t, {4 * t, 0, 0}, t, board::MatchGroupOfFace(face), face);
            if (faces[t] < 0) {
                board->PlaceTile(count + t, {4 * t, 0, 1}, 0, 1000 + t, 1);
            }
        }
        EXPECT_EQ(board::CountAvailablePairs(*board), pairs);
        EXPECT_EQ(board::FindHintPair(*board), !hinted.empty());
        for (int t = 0; t < board::kTileCount; ++t) {
            EXPECT_EQ(board->Tile(t).hinted != 0, std::count(hinted.begin(), hinted.end(), t) == 1) << t;
        }
    }
}

TEST(RulesTest, RemovePairFreesItsNeighboursAndDropsEverySelection)
{
    const auto board = BoardWithTiles({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}}); // tile 1 in the middle
    board->Tile(0).selected = board->Tile(1).selected = board->Tile(1).hinted = 1;
    ASSERT_FALSE(board::IsTileFree(*board, 1));
    board::RemovePair(*board, 0, 2);
    EXPECT_FALSE(
        board->Tile(0).present || board->Tile(2).present || board->Tile(0).selected || board->Tile(1).selected);
    EXPECT_TRUE(board->Tile(1).hinted && board::IsTileFree(*board, 1));
    EXPECT_EQ(CountOccupiedCells(*board), 4);
}

// Free tiles with a gap in row 0, an empty row 2, a tile (5) lying on tile 4
// one level up, and one far down right: 0 1 . 2 / 3 [5 on 4] / ... 6.
TEST(RulesTest, TheFocusMovesToTheNearestFreeTileDrawnThatWay)
{
    using enum board::EFocusDirection;
    auto board = BoardWithTiles({{0, 0, 0}, {2, 0, 0}, {8, 0, 0}, {0, 4, 0}, {4, 4, 0}, {4, 4, 1}, {12, 8, 0}});
    ASSERT_FALSE(board::IsTileFree(*board, 4));
    EXPECT_EQ(board::FirstFocusTile(*board), 0);
    // Across the gap; from 2 nothing is level, so the nearest tile further
    // right; the edges; the tile one level up is beside 3, not above it.
    const std::tuple<int, board::EFocusDirection, int> moves[] = {{0, Right, 1}, {1, Right, 2}, {2, Right, 6},
        {6, Right, -1}, {6, Down, -1}, {0, Left, -1}, {0, Up, -1}, {0, Down, 3}, {3, Up, 0}, {1, Left, 0},
        {3, Right, 5}, {5, Left, 3}, {5, Up, 1}, {5, Down, 6}, {2, Left, 1}};
    for (const auto& [from, direction, to] : moves) {
        EXPECT_EQ(board::NextFocusTile(*board, from, direction), to) << from << " way " << static_cast<int>(direction);
    }
    // A covered or removed tile hands the focus to the nearest free one.
    EXPECT_EQ(board::NearestFreeTile(*board, 4), 5);
    board::RemovePair(*board, 1, 2);
    EXPECT_EQ(board::NearestFreeTile(*board, 2), 5);
    EXPECT_EQ(board::NextFocusTile(*board, 0, Right), 5) << "the removed tiles are skipped";
    for (const int t : {0, 3, 4, 5, 6}) {
        board::RemovePair(*board, t, t);
    }
    EXPECT_EQ(board::NearestFreeTile(*board, 0), -1);
    EXPECT_EQ(board::FirstFocusTile(*board), -1);
}

TEST(RulesTest, CheckGameEndChargesTheClockForStrandedTiles)
{
    const std::vector<SCellPosition> tower = {{10, 4, 0}, {10, 4, 1}, {10, 4, 2}};
    // Two free tiles, whether they match or not, keep the game going.
    const std::vector<SCellPosition> twoFree = {{0, 0, 1}, {6, 0, 1}, {0, 0, 0}, {6, 0, 0}};
    // Places, game type, clock before, whether the game ended, clock after.
    const std::tuple<std::vector<SCellPosition>, int, int32_t, bool, int32_t> cases[] = {
        {tower, 1, 100000, true, 145000},
        {tower, 2, 100000, true, 55000}, // Vesk Style counts down
        {{{4, 4, 0}}, 1, 5000, true, 20000},
        {{{4, 4, 0}}, 2, 5000, true, -10000},
        {twoFree, 1, 100000, false, 100000},
        {{}, 2, 100000, true, 100000},
        {tower, 1, INT32_MAX - 10, true, INT32_MAX},
        {tower, 2, INT32_MIN + 10, true, INT32_MIN},
    };
    for (const auto& [places, gameType, before, ended, after] : cases) {
        SCOPED_TRACE(testing::Message() << places.size() << " tiles, type " << gameType << ", clock " << before);
        const auto board = BoardWithTiles(places);
        int32_t clock = before;
        EXPECT_EQ(board::CheckGameEnd(*board, gameType, clock), ended);
        EXPECT_EQ(clock, after);
        // An ended game's board is cleared, so asking again costs nothing more.
        EXPECT_EQ(CountOccupiedCells(*board), ended ? 0 : 4 * static_cast<int>(places.size()));
        EXPECT_TRUE(board::CheckGameEnd(*board, gameType, clock) == ended && clock == after) << clock;
    }
}

TEST(RandomTest, TheClassicFifteenBitSequenceSeededFromTheClock)
{
    CScopedFakeClock clock(1);
    board::SeedRandomFromClock();
    const std::vector<int> drawn
        = {board::NextRandom(), board::NextRandom(), board::NextRandom(), board::NextRandom(), board::DrawRandomTile()};
    EXPECT_EQ(drawn, (std::vector<int>{41, 18467, 6334, 26500, 19169 % 144}));
}

// Every tile's (dealIndex, matchGroup, face), in tile order.
std::vector<std::tuple<int, int, int>> Identities(const CBoard& board)
{
    std::vector<std::tuple<int, int, int>> result;
    for (int t = 0; t < board::kTileCount; ++t) {
        result.emplace_back(board.Tile(t).dealIndex, board.Tile(t).matchGroup, board.Tile(t).face);
    }
    return result;
}

// The deal gives four copies of each of faces 1..34, then one of each of
// 35..42.
int FaceOfDealIndex(int dealIndex) { return dealIndex < 136 ? dealIndex / 4 + 1 : dealIndex - 136 + 35; }

// Each present tile carries a whole dealt identity in its four cells, no
// other cell is occupied, and the present tiles' deal numbers are distinct.
void ExpectIdentitiesIntact(const CBoard& board)
{
    std::set<int> dealIndices;
    int present = 0;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        if (tile.present) {
            ++present;
            dealIndices.insert(tile.dealIndex);
            ASSERT_TRUE(tile.dealIndex >= 0 && tile.dealIndex < board::kTileCount) << t;
            EXPECT_EQ(tile.face, FaceOfDealIndex(tile.dealIndex)) << t;
            EXPECT_EQ(tile.matchGroup, board::MatchGroupOfFace(tile.face)) << t;
            for (const board::CBoardCell* cell : tile.cells) {
                EXPECT_EQ(std::make_tuple(cell->occupied, cell->dealIndex, cell->matchGroup, cell->face),
                    std::make_tuple(uint8_t{1}, tile.dealIndex, tile.matchGroup, tile.face));
            }
        }
    }
    EXPECT_EQ(static_cast<int>(dealIndices.size()), present);
    EXPECT_EQ(CountOccupiedCells(board), 4 * present);
}

std::unique_ptr<CBoard> DealtBoard(uint32_t ticks)
{
    CScopedFakeClock clock(ticks);
    auto board = board_test::BlockBoard();
    EXPECT_TRUE(board::DealFaces(*board));
    return board;
}

// The deal and the shuffle follow the clock: within one tick they repeat,
// another tick deals another way.
TEST(RulesShuffleTest, DealAndShuffleFollowTheClockAndKeepPositionsAndFlags)
{
    const auto places = [](const CBoard& board) {
        std::vector<std::tuple<std::array<board::CBoardCell*, 4>, int, int, int>> result;
        for (int t = 0; t < board::kTileCount; ++t) {
            const board::CTile& tile = board.Tile(t);
            result.emplace_back(tile.cells, tile.present, tile.selected, tile.hinted);
        }
        return result;
    };
    for (const uint32_t tick : {0u, 977u, 0x80000000u, 0xFFFFFFFEu}) {
        SCOPED_TRACE(tick);
        const std::unique_ptr<CBoard> boards[] = {DealtBoard(tick), DealtBoard(tick + 1)};
        ExpectIdentitiesIntact(*boards[0]);
        EXPECT_NE(Identities(*boards[1]), Identities(*boards[0]));
        {
            CScopedFakeClock clock(tick); // dealing again starts afresh
            ASSERT_TRUE(board::DealFaces(*boards[1]));
        }
        EXPECT_EQ(Identities(*boards[1]), Identities(*boards[0]));
        for (const auto& board : boards) {
            board::RemovePair(*board, 5, 77); // a game in progress
            board->Tile(9).selected = board->Tile(12).hinted = 1;
        }
        const auto placesBefore = places(*boards[0]);
        const auto before = Identities(*boards[0]);
        {
            CScopedFakeClock clock(tick + 7);
            board::Shuffle(*boards[0]);
            board::Shuffle(*boards[1]);
        }
        EXPECT_EQ(places(*boards[0]), placesBefore);
        ExpectIdentitiesIntact(*boards[0]);
        // Taken tiles keep what they had; the present ones are rearranged
        // among themselves, the same way within one tick.
        const auto after = Identities(*boards[0]);
        EXPECT_TRUE(after[5] == before[5] && after[77] == before[77] && after != before);
        EXPECT_EQ(Identities(*boards[1]), after);
        EXPECT_EQ(std::multiset(after.begin(), after.end()), std::multiset(before.begin(), before.end()));
        const auto board = board_test::BlockBoard();
        ASSERT_TRUE(board::DealNewGame(*board));
        EXPECT_GT(board::CountAvailablePairs(*board), 0);
        ExpectIdentitiesIntact(*board);
    }
    const auto empty = std::make_unique<CBoard>();
    const auto few = BoardWithTiles({{0, 0, 0}, {2, 0, 0}});
    EXPECT_FALSE(board::DealFaces(*empty) || board::DealNewGame(*empty) || board::DealFaces(*few));
    EXPECT_TRUE(CountOccupiedCells(*empty) == 0 && few->Tile(0).face == 0 && few->Tile(0).matchGroup == 0);
}

TEST(RulesShuffleTest, ShuffleUntilPlayableStopsWhenAPairIsFreeOrAtTheLimit)
{
    CScopedFakeClock clock(5);
    // Faces in deal order give the 16 free tiles of the block 16 groups.
    const auto board = board_test::BlockBoard();
    for (int t = 0; t < board::kTileCount; ++t) {
        board->SetTileIdentity(t, t, board::MatchGroupOfFace(FaceOfDealIndex(t)), FaceOfDealIndex(t));
    }
    ASSERT_EQ(board::CountAvailablePairs(*board), 0);
    const int shuffles = board::ShuffleUntilPlayable(*board);
    EXPECT_TRUE(shuffles > 0 && shuffles < board::kMaxExtraShuffles) << shuffles;
    EXPECT_GT(board::CountAvailablePairs(*board), 0);
    const auto before = Identities(*board);
    EXPECT_EQ(board::ShuffleUntilPlayable(*board), 0);
    EXPECT_EQ(Identities(*board), before);
    // Two tiles that do not match: no shuffle helps.
    const auto pair = std::make_unique<CBoard>();
    pair->PlaceTile(0, {0, 0, 0}, 0, 1, 1);
    pair->PlaceTile(1, {6, 0, 0}, 1, 2, 2);
    EXPECT_EQ(board::ShuffleUntilPlayable(*pair), board::kMaxExtraShuffles);
    EXPECT_EQ(board::CountAvailablePairs(*pair), 0);
}

} // namespace
