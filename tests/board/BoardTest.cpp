// The board model: loading layouts (and refusing bad ones), writing records
// back, cell lookup and record access.
#include "BoardTestLayouts.h"

#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <tuple>

namespace {

using board::CBoard;
using board::SCellPosition;
using board_test::CountOccupiedCells;
using Bytes = std::vector<uint8_t>;

// Cell identities are stale (and never read) while a cell is not occupied.
void ExpectConstructedApartFromPath(const CBoard& board)
{
    EXPECT_EQ(CountOccupiedCells(board), 0);
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        ASSERT_FALSE(tile.present || tile.selected || tile.hinted || tile.dealIndex || tile.matchGroup || tile.face
            || tile.IsPlaced())
            << t;
    }
    EXPECT_EQ(std::make_tuple(board.GetRecordHolder(1), board.GetRecordValue(1), board.GetRecordHolder(2),
                  board.GetRecordValue(2), board.GetRecordHolder(3), board.GetRecordValue(3)),
        std::make_tuple("Player", 900000, "Player", 60000, "Player", 25));
}

TEST(BoardTest, NewBoardAndRecordAccessByGameType)
{
    ExpectConstructedApartFromPath(*std::make_unique<CBoard>());
    EXPECT_EQ(std::make_unique<CBoard>()->LayoutPath(), "Invalid Layout.err");
    for (int gameType = 1; gameType <= 3; ++gameType) {
        const auto board = std::make_unique<CBoard>();
        board->SetRecordValue(gameType, 4242);
        board->SetRecordHolder(gameType, "Mira");
        for (int type = 1; type <= 3; ++type) {
            EXPECT_EQ(board->GetRecordValue(type), type == gameType ? 4242 : board::kDefaultRecordValues[type - 1]);
            EXPECT_EQ(board->GetRecordHolder(type), type == gameType ? "Mira" : "Player") << gameType;
        }
    }
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
        for (int k = 0; k < board::kCellsPerTile; ++k) {
            const SCellPosition& at = layout.cells[t][k];
            ASSERT_TRUE(board->Tile(t).present && board->Tile(t).cells[k] == &board->Cell(at.level, at.row, at.column));
        }
    }
    board->SetRecordHolder(2, "Winner");
    board->SetRecordValue(2, 123456);
    board->SetTileIdentity(5, 9, 9, 9); // a game in progress
    board->Tile(6).present = 0;
    ASSERT_TRUE(board->SaveRecords());
    // The layout stands again, without faces, ready for ResetBoard.
    EXPECT_TRUE(CountOccupiedCells(*board) == 576 && board->Tile(6).present && board->Tile(5).face == 0);
    const Bytes written = platform::ReadWholeFile(path).value_or(Bytes{});
    EXPECT_EQ(written.size(), board::kLayoutFileBytes);
    EXPECT_EQ(board::DecodeLayout(written).data.cells, layout.cells);

    const auto reloaded = std::make_unique<CBoard>();
    ASSERT_TRUE(reloaded->LoadLayout(path));
    reloaded->ResetBoard(); // keeps path and records
    EXPECT_EQ(CountOccupiedCells(*reloaded), 0);
    EXPECT_EQ(reloaded->LayoutPath(), path);
    EXPECT_EQ(std::make_tuple(reloaded->GetRecordHolder(1), reloaded->GetRecordValue(1), reloaded->GetRecordHolder(2),
                  reloaded->GetRecordValue(2), reloaded->GetRecordHolder(3), reloaded->GetRecordValue(3)),
        std::make_tuple(std::string(31, 'Q'), 1000, "Winner", 123456, "Cy", 3));
}

