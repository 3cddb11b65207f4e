// The drawing target of the whole game: the primary surface, one back buffer
// into which every screen draws its frame, the clippers, the display mode,
// and the log of set-up failures ("Direct Draw 5 Log.txt").
#pragma once

#include "media/FrameRecord.h"
#include "media/Sprite.h"
#include "platform/VideoBackend.h"
#include "platform/VideoTypes.h"

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class CWindow;
}

// The region block AttachClipList gives to a clipper: the header with the
// bounding rectangle of `rects` (starting from 64000 / -64000), then the rects.
platform::RegionData BuildClipRegion(const std::vector<platform::Rect>& rects);

class CDisplay {
public:
    static constexpr const char* kLogFileName = "Direct Draw 5 Log.txt";
    // How often a failing flip is tried before the frame is given up.
    static constexpr int kFlipAttempts = 3;
    // How long a frame may spend making pictures for the display's scale
    // before it shows the rest from their 1x pictures (a picture begun is
    // finished).
    static constexpr uint32_t kPictureBudgetMs = 12;
    // Pictures made for the display's scale that no frame drew for this long
    // are let go (at 4x a screen's background alone holds 30 MB).
    static constexpr uint32_t kUnusedPictureMs = 10000;

    // Opens the log in the current directory, emptying an existing file.
    CDisplay();
    // Releases clippers, restores the display mode if it was changed, then
    // releases the surfaces and the backend, and closes the log.
    ~CDisplay();
    CDisplay(const CDisplay&) = delete;
    CDisplay& operator=(const CDisplay&) = delete;

    // Stores the window and makes the video backend for it (SDL unless a
    // factory is installed). The second form takes a given backend (tests).
    bool Create(platform::CWindow* gameWindow);
    bool Create(platform::CWindow* gameWindow, std::unique_ptr<platform::IVideoBackend> backend);

    // Exclusive full screen of width x height, trying bitsPerPixel, then 16,
    // then 15 bits. False (and the backend released) when nothing is accepted.
    bool SetFullScreen(int32_t modeWidth, int32_t modeHeight, int32_t modeBitsPerPixel);
    // An ordinary window whose back buffer measures width x height and is
    // stretched over the client area at every Present.
    bool SetWindowed(int32_t backWidth, int32_t backHeight);

    // Fills the whole back buffer with black.
    void ClearBackBuffer();
    // Shows the back buffer, kept in shape and centred in the window's client
    // area or the screen: windowed, copied into the window; full screen,
    // flipped in step with the display's refresh. A flip that keeps failing
    // is given up after kFlipAttempts tries (the frame is dropped).
    //
    // The frame is shown at the whole-number scale that suits the output
    // (1 to 4; 1 at 16 and 15 bits): the parts that differ from the last
    // frame are drawn again at that scale from what was recorded while the
    // game drew its frame at 1x, and only those parts are sent.
    void Present();
    // The next Present sends the whole frame, changed or not.
    void SendWholeFrameNext() { sendWholeFrame = true; }
    // Whether the last Present found anything changed since the one before.
    bool LastFrameChanged() const { return lastFrameChanged; }
    // The scale frames are shown at, and whether the last frame drew every
    // picture from its pixels for that scale (not from the 1x ones).
    int32_t Scale() const { return scale; }
    bool ShowsEveryPictureAtScale() const { return showsEveryPictureAtScale; }

    // A new sprite of width x height holding the top-left pixels of the
    // bitmap file (a game path such as "Graphics\\Gui\\Button.bmp"), keyed on
    // black. A missing or unreadable file gives a transparent (all black)
    // sprite and one message on stderr per file name (once per run). Always a
    // record; its surface is null only when the display cannot make one.
    SpritePtr CreateSprite(const std::string& fileName, int32_t spriteWidth, int32_t spriteHeight);
    // Keyed copies into the back buffer, clipped to it.
    void DrawSprite(CSprite* sprite, int32_t x, int32_t y);
    void DrawSpritePart(
        CSprite* sprite, int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom);
    void DrawSpriteStretched(CSprite* sprite, int32_t x, int32_t y, int32_t w, int32_t h);
    // The half-strength blend of `source` of the sprite, its top-left at (x, y).
    void BlendSprite(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source);

    // The back buffer (its surface may be null after a failed set-up).
    CSprite* BackBuffer() { return backBuffer.get(); }
    // Its size: windowWidth x windowHeight when windowed, else width x height.
    int32_t BackBufferWidth() const { return windowed ? windowWidth : width; }
    int32_t BackBufferHeight() const { return windowed ? windowHeight : height; }

    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    int32_t BitsPerPixel() const { return bitsPerPixel; }
    int32_t WindowWidth() const { return windowWidth; }
    int32_t WindowHeight() const { return windowHeight; }
    bool IsWindowed() const { return windowed; }
    bool IsModeChanged() const { return modeChanged; }
    // The backend; null before Create and after a failed SetFullScreen.
    platform::IVideoBackend* DirectDraw() const { return directDraw.get(); }
    platform::CWindow* Window() const { return window; }

    // The log stream (set-up failures are written here).
    std::ostream& Log() { return log; }

    // The clipper made for `surface` from the rectangles, or null when the
    // clipper or its list was refused.
    std::unique_ptr<platform::CClipper> AttachClipList(
        platform::CSurface* surface, const std::vector<platform::Rect>& rects);

private:
    void ReleaseDirectDraw();
    bool TrySetDisplayMode(int32_t depth);
    // Follows the output's size: a new scale drops the frame at the old one.
    void ChooseScale();
    // The frame buffer at `scale`, made when first needed; false (and scale 1)
    // when it cannot be had.
    bool MakeScaledBuffer();
    // The parts of the back buffer that differ from the frame shown before,
    // which then becomes this one.
    std::vector<platform::Rect> TrackChanges(platform::CSurface& back);

    std::ofstream log;
    std::unique_ptr<platform::IVideoBackend> directDraw;
    std::unique_ptr<platform::CClipper> primaryClipper;
    std::unique_ptr<platform::CClipper> backClipper;
    std::unique_ptr<platform::IPrimarySurface> primary;
    SpritePtr backBuffer;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    platform::CWindow* window = nullptr;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    bool windowed = false;
    bool modeChanged = false;

    CFrameRecord frameRecord; // the steps of the frame being drawn
    std::unique_ptr<platform::CSurface> previousFrame; // the last frame shown, at 1x
    std::unique_ptr<platform::CSurface> scaledBuffer; // the frame at `scale` when above 1
    int32_t scale = 1;
    int32_t framesAtScale = 0;
    bool showsEveryPictureAtScale = true;
    bool sendWholeFrame = true;
    bool lastFrameChanged = true;
};
