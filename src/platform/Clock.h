// The program's one source of time: a wrapping millisecond tick count and a
// blocking wait. Tests install a fake source so that nothing real ever waits.
#pragma once

#include <cstdint>

namespace platform {

// Replaceable time source. The default reads the monotonic system clock.
class ITickSource {
public:
    virtual ~ITickSource() = default;
    // Milliseconds since an arbitrary start, wrapping at 2^32 like the
    // system tick count.
    virtual uint32_t Ticks() = 0;
    // Blocks the calling thread for the given number of milliseconds.
    virtual void Wait(uint32_t ms) = 0;
    // Blocks for at most `ms` milliseconds, ending at once when input or a
    // window event arrives.
    virtual void WaitForInput(uint32_t ms) { Wait(ms); }
};

uint32_t GetTicks();
void WaitMs(uint32_t ms);
void WaitForInputMs(uint32_t ms);

// Installs a source (not owned; must outlive its use). nullptr restores the
// system clock. Returns the source that was installed before.
ITickSource* SetTickSource(ITickSource* source);

// A clock that moves only when told to; Wait advances it instead of sleeping.
class CFakeClock final : public ITickSource {
public:
    explicit CFakeClock(uint32_t startTicks = 0)
        : now(startTicks)
    {
    }
    uint32_t Ticks() override { return now; }
    void Wait(uint32_t ms) override { now += ms; }
    void Advance(uint32_t ms) { now += ms; }
    void Set(uint32_t ticks) { now = ticks; }

private:
    uint32_t now;
};

// Installs a fake clock for the lifetime of a scope (tests).
class CScopedFakeClock {
public:
    explicit CScopedFakeClock(uint32_t startTicks = 0)
        : clock(startTicks)
        , previous(SetTickSource(&clock))
    {
    }
    ~CScopedFakeClock() { SetTickSource(previous); }
    CScopedFakeClock(const CScopedFakeClock&) = delete;
    CScopedFakeClock& operator=(const CScopedFakeClock&) = delete;
    CFakeClock* operator->() { return &clock; }
    CFakeClock& Clock() { return clock; }

private:
    CFakeClock clock;
    ITickSource* previous;
};

} // namespace platform
