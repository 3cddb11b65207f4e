// The game's one main window and the platform's event queue, cursor and
// mouse modes. The SDL window behind CWindow never shows in this header.
#pragma once

#include "platform/VideoTypes.h"

#include <memory>
#include <string>

namespace platform {

class CWindow {
public:
    // Starts the video subsystem (kept running while any window lives) and
    // opens a shown, resizable window with a client area of width x height.
    // Null when there is no video driver or the window cannot be made.
    static std::unique_ptr<CWindow> Create(const std::string& title, int32_t width, int32_t height);

    ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    void ShowMaximised();
    // Shows a 24-bit .bmp (a native path) as the window's icon, black
    // clear. False, and the icon left as it was, when the file cannot be read.
    bool SetIcon(const std::string& bmpPath);
    // Keeps the window out of the "always on top" band without moving it.
    void SetNotTopmost();
    // The client area in screen coordinates (right and bottom exclusive).
    Rect ClientRectOnScreen() const;
    bool HasInputFocus() const;
    // Whether the pointer is over this window, by its pointer events.
    bool HasMouseFocus() const;

    struct Impl;
    Impl& Internal() { return *impl; }

private:
    explicit CWindow(std::unique_ptr<Impl> implementation);
    std::unique_ptr<Impl> impl;
};

// What happened to the window since the last pump.
struct WindowEvents {
    bool closeRequested = false;
    bool focusLost = false;
    bool focusGained = false;
};

// Takes every pending event off the platform's queue. Afterwards the keyboard
// and mouse state that SDL keeps (SDL_GetKeyboardState, SDL_GetMouseState,
// SDL_GetRelativeMouseState) is current; code inside the platform layer that
// needs single events registers an SDL event watch, which sees each event as
// it is queued. Call once per frame before polling input.
WindowEvents PumpEvents();

// The platform cursor: shown or hidden, its position in screen coordinates.
// While the pointer is over one of our windows the position comes from that
// window's own pointer events, which every X server delivers; the desktop-wide
// query is used only outside, because some servers (Xvfb driven by XTEST, as
// in our tests) never update it.
void ShowSystemCursor(bool show);
void GetCursorScreenPosition(int32_t& x, int32_t& y);

// In relative mode the cursor is hidden and confined to the window and mouse
// motion arrives as deltas (SDL_GetRelativeMouseState). False if refused.
bool SetRelativeMouseMode(bool enabled);

} // namespace platform
