// The frame the keyboard focus is drawn with: three one-pixel lines (dark,
// gold, dark) around a rectangle of the 800 x 600 picture, from two
// stretched one-colour pictures, so that it shows on every backdrop, widget
// and tile set and scales with the rest of the picture.
#pragma once

#include "media/Sprite.h"

#include <cstdint>

class CDisplay;

namespace gui {

class CFocusFrame {
public:
    void Load(CDisplay& display);
    void Release();
    // Around the rectangle (right and bottom exclusive): the lines lie just
    // outside it.
    void Draw(CDisplay& display, int32_t left, int32_t top, int32_t right, int32_t bottom) const;

private:
    SpritePtr light;
    SpritePtr dark;
};

} // namespace gui
