// Check box: the toggle with its lock-out, and the two pictures.
#include "gui/CheckBox.h"

#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "platform/Clock.h"

CCheckBox::CCheckBox(int32_t left, int32_t top, int32_t right, int32_t bottom, SpritePtr unchecked,
    SpritePtr checkedPicture, std::unique_ptr<CSound> toggleSound)
    : x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
    , uncheckedSprite(std::move(unchecked))
    , checkedSprite(std::move(checkedPicture))
    , sound(std::move(toggleSound))
    , lockOutTime(gui::ExpiredDeadline(platform::GetTicks()))
{
}

bool CCheckBox::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

// The clip already belongs to the sound system that loaded it.
void CCheckBox::Toggle(CSoundSystem* /*sounds*/)
{
    const uint32_t now = platform::GetTicks();
    if (!gui::IsTickReached(now, lockOutTime, kLockOutMs)) {
        return;
    }
    lockOutTime = now + kLockOutMs;
    checked = !checked;
    if (sound) {
        sound->Play();
    }
}

void CCheckBox::Draw(CDisplay* display, int32_t offsetX, int32_t offsetY)
{
    if (!display) {
        return;
    }
    display->DrawSprite(checked ? checkedSprite.get() : uncheckedSprite.get(), x1 + offsetX, y1 + offsetY);
}
