// The record comparison of the three game types.
#include "game/Records.h"

#include "board/Board.h"

namespace game {

bool IsBetterResult(int32_t gameType, int32_t result, int32_t recordValue)
{
    if (gameType == board::kGameTypeVeskStyle) {
        return result > kOutOfTimeMs && result > recordValue;
    }
    return result < recordValue;
}

} // namespace game
