// The screenless video backend for tests: scripted refusals, a record of the
// calls, and a copy of every presented picture.
#include "platform/FakeVideoBackend.h"

namespace platform {
namespace {

std::unique_ptr<CSurface> CopyOf(CSurface& source, int32_t width, int32_t height)
{
    auto copy = CSurface::Create(width, height, source.Format());
    if (copy) {
        copy->Blit(source, Rect{0, 0, source.Width(), source.Height()}, Rect{0, 0, width, height});
    }
    return copy;
}

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

    bool Flip() override
    {
        if (kind != PrimaryKind::FlipChain || !back) {
            return false;
        }
        ++state.flipAttempts;
        if (state.failingFlips != 0) {
            if (state.failingFlips > 0) {
                --state.failingFlips;
            }
            return false;
        }
        ++state.presentCount;
        state.shown = CopyOf(*back, back->Width(), back->Height());
        return true;
    }

    bool PresentStretched(CSurface& source) override
    {
        if (kind != PrimaryKind::Alone) {
            return false;
        }
        ++state.presentCount;
        state.shown = CopyOf(source, state.clientWidth, state.clientHeight);
        return true;
    }

private:
    FakeVideoState& state;
    PrimaryKind kind;
    DisplayMode mode;
    PixelFormat format;
    std::shared_ptr<CSurface> back;
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
