// Scriptable stand-ins for the mouse and keyboard devices, for tests that
// drive the input objects without a window: motion, buttons, keys, the
// foreground, and forced read or acquire failures.
#pragma once

#include "platform/Input.h"

#include <deque>
#include <memory>

namespace platform {

// What a fake device acquires and reads, shared by the test and the device.
// A device follows the same acquisition rules as the system devices: reads
// report InputLost while the window is in the background and until the device
// is acquired again, NotAcquired before Acquire or after Unacquire.
struct FakeDeviceControl {
    bool foreground = true;
    std::deque<InputResult> forcedReads; // results of the next reads, front first
    std::deque<InputResult> forcedAcquires; // results of the next acquires, front first
    bool wanted = false;
    bool acquired = false;
    int acquireCalls = 0;
    int readCalls = 0;
    bool released = false;

    InputResult Acquire()
    {
        ++acquireCalls;
        wanted = true;
        InputResult result = foreground ? InputResult::Ok : InputResult::Denied;
        if (!forcedAcquires.empty()) {
            result = forcedAcquires.front();
            forcedAcquires.pop_front();
        }
        acquired = result == InputResult::Ok;
        return result;
    }

    void Unacquire()
    {
        wanted = false;
        acquired = false;
    }

    // Ok when the read may deliver the state.
    InputResult BeginRead()
    {
        ++readCalls;
        if (!forcedReads.empty()) {
            const InputResult forced = forcedReads.front();
            forcedReads.pop_front();
            if (forced != InputResult::Ok) {
                acquired = acquired && forced != InputResult::InputLost;
                return forced;
            }
        }
        if (!wanted) {
            return InputResult::NotAcquired;
        }
        if (!foreground) {
            acquired = false;
        }
        return acquired ? InputResult::Ok : InputResult::InputLost;
    }
};

struct FakeMouseControl : FakeDeviceControl {
    MouseAccess access = MouseAccess::Shared;
    MouseState pending; // motion gathers until a read takes it; buttons stay as set

    void Move(int32_t dx, int32_t dy, int32_t dz = 0)
    {
        pending.dx += dx;
        pending.dy += dy;
        pending.dz += dz;
    }
    void SetButton(size_t button, bool down) { pending.buttons.at(button) = down ? 0x80 : 0; }
};

struct FakeKeyboardControl : FakeDeviceControl {
    KeyState keys{};
    bool capsLock = false;

    void SetKey(uint8_t code, bool down) { keys[code] = down ? 0x80 : 0; }
};

class CFakeMouseDevice final : public IMouseDevice {
public:
    explicit CFakeMouseDevice(std::shared_ptr<FakeMouseControl> c)
        : control(std::move(c))
    {
    }
    ~CFakeMouseDevice() override { control->released = true; }
    InputResult Acquire() override { return control->Acquire(); }
    void Unacquire() override { control->Unacquire(); }
    InputResult Read(MouseState& state) override
    {
        const InputResult result = control->BeginRead();
        if (result == InputResult::Ok) {
            state = control->pending;
            control->pending.dx = 0;
            control->pending.dy = 0;
            control->pending.dz = 0;
        }
        return result;
    }

private:
    std::shared_ptr<FakeMouseControl> control;
};

class CFakeKeyboardDevice final : public IKeyboardDevice {
public:
    explicit CFakeKeyboardDevice(std::shared_ptr<FakeKeyboardControl> c)
        : control(std::move(c))
    {
    }
    ~CFakeKeyboardDevice() override { control->released = true; }
    InputResult Acquire() override { return control->Acquire(); }
    void Unacquire() override { control->Unacquire(); }
    InputResult Read(KeyState& keys) override
    {
        const InputResult result = control->BeginRead();
        if (result == InputResult::Ok) {
            keys = control->keys;
        }
        return result;
    }
    bool IsCapsLockOn() override { return control->capsLock; }

private:
    std::shared_ptr<FakeKeyboardControl> control;
};

// Hands out fake devices wired to its two controls. Keep the controls (they
// are shared) to script the devices after the system has been given away.
class CFakeInputSystem final : public IInputSystem {
public:
    std::shared_ptr<FakeMouseControl> mouse = std::make_shared<FakeMouseControl>();
    std::shared_ptr<FakeKeyboardControl> keyboard = std::make_shared<FakeKeyboardControl>();

    std::unique_ptr<IMouseDevice> CreateMouse(const CWindow*, MouseAccess access) override
    {
        mouse->access = access;
        mouse->released = false;
        return std::make_unique<CFakeMouseDevice>(mouse);
    }
    std::unique_ptr<IKeyboardDevice> CreateKeyboard(const CWindow*) override
    {
        keyboard->released = false;
        return std::make_unique<CFakeKeyboardDevice>(keyboard);
    }
};

} // namespace platform
