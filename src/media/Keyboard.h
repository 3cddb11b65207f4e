// The keyboard as the game reads it: the 256 key bytes of the last poll,
// indexed by the key codes of platform/InputKeyCodes.h (0x80 while down).
#pragma once

#include "platform/Input.h"
#include "platform/InputKeyCodes.h"

#include <cstdint>
#include <memory>

class CKeyboard {
public:
    CKeyboard() = default;
    ~CKeyboard();
    CKeyboard(const CKeyboard&) = delete;
    CKeyboard& operator=(const CKeyboard&) = delete;

    // Reads the 256 key bytes. A device that lost the input is acquired once
    // more; after any failure it is read a second time. When that read fails
    // as well (the window is in the background) every key reads as up, so no
    // key stays held while the game cannot see it being released. Always
    // returns true.
    bool Poll();

    // Takes the device again after the window was activated.
    bool Acquire();

    // True while the key's byte has its high bit set; codes outside 0..255
    // are never down.
    bool IsKeyDown(int keyCode) const;

    // The Caps Lock toggle state (on or off, not whether the key is held).
    bool IsCapsLockOn() const;

    void SetDevice(std::unique_ptr<platform::IKeyboardDevice> newDevice);

    platform::KeyState keys{};

private:
    std::unique_ptr<platform::IKeyboardDevice> device;
};
