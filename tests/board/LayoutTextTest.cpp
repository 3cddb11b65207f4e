// The text form of layouts: what a drawing means, what it refuses and where,
// and that printing and parsing give back the same file.
#include "BoardTestLayouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>

namespace board {
namespace {

// A level of 16 rows: the given rows from firstRow on, empty rows elsewhere.
std::string Level(int level, std::initializer_list<std::string_view> rows, int firstRow = 0)
{
    std::string text = "level " + std::to_string(level) + "\n";
    for (int r = 0; r < firstRow; ++r) {
        text += ".\n";
    }
    for (const auto row : rows) {
        text += std::string(row) + "\n";
    }
    for (int r = firstRow + static_cast<int>(rows.size()); r < kRows; ++r) {
        text += ".\n";
    }
    return text;
}

std::string WindowsLineEnds(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

TEST(LayoutTextTest, TilesAreNumberedLevelThenRowThenColumnUnlessAnOrderSaysOtherwise)
{
    const std::string name = "name Test\n";
    const std::string commented
        = "# a layout\n\n  name   Test  \n   # before the level\n" + Level(0, {"+-.. # x", "|_"});
    // Per tile: column, row, level, and the line that drew or listed it.
    const struct {
        const char* what;
        std::string text;
        std::vector<std::tuple<int, int, int, int>> tiles;
    } cases[] = {
        {"half offsets",
            name + Level(0, {"+-+-", "|_|_+-", "....|_......................+-", "............................|_"})
                + Level(1, {".+-.", ".|_."}),
            {{0, 0, 0, 3}, {2, 0, 0, 3}, {4, 1, 0, 4}, {28, 2, 0, 5}, {1, 0, 1, 20}}},
        {"levels and tile lines in any order",
            name + Level(1, {"..+-", "..|_"}) + "tile 0 0 1\n" + Level(0, {"......+-+-", "......|_|_"})
                + "tile 0 5 0\n",
            {{6, 0, 0, 21}, {8, 0, 0, 21}, {0, 5, 0, 37}, {0, 0, 1, 19}, {2, 0, 1, 3}}},
        {"order section", name + Level(0, {"+-+-", "|_|_"}) + "tile 0 0 0\norder\n2 0 0  # tile 0\n0 0 0\n  0 0 0\n",
            {{2, 0, 0, 3}, {0, 0, 0, 3}, {0, 0, 0, 19}}},
        {"comments, blank lines, indentation", commented, {{0, 0, 0, 6}}},
        {"Windows line ends", WindowsLineEnds(commented), {{0, 0, 0, 6}}},
    };
    for (const auto& c : cases) {
        const SLayoutText layout = ParseLayoutText(c.text);
        ASSERT_TRUE(layout.Ok()) << c.what << ": " << layout.problems[0].message;
        EXPECT_EQ(layout.name, "Test") << c.what;
        std::vector<std::tuple<int, int, int, int>> tiles;
        for (const auto& tile : layout.tiles) {
            tiles.emplace_back(tile.topLeft.column, tile.topLeft.row, tile.topLeft.level, tile.line);
        }
        EXPECT_EQ(tiles, c.tiles) << c.what;
    }
}

TEST(LayoutTextTest, RecordsDefaultAndAreReadWithEscapes)
{
    const SLayoutText plain = ParseLayoutText("name Test\n");
    ASSERT_TRUE(plain.Ok());
    EXPECT_EQ(plain.records, (std::array<SLayoutRecord, 3>{{{"Player", 900000}, {"Player", 60000}, {"Player", 25}}}));
    const SLayoutText stated = ParseLayoutText("name Test\n"
                                               R"(record 2 "A \"q\" \\ #x \xE9" -2147483648 # note)"
                                               "\n"
                                               R"(record 3 "" 2147483647)");
    ASSERT_TRUE(stated.Ok()) << stated.problems[0].message;
    EXPECT_EQ(stated.records[0], (SLayoutRecord{"Player", 900000}));
    EXPECT_EQ(stated.records[1], (SLayoutRecord{"A \"q\" \\ #x \xE9", INT32_MIN}));
    EXPECT_EQ(stated.records[2], (SLayoutRecord{"", INT32_MAX}));
}

TEST(LayoutTextTest, FaultsAreReportedWithTheirLine)
{
    const std::string name = "name Test\n";
    const std::string tile = Level(0, {"+-", "|_"});
    // The first problem's line and a part of its message.
    const struct {
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {Level(0, {}), 0, "no \"name\""},
        {"name\n", 1, "empty"},
        {"name a/b\n", 1, "file name"},
        {name + "name Other\n", 2, "second name"},
        {name + "colour red\n", 2, "unknown statement \"colour\""},
        {name + Level(0, {"................................+-"}), 3, "34 characters"},
        {name + Level(0, {"..............................+", "..............................|"}), 3, "incomplete tile"},
        {name + Level(0, {"+-"}, 15), 18, "incomplete tile"},
        {name + Level(0, {"..|_"}), 3, "stray '|'"},
        {name + Level(0, {"+-", "|."}), 3, "incomplete tile"},
        {name + Level(0, {"..x."}), 3, "column 2: \"x\""},
        {name + Level(0, {"..\t+"}), 3, "\\x09"},
        {name + "level 8\n", 2, "levels 0 to 7"},
        {name + Level(0, {}) + Level(0, {}), 19, "drawn twice"},
        {name + "level 0\n....\nrecord 1 \"A\" 1\n", 2, "has 1 rows"},
        {name + Level(0, {}) + "....\n", 19, "17th row"},
        {name + "+-\n", 2, "outside a level"},
        {name + "record 4 \"A\" 1\n", 2, "records 1 to 3"},
        {name + "record 1 \"A\" 1\nrecord 1 \"B\" 2\n", 3, "already given on line 2"},
        {name + "record 1 \"" + std::string(32, 'a') + "\" 1\n", 2, "at most 31"},
        {name + "record 1 \"a\\x00\" 1\n", 2, "\\x00"},
        {name + "record 1 \"abc 1\n", 2, "no closing"},
        {name + "record 1 \"\\n\" 1\n", 2, "unknown escape"},
        {name + "record 1 \"\\x4\" 1\n", 2, "two hexadecimal"},
        {name + "record 1 \"A\" 2147483648\n", 2, "out of range"},
        {name + "record 1 \"A\" 99999999999999999999999\n", 2, "out of range"},
        {name + "record 1 \"A\"\n", 2, "missing"},
        {name + "tile 1 2 3 4\n", 2, "unexpected \"4\""},
        {name + "tile 1 x 3\n", 2, "\"x\" is not a number"},
        {name + "tile 1 - 3\n", 2, "\"-\" is not a number"},
        {name + tile + "order\n4 0 0\n", 20, "does not have"},
        {name + tile + "order\n0 0 0\n0 0 0\n", 21, "lists it twice"},
        {name + Level(0, {"+-+-", "|_|_"}) + "order\n0 0 0\n", 3, "missing from the order"},
        {name + "order\norder\n", 3, "second order"},
        {name + "*\n", 2, "cannot read"},
    };
    for (const auto& c : cases) {
        const SLayoutText layout = ParseLayoutText(c.text);
        ASSERT_FALSE(layout.Ok()) << c.text;
        EXPECT_EQ(layout.problems[0].line, c.line) << c.text;
        EXPECT_NE(layout.problems[0].message.find(c.message), std::string::npos) << layout.problems[0].message;
    }
    std::string many = name;
    for (int i = 0; i < 5000; ++i) {
        many += "bogus\n";
    }
    const SLayoutText capped = ParseLayoutText(many);
    EXPECT_EQ(capped.problems.size(), 201u);
    EXPECT_NE(capped.problems.back().message.find("too many"), std::string::npos);
}

TEST(LayoutTextTest, ToLayoutDataNeedsExactly144TilesInsideTheGrid)
{
    const std::string text = PrintLayoutText(board_test::BlockLayout(), "Block");
    ASSERT_TRUE(CompileLayoutText(text).has_value());
    EXPECT_FALSE(CompileLayoutText(text + "tile 0 0 7\n").has_value()) << "145 tiles";
    const SLayoutText parsed = ParseLayoutText(text);
    const std::pair<SCellPosition, bool> lastTiles[]
        = {{{30, 14, 7}, true}, {{31, 0, 7}, false}, {{0, 15, 0}, false}, {{0, 0, -1}, false}, {{-1, 0, 0}, false}};
    for (const auto& [cell, fits] : lastTiles) {
        SLayoutText changed = parsed;
        changed.tiles.back().topLeft = cell;
        EXPECT_EQ(ToLayoutData(changed).has_value(), fits) << cell.column << " " << cell.row << " " << cell.level;
    }
    SLayoutText fewer = parsed;
    fewer.tiles.pop_back();
    EXPECT_FALSE(ToLayoutData(fewer).has_value()) << "143 tiles";
}

TEST(LayoutTextTest, PrintedTextCompilesBackToTheSameFile)
{
    const struct {
        const char* what;
        bool reversed;
        std::vector<std::pair<int, SCellPosition>> moves; // tile, new top-left cell
        std::vector<SLayoutRecord> records;
        bool hasOrder;
        bool hasTileLines;
    } cases[] = {
        {"canonical", false, {}, {}, false, false},
        {"reversed order", true, {}, {}, true, false},
        {"two tiles swapped", false, {{5, {10, 4, 1}}, {100, {12, 0, 0}}}, {}, true, false},
        {"duplicate position", false, {{143, {2, 0, 0}}}, {}, true, true},
        {"half overlap in canonical order", false, {{143, {23, 10, 1}}}, {}, false, true},
        {"half overlap out of order", false, {{0, {3, 1, 0}}}, {}, true, true},
        {"corners of the grid", false, {{140, {0, 0, 7}}, {141, {30, 0, 7}}, {142, {0, 14, 7}}, {143, {30, 14, 7}}}, {},
            false, false},
        {"odd records", false, {},
            {{"\"Quote\" \\ #hash", -1}, {"", INT32_MIN}, {std::string("\x01\x7f\xff abc", 7), INT32_MAX}}, false,
            false},
        {"longest holder", false, {}, {{"A", 1}, {"B", 2}, {std::string(31, 'z'), 3}}, false, false},
    };
    for (const auto& c : cases) {
        SLayoutData data = board_test::BlockLayout();
        if (c.reversed) {
            std::reverse(data.cells.begin(), data.cells.end());
        }
        for (const auto& [tile, topLeft] : c.moves) {
            data.cells[tile] = TileCells(topLeft);
        }
        std::copy(c.records.begin(), c.records.end(), data.records.begin());
        const std::string text = PrintLayoutText(data, "Round");
        EXPECT_EQ(text.find("\norder\n") != std::string::npos, c.hasOrder) << c.what;
        EXPECT_EQ(text.find("\ntile ") != std::string::npos, c.hasTileLines) << c.what;
        const auto back = CompileLayoutText(text);
        ASSERT_TRUE(back.has_value()) << c.what << "\n" << ParseLayoutText(text).problems[0].message;
        EXPECT_EQ(EncodeLayout(*back), EncodeLayout(data)) << c.what;
    }
    // A holder field without its terminating zero is cut, and the text says so.
    SLayoutData data = board_test::BlockLayout();
    data.records[1].holder = std::string(32, 'q');
    const std::string text = PrintLayoutText(data, "Cut");
    const auto back = CompileLayoutText(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->records[1].holder, std::string(31, 'q'));
    EXPECT_NE(text.find("cut to its first 31"), std::string::npos);
}

} // namespace
} // namespace board
