// How alike two layouts are in shape: the largest share of occupied cells
// they have in common when one is laid over the other at any shift.
#pragma once

#include "board/LayoutFile.h"

#include <vector>

namespace layout_tool {

// Two layouts may share at most this share of their cells, in percent.
inline constexpr int kMaxSharedCellsPercent = 70;

// The best shift of b over a. A shift moves every tile of b by whole cells
// (half tiles) along the columns and rows and by whole levels, each way as
// far as the grid reaches; cells moved out of the grid meet nothing.
// Mirror images and turns are different shapes and are not tried.
struct SOverlap {
    int sharedCells = 0;
    int comparedCells = 0; // the occupied cells of the smaller layout
    board::SCellPosition shift; // added to each cell of b
    // The share in percent of the smaller layout's cells (equal for two
    // layouts of 144 tiles inside the grid: 576 cells each).
    double SharePercent() const { return comparedCells == 0 ? 0.0 : 100.0 * sharedCells / comparedCells; }
    bool IsTooAlike() const { return sharedCells * 100 > kMaxSharedCellsPercent * comparedCells; }
};

// Tiles outside the grid and cells claimed twice count once or not at all,
// as the board would hold them.
SOverlap LargestOverlap(const std::vector<board::SCellPosition>& a, const std::vector<board::SCellPosition>& b);

} // namespace layout_tool
