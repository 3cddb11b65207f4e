// What the frame loop asks of the desktop around the game's window: placing
// the window, the system pointer, and the input devices of each display mode.
// The system desktop wraps CWindow and SDL; tests use CFakeDesktop.
#pragma once

#include "platform/Input.h"
#include "platform/VideoTypes.h"

#include <cstdint>
#include <memory>

namespace platform {

class CWindow;

class IDesktop {
public:
    virtual ~IDesktop() = default;
    // The game's window, handed to the display and the input devices (may
    // be null when a test runs without one).
    virtual CWindow* Window() = 0;
    virtual void ShowMaximised() = 0;
    // Out of the "always on top" band, without moving, sizing or activating.
    virtual void SetNotTopmost() = 0;
    // The client area in screen coordinates, right and bottom exclusive.
    virtual Rect ClientRectOnScreen() = 0;
    virtual void GetCursorPosition(int32_t& x, int32_t& y) = 0;
    virtual void ShowCursor(bool show) = 0;
    // The devices the mouse and keyboard of a display mode are made from.
    virtual std::unique_ptr<IInputSystem> CreateInputSystem() = 0;
};

std::unique_ptr<IDesktop> CreateSystemDesktop(CWindow* window);

} // namespace platform

namespace platform {
// Whether there is a desktop to open a window on: SDL would otherwise fall
// back silently to a driver that shows nothing.
bool HasDesktopDisplay();
} // namespace platform
