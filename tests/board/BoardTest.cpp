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

void PutCell(Bytes& bytes, int tile, int cell, SCellPosition position)
{
    const int32_t values[] = {position.column, position.row, position.level};
    std::memcpy(bytes.data() + tile * board::kTileEntryBytes + cell * 12, values, sizeof values); // little-endian host
}

void PutSquare(Bytes& bytes, int tile, SCellPosition topLeft)
{
    const auto cells = board::TileCells(topLeft);
    for (int k = 0; k < board::kCellsPerTile; ++k) {
        PutCell(bytes, tile, k, cells[k]);
    }
}

void ExpectConstructedApartFromPath(const CBoard& board)
{
    int changedCells = 0;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                const board::CBoardCell& c = board.Cell(z, y, x);
                changedCells += (c.occupied || c.dealIndex || c.matchGroup || c.face || c.level != z || c.row != y
                    || c.column != x);
            }
        }
    }
    EXPECT_EQ(changedCells, 0);
    int changedTiles = 0;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        changedTiles += (tile.present || tile.selected || tile.hinted || tile.dealIndex || tile.matchGroup || tile.face
            || tile.IsPlaced());
    }
    EXPECT_EQ(changedTiles, 0);
    for (int type = 1; type <= 3; ++type) {
        EXPECT_EQ(board.GetRecordHolder(type), "Player");
        EXPECT_EQ(board.GetRecordValue(type), board::kDefaultRecordValues[type - 1]);
    }
}

TEST(BoardTest, NewBoardIsEmptyWithTheInvalidPathAndDefaultRecords)
{
    const auto board = std::make_unique<CBoard>();
    ExpectConstructedApartFromPath(*board);
    EXPECT_EQ(board->LayoutPath(), "Invalid Layout.err");
    EXPECT_EQ(board->GetRecordValue(1), 900000);
    EXPECT_EQ(board->GetRecordValue(2), 60000);
    EXPECT_EQ(board->GetRecordValue(3), 25);
}

TEST(BoardTest, RecordAccessByGameType)
{
    const struct {
        int gameType;
        int record;
    } cases[] = {{0, 3}, {1, 1}, {2, 2}, {3, 3}, {7, 3}, {-1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameType);
        const auto board = std::make_unique<CBoard>();
        board->SetRecordValue(c.gameType, 4242);
        board->SetRecordHolder(c.gameType, "Mira");
        for (int type = 1; type <= 3; ++type) {
            EXPECT_EQ(board->GetRecordValue(type), type == c.record ? 4242 : board::kDefaultRecordValues[type - 1]);
            EXPECT_EQ(board->GetRecordHolder(type), type == c.record ? "Mira" : "Player");
        }
    }
    const auto board = std::make_unique<CBoard>();
    board->SetRecordHolder(1, std::string(40, 'n'));
    EXPECT_EQ(board->GetRecordHolder(1), std::string(31, 'n'));
}

TEST(BoardTest, LoadLayoutStandsEveryTileAndResetKeepsPathAndRecords)
{
    testing_support::CTempDir dir;
    const board::SLayoutData layout = board_test::FullLayout();
    Bytes bytes = board::EncodeLayout(layout);
    std::memset(bytes.data() + board::kRecordsOffset, 'Q', 32); // a name field without terminator
    dir.Write("Full.lay", bytes);
    const auto board = std::make_unique<CBoard>();

    ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));

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
    EXPECT_EQ(board->GetRecordValue(1), 1000);
    EXPECT_EQ(board->GetRecordHolder(3), "Cy");
    EXPECT_EQ(board->GetRecordValue(3), 3);

    board->ResetBoard();
    EXPECT_EQ(CountOccupiedCells(*board), 0);
    EXPECT_FALSE(board->Tile(0).present || board->Tile(0).IsPlaced());
    EXPECT_EQ(board->LayoutPath(), dir.File("Full.lay"));
    EXPECT_EQ(board->GetRecordHolder(2), "Bo");
}

TEST(BoardTest, TileAtFindsTheFirstPresentTileOnACell)
{
    // Tile 3 overlaps tile 2 at cell (5, 3); layouts are not checked for this.
    const auto board = board_test::BoardWithTiles({{4, 2, 0}, {4, 2, 1}, {5, 3, 0}, {10, 6, 0}});
    for (const auto& cell : board::TileCells({10, 6, 0})) {
        EXPECT_EQ(board->TileAt(cell.level, cell.row, cell.column), 3);
    }
    EXPECT_EQ(board->TileAt(1, 3, 5), 1);
    EXPECT_EQ(board->TileAt(0, 3, 5), 0);
    EXPECT_EQ(board->TileAt(0, 4, 6), 2);
    EXPECT_EQ(board->TileAt(0, 2, 6), -1);
    EXPECT_EQ(board->TileAt(-1, 0, 0), -1);
    EXPECT_EQ(board->TileAt(0, 16, 0), -1);
    EXPECT_EQ(board->TileAt(0, 0, 32), -1);
    board->Tile(0).present = 0;
    EXPECT_EQ(board->TileAt(0, 3, 5), 2);
}

