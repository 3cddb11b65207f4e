// Presents through SDL renderers: the picture is uploaded into a streaming
// texture, pre-scaled by whole factors into a target texture where the plan
// asks for it, and copied into the output with the plan's filter. The black
// bars are filled separately, so the picture's pixels are written once.
#include "platform/SdlPresenter.h"

#include <atomic>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

bool IsRendererForced(const char* kind)
{
    const char* value = SDL_getenv(kRendererVariable);
    return value != nullptr && SDL_strcasecmp(value, kind) == 0;
}

// A renderer of the given kind, with the retrace wait if the driver has one.
SdlRendererPtr MakeRenderer(SDL_Window* window, Uint32 kind, PresentPacing pacing)
{
    if (pacing == PresentPacing::VerticalSync) {
        SdlRendererPtr synced(SDL_CreateRenderer(window, -1, kind | SDL_RENDERER_PRESENTVSYNC));
        if (synced) {
            return synced;
        }
    }
    return SdlRendererPtr(SDL_CreateRenderer(window, -1, kind));
}

SDL_ScaleMode SdlScaleModeOf(ScaleFilter filter)
{
    return filter == ScaleFilter::Linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
}

SDL_Rect ToSdl(const Rect& rect) { return SDL_Rect{rect.left, rect.top, rect.Width(), rect.Height()}; }

bool HasSize(SDL_Texture* texture, Uint32 format, int width, int height)
{
    Uint32 actualFormat = 0;
    int actualWidth = 0;
    int actualHeight = 0;
    return texture != nullptr && SDL_QueryTexture(texture, &actualFormat, nullptr, &actualWidth, &actualHeight) == 0
        && actualFormat == format && actualWidth == width && actualHeight == height;
}

// Whether an OpenGL renderer draws through one of Mesa's CPU rasterisers
// (llvmpipe, softpipe, swrast), by the GL_RENDERER string of its context,
// which SDL leaves current after making the renderer.
bool RasterisesOnTheCpu(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr
        || SDL_strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) {
        return false;
    }
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    return name != nullptr && IsCpuRasteriserName(name);
}

} // namespace

bool MayUseAcceleratedRenderer()
{
    if (IsRendererForced("software")) {
        return false;
    }
    if (IsRendererForced("accelerated")) {
        return true;
    }
    // Graphics drivers show themselves as device nodes: the kernel's DRM
    // devices, or NVIDIA's own. Without one, OpenGL could only run on the CPU,
    // and making its context alone costs a CPU rasteriser about 150 ms of
    // start-up.
    std::error_code error;
    for (const char* node : {"/dev/dri", "/dev/nvidiactl"}) {
        if (std::filesystem::exists(node, error)) {
            return true;
        }
    }
    return false;
}

bool IsCpuRasteriserName(const char* glRenderer)
{
    for (const char* known : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (SDL_strstr(glRenderer, known) != nullptr) {
            return true;
        }
    }
    return false;
}

namespace {

std::atomic<bool> windowExposed{false};

bool IsWritableScreen(const SDL_Surface* screen)
{
    return screen != nullptr
        && (screen->format->format == SDL_PIXELFORMAT_RGB888 || screen->format->format == SDL_PIXELFORMAT_ARGB8888);
}

} // namespace

void NoteWindowExposed() { windowExposed = true; }

std::unique_ptr<CSdlPresenter> CSdlPresenter::Create(SDL_Window* window, PresentPacing pacing)
{
    // SDL marks every OpenGL renderer as accelerated, also one that Mesa
    // rasterises on the CPU (a machine without a graphics driver, or Xvfb).
    // There writing the window's own pixels is the faster way: measured at
    // 3840 x 2160 full screen, 61 ms a frame through OpenGL on llvmpipe
    // against 17 ms through SDL's software renderer, which in turn sends the
    // whole window every frame where the window surface sends what changed.
    if (MayUseAcceleratedRenderer()) {
        SdlRendererPtr renderer = MakeRenderer(window, SDL_RENDERER_ACCELERATED, pacing);
        if (renderer && (IsRendererForced("accelerated") || !RasterisesOnTheCpu(renderer.get()))) {
            return std::unique_ptr<CSdlPresenter>(new CSdlPresenter(window, std::move(renderer), true));
        }
    }
    if (IsWritableScreen(SDL_GetWindowSurface(window))) {
        return std::unique_ptr<CSdlPresenter>(new CSdlPresenter(window, nullptr, false));
    }
    SdlRendererPtr renderer = MakeRenderer(window, SDL_RENDERER_SOFTWARE, pacing);
    if (!renderer) {
        return nullptr;
    }
    return std::unique_ptr<CSdlPresenter>(new CSdlPresenter(window, std::move(renderer), false));
}

