// The screenless video backend for tests: scripted refusals, a record of the
// calls, and a copy of every presented picture.
#include "platform/FakeVideoBackend.h"

#include "platform/PresentScaling.h"

namespace platform {
namespace {

class CFakePrimary final : public IPrimarySurface {
public:
    CFakePrimary(FakeVideoState& sharedState, PrimaryKind primaryKind, const DisplayMode& displayMode,
        const PixelFormat& pixelFormat)
        : state(sharedState)
        , kind(primaryKind)
        , mode(displayMode)
        , format(pixelFormat)
    {
        if (kind == PrimaryKind::FlipChain) {
            back = CSurface::Create(mode.width, mode.height, format);
        }
    }

    int32_t Width() const override { return mode.width; }
    int32_t Height() const override { return mode.height; }
    PixelFormat Format() const override { return format; }
    std::shared_ptr<CSurface> AttachedBackBuffer() override { return back; }

    void OutputSize(int32_t& width, int32_t& height) const override
    {
        if (kind == PrimaryKind::Alone) {
            width = state.clientWidth;
            height = state.clientHeight;
            return;
        }
        width = state.screenWidth > 0 ? state.screenWidth : mode.width;
        height = state.screenHeight > 0 ? state.screenHeight : mode.height;
    }
    int32_t LargestScale() const override { return state.largestScale; }

    bool Flip(const PresentedFrame& frame) override
    {
        if (kind != PrimaryKind::FlipChain || !back || !frame.picture) {
            return false;
        }
        ++state.flipAttempts;
        if (state.failingFlips != 0) {
            if (state.failingFlips > 0) {
                --state.failingFlips;
            }
            return false;
        }
        int32_t width = 0;
        int32_t height = 0;
        OutputSize(width, height);
        Record(frame, width, height);
        return true;
    }

    bool PresentInWindow(const PresentedFrame& frame) override
    {
        if (kind != PrimaryKind::Alone || !frame.picture) {
            return false;
        }
        Record(frame, state.clientWidth, state.clientHeight);
        return true;
    }

private:
    FakeVideoState& state;
    PrimaryKind kind;
    DisplayMode mode;
    PixelFormat format;
    std::shared_ptr<CSurface> back;

    // The output as a monitor would show it: the picture kept in shape and
    // centred, black around it.
    void Record(const PresentedFrame& frame, int32_t outputWidth, int32_t outputHeight)
    {
        ++state.presentCount;
        state.lastChanged = frame.changed;
        if (!state.keepShown) {
            return;
        }
        CSurface& picture = *frame.picture;
        state.shown = CSurface::Create(outputWidth, outputHeight, picture.Format());
        if (state.shown) {
            const Rect at = PlanPresentScaling(
                picture.Width(), picture.Height(), outputWidth, outputHeight, ScaleFit::KeepProportions)
                                .destination;
            state.shown->Blit(picture, Rect{0, 0, picture.Width(), picture.Height()}, at);
        }
    }
};

} // namespace

CFakeVideoBackend::CFakeVideoBackend(FakeVideoState& sharedState)
    : state(sharedState)
    , desktop(sharedState.desktop)
{
    state.current = desktop;
}

CFakeVideoBackend::~CFakeVideoBackend() { ++state.backendsReleased; }

bool CFakeVideoBackend::SetCooperativeLevel(CooperativeLevel level)
{
    state.levels.push_back(level);
    const bool refused = level == CooperativeLevel::ExclusiveFullScreen ? state.refuseExclusive : state.refuseNormal;
    if (refused) {
        return false;
    }
    exclusive = level == CooperativeLevel::ExclusiveFullScreen;
    return true;
}

bool CFakeVideoBackend::GetDisplayMode(DisplayMode& mode)
{
    mode = state.current;
    return true;
}

bool CFakeVideoBackend::SetDisplayMode(const DisplayMode& mode)
{
    state.modeRequests.push_back(mode);
    if (!exclusive || state.refusedDepths.contains(mode.bitsPerPixel)) {
        return false;
    }
    state.current = mode;
    return true;
}

bool CFakeVideoBackend::RestoreDisplayMode()
{
    ++state.restoreCount;
    state.current = desktop;
    return true;
}

std::unique_ptr<IPrimarySurface> CFakeVideoBackend::CreatePrimarySurface(PrimaryKind kind)
{
    if (state.refuseSurfaces) {
        return nullptr;
    }
    return std::make_unique<CFakePrimary>(state, kind, state.current, CurrentFormat());
}

std::unique_ptr<CSurface> CFakeVideoBackend::CreateSurface(int32_t width, int32_t height)
{
    if (state.refuseSurfaces) {
        return nullptr;
    }
    return CSurface::Create(width, height, CurrentFormat());
}

std::unique_ptr<CClipper> CFakeVideoBackend::CreateClipper()
{
    if (state.refuseClippers) {
        return nullptr;
    }
    return std::make_unique<CClipper>();
}

PixelFormat CFakeVideoBackend::CurrentFormat() const { return PixelFormat::ForDepth(state.current.bitsPerPixel); }

CScopedFakeVideo::CScopedFakeVideo()
    : previous(SetVideoBackendFactory([this](CWindow*) { return std::make_unique<CFakeVideoBackend>(state); }))
{
}

CScopedFakeVideo::~CScopedFakeVideo() { SetVideoBackendFactory(std::move(previous)); }

} // namespace platform