TEST(BoardTest, HostileLayoutFilesAreRefusedWithoutHarm)
{
    const Bytes good = board::EncodeLayout(board_test::FullLayout());
    const auto patched = [&good](auto change) {
        Bytes bytes = good;
        change(bytes);
        return std::optional<Bytes>(bytes);
    };
    const auto everyField = [](int32_t value) {
        return [value](Bytes& b) {
            for (int k = 0; k < board::kCellsPerTile; ++k) {
                PutCell(b, 143, k, {value, value, value});
            }
        };
    };
    const struct {
        const char* name;
        std::optional<Bytes> bytes; // nothing: the file is missing
    } cases[] = {
        {"missing", std::nullopt},
        {"empty", Bytes{}},
        {"one byte short", Bytes(good.begin(), good.end() - 1)},
        {"negative column", patched([](Bytes& b) {
             PutSquare(b, 7, {-1, 0, 3});
         })},
        {"column 32", patched([](Bytes& b) {
             PutSquare(b, 7, {31, 0, 3});
         })},
        {"row 16", patched([](Bytes& b) {
             PutSquare(b, 7, {0, 15, 3});
         })},
        {"level 8", patched([](Bytes& b) {
             PutSquare(b, 7, {0, 0, 8});
         })},
        {"negative level", patched([](Bytes& b) {
             PutSquare(b, 0, {0, 0, -1});
         })},
        {"huge values", patched(everyField(INT32_MAX))},
        {"most negative values", patched(everyField(INT32_MIN))},
        {"cells out of order", patched([](Bytes& b) {
             PutCell(b, 20, 1, {8, 3, 0});
             PutCell(b, 20, 2, {9, 2, 0});
         })},
        {"a cell apart", patched([](Bytes& b) {
             PutCell(b, 143, 3, {20, 10, 4});
         })},
        {"a cell on another level", patched([](Bytes& b) {
             PutCell(b, 60, 2, {24, 7, 1});
         })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::CTempDir dir;
        dir.Write("Good.lay", good);
        if (c.bytes) {
            dir.Write("Bad.lay", *c.bytes);
        }
        // The board has held a layout before, so leftovers would show.
        const auto board = std::make_unique<CBoard>();
        ASSERT_TRUE(board->LoadLayout(dir.File("Good.lay")));

        EXPECT_FALSE(board->LoadLayout(dir.File("Bad.lay")));
        EXPECT_EQ(board->LayoutPath(), dir.File("Bad.lay"));
        ExpectConstructedApartFromPath(*board);
    }
}

TEST(BoardTest, PathLongerThanItsFieldIsRefused)
{
    testing_support::CTempDir dir;
    const std::string name = std::string(200, 'a') + "/" + std::string(200, 'b') + "/" + std::string(200, 'c') + "/"
        + std::string(200, 'd') + "/" + std::string(250, 'e');
    dir.Write(name, board::EncodeLayout(board_test::FullLayout()));
    const auto board = std::make_unique<CBoard>();
    EXPECT_FALSE(board->LoadLayout(dir.File(name)));
    EXPECT_EQ(board->LayoutPath(), dir.File(name).substr(0, 1023));
    ExpectConstructedApartFromPath(*board);
}

TEST(BoardTest, SaveRecordsKeepsThePositionsAndWritesTheNewRecords)
{
    testing_support::CTempDir dir;
    const board::SLayoutData layout = board_test::FullLayout();
    Bytes bytes = board::EncodeLayout(layout);
    bytes.resize(bytes.size() + 50, 0xEE); // trailing bytes are not part of a layout
    dir.Write("Full.lay", bytes);
    const auto board = std::make_unique<CBoard>();
    ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));
    board->SetRecordHolder(1, "Winner");
    board->SetRecordValue(1, 123456);
    board->SetRecordValue(3, 0);
    board->SetTileIdentity(5, 9, 9, 9); // a game in progress
    board->Tile(6).present = 0;

    ASSERT_TRUE(board->SaveRecords());

    // The layout stands again, without faces, ready for ResetBoard.
    EXPECT_EQ(CountOccupiedCells(*board), 576);
    EXPECT_TRUE(board->Tile(6).present);
    EXPECT_EQ(board->Tile(5).face, 0);
    const auto written = platform::ReadWholeFile(dir.File("Full.lay"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), board::kLayoutFileBytes);
    EXPECT_EQ(board::DecodeLayout(*written).data.cells, layout.cells);
    const auto reloaded = std::make_unique<CBoard>();
    ASSERT_TRUE(reloaded->LoadLayout(dir.File("Full.lay")));
    EXPECT_EQ(reloaded->GetRecordHolder(1), "Winner");
    EXPECT_EQ(reloaded->GetRecordValue(1), 123456);
    EXPECT_EQ(reloaded->GetRecordHolder(2), "Bo");
    EXPECT_EQ(reloaded->GetRecordValue(3), 0);
}

TEST(BoardTest, SaveRecordsWritesNothingWhenTheFileIsNoLongerALayout)
{
    const Bytes good = board::EncodeLayout(board_test::FullLayout());
    Bytes outside = good;
    PutSquare(outside, 3, {40, 0, 0});
    const struct {
        const char* name;
        std::optional<Bytes> replacement; // nothing: deleted
    } cases[] = {
        {"deleted", std::nullopt},
        {"garbage", Bytes(300, 0x5A)},
        {"cut short", Bytes(good.begin(), good.begin() + 7000)},
        {"tile outside the grid", outside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::CTempDir dir;
        dir.Write("Full.lay", good);
        const auto board = std::make_unique<CBoard>();
        ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));
        if (c.replacement) {
            dir.Write("Full.lay", *c.replacement);
        } else {
            std::remove(dir.File("Full.lay").c_str());
        }

        EXPECT_FALSE(board->SaveRecords());
        EXPECT_EQ(platform::ReadWholeFile(dir.File("Full.lay")), c.replacement);
        EXPECT_EQ(platform::ListFiles(dir.Path()).size(), c.replacement ? 1u : 0u);
    }
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
