// A push button: a bitmap stretched over a rectangle with a caption in the
// large font. A press plays its sound, shows the button pressed and becomes a
// completed click for the owning screen a quarter of a second later.
#pragma once

#include "media/Sound.h"
#include "media/Sprite.h"
#include "media/TextLayout.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CDisplay;
class CFontTable;
class CSoundSystem;

class CTextButton {
public:
    // No new press is taken for this long after one was accepted.
    static constexpr uint32_t kLockOutMs = 500;
    // The owner sees the click this long after the press, so that the pressed
    // look shows before the screen changes.
    static constexpr uint32_t kReportDelayMs = 250;
    static constexpr size_t kMaxCaptionLength = 63;
    // The pressed look: moved right and down and grown by this much.
    static constexpr int32_t kPressedShiftPx = 5;

    // The caption is cut to kMaxCaptionLength characters. centred: caption
    // centred vertically, otherwise a fixed 15 pixels below the top.
    CTextButton(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SpritePtr sprite, std::unique_ptr<CSound> sound,
        std::string_view caption, bool centred);

    // Strictly inside the rectangle (the edges are outside).
    bool Contains(int32_t x, int32_t y) const;
    // The rectangle relative to the screen (right and bottom exclusive).
    media::STextBox Bounds() const { return {x1, y1, x2, y2}; }

    // Called every frame while the left button is down inside: accepted when
    // not already pressed and the lock-out has passed; plays the sound.
    void Press(CSoundSystem* sounds);

    // Pressed and the report time has passed.
    bool IsClickComplete() const;
    // When the click is complete: clears pressed and returns true. What every
    // owning screen does once a frame with each of its buttons.
    bool TakeClick();

    // The sprite stretched over the rectangle (offset by the screen's
    // corner), or pressed, and the caption in font 3 centred in its line.
    void Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY);
    // The rectangle the caption is drawn into, for the current look.
    media::STextBox CaptionBox(int32_t offsetX, int32_t offsetY) const;

    const std::string& Caption() const { return caption; }

    // 1 from an accepted press until the owner clears it.
    bool pressed = false;
    // Both start as deadlines that have just passed.
    uint32_t lockOutTime = 0;
    uint32_t reportTime = 0;

private:
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    std::string caption;
    SpritePtr sprite;
    std::unique_ptr<CSound> sound;
    bool centred;
};

namespace gui {

// The game's small wooden button: "Wood Button Small.bmp" (150 x 45, drawn
// scaled to the rectangle), the wooden push sound and a centred caption.
std::unique_ptr<CTextButton> MakeSmallWoodButton(
    CDisplay& display, CSoundSystem* sounds, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const char* caption);

} // namespace gui
