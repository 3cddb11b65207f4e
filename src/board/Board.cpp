// The board model: construction, layout loading, records and cell lookup.
#include "board/Board.h"

#include "platform/Files.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace board {
namespace {

// Copies text into a fixed, zero-terminated field, cut to fit.
template <size_t N> void CopyIntoField(std::array<char, N>& field, std::string_view text)
{
    const std::string fitted = platform::FitText(text, N);
    field.fill('\0');
    std::memcpy(field.data(), fitted.data(), fitted.size());
}

bool IsTileNumber(int tile) { return tile >= 0 && tile < kTileCount; }

} // namespace

CBoard::CBoard()
{
    ResetBoard();
    SetLayoutPath(kInvalidLayoutPath);
    ResetRecords();
}

void CBoard::ResetBoard()
{
    for (int z = 0; z < kLevels; ++z) {
        for (int y = 0; y < kRows; ++y) {
            for (int x = 0; x < kColumns; ++x) {
                grid[z][y][x] = CBoardCell{0, 0, 0, 0, z, y, x};
            }
        }
    }
    tiles.fill(CTile{});
    isCellIndexStale = true;
}

void CBoard::ResetRecords()
{
    for (int i = 0; i < kRecordCount; ++i) {
        CopyIntoField(records[i].holder, kDefaultHolder);
        records[i].value = kDefaultRecordValues[i];
    }
}

void CBoard::SetLayoutPath(std::string_view path) { CopyIntoField(layoutPath, path); }

void CBoard::StandLayout(const SLayoutData& layout)
{
    ResetBoard();
    for (int t = 0; t < kTileCount; ++t) {
        for (int k = 0; k < kCellsPerTile; ++k) {
            const SCellPosition& position = layout.cells[t][k];
            CBoardCell& cell = Cell(position.level, position.row, position.column);
            cell.occupied = 1;
            tiles[t].cells[k] = &cell;
        }
        tiles[t].present = 1;
    }
    isCellIndexStale = true;
}

bool CBoard::LoadLayout(std::string_view path)
{
    SetLayoutPath(path);
    ResetBoard();
    ResetRecords();
    // A path that does not fit the field would name another file in saved
    // games and when the records are written back.
    if (LayoutPath() != path) {
        return false;
    }
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    const SLayoutDecodeResult decoded = DecodeLayout(*bytes);
    if (!decoded.Ok()) {
        return false;
    }
    StandLayout(decoded.data);
    for (int i = 0; i < kRecordCount; ++i) {
        CopyIntoField(records[i].holder, decoded.data.records[i].holder);
        records[i].value = decoded.data.records[i].value;
    }
    return true;
}

bool CBoard::SaveRecords()
{
    const std::string path(LayoutPath());
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    SLayoutDecodeResult decoded = DecodeLayout(*bytes);
    if (!decoded.Ok()) {
        return false;
    }
    StandLayout(decoded.data);
    for (int i = 0; i < kRecordCount; ++i) {
        decoded.data.records[i].holder = records[i].holder.data();
        decoded.data.records[i].value = records[i].value;
    }
    return platform::WriteFileAtomically(path, EncodeLayout(decoded.data));
}

void CBoard::ClearHints()
{
    for (CTile& tile : tiles) {
        tile.hinted = 0;
    }
}

void CBoard::ClearSelection()
{
    for (CTile& tile : tiles) {
        tile.selected = 0;
    }
}

int CBoard::TileAt(int level, int row, int column) const
{
    if (!IsInsideGrid({column, row, level})) {
        return -1;
    }
    for (const SCellEntry& entry : CellIndex().Cell(level, row, column)) {
        if (tiles[entry.tile].present) {
            return entry.tile;
        }
    }
    return -1;
}

const CCellIndex& CBoard::CellIndex() const
{
    if (isCellIndexStale) {
        cellIndex.Build(*this);
        isCellIndexStale = false;
    }
    return cellIndex;
}

bool CBoard::PlaceTile(int tile, SCellPosition topLeft, int32_t dealIndex, int32_t matchGroup, int32_t face)
{
    if (!IsTileNumber(tile)) {
        return false;
    }
    const auto positions = TileCells(topLeft);
    if (!std::all_of(positions.begin(), positions.end(), IsInsideGrid)) {
        return false;
    }
    CTile& placed = tiles[tile];
    for (int k = 0; k < kCellsPerTile; ++k) {
        CBoardCell& cell = Cell(positions[k].level, positions[k].row, positions[k].column);
        cell.occupied = 1;
        placed.cells[k] = &cell;
    }
    placed.present = 1;
    isCellIndexStale = true;
    SetTileIdentity(tile, dealIndex, matchGroup, face);
    return true;
}

void CBoard::SetTileIdentity(int tile, int32_t dealIndex, int32_t matchGroup, int32_t face)
{
    CTile& changed = Tile(tile);
    changed.dealIndex = dealIndex;
    changed.matchGroup = matchGroup;
    changed.face = face;
    for (CBoardCell* cell : changed.cells) {
        if (cell) {
            cell->dealIndex = dealIndex;
            cell->matchGroup = matchGroup;
            cell->face = face;
        }
    }
}

int CBoard::RecordIndex(int gameType)
{
    switch (gameType) {
    case kGameTypeTraditional:
        return 0;
    case kGameTypeVeskStyle:
        return 1;
    default:
        return 2;
    }
}

std::string_view CBoard::GetRecordHolder(int gameType) const { return records[RecordIndex(gameType)].holder.data(); }

void CBoard::SetRecordHolder(int gameType, std::string_view name)
{
    CopyIntoField(records[RecordIndex(gameType)].holder, name);
}

int32_t CBoard::GetRecordValue(int gameType) const { return records[RecordIndex(gameType)].value; }

void CBoard::SetRecordValue(int gameType, int32_t value) { records[RecordIndex(gameType)].value = value; }

} // namespace board
