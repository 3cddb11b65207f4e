// The display operations the game's display logic is built on: cooperative
// levels, display modes, the primary surface with its presentation, off-screen
// surfaces and clippers. The SDL implementation drives the real window; the
// fake (FakeVideoBackend.h) lets tests refuse any step and read what was shown.
#pragma once

#include "platform/Surface.h"
#include "platform/VideoTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

class CWindow;

enum class CooperativeLevel {
    ExclusiveFullScreen, // the window covers the screen and owns it
    Normal, // an ordinary window on the desktop
};

enum class PrimaryKind {
    FlipChain, // full screen: a primary with one attached back surface
    Alone, // windowed: the screen itself, copied to with PresentStretched
};

// A clip list handed over as one block: a 32-byte header followed by the
// rectangles (16 bytes each), as the display builds it.
struct RegionData {
    static constexpr int32_t kHeaderSize = 32;
    static constexpr int32_t kTypeRectangles = 1;
    int32_t headerSize = kHeaderSize;
    int32_t type = kTypeRectangles;
    int32_t count = 0;
    int32_t regionSize = 0; // count x 16 bytes
    Rect bounds;
    std::vector<Rect> rects;

    // The size in bytes of the whole block: (count + 2) x 16.
    size_t BlockSize() const { return static_cast<size_t>(kHeaderSize) + rects.size() * 16; }
};

// Keeps later copies into a surface inside a clip list, or binds to a window.
class CClipper {
public:
    // Takes the clip list; false (and nothing kept) when the block is not a
    // well-formed list of rectangles inside its bounding rectangle.
    bool SetClipList(const RegionData& region);
    void SetWindow(CWindow* boundWindow) { window = boundWindow; }
    CWindow* Window() const { return window; }
    // Every later copy or fill into `surface` is clipped to the list.
    bool AttachTo(CSurface& surface) const;

private:
    std::vector<Rect> rects;
    bool hasList = false;
    CWindow* window = nullptr;
};

// What the monitor shows.
class IPrimarySurface {
public:
    virtual ~IPrimarySurface() = default;
    // Full screen: the mode's size. Windowed: the desktop's size.
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual PixelFormat Format() const = 0;
    // Flip chain only: its back surface, shared with the chain (it lives as
    // long as either holds it); null otherwise.
    virtual std::shared_ptr<CSurface> AttachedBackBuffer() = 0;
    // Flip chain only: shows the back surface in step with the display's
    // refresh, waiting while an earlier flip is pending. False if it failed.
    virtual bool Flip() = 0;
    // Windowed only: copies `source` without key over the window's whole
    // client area, stretched when the sizes differ. False if it failed.
    virtual bool PresentStretched(CSurface& source) = 0;
    // Whether presents are drawn by graphics hardware rather than the CPU.
    virtual bool IsAccelerated() const { return false; }
};

class IVideoBackend {
public:
    virtual ~IVideoBackend() = default;
    virtual bool SetCooperativeLevel(CooperativeLevel level) = 0;
    // The mode the screen is in now; false if it cannot be read.
    virtual bool GetDisplayMode(DisplayMode& mode) = 0;
    virtual bool SetDisplayMode(const DisplayMode& mode) = 0;
    virtual bool RestoreDisplayMode() = 0;
    virtual std::unique_ptr<IPrimarySurface> CreatePrimarySurface(PrimaryKind kind) = 0;
    // An off-screen surface in the display's current pixel format.
    virtual std::unique_ptr<CSurface> CreateSurface(int32_t width, int32_t height) = 0;
    virtual std::unique_ptr<CClipper> CreateClipper() = 0;
};

// The backend for `window`: SDL unless a factory is installed. Null when it
// cannot be made (no window, no video driver).
std::unique_ptr<IVideoBackend> CreateVideoBackend(CWindow* window);

using VideoBackendFactory = std::function<std::unique_ptr<IVideoBackend>(CWindow*)>;
// Installs a factory for CreateVideoBackend (tests); an empty one restores
// SDL. Returns the factory installed before.
VideoBackendFactory SetVideoBackendFactory(VideoBackendFactory factory);

} // namespace platform
