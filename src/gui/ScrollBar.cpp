// Scroll bar: the parts' hit tests, the arrow timer, the thumb grab and the
// drawing.
#include "gui/ScrollBar.h"

#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t WidthOf(const SpritePtr& sprite) { return sprite ? sprite->width : 0; }
int32_t HeightOf(const SpritePtr& sprite) { return sprite ? sprite->height : 0; }

} // namespace

CScrollBar::CScrollBar(int32_t columnX, int32_t columnTop, int32_t columnBottom, EBarFit fit, SpritePtr bar,
    SpritePtr thumb, SpritePtr up, SpritePtr down, SpritePtr upPushedPicture, SpritePtr downPushedPicture)
    : x(columnX)
    , top(columnTop)
    , bottom(columnBottom)
    , barFit(fit)
    , barSprite(std::move(bar))
    , thumbSprite(std::move(thumb))
    , upSprite(std::move(up))
    , downSprite(std::move(down))
    , upPushedSprite(std::move(upPushedPicture))
    , downPushedSprite(std::move(downPushedPicture))
    , arrowTime(gui::ExpiredDeadline(platform::GetTicks()))
{
}

int32_t CScrollBar::BarHeight() const { return HeightOf(barSprite); }

int32_t CScrollBar::UpHeight() const { return HeightOf(upSprite); }

int32_t CScrollBar::DownHeight() const { return HeightOf(downSprite); }

bool CScrollBar::IsOnUpArrow(int32_t px, int32_t py) const
{
    return x < px && px < x + WidthOf(upSprite) && top < py && py < top + UpHeight();
}

bool CScrollBar::IsOnDownArrow(int32_t px, int32_t py) const
{
    return x < px && px < x + WidthOf(downSprite) && bottom - DownHeight() < py && py < bottom;
}

bool CScrollBar::IsOnThumb(int32_t px, int32_t py) const
{
    const float thumbTop = static_cast<float>(top + UpHeight()) + thumbOffset;
    return x < px && px < x + WidthOf(barSprite) && thumbTop < static_cast<float>(py)
        && static_cast<float>(py) < thumbTop + static_cast<float>(thumbLength);
}

bool CScrollBar::IsInThumbBand(int32_t py) const { return top + UpHeight() < py && py < bottom - DownHeight(); }

bool CScrollBar::IsArrowReady(uint32_t now) const { return gui::IsTickAfter(now, arrowTime, kArrowRepeatMs); }

void CScrollBar::PushArrow(EArrow arrow, uint32_t now)
{
    (arrow == kUpArrow ? upPushed : downPushed) = true;
    arrowTime = now + kArrowRepeatMs;
}

bool CScrollBar::TrackThumb(int32_t px, int32_t py, bool down)
{
    if (!dragging && down && IsOnThumb(px, py)) {
        dragging = true;
        return false;
    }
    if (dragging && down) {
        return true;
    }
    dragging = false;
    return false;
}

void CScrollBar::SetThumbLength(int32_t wantedPx)
{
    thumbLength = std::min(std::max(wantedPx, kMinThumbLengthPx), std::max(BarHeight(), kMinThumbLengthPx));
}

void CScrollBar::Draw(CDisplay* display, int32_t offsetX, int32_t offsetY)
{
    if (IsArrowReady(platform::GetTicks())) {
        upPushed = downPushed = false;
    }
    if (!display) {
        return;
    }
    const int32_t barTop = top + UpHeight() + offsetY;
    if (barFit == EBarFit::kBetweenArrows) {
        display->DrawSpriteStretched(
            barSprite.get(), x + offsetX, barTop, WidthOf(barSprite), bottom - 2 * DownHeight() - top);
    } else {
        display->DrawSprite(barSprite.get(), x + offsetX, barTop);
    }
    display->DrawSpriteStretched(thumbSprite.get(), x + offsetX, barTop + static_cast<int32_t>(std::trunc(thumbOffset)),
        WidthOf(thumbSprite), thumbLength + 1);
    display->DrawSprite(upPushed ? upPushedSprite.get() : upSprite.get(), x + offsetX, top + offsetY);
    display->DrawSprite(
        downPushed ? downPushedSprite.get() : downSprite.get(), x + offsetX, bottom - DownHeight() + offsetY);
}
