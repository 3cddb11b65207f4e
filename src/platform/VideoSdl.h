// Inside the platform layer only: the SDL objects behind CSurface and CWindow,
// and the owners that free them.
#pragma once

#include "platform/Surface.h"
#include "platform/Window.h"

#include <SDL.h>

#include <memory>

namespace platform {

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
struct SdlRendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct SdlTextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;
using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;

struct CSurface::Impl {
    SdlSurfacePtr surface;
    // Keyed surfaces are run-length encoded until their pixels are first
    // reached directly; from then on they stay plain (see DropEncoding).
    bool mayEncode = true;
};

// Keeps the SDL video subsystem running while a window lives.
class CVideoSubsystem {
public:
    CVideoSubsystem();
    ~CVideoSubsystem();
    CVideoSubsystem(const CVideoSubsystem&) = delete;
    CVideoSubsystem& operator=(const CVideoSubsystem&) = delete;
    bool IsRunning() const { return running; }

private:
    bool running = false;
};

// False for SDL's drivers that draw nowhere ("offscreen", "dummy") unless
// `requested` (the SDL_VIDEODRIVER setting) names them.
bool IsVideoDriverAcceptable(const char* current, const char* requested);

struct CWindow::Impl {
    CVideoSubsystem video; // declared first: outlives the window
    SdlWindowPtr window;
};

// SDL's pixel format enumeration for one of our layouts, and back.
uint32_t SdlFormatOf(const PixelFormat& format);
PixelFormat FormatOfSdl(uint32_t sdlFormat);

} // namespace platform
