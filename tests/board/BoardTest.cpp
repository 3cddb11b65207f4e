// The board model: construction, layout loading (and refusing bad layouts),
// writing the records back, cell lookup and record access.
#include "BoardTestLayouts.h"

#include "board/Board.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>

namespace {

using board::CBoard;
using board::SCellPosition;
using testing_support::CTempDir;

// Tiles point into their own board's grid: a copy would point into another.
static_assert(!std::is_copy_constructible_v<CBoard> && !std::is_copy_assignable_v<CBoard>);

void PutInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t value)
{
    const auto raw = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(raw >> (8 * i));
    }
}

size_t CellOffset(int tile, int cell) { return tile * board::kTileEntryBytes + cell * 12; }

void PutCell(std::vector<uint8_t>& bytes, int tile, int cell, SCellPosition position)
{
    PutInt32(bytes, CellOffset(tile, cell), position.column);
    PutInt32(bytes, CellOffset(tile, cell) + 4, position.row);
    PutInt32(bytes, CellOffset(tile, cell) + 8, position.level);
}

void PutSquare(std::vector<uint8_t>& bytes, int tile, SCellPosition topLeft)
{
    const auto cells = board::TileCells(topLeft);
    for (int k = 0; k < board::kCellsPerTile; ++k) {
        PutCell(bytes, tile, k, cells[k]);
    }
}

void ExpectConstructedApartFromPath(const CBoard& board)
{
    int badCells = 0;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                const board::CBoardCell& cell = board.Cell(z, y, x);
                const bool constructed = cell.occupied == 0 && cell.dealIndex == 0 && cell.matchGroup == 0
                    && cell.face == 0 && cell.level == z && cell.row == y && cell.column == x;
                badCells += constructed ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(badCells, 0);
    int badTiles = 0;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        const bool constructed = !tile.present && !tile.selected && !tile.hinted && tile.dealIndex == 0
            && tile.matchGroup == 0 && tile.face == 0 && !tile.IsPlaced();
        badTiles += constructed ? 0 : 1;
    }
    EXPECT_EQ(badTiles, 0);
    EXPECT_EQ(board.GetRecordHolder(1), "Player");
    EXPECT_EQ(board.GetRecordHolder(2), "Player");
    EXPECT_EQ(board.GetRecordHolder(3), "Player");
    EXPECT_EQ(board.GetRecordValue(1), 900000);
    EXPECT_EQ(board.GetRecordValue(2), 60000);
    EXPECT_EQ(board.GetRecordValue(3), 25);
}

int CountOccupiedCells(const CBoard& board)
{
    int count = 0;
    for (int z = 0; z < board::kLevels; ++z) {
        for (int y = 0; y < board::kRows; ++y) {
            for (int x = 0; x < board::kColumns; ++x) {
                count += board.Cell(z, y, x).occupied;
            }
        }
    }
    return count;
}

TEST(BoardTest, NewBoardHoldsNoTilesTheInvalidPathAndDefaultRecords)
{
    const auto board = std::make_unique<CBoard>();
    ExpectConstructedApartFromPath(*board);
    EXPECT_EQ(board->LayoutPath(), "Invalid Layout.err");
    EXPECT_EQ(board->TileAt(0, 0, 0), -1);
}

TEST(BoardTest, RecordAccessByGameType)
{
    // Type 1 is record 1, type 2 record 2, every other value record 3.
    struct SCase {
        int gameType;
        int recordType;
    };
    const SCase cases[] = {{0, 3}, {1, 1}, {2, 2}, {3, 3}, {7, 3}, {-1, 3}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.gameType);
        const auto board = std::make_unique<CBoard>();
        board->SetRecordValue(c.gameType, 4242);
        board->SetRecordHolder(c.gameType, "Mira");
        for (int type = 1; type <= 3; ++type) {
            const bool written = type == c.recordType;
            EXPECT_EQ(board->GetRecordValue(type), written ? 4242 : board::kDefaultRecordValues[type - 1]);
            EXPECT_EQ(board->GetRecordHolder(type), written ? "Mira" : "Player");
        }
        EXPECT_EQ(board->GetRecordValue(c.gameType), 4242);
    }
}

