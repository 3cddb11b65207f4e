// The board model: loading layouts (and refusing bad ones), writing records
// back, cell lookup and record access.
#include "BoardTestLayouts.h"

#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <type_traits>

namespace {

using board::CBoard;
using board::SCellPosition;
using board_test::CountOccupiedCells;
using Bytes = std::vector<uint8_t>;

// Tiles point into their own board's grid: a copy would point into another.
static_assert(!std::is_copy_constructible_v<CBoard> && !std::is_copy_assignable_v<CBoard>);

constexpr int32_t kDefaultValues[] = {900000, 60000, 25};

void ExpectConstructedApartFromPath(const CBoard& board)
{
    int changed = 0;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                const board::CBoardCell& c = board.Cell(z, y, x);
                changed += c.occupied || c.dealIndex || c.matchGroup || c.face || c.level != z || c.row != y
                    || c.column != x;
            }
        }
    }
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        changed += tile.present || tile.selected || tile.hinted || tile.dealIndex || tile.matchGroup || tile.face
            || tile.IsPlaced();
    }
    EXPECT_EQ(changed, 0);
    for (int type = 1; type <= 3; ++type) {
        EXPECT_EQ(board.GetRecordHolder(type), "Player");
        EXPECT_EQ(board.GetRecordValue(type), kDefaultValues[type - 1]);
    }
}

TEST(BoardTest, NewBoardAndRecordAccessByGameType)
{
    ExpectConstructedApartFromPath(*std::make_unique<CBoard>());
    EXPECT_EQ(std::make_unique<CBoard>()->LayoutPath(), "Invalid Layout.err");
    // Any type but Traditional and Vesk Style reaches the Zandor record.
    const struct {
        int gameType;
        int record;
    } cases[] = {{0, 3}, {1, 1}, {2, 2}, {3, 3}, {7, 3}, {-1, 3}, {INT_MIN, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameType);
        const auto board = std::make_unique<CBoard>();
        board->SetRecordValue(c.gameType, 4242);
        board->SetRecordHolder(c.gameType, "Mira");
        EXPECT_EQ(board->GetRecordValue(c.gameType), 4242);
        for (int type = 1; type <= 3; ++type) {
            EXPECT_EQ(board->GetRecordValue(type), type == c.record ? 4242 : kDefaultValues[type - 1]);
            EXPECT_EQ(board->GetRecordHolder(type), type == c.record ? "Mira" : "Player");
        }
    }
    const auto board = std::make_unique<CBoard>();
    board->SetRecordHolder(1, std::string(40, 'n'));
    EXPECT_EQ(board->GetRecordHolder(1), std::string(31, 'n'));
}

TEST(BoardTest, LoadLayoutAndSaveRecordsRoundTrip)
{
    testing_support::CTempDir dir;
    const board::SLayoutData layout = board_test::BlockLayout();
    Bytes bytes = board::EncodeLayout(layout);
    std::memset(bytes.data() + board::kRecordsOffset, 'Q', 32); // a name field without terminator
    bytes.resize(bytes.size() + 50, 0xEE); // trailing bytes are not part of a layout
    const std::string path = dir.File("Block.lay");
    dir.Write("Block.lay", bytes);
    const auto board = std::make_unique<CBoard>();
    ASSERT_TRUE(board->LoadLayout(path));
    EXPECT_EQ(CountOccupiedCells(*board), 576);
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board->Tile(t);
        ASSERT_TRUE(tile.present && tile.matchGroup == 0 && tile.face == 0);
        for (int k = 0; k < board::kCellsPerTile; ++k) {
            const SCellPosition& at = layout.cells[t][k];
            ASSERT_EQ(tile.cells[k], &board->Cell(at.level, at.row, at.column));
        }
    }
    EXPECT_EQ(board->GetRecordHolder(1), std::string(31, 'Q'));
    EXPECT_EQ(board->GetRecordValue(3), 3);

    board->SetRecordHolder(2, "Winner");
    board->SetRecordValue(2, 123456);
    board->SetTileIdentity(5, 9, 9, 9); // a game in progress
    board->Tile(6).present = 0;
    ASSERT_TRUE(board->SaveRecords());
    // The layout stands again, without faces, ready for ResetBoard.
    EXPECT_EQ(CountOccupiedCells(*board), 576);
    EXPECT_TRUE(board->Tile(6).present);
    EXPECT_EQ(board->Tile(5).face, 0);
    const auto written = platform::ReadWholeFile(path);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), board::kLayoutFileBytes);
    EXPECT_EQ(board::DecodeLayout(*written).data.cells, layout.cells);

    const auto reloaded = std::make_unique<CBoard>();
    ASSERT_TRUE(reloaded->LoadLayout(path));
    reloaded->ResetBoard(); // keeps path and records
    EXPECT_EQ(CountOccupiedCells(*reloaded), 0);
    EXPECT_EQ(reloaded->LayoutPath(), path);
    EXPECT_EQ(reloaded->GetRecordHolder(1), std::string(31, 'Q'));
    EXPECT_EQ(reloaded->GetRecordHolder(2), "Winner");
    EXPECT_EQ(reloaded->GetRecordValue(2), 123456);
    EXPECT_EQ(reloaded->GetRecordValue(3), 3);
}

