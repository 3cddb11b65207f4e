// A video backend without a screen, for tests: it refuses whatever the test
// asks it to refuse, records every call, and keeps a copy of each presented
// picture. Its surfaces are real off-screen surfaces.
#pragma once

#include "platform/VideoBackend.h"

#include <memory>
#include <set>
#include <vector>

namespace platform {

struct FakeVideoState {
    // What the fake refuses and reports.
    bool refuseExclusive = false;
    bool refuseNormal = false;
    std::set<int32_t> refusedDepths;
    bool refuseClippers = false;
    bool refuseSurfaces = false;
    DisplayMode desktop{1024, 768, 32};
    int32_t clientWidth = 1024; // the window's client area when windowed
    int32_t clientHeight = 768;
    int32_t largestScale = 1; // frames are composed at most at this scale
    int32_t screenWidth = 0; // full screen: the screen's pixels (0: the mode's)
    int32_t screenHeight = 0;
    bool keepShown = true; // false: presents are counted, not copied (benchmarks)
    int32_t failingFlips = 0; // so many flips fail before they work; < 0: all fail

    // What happened.
    DisplayMode current{}; // the screen's mode (the desktop until one is set)
    std::vector<CooperativeLevel> levels;
    std::vector<DisplayMode> modeRequests; // every SetDisplayMode, accepted or not
    int32_t restoreCount = 0;
    int32_t flipAttempts = 0;
    int32_t presentCount = 0; // successful flips and stretched copies
    int32_t backendsReleased = 0; // backends destroyed
    // The last picture shown, as the screen or the window's client area
    // shows it, and the parts of it the display said had changed.
    std::unique_ptr<CSurface> shown;
    std::vector<Rect> lastChanged;
};

class CFakeVideoBackend final : public IVideoBackend {
public:
    // `state` must outlive the backend; `current` starts as the desktop.
    explicit CFakeVideoBackend(FakeVideoState& sharedState);
    ~CFakeVideoBackend() override;

    bool SetCooperativeLevel(CooperativeLevel level) override;
    bool GetDisplayMode(DisplayMode& mode) override;
    bool SetDisplayMode(const DisplayMode& mode) override;
    bool RestoreDisplayMode() override;
    std::unique_ptr<IPrimarySurface> CreatePrimarySurface(PrimaryKind kind) override;
    std::unique_ptr<CSurface> CreateSurface(int32_t width, int32_t height) override;
    std::unique_ptr<CClipper> CreateClipper() override;

private:
    PixelFormat CurrentFormat() const;

    FakeVideoState& state;
    bool exclusive = false;
    DisplayMode desktop;
};

// Makes CreateVideoBackend hand out fakes on `state` for the scope's life.
class CScopedFakeVideo {
public:
    CScopedFakeVideo();
    ~CScopedFakeVideo();
    CScopedFakeVideo(const CScopedFakeVideo&) = delete;
    CScopedFakeVideo& operator=(const CScopedFakeVideo&) = delete;
    FakeVideoState state;

private:
    VideoBackendFactory previous;
};

} // namespace platform
