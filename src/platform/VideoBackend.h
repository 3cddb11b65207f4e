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

// The largest whole-number scale a frame is composed at.
inline constexpr int32_t kLargestDisplayScale = 4;

// One frame handed to the screen: the mode's picture composed at a whole-
// number scale, and the parts of it (in the picture's own pixels) that differ
// from the frame handed over before. A frame with nothing changed is shown by
// sending nothing; the screen still sends everything after its output was
// resized, exposed or made anew.
struct PresentedFrame {
    CSurface* picture = nullptr;
    std::vector<Rect> changed;
};

// What the monitor shows. The picture keeps its shape: as large as fits,
// centred in the output, the rest black.
class IPrimarySurface {
public:
    virtual ~IPrimarySurface() = default;
    // Full screen: the mode's size. Windowed: the desktop's size.
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual PixelFormat Format() const = 0;
    // The pixels the picture is shown in: the screen in full screen, the
    // window's client area when windowed.
    virtual void OutputSize(int32_t& width, int32_t& height) const = 0;
    // The largest scale worth composing frames at for this output.
    virtual int32_t LargestScale() const { return kLargestDisplayScale; }
    // Flip chain only: its back surface, shared with the chain (it lives as
    // long as either holds it); null otherwise.
    virtual std::shared_ptr<CSurface> AttachedBackBuffer() = 0;
    // Flip chain only: shows the frame in step with the display's refresh,
    // waiting while an earlier flip is pending. False if it failed.
    virtual bool Flip(const PresentedFrame& frame) = 0;
    // Windowed only: shows the frame in the window's client area. False if
    // it failed.
    virtual bool PresentInWindow(const PresentedFrame& frame) = 0;
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
