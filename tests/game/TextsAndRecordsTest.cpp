// The status line's time form and which results are records. (The lines
// built from it are checked as each game screen shows them.)
#include "game/GameTexts.h"
#include "game/Records.h"

#include <gtest/gtest.h>

namespace {

TEST(GameTexts, TimesAreMinutesAndWholeSecondsWithTheLeadingZeroBelowTen)
{
    const std::pair<int32_t, const char*> cases[] = {{0, "0:00"}, {999, "0:00"}, {9999, "0:09"}, {10000, "0:10"},
        {59999, "0:59"}, {60000, "1:00"}, {61000, "1:01"}, {900000, "15:00"}, {3601000, "60:01"}};
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(game::FormatMinutesSeconds(ms), text) << ms;
    }
}

TEST(Records, BetterIsFasterMoreTimeLeftOrFewerMissedAndNeverEqual)
{
    // Game type, result, record, whether the result is better.
    const std::tuple<int32_t, int32_t, int32_t, bool> cases[] = {
        {1, 899999, 900000, true}, {1, 900000, 900000, false}, {1, 900001, 900000, false}, {2, 60001, 60000, true},
        {2, 60000, 60000, false}, {2, 59999, 60000, false},
        // Out of time is never a record, whatever a layout file holds.
        {2, 500, -1000, false}, {2, -20000, -30000, false}, {2, 501, 0, true}, {3, 24, 25, true}, {3, 25, 25, false},
        {0, 24, 25, true}, // other codes compare as Zandor
    };
    for (const auto& [type, result, record, better] : cases) {
        EXPECT_EQ(game::IsBetterResult(type, result, record), better) << type << " " << result << " vs " << record;
    }
}

} // namespace
