// velmora-layout driven in-process: its commands, its messages, its refusal
// of bad input, and the shipped layouts.
#include "LayoutTool.h"
#include "LayoutPreview.h"

#include "board/LayoutCheck.h"
#include "board/LayoutText.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace layout_tool {
namespace {

using board::SCellPosition;
using testing_support::CTempDir;

struct SRun {
    int status = 0;
    std::string out;
    std::string err;
};

SRun RunTool(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    SRun run;
    run.status = RunLayoutTool(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string LayoutsFolder() { return VELMORA_LAYOUTS_DIR; }

std::vector<std::string> ShippedLayoutNames()
{
    std::vector<std::string> names;
    for (const auto& file : platform::ListFiles(LayoutsFolder())) {
        if (file.size() > 4 && file.ends_with(".txt")) {
            names.push_back(file.substr(0, file.size() - 4));
        }
    }
    return names;
}

std::string ReadText(const std::string& path)
{
    const auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// 96 tiles on level 0 and 48 on level 1: passes every check.
board::SLayoutData BlockLayout()
{
    board::SLayoutData data;
    int t = 0;
    for (int r = 0; r < 16; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            data.cells[t++] = board::TileCells({c, r, 0});
        }
    }
    for (int r = 4; r < 12; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            data.cells[t++] = board::TileCells({c, r, 1});
        }
    }
    data.records = board::DefaultRecords();
    return data;
}

TEST(LayoutToolTest, UsageAndUnknownCommands)
{
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{}, kExitUsage},
        {{"--help"}, kExitOk},
        {{"frobnicate"}, kExitUsage},
        {{"compile", "only-one"}, kExitUsage},
        {{"compile", "a", "b", "c"}, kExitUsage},
        {{"decompile"}, kExitUsage},
        {{"check"}, kExitUsage},
        {{"preview", "only-one"}, kExitUsage},
    };
    for (const auto& [args, status] : cases) {
        const SRun run = RunTool(args);
        EXPECT_EQ(run.status, status) << (args.empty() ? "(none)" : args[0]);
        EXPECT_TRUE(Contains(run.status == kExitOk ? run.out : run.err, "usage: velmora-layout"));
    }
}

TEST(LayoutToolTest, ShippedLayoutsCompileCheckAndRoundTrip)
{
    const auto names = ShippedLayoutNames();
    ASSERT_GE(names.size(), 12u);
    CTempDir temp;
    for (const auto& name : names) {
        const std::string source = LayoutsFolder() + "/" + name + ".txt";
        const std::string compiled = temp.File(name);
        const SRun compile = RunTool({"compile", source, compiled});
        ASSERT_EQ(compile.status, kExitOk) << name << "\n" << compile.err;
        const auto bytes = platform::ReadWholeFile(compiled);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(bytes->size(), board::kLayoutFileBytes);

        const SRun decompile = RunTool({"decompile", compiled});
        ASSERT_EQ(decompile.status, kExitOk) << name;
        EXPECT_FALSE(Contains(decompile.out, "\norder\n")) << name << ": shipped layouts are in canonical order";
        temp.Write("again/" + name + ".txt", decompile.out);
        ASSERT_EQ(
            RunTool({"compile", temp.File("again/" + name + ".txt"), temp.File("again/" + name)}).status, kExitOk);
        EXPECT_EQ(platform::ReadWholeFile(temp.File("again/" + name)), bytes) << name;

        const SRun check = RunTool({"check", compiled, source});
        EXPECT_EQ(check.status, kExitOk) << check.err;
        EXPECT_EQ(check.err, "") << name << ": not even a warning";
    }
}

