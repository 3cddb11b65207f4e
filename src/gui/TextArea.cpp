// Text area: the scroll position, its arrow steps and the thumb drag.
#include "gui/TextArea.h"

#include "platform/Clock.h"

#include <algorithm>
#include <cassert>
#include <cmath>

CTextArea::CTextArea(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t linePixels, int32_t largest,
    SpritePtr bar, SpritePtr thumb, SpritePtr up, SpritePtr down, SpritePtr upPushedPicture,
    SpritePtr downPushedPicture, std::unique_ptr<CSound> stepSound)
    : x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
    , scrollBar(right, top, bottom, CScrollBar::EBarFit::kBetweenArrows, std::move(bar), std::move(thumb),
          std::move(up), std::move(down), std::move(upPushedPicture), std::move(downPushedPicture))
    , sound(std::move(stepSound))
    , lineHeight(linePixels)
    , largestPosition(std::max(largest, 0))
{
    assert(linePixels > 0);
    const int32_t barLength = y2 - 2 * scrollBar.UpHeight() - y1;
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
    scrollBar.thumbOffset = PixelsPerPosition() * static_cast<float>(position);
}

void CTextArea::StepByArrow(bool up, uint32_t now)
{
    const bool canStep = up ? position > 0 : position < largestPosition;
    if (!canStep) {
        return;
    }
    MoveTo(position + (up ? -1 : 1));
    scrollBar.PushArrow(up ? CScrollBar::kUpArrow : CScrollBar::kDownArrow, now);
    if (sound) {
        sound->Play();
    }
}

void CTextArea::Step(int32_t direction)
{
    const uint32_t now = platform::GetTicks();
    if (scrollBar.IsArrowReady(now)) {
        StepByArrow(direction < 0, now);
    }
}

// Each step ends the call when it applies (all tests strict).
void CTextArea::HandleMouse(CSoundSystem* /*sounds*/, int32_t x, int32_t y, bool down)
{
    const uint32_t now = platform::GetTicks();
    if (!scrollBar.IsArrowReady(now)) {
        return;
    }
    const bool onUp = scrollBar.IsOnUpArrow(x, y);
    if (down && (onUp || scrollBar.IsOnDownArrow(x, y))) {
        StepByArrow(onUp, now);
        return;
    }
    if (scrollBar.TrackThumb(x, y, down)) {
        DragThumb(y);
    }
}

// The thumb's top follows the pointer, a position per PixelsPerPosition()
// pixels; outside the bar's band the drag holds still.
void CTextArea::DragThumb(int32_t y)
{
    if (!scrollBar.IsInThumbBand(y) || PixelsPerPosition() <= 0.0f) {
        return;
    }
    const int32_t upHeight = scrollBar.UpHeight();
    // Single precision, as the bar scale and S are kept.
    const float lines = static_cast<float>(y - upHeight - y1) / barScale / linesShown;
    MoveTo(static_cast<int32_t>(std::clamp(std::trunc(lines), 0.0f, static_cast<float>(largestPosition))));
}

void CTextArea::Draw(CDisplay* display, CFontTable* /*fonts*/, int32_t offsetX, int32_t offsetY)
{
    const int32_t barHeight = scrollBar.BarHeight();
    scrollBar.SetThumbLength(
        largestPosition > 0 ? static_cast<int32_t>(std::trunc(linesShown * static_cast<float>(barHeight))) : barHeight);
    scrollBar.Draw(display, offsetX, offsetY);
}
