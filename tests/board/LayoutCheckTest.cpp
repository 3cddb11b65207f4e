// The layout checks: each fault is found and blamed on the right tile, and a
// sound layout passes.
#include "BoardTestLayouts.h"

#include "board/LayoutCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace board {
namespace {

// Tiles stacked on one spot, from level `from` up to level `to`.
std::vector<SCellPosition> Tower(int column, int row, int from, int to)
{
    std::vector<SCellPosition> tiles;
    for (int z = from; z <= to; ++z) {
        tiles.push_back({column, row, z});
    }
    return tiles;
}

std::vector<SCellPosition> operator+(std::vector<SCellPosition> a, const std::vector<SCellPosition>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(LayoutCheckTest, PictureAreaFollowsCellAndLevel)
{
    const std::pair<SCellPosition, SPixelRect> cases[] = {
        {{0, 0, 0}, {65, 25, 110, 86}},
        {{1, 1, 0}, {85, 53, 130, 114}}, // half a tile right and down
        {{0, 0, 1}, {69, 21, 114, 82}}, // each level 4 px right and 4 px up
        {{30, 14, 0}, {665, 417, 710, 478}},
        {{30, 14, 7}, {693, 389, 738, 450}},
    };
    for (const auto& [cell, rect] : cases) {
        EXPECT_EQ(TilePictureArea(cell), rect) << cell.column << " " << cell.row << " " << cell.level;
    }
}

TEST(LayoutCheckTest, EachFaultIsFoundAndBlamedOnItsTile)
{
    const SCellPosition none = {0, 0, -1};
    // The sound block layout with its last tiles replaced by `last`, or one
    // tile fewer or more; message nullptr: no problem at all.
    const struct {
        const char* what;
        std::vector<SCellPosition> last;
        int extra;
        SCellPosition blamed;
        int other;
        const char* message;
    } cases[] = {
        {"sound", {}, 0, none, -1, nullptr},
        {"143 tiles", {}, -1, none, -1, "has 143 tiles"},
        {"145 tiles", {}, 1, none, -1, "has 145 tiles"},
        {"past the right edge", {{31, 0, 0}}, 0, {31, 0, 0}, -1, "leaves the 32 x 16 x 8 grid"},
        {"past the bottom", {{28, 15, 0}}, 0, {28, 15, 0}, -1, "leaves the 32 x 16 x 8 grid"},
        {"negative column", {{-1, 0, 0}}, 0, {-1, 0, 0}, -1, "leaves"},
        {"level 8", {{2, 4, 8}}, 0, {2, 4, 8}, -1, "leaves"},
        {"extreme numbers", {{INT32_MAX, INT32_MIN, INT32_MAX}}, 0, {INT32_MAX, INT32_MIN, INT32_MAX}, -1, "leaves"},
        {"same cell", {{2, 4, 1}}, 0, {2, 4, 1}, 96, "shares a cell with the tile at column 2, row 4, level 1"},
        {"over four tiles", {{3, 1, 0}}, 0, {3, 1, 0}, 0, "shares a cell"},
        {"floating", {{2, 0, 2}}, 0, {2, 0, 2}, -1, "floats: nothing lies under it on level 1"},
        {"half over the last tile of a row", {{25, 4, 2}}, 0, none, -1, nullptr},
        // The top tile of a tower of 8 in the corner is drawn 3 px above the picture.
        {"above the picture", Tower(0, 0, 0, 7), 0, {0, 0, 7}, -1, "leaves the board area (0, 0)-(800, 500)"},
        // Level 6 at row 0 is drawn at y = 1; column 30 up to level 3 ends at x = 722.
        {"just inside the picture", Tower(0, 0, 0, 6) + Tower(30, 0, 0, 3), 0, none, -1, nullptr},
        {"under the Zandor panel", Tower(30, 2, 0, 4), 0, {30, 2, 4}, -1, "lies under the Zandor target panel"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tiles = TopLeftCells(board_test::BlockLayout());
        std::copy(c.last.begin(), c.last.end(), tiles.end() - static_cast<int>(c.last.size()));
        tiles.resize(tiles.size() + c.extra, {28, 0, 0});
        const auto problems = CheckLayout(tiles);
        if (!c.message) {
            EXPECT_TRUE(problems.empty()) << problems[0].message;
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << problems[0].message;
        EXPECT_NE(problems[0].message.find(c.message), std::string::npos) << problems[0].message;
        EXPECT_EQ(problems[0].tile < 0 ? none : tiles[problems[0].tile], c.blamed);
        EXPECT_EQ(problems[0].otherTile, c.other);
    }
}

TEST(LayoutCheckTest, FreeTilesAtTheStartAndTheClearingOrder)
{
    // Both ends of the 4 rows of level 0 that level 1 leaves uncovered and
    // both ends of the 4 rows of level 1.
    const auto block = TopLeftCells(board_test::BlockLayout());
    EXPECT_EQ(CountFreeAtStart(block), 16);
    EXPECT_TRUE(FindsClearingOrder(block, 1, 20));
    // Tiles on one spot do not block each other's sides, so only those on
    // the upper spot are free.
    for (const int upper : {1, 2}) {
        const auto tiles
            = std::vector<SCellPosition>(kTileCount - upper, {4, 4, 0}) + std::vector<SCellPosition>(upper, {4, 4, 1});
        EXPECT_EQ(CountFreeAtStart(tiles), upper);
        const auto problems = CheckLayout(tiles);
        EXPECT_EQ(std::any_of(problems.begin(), problems.end(),
                      [](const SLayoutProblem& p) { return p.message.find("free at the start") != std::string::npos; }),
            upper < 2);
    }
    EXPECT_EQ(CountFreeAtStart({}), -1);
    // Two free tiles at the start, but taking them leaves one free tile on
    // top of 141 covered ones.
    const auto stuck = std::vector<SCellPosition>(141, {0, 0, 0}) + Tower(0, 0, 1, 2) + Tower(10, 0, 0, 0);
    EXPECT_EQ(CountFreeAtStart(stuck), 2);
    EXPECT_FALSE(FindsClearingOrder(stuck, 1, 20));
    EXPECT_FALSE(FindsClearingOrder({}, 1, 20));
}

} // namespace
} // namespace board
