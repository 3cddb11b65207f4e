// `velmora-layout solve`: deals a layout the way the game deals it, many
// times, and tells how many of those deals can be cleared.
#pragma once

#include "board/Board.h"
#include "board/LayoutFile.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace layout_tool {

// The tick count deal `index` of a run seeded with `seed` is dealt at: the
// game seeds its generator with the tick count, and consecutive ticks give
// nearly the same first draws, so the ticks are spread by a mixing function.
uint32_t DealTicks(uint64_t seed, uint64_t index);

// Stands the tiles on the board and deals them as a new game does at that
// tick count: DealFaces, Shuffle, then shuffles until a pair is available,
// all seeded by the one program-wide generator. False when refused.
bool DealAtTicks(board::CBoard& board, const std::vector<board::SCellPosition>& topLefts, uint32_t ticks);

// The 95% score interval of a share of successes among trials, as fractions.
std::pair<double, double> WilsonInterval(uint64_t successes, uint64_t trials);

// The solve command on a layout already read; options are what follows the
// layout on the command line.
int SolveLayout(const std::string& name, const std::vector<board::SCellPosition>& topLefts,
    const std::vector<std::string>& options, std::ostream& out, std::ostream& err);

} // namespace layout_tool
