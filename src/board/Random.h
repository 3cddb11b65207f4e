// The program's one random source: a linear congruential generator with
// 15-bit results (state = state * 214013 + 2531011 modulo 2^32, result = bits
// 16 to 30). Deals and shuffles seed it from the tick count, so two shuffles
// within the same millisecond draw the same numbers.
#pragma once

#include <cstdint>

namespace board {

inline constexpr int kRandomMax = 32767;

void SeedRandom(uint32_t seed);
// Seeds with platform::GetTicks().
void SeedRandomFromClock();
// 0..32767.
int NextRandom();
// A tile number 0..143: the next result modulo 144.
int DrawRandomTile();

} // namespace board
