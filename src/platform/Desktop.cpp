// The desktop of a real window: SDL's window calls and system pointer.
#include "platform/Desktop.h"

#include "platform/Window.h"

#include <cstdlib>

namespace platform {

namespace {

class CSystemDesktop final : public IDesktop {
public:
    explicit CSystemDesktop(CWindow* gameWindow)
        : window(gameWindow)
    {
    }
    CWindow* Window() override { return window; }
    void ShowMaximised() override
    {
        if (window) {
            window->ShowMaximised();
        }
    }
    void SetNotTopmost() override
    {
        if (window) {
            window->SetNotTopmost();
        }
    }
    Rect ClientRectOnScreen() override { return window ? window->ClientRectOnScreen() : Rect{}; }
    void GetCursorPosition(int32_t& x, int32_t& y) override
    {
        GetCursorScreenPosition(x, y);
        // A pointer that is not over the window is outside its client area,
        // whatever a stale desktop-wide position says.
        if (window && !window->HasMouseFocus()) {
            const Rect client = window->ClientRectOnScreen();
            if (client.left <= x && x < client.right && client.top <= y && y < client.bottom) {
                x = client.left - 1;
            }
        }
    }
    void ShowCursor(bool show) override { ShowSystemCursor(show); }
    std::unique_ptr<IInputSystem> CreateInputSystem() override { return CreateSystemInput(); }

private:
    CWindow* window;
};

} // namespace

std::unique_ptr<IDesktop> CreateSystemDesktop(CWindow* window) { return std::make_unique<CSystemDesktop>(window); }

} // namespace platform

namespace platform {

bool HasDesktopDisplay()
{
    auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && value[0] != '\0';
    };
    return isSet("SDL_VIDEODRIVER") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

} // namespace platform
