// Which keys went down since the last frame. The keyboard is read as levels
// (twice a frame, by the framework); a screen that acts once per press keeps
// one of these and feeds it the keyboard once a frame, whatever it then does
// with the presses, so that a key held across a pause or a dialog is never
// taken for a new press. A key pressed and held repeats, as on the desktop,
// for the keys that step through something (the arrows).
#pragma once

#include "media/Keyboard.h"
#include "platform/Clock.h"
#include "platform/InputKeyCodes.h"

#include <array>
#include <cstdint>

namespace gui {

class CKeyPresses {
public:
    // The keys now down become the last frame's; nothing is a press.
    void Reset(const CKeyboard* keyboard)
    {
        Update(keyboard);
        previous = current;
        repeating.fill(false);
        repeated.fill(false);
    }
    // Once a frame; without a keyboard every key reads as up.
    void Update(const CKeyboard* keyboard)
    {
        previous = current;
        if (keyboard) {
            current = keyboard->keys;
        } else {
            current.fill(0);
        }
        const uint32_t now = platform::GetTicks();
        for (size_t key = 0; key < current.size(); ++key) {
            repeated[key] = false;
            const bool down = (current[key] & platform::kKeyDown) != 0;
            const bool wasDown = (previous[key] & platform::kKeyDown) != 0;
            if (down && !wasDown) {
                repeating[key] = true;
                nextRepeat[key] = now + kRepeatDelayMs;
            } else if (!down) {
                repeating[key] = false;
            } else if (repeating[key] && static_cast<int32_t>(now - nextRepeat[key]) >= 0) {
                repeated[key] = true;
                nextRepeat[key] = now + kRepeatEveryMs;
            }
        }
    }

    // Held this long after its press, a key repeats this often.
    static constexpr uint32_t kRepeatDelayMs = 400;
    static constexpr uint32_t kRepeatEveryMs = 80;

    bool WasPressed(int keyCode) const { return IsDown(keyCode) && !WasDown(keyCode); }
    // A press, or a repeat of a key held since its press.
    bool WasPressedOrRepeated(int keyCode) const { return WasPressed(keyCode) || repeated[Index(keyCode)]; }
    bool IsDown(int keyCode) const { return (current[Index(keyCode)] & platform::kKeyDown) != 0; }
    bool IsControlDown() const { return IsDown(DIK_LCONTROL) || IsDown(DIK_RCONTROL); }
    bool IsShiftDown() const { return IsDown(DIK_LSHIFT) || IsDown(DIK_RSHIFT); }
    // Enter on the main block or the keypad.
    bool WasEnterPressed() const { return WasPressed(DIK_RETURN) || WasPressed(DIK_NUMPADENTER); }

private:
    bool WasDown(int keyCode) const { return (previous[Index(keyCode)] & platform::kKeyDown) != 0; }
    static size_t Index(int keyCode) { return static_cast<size_t>(keyCode) & 0xFF; }

    platform::KeyState current{};
    platform::KeyState previous{};
    std::array<bool, 256> repeating{}; // held since a press seen here
    std::array<bool, 256> repeated{}; // repeats this frame
    std::array<uint32_t, 256> nextRepeat{};
};

} // namespace gui
