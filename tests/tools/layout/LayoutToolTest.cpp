// velmora-layout driven in-process: its commands, its messages, its refusal
// of bad input, and the shipped layouts.
#include "LayoutTool.h"
#include "LayoutOverlap.h"
#include "LayoutPreview.h"

#include "../../board/BoardTestLayouts.h"

#include "LayoutText.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <tuple>

namespace layout_tool {
namespace {

using board::SCellPosition;

struct SRun {
    int status = 0;
    std::string out, err;
};

SRun RunTool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    return {RunLayoutTool(args, out, err), out.str(), err.str()}; // evaluated left to right
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string LayoutsFolder() { return VELMORA_LAYOUTS_DIR; }

std::string ReadText(const std::string& path)
{
    const auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

using board_test::BlockLayout;

TEST(LayoutToolTest, UsageAndUnknownCommands)
{
    const std::string turtle = LayoutsFolder() + "/Turtle.txt";
    // The arguments, the exit status and a part of what the tool says.
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {{{}, kExitUsage, "usage: velmora-layout"},
        {{"--help"}, kExitOk, "usage: velmora-layout"}, {{"frobnicate"}, kExitUsage, "unknown command \"frobnicate\""},
        {{"compile", "only-one"}, kExitUsage, "usage:"}, {{"compile", "a", "b", "c"}, kExitUsage, "usage:"},
        {{"decompile"}, kExitUsage, "usage:"}, {{"check"}, kExitUsage, "usage:"},
        {{"preview", "only-one"}, kExitUsage, "usage:"}, {{"overlap", "only-one"}, kExitUsage, "usage:"},
        {{"solve"}, kExitUsage, "usage:"}, {{"solve", turtle, "--deals"}, kExitUsage, "--deals needs a positive"},
        {{"solve", turtle, "--deals", "0"}, kExitUsage, "needs a positive"},
        {{"solve", turtle, "--budget", "ten"}, kExitUsage, "--budget needs a positive"},
        {{"solve", turtle, "--fast"}, kExitUsage, "unknown option \"--fast\""}};
    for (const auto& [args, status, says] : cases) {
        const SRun run = RunTool(args);
        EXPECT_EQ(run.status, status) << (args.empty() ? "(none)" : args.back());
        EXPECT_TRUE(Contains(run.status == kExitOk ? run.out : run.err, says)) << run.err;
    }
}

// The shipped layouts themselves are the CMake tests' (layout_assets_*):
// they check without a warning, compile, check compiled, and differ.

// Problems are named by file and line in texts, by file and tile number in
// compiled files.
TEST(LayoutToolTest, CheckNamesFileAndLineOrTileOfEachProblem)
{
    testing_support::CTempDir temp;
    std::string text = board::PrintLayoutText(BlockLayout(), "Bad");
    const int tileLine = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (int i = 0; i < 60; ++i) { // 60 floating tiles: more problems than a report shows
        text += "tile " + std::to_string(i % 15 * 2) + " " + std::to_string(i / 15 * 4) + " 3\n";
    }
    temp.Write("Bad.txt", text);
    const SRun run = RunTool({"check", temp.File("Bad.txt")});
    EXPECT_EQ(run.status, kExitProblems);
    const std::string at = temp.File("Bad.txt") + ":";
    EXPECT_TRUE(Contains(run.err, at + " the layout has 204 tiles")) << run.err;
    EXPECT_TRUE(Contains(run.err, "more problems not shown")) << run.err;
    EXPECT_TRUE(Contains(run.err, at + std::to_string(tileLine) + ": the tile at column 0, row 0, level 3 floats"))
        << run.err;

    board::SLayoutData data = BlockLayout();
    data.cells[143] = board::TileCells({3, 1, 0});
    ASSERT_TRUE(platform::WriteFileAtomically(temp.File("Overlap"), board::EncodeLayout(data)));
    const SRun overlap = RunTool({"check", temp.File("Overlap")});
    EXPECT_EQ(overlap.status, kExitProblems);
    EXPECT_TRUE(Contains(overlap.err,
        temp.File("Overlap")
            + ": tile 143: the tile at column 3, row 1, level 0 shares a "
              "cell with the tile at column 2, row 0, level 0 (tile 0)"))
        << overlap.err;
}

// A layout is listed under its file's name: a designer's renamed copy
// compiles with a warning under its output name, a compiled file prints
// under its own. Through decompile and compile, order, shared cells and
// records come back byte for byte.
TEST(LayoutToolTest, NamesComeFromFilesAndDecompileKeepsEverything)
{
    testing_support::CTempDir temp;
    const std::string text = board::PrintLayoutText(BlockLayout(), "Turtle");
    temp.Write("my turtle.txt", text);
    temp.MakeFolder("Layouts");
    const SRun renamed = RunTool({"compile", temp.File("my turtle.txt"), temp.File("Layouts/My Turtle")});
    EXPECT_EQ(renamed.status, kExitOk);
    EXPECT_EQ(renamed.err,
        temp.File("my turtle.txt") + ": warning: line " + std::to_string(board::ParseLayoutText(text).nameLine)
            + ": the layout is named \"Turtle\" but will be listed as \"My Turtle\", the name of its file\n");
    EXPECT_TRUE(RunTool({"decompile", temp.File("Layouts/My Turtle")}).out.find("\nname My Turtle\n") != std::string::npos);
    EXPECT_EQ(RunTool({"compile", temp.File("my turtle.txt"), temp.File("Turtle")}).err, "");

    board::SLayoutData data = BlockLayout();
    std::reverse(data.cells.begin(), data.cells.end());
    data.cells[10] = data.cells[20];
    data.records = {{{"A \"b\"", 1}, {"\x01", -2}, {"", 3}}};
    const auto bytes = board::EncodeLayout(data);
    ASSERT_TRUE(platform::WriteFileAtomically(temp.File("Mixed"), bytes));
    const SRun decompile = RunTool({"decompile", temp.File("Mixed")});
    ASSERT_EQ(decompile.status, kExitOk);
    temp.Write("Mixed.txt", decompile.out);
    ASSERT_EQ(RunTool({"compile", "--force", temp.File("Mixed.txt"), temp.File("Back")}).status, kExitOk);
    EXPECT_EQ(platform::ReadWholeFile(temp.File("Back")), bytes);
}

TEST(LayoutToolTest, BadFilesAreRefusedWithoutCrashing)
{
    // Random bytes are the fuzz entry's (fuzz_mutations_layout); here the
    // commands' answers to files that are wrong in the ways files go wrong.
    testing_support::CTempDir temp;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {{"empty", {}}, {"one zero", {0}},
        {"short", std::vector<uint8_t>(7019, 0)}, {"long", board::EncodeLayout(BlockLayout())},
        {"huge number", std::vector<uint8_t>(board::kLayoutFileBytes, 0xff)},
        {"long line", std::vector<uint8_t>(1 << 20, '+')}};
    files[3].second.push_back(0);
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
    testing_support::CTempDir temp;
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
    board::SLayoutData outside = BlockLayout();
    outside.cells[143] = board::TileCells({31, 0, 7});
    for (const std::string& text : {std::string("name Few\ntile 0 0 0\n"), board::PrintLayoutText(outside, "Out")}) {
        ASSERT_TRUE(board::ParseLayoutText(text).Ok()) << text;
        temp.Write("Few.txt", text);
        EXPECT_EQ(RunTool({"compile", "--force", temp.File("Few.txt"), temp.File("Few")}).status, kExitProblems);
        EXPECT_FALSE(platform::FileExists(temp.File("Few")));
    }
    EXPECT_EQ(RunTool({"compile", temp.File("Odd"), temp.File("Copy")}).status, kExitProblems) << "a file, not a text";
}

TEST(LayoutToolTest, PreviewDrawsTilesInTheGameGeometryAndOrder)
{
    // A tile at column 0, row 0, level 0 and one on level 1 covering its
    // right half; one at column 4.
    const std::vector<SCellPosition> tiles = {{0, 0, 0}, {4, 0, 0}, {1, 0, 1}};
    const CPreviewImage image = RenderPreview(tiles);
    ASSERT_NE(LevelFaceColour(0), LevelFaceColour(1));
    EXPECT_EQ(image.At(65 + 10, 25 + 30), LevelFaceColour(0)); // the uncovered left of the first tile
    EXPECT_EQ(image.At(65 + 20 + 4 + 15, 25 + 30), LevelFaceColour(1)); // the tile above, 4 px right and up
    EXPECT_EQ(image.At(65 + 80 + 20, 25 + 30), LevelFaceColour(0));
    EXPECT_EQ(image.At(400, 300), image.At(10, 550)) << "empty board is background";
    EXPECT_NE(image.At(760, 50), image.At(400, 300)) << "the Zandor panel is marked";

    testing_support::CTempDir temp;
    temp.Write("Block.txt", board::PrintLayoutText(BlockLayout(), "Block"));
    ASSERT_EQ(RunTool({"preview", temp.File("Block.txt"), temp.File("block.ppm")}).status, kExitOk);
    const std::string ppm = ReadText(temp.File("block.ppm"));
    EXPECT_TRUE(ppm.starts_with("P6\n800 600\n255\n"));
    EXPECT_EQ(ppm.size(), 15 + 800u * 600u * 3u);
}

std::vector<SCellPosition> Moved(std::vector<SCellPosition> tiles, SCellPosition by)
{
    for (auto& p : tiles) {
        p = {p.column + by.column, p.row + by.row, p.level + by.level};
    }
    return tiles;
}

// The share is over the smaller layout's cells, the best of every shift by
// cells and levels; mirror images are not tried.
TEST(LayoutToolTest, OverlapFindsTheBestShiftAndFailsOnLayoutsTooAlike)
{
    const auto block = board::TopLeftCells(BlockLayout());
    const std::vector<SCellPosition> ell = {{0, 0, 0}, {0, 2, 0}, {0, 4, 0}, {2, 4, 0}};
    const std::vector<SCellPosition> mirroredEll = {{2, 0, 0}, {2, 2, 0}, {2, 4, 0}, {0, 4, 0}};
    struct SCase {
        const char* what;
        std::vector<SCellPosition> a, b;
        int shared, compared;
        std::optional<SCellPosition> shift; // where it is the only best one
    } const cases[] = {
        {"block moved by half tiles and a level", block, Moved(block, {3, 0, 1}), 576, 576, {{-3, 0, -1}}},
        {"a few tiles inside a larger layout", block, Moved(ell, {9, 5, 1}), 16, 16, {}},
        {"a mirror image", ell, mirroredEll, 12, 16, {{-2, 0, 0}}},
        {"cells outside the grid meet nothing", {{30, 14, 7}}, {{31, 14, 7}, {0, 0, 0}}, 4, 4, {{30, 14, 7}}},
    };
    for (const auto& c : cases) {
        const SOverlap overlap = LargestOverlap(c.a, c.b);
        EXPECT_EQ(std::tuple(overlap.sharedCells, overlap.comparedCells), std::tuple(c.shared, c.compared)) << c.what;
        if (c.shift) {
            EXPECT_EQ(overlap.shift, *c.shift) << c.what;
        }
    }
    EXPECT_FALSE((SOverlap{70, 100, {}}).IsTooAlike());
    EXPECT_TRUE((SOverlap{71, 100, {}}).IsTooAlike());

    // The command: each layout's most alike, seen from either side, and a
    // failure for the pair too alike.
    testing_support::CTempDir temp;
    board::SLayoutData moved = BlockLayout();
    for (auto& tile : moved.cells) {
        tile = board::TileCells({tile[0].column + 4, tile[0].row, tile[0].level});
    }
    temp.Write("Block.txt", board::PrintLayoutText(BlockLayout(), "Block"));
    temp.Write("Moved.txt", board::PrintLayoutText(moved, "Moved"));
    const SRun alike = RunTool({"overlap", temp.File("Block.txt"), temp.File("Moved.txt")});
    EXPECT_EQ(alike.status, kExitProblems);
    EXPECT_TRUE(Contains(alike.err, "Block.txt: shares more than 70% of its cells with")) << alike.err;
    EXPECT_TRUE(Contains(alike.out, "most alike Moved, 576 of 576 cells (100.0%) shifted by -4 columns")) << alike.out;
    EXPECT_TRUE(Contains(alike.out, "most alike Block, 576 of 576 cells (100.0%) shifted by 4 columns")) << alike.out;
}

TEST(LayoutToolTest, DocumentedExampleReadsAsDescribed)
{
    const std::string readme = ReadText(LayoutsFolder() + "/README.md");
    const size_t start = readme.find("```\n# Comments");
    ASSERT_NE(start, std::string::npos);
    const size_t end = readme.find("```", start + 3);
    const auto layout = board::ParseLayoutText(readme.substr(start + 4, end - start - 4));
    ASSERT_TRUE(layout.Ok()) << layout.problems[0].message;
    std::vector<SCellPosition> cells(layout.tiles.size());
    std::ranges::transform(layout.tiles, cells.begin(), &board::STextTile::topLeft);
    EXPECT_EQ(cells, (std::vector<SCellPosition>{{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {6, 1, 0}, {1, 0, 1}}));
}

} // namespace
} // namespace layout_tool