TEST(LayoutToolTest, ShippedLayoutsAreDistinctAndClearable)
{
    std::map<std::multiset<std::tuple<int, int, int>>, std::string> seen;
    for (const auto& name : ShippedLayoutNames()) {
        const auto layout = board::ParseLayoutText(ReadText(LayoutsFolder() + "/" + name + ".txt"));
        ASSERT_TRUE(layout.Ok()) << name;
        EXPECT_EQ(layout.name, name);
        std::multiset<std::tuple<int, int, int>> shape;
        std::vector<SCellPosition> cells;
        std::set<int> levels;
        for (const auto& tile : layout.tiles) {
            shape.insert({tile.topLeft.level, tile.topLeft.row, tile.topLeft.column});
            cells.push_back(tile.topLeft);
            levels.insert(tile.topLeft.level);
        }
        EXPECT_GE(levels.size(), 3u) << name << " should use several levels";
        EXPECT_TRUE(board::FindsClearingOrder(cells, 7, 50)) << name;
        const auto [where, added] = seen.emplace(shape, name);
        EXPECT_TRUE(added) << name << " repeats " << where->second;
    }
}

TEST(LayoutToolTest, TurtleIsTheClassicArrangement)
{
    const auto layout = board::ParseLayoutText(ReadText(LayoutsFolder() + "/Turtle.txt"));
    ASSERT_TRUE(layout.Ok());
    ASSERT_EQ(layout.name, "Turtle");
    std::map<int, int> perLevel;
    std::map<int, int> perRowOfLevel0;
    for (const auto& tile : layout.tiles) {
        ++perLevel[tile.topLeft.level];
        if (tile.topLeft.level == 0) {
            ++perRowOfLevel0[tile.topLeft.row];
        }
    }
    EXPECT_EQ(perLevel, (std::map<int, int>{{0, 87}, {1, 36}, {2, 16}, {3, 4}, {4, 1}}));
    // Eight rows of 12, 8, 10, 12, 12, 10, 8 and 12, and the three side tiles
    // half a row lower than row 6.
    EXPECT_EQ(perRowOfLevel0,
        (std::map<int, int>{{0, 12}, {2, 8}, {4, 10}, {6, 12}, {7, 3}, {8, 12}, {10, 10}, {12, 8}, {14, 12}}));
    // The top tile sits half a tile into the middle of the 2 x 2 below it.
    const auto top = std::find_if(
        layout.tiles.begin(), layout.tiles.end(), [](const board::STextTile& t) { return t.topLeft.level == 4; });
    const auto below = std::min_element(layout.tiles.begin(), layout.tiles.end(), [](const auto& a, const auto& b) {
        return (a.topLeft.level == 3 ? a.topLeft.column * 100 + a.topLeft.row : 1 << 20)
            < (b.topLeft.level == 3 ? b.topLeft.column * 100 + b.topLeft.row : 1 << 20);
    });
    EXPECT_EQ(top->topLeft.column, below->topLeft.column + 1);
    EXPECT_EQ(top->topLeft.row, below->topLeft.row + 1);
}

TEST(LayoutToolTest, CheckNamesFileAndLineOfEachProblem)
{
    CTempDir temp;
    std::string text = board::PrintLayoutText(BlockLayout(), "Bad");
    text += "tile 2 0 3\n"; // line after the last line of the printed text
    const int tileLine = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    temp.Write("Bad.txt", text);
    const SRun run = RunTool({"check", temp.File("Bad.txt")});
    EXPECT_EQ(run.status, kExitProblems);
    const std::string at = temp.File("Bad.txt") + ":";
    EXPECT_TRUE(Contains(run.err, at + " the layout has 145 tiles")) << run.err;
    EXPECT_TRUE(Contains(run.err, at + std::to_string(tileLine) + ": the tile at column 2, row 0, level 3 floats"))
        << run.err;

    const std::string other = board::PrintLayoutText(BlockLayout(), "Named");
    const int nameLine = board::ParseLayoutText(other).nameLine;
    temp.Write("Other.txt", other);
    const SRun named = RunTool({"check", temp.File("Other.txt")});
    EXPECT_EQ(named.status, kExitProblems);
    EXPECT_TRUE(Contains(named.err,
        temp.File("Other.txt") + ":" + std::to_string(nameLine)
            + ": the layout is named \"Named\" but its file is \"Other.txt\""))
        << named.err;
}

