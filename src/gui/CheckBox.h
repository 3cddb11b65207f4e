// A two-picture toggle with a sound. Holding the mouse button on it toggles
// it every half second; the owner reads or sets `checked` at any time.
#pragma once

#include "media/TextLayout.h"

#include "media/Sound.h"
#include "media/Sprite.h"

#include <cstdint>
#include <memory>

class CDisplay;
class CSoundSystem;

class CCheckBox {
public:
    static constexpr uint32_t kLockOutMs = 500;

    CCheckBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SpritePtr unchecked, SpritePtr checked,
        std::unique_ptr<CSound> sound);

    // Strictly inside the rectangle; the rectangle serves only this test.
    bool Contains(int32_t x, int32_t y) const;
    // The rectangle relative to the screen (right and bottom exclusive).
    media::STextBox Bounds() const { return {x1, y1, x2, y2}; }

    // Called every frame while the left button is down inside: flips the
    // flag and plays the sound, at most once per kLockOutMs.
    void Toggle(CSoundSystem* sounds);

    // The checked or unchecked picture, whole and keyed, at the top-left
    // corner offset by the screen's.
    void Draw(CDisplay* display, int32_t offsetX, int32_t offsetY);

    bool checked = false;

private:
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    SpritePtr uncheckedSprite;
    SpritePtr checkedSprite;
    std::unique_ptr<CSound> sound;
    uint32_t lockOutTime = 0;
};
