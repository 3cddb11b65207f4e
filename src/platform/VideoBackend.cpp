// The SDL video backend. Full screen is a desktop-sized full-screen window
// (the "display mode" is the picture's size and the depth of the back
// surface); windowed, an ordinary window. In both the picture keeps its shape,
// centred with black around it, and presents go through CSdlPresenter:
// accelerated where the system can, else straight into the window's pixels.
#include "platform/VideoBackend.h"

#include "platform/Clock.h"
#include "platform/SdlPresenter.h"
#include "platform/VideoSdl.h"

#include <cmath>
#include <optional>

namespace platform {
namespace {

VideoBackendFactory& InstalledFactory()
{
    static VideoBackendFactory factory;
    return factory;
}

constexpr int32_t kDefaultRefreshHz = 60;
// A flip waits for at most this share of a refresh period after the previous
// one, so that a renderer with a real retrace wait is never slowed further.
constexpr double kPacingShare = 0.9;

int32_t RefreshRateOf(SDL_Window* window)
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &mode) == 0 && mode.refresh_rate > 0) {
        return mode.refresh_rate;
    }
    return kDefaultRefreshHz;
}

// Full screen: the mode's picture scaled into the screen with black bars.
class CSdlFlipChain final : public IPrimarySurface {
public:
    CSdlFlipChain(SDL_Window* sdlWindow, const DisplayMode& displayMode, const PixelFormat& pixelFormat)
        : window(sdlWindow)
        , mode(displayMode)
        , format(pixelFormat)
    {
        presenter = CSdlPresenter::Create(window, PresentPacing::VerticalSync);
        back = CSurface::Create(mode.width, mode.height, format);
        periodMs = 1000.0 / RefreshRateOf(window);
    }

    bool IsValid() const { return presenter && back; }
    int32_t Width() const override { return mode.width; }
    int32_t Height() const override { return mode.height; }
    PixelFormat Format() const override { return format; }
    std::shared_ptr<CSurface> AttachedBackBuffer() override { return back; }

    void OutputSize(int32_t& width, int32_t& height) const override { presenter->OutputSize(width, height); }

    bool Flip(const PresentedFrame& frame) override
    {
        if (!frame.picture || !presenter->Present(*frame.picture, frame.changed)) {
            return false;
        }
        Pace();
        return true;
    }

    bool PresentInWindow(const PresentedFrame&) override { return false; }
    bool IsAccelerated() const override { return presenter->IsAccelerated(); }

private:
    // Keeps flips at most one per refresh period when the renderer does not
    // wait for the retrace itself (no vertical sync on this display).
    void Pace()
    {
        const uint32_t now = GetTicks();
        if (hasFlipped) {
            const uint32_t elapsed = now - lastFlipTick;
            const double least = periodMs * kPacingShare;
            if (elapsed < least) {
                WaitMs(static_cast<uint32_t>(std::ceil(least - elapsed)));
            }
        }
        hasFlipped = true;
        lastFlipTick = GetTicks();
    }

    SDL_Window* window;
    DisplayMode mode;
    PixelFormat format;
    std::unique_ptr<CSdlPresenter> presenter;
    std::shared_ptr<CSurface> back;
    double periodMs = 1000.0 / kDefaultRefreshHz;
    bool hasFlipped = false;
    uint32_t lastFlipTick = 0;
};

// Windowed: the desktop, into whose window client area pictures are copied.
class CSdlScreen final : public IPrimarySurface {
public:
    CSdlScreen(SDL_Window* sdlWindow, const DisplayMode& desktopMode, const PixelFormat& pixelFormat)
        : desktop(desktopMode)
        , format(pixelFormat)
    {
        presenter = CSdlPresenter::Create(sdlWindow, PresentPacing::Free);
    }

    bool IsValid() const { return presenter != nullptr; }
    int32_t Width() const override { return desktop.width; }
    int32_t Height() const override { return desktop.height; }
    PixelFormat Format() const override { return format; }
    std::shared_ptr<CSurface> AttachedBackBuffer() override { return nullptr; }
    void OutputSize(int32_t& width, int32_t& height) const override { presenter->OutputSize(width, height); }
    bool Flip(const PresentedFrame&) override { return false; }

    bool PresentInWindow(const PresentedFrame& frame) override
    {
        return frame.picture && presenter->Present(*frame.picture, frame.changed);
    }

    bool IsAccelerated() const override { return presenter->IsAccelerated(); }

private:
    DisplayMode desktop;
    PixelFormat format;
    std::unique_ptr<CSdlPresenter> presenter;
};

