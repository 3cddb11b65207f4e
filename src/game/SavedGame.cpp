// Writing, reading and checking saved game files field by field.
#include "game/SavedGame.h"

#include "board/Rules.h"
#include "platform/BinaryIo.h"
#include "platform/Files.h"

#include <bitset>
#include <filesystem>
#include <memory>
#include <system_error>

namespace game {
namespace {

bool HasZandorFields(int32_t gameType) { return gameType == board::kGameTypeZandor; }

bool IsGameType(int32_t gameType)
{
    return gameType == board::kGameTypeTraditional || gameType == board::kGameTypeVeskStyle
        || gameType == board::kGameTypeZandor;
}

bool ReadCell(platform::CBinaryReader& reader, board::SCellPosition& cell)
{
    return reader.ReadInt32(cell.column) && reader.ReadInt32(cell.row) && reader.ReadInt32(cell.level);
}

bool ReadTile(platform::CBinaryReader& reader, SSavedTile& tile)
{
    if (!reader.ReadInt32(tile.dealIndex) || !reader.ReadInt32(tile.matchGroup) || !reader.ReadInt32(tile.face)) {
        return false;
    }
    for (board::SCellPosition& cell : tile.cells) {
        if (!ReadCell(reader, cell)) {
            return false;
        }
    }
    return true;
}

// A tile the board can hold and draw: a face with a picture, and four cells
// inside the grid forming the square of its top-left cell in the fixed order.
bool IsSoundTile(const SSavedTile& tile)
{
    if (tile.face < 1 || tile.face > board::kFaceCount) {
        return false;
    }
    return board::IsInsideGrid(tile.cells[0]) && board::IsInsideGrid(tile.cells[3])
        && board::TileCells(tile.cells[0]) == tile.cells;
}

bool SharesACell(const std::vector<SSavedTile>& tiles)
{
    // Every cell was checked to lie inside the grid.
    std::bitset<board::kLevels * board::kRows * board::kColumns> taken;
    for (const SSavedTile& tile : tiles) {
        for (const board::SCellPosition& cell : tile.cells) {
            const size_t index
                = static_cast<size_t>((cell.level * board::kRows + cell.row) * board::kColumns + cell.column);
            if (taken.test(index)) {
                return true;
            }
            taken.set(index);
        }
    }
    return false;
}

// The input box gives letters, digits and spaces; anything that could name
// another folder or no file at all is refused here for every caller.
bool IsUsableName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    return name.find_first_of("/\\") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

} // namespace

std::vector<uint8_t> EncodeSavedGame(const SSavedGame& saved)
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(saved.gameType);
    writer.WriteInt32(saved.clockMs);
    if (HasZandorFields(saved.gameType)) {
        writer.WriteInt32(saved.targetGroup);
        writer.WriteInt32(saved.targetFace);
        writer.WriteInt32(saved.missedPairs);
    }
    writer.WriteText(saved.layoutPath, platform::kPathFieldBytes);
    writer.WriteInt32(static_cast<int32_t>(saved.tiles.size()));
    for (const SSavedTile& tile : saved.tiles) {
        writer.WriteInt32(tile.dealIndex);
        writer.WriteInt32(tile.matchGroup);
        writer.WriteInt32(tile.face);
        for (const board::SCellPosition& cell : tile.cells) {
            writer.WriteInt32(cell.column);
            writer.WriteInt32(cell.row);
            writer.WriteInt32(cell.level);
        }
    }
    return writer.TakeBytes();
}

