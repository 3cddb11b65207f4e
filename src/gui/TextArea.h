// A vertical scroll bar (up arrow, bar, thumb, down arrow) holding a scroll
// position counted in text lines, from 0 to a fixed largest position. It
// draws no text: its screen draws the text from the position on.
#pragma once

#include "media/TextLayout.h"

#include "gui/ScrollBar.h"
#include "media/Sound.h"
#include "media/Sprite.h"

#include <cstdint>
#include <memory>

class CDisplay;
class CFontTable;
class CSoundSystem;

class CTextArea {
public:
    // The widget ignores the mouse this long after each arrow step.
    static constexpr uint32_t kArrowRepeatMs = CScrollBar::kArrowRepeatMs;
    static constexpr int32_t kMinThumbLengthPx = CScrollBar::kMinThumbLengthPx;

    // The scroll bar column stands at x = x2, from y1 to y2. lineHeight is
    // the text's pixels per line (positive); positions run from 0 to
    // largestPosition.
    CTextArea(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t lineHeight, int32_t largestPosition,
        SpritePtr bar, SpritePtr thumb, SpritePtr up, SpritePtr down, SpritePtr upPushed, SpritePtr downPushed,
        std::unique_ptr<CSound> sound);

    // Strictly inside the text rectangle.
    bool Contains(int32_t x, int32_t y) const;
    // The rectangle relative to the screen (right and bottom exclusive).
    media::STextBox Bounds() const { return {x1, y1, x2, y2}; }

    // Called with the point relative to the screen every time the screen
    // gets input: the arrows step one line (every 200 ms while held), the
    // thumb can be grabbed and dragged.
    void HandleMouse(CSoundSystem* sounds, int32_t x, int32_t y, bool down);
    // The keyboard's Up (-1) and Down (+1): one line, as its arrows step.
    void Step(int32_t direction);
    void Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY);

    // The first text line to show.
    int32_t Position() const { return position; }

private:
    void MoveTo(int32_t newPosition);
    void StepByArrow(bool up, uint32_t now);
    // The thumb's pixels per position step.
    float PixelsPerPosition() const { return linesShown * barScale; }
    void DragThumb(int32_t y);

    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    CScrollBar scrollBar;
    std::unique_ptr<CSound> sound;
    int32_t lineHeight;
    int32_t largestPosition;
    // The bar's length A = y2 - 2 x up height - y1 over the column's height,
    // times the line height.
    float barScale;
    // S: the lines that fit on the bar's length over the largest position
    // (0 when there is nothing to scroll).
    float linesShown;
    int32_t position = 0;
};
