// The SDL mouse and keyboard: motion and buttons from SDL's relative mouse
// state, keys from SDL's keyboard state through the key table.
#include "platform/Input.h"

#include "platform/InputKeyCodes.h"
#include "platform/Window.h"

#include <SDL.h>

namespace platform {
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
            // Motion gathered while the device was not ours does not count.
            SDL_GetRelativeMouseState(nullptr, nullptr);
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
        state = MouseState{};
        state.dx = dx;
        state.dy = dy;
        // SDL reports the wheel only as events; the game never uses it.
        state.dz = 0;
        const Uint32 masks[4] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK, SDL_BUTTON_X1MASK};
        for (size_t i = 0; i < state.buttons.size(); ++i) {
            state.buttons[i] = (pressed & masks[i]) != 0 ? kKeyDown : 0;
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
        return acquisition.Acquire(becameAcquired);
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
        keys.fill(0);
        for (const KeyMapping& mapping : KeyTable()) {
            if (mapping.sdlScancode < count && state[mapping.sdlScancode] != 0) {
                keys[mapping.keyCode] = kKeyDown;
            }
        }
        return InputResult::Ok;
    }

    bool IsCapsLockOn() override { return (SDL_GetModState() & KMOD_CAPS) != 0; }

private:
    CAcquisition acquisition;
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
