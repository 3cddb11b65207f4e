// The system clock behind GetTicks and WaitMs, and the switch to a test clock.
#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {

class CSystemClock final : public ITickSource {
public:
    uint32_t Ticks() override
    {
        using namespace std::chrono;
        const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        return static_cast<uint32_t>(static_cast<uint64_t>(ms));
    }
    void Wait(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

CSystemClock systemClock;
ITickSource* currentSource = &systemClock;

} // namespace

uint32_t GetTicks() { return currentSource->Ticks(); }

void WaitMs(uint32_t ms) { currentSource->Wait(ms); }

ITickSource* SetTickSource(ITickSource* source)
{
    ITickSource* previous = currentSource == &systemClock ? nullptr : currentSource;
    currentSource = source ? source : &systemClock;
    return previous;
}

} // namespace platform
