// Mouse and keyboard devices read as immediate states (relative motion, button
// bytes, 256 key bytes). The SDL implementation reads what the frame loop's
// event pumping has gathered. (The system pointer of the windowed mode is in
// platform/Window.h.)
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace platform {

class CWindow;

enum class InputResult {
    Ok,
    InputLost, // the window lost the foreground; the device must be acquired again
    NotAcquired, // read before the device was acquired, or after Unacquire
    Denied, // acquiring refused: another program has the foreground
};

// One read of the mouse: motion since the previous read in device units, and
// one byte per button (0x80 while down): left, right, middle, fourth.
struct MouseState {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t dz = 0;
    std::array<uint8_t, 4> buttons{};
};

using KeyState = std::array<uint8_t, 256>;

// Full screen takes the mouse for the game alone (relative mode: the system
// pointer is hidden and held); windowed mode shares it with the desktop.
enum class MouseAccess { Exclusive, Shared };

class IMouseDevice {
public:
    virtual ~IMouseDevice() = default;
    virtual InputResult Acquire() = 0;
    virtual void Unacquire() = 0;
    // Fills state only when the result is Ok.
    virtual InputResult Read(MouseState& state) = 0;
};

class IKeyboardDevice {
public:
    virtual ~IKeyboardDevice() = default;
    virtual InputResult Acquire() = 0;
    virtual void Unacquire() = 0;
    // Fills keys (indexed by the codes of InputKeyCodes.h) only when the result is Ok.
    virtual InputResult Read(KeyState& keys) = 0;
    // The Caps Lock toggle (not whether the key is held).
    virtual bool IsCapsLockOn() = 0;
};

// Creates the devices; the game keeps one per display mode.
class IInputSystem {
public:
    virtual ~IInputSystem() = default;
    virtual std::unique_ptr<IMouseDevice> CreateMouse(const CWindow* window, MouseAccess access) = 0;
    virtual std::unique_ptr<IKeyboardDevice> CreateKeyboard(const CWindow* window) = 0;
};

// The system's mouse and keyboard through SDL. A device is in the foreground
// while its window has the keyboard focus (with no window given: while any
// window of the program has it); the window must outlive its devices.
// An acquired device that is read in the background, or whose Acquire was
// refused, reports InputLost until it is acquired again, so a poll that
// re-acquires on InputLost picks the device up as soon as the window is
// active (also right after start-up, when the focus arrives a few events
// after the window was made). Only Unacquire makes reads report NotAcquired.
// A key or button pressed and released again between two reads reads as down
// once, so quick taps are not lost to the polling.
std::unique_ptr<IInputSystem> CreateSystemInput();

} // namespace platform
