// The main window on SDL, the event pump and the platform cursor.
#include "platform/Window.h"

#include "platform/VideoSdl.h"

namespace platform {

CVideoSubsystem::CVideoSubsystem()
{
    // The software framebuffer starts far quicker than an OpenGL one on
    // machines without a graphics card, and presents 800 x 600 in about 2 ms.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Losing the focus in full screen makes the game switch to windowed; a
    // minimised window would hide that.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    running = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

CVideoSubsystem::~CVideoSubsystem()
{
    if (running) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

CWindow::CWindow(std::unique_ptr<Impl> implementation)
    : impl(std::move(implementation))
{
}

CWindow::~CWindow() = default;

std::unique_ptr<CWindow> CWindow::Create(const std::string& title, int32_t width, int32_t height)
{
    auto impl = std::make_unique<Impl>();
    if (!impl->video.IsRunning()) {
        return nullptr;
    }
    impl->window.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
        SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN));
    if (!impl->window) {
        return nullptr;
    }
    return std::unique_ptr<CWindow>(new CWindow(std::move(impl)));
}

void CWindow::ShowMaximised()
{
    SDL_ShowWindow(impl->window.get());
    SDL_MaximizeWindow(impl->window.get());
}

void CWindow::SetNotTopmost() { SDL_SetWindowAlwaysOnTop(impl->window.get(), SDL_FALSE); }

Rect CWindow::ClientRectOnScreen() const
{
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(impl->window.get(), &x, &y);
    SDL_GetWindowSize(impl->window.get(), &w, &h);
    return Rect{x, y, x + w, y + h};
}

bool CWindow::HasInputFocus() const { return (SDL_GetWindowFlags(impl->window.get()) & SDL_WINDOW_INPUT_FOCUS) != 0; }

WindowEvents PumpEvents()
{
    WindowEvents events;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            events.closeRequested = true;
        } else if (event.type == SDL_WINDOWEVENT) {
            switch (event.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                events.closeRequested = true;
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                events.focusLost = true;
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                events.focusGained = true;
                break;
            default:
                break;
            }
        }
    }
    return events;
}

void ShowSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void GetCursorScreenPosition(int32_t& x, int32_t& y)
{
    int cx = 0, cy = 0;
    SDL_GetGlobalMouseState(&cx, &cy);
    x = cx;
    y = cy;
}

bool SetRelativeMouseMode(bool enabled) { return SDL_SetRelativeMouseMode(enabled ? SDL_TRUE : SDL_FALSE) == 0; }

} // namespace platform
