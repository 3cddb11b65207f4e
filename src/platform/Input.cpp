// The SDL mouse and keyboard: motion and buttons from SDL's relative mouse
// state, keys from SDL's keyboard state through the key table.
#include "platform/Input.h"

#include "platform/InputKeyCodes.h"
#include "platform/PressLatch.h"
#include "platform/Window.h"

#include <SDL.h>

#include <atomic>
#include <bitset>

namespace platform {

namespace {
std::atomic<uint64_t> eventDrains{0};
} // namespace

uint64_t EventDrainCount() { return eventDrains.load(); }

void NoteEventDrain() { ++eventDrains; }

namespace {

bool IsForeground(const CWindow* window)
{
    return window != nullptr ? window->HasInputFocus() : SDL_GetKeyboardFocus() != nullptr;
}

// The acquisition rules shared by both devices. "wanted" is set by Acquire
// and cleared by Unacquire; "acquired" is true only while the window is in the
// foreground as well.
class CAcquisition {
public:
    explicit CAcquisition(const CWindow* w)
        : window(w)
    {
    }

    // becameAcquired tells that the device was not acquired before this call.
    InputResult Acquire(bool& becameAcquired)
    {
        wanted = true;
        becameAcquired = false;
        if (!IsForeground(window)) {
            return InputResult::Denied;
        }
        becameAcquired = !acquired;
        acquired = true;
        return InputResult::Ok;
    }

    // Returns true when the device was acquired before.
    bool Unacquire()
    {
        const bool was = acquired;
        wanted = false;
        acquired = false;
        return was;
    }

    // Ok when the device may be read now. wasLost tells that it had been
    // acquired and has just lost the foreground.
    InputResult CheckRead(bool& wasLost)
    {
        wasLost = false;
        if (!wanted) {
            return InputResult::NotAcquired;
        }
        if (!IsForeground(window)) {
            wasLost = acquired;
            acquired = false;
            return InputResult::InputLost;
        }
        return acquired ? InputResult::Ok : InputResult::InputLost;
    }

private:
    const CWindow* window;
    bool wanted = false;
    bool acquired = false;
};

// Button index of a mouse press: left, right, middle, fourth.
int MouseButtonPressed(const SDL_Event& event)
{
    if (event.type != SDL_MOUSEBUTTONDOWN) {
        return -1;
    }
    switch (event.button.button) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    case SDL_BUTTON_X1:
        return 3;
    default:
        return -1;
    }
}

// Scancode of a key press; the system's key repeats are not presses.
int KeyPressed(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN || event.key.repeat != 0) {
        return -1;
    }
    return static_cast<int>(event.key.keysym.scancode);
}

class CSdlMouse final : public IMouseDevice {
public:
    CSdlMouse(const CWindow* window, MouseAccess a)
        : acquisition(window)
        , access(a)
    {
    }
    ~CSdlMouse() override { Unacquire(); }

    InputResult Acquire() override
    {
        bool becameAcquired = false;
        const InputResult result = acquisition.Acquire(becameAcquired);
        if (becameAcquired) {
            if (access == MouseAccess::Exclusive) {
                SDL_SetRelativeMouseMode(SDL_TRUE);
            }
            // Motion and presses gathered while the device was not ours do not count.
            SDL_GetRelativeMouseState(nullptr, nullptr);
            latch.Discard();
        }
        return result;
    }

    void Unacquire() override
    {
        if (acquisition.Unacquire()) {
            ReleaseExclusive();
        }
    }

    InputResult Read(MouseState& state) override
    {
        bool wasLost = false;
        const InputResult result = acquisition.CheckRead(wasLost);
        if (wasLost) {
            ReleaseExclusive();
        }
        if (result != InputResult::Ok) {
            return result;
        }
        int dx = 0;
        int dy = 0;
        const Uint32 pressed = SDL_GetRelativeMouseState(&dx, &dy);
        const std::bitset<4> tapped = latch.Take();
        state = MouseState{};
        state.dx = dx;
        state.dy = dy;
        // SDL reports the wheel only as events; the game never uses it.
        state.dz = 0;
        const Uint32 masks[4] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK, SDL_BUTTON_X1MASK};
        for (size_t i = 0; i < state.buttons.size(); ++i) {
            state.buttons[i] = (pressed & masks[i]) != 0 || tapped[i] ? kKeyDown : 0;
        }
        return InputResult::Ok;
    }

private:
    void ReleaseExclusive()
    {
        if (access == MouseAccess::Exclusive) {
            SDL_SetRelativeMouseMode(SDL_FALSE);
        }
    }

    CAcquisition acquisition;
    MouseAccess access;
    CPressLatch<4> latch{MouseButtonPressed};
};

class CSdlKeyboard final : public IKeyboardDevice {
public:
    explicit CSdlKeyboard(const CWindow* window)
        : acquisition(window)
    {
    }
    ~CSdlKeyboard() override { Unacquire(); }

    InputResult Acquire() override
    {
        bool becameAcquired = false;
        const InputResult result = acquisition.Acquire(becameAcquired);
        if (becameAcquired) {
            latch.Discard();
        }
        return result;
    }

    void Unacquire() override { acquisition.Unacquire(); }

    InputResult Read(KeyState& keys) override
    {
        bool wasLost = false;
        const InputResult result = acquisition.CheckRead(wasLost);
        if (result != InputResult::Ok) {
            return result;
        }
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        const std::bitset<SDL_NUM_SCANCODES> tapped = latch.Take();
        // Built every read: the player may switch layouts while playing, and
        // it is a table walk of a hundred keys.
        const LayoutLookup codes = BuildLayoutLookup(
            [](int scancode) { return static_cast<int32_t>(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode))); });
        keys.fill(0);
        for (const KeyMapping& mapping : KeyTable()) {
            const auto scancode = static_cast<size_t>(mapping.sdlScancode);
            if (((mapping.sdlScancode < count && state[scancode] != 0) || tapped[scancode]) && codes[scancode] != 0) {
                keys[codes[scancode]] = kKeyDown;
            }
        }
        return InputResult::Ok;
    }

    bool IsCapsLockOn() override { return (SDL_GetModState() & KMOD_CAPS) != 0; }

private:
    CAcquisition acquisition;
    CPressLatch<SDL_NUM_SCANCODES> latch{KeyPressed};
};

class CSdlInputSystem final : public IInputSystem {
public:
    std::unique_ptr<IMouseDevice> CreateMouse(const CWindow* window, MouseAccess access) override
    {
        return std::make_unique<CSdlMouse>(window, access);
    }
    std::unique_ptr<IKeyboardDevice> CreateKeyboard(const CWindow* window) override
    {
        return std::make_unique<CSdlKeyboard>(window);
    }
};

} // namespace

std::unique_ptr<IInputSystem> CreateSystemInput() { return std::make_unique<CSdlInputSystem>(); }

} // namespace platform
