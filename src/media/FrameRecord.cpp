// Drawing a recorded frame again at the display's scale, making sprites'
// pixels at that scale, and finding what changed between two frames.
#include "media/FrameRecord.h"

#include "media/Blend.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/ScaledPixels.h"

#include <algorithm>
#include <cstring>
#include <map>

using platform::CSurface;
using platform::PixelFormat;
using platform::Rect;

namespace {

// Blocks of this many pixels a side are compared between frames.
constexpr int32_t kChangeBlockPx = 16;
// More changed rectangles than this are sent as their bounding rectangle.
constexpr size_t kMostChangedParts = 48;

// "Graphics\\Gui\\Button.bmp" drawn for scale 2: "Graphics\\Gui\\Button@2x.png".
std::string NameAtScale(const std::string& fileName, int32_t scale)
{
    std::string stem = fileName;
    const size_t dot = stem.find_last_of('.');
    const size_t slash = stem.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        stem.resize(dot);
    }
    return stem + "@" + std::to_string(scale) + "x.png";
}

std::unique_ptr<CSurface> Keyed(std::unique_ptr<CSurface> surface)
{
    if (surface) {
        surface->SetColorKey(0);
    }
    return surface;
}

// The picture of `fileName` at `scale`, drawn for it or enlarged.
std::unique_ptr<CSurface> PictureAt(const std::string& fileName, int32_t scale)
{
    if (fileName.empty()) {
        return nullptr;
    }
    if (scale > 1) {
        if (auto drawn = platform::LoadPng(platform::NativePath(NameAtScale(fileName, scale)))) {
            return drawn;
        }
        for (int32_t smaller = scale - 1; smaller >= 2; --smaller) {
            if (scale % smaller != 0) {
                continue;
            }
            if (auto drawn = Keyed(platform::LoadPng(platform::NativePath(NameAtScale(fileName, smaller))))) {
                return platform::EnlargeSmoothly(*drawn, scale / smaller);
            }
        }
    }
    std::unique_ptr<CSurface> bitmap = CSurface::LoadBmp(platform::NativePath(fileName));
    if (!bitmap) {
        return nullptr;
    }
    auto picture = CSurface::Create(bitmap->Width(), bitmap->Height(), PixelFormat::ForDepth(32));
    if (!picture || !picture->CopyBitmap(*bitmap)) {
        return nullptr;
    }
    return scale == 1 ? std::move(picture) : platform::EnlargeSmoothly(*Keyed(std::move(picture)), scale);
}

std::unique_ptr<CSurface> MakeRecipe(const SpriteRecipe& recipe, int32_t scale)
{
    auto surface = CSurface::Create(recipe.width * scale, recipe.height * scale, PixelFormat::ForDepth(32));
    if (!surface) {
        return nullptr;
    }
    if (std::unique_ptr<CSurface> picture = PictureAt(recipe.fileName, scale)) {
        surface->CopyBitmap(*picture);
    }
    for (const SpriteRecipe::Edit& edit : recipe.edits) {
        if (!edit.source) {
            surface->Fill(ScaledRect(edit.to, scale), PackFillColour(32, edit.red, edit.green, edit.blue).value_or(0));
            continue;
        }
        if (std::unique_ptr<CSurface> source = MakeRecipe(*edit.source, scale)) {
            platform::CopyOnPictureGrid(*source, scale, edit.from, *surface, scale, edit.to);
        }
    }
    surface->SetColorKey(0);
    return surface;
}

