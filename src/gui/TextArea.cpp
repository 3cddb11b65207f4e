// Text area scroll bar: arrow steps, the thumb drag and its geometry.
#include "gui/TextArea.h"

#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace {

int32_t WidthOf(const SpritePtr& sprite) { return sprite ? sprite->width : 0; }
int32_t HeightOf(const SpritePtr& sprite) { return sprite ? sprite->height : 0; }

} // namespace

CTextArea::CTextArea(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t linePixels, int32_t largest,
    SpritePtr bar, SpritePtr thumb, SpritePtr up, SpritePtr down, SpritePtr upPushedPicture,
    SpritePtr downPushedPicture, std::unique_ptr<CSound> stepSound)
    : barSprite(std::move(bar))
    , thumbSprite(std::move(thumb))
    , upSprite(std::move(up))
    , upPushedSprite(std::move(upPushedPicture))
    , downSprite(std::move(down))
    , downPushedSprite(std::move(downPushedPicture))
    , sound(std::move(stepSound))
    , x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
    , lineHeight(linePixels)
    , largestPosition(std::max(largest, 0))
    , arrowTime(gui::ExpiredDeadline(platform::GetTicks()))
{
    assert(linePixels > 0);
    const int32_t barLength = y2 - 2 * HeightOf(upSprite) - y1;
    barScale
        = y2 > y1 ? static_cast<float>(barLength) / static_cast<float>(y2 - y1) * static_cast<float>(lineHeight) : 0.0f;
    // With nothing to scroll (or no line height) the thumb fills the bar and
    // stays at the top, where the plain formula would divide by zero.
    linesShown = largestPosition > 0 && lineHeight > 0
        ? static_cast<float>(barLength / lineHeight) / static_cast<float>(largestPosition)
        : 0.0f;
}

bool CTextArea::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

void CTextArea::MoveTo(int32_t newPosition)
{
    position = newPosition;
    thumbOffset = PixelsPerPosition() * static_cast<float>(position);
}

// Each step ends the call when it applies (all tests strict).
void CTextArea::HandleMouse(CSoundSystem* /*sounds*/, int32_t x, int32_t y, bool down)
{
    const uint32_t now = platform::GetTicks();
    if (!gui::IsTickAfter(now, arrowTime, kArrowRepeatMs)) {
        return;
    }
    const int32_t upHeight = HeightOf(upSprite);
    const int32_t downHeight = HeightOf(downSprite);
    const bool onUp = x2 < x && x < x2 + WidthOf(upSprite) && y1 < y && y < y1 + upHeight;
    const bool onDown = x2 < x && x < x2 + WidthOf(downSprite) && y2 - downHeight < y && y < y2;
    if (down && (onUp || onDown)) {
        const bool canStep = onUp ? position > 0 : position < largestPosition;
        if (canStep) {
            MoveTo(position + (onUp ? -1 : 1));
            arrowTime = now + kArrowRepeatMs;
            (onUp ? upPushed : downPushed) = true;
            if (sound) {
                sound->Play();
            }
        }
        return;
    }
    const float thumbTop = static_cast<float>(y1 + upHeight) + thumbOffset;
    const bool onThumb = x2 < x && x < x2 + WidthOf(barSprite) && thumbTop < static_cast<float>(y)
        && static_cast<float>(y) < thumbTop + static_cast<float>(thumbLength);
    if (!dragging && down && onThumb) {
        dragging = true;
        return;
    }
    if (dragging && down) {
        DragThumb(y);
        return;
    }
    dragging = false;
}

// The thumb's top follows the pointer, a position per PixelsPerPosition()
// pixels; outside the bar's band the drag holds still.
void CTextArea::DragThumb(int32_t y)
{
    const int32_t upHeight = HeightOf(upSprite);
    if (!(y1 + upHeight < y && y < y2 - HeightOf(downSprite)) || PixelsPerPosition() <= 0.0f) {
        return;
    }
    // Single precision, as the bar scale and S are kept.
    const float lines = static_cast<float>(y - upHeight - y1) / barScale / linesShown;
    MoveTo(static_cast<int32_t>(std::clamp(std::trunc(lines), 0.0f, static_cast<float>(largestPosition))));
}

void CTextArea::Draw(CDisplay* display, CFontTable* /*fonts*/, int32_t offsetX, int32_t offsetY)
{
    if (gui::IsTickAfter(platform::GetTicks(), arrowTime, kArrowRepeatMs)) {
        upPushed = downPushed = false;
    }
    const int32_t barHeight = HeightOf(barSprite);
    const int32_t shown = largestPosition > 0
        ? static_cast<int32_t>(std::trunc(linesShown * static_cast<float>(barHeight)))
        : barHeight;
    thumbLength = std::min(std::max(shown, kMinThumbLengthPx), std::max(barHeight, kMinThumbLengthPx));
    if (!display) {
        return;
    }
    const int32_t upHeight = HeightOf(upSprite);
    const int32_t downHeight = HeightOf(downSprite);
    display->DrawSpriteStretched(
        barSprite.get(), x2 + offsetX, y1 + upHeight + offsetY, WidthOf(barSprite), y2 - 2 * downHeight - y1);
    display->DrawSpriteStretched(thumbSprite.get(), x2 + offsetX,
        y1 + upHeight + static_cast<int32_t>(std::trunc(thumbOffset)) + offsetY, WidthOf(thumbSprite), thumbLength + 1);
    display->DrawSprite(upPushed ? upPushedSprite.get() : upSprite.get(), x2 + offsetX, y1 + offsetY);
    display->DrawSprite(
        downPushed ? downPushedSprite.get() : downSprite.get(), x2 + offsetX, y2 - downHeight + offsetY);
}