TEST(BoardTest, RecordHolderKeepsAtMost31Characters)
{
    const auto board = std::make_unique<CBoard>();
    const std::string longName(40, 'n');
    board->SetRecordHolder(1, longName);
    EXPECT_EQ(board->GetRecordHolder(1), longName.substr(0, 31));
    board->SetRecordHolder(1, std::string("ab\0cd", 5));
    EXPECT_EQ(board->GetRecordHolder(1), "ab");
}

TEST(BoardTest, LoadLayoutStandsEveryTileAndReadsTheRecords)
{
    CTempDir dir;
    const board::SLayoutData layout = board_test::FullLayout();
    dir.Write("Full.lay", board::EncodeLayout(layout));
    const auto board = std::make_unique<CBoard>();

    ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));

    EXPECT_EQ(board->LayoutPath(), dir.File("Full.lay"));
    EXPECT_EQ(CountOccupiedCells(*board), 576);
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board->Tile(t);
        ASSERT_TRUE(tile.present);
        EXPECT_EQ(tile.matchGroup, 0);
        EXPECT_EQ(tile.face, 0);
        for (int k = 0; k < board::kCellsPerTile; ++k) {
            const SCellPosition expected = layout.cells[t][k];
            EXPECT_EQ(tile.cells[k], &board->Cell(expected.level, expected.row, expected.column));
        }
    }
    EXPECT_EQ(board->GetRecordHolder(1), "Ada");
    EXPECT_EQ(board->GetRecordValue(1), 1000);
    EXPECT_EQ(board->GetRecordHolder(2), "Bo");
    EXPECT_EQ(board->GetRecordValue(2), 2000);
    EXPECT_EQ(board->GetRecordHolder(3), "Cy");
    EXPECT_EQ(board->GetRecordValue(3), 3);
}

TEST(BoardTest, HolderFieldWithoutTerminatorLoadsCutTo31Characters)
{
    CTempDir dir;
    std::vector<uint8_t> bytes = board::EncodeLayout(board_test::FullLayout());
    std::memset(bytes.data() + board::kRecordsOffset, 'Q', 32);
    dir.Write("Full.lay", bytes);
    const auto board = std::make_unique<CBoard>();
    ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));
    EXPECT_EQ(board->GetRecordHolder(1), std::string(31, 'Q'));
}

TEST(BoardTest, TileAtFindsThePresentTileOnEachOfItsCells)
{
    const auto board = board_test::BoardWithTiles({{4, 2, 0}, {4, 2, 1}, {10, 6, 0}});
    for (const auto& cell : board::TileCells({10, 6, 0})) {
        EXPECT_EQ(board->TileAt(cell.level, cell.row, cell.column), 2);
    }
    EXPECT_EQ(board->TileAt(1, 3, 5), 1);
    EXPECT_EQ(board->TileAt(0, 3, 5), 0);
    EXPECT_EQ(board->TileAt(0, 2, 6), -1);
    EXPECT_EQ(board->TileAt(-1, 0, 0), -1);
    EXPECT_EQ(board->TileAt(0, 16, 0), -1);
    EXPECT_EQ(board->TileAt(0, 0, 32), -1);

    board->Tile(2).present = 0;
    EXPECT_EQ(board->TileAt(0, 6, 10), -1);
}

TEST(BoardTest, TileAtPrefersTheLowerTileNumberOnASharedCell)
{
    // Two tiles overlapping at cell (5, 3): layouts are not checked for this.
    const auto board = board_test::BoardWithTiles({{0, 0, 0}, {5, 3, 0}, {4, 2, 0}});
    EXPECT_EQ(board->TileAt(0, 3, 5), 1);
    board->Tile(1).present = 0;
    EXPECT_EQ(board->TileAt(0, 3, 5), 2);
}

