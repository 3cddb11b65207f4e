// A horizontal bar with a knob the player drags, standing for a value from 0
// to 100 (read back 1 to 100: a knob at the far left reads 1).
#pragma once

#include "media/TextLayout.h"

#include "media/Sprite.h"

#include <cstdint>

class CDisplay;

class CSlider {
public:
    static constexpr int32_t kStartPositionPx = 10;

    // The bar's width is the knob's travel plus the knob's width.
    CSlider(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SpritePtr bar, SpritePtr knob);

    // Strictly inside the slider's rectangle.
    bool Contains(int32_t x, int32_t y) const;
    // The rectangle relative to the screen (right and bottom exclusive).
    media::STextBox Bounds() const { return {x1, y1, x2, y2}; }

    // Called with the point relative to the screen every time the screen
    // gets input. A drag starts with the button down on the knob; while it
    // lasts the knob's left edge follows the pointer inside the rectangle and
    // stays put outside it; it ends when the button is up over the slider.
    void HandleMouse(int32_t x, int32_t y, bool down);
    // The keyboard's Left (-1) and Right (+1): the knob moves a twentieth of
    // its travel, within the bar.
    void Step(int32_t direction);

    // 1 to 100 from the knob's position (1 for a knob that cannot travel).
    int32_t GetValue() const;
    // Places the knob for a value, clamped to 0 to 100.
    void SetValue(int32_t value);

    // The bar, and the knob at its position, both whole and keyed.
    void Draw(CDisplay* display, int32_t offsetX, int32_t offsetY);

    // The knob's left edge relative to x1, in pixels.
    int32_t Position() const { return position; }

private:
    int32_t Travel() const;

    SpritePtr barSprite;
    SpritePtr knobSprite;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t position = kStartPositionPx;
    bool dragging = false;
};
