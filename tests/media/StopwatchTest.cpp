// The stopwatch on a fake clock, including the wrap of the tick counter.
#include "media/Stopwatch.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(StopwatchTest, ElapsedIsTicksTimesRateAcrossTheWrap)
{
    // Start tick, ticks passed, rate in units per second, units covered.
    const std::tuple<uint32_t, uint32_t, float, double> cases[] = {
        {0, 0, 50.0f, 0.0},
        {0xFFFFFFFFu, 1, 1000.0f, 1.0},
        {123, 0x7FFFFFFF, 1.0f, 2147483.647},
    };
    for (const auto& [start, advance, rate, units] : cases) {
        platform::CScopedFakeClock clock(start);
        CStopwatch watch;
        watch.Start(rate);
        clock->Advance(advance);
        EXPECT_NEAR(watch.Elapsed(), units, 1e-6 * std::max(1.0, std::abs(units))) << start << " + " << advance;
    }
}
