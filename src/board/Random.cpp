// The program-wide generator state.
#include "board/Random.h"

#include "board/LayoutFile.h"
#include "platform/Clock.h"

namespace board {
namespace {

uint32_t randomState = 1;

} // namespace

void SeedRandom(uint32_t seed) { randomState = seed; }

void SeedRandomFromClock() { SeedRandom(platform::GetTicks()); }

int NextRandom()
{
    // Unsigned arithmetic wraps modulo 2^32 by definition.
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7fffu);
}

int DrawRandomTile() { return NextRandom() % kTileCount; }

} // namespace board
