// Text button: press, lock-out and report timing, and the two looks.
#include "gui/TextButton.h"

#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/Clock.h"

#include <algorithm>

namespace {
// Distance of the caption's top from the rectangle's vertical middle (centred)
// or from its top (not centred), in the released look.
constexpr int32_t kCentredCaptionRisePx = 15;
constexpr int32_t kTopCaptionDropPx = 15;
} // namespace

CTextButton::CTextButton(int32_t left, int32_t top, int32_t right, int32_t bottom, SpritePtr buttonSprite,
    std::unique_ptr<CSound> pressSound, std::string_view text, bool centreCaption)
    : x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
    , caption(text.substr(0, std::min(text.size(), kMaxCaptionLength)))
    , sprite(std::move(buttonSprite))
    , sound(std::move(pressSound))
    , centred(centreCaption)
{
    // A caption is a zero-terminated text: nothing after an embedded zero.
    caption = caption.substr(0, caption.find('\0'));
    lockOutTime = reportTime = gui::ExpiredDeadline(platform::GetTicks());
}

bool CTextButton::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

// The clip already belongs to the sound system that loaded it.
void CTextButton::Press(CSoundSystem* /*sounds*/)
{
    const uint32_t now = platform::GetTicks();
    if (pressed || !gui::IsTickAfter(now, lockOutTime, kLockOutMs)) {
        return;
    }
    pressed = true;
    lockOutTime = now + kLockOutMs;
    reportTime = now + kReportDelayMs;
    if (sound) {
        sound->Play();
    }
}

bool CTextButton::IsClickComplete() const
{
    return pressed && gui::IsTickAfter(platform::GetTicks(), reportTime, kReportDelayMs);
}

bool CTextButton::TakeClick()
{
    if (!IsClickComplete()) {
        return false;
    }
    pressed = false;
    return true;
}

media::STextBox CTextButton::CaptionBox(int32_t offsetX, int32_t offsetY) const
{
    const int32_t shift = pressed ? kPressedShiftPx : 0;
    const int32_t h = y2 - y1;
    const int32_t top = centred ? y1 + h / 2 - kCentredCaptionRisePx : y1 + kTopCaptionDropPx;
    return {x1 + offsetX + shift, top + offsetY + shift, x2 + offsetX + shift, y2 + offsetY + shift};
}

void CTextButton::Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY)
{
    if (!display) {
        return;
    }
    const int32_t shift = pressed ? kPressedShiftPx : 0;
    display->DrawSpriteStretched(
        sprite.get(), x1 + offsetX + shift, y1 + offsetY + shift, x2 - x1 + shift, y2 - y1 + shift);
    if (fonts) {
        const media::STextBox box = CaptionBox(offsetX, offsetY);
        fonts->DrawText(
            *display, caption, kFontKlang20, box.left, box.top, box.right, box.bottom, media::kAlignCentre, 0);
    }
}

std::unique_ptr<CTextButton> gui::MakeSmallWoodButton(
    CDisplay& display, CSoundSystem* sounds, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const char* caption)
{
    auto click = std::make_unique<CSound>();
    click->Load("Sounds\\Wood Button Push.wav", sounds);
    return std::make_unique<CTextButton>(x1, y1, x2, y2,
        display.CreateSprite("Graphics\\Gui\\Wood Button Small.bmp", 150, 45), std::move(click), caption, true);
}
