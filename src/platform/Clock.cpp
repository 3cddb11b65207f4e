// The system clock behind GetTicks and WaitMs, and the switch to a test clock.
#include "platform/Clock.h"

#include <SDL.h>

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
    void WaitForInput(uint32_t ms) override
    {
        // The event stays queued for the event pump and the input devices.
        if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
            SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
        } else {
            Wait(ms);
        }
    }
};

CSystemClock systemClock;
ITickSource* currentSource = &systemClock;

} // namespace

uint32_t GetTicks() { return currentSource->Ticks(); }

void WaitMs(uint32_t ms) { currentSource->Wait(ms); }

void WaitForInputMs(uint32_t ms) { currentSource->WaitForInput(ms); }

ITickSource* SetTickSource(ITickSource* source)
{
    ITickSource* previous = currentSource == &systemClock ? nullptr : currentSource;
    currentSource = source ? source : &systemClock;
    return previous;
}

} // namespace platform
