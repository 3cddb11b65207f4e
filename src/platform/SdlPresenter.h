// Inside the platform layer only: puts a surface on the window through an SDL
// renderer, scaled by the plan of PresentScaling.h. The accelerated renderer
// is used where one can be made; SDL's software renderer is the fallback.
#pragma once

#include "platform/PresentScaling.h"
#include "platform/ScaledPixels.h"
#include "platform/VideoSdl.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// Set to "software" in the environment, VELMORA_RENDERER makes every window
// present through SDL's software renderer (the tests under Xvfb compare
// screenshots pixel by pixel with what it draws); set to "accelerated", it
// makes the accelerated renderer be used wherever SDL can make one, also on a
// CPU rasteriser (the tests of that path under Xvfb).
inline constexpr const char* kRendererVariable = "VELMORA_RENDERER";

// Whether the accelerated renderer is worth trying: not forced off by
// VELMORA_RENDERER=software, and the machine has a graphics device.
bool MayUseAcceleratedRenderer();

// Whether an OpenGL renderer string names a CPU rasteriser (Mesa's
// llvmpipe, softpipe or swrast), where SDL's software renderer is faster.
bool IsCpuRasteriserName(const char* glRenderer);

enum class PresentPacing {
    Free, // windowed: the frame loop paces itself
    VerticalSync, // full screen: presents wait for the retrace where the renderer can
};

// The window was uncovered or resized: its next present sends the whole
// output, whatever changed in the picture. Called by the event pump.
void NoteWindowExposed();

class CSdlPresenter {
public:
    // Null when nothing at all can present into the window.
    static std::unique_ptr<CSdlPresenter> Create(SDL_Window* window, PresentPacing pacing);

    // Shows `picture` as large as fits, kept in shape and centred, black
    // around it. Only the parts of the output that the `changed` rectangles
    // of the picture reach are sent, unless the output, the picture's size or
    // the window's contents changed since the last present; with nothing
    // changed nothing is sent. False when SDL refused a step.
    bool Present(CSurface& picture, const std::vector<Rect>& changed);

    bool IsAccelerated() const { return accelerated; }
    // The output in pixels (0 x 0 if unknown).
    void OutputSize(int32_t& width, int32_t& height) const;

private:
    CSdlPresenter(SDL_Window* sdlWindow, SdlRendererPtr sdlRenderer, bool isAccelerated);
    // Whether the whole output must be sent at this present.
    bool MustSendEverything(const CSurface& picture, int32_t outputWidth, int32_t outputHeight);
    // The software path: the picture filtered straight into the window's own
    // pixels, and only the changed rectangles sent to the display server.
    bool PresentIntoWindowSurface(CSurface& picture, const std::vector<Rect>& changed, bool everything);
    // A renderer (graphics hardware, or SDL's software renderer where the
    // window has no surface we can write): the whole output every time.
    bool PresentThroughRenderer(CSurface& picture);
    PresentScaling Plan(const CSurface& picture) const;
    bool Upload(CSurface& picture);
    // Renders the uploaded picture enlarged into `enlarged`; false if the
    // renderer cannot draw into textures.
    bool PreScale(const CSurface& picture, const PresentScaling& plan);

    SDL_Window* window;
    SdlRendererPtr renderer; // null on the window surface path
    bool accelerated;
    SdlTexturePtr uploaded; // the picture, as it was last presented
    SdlTexturePtr enlarged; // the picture pre-scaled by whole factors
    // What the last present was made for.
    SDL_Surface* lastScreen = nullptr;
    int32_t lastOutputWidth = -1;
    int32_t lastOutputHeight = -1;
    int32_t lastPictureWidth = -1;
    int32_t lastPictureHeight = -1;
    FilterTaps columns;
    FilterTaps rows;
    std::unique_ptr<CSurface> widened; // a 16- or 15-bit frame in 32 bits
};

} // namespace platform
