// The steps that drew a frame into the back buffer (fills, keyed copies,
// stretched copies, blends) in picture pixels, kept so that the changed parts
// of the frame can be drawn again at the display's scale from the sprites'
// pictures drawn for that scale.
#pragma once

#include "media/Sprite.h"
#include "platform/Surface.h"
#include "platform/VideoTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

// Makes `pixels` at `scale` from its recipe unless they are made already:
// the file's picture drawn for that scale ("Name@2x.png" beside "Name.bmp"),
// else the largest smaller one whose scale divides it, else the 1x picture,
// enlarged smoothly; then the recipe's edits. False when nothing could be
// made (the sprite then draws nothing at that scale).
bool MakeAtScale(CScaledPixels& pixels, int32_t scale);

// Whether a file name is that of a picture drawn for a larger scale
// ("Name@2x.png"): such files are never offered as pictures of their own.
bool IsScaledPictureName(const std::string& fileName);

class CFrameRecord {
public:
    void AddFill(const platform::Rect& to, uint32_t raw);
    void AddCopy(const std::shared_ptr<CScaledPixels>& pixels, const platform::Rect& from, const platform::Rect& to);
    void AddBlend(const std::shared_ptr<CScaledPixels>& pixels, const platform::Rect& from, int32_t x, int32_t y);
    void Clear() { steps.clear(); }
    bool IsEmpty() const { return steps.empty(); }

    // Draws every step again into `target` (the frame at `scale`, 32 bits),
    // inside `parts` only (picture pixels, not overlapping). Pictures not yet
    // made at the scale are made while less than `budgetMs` went by since
    // the start; the others are drawn from their 1x pixels. False when any
    // was.
    bool Replay(platform::CSurface& target, int32_t scale, const std::vector<platform::Rect>& parts,
        uint32_t budgetMs = UINT32_MAX);
    // Lets go of the pictures made for a scale that no frame drew for
    // `unusedMs` (a screen left behind); they are made again when drawn.
    void ForgetUnused(uint32_t unusedMs);

private:
    enum class Kind { Fill, Copy, Blend };
    struct Step {
        Kind kind;
        std::shared_ptr<CScaledPixels> pixels;
        platform::Rect from;
        platform::Rect to;
        uint32_t raw = 0;
    };
    // A step whose pictures are not made at the scale yet, from its 1x ones.
    static void DrawFromOneX(platform::CSurface& target, int32_t scale, const Step& step, platform::CSurface& oneX);

    std::vector<Step> steps;
    std::vector<std::weak_ptr<CScaledPixels>> madePictures; // the pictures this record made
};

// The parts of `current` that differ from `previous` (same size and format),
// as few rectangles as block rows allow, in pixels.
std::vector<platform::Rect> ChangedParts(platform::CSurface& current, platform::CSurface& previous);

// `rect` with every edge multiplied by `scale`.
inline platform::Rect ScaledRect(const platform::Rect& rect, int32_t scale)
{
    return platform::Rect{rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale};
}