SSavedGameResult DecodeSavedGame(const std::vector<uint8_t>& bytes)
{
    SSavedGameResult result;
    SSavedGame& saved = result.game;
    platform::CBinaryReader reader(bytes);
    auto refuse = [&result](ESavedGameError error) {
        result.error = error;
        return result;
    };
    if (!reader.ReadInt32(saved.gameType)) {
        return refuse(ESavedGameError::Short);
    }
    if (!IsGameType(saved.gameType)) {
        return refuse(ESavedGameError::BadGameType);
    }
    if (!reader.ReadInt32(saved.clockMs)) {
        return refuse(ESavedGameError::Short);
    }
    if (HasZandorFields(saved.gameType)
        && !(reader.ReadInt32(saved.targetGroup) && reader.ReadInt32(saved.targetFace)
            && reader.ReadInt32(saved.missedPairs))) {
        return refuse(ESavedGameError::Short);
    }
    int32_t count = 0;
    if (!reader.ReadText(saved.layoutPath, platform::kPathFieldBytes) || !reader.ReadInt32(count)) {
        return refuse(ESavedGameError::Short);
    }
    if (count < 0 || count > board::kTileCount) {
        return refuse(ESavedGameError::BadTileCount);
    }
    if (reader.Remaining() < static_cast<size_t>(count) * kSavedTileEntryBytes) {
        return refuse(ESavedGameError::Short);
    }
    saved.tiles.resize(static_cast<size_t>(count));
    for (SSavedTile& tile : saved.tiles) {
        ReadTile(reader, tile); // the length was checked above
        if (!IsSoundTile(tile)) {
            return refuse(ESavedGameError::BadTile);
        }
    }
    if (SharesACell(saved.tiles)) {
        return refuse(ESavedGameError::SharedCell);
    }
    return result;
}

SSavedGame CaptureBoard(const board::CBoard& board, int32_t gameType, int32_t clockMs)
{
    SSavedGame saved;
    saved.gameType = gameType;
    saved.clockMs = clockMs;
    saved.layoutPath = std::string(board.LayoutPath());
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = board.Tile(t);
        if (!tile.present || !tile.IsPlaced()) {
            continue;
        }
        SSavedTile entry{tile.dealIndex, tile.matchGroup, tile.face, {}};
        for (int k = 0; k < board::kCellsPerTile; ++k) {
            const board::CBoardCell& cell = *tile.cells[k];
            entry.cells[k] = {cell.column, cell.row, cell.level};
        }
        saved.tiles.push_back(entry);
    }
    return saved;
}

bool PlaceSavedGame(board::CBoard& board, const SSavedGame& saved)
{
    const bool layoutLoaded = board.LoadLayout(saved.layoutPath);
    board.ResetBoard();
    if (!layoutLoaded) {
        return false;
    }
    for (size_t k = 0; k < saved.tiles.size(); ++k) {
        const SSavedTile& tile = saved.tiles[k];
        board.PlaceTile(static_cast<int>(k), tile.cells[0], tile.dealIndex, tile.matchGroup, tile.face);
    }
    return true;
}

SSavedGameResult LoadSavedGame(std::string_view path, board::CBoard& board, std::optional<int32_t> expectedType)
{
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        return {ESavedGameError::Unreadable, {}};
    }
    SSavedGameResult result = DecodeSavedGame(*bytes);
    if (!result.Ok()) {
        return result;
    }
    if (expectedType && *expectedType != result.game.gameType) {
        result.error = ESavedGameError::WrongGameType;
        return result;
    }
    if (!PlaceSavedGame(board, result.game)) {
        result.error = ESavedGameError::LayoutGone;
    }
    return result;
}

bool IsUsableSavedGame(const std::string& path)
{
    auto board = std::make_unique<board::CBoard>();
    return LoadSavedGame(path, *board).Ok();
}

std::string SavedGamePath(std::string_view name) { return std::string(kSavesFolder) + "\\" + std::string(name); }

bool WriteSavedGame(std::string_view name, const SSavedGame& saved)
{
    if (!IsUsableName(name)) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(platform::NativePath(kSavesFolder), error);
    return platform::WriteFileAtomically(SavedGamePath(name), EncodeSavedGame(saved));
}

const char* DescribeSavedGameError(ESavedGameError error)
{
    switch (error) {
    case ESavedGameError::None:
        return "no error";
    case ESavedGameError::Unreadable:
        return "the file cannot be read";
    case ESavedGameError::Short:
        return "the file ends early";
    case ESavedGameError::BadGameType:
        return "the game type is not 1, 2 or 3";
    case ESavedGameError::BadTileCount:
        return "the tile count is outside 0 to 144";
    case ESavedGameError::BadTile:
        return "a tile has no face or lies outside the grid";
    case ESavedGameError::SharedCell:
        return "two tiles lie on one cell";
    case ESavedGameError::LayoutGone:
        return "the layout file cannot be loaded";
    case ESavedGameError::WrongGameType:
        return "the game is of another type";
    }
    return "unknown error";
}

} // namespace game