bool SameBlock(const platform::CSurfaceLock& a, const platform::CSurfaceLock& b, const Rect& block, int32_t bytes)
{
    const size_t length = static_cast<size_t>(block.Width() * bytes);
    for (int32_t y = block.top; y < block.bottom; ++y) {
        const uint8_t* rowA = a.Pixels() + static_cast<ptrdiff_t>(y) * a.Pitch() + block.left * bytes;
        const uint8_t* rowB = b.Pixels() + static_cast<ptrdiff_t>(y) * b.Pitch() + block.left * bytes;
        if (std::memcmp(rowA, rowB, length) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

bool IsScaledPictureName(const std::string& fileName)
{
    const size_t at = fileName.rfind('@');
    if (at == std::string::npos || fileName.size() != at + 7) {
        return false;
    }
    const char digit = fileName[at + 1];
    return digit >= '2' && digit <= '9' && fileName.compare(at + 2, 5, "x.png") == 0;
}

bool MakeAtScale(CScaledPixels& pixels, int32_t scale)
{
    if (pixels.surface && pixels.scale == scale) {
        return true;
    }
    if (!pixels.recipe) {
        return false;
    }
    // Sprites of one file without edits (a screen's five buttons) share it.
    static std::map<std::string, std::weak_ptr<CSurface>> shared;
    const SpriteRecipe& recipe = *pixels.recipe;
    const std::string key = recipe.edits.empty() && !recipe.fileName.empty()
        ? NameAtScale(recipe.fileName, scale) + " " + std::to_string(recipe.width) + "x" + std::to_string(recipe.height)
        : std::string();
    if (!key.empty()) {
        if (std::shared_ptr<CSurface> made = shared[key].lock()) {
            pixels.surface = std::move(made);
            pixels.scale = scale;
            return true;
        }
    }
    pixels.surface = MakeRecipe(recipe, scale);
    pixels.scale = pixels.surface ? scale : 0;
    if (pixels.surface && !key.empty()) {
        shared[key] = pixels.surface;
    }
    return pixels.surface != nullptr;
}

void CFrameRecord::AddFill(const Rect& to, uint32_t raw) { steps.push_back(Step{Kind::Fill, nullptr, Rect{}, to, raw}); }

void CFrameRecord::AddCopy(const std::shared_ptr<CScaledPixels>& pixels, const Rect& from, const Rect& to)
{
    steps.push_back(Step{Kind::Copy, pixels, from, to, 0});
}

void CFrameRecord::AddBlend(const std::shared_ptr<CScaledPixels>& pixels, const Rect& from, int32_t x, int32_t y)
{
    steps.push_back(Step{Kind::Blend, pixels, from, Rect{x, y, x + from.Width(), y + from.Height()}, 0});
}

bool CFrameRecord::Replay(CSurface& target, int32_t scale, const std::vector<Rect>& parts, uint32_t budgetMs)
{
    // Only the making of pictures counts against the budget, and a frame
    // with any budget makes at least one: a whole 4K frame can take longer
    // to draw than the budget, and must still get sharper frame by frame.
    uint32_t spentMs = 0;
    bool madeOne = false;
    bool complete = true;
    const uint32_t now = platform::GetTicks();
    std::vector<Rect> clips;
    for (const Rect& part : parts) {
        clips.push_back(ScaledRect(part, scale));
    }
    target.SetClipRects(clips);
    for (const Step& step : steps) {
        if (step.kind == Kind::Fill) {
            target.Fill(ScaledRect(step.to, scale), step.raw);
            continue;
        }
        if (!step.pixels) {
            continue;
        }
        CScaledPixels& pixels = *step.pixels;
        bool made = pixels.surface && pixels.scale == scale;
        if (!made && budgetMs > 0 && (spentMs < budgetMs || !madeOne)) {
            const uint32_t begun = platform::GetTicks();
            made = MakeAtScale(pixels, scale);
            spentMs += platform::GetTicks() - begun;
            madeOne = true;
            if (made) {
                madePictures.push_back(step.pixels);
            }
        }
        pixels.lastDrawnTick = now;
        if (!made) {
            complete = false;
            if (pixels.oneX) {
                DrawFromOneX(target, scale, step, *pixels.oneX);
            }
            continue;
        }
        CSurface& source = *pixels.surface;
        const Rect from = ScaledRect(step.from, scale);
        if (step.kind == Kind::Blend) {
            for (const Rect& clip : target.EffectiveClip()) {
                BlendSprite(&target, &source, step.to.left * scale, step.to.top * scale, &from, &clip);
            }
        } else if (step.from.Width() == step.to.Width() && step.from.Height() == step.to.Height()) {
            target.Blit(source, from, ScaledRect(step.to, scale));
        } else {
            platform::CopyOnPictureGrid(source, scale, step.from, target, scale, step.to);
        }
    }
    target.ClearClipRects();
    return complete;
}

void CFrameRecord::ForgetUnused(uint32_t unusedMs)
{
    const uint32_t now = platform::GetTicks();
    std::erase_if(madePictures, [&](const std::weak_ptr<CScaledPixels>& weak) {
        const std::shared_ptr<CScaledPixels> pixels = weak.lock();
        if (!pixels || !pixels->surface) {
            return true;
        }
        if (now - pixels->lastDrawnTick < unusedMs) {
            return false;
        }
        pixels->surface.reset();
        pixels->scale = 0;
        return true;
    });
}

void CFrameRecord::DrawFromOneX(CSurface& target, int32_t scale, const Step& step, CSurface& oneX)
{
    if (oneX.Format().bitsPerPixel != 32) {
        return;
    }
    if (step.kind != Kind::Blend) {
        platform::CopyOnPictureGrid(oneX, 1, step.from, target, scale, step.to);
        return;
    }
    // The blend from a copy of the 1x part enlarged by Nearest.
    auto large = CSurface::Create(step.from.Width() * scale, step.from.Height() * scale, PixelFormat::ForDepth(32));
    if (!large) {
        return;
    }
    platform::CopyOnPictureGrid(oneX, 1, step.from, *large, scale, Rect{0, 0, step.from.Width(), step.from.Height()});
    const Rect whole{0, 0, large->Width(), large->Height()};
    for (const Rect& clip : target.EffectiveClip()) {
        BlendSprite(&target, large.get(), step.to.left * scale, step.to.top * scale, &whole, &clip);
    }
}

std::vector<Rect> ChangedParts(CSurface& current, CSurface& previous)
{
    const int32_t width = current.Width();
    const int32_t height = current.Height();
    const int32_t bytes = current.Format().BytesPerPixel();
    platform::CSurfaceLock now = current.Lock();
    platform::CSurfaceLock before = previous.Lock();
    if (!now.IsLocked() || !before.IsLocked() || previous.Width() != width || previous.Height() != height) {
        return {Rect{0, 0, width, height}};
    }
    std::vector<Rect> parts;
    // Runs of changed blocks in each block row; a run with the same columns
    // as one ending on the row above extends it downwards.
    std::vector<Rect> open;
    for (int32_t top = 0; top < height; top += kChangeBlockPx) {
        const int32_t bottom = std::min(top + kChangeBlockPx, height);
        std::vector<Rect> runs;
        for (int32_t left = 0; left < width; left += kChangeBlockPx) {
            const Rect block{left, top, std::min(left + kChangeBlockPx, width), bottom};
            if (SameBlock(now, before, block, bytes)) {
                continue;
            }
            if (!runs.empty() && runs.back().right == block.left) {
                runs.back().right = block.right;
            } else {
                runs.push_back(block);
            }
        }
        std::vector<Rect> stillOpen;
        for (Rect& run : runs) {
            auto above = std::find_if(open.begin(), open.end(),
                [&](const Rect& r) { return r.left == run.left && r.right == run.right && r.bottom == run.top; });
            if (above != open.end()) {
                run.top = above->top;
                open.erase(above);
            }
            stillOpen.push_back(run);
        }
        parts.insert(parts.end(), open.begin(), open.end());
        open = std::move(stillOpen);
    }
    parts.insert(parts.end(), open.begin(), open.end());
    if (parts.size() > kMostChangedParts) {
        Rect bounds = parts.front();
        for (const Rect& part : parts) {
            bounds = Rect{std::min(bounds.left, part.left), std::min(bounds.top, part.top),
                std::max(bounds.right, part.right), std::max(bounds.bottom, part.bottom)};
        }
        parts = {bounds};
    }
    return parts;
}