TEST(LayoutToolTest, CheckOfAFileNamesTileNumbers)
{
    CTempDir temp;
    board::SLayoutData data = BlockLayout();
    data.cells[143] = board::TileCells({3, 1, 0});
    ASSERT_TRUE(platform::WriteFileAtomically(temp.File("Overlap"), board::EncodeLayout(data)));
    const SRun run = RunTool({"check", temp.File("Overlap")});
    EXPECT_EQ(run.status, kExitProblems);
    EXPECT_TRUE(Contains(run.err,
        temp.File("Overlap")
            + ": tile 143: the tile at column 3, row 1, level 0 shares a "
              "cell with the tile at column 2, row 0, level 0 (tile 0)"))
        << run.err;
}

TEST(LayoutToolTest, BadFilesAreRefusedWithoutCrashing)
{
    CTempDir temp;
    std::mt19937 random(5);
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"empty", {}},
        {"one zero", {0}},
        {"short", std::vector<uint8_t>(7019, 0)},
        {"long", board::EncodeLayout(BlockLayout())},
        {"huge number", std::vector<uint8_t>(board::kLayoutFileBytes, 0xff)},
    };
    files[3].second.push_back(0);
    for (const size_t size : {size_t{10}, board::kLayoutFileBytes, size_t{20000}}) {
        std::vector<uint8_t> bytes(size);
        for (auto& b : bytes) {
            b = static_cast<uint8_t>(random());
        }
        files.push_back({"random " + std::to_string(size), bytes});
        for (auto& b : bytes) {
            b = b == 0 ? 1 : b; // no zero: read as text
        }
        files.push_back({"random text " + std::to_string(size), bytes});
    }
    files.push_back({"long line", std::vector<uint8_t>(1 << 20, '+')});
    for (const auto& [what, bytes] : files) {
        temp.Write("input", bytes);
        const SRun check = RunTool({"check", temp.File("input")});
        EXPECT_EQ(check.status, kExitProblems) << what;
        EXPECT_TRUE(check.err.starts_with(temp.File("input") + ":")) << what << ": " << check.err.substr(0, 200);
        EXPECT_LT(check.err.size(), 20000u) << what << ": the report is cut short";
        EXPECT_EQ(RunTool({"decompile", temp.File("input")}).out.empty(), what != "long") << what;
        EXPECT_EQ(RunTool({"compile", temp.File("input"), temp.File("out")}).status, kExitProblems) << what;
        EXPECT_FALSE(platform::FileExists(temp.File("out"))) << what;
    }
    EXPECT_TRUE(Contains(RunTool({"check", temp.File("missing")}).err, "cannot read the file"));
}

TEST(LayoutToolTest, CompileRefusesProblemsUnlessForcedAndKeepsTheOldFile)
{
    CTempDir temp;
    board::SLayoutData data = BlockLayout();
    data.cells[143] = board::TileCells({3, 1, 0}); // shares cells
    data.records[0] = {"Ann", 123456};
    temp.Write("Odd.txt", board::PrintLayoutText(data, "Odd"));
    temp.Write("Odd", std::string("old"));

    const SRun refused = RunTool({"compile", temp.File("Odd.txt"), temp.File("Odd")});
    EXPECT_EQ(refused.status, kExitProblems);
    EXPECT_TRUE(Contains(refused.err, "not compiled"));
    EXPECT_EQ(ReadText(temp.File("Odd")), "old");

    const SRun forced = RunTool({"compile", "--force", temp.File("Odd.txt"), temp.File("Odd")});
    EXPECT_EQ(forced.status, kExitOk) << forced.err;
    EXPECT_TRUE(Contains(forced.err, "written despite"));
    EXPECT_EQ(platform::ReadWholeFile(temp.File("Odd")), board::EncodeLayout(data));

    // Even forced, a file needs 144 tiles inside the grid.
    std::string few = "name Few\nlevel 0\n+-\n|_\n";
    for (int row = 2; row < board::kRows; ++row) {
        few += ".\n";
    }
    ASSERT_TRUE(board::ParseLayoutText(few).Ok());
    temp.Write("Few.txt", few);
    EXPECT_EQ(RunTool({"compile", "--force", temp.File("Few.txt"), temp.File("Few")}).status, kExitProblems);
    EXPECT_FALSE(platform::FileExists(temp.File("Few")));

    EXPECT_EQ(RunTool({"compile", temp.File("Odd"), temp.File("Copy")}).status, kExitProblems) << "a file, not a text";
}

