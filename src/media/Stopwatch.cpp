// Units moved since a start tick at a fixed rate.
#include "media/Stopwatch.h"

#include "platform/Clock.h"

void CStopwatch::Start(float unitsPerSecond)
{
    startTick = platform::GetTicks();
    rate = unitsPerSecond;
}

double CStopwatch::Elapsed() const
{
    const uint32_t now = platform::GetTicks();
    if (now == startTick) {
        return 0.0;
    }
    // Unsigned subtraction: right across the wrap of the tick counter.
    const uint32_t elapsedMs = now - startTick;
    return static_cast<double>(elapsedMs) * rate * 0.001;
}
