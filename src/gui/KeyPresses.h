// Which keys went down since the last frame. The keyboard is read as levels
// (twice a frame, by the framework); a screen that acts once per press keeps
// one of these and feeds it the keyboard once a frame, whatever it then does
// with the presses, so that a key held across a pause or a dialog is never
// taken for a new press.
#pragma once

#include "media/Keyboard.h"
#include "platform/InputKeyCodes.h"

namespace gui {

class CKeyPresses {
public:
    // The keys now down become the last frame's; nothing is a press.
    void Reset(const CKeyboard* keyboard)
    {
        Update(keyboard);
        previous = current;
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
    }

    bool WasPressed(int keyCode) const { return IsDown(keyCode) && !WasDown(keyCode); }
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
};

} // namespace gui
