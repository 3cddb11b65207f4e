// The scroll bar column of the selection list and the text area: up arrow,
// bar, thumb and down arrow standing at one x from a top to a bottom edge.
// It tests the pointer against its parts, holds the thumb's grab, keeps an
// arrow pushed for 200 ms after a step and draws itself; what a step or a
// drag scrolls is up to the widget that owns it.
#pragma once

#include "media/Sprite.h"

#include <cstdint>

class CDisplay;

class CScrollBar {
public:
    // After each arrow step the arrows and the thumb ignore the mouse this
    // long, and the stepped arrow looks pushed.
    static constexpr uint32_t kArrowRepeatMs = 200;
    static constexpr int32_t kMinThumbLengthPx = 10;

    enum EArrow { kUpArrow, kDownArrow };
    // The selection list shows its bar picture as it is; the text area
    // stretches it over the column between the arrows.
    enum class EBarFit { kPictureHeight, kBetweenArrows };

    // The column's left edge x and its top and bottom edges, in the owning
    // widget's coordinates.
    CScrollBar(int32_t x, int32_t top, int32_t bottom, EBarFit barFit, SpritePtr bar, SpritePtr thumb, SpritePtr up,
        SpritePtr down, SpritePtr upPushed, SpritePtr downPushed);

    int32_t BarHeight() const;
    int32_t UpHeight() const;
    int32_t DownHeight() const;

    // All strict: the parts' edges are outside.
    bool IsOnUpArrow(int32_t x, int32_t y) const;
    bool IsOnDownArrow(int32_t x, int32_t y) const;
    // Between the arrows, where a drag places the thumb; any x.
    bool IsInThumbBand(int32_t y) const;

    // False for kArrowRepeatMs after the last step.
    bool IsArrowReady(uint32_t now) const;
    void PushArrow(EArrow arrow, uint32_t now);

    // The grab: a press on the thumb takes it (that press moves nothing),
    // holding the button keeps it wherever the pointer goes, a release lets
    // go. True while the widget should move the thumb to the pointer.
    bool TrackThumb(int32_t x, int32_t y, bool down);

    // The wanted length is kept between kMinThumbLengthPx and the bar's
    // height (never below the minimum); the thumb is drawn one pixel longer.
    void SetThumbLength(int32_t wantedPx);
    // Lets a pushed arrow up once its time is over, then draws bar, thumb
    // and arrows (nothing more without a display).
    void Draw(CDisplay* display, int32_t offsetX, int32_t offsetY);

    // The thumb's top below the up arrow, in pixels; the widget moves it.
    float thumbOffset = 0.0f;

private:
    bool IsOnThumb(int32_t x, int32_t y) const;

    int32_t x;
    int32_t top;
    int32_t bottom;
    EBarFit barFit;
    SpritePtr barSprite;
    SpritePtr thumbSprite;
    SpritePtr upSprite;
    SpritePtr downSprite;
    SpritePtr upPushedSprite;
    SpritePtr downPushedSprite;
    int32_t thumbLength = 0; // as last drawn
    bool upPushed = false;
    bool downPushed = false;
    bool dragging = false;
    uint32_t arrowTime;
};
