// The text form of layouts: what a drawing means, what it refuses and where,
// and that printing and parsing give back the same file.
#include "board/LayoutText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace board {
namespace {

// 96 tiles on level 0 (12 x 8) and 48 on level 1 (12 x 4), in canonical order.
SLayoutData BlockLayout()
{
    SLayoutData data;
    int t = 0;
    for (int r = 0; r < 16; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            data.cells[t++] = TileCells({c, r, 0});
        }
    }
    for (int r = 4; r < 12; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            data.cells[t++] = TileCells({c, r, 1});
        }
    }
    data.records = DefaultRecords();
    return data;
}

std::string Lines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const auto line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// A level of 16 rows: the given rows on top, empty rows below.
std::string Level(int level, std::initializer_list<std::string_view> rows)
{
    std::string text = "level " + std::to_string(level) + "\n";
    int count = 0;
    for (const auto row : rows) {
        text += row;
        text += '\n';
        ++count;
    }
    for (; count < kRows; ++count) {
        text += "................................\n";
    }
    return text;
}

std::vector<SCellPosition> PositionsOf(const SLayoutText& layout)
{
    std::vector<SCellPosition> cells;
    for (const auto& tile : layout.tiles) {
        cells.push_back(tile.topLeft);
    }
    return cells;
}

TEST(LayoutTextTest, DrawingGivesTilesAtTheirTopLeftCellsIncludingHalfOffsets)
{
    const SLayoutText layout = ParseLayoutText("name Test\n"
        + Level(0,
            {
                "+-+-............................",
                "|_|_+-..........................",
                "....|_......................+-..",
                "............................|_..",
            })
        + Level(1, {".+-.", ".|_."}));
    ASSERT_TRUE(layout.Ok()) << layout.problems[0].message;
    const std::vector<SCellPosition> expected = {{0, 0, 0}, {2, 0, 0}, {4, 1, 0}, {28, 2, 0}, {1, 0, 1}};
    EXPECT_EQ(PositionsOf(layout), expected);
    EXPECT_EQ(layout.tiles[2].line, 4); // the line of the tile's top row
    EXPECT_EQ(layout.tiles[4].line, 20);
    EXPECT_EQ(layout.name, "Test");
}

TEST(LayoutTextTest, TilesAreNumberedLevelThenRowThenColumnWhateverOrderTheTextUses)
{
    const SLayoutText layout = ParseLayoutText("name Test\n" + Level(1, {"..+-", "..|_"}) + "tile 0 0 1\n"
        + Level(0, {"......+-+-", "......|_|_"}) + "tile 0 5 0\n");
    ASSERT_TRUE(layout.Ok()) << layout.problems[0].message;
    const std::vector<SCellPosition> expected = {{6, 0, 0}, {8, 0, 0}, {0, 5, 0}, {0, 0, 1}, {2, 0, 1}};
    EXPECT_EQ(PositionsOf(layout), expected);
}

