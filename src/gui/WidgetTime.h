// Deadline tests for the widgets' timers. Every widget timer is a tick count a
// fixed window ahead of the moment it was set; comparing the time passed since
// that moment (modulo 2^32) instead of the raw tick counts keeps the timers
// right when the 32-bit millisecond counter wraps, so a button pressed just
// before the wrap is not locked for the next 49 days.
#pragma once

#include <cstdint>

namespace gui {

// True once now is later than deadline (deadline < now), for a deadline that
// was set windowMs ahead of the tick it was set at.
inline bool IsTickAfter(uint32_t now, uint32_t deadline, uint32_t windowMs)
{
    return static_cast<uint32_t>(now - (deadline - windowMs)) > windowMs;
}

// True once now has reached deadline (deadline <= now), same convention.
inline bool IsTickReached(uint32_t now, uint32_t deadline, uint32_t windowMs)
{
    return static_cast<uint32_t>(now - (deadline - windowMs)) >= windowMs;
}

// A deadline that passed just now: what a timer holds before its first use
// (a constant 0 would read as "in the future" for half of the tick range).
inline uint32_t ExpiredDeadline(uint32_t now) { return now - 1; }

} // namespace gui
