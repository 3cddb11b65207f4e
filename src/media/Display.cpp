// The display: mode choice with its depth fallback, the set-up log, the clip
// lists of the back buffer, presentation, and the sprite copies into the back
// buffer.
#include "media/Display.h"

#include "media/Blend.h"
#include "platform/Files.h"
#include "platform/PresentScaling.h"

#include <algorithm>
#include <iostream>
#include <set>

using platform::CooperativeLevel;
using platform::DisplayMode;
using platform::PrimaryKind;
using platform::Rect;

namespace {

// Depths tried, in order, after the requested one has been refused.
constexpr int32_t kFallbackDepths[] = {16, 15};

// A missing bitmap is said once per file name and run, not at every reload.
void ReportMissingBitmap(const std::string& fileName)
{
    static std::set<std::string> reported;
    if (reported.insert(fileName).second) {
        std::cerr << "Missing or unreadable bitmap: " << fileName << "\n";
    }
}

} // namespace

platform::RegionData BuildClipRegion(const std::vector<Rect>& rects)
{
    platform::RegionData region;
    region.count = static_cast<int32_t>(rects.size());
    region.regionSize = region.count * 16;
    region.bounds = Rect{64000, 64000, -64000, -64000};
    for (const Rect& rect : rects) {
        region.bounds.left = std::min(region.bounds.left, rect.left);
        region.bounds.top = std::min(region.bounds.top, rect.top);
        region.bounds.right = std::max(region.bounds.right, rect.right);
        region.bounds.bottom = std::max(region.bounds.bottom, rect.bottom);
    }
    region.rects = rects;
    return region;
}

CDisplay::CDisplay()
    : log(kLogFileName, std::ios::out | std::ios::trunc)
{
}

CDisplay::~CDisplay()
{
    primaryClipper.reset();
    backClipper.reset();
    if (!windowed && modeChanged && directDraw) {
        directDraw->RestoreDisplayMode();
    }
    primary.reset();
    // In full screen the back surface belongs to the flip chain too; the
    // record's share goes here, the chain's went with the primary.
    backBuffer.reset();
    directDraw.reset();
    log.close();
}

bool CDisplay::Create(platform::CWindow* gameWindow)
{
    return Create(gameWindow, platform::CreateVideoBackend(gameWindow));
}

bool CDisplay::Create(platform::CWindow* gameWindow, std::unique_ptr<platform::IVideoBackend> backend)
{
    window = gameWindow;
    directDraw = std::move(backend);
    if (!directDraw) {
        log << "\n Could not obtain Direct Draw Interface!";
        return false;
    }
    return true;
}

void CDisplay::ReleaseDirectDraw() { directDraw.reset(); }

bool CDisplay::TrySetDisplayMode(int32_t depth)
{
    if (directDraw->SetDisplayMode(DisplayMode{width, height, depth})) {
        bitsPerPixel = depth;
        return true;
    }
    // The entry names the depth first asked for, whichever depth was refused.
    log << "\n Could not set full screen display mode!"
        << " Width:" << width << " Height:" << height << " Bpp:" << bitsPerPixel << "\n";
    log.flush();
    return false;
}

bool CDisplay::SetFullScreen(int32_t modeWidth, int32_t modeHeight, int32_t modeBitsPerPixel)
{
    width = modeWidth;
    height = modeHeight;
    bitsPerPixel = modeBitsPerPixel;
    windowed = false;
    windowWidth = 0;
    windowHeight = 0;
    if (!directDraw) {
        return false;
    }
    if (!directDraw->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen)) {
        log << "\n Could not set full screen cooperative level!";
        log.flush();
        ReleaseDirectDraw();
        return false;
    }

    DisplayMode current;
    const DisplayMode wanted{width, height, bitsPerPixel};
    if (directDraw->GetDisplayMode(current) && current == wanted) {
        modeChanged = false;
    } else {
        modeChanged = true;
        bool accepted = TrySetDisplayMode(bitsPerPixel);
        for (int32_t depth : kFallbackDepths) {
            if (accepted) {
                break;
            }
            accepted = TrySetDisplayMode(depth);
        }
        if (!accepted) {
            ReleaseDirectDraw();
            return false;
        }
    }

    primary = directDraw->CreatePrimarySurface(PrimaryKind::FlipChain);
    backBuffer = std::make_unique<CSprite>();
    if (primary) {
        backBuffer->surface = primary->AttachedBackBuffer();
    }
    backBuffer->record = &frameRecord;
    primaryClipper = AttachClipList(backBuffer->surface.get(), {Rect{0, 0, width, height}});
    return true;
}