TEST(BoardTest, HostileLayoutFilesAreRefusedWithoutHarm)
{
    const std::vector<uint8_t> good = board::EncodeLayout(board_test::FullLayout());
    struct SCase {
        const char* name;
        std::optional<std::vector<uint8_t>> bytes; // nothing: the file is missing
    };
    const auto patched = [&good](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return std::optional<std::vector<uint8_t>>(bytes);
    };
    const auto every = [](int32_t value) {
        return [value](std::vector<uint8_t>& bytes) {
            for (int k = 0; k < board::kCellsPerTile; ++k) {
                PutCell(bytes, 143, k, {value, value, value});
            }
        };
    };
    const SCase cases[] = {
        {"missing", std::nullopt},
        {"empty", std::vector<uint8_t>{}},
        {"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"negative column", patched([](auto& b) {
             PutSquare(b, 7, {-1, 0, 3});
         })},
        {"column 32", patched([](auto& b) {
             PutSquare(b, 7, {31, 0, 3});
         })},
        {"row 16", patched([](auto& b) {
             PutSquare(b, 7, {0, 15, 3});
         })},
        {"level 8", patched([](auto& b) {
             PutSquare(b, 7, {0, 0, 8});
         })},
        {"negative level", patched([](auto& b) {
             PutSquare(b, 0, {0, 0, -1});
         })},
        {"huge values", patched(every(INT32_MAX))},
        {"most negative values", patched(every(INT32_MIN))},
        {"cells out of order", patched([](auto& b) {
             PutCell(b, 20, 1, {5, 7, 2});
             PutCell(b, 20, 2, {6, 6, 2});
             PutCell(b, 20, 0, {5, 6, 2});
             PutCell(b, 20, 3, {6, 7, 2});
         })},
        {"cells apart", patched([](auto& b) {
             PutCell(b, 143, 3, {20, 10, 4});
         })},
        {"cells on two levels", patched([](auto& b) {
             PutCell(b, 60, 2, {24, 7, 1});
         })},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTempDir dir;
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
    CTempDir dir;
    std::string folder = std::string(200, 'd');
    for (int depth = 0; depth < 4; ++depth) {
        folder += "/" + std::string(200, 'd');
    }
    dir.Write(folder + "/" + std::string(40, 'f'), board::EncodeLayout(board_test::FullLayout()));
    const std::string path = dir.File(folder + "/" + std::string(40, 'f'));
    ASSERT_GT(path.size(), 1023u);
    const auto board = std::make_unique<CBoard>();
    EXPECT_FALSE(board->LoadLayout(path));
    EXPECT_EQ(board->LayoutPath(), path.substr(0, 1023));
    ExpectConstructedApartFromPath(*board);
}

TEST(BoardTest, SaveRecordsKeepsThePositionsAndWritesTheNewRecords)
{
    CTempDir dir;
    const board::SLayoutData layout = board_test::FullLayout();
    std::vector<uint8_t> bytes = board::EncodeLayout(layout);
    bytes.resize(bytes.size() + 50, 0xEE); // trailing bytes are not part of a layout
    dir.Write("Full.lay", bytes);
    const auto board = std::make_unique<CBoard>();
    ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));
    board->SetRecordHolder(1, "Winner");
    board->SetRecordValue(1, 123456);
    board->SetRecordHolder(3, std::string(31, 'z'));
    board->SetRecordValue(3, 0);
    // A game in progress: faces dealt, two tiles taken.
    board->SetTileIdentity(5, 9, 9, 9);
    board->Tile(6).present = 0;

    ASSERT_TRUE(board->SaveRecords());

    // The layout stands again, without faces, ready for ResetBoard.
    EXPECT_EQ(CountOccupiedCells(*board), 576);
    EXPECT_TRUE(board->Tile(6).present);
    EXPECT_EQ(board->Tile(5).face, 0);

    const auto written = platform::ReadWholeFile(dir.File("Full.lay"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), board::kLayoutFileBytes);
    const auto decoded = board::DecodeLayout(*written);
    ASSERT_TRUE(decoded.Ok());
    EXPECT_EQ(decoded.data.cells, layout.cells);
    const std::array<board::SLayoutRecord, 3> expected
        = {{{"Winner", 123456}, {"Bo", 2000}, {std::string(31, 'z'), 0}}};
    EXPECT_EQ(decoded.data.records, expected);

    const auto reloaded = std::make_unique<CBoard>();
    ASSERT_TRUE(reloaded->LoadLayout(dir.File("Full.lay")));
    EXPECT_EQ(reloaded->GetRecordHolder(1), "Winner");
    EXPECT_EQ(reloaded->GetRecordValue(3), 0);
}

