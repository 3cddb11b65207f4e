// The main window on SDL, the event pump and the platform cursor.
#include "platform/Window.h"
#include "platform/PressLatch.h"
#include "platform/SdlPresenter.h"

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
    // When the display cannot be opened SDL moves on to a driver that draws
    // nowhere; a player would be left with a game running without a window.
    // Those drivers are used only when asked for by name (the tests do).
    if (running && !IsVideoDriverAcceptable(SDL_GetCurrentVideoDriver(), SDL_getenv("SDL_VIDEODRIVER"))) {
        SDL_SetError("the display could not be opened");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        running = false;
    }
}

bool IsVideoDriverAcceptable(const char* current, const char* requested)
{
    if (current == nullptr) {
        return false;
    }
    const std::string name = current;
    if (name != "offscreen" && name != "dummy") {
        return true;
    }
    return requested != nullptr && std::string(requested).find(name) != std::string::npos;
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
    // Made for OpenGL from the start where the accelerated renderer may be
    // used: otherwise SDL re-creates the X window when that renderer is made,
    // which costs start-up time and every first frame after a mode switch.
    const Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN;
    if (MayUseAcceleratedRenderer()) {
        impl->window.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
            height, flags | SDL_WINDOW_OPENGL));
    }
    if (!impl->window) {
        impl->window.reset(
            SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags));
    }
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

bool CWindow::SetIcon(const std::string& bmpPath)
{
    SdlSurfacePtr loaded(SDL_LoadBMP(bmpPath.c_str()));
    if (!loaded || loaded->w <= 0 || loaded->h <= 0) {
        return false;
    }
    SdlSurfacePtr icon(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!icon || SDL_LockSurface(icon.get()) != 0) {
        return false;
    }
    // Black is clear, as in every other bitmap of the game.
    for (int y = 0; y < icon->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(icon->pixels) + y * icon->pitch);
        for (int x = 0; x < icon->w; ++x) {
            row[x] = (row[x] & 0x00ffffffu) == 0 ? 0 : (row[x] | 0xff000000u);
        }
    }
    SDL_UnlockSurface(icon.get());
    SDL_SetWindowIcon(impl->window.get(), icon.get());
    return true;
}

void CWindow::SetNotTopmost() { SDL_SetWindowAlwaysOnTop(impl->window.get(), SDL_FALSE); }

Rect CWindow::ClientRectOnScreen() const
{
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(impl->window.get(), &x, &y);
    SDL_GetWindowSize(impl->window.get(), &w, &h);
    return Rect{x, y, x + w, y + h};
}

bool CWindow::HasMouseFocus() const { return SDL_GetMouseFocus() == impl->window.get(); }

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
    NoteEventDrain();
    return events;
}

void ShowSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void GetCursorScreenPosition(int32_t& x, int32_t& y)
{
    int cx = 0, cy = 0;
    if (SDL_Window* focus = SDL_GetMouseFocus()) {
        int wx = 0, wy = 0;
        SDL_GetMouseState(&cx, &cy);
        SDL_GetWindowPosition(focus, &wx, &wy);
        cx += wx;
        cy += wy;
    } else {
        SDL_GetGlobalMouseState(&cx, &cy);
    }
    x = cx;
    y = cy;
}


bool SetRelativeMouseMode(bool enabled) { return SDL_SetRelativeMouseMode(enabled ? SDL_TRUE : SDL_FALSE) == 0; }

} // namespace platform
