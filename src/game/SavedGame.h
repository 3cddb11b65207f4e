// Saved game files under "Saves\": the game type, the clock, the Zandor
// state, the layout's path and the tiles still on the board. Reading is a
// pure function from bytes to a saved game or a refusal, so that the load
// page's check, the game screens and a fuzz target share one reader.
#pragma once

#include "board/Board.h"
#include "board/LayoutFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game {

inline constexpr const char* kSavesFolder = "Saves";
inline constexpr size_t kSavedTileEntryBytes = 60;
// Where the tile count lies: after type, clock and the 1,024-byte path, and
// for Zandor also after target group, target face and missed pairs.
inline constexpr size_t kTileCountOffset = 1032;
inline constexpr size_t kZandorTileCountOffset = 1044;

struct SSavedTile {
    int32_t dealIndex = 0;
    int32_t matchGroup = 0;
    int32_t face = 0;
    // Top-left, top-right, bottom-left, bottom-right.
    std::array<board::SCellPosition, board::kCellsPerTile> cells{};
    bool operator==(const SSavedTile&) const = default;
};

struct SSavedGame {
    int32_t gameType = board::kGameTypeTraditional;
    int32_t clockMs = 0;
    // Zandor only; absent from the files of the other types.
    int32_t targetGroup = 0;
    int32_t targetFace = 0;
    int32_t missedPairs = 0;
    std::string layoutPath;
    std::vector<SSavedTile> tiles; // present tiles in table order
    bool operator==(const SSavedGame&) const = default;
};

enum class ESavedGameError {
    None,
    Unreadable, // the file cannot be opened or read
    Short, // ends before a field it announces
    BadGameType, // not 1, 2 or 3
    BadTileCount, // below 0 or above 144
    BadTile, // a face outside 1..42, a cell outside the grid or not a 2 x 2 square
    SharedCell, // two tiles on one cell
    LayoutGone, // the named layout cannot be loaded
    WrongGameType, // a game of another type than the screen that loads it
};

struct SSavedGameResult {
    ESavedGameError error = ESavedGameError::None;
    SSavedGame game;
    bool Ok() const { return error == ESavedGameError::None; }
};

// The file's bytes in the field order of the format; the path field is
// zero-filled after its terminator.
std::vector<uint8_t> EncodeSavedGame(const SSavedGame& saved);

// Reads and checks a saved game's bytes: everything but the layout file.
// Bytes after the last tile are ignored.
SSavedGameResult DecodeSavedGame(const std::vector<uint8_t>& bytes);

// The saved game of a board in play: its present tiles in table order.
SSavedGame CaptureBoard(const board::CBoard& board, int32_t gameType, int32_t clockMs);

// Puts a decoded game on the board: the layout's positions and records are
// read from its file, the board is reset, and the saved tiles take the tile
// numbers 0 to n - 1 in file order, none selected or hinted. False (the
// board reset, its path and records as the layout gave them) when the layout
// cannot be loaded.
bool PlaceSavedGame(board::CBoard& board, const SSavedGame& saved);

// Reads, checks and places a saved game file in one go: the six steps of a
// load. The game's type must be `expectedType` when that is given.
SSavedGameResult LoadSavedGame(std::string_view path, board::CBoard& board, std::optional<int32_t> expectedType = {});

// Whether the file can be loaded and played: readable, whole, sound, and its
// layout still there. The load page asks this before it starts a game.
bool IsUsableSavedGame(const std::string& path);

// "Saves\" followed by the name.
std::string SavedGamePath(std::string_view name);

// Writes the file for the name, making "Saves\" when it is missing, through
// an atomic replacement: a failed save leaves an older file of that name
// whole. Refuses names that would leave the folder or name none.
bool WriteSavedGame(std::string_view name, const SSavedGame& saved);

const char* DescribeSavedGameError(ESavedGameError error);

} // namespace game
