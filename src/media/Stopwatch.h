// Time-based motion: units moved since Start at a given rate, read through the
// platform tick count (so a fake clock drives it in tests).
#pragma once

#include <cstdint>

class CStopwatch {
public:
    // Remembers the current tick count and the rate in units per second.
    void Start(float unitsPerSecond);
    // Units covered since Start: 0 while the tick count has not moved, else
    // (now - startTick) x rate / 1000, the difference taken modulo 2^32 so
    // that it stays right when the tick counter wraps.
    double Elapsed() const;

private:
    uint32_t startTick = 0;
    float rate = 0.0f;
};