class CSdlVideoBackend final : public IVideoBackend {
public:
    explicit CSdlVideoBackend(CWindow& gameWindow)
        : window(gameWindow.Internal().window.get())
    {
    }

    // Releasing the backend ends exclusive use of the screen, as it would
    // with any display driver: the window leaves full screen.
    ~CSdlVideoBackend() override
    {
        if (exclusive) {
            SDL_SetWindowFullscreen(window, 0);
        }
    }

    bool SetCooperativeLevel(CooperativeLevel level) override
    {
        if (level == CooperativeLevel::ExclusiveFullScreen) {
            exclusive = SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
            return exclusive;
        }
        exclusive = false;
        modeSet.reset();
        if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            return SDL_SetWindowFullscreen(window, 0) == 0;
        }
        return true;
    }

    bool GetDisplayMode(DisplayMode& mode) override
    {
        if (modeSet) {
            mode = *modeSet;
            return true;
        }
        return GetDesktop(mode);
    }

    bool SetDisplayMode(const DisplayMode& mode) override
    {
        const bool depthKnown = mode.bitsPerPixel == 32 || mode.bitsPerPixel == 16 || mode.bitsPerPixel == 15;
        if (!exclusive || !depthKnown || mode.width <= 0 || mode.height <= 0) {
            return false;
        }
        modeSet = mode;
        return true;
    }

    bool RestoreDisplayMode() override
    {
        modeSet.reset();
        return true;
    }

    std::unique_ptr<IPrimarySurface> CreatePrimarySurface(PrimaryKind kind) override
    {
        DisplayMode mode;
        if (!GetDisplayMode(mode)) {
            return nullptr;
        }
        if (kind == PrimaryKind::FlipChain) {
            if (!exclusive) {
                return nullptr;
            }
            auto chain = std::make_unique<CSdlFlipChain>(window, mode, CurrentFormat());
            return chain->IsValid() ? std::move(chain) : nullptr;
        }
        auto screen = std::make_unique<CSdlScreen>(window, mode, CurrentFormat());
        return screen->IsValid() ? std::move(screen) : nullptr;
    }

    std::unique_ptr<CSurface> CreateSurface(int32_t width, int32_t height) override
    {
        return CSurface::Create(width, height, CurrentFormat());
    }

    std::unique_ptr<CClipper> CreateClipper() override { return std::make_unique<CClipper>(); }

private:
    bool GetDesktop(DisplayMode& mode) const
    {
        SDL_DisplayMode desktop{};
        if (SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) != 0) {
            return false;
        }
        mode = DisplayMode{desktop.w, desktop.h, FormatOfSdl(desktop.format).bitsPerPixel};
        return true;
    }

    PixelFormat CurrentFormat() const
    {
        if (modeSet) {
            return PixelFormat::ForDepth(modeSet->bitsPerPixel);
        }
        DisplayMode desktop;
        return PixelFormat::ForDepth(GetDesktop(desktop) ? desktop.bitsPerPixel : 32);
    }

    SDL_Window* window;
    bool exclusive = false;
    std::optional<DisplayMode> modeSet;
};

} // namespace

bool CClipper::SetClipList(const RegionData& region)
{
    const int32_t count = static_cast<int32_t>(region.rects.size());
    if (region.headerSize != RegionData::kHeaderSize || region.type != RegionData::kTypeRectangles
        || region.count != count || region.regionSize != count * 16) {
        return false;
    }
    for (const Rect& rect : region.rects) {
        if (rect.left < region.bounds.left || rect.top < region.bounds.top || rect.right > region.bounds.right
            || rect.bottom > region.bounds.bottom) {
            return false;
        }
    }
    rects = region.rects;
    hasList = true;
    return true;
}

bool CClipper::AttachTo(CSurface& surface) const
{
    if (!hasList) {
        return false;
    }
    surface.SetClipRects(rects);
    return true;
}

std::unique_ptr<IVideoBackend> CreateVideoBackend(CWindow* window)
{
    if (InstalledFactory()) {
        return InstalledFactory()(window);
    }
    if (!window) {
        return nullptr;
    }
    return std::make_unique<CSdlVideoBackend>(*window);
}

VideoBackendFactory SetVideoBackendFactory(VideoBackendFactory factory)
{
    VideoBackendFactory previous = std::move(InstalledFactory());
    InstalledFactory() = std::move(factory);
    return previous;
}

} // namespace platform
