// The mouse as the game reads it: the state of the last poll (motion, four
// button bytes) and the cursor position on the 800 x 600 picture, moved by the
// motion times the sensitivity and held inside the bounds.
#pragma once

#include "platform/Input.h"

#include <array>
#include <cstdint>
#include <memory>

class CMouse {
public:
    CMouse() = default;
    ~CMouse();
    CMouse(const CMouse&) = delete;
    CMouse& operator=(const CMouse&) = delete;

    // Reads the device and moves the cursor:
    //   x += trunc(dx * sensitivity), y += trunc(dy * sensitivity)
    // with the product formed in single precision and the fraction dropped at
    // every poll (never carried), then x clamped to 0..maxX and y to 0..maxY,
    // both ends included. A device that lost the input is acquired again and
    // read once more; a read that still fails counts as no motion and no
    // button down. Always returns true.
    bool Poll();

    // Takes the device again after the window was activated.
    bool Acquire();

    // The cursor stays on the pixels of a picture of this size:
    // 0..width-1 and 0..height-1.
    void SetBounds(int32_t width, int32_t height);
    int32_t MaxX() const { return maxX; }
    int32_t MaxY() const { return maxY; }

    bool IsButtonDown(size_t button) const { return button < buttons.size() && (buttons[button] & 0x80) != 0; }

    void SetDevice(std::unique_ptr<platform::IMouseDevice> newDevice);

    // The sensitivity factor for an options value (0..100): value x 0.05, but
    // never below 1.0, so 0 to 20 all give 1.0 and 100 gives 5.0.
    static float SensitivityFromOption(int32_t optionValue);

    // The last poll: motion in device units (dz is the wheel, unused) and
    // one byte per button, 0x80 while down; byte 0 is the left button, then
    // right, middle, fourth.
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t dz = 0;
    std::array<uint8_t, 4> buttons{};
    // The cursor on the picture. The windowed mode overwrites it from the
    // system pointer, so motion and sensitivity shape it in full screen only.
    int32_t x = 0;
    int32_t y = 0;
    float sensitivity = 1.0f;

private:
    platform::MouseState ReadDevice();

    std::unique_ptr<platform::IMouseDevice> device;
    int32_t maxX = 1000;
    int32_t maxY = 1000;
};