CSdlPresenter::CSdlPresenter(SDL_Window* sdlWindow, SdlRendererPtr sdlRenderer, bool isAccelerated)
    : window(sdlWindow)
    , renderer(std::move(sdlRenderer))
    , accelerated(isAccelerated)
{
}

void CSdlPresenter::OutputSize(int32_t& width, int32_t& height) const
{
    int w = 0;
    int h = 0;
    if (renderer) {
        if (SDL_GetRendererOutputSize(renderer.get(), &w, &h) != 0) {
            w = h = 0;
        }
    } else {
        SDL_GetWindowSizeInPixels(window, &w, &h);
    }
    width = w;
    height = h;
}

PresentScaling CSdlPresenter::Plan(const CSurface& picture) const
{
    int32_t width = 0;
    int32_t height = 0;
    OutputSize(width, height);
    PresentScaling plan = PlanPresentScaling(picture.Width(), picture.Height(), width, height, ScaleFit::KeepProportions);
    if (!accelerated) {
        plan.filter = ScaleFilter::Nearest;
        plan.preScaleX = plan.preScaleY = 1;
    }
    return plan;
}

bool CSdlPresenter::MustSendEverything(const CSurface& picture, int32_t outputWidth, int32_t outputHeight)
{
    const bool exposed = windowExposed.exchange(false);
    const bool same = outputWidth == lastOutputWidth && outputHeight == lastOutputHeight
        && picture.Width() == lastPictureWidth && picture.Height() == lastPictureHeight;
    lastOutputWidth = outputWidth;
    lastOutputHeight = outputHeight;
    lastPictureWidth = picture.Width();
    lastPictureHeight = picture.Height();
    return exposed || !same;
}

bool CSdlPresenter::Present(CSurface& picture, const std::vector<Rect>& changed)
{
    int32_t width = 0;
    int32_t height = 0;
    OutputSize(width, height);
    const bool everything = MustSendEverything(picture, width, height);
    if (!everything && changed.empty()) {
        return true;
    }
    if (!renderer) {
        return PresentIntoWindowSurface(picture, changed, everything);
    }
    return PresentThroughRenderer(picture);
}

bool CSdlPresenter::PresentIntoWindowSurface(CSurface& picture, const std::vector<Rect>& changed, bool everything)
{
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    if (!IsWritableScreen(screen)) {
        return false;
    }
    // 16- and 15-bit frames are widened first; the filter reads 32 bits.
    CSurface* source = &picture;
    if (picture.Format().bitsPerPixel != 32) {
        if (!widened || widened->Width() != picture.Width() || widened->Height() != picture.Height()) {
            widened = CSurface::Create(picture.Width(), picture.Height(), PixelFormat::ForDepth(32));
            everything = true;
        }
        if (!widened) {
            return false;
        }
        const Rect whole{0, 0, picture.Width(), picture.Height()};
        for (const Rect& part : everything ? std::vector<Rect>{whole} : changed) {
            widened->Blit(picture, part, part);
        }
        source = widened.get();
    }
    if (screen != lastScreen) {
        everything = true;
        lastScreen = screen;
    }
    const Rect destination
        = PlanPresentScaling(picture.Width(), picture.Height(), screen->w, screen->h, ScaleFit::KeepProportions)
              .destination;
    if (destination.IsEmpty()) {
        return true;
    }
    if (everything) {
        columns = MakeFilterTaps(picture.Width(), destination.Width());
        rows = MakeFilterTaps(picture.Height(), destination.Height());
    }
    std::vector<Rect> areas; // in destination pixels
    if (everything) {
        areas.push_back(Rect{0, 0, destination.Width(), destination.Height()});
    } else {
        for (const Rect& part : changed) {
            const Rect reach = FilteredReach(
                part, picture.Width(), picture.Height(), destination.Width(), destination.Height());
            if (!reach.IsEmpty()) {
                areas.push_back(reach);
            }
        }
    }
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) {
        return false;
    }
    uint8_t* origin = static_cast<uint8_t*>(screen->pixels) + static_cast<ptrdiff_t>(destination.top) * screen->pitch
        + static_cast<ptrdiff_t>(destination.left) * 4;
    for (const Rect& area : areas) {
        FilterInto(*source, columns, rows, area, origin, screen->pitch);
    }
    if (SDL_MUSTLOCK(screen)) {
        SDL_UnlockSurface(screen);
    }
    if (everything) {
        for (const Rect& bar : BarsAround(destination, screen->w, screen->h)) {
            const SDL_Rect sdlBar = ToSdl(bar);
            SDL_FillRect(screen, &sdlBar, 0);
        }
        return SDL_UpdateWindowSurface(window) == 0;
    }
    std::vector<SDL_Rect> sent;
    for (const Rect& area : areas) {
        sent.push_back(SDL_Rect{area.left + destination.left, area.top + destination.top, area.Width(), area.Height()});
    }
    return SDL_UpdateWindowSurfaceRects(window, sent.data(), static_cast<int>(sent.size())) == 0;
}