TEST(BoardTest, SaveRecordsWritesNothingWhenTheFileIsNoLongerALayout)
{
    const std::vector<uint8_t> good = board::EncodeLayout(board_test::FullLayout());
    std::vector<uint8_t> outside = good;
    PutSquare(outside, 3, {40, 0, 0});
    struct SCase {
        const char* name;
        std::optional<std::vector<uint8_t>> replacement; // nothing: deleted
    };
    const SCase cases[] = {
        {"deleted", std::nullopt},
        {"garbage", std::vector<uint8_t>(300, 0x5A)},
        {"cut short", std::vector<uint8_t>(good.begin(), good.begin() + 7000)},
        {"tile outside the grid", outside},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTempDir dir;
        dir.Write("Full.lay", good);
        const auto board = std::make_unique<CBoard>();
        ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));
        board->SetRecordValue(1, 1);
        if (c.replacement) {
            dir.Write("Full.lay", *c.replacement);
        } else {
            std::remove(dir.File("Full.lay").c_str());
        }

        EXPECT_FALSE(board->SaveRecords());

        const auto after = platform::ReadWholeFile(dir.File("Full.lay"));
        EXPECT_EQ(after, c.replacement);
        EXPECT_EQ(platform::ListFiles(dir.Path()).size(), c.replacement ? 1u : 0u);
    }
}

TEST(BoardTest, SaveRecordsOfANewBoardWritesNothing)
{
    CTempDir dir;
    testing_support::CScopedCurrentDir inside(dir.Path());
    const auto board = std::make_unique<CBoard>();
    EXPECT_FALSE(board->SaveRecords());
    EXPECT_TRUE(platform::ListFiles(".").empty());
}

TEST(BoardTest, ResetBoardKeepsPathAndRecords)
{
    CTempDir dir;
    dir.Write("Full.lay", board::EncodeLayout(board_test::FullLayout()));
    const auto board = std::make_unique<CBoard>();
    ASSERT_TRUE(board->LoadLayout(dir.File("Full.lay")));
    board->Tile(3).selected = 1;
    board->Tile(4).hinted = 1;

    board->ResetBoard();

    EXPECT_EQ(CountOccupiedCells(*board), 0);
    EXPECT_EQ(board->TileAt(0, 0, 0), -1);
    EXPECT_FALSE(board->Tile(3).selected);
    EXPECT_FALSE(board->Tile(4).hinted);
    EXPECT_FALSE(board->Tile(0).IsPlaced());
    EXPECT_EQ(board->LayoutPath(), dir.File("Full.lay"));
    EXPECT_EQ(board->GetRecordHolder(2), "Bo");
    EXPECT_EQ(board->GetRecordValue(2), 2000);
}

TEST(BoardTest, PlaceTileRefusesSquaresOutsideTheGrid)
{
    struct SCase {
        int tile;
        SCellPosition topLeft;
        bool placed;
    };
    const SCase cases[] = {
        {0, {30, 14, 7}, true},
        {143, {0, 0, 0}, true},
        {0, {31, 0, 0}, false},
        {0, {0, 15, 0}, false},
        {0, {0, 0, 8}, false},
        {0, {-1, 0, 0}, false},
        {-1, {0, 0, 0}, false},
        {144, {0, 0, 0}, false},
        {0, {0, -1, 0}, false},
        {0, {0, 0, -1}, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tile << " at " << c.topLeft.column << "," << c.topLeft.row << ","
                                        << c.topLeft.level);
        const auto board = std::make_unique<CBoard>();
        EXPECT_EQ(board->PlaceTile(c.tile, c.topLeft, 7, 8, 9), c.placed);
        EXPECT_EQ(CountOccupiedCells(*board), c.placed ? 4 : 0);
        if (c.placed) {
            for (const board::CBoardCell* cell : board->Tile(c.tile).cells) {
                EXPECT_EQ(cell->face, 9);
                EXPECT_EQ(cell->matchGroup, 8);
                EXPECT_EQ(cell->dealIndex, 7);
            }
        }
    }
}

} // namespace
