// The layout checks: each fault is found and blamed on the right tile, and a
// sound layout passes.
#include "board/LayoutCheck.h"

#include "board/LayoutText.h"

#include <gtest/gtest.h>

#include <functional>

namespace board {
namespace {

// A sound layout: a 12 x 8 block on level 0 and a 12 x 4 block on level 1.
std::vector<SCellPosition> BlockTiles()
{
    std::vector<SCellPosition> tiles;
    for (int r = 0; r < 16; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            tiles.push_back({c, r, 0});
        }
    }
    for (int r = 4; r < 12; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            tiles.push_back({c, r, 1});
        }
    }
    return tiles;
}

// Index of a tile of BlockTiles by position.
int IndexOf(const std::vector<SCellPosition>& tiles, SCellPosition cell)
{
    const auto found = std::find(tiles.begin(), tiles.end(), cell);
    return found == tiles.end() ? -1 : static_cast<int>(found - tiles.begin());
}

TEST(LayoutCheckTest, PictureAreaFollowsCellAndLevel)
{
    const std::vector<std::pair<SCellPosition, SPixelRect>> cases = {
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

TEST(LayoutCheckTest, SoundLayoutHasNoProblems)
{
    const auto tiles = BlockTiles();
    const auto problems = CheckLayout(tiles);
    EXPECT_TRUE(problems.empty()) << problems[0].message;
    // Free: both ends of the 4 rows of level 0 that level 1 leaves uncovered
    // and both ends of the 4 rows of level 1.
    EXPECT_EQ(CountFreeAtStart(tiles), 8 + 8);
}

struct SFaultCase {
    const char* what;
    std::function<void(std::vector<SCellPosition>&)> change;
    SCellPosition blamed; // the tile the problem names; level -1 for none
    const char* message;
};

TEST(LayoutCheckTest, EachFaultIsFoundAndBlamedOnItsTile)
{
    const SCellPosition none = {0, 0, -1};
    const std::vector<SFaultCase> cases = {
        {"143 tiles", [](auto& t) { t.pop_back(); }, none, "has 143 tiles"},
        {"145 tiles",
            [](auto& t) {
                t.push_back({28, 0, 0});
            },
            none, "has 145 tiles"},
        {"past the right edge",
            [](auto& t) {
                t.back() = {31, 0, 0};
            },
            {31, 0, 0}, "leaves the 32 x 16 x 8 grid"},
        {"past the bottom",
            [](auto& t) {
                t.back() = {28, 15, 0};
            },
            {28, 15, 0}, "leaves the 32 x 16 x 8 grid"},
        {"negative column",
            [](auto& t) {
                t.back() = {-1, 0, 0};
            },
            {-1, 0, 0}, "leaves"},
        {"level 8",
            [](auto& t) {
                t.back() = {2, 4, 8};
            },
            {2, 4, 8}, "leaves"},
        {"huge numbers",
            [](auto& t) {
                t.back() = {INT32_MAX, INT32_MIN, INT32_MAX};
            },
            {INT32_MAX, INT32_MIN, INT32_MAX}, "leaves"},
        {"same cell",
            [](auto& t) {
                t.back() = {2, 4, 1};
            },
            {2, 4, 1}, "shares a cell with the tile at column 2"},
        {"half over a neighbour",
            [](auto& t) {
                t.back() = {27 - 2, 5, 0};
            },
            {25, 5, 0}, "shares a cell"},
        {"floating",
            [](auto& t) {
                t.back() = {2, 4, 2};
                t[IndexOf(t, {2, 4, 1})] = {28, 0, 0};
            },
            {2, 4, 2}, "floats: nothing lies under it on level 1"},
        {"above the picture",
            [](auto& t) {
                // A tower of 8 in the top-left corner: the top tile is drawn 3 px above the picture.
                for (int z = 0; z < 8; ++z) {
                    t[t.size() - 8 + z] = {0, 0, z};
                }
            },
            {0, 0, 7}, "leaves the board area (0, 0)-(800, 500)"},
        {"under the Zandor panel",
            [](auto& t) {
                for (int z = 0; z < 5; ++z) {
                    t[t.size() - 5 + z] = {30, 2, z};
                }
            },
            {30, 2, 4}, "lies under the Zandor target panel"},
    };
    for (const auto& c : cases) {
        auto tiles = BlockTiles();
        c.change(tiles);
        const auto problems = CheckLayout(tiles);
        const auto found = std::find_if(problems.begin(), problems.end(),
            [&](const SLayoutProblem& p) { return p.message.find(c.message) != std::string::npos; });
        ASSERT_NE(found, problems.end()) << c.what;
        if (c.blamed.level == -1) {
            EXPECT_EQ(found->tile, -1) << c.what;
        } else {
            ASSERT_GE(found->tile, 0) << c.what;
            EXPECT_EQ(tiles[found->tile], c.blamed) << c.what;
        }
    }
}

TEST(LayoutCheckTest, SharedCellNamesTheEarlierTileAsTheOther)
{
    auto tiles = BlockTiles();
    tiles.back() = {3, 1, 0}; // over four tiles of level 0, the first being tile 0
    const auto problems = CheckLayout(tiles);
    ASSERT_EQ(problems.size(), 1u) << problems[0].message;
    EXPECT_EQ(problems[0].tile, 143);
    EXPECT_EQ(problems[0].otherTile, 0);
}

TEST(LayoutCheckTest, LayoutsJustInsideTheRulesPass)
{
    const std::vector<std::pair<const char*, std::function<void(std::vector<SCellPosition>&)>>> cases = {
        {"level 6 at row 0 is drawn at y = 1; column 30 up to level 3 ends at x = 722, left of the panel",
            [](auto& t) {
                for (int z = 0; z < 7; ++z) {
                    t[t.size() - 11 + z] = {0, 0, z};
                }
                for (int z = 0; z < 4; ++z) {
                    t[t.size() - 4 + z] = {30, 0, z};
                }
            }},
        {"half over the last tile of the first row is supported",
            [](auto& t) {
                t.back() = {25, 0, 1};
            }},
    };
    for (const auto& [what, change] : cases) {
        auto tiles = BlockTiles();
        change(tiles);
        const auto problems = CheckLayout(tiles);
        EXPECT_TRUE(problems.empty()) << what << ": " << problems[0].message;
    }
}

TEST(LayoutCheckTest, FewerThanTwoFreeTilesIsAProblem)
{
    // n tiles stacked on one spot of level 0 and 144 - n on the spot above:
    // only the upper ones are free (tiles on one spot do not block each
    // other's sides).
    for (const int upper : {1, 2}) {
        std::vector<SCellPosition> tiles(kTileCount - upper, SCellPosition{4, 4, 0});
        tiles.insert(tiles.end(), upper, SCellPosition{4, 4, 1});
        EXPECT_EQ(CountFreeAtStart(tiles), upper);
        const auto problems = CheckLayout(tiles);
        const bool reported = std::any_of(problems.begin(), problems.end(),
            [](const SLayoutProblem& p) { return p.message.find("free at the start") != std::string::npos; });
        EXPECT_EQ(reported, upper < 2) << upper;
    }
    EXPECT_EQ(CountFreeAtStart({}), -1);
}

TEST(LayoutCheckTest, FreeCountFollowsTheSideRules)
{
    // Two tiles taken from the ends of level 1's first row and put beside
    // level 0's rows 0 and 2, half a row lower: a neighbour that touches only
    // half of a side still blocks it.
    auto tiles = BlockTiles();
    tiles[IndexOf(tiles, {2, 4, 1})] = {0, 1, 0};
    tiles[IndexOf(tiles, {24, 4, 1})] = {26, 1, 0};
    // Rows 0 and 2 of level 0 lose their four free ends; the newcomers are
    // free (one at the left edge of the grid); the ends of level 0's row 4
    // are now uncovered and free; level 1's first row has new, free ends.
    EXPECT_EQ(CountFreeAtStart(tiles), 16 - 4 + 2 + 2);
}

TEST(LayoutCheckTest, ClearingOrderIsFoundOrHonestlyMissed)
{
    EXPECT_TRUE(FindsClearingOrder(BlockTiles(), 1, 20));

    // Two free tiles at the start, but taking them leaves a single free tile
    // on top of 141 covered ones.
    std::vector<SCellPosition> stuck(141, SCellPosition{0, 0, 0});
    stuck.push_back({0, 0, 1});
    stuck.push_back({0, 0, 2});
    stuck.push_back({10, 0, 0});
    EXPECT_EQ(CountFreeAtStart(stuck), 2);
    EXPECT_FALSE(FindsClearingOrder(stuck, 1, 20));
    EXPECT_FALSE(FindsClearingOrder({}, 1, 20));
}

} // namespace
} // namespace board
