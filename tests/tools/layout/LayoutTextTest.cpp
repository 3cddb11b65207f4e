// Layouts in text: what a drawing means, what it refuses and where, and that
// printing and parsing give back the same file (any input, through the
// fuzz entry fuzz_mutations_layout). Then the layout checks: each fault is
// found and blamed on the right tile.
#include "../../board/BoardTestLayouts.h"

#include "LayoutCheck.h"
#include "LayoutText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <regex>
#include <tuple>

namespace board {
namespace {

// A level of 16 rows: the given rows from firstRow on, empty rows elsewhere.
std::string Level(int level, std::initializer_list<std::string_view> rows, int firstRow = 0)
{
    std::string text = "level " + std::to_string(level) + "\n";
    for (int r = 0; r < kRows; ++r) {
        const int given = r - firstRow;
        text += std::string(given >= 0 && given < static_cast<int>(rows.size()) ? rows.begin()[given] : ".") + "\n";
    }
    return text;
}

TEST(LayoutTextTest, TilesAreNumberedLevelThenRowThenColumnUnlessAnOrderSaysOtherwise)
{
    const std::string name = "name Test\n";
    const std::string commented
        = "# a layout\n\n  name   Test  \n   # before the level\n" + Level(0, {"+-.. # x", "|_"});
    // Per tile: column, row, level, and the line that drew or listed it.
    const std::pair<std::string, std::vector<std::tuple<int, int, int, int>>> cases[] = {
        // Half-tile offsets; a drawn tile's line is that of its top row.
        {name + Level(0, {"+-+-", "|_|_+-", "....|_......................+-", "............................|_"})
                + Level(1, {".+-.", ".|_."}),
            {{0, 0, 0, 3}, {2, 0, 0, 3}, {4, 1, 0, 4}, {28, 2, 0, 5}, {1, 0, 1, 20}}},
        // Levels and "tile" lines in any order.
        {name + Level(1, {"..+-", "..|_"}) + "tile 0 0 1\n" + Level(0, {"......+-+-", "......|_|_"}) + "tile 0 5 0\n",
            {{6, 0, 0, 21}, {8, 0, 0, 21}, {0, 5, 0, 37}, {0, 0, 1, 19}, {2, 0, 1, 3}}},
        // Tiles on one spot are interchangeable in the order.
        {name + Level(0, {"+-+-", "|_|_"}) + "tile 0 0 0\norder\n2 0 0  # tile 0\n0 0 0\n  0 0 0\n",
            {{2, 0, 0, 3}, {0, 0, 0, 3}, {0, 0, 0, 19}}},
        // Comments, blank lines, indentation and Windows line ends.
        {std::regex_replace(commented, std::regex("\n"), "\r\n"), {{0, 0, 0, 6}}},
    };
    for (const auto& [text, expected] : cases) {
        const SLayoutText layout = ParseLayoutText(text);
        ASSERT_TRUE(layout.Ok()) << text << layout.problems[0].message;
        EXPECT_EQ(layout.name, "Test") << text;
        std::vector<std::tuple<int, int, int, int>> tiles;
        for (const auto& tile : layout.tiles) {
            tiles.emplace_back(tile.topLeft.column, tile.topLeft.row, tile.topLeft.level, tile.line);
        }
        EXPECT_EQ(tiles, expected) << text;
    }
}

// Escapes and extreme values are read back in the round trip below.
TEST(LayoutTextTest, RecordsNotStatedKeepTheirDefaults)
{
    const SLayoutText stated = ParseLayoutText("name Test\nrecord 3 \"\" 2147483647 # note\n");
    ASSERT_TRUE(stated.Ok()) << stated.problems[0].message;
    EXPECT_EQ(stated.records, (std::array<SLayoutRecord, 3>{{{"Player", 900000}, {"Player", 60000}, {"", INT32_MAX}}}));
}

TEST(LayoutTextTest, FaultsAreReportedWithTheirLine)
{
    const std::string name = "name Test\n";
    const std::string tile = Level(0, {"+-", "|_"});
    // The text, the first problem's line and a part of its message.
    const std::tuple<std::string, int, const char*> cases[] = {
        {Level(0, {}), 0, "no \"name\""},
        {"name a/b\n", 1, "file name"},
        {name + "colour red\n", 2, "unknown statement \"colour\""},
        {name + Level(0, {"................................+-"}), 3, "34 characters"},
        {name + Level(0, {"..............................+", "..............................|"}), 3, "incomplete tile"},
        {name + Level(0, {"+-"}, 15), 18, "incomplete tile"},
        {name + Level(0, {"..|_"}), 3, "stray '|'"},
        {name + Level(0, {"..x."}), 3, "column 2: \"x\""},
        {name + Level(0, {"..\t+"}), 3, "\\x09"},
        {name + "level 8\n", 2, "levels 0 to 7"},
        {name + Level(0, {}) + Level(0, {}), 19, "drawn twice"},
        {name + "level 0\n....\nrecord 1 \"A\" 1\n", 2, "has 1 rows"},
        {name + Level(0, {}) + "....\n", 19, "17th row"},
        {name + "record 4 \"A\" 1\n", 2, "records 1 to 3"},
        {name + "record 1 \"A\" 1\nrecord 1 \"B\" 2\n", 3, "already given on line 2"},
        {name + "record 1 \"" + std::string(32, 'a') + "\" 1\n", 2, "at most 31"},
        {name + "record 1 \"a\\x00\" 1\n", 2, "\\x00"},
        {name + "record 1 \"abc 1\n", 2, "no closing"},
        {name + "record 1 \"\\n\" 1\n", 2, "unknown escape"},
        {name + "record 1 \"\\x4\" 1\n", 2, "two hexadecimal"},
        {name + "record 1 \"A\" 2147483648\n", 2, "out of range"},
        {name + "record 1 \"A\" 99999999999999999999999\n", 2, "out of range"},
        {name + "tile 1 2 3 4\n", 2, "unexpected \"4\""},
        {name + "tile 1 x 3\n", 2, "\"x\" is not a number"},
        {name + "tile 1 - 3\n", 2, "\"-\" is not a number"},
        {name + tile + "order\n4 0 0\n", 20, "does not have"},
        {name + tile + "order\n0 0 0\n0 0 0\n", 21, "lists it twice"},
        {name + Level(0, {"+-+-", "|_|_"}) + "order\n0 0 0\n", 3, "missing from the order"},
    };
    for (const auto& [text, line, message] : cases) {
        const SLayoutText layout = ParseLayoutText(text);
        ASSERT_FALSE(layout.Ok()) << text;
        EXPECT_EQ(layout.problems[0].line, line) << text;
        EXPECT_NE(layout.problems[0].message.find(message), std::string::npos) << layout.problems[0].message;
    }
    const SLayoutText capped
        = ParseLayoutText(name + std::regex_replace(std::string(5000, '\n'), std::regex("\n"), "*\n"));
    EXPECT_EQ(capped.problems.size(), 201u);
    EXPECT_NE(capped.problems.back().message.find("too many"), std::string::npos);
}

TEST(LayoutTextTest, PrintedTextCompilesBackToTheSameFile)
{
    // Reversed, tiles moved (tile, new top-left cell), records, and whether
    // the text needs an order section and "tile" lines.
    using SMoves = std::vector<std::pair<int, SCellPosition>>;
    const std::tuple<bool, SMoves, std::vector<SLayoutRecord>, bool, bool> cases[] = {
        {false, {}, {}, false, false}, // canonical
        {true, {}, {}, true, false}, // reversed
        {false, {{143, {2, 0, 0}}}, {}, true, true}, // on tile 0's place
        {false, {{143, {23, 10, 1}}}, {}, false, true}, // half over another, in canonical order
        {false, {{0, {3, 1, 0}}}, {}, true, true}, // half over others, out of order
        {false, {{140, {0, 0, 7}}, {141, {30, 0, 7}}, {142, {0, 14, 7}}, {143, {30, 14, 7}}}, {}, false, false},
        {false, {}, {{"\"Quote\" \\ #hash", -1}, {"", INT32_MIN}, {std::string("\x01\x7f\xff abc", 7), INT32_MAX}},
            false, false},
        {false, {}, {{"A", 1}, {std::string(32, 'q'), 2}, {std::string(31, 'z'), 3}}, false, false}, // cut to 31
    };
    for (const auto& [reversed, moves, records, hasOrder, hasTileLines] : cases) {
        SLayoutData data = board_test::BlockLayout();
        if (reversed) {
            std::reverse(data.cells.begin(), data.cells.end());
        }
        for (const auto& [tile, topLeft] : moves) {
            data.cells[tile] = TileCells(topLeft);
        }
        std::copy(records.begin(), records.end(), data.records.begin());
        const std::string text = PrintLayoutText(data, "Round");
        EXPECT_EQ(text.find("\norder\n") != std::string::npos, hasOrder) << text;
        EXPECT_EQ(text.find("\ntile ") != std::string::npos, hasTileLines) << text;
        const auto back = CompileLayoutText(text);
        ASSERT_TRUE(back.has_value()) << text << ParseLayoutText(text).problems[0].message;
        EXPECT_EQ(EncodeLayout(*back), EncodeLayout(data)) << text;
    }
}

// Tiles stacked on one spot from level 0 up.
std::vector<SCellPosition> Tower(int column, int row, int height)
{
    std::vector<SCellPosition> tiles;
    for (int z = 0; z < height; ++z) {
        tiles.push_back({column, row, z});
    }
    return tiles;
}

// The checks below pin where a picture's left, right and top edges fall;
// its height shows only in the preview.
TEST(LayoutCheckTest, PictureAreaFollowsCellAndLevel)
{
    EXPECT_EQ(TilePictureArea({0, 0, 0}), (SPixelRect{65, 25, 110, 86}));
    EXPECT_EQ(TilePictureArea({30, 14, 7}), (SPixelRect{693, 389, 738, 450}));
}

TEST(LayoutCheckTest, EachFaultIsFoundAndBlamedOnItsTile)
{
    const SCellPosition none = {0, 0, -1};
    // What, the tile positions that replace the last ones, how many tiles to
    // add or take off the end, the tile blamed, the other tile named, and a
    // part of the message (nullptr: no problem at all).
    const std::tuple<const char*, std::vector<SCellPosition>, int, SCellPosition, int, const char*> cases[] = {
        {"sound", {}, 0, none, -1, nullptr},
        {"143 tiles", {}, -1, none, -1, "has 143 tiles"},
        {"145 tiles", {}, 1, none, -1, "has 145 tiles"},
        {"past the right edge", {{31, 0, 0}}, 0, {31, 0, 0}, -1, "leaves the 32 x 16 x 8 grid"},
        {"past the bottom", {{28, 15, 0}}, 0, {28, 15, 0}, -1, "leaves the 32 x 16 x 8 grid"},
        {"extreme numbers", {{INT32_MAX, INT32_MIN, INT32_MAX}}, 0, {INT32_MAX, INT32_MIN, INT32_MAX}, -1, "leaves"},
        {"same cell", {{2, 4, 1}}, 0, {2, 4, 1}, 96, "shares a cell with the tile at column 2, row 4, level 1"},
        {"over four tiles", {{3, 1, 0}}, 0, {3, 1, 0}, 0, "shares a cell"},
        {"floating", {{2, 0, 2}}, 0, {2, 0, 2}, -1, "floats: nothing lies under it on level 1"},
        {"half over the last tile of a row", {{25, 4, 2}}, 0, none, -1, nullptr},
        // The top tile of a tower of 8 in the corner is drawn 3 px above the picture.
        {"above the picture", Tower(0, 0, 8), 0, {0, 0, 7}, -1, "leaves the board area (0, 0)-(800, 500)"},
        // Level 6 at row 0 is drawn at y = 1; column 30 up to level 3 ends at x = 722.
        {"just inside the top", Tower(0, 0, 7), 0, none, -1, nullptr},
        {"just left of the panel", Tower(30, 0, 4), 0, none, -1, nullptr},
        {"under the Zandor panel", Tower(30, 2, 5), 0, {30, 2, 4}, -1, "lies under the Zandor target panel"},
    };
    for (const auto& [what, last, extra, blamed, other, message] : cases) {
        SCOPED_TRACE(what);
        auto tiles = TopLeftCells(board_test::BlockLayout());
        std::copy(last.begin(), last.end(), tiles.end() - static_cast<int>(last.size()));
        tiles.resize(tiles.size() + extra, {28, 0, 0});
        const auto problems = CheckLayout(tiles);
        if (!message) {
            EXPECT_TRUE(problems.empty()) << problems[0].message;
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << problems[0].message;
        EXPECT_NE(problems[0].message.find(message), std::string::npos) << problems[0].message;
        EXPECT_EQ(problems[0].tile < 0 ? none : tiles[problems[0].tile], blamed);
        EXPECT_EQ(problems[0].otherTile, other);
    }
}

TEST(LayoutCheckTest, FreeTilesAtTheStartAndTheClearingOrder)
{
    // Both ends of the 4 rows of level 0 that level 1 leaves uncovered and
    // both ends of the 4 rows of level 1.
    const auto block = TopLeftCells(board_test::BlockLayout());
    EXPECT_EQ(CountFreeAtStart(block), 16);
    EXPECT_TRUE(FindsClearingOrder(block, 1, 20));
    // Tiles on one spot do not block each other's sides: only the top one is free.
    auto one = std::vector<SCellPosition>(kTileCount, {4, 4, 0});
    one.back().level = 1;
    EXPECT_EQ(CountFreeAtStart(one), 1);
    EXPECT_EQ(CheckLayout(one).back().message, "only 1 tile is free at the start; a game needs at least two");
    // Two free tiles at the start, enough for the check, but taking them
    // leaves one free tile on top of 141 covered ones.
    auto stuck = std::vector<SCellPosition>(kTileCount - 3, {0, 0, 0});
    stuck.insert(stuck.end(), {{0, 0, 1}, {0, 0, 2}, {10, 0, 0}});
    EXPECT_EQ(CountFreeAtStart(stuck), 2);
    EXPECT_EQ(CheckLayout(stuck).back().message.find("free at the start"), std::string::npos);
    EXPECT_FALSE(FindsClearingOrder(stuck, 1, 20));
}

} // namespace
} // namespace board