bool CDisplay::SetWindowed(int32_t backWidth, int32_t backHeight)
{
    windowed = true;
    windowWidth = backWidth;
    windowHeight = backHeight;
    if (!directDraw) {
        return false;
    }
    if (!directDraw->SetCooperativeLevel(CooperativeLevel::Normal)) {
        log << "\n Could not set windowed mode cooperative level!";
        return false;
    }

    primary = directDraw->CreatePrimarySurface(PrimaryKind::Alone);
    primaryClipper = directDraw->CreateClipper();
    if (primaryClipper) {
        primaryClipper->SetWindow(window);
    }
    if (primary) {
        bitsPerPixel = primary->Format().bitsPerPixel;
        width = primary->Width();
        height = primary->Height();
    }
    backBuffer = std::make_unique<CSprite>();
    backBuffer->surface = directDraw->CreateSurface(windowWidth, windowHeight);
    backBuffer->record = &frameRecord;
    backClipper = AttachClipList(backBuffer->surface.get(), {Rect{0, 0, windowWidth, windowHeight}});
    return true;
}

std::unique_ptr<platform::CClipper> CDisplay::AttachClipList(
    platform::CSurface* surface, const std::vector<Rect>& rects)
{
    if (!directDraw) {
        return nullptr;
    }
    std::unique_ptr<platform::CClipper> clipper = directDraw->CreateClipper();
    if (!clipper) {
        return nullptr;
    }
    if (!surface || !clipper->SetClipList(BuildClipRegion(rects)) || !clipper->AttachTo(*surface)) {
        return nullptr;
    }
    return clipper;
}

void CDisplay::ClearBackBuffer()
{
    FillSpriteRect(backBuffer.get(), 0, 0, BackBufferWidth(), BackBufferHeight(), 0, 0, 0);
}

void CDisplay::Present()
{
    if (!primary || !backBuffer || !backBuffer->surface) {
        return;
    }
    platform::CSurface& back = *backBuffer->surface;
    ChooseScale();
    const std::vector<Rect> changed = TrackChanges(back);
    lastFrameChanged = !changed.empty();
    platform::PresentedFrame frame;
    if (scale > 1 && framesAtScale++ == 0) {
        // The first frame at a scale is the 1x picture, enlarged as it is
        // shown: it is on screen before anything is made at the scale.
        frame.picture = &back;
        frame.changed = {Rect{0, 0, back.Width(), back.Height()}};
        showsEveryPictureAtScale = false;
        sendWholeFrame = true;
    } else if (scale > 1 && MakeScaledBuffer()) {
        // Later ones make the pictures for the scale within a time budget,
        // and are sent whole until every picture drawn is made.
        const bool complete = frameRecord.Replay(*scaledBuffer, scale, changed, kPictureBudgetMs);
        sendWholeFrame = sendWholeFrame || !complete;
        showsEveryPictureAtScale = complete;
        frameRecord.ForgetUnused(kUnusedPictureMs);
        frame.picture = scaledBuffer.get();
        for (const Rect& part : changed) {
            frame.changed.push_back(ScaledRect(part, scale));
        }
    } else {
        frame.picture = &back;
        frame.changed = changed;
        showsEveryPictureAtScale = true;
    }
    frameRecord.Clear();
    if (windowed) {
        primary->PresentInWindow(frame);
        return;
    }
    // A flip fails while the screen is taken by someone else; after a few
    // tries the frame is dropped instead of waiting for ever, and the next
    // one is sent whole.
    for (int attempt = 0; attempt < kFlipAttempts; ++attempt) {
        if (primary->Flip(frame)) {
            return;
        }
    }
    sendWholeFrame = true;
}

void CDisplay::ChooseScale()
{
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;
    primary->OutputSize(outputWidth, outputHeight);
    const int32_t pictureWidth = BackBufferWidth();
    const int32_t pictureHeight = BackBufferHeight();
    // The 16- and 15-bit displays draw at 1x only.
    const bool deep = backBuffer->surface->Format().bitsPerPixel == 32;
    const int32_t wanted = deep
        ? platform::ComposeScaleFor(pictureWidth, pictureHeight, outputWidth, outputHeight, primary->LargestScale())
        : 1;
    if (wanted == scale) {
        return;
    }
    scale = wanted;
    framesAtScale = 0;
    scaledBuffer.reset();
    sendWholeFrame = true;
}