TEST(LayoutTextTest, OrderSectionSetsTheTileNumbers)
{
    const SLayoutText layout = ParseLayoutText("name Test\n" + Level(0, {"+-+-", "|_|_"}) + "tile 0 0 0\n"
        + Lines({"order", "2 0 0  # tile 0", "0 0 0", "  0 0 0"}));
    ASSERT_TRUE(layout.Ok()) << layout.problems[0].message;
    const std::vector<SCellPosition> expected = {{2, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    EXPECT_EQ(PositionsOf(layout), expected);
}

TEST(LayoutTextTest, RecordsDefaultAndAreReadWithEscapes)
{
    const SLayoutText plain = ParseLayoutText("name Test\n");
    ASSERT_TRUE(plain.Ok());
    EXPECT_EQ(plain.records[0], (SLayoutRecord{"Player", 900000}));
    EXPECT_EQ(plain.records[1], (SLayoutRecord{"Player", 60000}));
    EXPECT_EQ(plain.records[2], (SLayoutRecord{"Player", 25}));

    const SLayoutText stated = ParseLayoutText(
        Lines({"name Test", R"(record 2 "A \"q\" \\ #x \xE9" -2147483648 # note)", R"(record 3 "" 2147483647)"}));
    ASSERT_TRUE(stated.Ok()) << stated.problems[0].message;
    EXPECT_EQ(stated.records[0], (SLayoutRecord{"Player", 900000}));
    EXPECT_EQ(stated.records[1], (SLayoutRecord{"A \"q\" \\ #x \xE9", INT32_MIN}));
    EXPECT_EQ(stated.records[2], (SLayoutRecord{"", INT32_MAX}));
}

TEST(LayoutTextTest, CommentsBlankLinesIndentationAndWindowsLineEndsAreAccepted)
{
    std::string text = "# a layout\n\n  name   Test Two  \n" + Level(0, {"+-.. # first row", "|_"});
    text.insert(text.find("level"), "   # before the level\n");
    std::string crlf;
    for (const char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    for (const auto& variant : {text, crlf}) {
        const SLayoutText layout = ParseLayoutText(variant);
        ASSERT_TRUE(layout.Ok()) << layout.problems[0].message;
        EXPECT_EQ(layout.name, "Test Two");
        EXPECT_EQ(PositionsOf(layout), (std::vector<SCellPosition>{{0, 0, 0}}));
    }
}

struct SFaultCase {
    const char* what;
    std::string text;
    int line;
    const char* message; // a part of the first problem's message
};

TEST(LayoutTextTest, FaultsAreReportedWithTheirLine)
{
    const std::string name = "name Test\n";
    const std::vector<SFaultCase> cases = {
        {"no name", Level(0, {}), 0, "no \"name\""},
        {"empty name", "name\n", 1, "empty"},
        {"name with a slash", "name a/b\n", 1, "file name"},
        {"second name", name + "name Other\n", 2, "second name"},
        {"unknown statement", name + "colour red\n", 2, "unknown statement \"colour\""},
        {"row too long", name + Level(0, {"................................+-"}), 3, "34 characters"},
        {"tile past the right edge",
            name + Level(0, {"..............................+", "..............................|"}), 3,
            "incomplete tile"},
        {"tile past the bottom",
            name + Level(0, {".", ".", ".", ".", ".", ".", ".", ".", ".", ".", ".", ".", ".", ".", ".", "+-"}), 18,
            "incomplete tile"},
        {"stray piece", name + Level(0, {"..|_"}), 3, "stray '|'"},
        {"bottom row missing", name + Level(0, {"+-", "|."}), 3, "incomplete tile"},
        {"other character", name + Level(0, {"..x."}), 3, "column 2: \"x\""},
        {"tab in a row", name + Level(0, {"..\t+"}), 3, "\\x09"},
        {"level too high", name + "level 8\n", 2, "levels 0 to 7"},
        {"level twice", name + Level(0, {}) + Level(0, {}), 19, "drawn twice"},
        {"short level", name + "level 0\n....\nrecord 1 \"A\" 1\n", 2, "has 1 rows"},
        {"17th row", name + Level(0, {}) + "....\n", 19, "17th row"},
        {"row outside a level", name + "+-\n", 2, "outside a level"},
        {"record number", name + "record 4 \"A\" 1\n", 2, "records 1 to 3"},
        {"record twice", name + "record 1 \"A\" 1\nrecord 1 \"B\" 2\n", 3, "already given on line 2"},
        {"holder too long", name + "record 1 \"" + std::string(32, 'a') + "\" 1\n", 2, "at most 31"},
        {"holder with a zero", name + "record 1 \"a\\x00\" 1\n", 2, "\\x00"},
        {"unclosed quote", name + "record 1 \"abc 1\n", 2, "no closing"},
        {"bad escape", name + "record 1 \"\\n\" 1\n", 2, "unknown escape"},
        {"short hex escape", name + "record 1 \"\\x4\" 1\n", 2, "two hexadecimal"},
        {"value too large", name + "record 1 \"A\" 2147483648\n", 2, "out of range"},
        {"huge value", name + "record 1 \"A\" 99999999999999999999999\n", 2, "out of range"},
        {"value missing", name + "record 1 \"A\"\n", 2, "missing"},
        {"junk after a statement", name + "tile 1 2 3 4\n", 2, "unexpected \"4\""},
        {"tile not a number", name + "tile 1 x 3\n", 2, "\"x\" is not a number"},
        {"lone sign", name + "tile 1 - 3\n", 2, "\"-\" is not a number"},
        {"order names no tile",
            name
                + Level(0,
                    {"+-"
                     "",
                        "|_"})
                + "order\n4 0 0\n",
            20, "does not have"},
        {"order lists a tile twice", name + Level(0, {"+-", "|_"}) + "order\n0 0 0\n0 0 0\n", 21, "lists it twice"},
        {"order misses a tile", name + Level(0, {"+-+-", "|_|_"}) + "order\n0 0 0\n", 3, "missing from the order"},
        {"second order", name + "order\norder\n", 3, "second order"},
        {"unreadable line", name + "*\n", 2, "cannot read"},
    };
    for (const auto& c : cases) {
        const SLayoutText layout = ParseLayoutText(c.text);
        ASSERT_FALSE(layout.Ok()) << c.what;
        EXPECT_EQ(layout.problems[0].line, c.line) << c.what;
        EXPECT_NE(layout.problems[0].message.find(c.message), std::string::npos)
            << c.what << ": " << layout.problems[0].message;
    }
}

TEST(LayoutTextTest, ManyFaultsAreCappedNotListedWithoutEnd)
{
    std::string text = "name Test\n";
    for (int i = 0; i < 5000; ++i) {
        text += "bogus\n";
    }
    const SLayoutText layout = ParseLayoutText(text);
    EXPECT_LE(layout.problems.size(), 201u);
    EXPECT_NE(layout.problems.back().message.find("too many"), std::string::npos);
}

TEST(LayoutTextTest, ToLayoutDataNeedsExactly144TilesInsideTheGrid)
{
    const SLayoutData block = BlockLayout();
    const std::string text = PrintLayoutText(block, "Block");
    ASSERT_TRUE(CompileLayoutText(text).has_value());

    EXPECT_FALSE(CompileLayoutText(text + "tile 0 0 7\n").has_value()) << "145 tiles";
    const SLayoutText parsed = ParseLayoutText(text);
    const std::vector<std::pair<SCellPosition, bool>> lastTiles
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

// Layouts whose printed text must compile back to the same file.
struct SRoundTripCase {
    const char* what;
    std::function<void(SLayoutData&)> change;
    bool hasOrder;
    bool hasTileLines;
};

TEST(LayoutTextTest, PrintedTextCompilesBackToTheSameFile)
{
    const std::vector<SRoundTripCase> cases = {
        {"canonical", [](SLayoutData&) {}, false, false},
        {"reversed order", [](SLayoutData& d) { std::reverse(d.cells.begin(), d.cells.end()); }, true, false},
        {"two tiles swapped", [](SLayoutData& d) { std::swap(d.cells[5], d.cells[100]); }, true, false},
        {"duplicate position", [](SLayoutData& d) { d.cells[143] = d.cells[0]; }, true, true},
        {"half overlap in canonical order",
            [](SLayoutData& d) {
                d.cells[143] = TileCells({23, 10, 1});
            },
            false, true},
        {"half overlap out of order",
            [](SLayoutData& d) {
                d.cells[0] = TileCells({3, 1, 0});
            },
            true, true},
        {"corners of the grid",
            [](SLayoutData& d) {
                d.cells[140] = TileCells({0, 0, 7});
                d.cells[141] = TileCells({30, 0, 7});
                d.cells[142] = TileCells({0, 14, 7});
                d.cells[143] = TileCells({30, 14, 7});
            },
            false, false},
        {"odd records",
            [](SLayoutData& d) {
                d.records[0] = {"\"Quote\" \\ #hash", -1};
                d.records[1] = {"", INT32_MIN};
                d.records[2] = {std::string("\x01\x7f\xff abc", 7), INT32_MAX};
            },
            false, false},
        {"longest holder", [](SLayoutData& d) { d.records[2].holder = std::string(31, 'z'); }, false, false},
    };
    for (const auto& c : cases) {
        SLayoutData data = BlockLayout();
        c.change(data);
        const std::string text = PrintLayoutText(data, "Round");
        EXPECT_EQ(text.find("\norder\n") != std::string::npos, c.hasOrder) << c.what;
        EXPECT_EQ(text.find("\ntile ") != std::string::npos, c.hasTileLines) << c.what;
        const auto back = CompileLayoutText(text);
        ASSERT_TRUE(back.has_value()) << c.what << "\n" << ParseLayoutText(text).problems[0].message;
        EXPECT_EQ(EncodeLayout(*back), EncodeLayout(data)) << c.what;
    }
}

TEST(LayoutTextTest, PrintingCutsAnUnterminatedHolderAndSaysSo)
{
    SLayoutData data = BlockLayout();
    data.records[1].holder = std::string(32, 'q'); // a field without its terminating zero
    const std::string text = PrintLayoutText(data, "Cut");
    const auto back = CompileLayoutText(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->records[1].holder, std::string(31, 'q'));
    EXPECT_NE(text.find("cut to its first 31"), std::string::npos);
}

} // namespace
} // namespace board
