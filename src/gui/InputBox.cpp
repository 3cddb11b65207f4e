// Input box: keys to characters, the repeat block, and the blinking cursor.
#include "gui/InputBox.h"

#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "media/Keyboard.h"
#include "platform/Clock.h"
#include "platform/InputKeyCodes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

using namespace platform;

// The letter keys in alphabetical order (their codes follow the keyboard rows).
constexpr std::array<uint8_t, 26> kLetterKeys = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J,
    DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R, DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
constexpr std::array<uint8_t, 10> kDigitKeys = {DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9};
constexpr std::array<uint8_t, 10> kKeypadKeys = {DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
    DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9};

// The text is drawn this much above the text rectangle's top.
constexpr int32_t kTextRisePx = 5;

} // namespace

CInputBox::CInputBox(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t textLeft, int32_t textTop,
    int32_t textRight, int32_t textBottom, SpritePtr boxSprite, std::string_view initialText)
    : text(initialText.substr(0, std::min(initialText.find('\0'), kMaxTextLength)))
    , sprite(std::move(boxSprite))
    , x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
    , tx1(textLeft)
    , ty1(textTop)
    , tx2(textRight)
    , ty2(textBottom)
    , nextKeyTime(platform::GetTicks())
    , blinkTime(platform::GetTicks())
{
}

bool CInputBox::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

// Later keys in the test order override earlier ones: the last letter in the
// alphabet wins, a digit beats a letter, a keypad digit beats a main-row one.
char CInputBox::HeldCharacter(const CKeyboard& keyboard)
{
    char c = 0;
    for (size_t i = 0; i < kLetterKeys.size(); ++i) {
        if (keyboard.IsKeyDown(kLetterKeys[i])) {
            c = static_cast<char>('a' + i);
        }
    }
    const bool shift = keyboard.IsKeyDown(DIK_LSHIFT) || keyboard.IsKeyDown(DIK_RSHIFT);
    if (c != 0 && shift != keyboard.IsCapsLockOn()) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (const auto& keys : {kDigitKeys, kKeypadKeys}) {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keyboard.IsKeyDown(keys[i])) {
                c = static_cast<char>('0' + i);
            }
        }
    }
    if (keyboard.IsKeyDown(DIK_SPACE)) {
        c = ' ';
    }
    return c;
}

void CInputBox::HandleKeys(CKeyboard* keyboard, int32_t /*x*/, int32_t /*y*/)
{
    const uint32_t now = platform::GetTicks();
    if (!focused || !keyboard || !gui::IsTickReached(now, nextKeyTime, kKeyRepeatMs)) {
        return;
    }
    const char c = HeldCharacter(*keyboard);
    if (c != 0) {
        nextKeyTime = now + kKeyRepeatMs;
        if (text.size() < kMaxTextLength) {
            text.push_back(c);
        }
    }
    // Held together with a character key, Backspace takes it out again.
    if (keyboard->IsKeyDown(DIK_BACK)) {
        if (!text.empty()) {
            text.pop_back();
        }
        nextKeyTime = now + kKeyRepeatMs;
    }
}

// A period starts at the first focused draw after the last one ended, with
// the cursor hidden for its first half.
bool CInputBox::IsCursorShown(uint32_t now)
{
    if (gui::IsTickAfter(now, blinkTime, kBlinkPeriodMs)) {
        blinkTime = now + kBlinkPeriodMs;
        return false;
    }
    return blinkTime - now < kCursorShownMs;
}

void CInputBox::Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY)
{
    if (!display) {
        return;
    }
    display->DrawSprite(sprite.get(), x1 + offsetX, y1 + offsetY);
    const bool cursor = focused && IsCursorShown(platform::GetTicks());
    if (fonts) {
        fonts->DrawText(*display, cursor ? text + "-" : text, kFontTimesRoman16, tx1 + offsetX,
            ty1 + offsetY - kTextRisePx, tx2 + offsetX, ty2 + offsetY, media::kAlignLeft, 0);
    }
}