TEST(LayoutToolTest, DecompileKeepsOrderSharedCellsAndRecords)
{
    CTempDir temp;
    board::SLayoutData data = BlockLayout();
    std::reverse(data.cells.begin(), data.cells.end());
    data.cells[10] = data.cells[20];
    data.records = {{{"A \"b\"", 1}, {"\x01", -2}, {"", 3}}};
    const auto bytes = board::EncodeLayout(data);
    ASSERT_TRUE(platform::WriteFileAtomically(temp.File("Mixed"), bytes));

    const SRun decompile = RunTool({"decompile", temp.File("Mixed")});
    ASSERT_EQ(decompile.status, kExitOk);
    EXPECT_TRUE(Contains(decompile.out, "name Mixed\n"));
    EXPECT_TRUE(Contains(decompile.out, "\norder\n"));
    EXPECT_TRUE(Contains(decompile.out, "\ntile "));
    EXPECT_TRUE(Contains(decompile.out, "record 1 \"A \\\"b\\\"\" 1\n"));
    temp.Write("Mixed.txt", decompile.out);
    ASSERT_EQ(RunTool({"compile", "--force", temp.File("Mixed.txt"), temp.File("Back")}).status, kExitOk);
    EXPECT_EQ(platform::ReadWholeFile(temp.File("Back")), bytes);
}

TEST(LayoutToolTest, PreviewDrawsTilesInTheGameGeometryAndOrder)
{
    // A tile at column 0, row 0, level 0 and one on level 1 covering its
    // right half; one at column 4.
    const std::vector<SCellPosition> tiles = {{0, 0, 0}, {4, 0, 0}, {1, 0, 1}};
    const CPreviewImage image = RenderPreview(tiles);
    const SRgb level0 = LevelFaceColour(0);
    const SRgb level1 = LevelFaceColour(1);
    ASSERT_NE(level0, level1);
    EXPECT_EQ(image.At(65 + 10, 25 + 30), level0); // the uncovered left of the first tile
    EXPECT_EQ(image.At(65 + 20 + 4 + 15, 25 + 30), level1); // the tile above, shifted 4 px right and up
    EXPECT_EQ(image.At(65 + 80 + 20, 25 + 30), level0);
    EXPECT_EQ(image.At(400, 300), image.At(10, 550)) << "empty board is background";
    EXPECT_NE(image.At(760, 50), image.At(400, 300)) << "the Zandor panel is marked";

    CTempDir temp;
    temp.Write("Block.txt", board::PrintLayoutText(BlockLayout(), "Block"));
    ASSERT_EQ(RunTool({"preview", temp.File("Block.txt"), temp.File("block.ppm")}).status, kExitOk);
    const auto ppm = platform::ReadWholeFile(temp.File("block.ppm"));
    ASSERT_TRUE(ppm.has_value());
    const std::string header = "P6\n800 600\n255\n";
    EXPECT_EQ(std::string(ppm->begin(), ppm->begin() + header.size()), header);
    EXPECT_EQ(ppm->size(), header.size() + 800u * 600u * 3u);
}

TEST(LayoutToolTest, DocumentedExampleReadsAsDescribed)
{
    const std::string readme = ReadText(LayoutsFolder() + "/README.md");
    const size_t start = readme.find("```\n# Comments");
    ASSERT_NE(start, std::string::npos);
    const size_t end = readme.find("```", start + 3);
    const auto layout = board::ParseLayoutText(readme.substr(start + 4, end - start - 4));
    ASSERT_TRUE(layout.Ok()) << layout.problems[0].message;
    std::vector<SCellPosition> cells;
    for (const auto& tile : layout.tiles) {
        cells.push_back(tile.topLeft);
    }
    EXPECT_EQ(cells, (std::vector<SCellPosition>{{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {6, 1, 0}, {1, 0, 1}}));
}

} // namespace
} // namespace layout_tool
