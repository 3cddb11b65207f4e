// The one-line text entry: letters, digits and spaces read straight from the
// keyboard state with a fixed 200 ms repeat, Backspace, and a blinking "-"
// as the cursor while the box has the focus.
#pragma once

#include "media/Sprite.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CDisplay;
class CFontTable;
class CKeyboard;

class CInputBox {
public:
    static constexpr size_t kMaxTextLength = 14;
    // Every accepted key blocks the box this long, which is also the repeat
    // rate of a held key and keeps the several calls of one frame from
    // taking the same key twice.
    static constexpr uint32_t kKeyRepeatMs = 200;
    static constexpr uint32_t kBlinkPeriodMs = 1000;
    // The cursor shows while less than this much of a blink period remains.
    static constexpr uint32_t kCursorShownMs = 500;

    // The initial text is cut to kMaxTextLength characters.
    CInputBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t tx1, int32_t ty1, int32_t tx2, int32_t ty2,
        SpritePtr sprite, std::string_view initialText);

    // Strictly inside the outer rectangle (the focus test).
    bool Contains(int32_t x, int32_t y) const;

    // Reads one key from the keyboard state when focused and not blocked.
    // The mouse position is not used.
    void HandleKeys(CKeyboard* keyboard, int32_t x, int32_t y);

    // The box picture, then the text in font 2 with the cursor while focused.
    void Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY);

    bool focused = false;
    // At most kMaxTextLength characters when typed; the owner reads and may
    // write it.
    std::string text;

private:
    // The character the held keys give, or 0.
    static char HeldCharacter(const CKeyboard& keyboard);
    bool IsCursorShown(uint32_t now);

    SpritePtr sprite;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t tx1;
    int32_t ty1;
    int32_t tx2;
    int32_t ty2;
    uint32_t nextKeyTime;
    uint32_t blinkTime; // end of the current blink period
};