TEST(BoardTest, HostileLayoutFilesAreRefusedWithoutHarmAndNeverWritten)
{
    const std::string bad = "Bad.lay";
    const std::string longName = std::string(250, 'a') + "/" + std::string(250, 'b') + "/" + std::string(250, 'c') + "/"
        + std::string(250, 'd') + "/" + std::string(50, 'e');
    const int full = static_cast<int>(board::kLayoutFileBytes);
    // File name, size (-1: missing), tile changed and its new cells: one is
    // the top-left cell of a square, four are the cells as listed.
    const std::tuple<const char*, std::string, int, int, std::vector<SCellPosition>> cases[] = {
        {"missing", bad, -1, 0, {}},
        {"one byte short", bad, 7019, 0, {}},
        {"negative column", bad, full, 7, {{-1, 0, 3}}},
        {"column 32", bad, full, 7, {{31, 0, 3}}},
        {"row 16", bad, full, 7, {{0, 15, 3}}},
        {"level 8", bad, full, 7, {{0, 0, 8}}},
        {"negative level", bad, full, 0, {{0, 0, -1}}},
        {"extreme values", bad, full, 143,
            {{INT32_MIN, 0, 0}, {INT32_MAX, 0, 0}, {0, INT32_MIN, 0}, {0, 0, INT32_MAX}}},
        {"cells out of order", bad, full, 0, {{2, 0, 0}, {2, 1, 0}, {3, 0, 0}, {3, 1, 0}}},
        {"a cell apart", bad, full, 143, {{24, 10, 1}, {25, 10, 1}, {24, 11, 1}, {20, 10, 4}}},
        {"a cell on another level", bad, full, 60, {{2, 10, 0}, {3, 10, 0}, {2, 11, 1}, {3, 11, 0}}},
        {"path longer than its field", longName, full, 0, {}},
    };
    for (const auto& [what, file, size, tile, cells] : cases) {
        SCOPED_TRACE(what);
        board::SLayoutData layout = board_test::BlockLayout();
        for (size_t k = 0; k < board::kCellsPerTile && !cells.empty(); ++k) {
            layout.cells[tile][k] = cells.size() == 1 ? board::TileCells(cells[0])[k] : cells[k];
        }
        Bytes bytes = board::EncodeLayout(layout);
        bytes.resize(std::max(size, 0));
        testing_support::CTempDir goodDir;
        testing_support::CTempDir dir;
        goodDir.Write("Good.lay", board::EncodeLayout(board_test::BlockLayout()));
        if (size >= 0) {
            dir.Write(file, bytes);
        }
        // The board has held a layout before, so leftovers would show.
        const auto board = std::make_unique<CBoard>();
        ASSERT_TRUE(board->LoadLayout(goodDir.File("Good.lay")));
        EXPECT_FALSE(board->LoadLayout(dir.File(file)));
        EXPECT_EQ(board->LayoutPath(), dir.File(file).substr(0, 1023));
        ExpectConstructedApartFromPath(*board);
        // Records are never written over a file that is not a layout.
        EXPECT_FALSE(board->SaveRecords());
        EXPECT_EQ(platform::ReadWholeFile(dir.File(file)), size >= 0 ? std::optional(bytes) : std::nullopt);
        EXPECT_EQ(platform::ListFiles(dir.Path()).size(), size >= 0 && file == bad ? 1u : 0u);
    }
}

TEST(BoardTest, PlaceTileStaysInsideTheGrid)
{
    // Tile, top-left cell, whether it is placed.
    const std::tuple<int, SCellPosition, bool> places[] = {{0, {30, 14, 7}, true}, {143, {0, 0, 0}, true},
        {1, {31, 0, 0}, false}, {1, {0, 15, 0}, false}, {1, {0, 0, 8}, false}, {1, {-1, 0, 0}, false},
        {1, {0, -1, 0}, false}, {-1, {0, 0, 0}, false}, {144, {0, 0, 0}, false}};
    const auto empty = std::make_unique<CBoard>();
    for (const auto& [tile, topLeft, placed] : places) {
        EXPECT_EQ(empty->PlaceTile(tile, topLeft, 7, 8, 9), placed)
            << tile << ": " << topLeft.column << " " << topLeft.row << " " << topLeft.level;
    }
    EXPECT_EQ(CountOccupiedCells(*empty), 8);
}

} // namespace