TEST(BoardTest, HostileLayoutFilesAreRefusedWithoutHarm)
{
    const std::string longName = std::string(250, 'a') + "/" + std::string(250, 'b') + "/" + std::string(250, 'c') + "/"
        + std::string(250, 'd') + "/" + std::string(50, 'e');
    const struct {
        const char* what;
        int tile;
        std::vector<SCellPosition> cells; // one: a new top-left cell; four: the tile's cells
        int size = static_cast<int>(board::kLayoutFileBytes); // -1: the file is missing
        std::string file = "Bad.lay";
    } cases[] = {
        {"missing", 0, {}, -1},
        {"empty", 0, {}, 0},
        {"one byte short", 0, {}, 7019},
        {"negative column", 7, {{-1, 0, 3}}},
        {"column 32", 7, {{31, 0, 3}}},
        {"row 16", 7, {{0, 15, 3}}},
        {"level 8", 7, {{0, 0, 8}}},
        {"negative level", 0, {{0, 0, -1}}},
        {"extreme values", 143, {{INT32_MIN, 0, 0}, {INT32_MAX, 0, 0}, {0, INT32_MIN, 0}, {0, 0, INT32_MAX}}},
        {"cells out of order", 0, {{2, 0, 0}, {2, 1, 0}, {3, 0, 0}, {3, 1, 0}}},
        {"a cell apart", 143, {{24, 10, 1}, {25, 10, 1}, {24, 11, 1}, {20, 10, 4}}},
        {"a cell on another level", 60, {{2, 10, 0}, {3, 10, 0}, {2, 11, 1}, {3, 11, 0}}},
        {"path longer than its field", 0, {}, static_cast<int>(board::kLayoutFileBytes), longName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        board::SLayoutData layout = board_test::BlockLayout();
        if (c.cells.size() == 1) {
            layout.cells[c.tile] = board::TileCells(c.cells[0]);
        }
        for (size_t k = 0; c.cells.size() == 4 && k < 4; ++k) {
            layout.cells[c.tile][k] = c.cells[k];
        }
        Bytes bytes = board::EncodeLayout(layout);
        bytes.resize(std::max(c.size, 0));
        testing_support::CTempDir dir;
        dir.Write("Good.lay", board::EncodeLayout(board_test::BlockLayout()));
        if (c.size >= 0) {
            dir.Write(c.file, bytes);
        }
        // The board has held a layout before, so leftovers would show.
        const auto board = std::make_unique<CBoard>();
        ASSERT_TRUE(board->LoadLayout(dir.File("Good.lay")));
        EXPECT_FALSE(board->LoadLayout(dir.File(c.file)));
        EXPECT_EQ(board->LayoutPath(), dir.File(c.file).substr(0, 1023));
        ExpectConstructedApartFromPath(*board);
    }
}

TEST(BoardTest, SaveRecordsWritesNothingWhenTheFileIsNoLongerALayout)
{
    const Bytes good = board::EncodeLayout(board_test::BlockLayout());
    board::SLayoutData outside = board_test::BlockLayout();
    outside.cells[3] = board::TileCells({40, 0, 0});
    const struct {
        const char* what;
        std::optional<Bytes> replacement; // nothing: deleted
    } cases[] = {{"deleted", std::nullopt}, {"garbage", Bytes(300, 0x5A)},
        {"cut short", Bytes(good.begin(), good.begin() + 7000)},
        {"tile outside the grid", board::EncodeLayout(outside)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::CTempDir dir;
        dir.Write("Block.lay", good);
        const auto board = std::make_unique<CBoard>();
        ASSERT_TRUE(board->LoadLayout(dir.File("Block.lay")));
        if (c.replacement) {
            dir.Write("Block.lay", *c.replacement);
        } else {
            std::remove(dir.File("Block.lay").c_str());
        }
        EXPECT_FALSE(board->SaveRecords());
        EXPECT_EQ(platform::ReadWholeFile(dir.File("Block.lay")), c.replacement);
        EXPECT_EQ(platform::ListFiles(dir.Path()).size(), c.replacement ? 1u : 0u);
    }
}

TEST(BoardTest, TileAtFindsTheFirstPresentTileOnACell)
{
    // Tile 2 overlaps tile 0 at cell (5, 3); layouts are not checked for this.
    const auto board = board_test::BoardWithTiles({{4, 2, 0}, {4, 2, 1}, {5, 3, 0}});
    const struct {
        int level, row, column, tile;
    } cases[] = {{1, 3, 5, 1}, {0, 3, 5, 0}, {0, 2, 4, 0}, {0, 4, 6, 2}, {0, 2, 6, -1}, {-1, 0, 0, -1}, {0, 16, 0, -1},
        {0, 0, 32, -1}, {8, 0, 0, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(board->TileAt(c.level, c.row, c.column), c.tile) << c.level << " " << c.row << " " << c.column;
    }
    board->Tile(0).present = 0;
    EXPECT_EQ(board->TileAt(0, 3, 5), 2);
}

TEST(BoardTest, PlaceTileRefusesSquaresOutsideTheGrid)
{
    const struct {
        int tile;
        SCellPosition topLeft;
        bool placed;
    } cases[] = {{0, {30, 14, 7}, true}, {143, {0, 0, 0}, true}, {0, {31, 0, 0}, false}, {0, {0, 15, 0}, false},
        {0, {0, 0, 8}, false}, {0, {-1, 0, 0}, false}, {0, {0, -1, 0}, false}, {-1, {0, 0, 0}, false},
        {144, {0, 0, 0}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.tile << ": " << c.topLeft.column << "," << c.topLeft.row << "," << c.topLeft.level);
        const auto board = std::make_unique<CBoard>();
        EXPECT_EQ(board->PlaceTile(c.tile, c.topLeft, 7, 8, 9), c.placed);
        EXPECT_EQ(CountOccupiedCells(*board), c.placed ? 4 : 0);
    }
}

} // namespace
