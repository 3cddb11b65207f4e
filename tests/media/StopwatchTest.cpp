// The stopwatch on a fake clock, including the wrap of the tick counter.
#include "media/Stopwatch.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(StopwatchTest, ElapsedIsTicksTimesRateAcrossTheWrap)
{
    struct Case {
        uint32_t start, advance;
        float rate;
        double units;
    } cases[] = {{0, 0, 50.0f, 0.0}, {1000, 1, 50.0f, 0.05}, {0xFFFFFF00u, 0x200, 50.0f, 25.6},
        {0xFFFFFFFFu, 1, 1000.0f, 1.0}, {123, 0x7FFFFFFF, 1.0f, 2147483.647}, {5, 3000, -10.0f, -30.0}};
    for (const Case& c : cases) {
        platform::CScopedFakeClock clock(c.start);
        CStopwatch watch;
        watch.Start(c.rate);
        clock->Advance(c.advance);
        EXPECT_NEAR(watch.Elapsed(), c.units, 1e-6 * std::max(1.0, std::abs(c.units))) << c.start << " + " << c.advance;
    }
}
