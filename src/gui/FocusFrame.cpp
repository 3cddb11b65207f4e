// Drawing the keyboard focus frame.
#include "gui/FocusFrame.h"

#include "media/Display.h"

namespace gui {

namespace {

// A one-pixel ring of the sprite's colour, `inset` pixels outside the
// rectangle.
void DrawRing(
    CDisplay& display, CSprite* colour, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t inset)
{
    const int32_t l = left - inset;
    const int32_t t = top - inset;
    const int32_t r = right + inset;
    const int32_t b = bottom + inset;
    display.DrawSpriteStretched(colour, l, t, r - l, 1);
    display.DrawSpriteStretched(colour, l, b - 1, r - l, 1);
    display.DrawSpriteStretched(colour, l, t, 1, b - t);
    display.DrawSpriteStretched(colour, r - 1, t, 1, b - t);
}

} // namespace

void CFocusFrame::Load(CDisplay& display)
{
    light = display.CreateSprite("Graphics\\Gui\\Focus Light.bmp", 4, 4);
    dark = display.CreateSprite("Graphics\\Gui\\Focus Dark.bmp", 4, 4);
}

void CFocusFrame::Release()
{
    ReleaseSprite(light);
    ReleaseSprite(dark);
}

void CFocusFrame::Draw(CDisplay& display, int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    DrawRing(display, dark.get(), left, top, right, bottom, 1);
    DrawRing(display, light.get(), left, top, right, bottom, 2);
    DrawRing(display, light.get(), left, top, right, bottom, 3);
    DrawRing(display, dark.get(), left, top, right, bottom, 4);
}

} // namespace gui