bool CDisplay::MakeScaledBuffer()
{
    if (!scaledBuffer) {
        scaledBuffer = platform::CSurface::Create(
            BackBufferWidth() * scale, BackBufferHeight() * scale, platform::PixelFormat::ForDepth(32));
    }
    if (!scaledBuffer) {
        // Too large to hold: the 1x frame is shown enlarged from now on.
        scale = 1;
        sendWholeFrame = true;
    }
    return scaledBuffer != nullptr;
}

std::vector<Rect> CDisplay::TrackChanges(platform::CSurface& back)
{
    const Rect whole{0, 0, back.Width(), back.Height()};
    const bool fresh = !previousFrame || previousFrame->Width() != back.Width()
        || previousFrame->Height() != back.Height() || !(previousFrame->Format() == back.Format());
    if (fresh) {
        previousFrame = platform::CSurface::Create(back.Width(), back.Height(), back.Format());
    }
    std::vector<Rect> changed;
    if (fresh || sendWholeFrame || !previousFrame) {
        changed.push_back(whole);
    } else {
        changed = ChangedParts(back, *previousFrame);
    }
    sendWholeFrame = false;
    if (previousFrame) {
        for (const Rect& part : changed) {
            previousFrame->Blit(back, part, part);
        }
    }
    return changed;
}

SpritePtr CDisplay::CreateSprite(const std::string& fileName, int32_t spriteWidth, int32_t spriteHeight)
{
    auto sprite = std::make_unique<CSprite>();
    sprite->width = spriteWidth;
    sprite->height = spriteHeight;
    sprite->scaled = std::make_shared<CScaledPixels>();
    sprite->scaled->recipe
        = std::make_shared<SpriteRecipe>(SpriteRecipe{fileName, spriteWidth, spriteHeight, {}});
    // A new picture may differ at the display's scale where it does not at
    // 1x: the next frame is sent whole.
    sendWholeFrame = true;
    if (directDraw) {
        sprite->surface = directDraw->CreateSurface(spriteWidth, spriteHeight);
    }
    if (!sprite->surface) {
        return sprite;
    }
    // The new surface is all black, which is what a missing file leaves.
    std::unique_ptr<platform::CSurface> bitmap = platform::CSurface::LoadBmp(platform::NativePath(fileName));
    if (bitmap) {
        sprite->surface->CopyBitmap(*bitmap);
    } else {
        ReportMissingBitmap(fileName);
    }
    // The key goes on after the pixels are in the display's format.
    sprite->surface->SetColorKey(sprite->surface->BlackPixel());
    sprite->scaled->oneX = sprite->surface;
    return sprite;
}

void CDisplay::DrawSprite(CSprite* sprite, int32_t x, int32_t y)
{
    if (!sprite) {
        return;
    }
    DrawSpritePart(sprite, x, y, 0, 0, sprite->width, sprite->height);
}

void CDisplay::DrawSpritePart(
    CSprite* sprite, int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!sprite || !sprite->surface || !backBuffer || !backBuffer->surface) {
        return;
    }
    const Rect from{left, top, right, bottom};
    const Rect to{x, y, x + right - left, y + bottom - top};
    backBuffer->surface->Blit(*sprite->surface, from, to);
    if (sprite->scaled) {
        frameRecord.AddCopy(sprite->scaled, from, to);
    }
}

void CDisplay::DrawSpriteStretched(CSprite* sprite, int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (!sprite || !sprite->surface || !backBuffer || !backBuffer->surface) {
        return;
    }
    const Rect from{0, 0, sprite->width, sprite->height};
    const Rect to{x, y, x + w, y + h};
    backBuffer->surface->Blit(*sprite->surface, from, to);
    if (sprite->scaled) {
        frameRecord.AddCopy(sprite->scaled, from, to);
    }
}

void CDisplay::BlendSprite(CSprite* sprite, int32_t x, int32_t y, const Rect& source)
{
    if (!sprite || !sprite->surface || !backBuffer || !backBuffer->surface) {
        return;
    }
    ::BlendSprite(backBuffer->surface.get(), sprite->surface.get(), x, y, &source);
    if (sprite->scaled) {
        frameRecord.AddBlend(sprite->scaled, source, x, y);
    }
}
