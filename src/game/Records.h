// Which result beats a layout's record: the fastest time for Traditional, the
// most time left for Vesk Style, the fewest missed pairs for Zandor. Equal
// results are never records, and neither is a Vesk Style game that ended
// out of time (a stuck end can drive its clock below zero), whatever a
// layout file holds as its record.
#pragma once

#include <cstdint>

namespace game {

// A Vesk Style clock at or below this is out of time.
inline constexpr int32_t kOutOfTimeMs = 500;

bool IsBetterResult(int32_t gameType, int32_t result, int32_t recordValue);

} // namespace game
