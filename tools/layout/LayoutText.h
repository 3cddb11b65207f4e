// The text form of a layout, the one people draw and read: a name, the three
// records, and each level as a 32 x 16 grid of half-tile cells on which a tile
// is drawn as "+-" above "|_". Parsing reports every fault with its line;
// printing gives text that parses back to the same tiles in the same order.
#pragma once

#include "board/LayoutFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace board {

// The drawing of one tile: its four cells in the order top-left, top-right,
// bottom-left, bottom-right.
inline constexpr char kTextTopLeft = '+';
inline constexpr char kTextTopRight = '-';
inline constexpr char kTextBottomLeft = '|';
inline constexpr char kTextBottomRight = '_';
inline constexpr char kTextEmpty = '.';

// A tile as the text states it: its top-left cell and the line that drew or
// listed it (1-based).
struct STextTile {
    SCellPosition topLeft;
    int line = 0;
};

struct STextProblem {
    int line = 0; // 1-based; 0 when the fault is not on one line
    std::string message;
};

struct SLayoutText {
    std::string name;
    int nameLine = 0;
    // In tile-number order: the order section's order when there is one,
    // otherwise the canonical order (level, then row, then column).
    std::vector<STextTile> tiles;
    std::array<SLayoutRecord, kRecordCount> records;
    std::vector<STextProblem> problems;
    bool Ok() const { return problems.empty(); }
};

// The records a layout gets when its text states none.
std::array<SLayoutRecord, kRecordCount> DefaultRecords();

// Never fails: faults are collected in problems, and whatever could be read
// is kept so that a checker can say more.
SLayoutText ParseLayoutText(std::string_view text);

// The binary layout for a parsed text; nothing unless the text parsed cleanly
// and holds exactly 144 tiles whose cells all lie inside the grid.
std::optional<SLayoutData> ToLayoutData(const SLayoutText& layout);

// Parse and convert in one step (for tests and tools that build layouts).
std::optional<SLayoutData> CompileLayoutText(std::string_view text);

// The text form of a layout. Tiles that cannot be drawn because they share
// cells with another tile are listed as "tile" lines; when the file's tile
// order is not the canonical one, an order section keeps it.
std::string PrintLayoutText(const SLayoutData& data, std::string_view name);

// The top-left cell of each tile, in tile order.
std::vector<SCellPosition> TopLeftCells(const SLayoutData& data);

// Level, then row, then column.
bool IsBeforeInCanonicalOrder(const SCellPosition& a, const SCellPosition& b);

} // namespace board
