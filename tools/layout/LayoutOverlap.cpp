// The overlap search works on bit rows: each level's row of 32 cells is one
// 32-bit word, so a shift along the columns is a bit shift and the cells two
// rows share are the set bits of their AND.
#include "LayoutOverlap.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace layout_tool {
namespace {

using board::kColumns;
using board::kLevels;
using board::kRows;

static_assert(kColumns == 32, "one row of cells is one 32-bit word");

using COccupancy = std::array<std::array<uint32_t, kRows>, kLevels>;

COccupancy Occupancy(const std::vector<board::SCellPosition>& topLefts)
{
    COccupancy rows{};
    for (const auto& topLeft : topLefts) {
        for (const auto& cell : board::TileCells(topLeft)) {
            if (board::IsInsideGrid(cell)) {
                rows[cell.level][cell.row] |= uint32_t{1} << cell.column;
            }
        }
    }
    return rows;
}

int CountCells(const COccupancy& rows)
{
    int count = 0;
    for (const auto& level : rows) {
        for (const uint32_t row : level) {
            count += std::popcount(row);
        }
    }
    return count;
}

uint32_t ShiftColumns(uint32_t row, int columns)
{
    return columns >= 0 ? static_cast<uint32_t>(uint64_t{row} << columns) : row >> -columns;
}

// The rows of a and b that meet when b is moved by levels and rows; calls
// visit(rowOfA, rowOfB) for each such pair.
template <typename FVisit>
void ForEachMeetingRow(const COccupancy& a, const COccupancy& b, int levels, int rows, FVisit visit)
{
    for (int z = std::max(0, levels); z < std::min(kLevels, kLevels + levels); ++z) {
        for (int r = std::max(0, rows); r < std::min(kRows, kRows + rows); ++r) {
            visit(a[z][r], b[z - levels][r - rows]);
        }
    }
}

} // namespace

SOverlap LargestOverlap(const std::vector<board::SCellPosition>& a, const std::vector<board::SCellPosition>& b)
{
    const COccupancy rowsA = Occupancy(a);
    const COccupancy rowsB = Occupancy(b);
    SOverlap best;
    best.comparedCells = std::min(CountCells(rowsA), CountCells(rowsB));

    // No column shift can share more than the smaller row of each pair of
    // rows that meet, so each shift of levels and rows has a bound; trying
    // them from the highest bound down, the search ends at the first bound
    // that cannot beat the best found.
    struct SCandidate {
        int bound = 0;
        int levels = 0;
        int rows = 0;
    };
    std::vector<SCandidate> candidates;
    for (int levels = 1 - kLevels; levels < kLevels; ++levels) {
        for (int rows = 1 - kRows; rows < kRows; ++rows) {
            SCandidate candidate{0, levels, rows};
            ForEachMeetingRow(rowsA, rowsB, levels, rows, [&](uint32_t rowA, uint32_t rowB) {
                candidate.bound += std::min(std::popcount(rowA), std::popcount(rowB));
            });
            if (candidate.bound > 0) {
                candidates.push_back(candidate);
            }
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
        [](const SCandidate& x, const SCandidate& y) { return x.bound > y.bound; });
    std::vector<std::pair<uint32_t, uint32_t>> meeting; // the occupied rows that meet
    for (const SCandidate& candidate : candidates) {
        if (candidate.bound <= best.sharedCells) {
            break;
        }
        meeting.clear();
        ForEachMeetingRow(rowsA, rowsB, candidate.levels, candidate.rows, [&](uint32_t rowA, uint32_t rowB) {
            if (rowA != 0 && rowB != 0) {
                meeting.emplace_back(rowA, rowB);
            }
        });
        for (int columns = 1 - kColumns; columns < kColumns; ++columns) {
            int shared = 0;
            for (const auto& [rowA, rowB] : meeting) {
                shared += std::popcount(rowA & ShiftColumns(rowB, columns));
            }
            if (shared > best.sharedCells) {
                best.sharedCells = shared;
                best.shift = {columns, candidate.rows, candidate.levels};
            }
        }
    }
    return best;
}

} // namespace layout_tool
