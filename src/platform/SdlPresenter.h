// Inside the platform layer only: puts a surface on the window through an SDL
// renderer, scaled by the plan of PresentScaling.h. The accelerated renderer
// is used where one can be made; SDL's software renderer is the fallback.
#pragma once

#include "platform/PresentScaling.h"
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

class CSdlPresenter {
public:
    // Null when no renderer at all can be made for the window.
    static std::unique_ptr<CSdlPresenter> Create(SDL_Window* window, PresentPacing pacing);

    // Uploads `picture` and shows it over the whole output, scaled as `fit`
    // says. False when SDL refused a step.
    bool Present(CSurface& picture, ScaleFit fit);

    bool IsAccelerated() const { return accelerated; }
    // The output in pixels, as the renderer sees it (0 x 0 if unknown).
    void OutputSize(int32_t& width, int32_t& height) const;

private:
    CSdlPresenter(SdlRendererPtr sdlRenderer, bool isAccelerated);
    // The scaling used on this renderer. The software renderer copies with
    // Nearest in one pass: it is the fallback for machines without graphics
    // acceleration, where a filtered 4K copy would cost the CPU several times
    // as much as the whole frame's drawing.
    PresentScaling Plan(const CSurface& picture, ScaleFit fit) const;
    bool Upload(CSurface& picture);
    // Renders the uploaded picture enlarged into `enlarged`; false if the
    // renderer cannot draw into textures.
    bool PreScale(const CSurface& picture, const PresentScaling& plan);

    SdlRendererPtr renderer;
    bool accelerated;
    SdlTexturePtr uploaded; // the picture, as it was last presented
    SdlTexturePtr enlarged; // the picture pre-scaled by whole factors
};

} // namespace platform