bool CSdlPresenter::PresentThroughRenderer(CSurface& picture)
{
    const PresentScaling plan = Plan(picture);
    if (!Upload(picture)) {
        return false;
    }
    SDL_Texture* source = uploaded.get();
    // Without textures to draw into, the filtered copy is made directly.
    if (plan.NeedsPreScale() && PreScale(picture, plan)) {
        source = enlarged.get();
    }
    SDL_SetTextureScaleMode(source, SdlScaleModeOf(plan.filter));

    int32_t width = 0;
    int32_t height = 0;
    OutputSize(width, height);
    std::vector<SDL_Rect> bars;
    for (const Rect& bar : BarsAround(plan.destination, width, height)) {
        bars.push_back(ToSdl(bar));
    }
    SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, SDL_ALPHA_OPAQUE);
    if (!bars.empty() && SDL_RenderFillRects(renderer.get(), bars.data(), static_cast<int>(bars.size())) != 0) {
        return false;
    }
    const SDL_Rect destination = ToSdl(plan.destination);
    if (!plan.destination.IsEmpty() && SDL_RenderCopy(renderer.get(), source, nullptr, &destination) != 0) {
        return false;
    }
    SDL_RenderPresent(renderer.get());
    return true;
}

bool CSdlPresenter::Upload(CSurface& picture)
{
    const Uint32 format = SdlFormatOf(picture.Format());
    if (!HasSize(uploaded.get(), format, picture.Width(), picture.Height())) {
        uploaded.reset(
            SDL_CreateTexture(renderer.get(), format, SDL_TEXTUREACCESS_STREAMING, picture.Width(), picture.Height()));
        if (!uploaded) {
            return false;
        }
        SDL_SetTextureBlendMode(uploaded.get(), SDL_BLENDMODE_NONE);
    }
    CSurfaceLock lock = picture.Lock();
    if (!lock.IsLocked()) {
        return false;
    }
    return SDL_UpdateTexture(uploaded.get(), nullptr, lock.Pixels(), lock.Pitch()) == 0;
}

bool CSdlPresenter::PreScale(const CSurface& picture, const PresentScaling& plan)
{
    const int width = picture.Width() * plan.preScaleX;
    const int height = picture.Height() * plan.preScaleY;
    if (!HasSize(enlarged.get(), SDL_PIXELFORMAT_RGB888, width, height)) {
        enlarged.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, width, height));
        if (!enlarged) {
            return false;
        }
        SDL_SetTextureBlendMode(enlarged.get(), SDL_BLENDMODE_NONE);
    }
    SDL_SetTextureScaleMode(uploaded.get(), SDL_ScaleModeNearest);
    if (SDL_SetRenderTarget(renderer.get(), enlarged.get()) != 0) {
        return false;
    }
    const bool copied = SDL_RenderCopy(renderer.get(), uploaded.get(), nullptr, nullptr) == 0;
    SDL_SetRenderTarget(renderer.get(), nullptr);
    return copied;
}

} // namespace platform
