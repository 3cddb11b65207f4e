// The 7,020-byte layout file: the four cells of each of the 144 tiles and the
// three records of the layout. Decoding refuses anything that does not fit
// the board's grid, so a bad file can never reach it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace board {

inline constexpr int kLevels = 8;
inline constexpr int kRows = 16;
inline constexpr int kColumns = 32;
inline constexpr int kTileCount = 144;
inline constexpr int kCellsPerTile = 4;
inline constexpr int kRecordCount = 3;
inline constexpr size_t kTileEntryBytes = 48;
inline constexpr size_t kRecordsOffset = kTileCount * kTileEntryBytes; // 6,912
inline constexpr size_t kLayoutFileBytes = 7020;

struct SCellPosition {
    int32_t column = 0;
    int32_t row = 0;
    int32_t level = 0;
    bool operator==(const SCellPosition&) const = default;
};

struct SLayoutRecord {
    std::string holder;
    int32_t value = 0;
    bool operator==(const SLayoutRecord&) const = default;
};

// Record defaults of a new board and of a freshly compiled layout, in record
// order (Traditional ms, Vesk Style ms, Zandor missed pairs).
inline constexpr const char* kDefaultHolder = "Player";
inline constexpr std::array<int32_t, kRecordCount> kDefaultRecordValues = {900000, 60000, 25};

struct SLayoutData {
    // Per tile, its cells in the order top-left, top-right, bottom-left,
    // bottom-right.
    std::array<std::array<SCellPosition, kCellsPerTile>, kTileCount> cells{};
    std::array<SLayoutRecord, kRecordCount> records{};
};

enum class ELayoutError {
    None,
    Short, // fewer than 7,020 bytes
    OutsideGrid, // a cell with a negative column/row/level or one past the grid
    NotATileSquare, // the four cells are not a 2 x 2 square in the fixed order
};

struct SLayoutDecodeResult {
    ELayoutError error = ELayoutError::None;
    int badTile = -1; // the first tile at fault, for messages
    SLayoutData data;
    bool Ok() const { return error == ELayoutError::None; }
};

// The cells a tile with this top-left cell covers, in the fixed order.
std::array<SCellPosition, kCellsPerTile> TileCells(SCellPosition topLeft);

bool IsInsideGrid(const SCellPosition& cell);

// Decodes a layout file's bytes. Bytes past 7,020 are ignored, as the game
// reads a fixed amount. Record names are read up to their first zero.
SLayoutDecodeResult DecodeLayout(const std::vector<uint8_t>& bytes);

// Encodes exactly 7,020 bytes; name fields are zero-padded.
std::vector<uint8_t> EncodeLayout(const SLayoutData& data);

const char* DescribeLayoutError(ELayoutError error);

} // namespace board
